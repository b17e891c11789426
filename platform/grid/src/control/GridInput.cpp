#include "GridInput.h"

#include "GridOps.h"
#include "win/winuser.h"

#include <algorithm>
#include <cwctype>

namespace gridx::control {

// ---- Layout
// ---------------------------------------------------------------------------------

namespace {

int colPixels(GridWindow& grid, int col) {
    if (col == 0 && !grid.option(SSB_SHOWROWHEADERS)) return 0;
    return grid.format().colWidthPixels(col);
}

int rowPixels(GridWindow& grid, int row) {
    if (row == 0 && !grid.option(SSB_SHOWCOLHEADERS)) return 0;
    return grid.format().rowHidden(row) ? 0 : grid.format().rowHeightPixels(row);
}

RECT clientRect(GridWindow& grid) {
    RECT client{};
    GetClientRect(grid.hwnd(), &client);
    return client;
}

// Start and size of an index along one axis: the header first, then `first`, first + 1, ... Empty
// when the index lies before `first` or beyond `limit` pixels.
template <typename Size>
std::optional<std::pair<int, int>> place(int index, int first, int limit, Size size) {
    const int header = size(0);
    if (index == 0) return std::make_pair(0, header);
    if (index < first) return std::nullopt;
    int at = header;
    for (int i = first; i < index; ++i) {
        at += size(i);
        if (at >= limit) return std::nullopt;
    }
    return std::make_pair(at, size(index));
}

template <typename Size>
std::optional<int> indexAt(int pixel, int first, int count, Size size) {
    if (pixel < 0) return std::nullopt;
    int at = size(0);
    if (pixel < at) return 0;
    for (int i = first; i <= count; ++i) {
        at += size(i);
        if (pixel < at) return i;
    }
    return std::nullopt;
}

} // namespace

std::optional<RECT> cellRect(GridWindow& grid, CellRef cell) {
    const RECT client = clientRect(grid);
    const auto x =
        place(cell.col, grid.leftCol, client.right, [&](int col) { return colPixels(grid, col); });
    const auto y =
        place(cell.row, grid.topRow, client.bottom, [&](int row) { return rowPixels(grid, row); });
    if (!x || !y || x->second <= 0 || y->second <= 0) return std::nullopt;
    if (x->first >= client.right || y->first >= client.bottom) return std::nullopt;
    RECT rect{x->first, y->first, x->first + x->second, y->first + y->second};
    rect.right = std::min(rect.right, client.right);
    rect.bottom = std::min(rect.bottom, client.bottom);
    return rect;
}

std::optional<CellRef> cellAt(GridWindow& grid, POINT point) {
    const auto col = indexAt(point.x, grid.leftCol, grid.sheet().maxCols(),
                             [&](int c) { return colPixels(grid, c); });
    const auto row = indexAt(point.y, grid.topRow, grid.sheet().maxRows(),
                             [&](int r) { return rowPixels(grid, r); });
    if (!col || !row) return std::nullopt;
    return CellRef{*col, *row};
}

void scrollIntoView(GridWindow& grid, CellRef cell) {
    if (cellRect(grid, cell)) return;
    if (cell.col >= 1) grid.leftCol = cell.col;
    if (cell.row >= 1) grid.topRow = cell.row;
}

// ---- Mouse
// ----------------------------------------------------------------------------------

namespace {

POINT pointOf(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

void onLeftDown(GridWindow& grid, POINT point) {
    const auto cell = cellAt(grid, point);
    if (!cell) return;
    SetFocus(grid.hwnd());
    if (cell->col >= 1 && cell->row >= 1 && !moveActiveByUser(grid, *cell)) return;
    grid.mouseDown = *cell;
    if (userMayPress(grid, *cell)) {
        grid.pressed = *cell;
        notifyCommand(grid, SSN_BUTTONDOWN, *cell);
    }
}

void onLeftUp(GridWindow& grid, POINT point) {
    if (!grid.mouseDown) return;
    const CellRef cell = *grid.mouseDown;
    grid.mouseDown.reset();
    if (grid.pressed && *grid.pressed == cell) {
        grid.pressed.reset();
        const auto over = cellAt(grid, point);
        const bool released = over && *over == cell;
        if (released && grid.format().cellType(cell.col, cell.row).kind == CellKind::CheckBox)
            toggleCheck(grid, cell);
        notifyCommand(grid, SSN_BUTTONUP, cell);
        if (grid.destroyed) return;
    }
    notifyCell(grid, SSM_CLICK, cell);
}

void onCellMessage(GridWindow& grid, POINT point, UINT notification) {
    if (const auto cell = cellAt(grid, point)) notifyCell(grid, notification, *cell);
}

// ---- Keyboard
// -------------------------------------------------------------------------------

void putCaret(Editor& editor, int at) {
    editor.selStart = editor.selEnd = std::clamp(at, 0, static_cast<int>(editor.text.size()));
}

void eraseSelection(Editor& editor) {
    const int start = std::min(editor.selStart, editor.selEnd);
    const int end = std::max(editor.selStart, editor.selEnd);
    editor.text.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
    putCaret(editor, start);
}

void eraseAtCaret(Editor& editor, bool before) {
    if (editor.selStart == editor.selEnd) {
        if (before && editor.selStart == 0) return;
        if (!before && editor.selEnd >= static_cast<int>(editor.text.size())) return;
        (before ? editor.selStart : editor.selEnd) += before ? -1 : 1;
    }
    eraseSelection(editor);
    editor.typed = true;
}

bool editKey(GridWindow& grid, int key) {
    Editor& editor = grid.editor;
    switch (key) {
    case VK_RETURN:
        closeEditor(grid, true);
        return true;
    case VK_ESCAPE:
        closeEditor(grid, false);
        return true;
    case VK_LEFT:
        putCaret(editor, std::min(editor.selStart, editor.selEnd) - 1);
        return true;
    case VK_RIGHT:
        putCaret(editor, std::max(editor.selStart, editor.selEnd) + 1);
        return true;
    case VK_HOME:
        putCaret(editor, 0);
        return true;
    case VK_END:
        putCaret(editor, static_cast<int>(editor.text.size()));
        return true;
    case VK_BACK:
    case VK_DELETE:
        eraseAtCaret(editor, key == VK_BACK);
        return true;
    default:
        return false;
    }
}

void pressWithKey(GridWindow& grid, CellRef cell) {
    notifyCommand(grid, SSN_BUTTONDOWN, cell);
    if (grid.destroyed) return;
    if (grid.format().cellType(cell.col, cell.row).kind == CellKind::CheckBox)
        toggleCheck(grid, cell);
    notifyCommand(grid, SSN_BUTTONUP, cell);
}

void moveKey(GridWindow& grid, int key) {
    const auto cell = activeCell(grid);
    if (!cell) return;
    CellRef to = *cell;
    if (key == VK_LEFT) to.col = std::max(1, to.col - 1);
    if (key == VK_RIGHT) to.col = std::min(grid.sheet().maxCols(), to.col + 1);
    if (key == VK_UP) to.row = std::max(1, to.row - 1);
    if (key == VK_DOWN) to.row = std::min(grid.sheet().maxRows(), to.row + 1);
    if (moveActiveByUser(grid, to)) scrollIntoView(grid, to);
}

void onKeyDown(GridWindow& grid, int key) {
    if (grid.editor.on && editKey(grid, key)) return;
    const auto cell = activeCell(grid);
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        moveKey(grid, key);
        return;
    case VK_F2:
        if (cell && userMayType(grid, *cell)) openEditor(grid);
        return;
    case VK_SPACE:
        if (cell && userMayPress(grid, *cell)) pressWithKey(grid, *cell);
        return;
    case VK_DELETE:
        if (cell && userMayType(grid, *cell)) {
            writeData(grid, *cell, L"");
            grid.markChanged();
        }
        return;
    default:
        return;
    }
}

wchar_t caseConverted(wchar_t c, int charCase) {
    if (charCase == 0) return static_cast<wchar_t>(std::towlower(c));
    if (charCase == 2) return static_cast<wchar_t>(std::towupper(c));
    return c;
}

void onChar(GridWindow& grid, wchar_t c) {
    if (c < L' ' || c == 0x7F) return;
    const auto cell = activeCell(grid);
    if (!cell) return;
    const CellType& type = grid.format().cellType(cell->col, cell->row);
    if (!grid.editor.on) {
        if (!userMayType(grid, *cell)) return;
        openEditor(grid);
        grid.editor.text.clear();
        putCaret(grid.editor, 0);
    }
    Editor& editor = grid.editor;
    eraseSelection(editor);
    if (type.kind == CellKind::Edit && type.maxLength > 0 &&
        static_cast<int>(editor.text.size()) >= type.maxLength)
        return;
    if (type.kind == CellKind::Edit) c = caseConverted(c, type.charCase);
    editor.text.insert(static_cast<std::size_t>(editor.selStart), 1, c);
    putCaret(editor, editor.selStart + 1);
    editor.typed = true;
}

} // namespace

LRESULT handleGridMessage(GridWindow& grid, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_LBUTTONDOWN:
        onLeftDown(grid, pointOf(lParam));
        return 0;
    case WM_LBUTTONUP:
        onLeftUp(grid, pointOf(lParam));
        return 0;
    case WM_LBUTTONDBLCLK:
        onCellMessage(grid, pointOf(lParam), SSM_DBLCLK);
        return 0;
    case WM_RBUTTONDOWN:
        onCellMessage(grid, pointOf(lParam), SSM_RBUTTON);
        return 0;
    case WM_KEYDOWN:
        onKeyDown(grid, static_cast<int>(wParam));
        return 0;
    case WM_CHAR:
        onChar(grid, static_cast<wchar_t>(wParam));
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    default:
        return DefWindowProc(grid.hwnd(), msg, wParam, lParam);
    }
}

} // namespace gridx::control
