// FROMTABLE. With 2 or 3 arguments the second is a cell of the table; with 3 the found text is
// written into the cell of the calling sheet named by the third and the call itself gives no
// value. With 4 arguments the value lies in the column captioned by the third argument, in the
// first row whose cell in the column captioned by the second equals the fourth (texts compared
// without regard to case).
#include "spread/FromTable.h"

#include "spread/CFormula.h"
#include "spread/GlobalStr.h"
#include "spread/SheetBeingEvaluated.h"
#include "spread/Trk_Spread.h"

#include "acutads.h"
#include "trk/KvTempResourceOverride.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

namespace {

constexpr int kDataText = 0;
// Tables that look values up in tables nest one dialog per level; a table that (through
// others) looks into itself stops here instead of exhausting the stack.
constexpr int kMaxNesting = 16;
int gNesting = 0;

struct CellAddress {
    int col = 0;
    int row = 0;
};

Trk_String dataText(const Trk_Spread& sheet, int col, int row) {
    Trk_String text;
    sheet.getCellText(col, row, kDataText, text);
    return text;
}

// A number's whole part as decimal text; none for a number no whole number can hold.
std::optional<Trk_String> wholeNumberText(double value) {
    if (!std::isfinite(value) || std::fabs(value) >= 9.2e18) return std::nullopt;
    return Trk_String(std::to_wstring(static_cast<long long>(value)));
}

// The text a key argument stands for; none for a range (the caller keeps the previous text).
std::optional<Trk_String> keyText(const SSVALUE& arg, const Trk_Spread& context) {
    switch (arg.Type) {
    case SS_VALUE_TYPE_LONG:
        return Trk_String(std::to_wstring(arg.ValLong));
    case SS_VALUE_TYPE_DOUBLE:
        return wholeNumberText(arg.ValDouble);
    case SS_VALUE_TYPE_STR:
        if (auto text = getGlobalStr(arg.hValStr)) return Trk_String(*text);
        return std::nullopt;
    case SS_VALUE_TYPE_CELL:
        return dataText(context, static_cast<int>(arg.ValCell.Col),
                        static_cast<int>(arg.ValCell.Row));
    default:
        return std::nullopt;
    }
}

// The first column 1..column count whose caption equals the text; 0 when none does.
int columnCaptioned(const Trk_Spread& table, const Trk_String& caption) {
    for (int col = 1; col <= table.colCount(); ++col)
        if (dataText(table, col, 0).equal(caption, false)) return col;
    return 0;
}

int rowHolding(const Trk_Spread& table, int col, const Trk_String& key) {
    for (int row = 1; row <= table.rowCount(); ++row)
        if (dataText(table, col, row).equal(key, false)) return row;
    return 0;
}

std::optional<CellAddress> cellByKeys(const Trk_Spread& table, const Trk_Spread& context,
                                      const SSVALUE* args) {
    Trk_String texts[3];
    Trk_String previous;
    for (int i = 0; i < 3; ++i) {
        if (auto text = keyText(args[i + 1], context)) previous = *text;
        texts[i] = previous;
    }
    const int keyColumn = columnCaptioned(table, texts[0]);
    const int valueColumn = columnCaptioned(table, texts[1]);
    if (keyColumn == 0 || valueColumn == 0) return std::nullopt;
    const int keyRow = rowHolding(table, keyColumn, texts[2]);
    if (keyRow == 0) return std::nullopt;
    return CellAddress{valueColumn, keyRow};
}

std::optional<CellAddress> targetCell(const Trk_Spread& table, const Trk_Spread& context,
                                      const SSVALUE* args, int argCount) {
    if (argCount == 4) return cellByKeys(table, context, args);
    if (argCount < 2 || args[1].Type != SS_VALUE_TYPE_CELL) return std::nullopt;
    return CellAddress{static_cast<int>(args[1].ValCell.Col),
                       static_cast<int>(args[1].ValCell.Row)};
}

void printResult(const SSVALUE& result) {
    switch (result.Type) {
    case SS_VALUE_TYPE_LONG:
        acutPrintf(L"Result is long: %i\n", static_cast<int>(result.ValLong));
        break;
    case SS_VALUE_TYPE_DOUBLE:
        acutPrintf(L"Result is double: %f\n", result.ValDouble);
        break;
    case SS_VALUE_TYPE_STR:
        acutPrintf(L"Result is string: %s\n", getGlobalStr(result.hValStr).value_or(L"").c_str());
        break;
    case SS_VALUE_TYPE_CELL:
        acutPrintf(L"Result is cell\n");
        break;
    default:
        acutPrintf(L"Result is range\n");
        break;
    }
}

// Reads the value of a table cell into the result as the cell's type gives it.
void readValue(Trk_Spread& table, CellAddress cell, SSVALUE& result) {
    Trk_String text;
    const bool read = table.getCellText(cell.col, cell.row, kDataText, text);
    switch (table.getCellType(cell.col, cell.row)) {
    case SS_TYPE_INTEGER:
    case SS_TYPE_CHECKBOX:
        result.Type = SS_VALUE_TYPE_LONG;
        result.ValLong =
            std::clamp(std::wcstol(text.c_str(), nullptr, 10), -2147483647L - 1L, 2147483647L);
        result.Status = read ? SS_VALUE_STATUS_OK : SS_VALUE_STATUS_ERROR;
        break;
    case SS_TYPE_NUMBER:
    case SS_TYPE_CURRENCY:
    case SS_TYPE_PERCENT: {
        double number = 0;
        const bool isNumber = SSGetFloat(table.GetSafeHwnd(), cell.col, cell.row, &number);
        result.Type = SS_VALUE_TYPE_DOUBLE;
        result.ValDouble = number;
        result.Status = read && isNumber ? SS_VALUE_STATUS_OK : SS_VALUE_STATUS_ERROR;
        break;
    }
    default:
        result.Type = SS_VALUE_TYPE_STR;
        result.hValStr = read ? setGlobalStr(text.str()) : nullptr;
        if (read && !result.hValStr) acutPrintf(L"Reallocate failed\n");
        // Without a block there is no text to give: the call reports an error, not a value.
        result.Status = result.hValStr ? SS_VALUE_STATUS_OK : SS_VALUE_STATUS_ERROR;
        break;
    }
    if (result.Status == SS_VALUE_STATUS_OK) printResult(result);
}

bool anyArgumentFailed(const SSVALUE* args, int argCount) {
    return std::any_of(args, args + argCount,
                       [](const SSVALUE& arg) { return arg.Status != SS_VALUE_STATUS_OK; });
}

} // namespace

