#include "functions/ArgReader.h"

#include <cmath>

namespace gridx::fn {

Value numberResult(double v) {
    if (!std::isfinite(v)) return Value::error(ErrorCode::Num);
    return Value::number(v == 0.0 ? 0.0 : v);
}

Value textResult(std::wstring_view text) {
    if (text.size() > kMaxTextLength) return Value::error(ErrorCode::Value);
    return Value::text(text);
}

const FnArg& argAt(Args args, std::size_t i) {
    static const FnArg omitted;
    return i < args.size() ? args[i] : omitted;
}

namespace {

// A number that is not finite never takes part in a calculation: it reads as #NUM!.
Value checked(const Value& v) {
    if (v.isNumber() && !std::isfinite(v.asNumber())) return Value::error(ErrorCode::Num);
    return v;
}

} // namespace

Value scalarValue(FnContext& ctx, const FnArg& arg) {
    switch (arg.kind) {
    case FnArg::Kind::Value:
    case FnArg::Kind::Cell:
        return checked(arg.value);
    case FnArg::Kind::Range:
        if (arg.range.cols() == 1 && arg.range.rows() == 1)
            return checked(ctx.cell(arg.range.col1, arg.range.row1));
        return Value::error(ErrorCode::Value);
    case FnArg::Kind::Missing:
        break;
    }
    return {};
}

std::optional<RangeRef> referenceOf(const FnArg& arg) {
    if (arg.kind == FnArg::Kind::Range) return arg.range;
    if (arg.kind == FnArg::Kind::Cell) return arg.range;
    return std::nullopt;
}

bool ArgReader::present(std::size_t i) const {
    return i < args_.size() && args_[i].kind != FnArg::Kind::Missing;
}

Value ArgReader::value(std::size_t i) const {
    if (i >= args_.size()) return {};
    return scalarValue(ctx_, args_[i]);
}

std::nullopt_t ArgReader::fail(ErrorCode code) {
    if (!error_) error_ = code;
    return std::nullopt;
}

std::optional<double> ArgReader::number(std::size_t i, double fallback) {
    if (i >= args_.size()) return fallback;
    ErrorCode error = ErrorCode::Value;
    auto result = toNumber(value(i), error);
    if (!result) return fail(error);
    return result;
}

std::optional<double> ArgReader::integer(std::size_t i, double fallback) {
    auto result = number(i, fallback);
    if (!result) return result;
    return std::trunc(*result);
}

std::optional<std::wstring> ArgReader::text(std::size_t i, std::wstring_view fallback) {
    if (i >= args_.size()) return std::wstring(fallback);
    Value v = value(i);
    if (v.isError()) return fail(v.asError());
    return toText(v);
}

std::optional<bool> ArgReader::boolean(std::size_t i, bool fallback) {
    if (i >= args_.size()) return fallback;
    ErrorCode error = ErrorCode::Value;
    auto result = toBoolean(value(i), error);
    if (!result) return fail(error);
    return result;
}

} // namespace gridx::fn
