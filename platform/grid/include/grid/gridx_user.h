// User actions on grid cells, for tests and interaction scripts: each sends the mouse and
// keyboard messages a user's action produces, so the grid notifies its parent as for a user.
// Every action focuses the grid and scrolls the cell into view first. Each returns false,
// doing nothing, for a handle that is no grid window, a grid that is hidden or disabled (or
// inside a disabled window), a cell outside rows and columns 1..max, or an action the cell
// does not take.
#pragma once

#include "win/wintypes.h"

#include <string_view>

namespace gridx {

// Left click: the cell becomes active (SSM_LEAVECELL when it moves), then SSM_CLICK. On a
// button or check-box cell also the pressed and released commands (a check box flips).
bool userClickCell(HWND grid, int col, int row);
// A click followed by SSM_DBLCLK.
bool userDoubleClickCell(HWND grid, int col, int row);
// SSM_RBUTTON; the active cell stays.
bool userRightClickCell(HWND grid, int col, int row);
// Clicks the cell, types the text (replacing the cell's) and presses Enter: the text becomes
// the cell's data and the changed flag (option 30) is set. False for a locked cell or a type
// that takes no typing (check box, button, picture, static text).
bool userTypeIntoCell(HWND grid, int col, int row, std::wstring_view text);
// Clicks a check-box cell: it flips between "1" and "0". False for other cells or a locked one.
bool userToggleCheck(HWND grid, int col, int row);
// Clicks a button cell. False for other cells or a locked one.
bool userPressButtonCell(HWND grid, int col, int row);

} // namespace gridx