bool registerFromTable(Trk_Spread& grid) {
    return grid.addCustomFunction(L"FROMTABLE", 2, 4, FromTableCallback, SS_CUSTFUNC_WANTCELLREF);
}

void evaluateFromTable(Trk_Spread& table, Trk_Spread* context, SSVALUE& result, const SSVALUE* args,
                       int argCount) {
    if (!context) return;
    result.Status = SS_VALUE_STATUS_EMPTY;
    if (!args || argCount < 1 || anyArgumentFailed(args, argCount)) return;
    if (args[0].Type != SS_VALUE_TYPE_STR) return;
    const auto path = getGlobalStr(args[0].hValStr);
    if (!path || table.loadFile(*path) != 1) return;
    registerFromTable(table);

    const auto target = targetCell(table, *context, args, argCount);
    if (!target) return;
    table.recalcCell(target->col, target->row);
    if (argCount == 3) {
        const SSVALUE& into = args[2];
        if (into.Type == SS_VALUE_TYPE_CELL)
            context->setCellData(static_cast<int>(into.ValCell.Col),
                                 static_cast<int>(into.ValCell.Row),
                                 dataText(table, target->col, target->row));
        return;
    }
    readValue(table, *target, result);
}

BOOL FromTableCallback(LPSSVALUE result, LPSSVALUE args, short argCount) {
    if (!result || gNesting >= kMaxNesting) return TRUE;
    ++gNesting;
    try {
        KvTempResourceOverride resources;
        CFormula dialog;
        dialog.mode = CFormula::kEvaluateFromTable;
        dialog.result = result;
        dialog.arguments = args;
        dialog.argumentCount = argCount;
        dialog.contextSheet = sheetBeingEvaluated();
        dialog.DoModal();
    } catch (...) {
        // Nothing may escape into the grid control's recalculation; the result stays as is.
    }
    --gNesting;
    return TRUE;
}
