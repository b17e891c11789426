// Fixture for sheet tests: cells are named in A1 form and contents are typed as a user would.
#pragma once

#include "grid/Sheet.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace gridx::testing {

// Column and row of an A1 name such as "B3" (no "$").
inline CellRef cellAt(std::wstring_view name) {
    CellRef ref;
    std::size_t i = 0;
    while (i < name.size() && name[i] >= L'A' && name[i] <= L'Z')
        ref.col = ref.col * 26 + (name[i++] - L'A' + 1);
    while (i < name.size() && name[i] >= L'0' && name[i] <= L'9')
        ref.row = ref.row * 10 + (name[i++] - L'0');
    return ref;
}

class SheetTest : public ::testing::Test {
protected:
    // "=..." sets a formula; text that reads as a number sets a number; other text sets text.
    FormulaStatus set(std::wstring_view cell, std::wstring_view content,
                      RefStyle style = RefStyle::A1, bool validate = false) {
        const CellRef ref = cellAt(cell);
        if (!content.empty() && content.front() == L'=')
            return sheet.setFormula(ref.col, ref.row, content, style, validate);
        if (auto number = parseNumber(content))
            sheet.setConstant(ref.col, ref.row, Value::number(*number));
        else
            sheet.setConstant(ref.col, ref.row, Value::text(content));
        return FormulaStatus::Ok;
    }
    void setNumber(std::wstring_view cell, double v) {
        const CellRef ref = cellAt(cell);
        sheet.setConstant(ref.col, ref.row, Value::number(v));
    }
    const Value& value(std::wstring_view cell) const {
        const CellRef ref = cellAt(cell);
        return sheet.value(ref.col, ref.row);
    }
    // The value as a cell shows it without a number format.
    std::wstring text(std::wstring_view cell) const { return toText(value(cell)); }
    double number(std::wstring_view cell) const { return value(cell).asNumber(); }
    std::wstring formula(std::wstring_view cell, RefStyle style = RefStyle::A1) const {
        const CellRef ref = cellAt(cell);
        return sheet.formulaText(ref.col, ref.row, style);
    }
    // The value of a formula typed into a spare cell.
    std::wstring eval(std::wstring_view formulaText) {
        EXPECT_EQ(set(L"Z100", formulaText), FormulaStatus::Ok) << std::wstring(formulaText);
        return text(L"Z100");
    }

    Sheet sheet;
};

} // namespace gridx::testing
