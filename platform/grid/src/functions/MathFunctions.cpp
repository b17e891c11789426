// Arithmetic, powers, logarithms, trigonometry, factorials and the grid's own NEG, INVERSE,
// SQUARE and XROOT; RAND.
#include "functions/ArgReader.h"
#include "functions/Library.h"

#include <array>
#include <cmath>
#include <numbers>

namespace gridx::fn {

namespace {

// Trigonometric functions refuse arguments this large: their result would be noise.
constexpr double kTrigLimit = 134217728.0; // 2^27

// FACT of anything larger overflows a double.
constexpr double kLargestFactorial = 170.0;

Value error(ErrorCode code) {
    return Value::error(code);
}

Value unary(FnContext& ctx, Args args, Value (*op)(double)) {
    ArgReader in(ctx, args);
    auto x = in.number(0);
    if (!x) return in.failure();
    return op(*x);
}

Value binary(FnContext& ctx, Args args, Value (*op)(double, double)) {
    ArgReader in(ctx, args);
    auto x = in.number(0);
    auto y = in.number(1);
    if (!x || !y) return in.failure();
    return op(*x, *y);
}

Value trig(double x, double (*op)(double)) {
    if (std::fabs(x) >= kTrigLimit) return error(ErrorCode::Num);
    return numberResult(op(x));
}

// --- plain arithmetic -----------------------------------------------------------------------

Value fnAbs(FnContext& ctx, Args args) {
    return unary(ctx, args, [](double x) { return numberResult(std::fabs(x)); });
}

Value fnSign(FnContext& ctx, Args args) {
    return unary(ctx, args, [](double x) {
        return Value::number(x > 0 ? 1.0 : x < 0 ? -1.0 : 0.0);
    });
}

Value fnNeg(FnContext& ctx, Args args) {
    return unary(ctx, args, [](double x) { return numberResult(-x); });
}

Value fnInverse(FnContext& ctx, Args args) {
    return unary(ctx, args, [](double x) {
        if (x == 0.0) return error(ErrorCode::Div0);
        return numberResult(1.0 / x);
    });
}

Value fnSquare(FnContext& ctx, Args args) {
    return unary(ctx, args, [](double x) { return numberResult(x * x); });
}

// MOD(n, d) takes the sign of the divisor: MOD(-3, 2) = 1, MOD(3, -2) = -1.
Value fnMod(FnContext& ctx, Args args) {
    return binary(ctx, args, [](double n, double d) {
        if (d == 0.0) return error(ErrorCode::Div0);
        double r = std::fmod(n, d);
        if (r != 0.0 && (r < 0) != (d < 0)) r += d;
        return numberResult(r);
    });
}

Value fnPi(FnContext&, Args) {
    return Value::number(std::numbers::pi);
}

Value fnRand(FnContext& ctx, Args) {
    return Value::number(ctx.random());
}

// --- powers and logarithms -------------------------------------------------------------------

Value fnSqrt(FnContext& ctx, Args args) {
    return unary(ctx, args, [](double x) {
        if (x < 0) return error(ErrorCode::Num);
        return numberResult(std::sqrt(x));
    });
}

// Whether `y` is 1/n for an odd integer n, so that a negative base has a real root.
bool isOddRootExponent(double y) {
    double n = 1.0 / y;
    double rounded = std::round(n);
    return std::fabs(n - rounded) < 1e-10 * std::fmax(1.0, std::fabs(n)) &&
           std::fmod(std::fabs(rounded), 2.0) == 1.0;
}

Value power(double x, double y) {
    if (x == 0.0 && y == 0.0) return error(ErrorCode::Num);
    if (x == 0.0 && y < 0.0) return error(ErrorCode::Div0);
    if (x < 0.0 && y != std::trunc(y)) {
        if (!isOddRootExponent(y)) return error(ErrorCode::Num);
        return numberResult(-std::pow(-x, y));
    }
    return numberResult(std::pow(x, y));
}

Value fnPower(FnContext& ctx, Args args) {
    return binary(ctx, args, power);
}

// XROOT(x, n): the n-th root; a negative x needs an odd integer n.
Value fnXRoot(FnContext& ctx, Args args) {
    return binary(ctx, args, [](double x, double n) {
        if (n == 0.0) return error(ErrorCode::Num);
        if (x >= 0.0) return numberResult(std::pow(x, 1.0 / n));
        if (n != std::trunc(n) || std::fmod(std::fabs(n), 2.0) != 1.0) return error(ErrorCode::Num);
        return numberResult(-std::pow(-x, 1.0 / n));
    });
}

Value fnExp(FnContext& ctx, Args args) {
    return unary(ctx, args, [](double x) { return numberResult(std::exp(x)); });
}

Value fnLn(FnContext& ctx, Args args) {
    return unary(ctx, args, [](double x) {
        if (x <= 0.0) return error(ErrorCode::Num);
        return numberResult(std::log(x));
    });
}

Value fnLog10(FnContext& ctx, Args args) {
    return unary(ctx, args, [](double x) {
        if (x <= 0.0) return error(ErrorCode::Num);
        return numberResult(std::log10(x));
    });
}

Value fnLog(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    auto x = in.number(0);
    auto base = in.number(1, 10.0);
    if (!x || !base) return in.failure();
    if (*x <= 0.0 || *base <= 0.0) return error(ErrorCode::Num);
    if (*base == 1.0) return error(ErrorCode::Div0);
    if (*base == 10.0) return numberResult(std::log10(*x));
    return numberResult(std::log(*x) / std::log(*base));
}

// --- trigonometry ----------------------------------------------------------------------------

Value fnSin(FnContext& ctx, Args args) {
    return unary(ctx, args, [](double x) { return trig(x, [](double v) { return std::sin(v); }); });
}

Value fnCos(FnContext& ctx, Args args) {
    return unary(ctx, args, [](double x) { return trig(x, [](double v) { return std::cos(v); }); });
}

Value fnTan(FnContext& ctx, Args args) {
    return unary(ctx, args, [](double x) { return trig(x, [](double v) { return std::tan(v); }); });
}

Value fnAsin(FnContext& ctx, Args args) {
    return unary(ctx, args, [](double x) {
        if (std::fabs(x) > 1.0) return error(ErrorCode::Num);
        return numberResult(std::asin(x));
    });
}

Value fnAcos(FnContext& ctx, Args args) {
    return unary(ctx, args, [](double x) {
        if (std::fabs(x) > 1.0) return error(ErrorCode::Num);
        return numberResult(std::acos(x));
    });
}

Value fnAtan(FnContext& ctx, Args args) {
    return unary(ctx, args, [](double x) { return numberResult(std::atan(x)); });
}

// ATAN2(x, y): the angle of the point (x, y), in (-pi, pi].
Value fnAtan2(FnContext& ctx, Args args) {
    return binary(ctx, args, [](double x, double y) {
        if (x == 0.0 && y == 0.0) return error(ErrorCode::Div0);
        return numberResult(std::atan2(y, x));
    });
}

Value fnSinh(FnContext& ctx, Args args) {
    return unary(ctx, args, [](double x) { return numberResult(std::sinh(x)); });
}

Value fnCosh(FnContext& ctx, Args args) {
    return unary(ctx, args, [](double x) { return numberResult(std::cosh(x)); });
}

Value fnTanh(FnContext& ctx, Args args) {
    return unary(ctx, args, [](double x) { return numberResult(std::tanh(x)); });
}

Value fnAsinh(FnContext& ctx, Args args) {
    return unary(ctx, args, [](double x) { return numberResult(std::asinh(x)); });
}

Value fnAcosh(FnContext& ctx, Args args) {
    return unary(ctx, args, [](double x) {
        if (x < 1.0) return error(ErrorCode::Num);
        return numberResult(std::acosh(x));
    });
}

Value fnAtanh(FnContext& ctx, Args args) {
    return unary(ctx, args, [](double x) {
        if (std::fabs(x) >= 1.0) return error(ErrorCode::Num);
        return numberResult(std::atanh(x));
    });
}

Value fnDegrees(FnContext& ctx, Args args) {
    return unary(ctx, args, [](double x) { return numberResult(x * 180.0 / std::numbers::pi); });
}

Value fnRadians(FnContext& ctx, Args args) {
    return unary(ctx, args, [](double x) { return numberResult(x * std::numbers::pi / 180.0); });
}

// --- counting --------------------------------------------------------------------------------

Value fnFact(FnContext& ctx, Args args) {
    return unary(ctx, args, [](double x) {
        double n = std::trunc(x);
        if (n < 0.0) return error(ErrorCode::Num);
        if (n > kLargestFactorial) return error(ErrorCode::Num);
        double product = 1.0;
        for (double k = 2.0; k <= n; k += 1.0)
            product *= k;
        return numberResult(product);
    });
}

// n! / (n - k)!, multiplied from n downwards; stops once the product overflows.
double fallingProduct(double n, double k) {
    double product = 1.0;
    for (double i = 0.0; i < k && std::isfinite(product); i += 1.0)
        product *= n - i;
    return product;
}

// A count that must be a whole number: drops the rounding noise of long products.
Value wholeResult(double v) {
    return numberResult(v < 9007199254740992.0 ? std::round(v) : v);
}

Value fnCombin(FnContext& ctx, Args args) {
    return binary(ctx, args, [](double nIn, double kIn) {
        double n = std::trunc(nIn), k = std::trunc(kIn);
        if (n < 0.0 || k < 0.0 || n < k) return error(ErrorCode::Num);
        k = std::fmin(k, n - k);
        double result = 1.0;
        for (double i = 1.0; i <= k && std::isfinite(result); i += 1.0)
            result = result * (n - k + i) / i;
        return wholeResult(result);
    });
}

Value fnPermut(FnContext& ctx, Args args) {
    return binary(ctx, args, [](double nIn, double kIn) {
        double n = std::trunc(nIn), k = std::trunc(kIn);
        if (n <= 0.0 || k < 0.0 || n < k) return error(ErrorCode::Num);
        return wholeResult(fallingProduct(n, k));
    });
}

constexpr std::array kFunctions = {
    BuiltinInfo{L"ABS", 1, 1, fnAbs, 0},           BuiltinInfo{L"ACOS", 1, 1, fnAcos, 0},
    BuiltinInfo{L"ACOSH", 1, 1, fnAcosh, 0},       BuiltinInfo{L"ASIN", 1, 1, fnAsin, 0},
    BuiltinInfo{L"ASINH", 1, 1, fnAsinh, 0},       BuiltinInfo{L"ATAN", 1, 1, fnAtan, 0},
    BuiltinInfo{L"ATAN2", 2, 2, fnAtan2, 0},       BuiltinInfo{L"ATANH", 1, 1, fnAtanh, 0},
    BuiltinInfo{L"COMBIN", 2, 2, fnCombin, 0},     BuiltinInfo{L"COS", 1, 1, fnCos, 0},
    BuiltinInfo{L"COSH", 1, 1, fnCosh, 0},         BuiltinInfo{L"DEGREES", 1, 1, fnDegrees, 0},
    BuiltinInfo{L"EXP", 1, 1, fnExp, 0},           BuiltinInfo{L"FACT", 1, 1, fnFact, 0},
    BuiltinInfo{L"INVERSE", 1, 1, fnInverse, 0},   BuiltinInfo{L"LN", 1, 1, fnLn, 0},
    BuiltinInfo{L"LOG", 1, 2, fnLog, 0},           BuiltinInfo{L"LOG10", 1, 1, fnLog10, 0},
    BuiltinInfo{L"MOD", 2, 2, fnMod, 0},           BuiltinInfo{L"NEG", 1, 1, fnNeg, 0},
    BuiltinInfo{L"PERMUT", 2, 2, fnPermut, 0},     BuiltinInfo{L"PI", 0, 0, fnPi, 0},
    BuiltinInfo{L"POWER", 2, 2, fnPower, 0},       BuiltinInfo{L"RADIANS", 1, 1, fnRadians, 0},
    BuiltinInfo{L"RAND", 0, 0, fnRand, kVolatile}, BuiltinInfo{L"SIGN", 1, 1, fnSign, 0},
    BuiltinInfo{L"SIN", 1, 1, fnSin, 0},           BuiltinInfo{L"SINH", 1, 1, fnSinh, 0},
    BuiltinInfo{L"SQRT", 1, 1, fnSqrt, 0},         BuiltinInfo{L"SQUARE", 1, 1, fnSquare, 0},
    BuiltinInfo{L"TAN", 1, 1, fnTan, 0},           BuiltinInfo{L"TANH", 1, 1, fnTanh, 0},
    BuiltinInfo{L"XROOT", 2, 2, fnXRoot, 0},
};

} // namespace

std::span<const BuiltinInfo> mathFunctions() {
    return kFunctions;
}

} // namespace gridx::fn
