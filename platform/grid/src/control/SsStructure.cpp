// SS functions of the grid's structure: spans, copies, swaps, inserted and deleted rows and
// columns. Contents (the sheet) and formatting (the format model) always move together.
#include "SsCommon.h"

#include <algorithm>
#include <climits>

using gridx::RangeRef;
using gridx::Span;
using gridx::control::cellOf;
using gridx::control::GridRef;
using gridx::control::GridWindow;
using gridx::control::indexOf;
using gridx::control::toBool;

namespace {

int countOf(SS_COORD count) {
    return static_cast<int>(std::clamp<SS_COORD>(count, 0, INT_MAX));
}

// The source block of a copy or swap and its destination corner, cut so that both lie in the grid;
// -1 bounds stand for the whole extent. Empty when nothing remains.
std::optional<std::pair<RangeRef, gridx::CellRef>> clipMove(GridWindow& grid, SS_COORD col,
                                                            SS_COORD row, SS_COORD col2,
                                                            SS_COORD row2, SS_COORD destCol,
                                                            SS_COORD destRow) {
    const int maxCols = grid.sheet().maxCols();
    const int maxRows = grid.sheet().maxRows();
    RangeRef s = gridx::control::blockOf(col, row, col2, row2);
    if (s.col1 == gridx::kAll || s.col2 == gridx::kAll) {
        s.col1 = 0;
        s.col2 = maxCols;
    }
    if (s.row1 == gridx::kAll || s.row2 == gridx::kAll) {
        s.row1 = 0;
        s.row2 = maxRows;
    }
    const int dc = indexOf(destCol);
    const int dr = indexOf(destRow);
    if (s.col1 < 0 || s.row1 < 0 || dc < 0 || dr < 0 || dc > maxCols || dr > maxRows)
        return std::nullopt;
    const long long shiftCols = static_cast<long long>(dc) - s.col1;
    const long long shiftRows = static_cast<long long>(dr) - s.row1;
    s.col2 = static_cast<int>(std::min<long long>({s.col2, maxCols, maxCols - shiftCols}));
    s.row2 = static_cast<int>(std::min<long long>({s.row2, maxRows, maxRows - shiftRows}));
    if (s.col1 > s.col2 || s.row1 > s.row2) return std::nullopt;
    return std::make_pair(s, gridx::CellRef{dc, dr});
}

// Leaves edit mode (keeping what was typed) before the cells move under the editor.
void settleEditor(GridWindow& grid) {
    gridx::control::closeEditor(grid, true);
}

// Copies or swaps a block onto the block at (destCol, destRow), both clipped to the grid.
BOOL changeBlock(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2,
                 SS_COORD destCol, SS_COORD destRow,
                 void (gridx::Document::*change)(const RangeRef& source, int destCol,
                                                 int destRow)) {
    GridRef grid(hwnd);
    if (!grid) return FALSE;
    const auto move = clipMove(*grid, col, row, col2, row2, destCol, destRow);
    if (!move) return FALSE;
    settleEditor(*grid);
    (grid->doc().*change)(move->first, move->second.col, move->second.row);
    return TRUE;
}

enum class Axis { Rows, Cols };

// Inserts or deletes one row or column at an index inside the grid.
BOOL changeStructure(HWND hwnd, SS_COORD index, Axis axis,
                     void (gridx::Document::*change)(int at, int count)) {
    GridRef grid(hwnd);
    if (!grid) return FALSE;
    const int at = indexOf(index);
    const int last = axis == Axis::Rows ? grid->sheet().maxRows() : grid->sheet().maxCols();
    if (at < 1 || at > last) return FALSE;
    settleEditor(*grid);
    (grid->doc().*change)(at, 1);
    return TRUE;
}

} // namespace

BOOL SSAddCellSpan(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD numCols, SS_COORD numRows) {
    GridRef grid(hwnd);
    if (!grid) return FALSE;
    const auto cell = cellOf(*grid, col, row);
    if (!cell || numCols < 1 || numRows < 1) return FALSE;
    return toBool(grid->format().addSpan(cell->col, cell->row, countOf(numCols), countOf(numRows)));
}

BOOL SSRemoveCellSpan(HWND hwnd, SS_COORD col, SS_COORD row) {
    GridRef grid(hwnd);
    if (!grid) return FALSE;
    const auto cell = cellOf(*grid, col, row);
    return toBool(cell && grid->format().removeSpan(cell->col, cell->row));
}

WORD SSGetCellSpan(HWND hwnd, SS_COORD col, SS_COORD row, LPSS_COORD anchorCol,
                   LPSS_COORD anchorRow, LPSS_COORD numCols, LPSS_COORD numRows) {
    GridRef grid(hwnd);
    if (!grid) return SS_SPAN_NO;
    const auto cell = cellOf(*grid, col, row);
    if (!cell) return SS_SPAN_NO;
    const auto span = grid->format().spanAt(cell->col, cell->row);
    const Span shown = span ? *span : Span{cell->col, cell->row, 1, 1};
    if (anchorCol) *anchorCol = shown.col;
    if (anchorRow) *anchorRow = shown.row;
    if (numCols) *numCols = shown.cols;
    if (numRows) *numRows = shown.rows;
    if (!span) return SS_SPAN_NO;
    return span->col == cell->col && span->row == cell->row ? SS_SPAN_ANCHOR : SS_SPAN_YES;
}

BOOL SSCopyRange(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2,
                 SS_COORD destCol, SS_COORD destRow) {
    return changeBlock(hwnd, col, row, col2, row2, destCol, destRow, &gridx::Document::copyRange);
}

BOOL SSSwapRange(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2,
                 SS_COORD destCol, SS_COORD destRow) {
    return changeBlock(hwnd, col, row, col2, row2, destCol, destRow, &gridx::Document::swapRanges);
}

BOOL SSInsRow(HWND hwnd, SS_COORD row) {
    return changeStructure(hwnd, row, Axis::Rows, &gridx::Document::insertRows);
}

BOOL SSDelRow(HWND hwnd, SS_COORD row) {
    return changeStructure(hwnd, row, Axis::Rows, &gridx::Document::deleteRows);
}

BOOL SSInsCol(HWND hwnd, SS_COORD col) {
    return changeStructure(hwnd, col, Axis::Cols, &gridx::Document::insertCols);
}

BOOL SSDelCol(HWND hwnd, SS_COORD col) {
    return changeStructure(hwnd, col, Axis::Cols, &gridx::Document::deleteCols);
}
