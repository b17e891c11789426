// User actions on grid cells: the messages a mouse or keyboard action sends to the grid.
#include "grid/gridx_user.h"

#include "GridInput.h"
#include "GridOps.h"
#include "win/winuser.h"

namespace gridx {

namespace {

using control::GridRef;
using control::GridWindow;

bool usable(HWND hwnd) {
    if (!IsWindow(hwnd) || !IsWindowVisible(hwnd)) return false;
    for (HWND window = hwnd; window; window = GetAncestor(window, GA_PARENT)) {
        if (!IsWindowEnabled(window)) return false;
        if (!(GetWindowLongPtr(window, GWL_STYLE) & WS_CHILD)) break;
    }
    return true;
}

// The point of a data cell the user can reach, after focusing the grid and scrolling.
std::optional<POINT> reach(GridWindow& grid, int col, int row) {
    if (!usable(grid.hwnd()) || col < 1 || row < 1 || col > grid.sheet().maxCols() ||
        row > grid.sheet().maxRows())
        return std::nullopt;
    SetFocus(grid.hwnd());
    const CellRef cell{col, row};
    control::scrollIntoView(grid, cell);
    const auto rect = control::cellRect(grid, cell);
    if (!rect) return std::nullopt;
    return POINT{(rect->left + rect->right) / 2, (rect->top + rect->bottom) / 2};
}

LPARAM at(POINT point) {
    return MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y));
}

void click(HWND hwnd, POINT point) {
    SendMessage(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at(point));
    if (IsWindow(hwnd)) SendMessage(hwnd, WM_LBUTTONUP, 0, at(point));
}

CellKind kindOf(GridWindow& grid, int col, int row) {
    return grid.format().cellType(col, row).kind;
}

} // namespace

bool userClickCell(HWND hwnd, int col, int row) {
    GridRef grid(hwnd);
    if (!grid) return false;
    const auto point = reach(*grid, col, row);
    if (!point) return false;
    click(hwnd, *point);
    return true;
}

bool userDoubleClickCell(HWND hwnd, int col, int row) {
    GridRef grid(hwnd);
    if (!grid) return false;
    const auto point = reach(*grid, col, row);
    if (!point) return false;
    click(hwnd, *point);
    if (!IsWindow(hwnd)) return true;
    SendMessage(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, at(*point));
    if (IsWindow(hwnd)) SendMessage(hwnd, WM_LBUTTONUP, 0, at(*point));
    return true;
}

bool userRightClickCell(HWND hwnd, int col, int row) {
    GridRef grid(hwnd);
    if (!grid) return false;
    const auto point = reach(*grid, col, row);
    if (!point) return false;
    SendMessage(hwnd, WM_RBUTTONDOWN, 0, at(*point));
    if (IsWindow(hwnd)) SendMessage(hwnd, WM_RBUTTONUP, 0, at(*point));
    return true;
}

bool userTypeIntoCell(HWND hwnd, int col, int row, std::wstring_view text) {
    GridRef grid(hwnd);
    if (!grid) return false;
    const auto point = reach(*grid, col, row);
    if (!point || !control::userMayType(*grid, CellRef{col, row})) return false;
    click(hwnd, *point);
    if (grid->destroyed) return true;
    const auto active = control::activeCell(*grid);
    if (!active || !(*active == CellRef{col, row})) return false;
    control::openEditor(*grid);
    grid->editor.text.clear();
    grid->editor.selStart = grid->editor.selEnd = 0;
    grid->editor.typed = true; // typing nothing still empties the cell
    for (wchar_t c : text) {
        if (grid->destroyed) return true;
        SendMessage(hwnd, WM_CHAR, static_cast<WPARAM>(c), 0);
    }
    if (!grid->destroyed) SendMessage(hwnd, WM_KEYDOWN, VK_RETURN, 0);
    return true;
}

bool userToggleCheck(HWND hwnd, int col, int row) {
    GridRef grid(hwnd);
    if (!grid) return false;
    const auto point = reach(*grid, col, row);
    if (!point || kindOf(*grid, col, row) != CellKind::CheckBox ||
        !control::userMayPress(*grid, CellRef{col, row}))
        return false;
    click(hwnd, *point);
    return true;
}

bool userPressButtonCell(HWND hwnd, int col, int row) {
    GridRef grid(hwnd);
    if (!grid) return false;
    const auto point = reach(*grid, col, row);
    if (!point || kindOf(*grid, col, row) != CellKind::Button ||
        !control::userMayPress(*grid, CellRef{col, row}))
        return false;
    click(hwnd, *point);
    return true;
}

} // namespace gridx
