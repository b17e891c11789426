// AND, OR, NOT, TRUE, FALSE and the choosing functions IF, IFERROR, IFNA, CHOOSE.
#include "functions/ArgReader.h"
#include "functions/Library.h"

#include <array>
#include <optional>

namespace gridx::fn {

namespace {

// The value a choosing function hands back for an argument: an omitted one is 0.
Value chosen(FnContext& ctx, const FnArg& arg) {
    if (arg.kind == FnArg::Kind::Missing) return Value::number(0.0);
    return scalarValue(ctx, arg);
}

// Truth values of a logical function's arguments: direct values are coerced ("TRUE" text
// included), references give their numbers and booleans and skip texts and empty cells.
struct Truths {
    int trueCount = 0;
    int falseCount = 0;
    std::optional<ErrorCode> error;

    void add(bool b) { (b ? trueCount : falseCount) += 1; }
    // Takes a value found in a reference; false stops the walk on an error.
    bool addReferenced(const Value& v) {
        if (v.isError()) {
            error = v.asError();
            return false;
        }
        if (v.isNumber()) add(v.asNumber() != 0.0);
        if (v.isBoolean()) add(v.asBoolean());
        return true;
    }
    void addDirect(const FnArg& arg) {
        if (arg.kind == FnArg::Kind::Missing) return add(false);
        if (arg.value.isEmpty()) return;
        ErrorCode code = ErrorCode::Value;
        if (auto b = toBoolean(arg.value, code))
            add(*b);
        else
            error = code;
    }
};

Truths truthsOf(FnContext& ctx, Args args) {
    Truths truths;
    for (const FnArg& arg : args) {
        if (arg.kind == FnArg::Kind::Range)
            ctx.forEachNonEmpty(arg.range,
                                [&](int, int, const Value& v) { return truths.addReferenced(v); });
        else if (arg.kind == FnArg::Kind::Cell)
            truths.addReferenced(arg.value);
        else
            truths.addDirect(arg);
        if (truths.error) break;
    }
    return truths;
}

Value fnAnd(FnContext& ctx, Args args) {
    Truths truths = truthsOf(ctx, args);
    if (truths.error) return Value::error(*truths.error);
    if (truths.trueCount + truths.falseCount == 0) return Value::error(ErrorCode::Value);
    return Value::boolean(truths.falseCount == 0);
}

Value fnOr(FnContext& ctx, Args args) {
    Truths truths = truthsOf(ctx, args);
    if (truths.error) return Value::error(*truths.error);
    if (truths.trueCount + truths.falseCount == 0) return Value::error(ErrorCode::Value);
    return Value::boolean(truths.trueCount > 0);
}

Value fnNot(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    auto b = in.boolean(0);
    if (!b) return in.failure();
    return Value::boolean(!*b);
}

Value fnTrue(FnContext&, Args) {
    return Value::boolean(true);
}

Value fnFalse(FnContext&, Args) {
    return Value::boolean(false);
}

Value fnIf(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    auto condition = in.boolean(0);
    if (!condition) return in.failure();
    if (*condition) return chosen(ctx, argAt(args, 1));
    if (args.size() < 3) return Value::boolean(false);
    return chosen(ctx, argAt(args, 2));
}

Value fnIfError(FnContext& ctx, Args args) {
    Value first = chosen(ctx, argAt(args, 0));
    if (!first.isError()) return first;
    return chosen(ctx, argAt(args, 1));
}

Value fnIfNa(FnContext& ctx, Args args) {
    Value first = chosen(ctx, argAt(args, 0));
    if (!first.isError() || first.asError() != ErrorCode::NA) return first;
    return chosen(ctx, argAt(args, 1));
}

Value fnChoose(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    auto index = in.integer(0);
    if (!index) return in.failure();
    if (*index < 1 || *index >= static_cast<double>(args.size()))
        return Value::error(ErrorCode::Value);
    return chosen(ctx, args[static_cast<std::size_t>(*index)]);
}

constexpr std::array kFunctions = {
    BuiltinInfo{L"AND", 1, kAnyArgs, fnAnd, 0},
    BuiltinInfo{L"CHOOSE", 2, kAnyArgs, fnChoose, kLazy},
    BuiltinInfo{L"FALSE", 0, 0, fnFalse, 0},
    BuiltinInfo{L"IF", 2, 3, fnIf, kLazy},
    BuiltinInfo{L"IFERROR", 2, 2, fnIfError, kLazy},
    BuiltinInfo{L"IFNA", 2, 2, fnIfNa, kLazy},
    BuiltinInfo{L"NOT", 1, 1, fnNot, 0},
    BuiltinInfo{L"OR", 1, kAnyArgs, fnOr, 0},
    BuiltinInfo{L"TRUE", 0, 0, fnTrue, 0},
};

} // namespace

std::span<const BuiltinInfo> logicalFunctions() {
    return kFunctions;
}

} // namespace gridx::fn
