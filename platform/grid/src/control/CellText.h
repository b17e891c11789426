// How a cell's type turns written text into a value and a value into the texts it shows.
#pragma once

#include "grid/Format.h"
#include "grid/Value.h"

#include <optional>
#include <string>
#include <string_view>

namespace gridx::control {

// The value written data becomes: empty text empties the cell; a general or numeric cell reads
// numbers (numeric cells also with thousands separators); a check box keeps 1 or 0; every other
// type keeps the text.
Value valueFromData(const CellType& type, std::wstring_view text);

// The value as its type shows it: N decimals for numeric cells, whole numbers for integer cells,
// "1"/"0" for check boxes, the plain text form otherwise.
std::wstring valueText(const CellType& type, const Value& value);
// As valueText, with thousands separators where a numeric type asks for them.
std::wstring dataText(const CellType& type, const Value& value);

// The number a value holds (numeric text included); empty for anything else.
std::optional<double> numberFrom(const Value& value);

// Fixed-point text with `decimals` places, halves rounded away from zero, no "-0".
std::wstring fixedText(double v, int decimals);

} // namespace gridx::control
