// ISBLANK, ISEMPTY, ISERROR, ISNUMBER, ISTEXT, ISNONTEXT, ISEVEN, ISODD, ISREF.
// The IS functions look at the argument's value without coercing it; a multi-cell range
// reads as #VALUE! like in any scalar position.
#include "functions/ArgReader.h"
#include "functions/Library.h"

#include <array>
#include <cmath>

namespace gridx::fn {

namespace {

Value testValue(FnContext& ctx, Args args, bool (*test)(const Value&)) {
    const FnArg& arg = argAt(args, 0);
    // An omitted argument counts as 0, as it does elsewhere.
    if (arg.kind == FnArg::Kind::Missing) return Value::boolean(test(Value::number(0.0)));
    return Value::boolean(test(scalarValue(ctx, arg)));
}

Value fnIsBlank(FnContext& ctx, Args args) {
    return testValue(ctx, args, [](const Value& v) { return v.isEmpty(); });
}

Value fnIsError(FnContext& ctx, Args args) {
    return testValue(ctx, args, [](const Value& v) { return v.isError(); });
}

Value fnIsNumber(FnContext& ctx, Args args) {
    return testValue(ctx, args, [](const Value& v) { return v.isNumber(); });
}

Value fnIsText(FnContext& ctx, Args args) {
    return testValue(ctx, args, [](const Value& v) { return v.isText(); });
}

Value fnIsNonText(FnContext& ctx, Args args) {
    return testValue(ctx, args, [](const Value& v) { return !v.isText(); });
}

Value fnIsRef(FnContext&, Args args) {
    return Value::boolean(argAt(args, 0).isReference());
}

// ISEVEN and ISODD read a number (truncated); booleans and non-numeric texts are #VALUE!.
Value parity(FnContext& ctx, Args args, bool odd) {
    ArgReader in(ctx, args);
    if (in.value(0).isBoolean()) return Value::error(ErrorCode::Value);
    auto x = in.integer(0);
    if (!x) return in.failure();
    bool isOdd = std::fmod(std::fabs(*x), 2.0) == 1.0;
    return Value::boolean(isOdd == odd);
}

Value fnIsEven(FnContext& ctx, Args args) {
    return parity(ctx, args, false);
}

Value fnIsOdd(FnContext& ctx, Args args) {
    return parity(ctx, args, true);
}

constexpr std::array kFunctions = {
    BuiltinInfo{L"ISBLANK", 1, 1, fnIsBlank, 0},     BuiltinInfo{L"ISEMPTY", 1, 1, fnIsBlank, 0},
    BuiltinInfo{L"ISERROR", 1, 1, fnIsError, 0},     BuiltinInfo{L"ISEVEN", 1, 1, fnIsEven, 0},
    BuiltinInfo{L"ISNONTEXT", 1, 1, fnIsNonText, 0}, BuiltinInfo{L"ISNUMBER", 1, 1, fnIsNumber, 0},
    BuiltinInfo{L"ISODD", 1, 1, fnIsOdd, 0},         BuiltinInfo{L"ISREF", 1, 1, fnIsRef, 0},
    BuiltinInfo{L"ISTEXT", 1, 1, fnIsText, 0},
};

} // namespace

std::span<const BuiltinInfo> infoFunctions() {
    return kFunctions;
}

} // namespace gridx::fn
