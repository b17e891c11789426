// SS functions of the selection: active cell, selected block, edit mode and the clipboard.
#include "SsCommon.h"

#include "win/winbase.h"
#include "win/winclip.h"

#include <algorithm>
#include <cstring>

using gridx::CellRef;
using gridx::kAll;
using gridx::RangeRef;
using gridx::control::GridRef;
using gridx::control::GridWindow;
using gridx::control::indexOf;
using gridx::control::toBool;

namespace {

// A corner bound of a selected block: -1 (every column or row) or an index of the grid.
std::optional<int> cornerBound(SS_COORD coord, int max) {
    if (coord == -1) return kAll;
    const int index = indexOf(coord);
    if (index < 0 || index > max) return std::nullopt;
    return index;
}

// The data cells a selection covers: the block (-1 and headers widened or cut to the data cells) or
// the active cell.
std::optional<RangeRef> selectedCells(GridWindow& grid) {
    const int maxCols = grid.sheet().maxCols();
    const int maxRows = grid.sheet().maxRows();
    if (!grid.selection.hasBlock) {
        const auto cell = gridx::control::activeCell(grid);
        if (!cell) return std::nullopt;
        return RangeRef{cell->col, cell->row, cell->col, cell->row};
    }
    RangeRef b = grid.selection.block;
    if (b.col1 == kAll || b.col2 == kAll) b.col2 = maxCols;
    if (b.row1 == kAll || b.row2 == kAll) b.row2 = maxRows;
    b.col1 = std::max(b.col1, 1);
    b.row1 = std::max(b.row1, 1);
    b.col2 = std::min(b.col2, maxCols);
    b.row2 = std::min(b.row2, maxRows);
    if (b.col1 > b.col2 || b.row1 > b.row2) return std::nullopt;
    return b;
}

std::wstring blockText(GridWindow& grid, const RangeRef& block) {
    std::wstring text;
    for (int row = block.row1; row <= block.row2; ++row) {
        for (int col = block.col1; col <= block.col2; ++col) {
            if (col > block.col1) text += L'\t';
            text += gridx::control::cellDataText(grid, CellRef{col, row});
        }
        text += L"\r\n";
    }
    return text;
}

bool putOnClipboard(HWND owner, const std::wstring& text) {
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool done = false;
    if (block) {
        if (void* data = GlobalLock(block)) {
            std::memcpy(data, text.c_str(), bytes);
            GlobalUnlock(block);
            done = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
        }
        if (!done) GlobalFree(block);
    }
    CloseClipboard();
    return done;
}

std::optional<std::wstring> takeFromClipboard(HWND owner) {
    if (!OpenClipboard(owner)) return std::nullopt;
    std::optional<std::wstring> text;
    if (HANDLE block = GetClipboardData(CF_UNICODETEXT)) {
        const SIZE_T capacity = GlobalSize(block) / sizeof(wchar_t);
        if (const auto* data = static_cast<const wchar_t*>(GlobalLock(block))) {
            const wchar_t* end = std::find(data, data + capacity, L'\0');
            text.emplace(data, end);
            GlobalUnlock(block);
        }
    }
    CloseClipboard();
    return text;
}

std::vector<std::wstring_view> split(std::wstring_view text, wchar_t separator) {
    std::vector<std::wstring_view> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::wstring_view::npos;
         start = at + 1)
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

void pasteLines(GridWindow& grid, CellRef corner, std::wstring_view text) {
    auto lines = split(text, L'\n');
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::wstring_view line = lines[i];
        if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
        const long long row = corner.row + static_cast<long long>(i);
        if (row > grid.sheet().maxRows()) break;
        const auto fields = split(line, L'\t');
        for (std::size_t j = 0; j < fields.size(); ++j) {
            const long long col = corner.col + static_cast<long long>(j);
            if (col > grid.sheet().maxCols()) break;
            const CellRef cell{static_cast<int>(col), static_cast<int>(row)};
            if (!grid.format().locked(cell.col, cell.row))
                gridx::control::writeData(grid, cell, fields[j]);
        }
    }
}

} // namespace

BOOL SSGetActiveCell(HWND hwnd, LPSS_COORD col, LPSS_COORD row) {
    GridRef grid(hwnd);
    if (!grid) return FALSE;
    const auto cell = gridx::control::activeCell(*grid);
    if (!cell) return FALSE;
    if (col) *col = cell->col;
    if (row) *row = cell->row;
    return TRUE;
}

