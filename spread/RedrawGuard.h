// Switches a grid's redraw (option 8) off for its lifetime and puts back what was set before,
// so guards nest and the outermost one switches redraw on again. Does nothing for a grid that
// is not created.
#pragma once

#include "win/wintypes.h"

class Trk_Spread;

class RedrawGuard {
public:
    explicit RedrawGuard(const Trk_Spread& spread);
    ~RedrawGuard();
    RedrawGuard(const RedrawGuard&) = delete;
    RedrawGuard& operator=(const RedrawGuard&) = delete;

private:
    HWND grid_ = nullptr;
    BOOL previous_ = TRUE;
};
