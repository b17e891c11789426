// How aggregate functions (SUM, AVERAGE, MIN, STDEV, ...) take numbers from their arguments:
// a direct value is coerced (a text that is no number is #VALUE!), an omitted argument counts
// as 0, and cells and ranges give only their numbers (texts, booleans and empty cells are
// skipped, errors propagate).
#pragma once

#include "functions/ArgReader.h"

#include <optional>
#include <vector>

namespace gridx::fn {

// Calls `visit` for each number in argument order, ranges row by row. Stops at and returns
// the first error.
std::optional<ErrorCode> forEachNumber(FnContext& ctx, Args args, FunctionRef<void(double)> visit);

// The numbers forEachNumber visits, in order; the error when one stops the walk.
std::optional<ErrorCode> collectNumbers(FnContext& ctx, Args args, std::vector<double>& out);

struct Totals {
    double sum = 0.0;
    double sumOfSquares = 0.0;
    double count = 0.0;
};

// Sum, sum of squares and count of the numbers forEachNumber visits; ranges are answered by
// the sheet's range statistics.
std::optional<ErrorCode> totals(FnContext& ctx, Args args, Totals& out);

} // namespace gridx::fn
