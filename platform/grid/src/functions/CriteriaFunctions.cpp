// COUNTIF and SUMIF.
#include "functions/ArgReader.h"
#include "functions/Criteria.h"
#include "functions/Library.h"

#include <array>

namespace gridx::fn {

namespace {

double cellCount(const RangeRef& range) {
    return static_cast<double>(range.cols()) * static_cast<double>(range.rows());
}

// The criterion of an argument; none for a block of several cells.
std::optional<Criterion> criterionOf(FnContext& ctx, const FnArg& arg) {
    if (arg.kind == FnArg::Kind::Range && (arg.range.cols() != 1 || arg.range.rows() != 1))
        return std::nullopt;
    return Criterion(scalarValue(ctx, arg));
}

// COUNTIF(range, criterion): the non-empty cells are tested one by one; the empty ones all
// at once.
Value fnCountIf(FnContext& ctx, Args args) {
    auto range = referenceOf(argAt(args, 0));
    if (!range) return Value::error(ErrorCode::Value);
    auto criterion = criterionOf(ctx, argAt(args, 1));
    if (!criterion) return Value::error(ErrorCode::Value);
    double matched = 0.0, nonEmpty = 0.0;
    ctx.forEachNonEmpty(*range, [&](int, int, const Value& v) {
        nonEmpty += 1.0;
        if (criterion->matches(v)) matched += 1.0;
        return true;
    });
    if (criterion->matches(Value())) matched += cellCount(*range) - nonEmpty;
    return Value::number(matched);
}

// SUMIF(range, criterion, [sumRange]): sums the numbers of sumRange (a block of the same shape
// anchored at its top-left cell, or the range itself) beside the cells that meet the criterion.
// An error in a summed cell propagates.
Value fnSumIf(FnContext& ctx, Args args) {
    auto range = referenceOf(argAt(args, 0));
    if (!range) return Value::error(ErrorCode::Value);
    auto criterion = criterionOf(ctx, argAt(args, 1));
    if (!criterion) return Value::error(ErrorCode::Value);
    RangeRef sumRange = *range;
    if (args.size() > 2) {
        auto anchor = referenceOf(args[2]);
        if (!anchor) return Value::error(ErrorCode::Value);
        sumRange = {anchor->col1, anchor->row1, anchor->col1 + range->cols() - 1,
                    anchor->row1 + range->rows() - 1};
    }
    int dc = range->col1 - sumRange.col1, dr = range->row1 - sumRange.row1;
    double sum = 0.0;
    std::optional<ErrorCode> error;
    ctx.forEachNonEmpty(sumRange, [&](int col, int row, const Value& v) {
        if (!v.isNumber() && !v.isError()) return true;
        if (!criterion->matches(ctx.cell(col + dc, row + dr))) return true;
        if (v.isError())
            error = v.asError();
        else
            sum += v.asNumber();
        return !error;
    });
    if (error) return Value::error(*error);
    return numberResult(sum);
}

constexpr std::array kFunctions = {
    BuiltinInfo{L"COUNTIF", 2, 2, fnCountIf, 0},
    BuiltinInfo{L"SUMIF", 2, 3, fnSumIf, 0},
};

} // namespace

std::span<const BuiltinInfo> criteriaFunctions() {
    return kFunctions;
}

} // namespace gridx::fn
