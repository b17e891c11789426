// SUM, ADD, AVERAGE, COUNT, COUNTA, MIN, MAX, PRODUCT, SUMSQ, MEDIAN, MODE, RANK, VAR, VARP,
// STDEV, STDEVP.
#include "functions/Aggregate.h"
#include "functions/Library.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <unordered_map>

namespace gridx::fn {

namespace {

Value fnSum(FnContext& ctx, Args args) {
    Totals t;
    if (auto error = totals(ctx, args, t)) return Value::error(*error);
    return numberResult(t.sum);
}

Value fnSumSq(FnContext& ctx, Args args) {
    Totals t;
    if (auto error = totals(ctx, args, t)) return Value::error(*error);
    return numberResult(t.sumOfSquares);
}

Value fnAverage(FnContext& ctx, Args args) {
    Totals t;
    if (auto error = totals(ctx, args, t)) return Value::error(*error);
    if (t.count == 0.0) return Value::error(ErrorCode::Div0);
    return numberResult(t.sum / t.count);
}

// A direct argument counts when it is, or reads as, a number; errors are never counted.
bool countsAsNumber(const FnArg& arg) {
    if (arg.kind == FnArg::Kind::Missing) return true;
    const Value& v = arg.value;
    if (arg.kind == FnArg::Kind::Cell) return v.isNumber();
    if (v.isNumber() || v.isBoolean()) return true;
    return v.isText() && parseNumber(v.asText()).has_value();
}

Value fnCount(FnContext& ctx, Args args) {
    double count = 0.0;
    for (const FnArg& arg : args) {
        if (arg.kind == FnArg::Kind::Range)
            count += ctx.numberStats(arg.range).count;
        else if (countsAsNumber(arg))
            count += 1.0;
    }
    return Value::number(count);
}

Value fnCountA(FnContext& ctx, Args args) {
    double count = 0.0;
    for (const FnArg& arg : args) {
        if (arg.kind == FnArg::Kind::Range) {
            ctx.forEachNonEmpty(arg.range, [&](int, int, const Value&) {
                count += 1.0;
                return true;
            });
        } else if (arg.kind == FnArg::Kind::Missing || !arg.value.isEmpty()) {
            count += 1.0;
        }
    }
    return Value::number(count);
}

// The smallest (or with `largest` the largest) number; 0 when there is none.
Value extreme(FnContext& ctx, Args args, bool largest) {
    bool any = false;
    double best = 0.0;
    auto error = forEachNumber(ctx, args, [&](double v) {
        if (!any || (largest ? v > best : v < best)) best = v;
        any = true;
    });
    if (error) return Value::error(*error);
    return numberResult(best);
}

Value fnMin(FnContext& ctx, Args args) {
    return extreme(ctx, args, false);
}

Value fnMax(FnContext& ctx, Args args) {
    return extreme(ctx, args, true);
}

Value fnProduct(FnContext& ctx, Args args) {
    bool any = false;
    double product = 1.0;
    auto error = forEachNumber(ctx, args, [&](double v) {
        product *= v;
        any = true;
    });
    if (error) return Value::error(*error);
    return numberResult(any ? product : 0.0);
}

Value fnMedian(FnContext& ctx, Args args) {
    std::vector<double> numbers;
    if (auto error = collectNumbers(ctx, args, numbers)) return Value::error(*error);
    if (numbers.empty()) return Value::error(ErrorCode::Num);
    auto middle = numbers.begin() + static_cast<std::ptrdiff_t>(numbers.size() / 2);
    std::nth_element(numbers.begin(), middle, numbers.end());
    double upper = *middle;
    if (numbers.size() % 2 == 1) return numberResult(upper);
    double lower = *std::max_element(numbers.begin(), middle);
    return numberResult(lower + (upper - lower) / 2.0);
}

// The most frequent number; among equally frequent ones the first met. #N/A when no number
// occurs twice.
Value fnMode(FnContext& ctx, Args args) {
    std::vector<double> numbers;
    if (auto error = collectNumbers(ctx, args, numbers)) return Value::error(*error);
    std::unordered_map<double, int> counts;
    for (double v : numbers)
        ++counts[v == 0.0 ? 0.0 : v];
    int bestCount = 1;
    double best = 0.0;
    for (double v : numbers) {
        int n = counts[v == 0.0 ? 0.0 : v];
        if (n > bestCount) {
            bestCount = n;
            best = v;
        }
    }
    if (bestCount < 2) return Value::error(ErrorCode::NA);
    return numberResult(best);
}

// Sum of squared deviations from the mean (two passes: the mean first, then the deviations)
// and the count, for VAR, VARP, STDEV and STDEVP.
struct Spread {
    double squares = 0.0;
    double count = 0.0;
};

std::optional<ErrorCode> spreadOf(FnContext& ctx, Args args, Spread& out) {
    Totals t;
    if (auto error = totals(ctx, args, t)) return error;
    out.count = t.count;
    if (t.count == 0.0) return std::nullopt;
    double mean = t.sum / t.count;
    return forEachNumber(ctx, args, [&](double v) { out.squares += (v - mean) * (v - mean); });
}

Value variance(FnContext& ctx, Args args, bool sample, bool root) {
    Spread s;
    if (auto error = spreadOf(ctx, args, s)) return Value::error(*error);
    double divisor = sample ? s.count - 1.0 : s.count;
    if (divisor <= 0.0) return Value::error(ErrorCode::Div0);
    double v = s.squares / divisor;
    return numberResult(root ? std::sqrt(v) : v);
}

Value fnVar(FnContext& ctx, Args args) {
    return variance(ctx, args, true, false);
}

Value fnVarP(FnContext& ctx, Args args) {
    return variance(ctx, args, false, false);
}

Value fnStDev(FnContext& ctx, Args args) {
    return variance(ctx, args, true, true);
}

Value fnStDevP(FnContext& ctx, Args args) {
    return variance(ctx, args, false, true);
}

// RANK(number, ref, [order]): 1 + how many numbers of ref are greater (order 0) or smaller
// (order non-zero); #N/A when the number is not among them.
Value fnRank(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    auto number = in.number(0);
    auto order = in.number(2, 0.0);
    if (!number || !order) return in.failure();
    auto ref = referenceOf(argAt(args, 1));
    if (!ref) return Value::error(ErrorCode::Value);
    double before = 0.0;
    bool found = false;
    std::optional<ErrorCode> error;
    ctx.forEachNonEmpty(*ref, [&](int, int, const Value& v) {
        if (v.isError()) error = v.asError();
        if (!v.isNumber()) return !error;
        double x = v.asNumber();
        found = found || x == *number;
        if (*order == 0.0 ? x > *number : x < *number) before += 1.0;
        return true;
    });
    if (error) return Value::error(*error);
    if (!found) return Value::error(ErrorCode::NA);
    return Value::number(before + 1.0);
}

constexpr std::array kFunctions = {
    BuiltinInfo{L"ADD", 1, kAnyArgs, fnSum, 0},
    BuiltinInfo{L"AVERAGE", 1, kAnyArgs, fnAverage, 0},
    BuiltinInfo{L"COUNT", 1, kAnyArgs, fnCount, 0},
    BuiltinInfo{L"COUNTA", 1, kAnyArgs, fnCountA, 0},
    BuiltinInfo{L"MAX", 1, kAnyArgs, fnMax, 0},
    BuiltinInfo{L"MEDIAN", 1, kAnyArgs, fnMedian, 0},
    BuiltinInfo{L"MIN", 1, kAnyArgs, fnMin, 0},
    BuiltinInfo{L"MODE", 1, kAnyArgs, fnMode, 0},
    BuiltinInfo{L"PRODUCT", 1, kAnyArgs, fnProduct, 0},
    BuiltinInfo{L"RANK", 2, 3, fnRank, 0},
    BuiltinInfo{L"STDEV", 1, kAnyArgs, fnStDev, 0},
    BuiltinInfo{L"STDEVP", 1, kAnyArgs, fnStDevP, 0},
    BuiltinInfo{L"SUM", 1, kAnyArgs, fnSum, 0},
    BuiltinInfo{L"SUMSQ", 1, kAnyArgs, fnSumSq, 0},
    BuiltinInfo{L"VAR", 1, kAnyArgs, fnVar, 0},
    BuiltinInfo{L"VARP", 1, kAnyArgs, fnVarP, 0},
};

} // namespace

std::span<const BuiltinInfo> statisticalFunctions() {
    return kFunctions;
}

} // namespace gridx::fn
