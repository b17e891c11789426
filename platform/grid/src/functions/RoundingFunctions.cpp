// ROUND, ROUNDUP, ROUNDDOWN, TRUNC, INT, CEILING, FLOOR, EVEN, ODD.
#include "functions/ArgReader.h"
#include "functions/DecimalRound.h"
#include "functions/Library.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace gridx::fn {

namespace {

// Digits beyond this many places change nothing in a double.
constexpr double kDigitLimit = 400.0;

Value roundBy(FnContext& ctx, Args args, RoundMode mode, double defaultDigits) {
    ArgReader in(ctx, args);
    auto x = in.number(0);
    auto digits = in.integer(1, defaultDigits);
    if (!x || !digits) return in.failure();
    int places = static_cast<int>(std::clamp(*digits, -kDigitLimit, kDigitLimit));
    return numberResult(roundDecimal(*x, places, mode));
}

Value fnRound(FnContext& ctx, Args args) {
    return roundBy(ctx, args, RoundMode::HalfAwayFromZero, 0.0);
}

Value fnRoundUp(FnContext& ctx, Args args) {
    return roundBy(ctx, args, RoundMode::AwayFromZero, 0.0);
}

Value fnRoundDown(FnContext& ctx, Args args) {
    return roundBy(ctx, args, RoundMode::TowardZero, 0.0);
}

Value fnTrunc(FnContext& ctx, Args args) {
    return roundBy(ctx, args, RoundMode::TowardZero, 0.0);
}

Value fnInt(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    auto x = in.number(0);
    if (!x) return in.failure();
    return numberResult(std::floor(*x));
}

// The multiple of `significance` that ceil or floor of the quotient picks; the quotient is
// read on its displayed digits so that CEILING(0.3, 0.1) stays 0.3.
double multipleOf(double x, double significance, double (*pick)(double)) {
    double quotient = pick(toSignificant15(x / significance));
    return toSignificant15(quotient * significance);
}

Value fnCeiling(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    auto x = in.number(0);
    auto significance = in.number(1, 1.0);
    if (!x || !significance) return in.failure();
    if (*x == 0.0 || *significance == 0.0) return Value::number(0.0);
    if (*x > 0 && *significance < 0) return Value::error(ErrorCode::Num);
    return numberResult(multipleOf(*x, *significance, [](double q) { return std::ceil(q); }));
}

Value fnFloor(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    auto x = in.number(0);
    auto significance = in.number(1, 1.0);
    if (!x || !significance) return in.failure();
    if (*x == 0.0) return Value::number(0.0);
    if (*significance == 0.0) return Value::error(ErrorCode::Div0);
    if (*x > 0 && *significance < 0) return Value::error(ErrorCode::Num);
    return numberResult(multipleOf(*x, *significance, [](double q) { return std::floor(q); }));
}

// The integer away from zero whose parity is `odd`.
Value awayToParity(FnContext& ctx, Args args, bool odd) {
    ArgReader in(ctx, args);
    auto x = in.number(0);
    if (!x) return in.failure();
    double magnitude = std::ceil(toSignificant15(std::fabs(*x)));
    bool isOdd = std::fmod(magnitude, 2.0) == 1.0;
    if (isOdd != odd) magnitude += 1.0;
    return numberResult(*x < 0 ? -magnitude : magnitude);
}

Value fnEven(FnContext& ctx, Args args) {
    return awayToParity(ctx, args, false);
}

Value fnOdd(FnContext& ctx, Args args) {
    return awayToParity(ctx, args, true);
}

constexpr std::array kFunctions = {
    BuiltinInfo{L"CEILING", 1, 2, fnCeiling, 0},
    BuiltinInfo{L"EVEN", 1, 1, fnEven, 0},
    BuiltinInfo{L"FLOOR", 1, 2, fnFloor, 0},
    BuiltinInfo{L"INT", 1, 1, fnInt, 0},
    BuiltinInfo{L"ODD", 1, 1, fnOdd, 0},
    BuiltinInfo{L"ROUND", 1, 2, fnRound, 0},
    BuiltinInfo{L"ROUNDDOWN", 1, 2, fnRoundDown, 0},
    BuiltinInfo{L"ROUNDUP", 1, 2, fnRoundUp, 0},
    BuiltinInfo{L"TRUNC", 1, 2, fnTrunc, 0},
};

} // namespace

std::span<const BuiltinInfo> roundingFunctions() {
    return kFunctions;
}

} // namespace gridx::fn
