// The conditions of COUNTIF and SUMIF: a number, boolean or error matches equal cells; a text
// may start with "=", "<>", "<", "<=", ">" or ">=" followed by a number, a date, TRUE/FALSE,
// an error text or a text (with * ? ~ wildcards for "=" and "<>"). Texts match in any case;
// a text in a cell that reads as a number equals that number (but is not less or greater).
#pragma once

#include "functions/TextUtil.h"
#include "grid/Value.h"

#include <optional>

namespace gridx::fn {

class Criterion {
public:
    explicit Criterion(const Value& criterion);

    // Whether a cell's value meets the condition (an empty cell is an empty value).
    bool matches(const Value& cell) const;

private:
    enum class Op : std::uint8_t { Eq, Ne, Lt, Le, Gt, Ge };
    enum class Operand : std::uint8_t { Blank, Number, Text, Boolean, Error };

    void parseText(std::wstring_view text);
    void setOperand(std::wstring_view rest);
    bool holds(int comparison) const; // the operator applied to a <0/0/>0 comparison
    bool matchesSameKind(const Value& cell, bool& comparable) const;

    Op op_ = Op::Eq;
    Operand operand_ = Operand::Number;
    bool explicitEquals_ = false; // "=" written: a blank operand then matches empty cells only
    double number_ = 0.0;
    bool boolean_ = false;
    ErrorCode error_ = ErrorCode::Value;
    std::wstring text_;
    std::optional<Wildcard> pattern_;
};

// Case-insensitive ordering of texts with the case mapping of TextUtil.h.
int compareTextFolded(std::wstring_view a, std::wstring_view b);

} // namespace gridx::fn
