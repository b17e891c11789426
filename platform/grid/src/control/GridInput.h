// The grid window's messages: mouse and keyboard input on cells, and where cells lie on the window
// (the header row and column first, then rows and columns from the scroll position).
#pragma once

#include "GridWindow.h"

#include <optional>

namespace gridx::control {

LRESULT handleGridMessage(GridWindow& grid, UINT msg, WPARAM wParam, LPARAM lParam);

// The cell's rectangle in client coordinates; empty when it is scrolled away, hidden, of no size or
// outside the client area.
std::optional<RECT> cellRect(GridWindow& grid, CellRef cell);
// The cell under a client point, headers included.
std::optional<CellRef> cellAt(GridWindow& grid, POINT point);
// Scrolls so that a data cell shows at the top left when it does not show yet.
void scrollIntoView(GridWindow& grid, CellRef cell);

} // namespace gridx::control
