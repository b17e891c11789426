// SS functions of sizes: counts, column widths, row heights, text extents, hidden rows.
#include "SsCommon.h"

#include "win/winuser.h"

#include <algorithm>
#include <climits>
#include <cmath>

using gridx::CellFont;
using gridx::CellKind;
using gridx::CellRef;
using gridx::kAll;
using gridx::control::cellOf;
using gridx::control::GridRef;
using gridx::control::GridWindow;
using gridx::control::indexOf;
using gridx::control::toBool;

namespace {

constexpr int kScrollBarSize = 17;
constexpr int kCheckBoxPixels = 16;
constexpr int kRowPadding = 3;

int clampCount(SS_COORD count) {
    return static_cast<int>(std::clamp<SS_COORD>(count, 0, INT_MAX));
}

// Closes an editor whose cell went away with a smaller count.
void dropLostEditor(GridWindow& grid) {
    if (grid.editor.on && !gridx::control::activeCell(grid)) grid.editor = {};
}

// A column index for size calls: SS_ALLCOLS (every column) or a column of the grid.
std::optional<int> colIndex(GridWindow& grid, SS_COORD col) {
    if (col == SS_ALLCOLS) return kAll;
    const int c = indexOf(col);
    if (c < 0 || c > grid.sheet().maxCols()) return std::nullopt;
    return c;
}

std::optional<int> rowIndex(GridWindow& grid, SS_COORD row) {
    if (row == SS_ALLROWS) return kAll;
    const int r = indexOf(row);
    if (r < 0 || r > grid.sheet().maxRows()) return std::nullopt;
    return r;
}

int charWidth(const CellFont& font) {
    const int height = std::abs(font.height == 0 ? 11 : font.height);
    return std::max(1, (height * 6 + 5) / 11);
}

int lineHeight(const CellFont& font) {
    const int height = std::abs(font.height == 0 ? 11 : font.height);
    return std::max(1, (height * 13 + 5) / 11);
}

struct Extent {
    int width = 0;  // pixels
    int height = 0; // pixels
};

// The pixels a cell's shown text needs: the longest line and the lines, in the cell's font.
Extent textExtent(GridWindow& grid, CellRef cell) {
    const std::wstring text = gridx::control::shownText(grid, cell);
    const gridx::CellFormat format = grid.format().cell(cell.col, cell.row);
    std::size_t longest = 0;
    std::size_t lines = 1;
    std::size_t current = 0;
    for (wchar_t c : text) {
        if (c == L'\n') {
            ++lines;
            current = 0;
        } else if (c != L'\r') {
            longest = std::max(longest, ++current);
        }
    }
    Extent extent;
    extent.width =
        static_cast<int>(std::min<std::size_t>(longest, 1000000)) * charWidth(format.font);
    if (format.type.kind == CellKind::CheckBox) extent.width += kCheckBoxPixels;
    extent.height =
        static_cast<int>(std::min<std::size_t>(lines, 100000)) * lineHeight(format.font);
    if (text.empty() && format.type.kind != CellKind::CheckBox) extent.width = 0;
    return extent;
}

double widthUnits(int pixels) {
    return pixels <= 0 ? 0.0 : gridx::pixelsToColWidth(pixels + 4);
}

double heightUnits(int pixels) {
    return gridx::pixelsToRowHeight(pixels + kRowPadding);
}

bool hasShownText(GridWindow& grid, CellRef cell) {
    return !gridx::control::shownText(grid, cell).empty() ||
           grid.format().cellType(cell.col, cell.row).kind == CellKind::CheckBox;
}

} // namespace

SS_COORD SSGetMaxRows(HWND hwnd) {
    GridRef grid(hwnd);
    return grid ? grid->sheet().maxRows() : -1;
}

BOOL SSSetMaxRows(HWND hwnd, SS_COORD rows) {
    GridRef grid(hwnd);
    if (!grid || rows < 0) return FALSE;
    grid->doc().setMaxRows(clampCount(rows));
    dropLostEditor(*grid);
    return TRUE;
}

SS_COORD SSGetMaxCols(HWND hwnd) {
    GridRef grid(hwnd);
    return grid ? grid->sheet().maxCols() : -1;
}

BOOL SSSetMaxCols(HWND hwnd, SS_COORD cols) {
    GridRef grid(hwnd);
    if (!grid || cols < 0) return FALSE;
    grid->doc().setMaxCols(clampCount(cols));
    dropLostEditor(*grid);
    return TRUE;
}

BOOL SSSetColWidth(HWND hwnd, SS_COORD col, double width) {
    GridRef grid(hwnd);
    if (!grid || !std::isfinite(width)) return FALSE;
    const auto c = colIndex(*grid, col);
    if (!c) return FALSE;
    grid->format().setColWidth(*c, std::max(width, 0.0));
    return TRUE;
}

BOOL SSGetColWidth(HWND hwnd, SS_COORD col, double* width) {
    GridRef grid(hwnd);
    if (!grid || !width) return FALSE;
    const auto c = colIndex(*grid, col);
    if (!c || *c == kAll) return FALSE;
    *width = grid->format().colWidth(*c);
    return TRUE;
}

