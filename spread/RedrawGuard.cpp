#include "spread/RedrawGuard.h"

#include "spread/Trk_Spread.h"

#include "grid/ssapi.h"

RedrawGuard::RedrawGuard(const Trk_Spread& spread) : RedrawGuard(spread, false) {}

RedrawGuard::RedrawGuard(const Trk_Spread& spread, bool onlyWhenOn) {
    if (!spread.isCreated()) return;
    const HWND grid = spread.GetSafeHwnd();
    const BOOL wasOn = SSSetBool(grid, Trk_Spread::kOptionRedraw, FALSE);
    if (wasOn || !onlyWhenOn) grid_ = grid;
}

RedrawGuard RedrawGuard::forBulkWork(const Trk_Spread& spread) {
    return RedrawGuard(spread, true);
}

RedrawGuard::~RedrawGuard() {
    if (grid_ && IsWindow(grid_)) SSSetBool(grid_, Trk_Spread::kOptionRedraw, TRUE);
}
