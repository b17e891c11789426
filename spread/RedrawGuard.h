// Switches a grid's redraw (option 8) off while it lives and back on when it ends, for callers
// that fill a grid in several steps. Does nothing for a grid that is not created.
#pragma once

#include "win/wintypes.h"

class Trk_Spread;

class RedrawGuard {
public:
    explicit RedrawGuard(const Trk_Spread& spread);
    // The wrapper's own bulk work: switches redraw off and on again only when it was on, so an
    // operation inside a caller's guard leaves redraw off until that guard ends.
    static RedrawGuard forBulkWork(const Trk_Spread& spread);
    ~RedrawGuard();
    RedrawGuard(const RedrawGuard&) = delete;
    RedrawGuard& operator=(const RedrawGuard&) = delete;

private:
    RedrawGuard(const Trk_Spread& spread, bool onlyWhenOn);

    HWND grid_ = nullptr;
};
