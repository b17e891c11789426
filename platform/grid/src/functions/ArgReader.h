// Reads the arguments of a built-in function as scalars, remembering the first failure so a
// function can read all it needs and then return one error value.
#pragma once

#include "grid/Functions.h"

#include <optional>
#include <span>
#include <string>

namespace gridx::fn {

using Args = std::span<const FnArg>;

// Texts longer than this are refused (#VALUE!) by every function that builds text.
constexpr std::size_t kMaxTextLength = 32767;

// A number result; NaN and infinities become #NUM!.
Value numberResult(double v);
// A text result; #VALUE! when longer than kMaxTextLength.
Value textResult(std::wstring_view text);

// The argument at `i`, or an omitted one when the call has fewer.
const FnArg& argAt(Args args, std::size_t i);

// The value of a scalar argument: a direct value or a cell's value; an omitted argument is
// empty; a multi-cell range is #VALUE! (a one-cell range gives its cell); a number that is
// not finite is #NUM!.
Value scalarValue(FnContext& ctx, const FnArg& arg);

// The block of cells an argument refers to, if it is a reference.
std::optional<RangeRef> referenceOf(const FnArg& arg);

// Argument accessors: an argument past the end of the list takes `fallback`; an omitted one
// (a bare comma) counts as 0, "" or FALSE. Each returns nullopt after recording the error.
class ArgReader {
public:
    ArgReader(FnContext& ctx, Args args) : ctx_(ctx), args_(args) {}

    std::size_t count() const { return args_.size(); }
    // Given and not omitted.
    bool present(std::size_t i) const;
    Value value(std::size_t i) const;
    std::optional<double> number(std::size_t i, double fallback = 0.0);
    // The number truncated toward zero.
    std::optional<double> integer(std::size_t i, double fallback = 0.0);
    std::optional<std::wstring> text(std::size_t i, std::wstring_view fallback = {});
    std::optional<bool> boolean(std::size_t i, bool fallback = false);

    bool failed() const { return error_.has_value(); }
    // The first error met, as a value (#VALUE! if none was recorded).
    Value failure() const { return Value::error(error_.value_or(ErrorCode::Value)); }
    // Records an error unless one is already recorded; returns nullopt for convenience.
    std::nullopt_t fail(ErrorCode code);

private:
    FnContext& ctx_;
    Args args_;
    std::optional<ErrorCode> error_;
};

} // namespace gridx::fn
