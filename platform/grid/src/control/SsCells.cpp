// SS functions of cell contents: data, values, formulas, numbers and tags.
#include "SsCommon.h"

#include "CellText.h"

#include <cmath>
#include <cwctype>

using gridx::CellRef;
using gridx::FormulaStatus;
using gridx::Value;
using gridx::control::cellOf;
using gridx::control::copyOut;
using gridx::control::GridRef;
using gridx::control::GridWindow;

namespace {

// The texts a cell is read as.
enum TextKind { kDataText, kValueText, kFormulaText, kTagText };

// The text a length query computed, kept for the read that callers make right after it to fill
// the buffer they sized: that read takes it when no call reached any grid in between.
struct LengthQuery {
    HWND hwnd = nullptr;
    SS_COORD col = 0;
    SS_COORD row = 0;
    int kind = -1; // a TextKind, -1 when the text was taken
    std::uint64_t callCount = 0;
    std::wstring text;
};

thread_local LengthQuery lastLengthQuery;

// Runs `read` on a cell of the grid and copies its text out; 0 when there is no such cell. A
// null buffer asks for the length only.
template <typename Read>
int readText(HWND hwnd, SS_COORD col, SS_COORD row, LPWSTR buffer, int kind, Read read) {
    GridRef grid(hwnd);
    if (!grid) return 0;
    const auto cell = cellOf(*grid, col, row);
    if (!cell) {
        copyOut(L"", buffer);
        return 0;
    }
    LengthQuery& query = lastLengthQuery;
    if (buffer && query.callCount + 1 == gridx::control::gridCallCount() && query.hwnd == hwnd &&
        query.col == col && query.row == row && query.kind == kind) {
        query.kind = -1;
        return copyOut(query.text, buffer);
    }
    std::wstring text = read(*grid, *cell);
    const int length = copyOut(text, buffer);
    if (!buffer) {
        query = LengthQuery{hwnd, col, row, kind, gridx::control::gridCallCount(), std::move(text)};
    }
    return length;
}

BOOL writeText(HWND hwnd, SS_COORD col, SS_COORD row, LPCWSTR text) {
    GridRef grid(hwnd);
    if (!grid) return FALSE;
    const auto cell = cellOf(*grid, col, row);
    if (!cell) return FALSE;
    return gridx::control::toBool(
        gridx::control::writeData(*grid, *cell, text ? std::wstring_view(text) : L""));
}

bool blank(std::wstring_view text) {
    for (wchar_t c : text) {
        if (!std::iswspace(c)) return false;
    }
    return true;
}

} // namespace

BOOL SSSetData(HWND hwnd, SS_COORD col, SS_COORD row, LPCWSTR data) {
    return writeText(hwnd, col, row, data);
}

int SSGetData(HWND hwnd, SS_COORD col, SS_COORD row, LPWSTR buffer) {
    return readText(hwnd, col, row, buffer, kDataText, gridx::control::cellDataText);
}

int SSGetDataLen(HWND hwnd, SS_COORD col, SS_COORD row) {
    return SSGetData(hwnd, col, row, nullptr);
}

BOOL SSSetValue(HWND hwnd, SS_COORD col, SS_COORD row, LPCWSTR value) {
    return writeText(hwnd, col, row, value);
}

int SSGetValue(HWND hwnd, SS_COORD col, SS_COORD row, LPWSTR buffer) {
    return readText(hwnd, col, row, buffer, kValueText, gridx::control::cellValueText);
}

int SSGetValueLen(HWND hwnd, SS_COORD col, SS_COORD row) {
    return SSGetValue(hwnd, col, row, nullptr);
}

BOOL SSSetFormula(HWND hwnd, SS_COORD col, SS_COORD row, LPCWSTR formula, BOOL validate) {
    GridRef grid(hwnd);
    if (!grid || !formula) return FALSE;
    const auto cell = cellOf(*grid, col, row);
    if (!cell) return FALSE;
    const std::wstring_view text(formula);
    bool done = false;
    if (blank(text) || text == L"=") {
        done = grid->sheet().clearCell(cell->col, cell->row);
    } else {
        done = grid->sheet().setFormula(cell->col, cell->row, text, grid->refStyle(),
                                        validate != FALSE) == FormulaStatus::Ok;
    }
    if (done) gridx::control::refreshEditor(*grid, *cell);
    return gridx::control::toBool(done);
}

int SSGetFormula(HWND hwnd, SS_COORD col, SS_COORD row, LPWSTR buffer) {
    return readText(hwnd, col, row, buffer, kFormulaText, [](GridWindow& grid, CellRef cell) {
        return grid.sheet().formulaText(cell.col, cell.row, grid.refStyle());
    });
}

int SSGetFormulaLen(HWND hwnd, SS_COORD col, SS_COORD row) {
    return SSGetFormula(hwnd, col, row, nullptr);
}

BOOL SSSetFloat(HWND hwnd, SS_COORD col, SS_COORD row, double value) {
    GridRef grid(hwnd);
    if (!grid || !std::isfinite(value)) return FALSE;
    const auto cell = cellOf(*grid, col, row);
    if (!cell) return FALSE;
    const bool done = grid->sheet().setConstant(cell->col, cell->row, Value::number(value));
    gridx::control::refreshEditor(*grid, *cell);
    return gridx::control::toBool(done);
}

BOOL SSGetFloat(HWND hwnd, SS_COORD col, SS_COORD row, double* value) {
    GridRef grid(hwnd);
    if (!grid) return FALSE;
    const auto cell = cellOf(*grid, col, row);
    if (!cell) return FALSE;
    const auto number = gridx::control::numberFrom(grid->sheet().value(cell->col, cell->row));
    if (!number) return FALSE;
    if (value) *value = *number;
    return TRUE;
}

BOOL SSSetCellTag(HWND hwnd, SS_COORD col, SS_COORD row, LPCWSTR tag) {
    GridRef grid(hwnd);
    if (!grid) return FALSE;
    const auto cell = cellOf(*grid, col, row);
    if (!cell) return FALSE;
    grid->format().setTag(cell->col, cell->row, tag ? std::wstring_view(tag) : L"");
    return TRUE;
}

int SSGetCellTag(HWND hwnd, SS_COORD col, SS_COORD row, LPWSTR buffer) {
    return readText(hwnd, col, row, buffer, kTagText, [](GridWindow& grid, CellRef cell) {
        return std::wstring(grid.format().tag(cell.col, cell.row));
    });
}

BOOL SSGetCellSendingMsg(HWND hwnd, LPSS_COORD col, LPSS_COORD row) {
    GridRef grid(hwnd);
    if (!grid || !grid->sending) return FALSE;
    if (col) *col = grid->sending->col;
    if (row) *row = grid->sending->row;
    return TRUE;
}