BOOL SSSetActiveCell(HWND hwnd, SS_COORD col, SS_COORD row) {
    GridRef grid(hwnd);
    if (!grid) return FALSE;
    const int c = indexOf(col);
    const int r = indexOf(row);
    if (c < 1 || r < 1 || c > grid->sheet().maxCols() || r > grid->sheet().maxRows()) return FALSE;
    gridx::control::setActive(*grid, CellRef{c, r});
    return TRUE;
}

BOOL SSGetSelectBlock(HWND hwnd, LPSS_CELLCOORD upperLeft, LPSS_CELLCOORD lowerRight) {
    GridRef grid(hwnd);
    if (!grid || !grid->selection.hasBlock) return FALSE;
    const RangeRef& b = grid->selection.block;
    if (upperLeft) *upperLeft = SS_CELLCOORD{b.col1, b.row1};
    if (lowerRight) *lowerRight = SS_CELLCOORD{b.col2, b.row2};
    return TRUE;
}

BOOL SSSetSelectBlock(HWND hwnd, const SS_CELLCOORD* upperLeft, const SS_CELLCOORD* lowerRight) {
    GridRef grid(hwnd);
    if (!grid || !upperLeft || !lowerRight) return FALSE;
    const int maxCols = grid->sheet().maxCols();
    const int maxRows = grid->sheet().maxRows();
    const auto c1 = cornerBound(upperLeft->Col, maxCols);
    const auto r1 = cornerBound(upperLeft->Row, maxRows);
    const auto c2 = cornerBound(lowerRight->Col, maxCols);
    const auto r2 = cornerBound(lowerRight->Row, maxRows);
    if (!c1 || !r1 || !c2 || !r2) return FALSE;
    RangeRef block{*c1, *r1, *c2, *r2};
    if (block.col1 != kAll && block.col2 != kAll && block.col1 > block.col2)
        std::swap(block.col1, block.col2);
    if (block.row1 != kAll && block.row2 != kAll && block.row1 > block.row2)
        std::swap(block.row1, block.row2);
    const CellRef first{std::max(block.col1, 1), std::max(block.row1, 1)};
    gridx::control::setActive(*grid, first);
    grid->selection.hasBlock = true;
    grid->selection.block = block;
    return TRUE;
}

BOOL SSGetSel(HWND hwnd, int* selStart, int* selEnd) {
    GridRef grid(hwnd);
    if (!grid || !grid->editor.on) return FALSE;
    if (selStart) *selStart = std::min(grid->editor.selStart, grid->editor.selEnd);
    if (selEnd) *selEnd = std::max(grid->editor.selStart, grid->editor.selEnd);
    return TRUE;
}

BOOL SSSetSel(HWND hwnd, int selStart, int selEnd) {
    GridRef grid(hwnd);
    if (!grid || !grid->editor.on) return FALSE;
    const int length = static_cast<int>(grid->editor.text.size());
    const auto clampToText = [&](int at) { return at < 0 ? length : std::min(at, length); };
    grid->editor.selStart = std::clamp(selStart, 0, length);
    grid->editor.selEnd = clampToText(selEnd);
    return TRUE;
}

BOOL SSGetEditMode(HWND hwnd) {
    GridRef grid(hwnd);
    return toBool(grid && grid->editor.on);
}

BOOL SSSetEditMode(HWND hwnd, BOOL on) {
    GridRef grid(hwnd);
    if (!grid) return FALSE;
    if (!on) {
        gridx::control::closeEditor(*grid, true);
        return TRUE;
    }
    if (!grid->editor.on) gridx::control::openEditor(*grid);
    return toBool(grid->editor.on);
}

BOOL SSClipboardCopy(HWND hwnd) {
    GridRef grid(hwnd);
    if (!grid) return FALSE;
    const auto block = selectedCells(*grid);
    if (!block) return FALSE;
    return toBool(putOnClipboard(hwnd, blockText(*grid, *block)));
}

BOOL SSClipboardPaste(HWND hwnd) {
    GridRef grid(hwnd);
    if (!grid) return FALSE;
    const auto block = selectedCells(*grid);
    if (!block) return FALSE;
    const auto text = takeFromClipboard(hwnd);
    if (!text) return FALSE;
    gridx::control::closeEditor(*grid, true);
    pasteLines(*grid, CellRef{block->col1, block->row1}, *text);
    grid->markChanged();
    return TRUE;
}
