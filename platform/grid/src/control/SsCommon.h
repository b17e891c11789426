// Small helpers of the SS function bodies.
#pragma once

#include "GridOps.h"
#include "GridWindow.h"

namespace gridx::control {

// Runs `change` on the grid and returns TRUE; FALSE when the handle is no grid window.
template <typename Change>
BOOL withGrid(HWND hwnd, Change change) {
    GridRef grid(hwnd);
    if (!grid) return FALSE;
    change(*grid);
    return TRUE;
}

inline BOOL toBool(bool value) {
    return value ? TRUE : FALSE;
}

} // namespace gridx::control