BOOL SSSetColWidthInPixels(HWND hwnd, SS_COORD col, int pixels) {
    return SSSetColWidth(hwnd, col, gridx::pixelsToColWidth(pixels));
}

BOOL SSGetColWidthInPixels(HWND hwnd, SS_COORD col, int* pixels) {
    double width = 0.0;
    if (!pixels || !SSGetColWidth(hwnd, col, &width)) return FALSE;
    *pixels = gridx::colWidthToPixels(width);
    return TRUE;
}

BOOL SSLogUnitsToColWidth(HWND hwnd, int pixels, double* width) {
    GridRef grid(hwnd);
    if (!grid || !width) return FALSE;
    *width = gridx::pixelsToColWidth(pixels);
    return TRUE;
}

BOOL SSSetRowHeight(HWND hwnd, SS_COORD row, double height) {
    GridRef grid(hwnd);
    if (!grid || !std::isfinite(height)) return FALSE;
    const auto r = rowIndex(*grid, row);
    if (!r) return FALSE;
    grid->format().setRowHeight(*r, std::max(height, 0.0));
    return TRUE;
}

BOOL SSGetRowHeight(HWND hwnd, SS_COORD row, double* height) {
    GridRef grid(hwnd);
    if (!grid || !height) return FALSE;
    const auto r = rowIndex(*grid, row);
    if (!r || *r == kAll) return FALSE;
    *height = grid->format().rowHeight(*r);
    return TRUE;
}

BOOL SSSetRowHeightInPixels(HWND hwnd, SS_COORD row, int pixels) {
    return SSSetRowHeight(hwnd, row, gridx::pixelsToRowHeight(pixels));
}

BOOL SSGetRowHeightInPixels(HWND hwnd, SS_COORD row, int* pixels) {
    double height = 0.0;
    if (!pixels || !SSGetRowHeight(hwnd, row, &height)) return FALSE;
    *pixels = gridx::rowHeightToPixels(height);
    return TRUE;
}

BOOL SSGetMaxTextCellSize(HWND hwnd, SS_COORD col, SS_COORD row, double* width, double* height) {
    GridRef grid(hwnd);
    if (!grid) return FALSE;
    const auto cell = cellOf(*grid, col, row);
    if (!cell) return FALSE;
    const Extent extent = textExtent(*grid, *cell);
    if (width) *width = widthUnits(extent.width);
    if (height) *height = heightUnits(extent.height);
    return TRUE;
}

BOOL SSGetMaxTextColWidth(HWND hwnd, SS_COORD col, double* width) {
    GridRef grid(hwnd);
    if (!grid || !width) return FALSE;
    const auto c = colIndex(*grid, col);
    if (!c || *c == kAll) return FALSE;
    int widest = -1;
    for (int row = 0; row <= grid->sheet().maxRows(); ++row) {
        if (hasShownText(*grid, CellRef{*c, row}))
            widest = std::max(widest, textExtent(*grid, CellRef{*c, row}).width);
    }
    if (widest < 0) return FALSE;
    *width = widthUnits(widest);
    return TRUE;
}

BOOL SSGetMaxTextRowHeight(HWND hwnd, SS_COORD row, double* height) {
    GridRef grid(hwnd);
    if (!grid || !height) return FALSE;
    const auto r = rowIndex(*grid, row);
    if (!r || *r == kAll) return FALSE;
    int tallest = -1;
    for (int col = 0; col <= grid->sheet().maxCols(); ++col) {
        if (hasShownText(*grid, CellRef{col, *r}))
            tallest = std::max(tallest, textExtent(*grid, CellRef{col, *r}).height);
    }
    if (tallest < 0) return FALSE;
    *height = heightUnits(tallest);
    return TRUE;
}

BOOL SSGetClientRect(HWND hwnd, LPRECT rect) {
    GridRef grid(hwnd);
    if (!grid || !rect) return FALSE;
    return GetClientRect(hwnd, rect);
}

BOOL SSGetScrollBarSize(HWND hwnd, int* verticalWidth, int* horizontalHeight) {
    GridRef grid(hwnd);
    if (!grid) return FALSE;
    if (verticalWidth) *verticalWidth = kScrollBarSize;
    if (horizontalHeight) *horizontalHeight = kScrollBarSize;
    return TRUE;
}

BOOL SSIsRowHidden(HWND hwnd, SS_COORD row) {
    GridRef grid(hwnd);
    if (!grid) return FALSE;
    const int r = indexOf(row);
    return toBool(r >= 0 && grid->format().rowHidden(r));
}

BOOL SSShowRow(HWND hwnd, SS_COORD row, BOOL show) {
    GridRef grid(hwnd);
    if (!grid) return FALSE;
    const int r = indexOf(row);
    if (r < 0 || r > grid->sheet().maxRows()) return FALSE;
    grid->format().setRowHidden(r, show == FALSE);
    return TRUE;
}
