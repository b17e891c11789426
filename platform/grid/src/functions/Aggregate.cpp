#include "functions/Aggregate.h"

#include <cmath>

namespace gridx::fn {

namespace {

// The number a direct (non-reference) argument gives, or none for an empty value.
std::optional<double> directNumber(const FnArg& arg, std::optional<ErrorCode>& error) {
    if (arg.kind == FnArg::Kind::Missing) return 0.0;
    if (arg.value.isEmpty()) return std::nullopt;
    ErrorCode code = ErrorCode::Value;
    auto number = toNumber(arg.value, code);
    if (!number)
        error = code;
    else if (!std::isfinite(*number))
        error = ErrorCode::Num;
    return number;
}

std::optional<ErrorCode> walkRange(FnContext& ctx, const RangeRef& range,
                                   FunctionRef<void(double)> visit) {
    std::optional<ErrorCode> error;
    ctx.forEachNonEmpty(range, [&](int, int, const Value& v) {
        if (v.isError()) {
            error = v.asError();
            return false;
        }
        if (v.isNumber()) visit(v.asNumber());
        return true;
    });
    return error;
}

} // namespace

std::optional<ErrorCode> forEachNumber(FnContext& ctx, Args args, FunctionRef<void(double)> visit) {
    for (const FnArg& arg : args) {
        std::optional<ErrorCode> error;
        if (arg.kind == FnArg::Kind::Range) {
            error = walkRange(ctx, arg.range, visit);
        } else if (arg.kind == FnArg::Kind::Cell) {
            if (arg.value.isError())
                error = arg.value.asError();
            else if (arg.value.isNumber())
                visit(arg.value.asNumber());
        } else if (auto number = directNumber(arg, error)) {
            visit(*number);
        }
        if (error) return error;
    }
    return std::nullopt;
}

std::optional<ErrorCode> collectNumbers(FnContext& ctx, Args args, std::vector<double>& out) {
    return forEachNumber(ctx, args, [&](double v) { out.push_back(v); });
}

std::optional<ErrorCode> totals(FnContext& ctx, Args args, Totals& out) {
    auto add = [&](double v) {
        out.sum += v;
        out.sumOfSquares += v * v;
        out.count += 1.0;
    };
    for (const FnArg& arg : args) {
        if (arg.kind == FnArg::Kind::Range) {
            RangeStats stats = ctx.numberStats(arg.range);
            if (stats.hasError) return stats.firstError;
            out.sum += stats.sum;
            out.sumOfSquares += stats.sumOfSquares;
            out.count += stats.count;
        } else if (auto error = forEachNumber(ctx, Args(&arg, 1), add)) {
            return error;
        }
    }
    return std::nullopt;
}

} // namespace gridx::fn
