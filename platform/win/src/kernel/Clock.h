// The loop's clock (real or test) and the timers that run on it.
#pragma once

#include "win/winuser.h"

#include <cstdint>

namespace winx::kernel {

std::uint64_t clockNow(); // milliseconds
// Builds the WM_TIMER of the earliest timer due at `now` for the filter window (null: any,
// (HWND)-1: window-less only); when removing, the timer is re-armed.
bool takeDueTimer(std::uint64_t now, HWND filter, bool remove, MSG& out);
// Earliest due time of any timer; false when there is none.
bool nextTimerDue(std::uint64_t& due);
// Lets time pass up to the next timer (the test clock jumps there, the real clock sleeps).
// False when no timer exists.
bool waitForNextTimer();
bool timerAlive(HWND hwnd, UINT_PTR id, TIMERPROC proc);

} // namespace winx::kernel
