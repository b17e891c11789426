// Formula texts: any bytes, set as a formula in either reference style, with or without
// validation, never crash the engine; a formula it accepts evaluates, and the text it shows in
// A1 style (and in R1C1 style) parses back to the same text, also after rows and columns move.
#include "grid/Sheet.h"

#include "win/utf8.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

using gridx::FormulaStatus;
using gridx::RefStyle;
using gridx::Sheet;
using gridx::Value;

constexpr int kCol = 3;
constexpr int kRow = 3;

void prepare(Sheet& sheet) {
    sheet.setConstant(1, 1, Value::number(1.5));
    sheet.setConstant(2, 2, Value::text(L"x"));
    sheet.setConstant(2, 4, Value::error(gridx::ErrorCode::NA));
    sheet.addCustomFunction(L"CF", 0, 3, gridx::kCellsAsReferences,
                            [](std::span<const gridx::CustomArg> args) {
                                return args.empty() ? Value() : args[0].value;
                            });
}

// The shown texts of the formula at (col, row) must read back unchanged.
void checkRoundTrip(Sheet& sheet, int col, int row) {
    if (!sheet.hasFormula(col, row)) return;
    const std::wstring a1 = sheet.formulaText(col, row, RefStyle::A1);
    const std::wstring r1c1 = sheet.formulaText(col, row, RefStyle::R1C1);
    if (sheet.setFormula(col, row, a1, RefStyle::A1, false) != FormulaStatus::Ok) std::abort();
    if (sheet.formulaText(col, row, RefStyle::A1) != a1) std::abort();
    if (sheet.setFormula(col, row, r1c1, RefStyle::R1C1, false) != FormulaStatus::Ok) std::abort();
    if (sheet.formulaText(col, row, RefStyle::A1) != a1) std::abort();
    if (sheet.formulaText(col, row, RefStyle::R1C1) != r1c1) std::abort();
}

void exercise(std::wstring_view text, RefStyle style, bool validate) {
    Sheet sheet;
    prepare(sheet);
    const FormulaStatus status = sheet.setFormula(kCol, kRow, text, style, validate);
    if (status != FormulaStatus::Ok) {
        if (sheet.hasFormula(kCol, kRow)) std::abort(); // a refused formula leaves nothing
        return;
    }
    (void)gridx::toText(sheet.value(kCol, kRow));
    checkRoundTrip(sheet, kCol, kRow);
    sheet.copyRange(gridx::RangeRef{kCol, kRow, kCol, kRow}, 1, 1);
    checkRoundTrip(sheet, 1, 1);
    sheet.insertRows(2, 1);
    checkRoundTrip(sheet, kCol, kRow + 1);
    sheet.deleteCols(1, 1);
    checkRoundTrip(sheet, kCol - 1, kRow + 1);
    sheet.recalc();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text =
        winx::fromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    for (RefStyle style : {RefStyle::A1, RefStyle::R1C1})
        for (bool validate : {false, true})
            exercise(text, style, validate);
    return 0;
}
