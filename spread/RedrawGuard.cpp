#include "spread/RedrawGuard.h"

#include "spread/Trk_Spread.h"

#include "grid/ssapi.h"

RedrawGuard::RedrawGuard(const Trk_Spread& spread) {
    if (!spread.isCreated()) return;
    grid_ = spread.GetSafeHwnd();
    previous_ = SSSetBool(grid_, SSB_REDRAW, FALSE);
}

RedrawGuard::~RedrawGuard() {
    if (grid_ && IsWindow(grid_)) SSSetBool(grid_, SSB_REDRAW, previous_);
}
