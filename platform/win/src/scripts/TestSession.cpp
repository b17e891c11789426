// The test helper: a clean, deterministic platform for the length of one test.
#include "kernel/Kernel.h"
#include "resources/Modules.h"
#include "scripts/Records.h"

#include "win/winx.h"

#include <algorithm>

namespace winx {

TestSession::TestSession() {
    kernel::ensureStarted();
    installResourceLoader(); // a test may have replaced it
    testClockBefore_ = usingTestClock();
    useTestClock(true);
    resetInteraction();
    resetRecords();
    kernel::clearQueue();
    kernel::resetKeyStates();
    timerMark_ = kernel::timerMark();
    windowsBefore_ = kernel::allWindows();
}

TestSession::~TestSession() {
    const std::vector<HWND> now = kernel::allWindows();
    for (HWND hwnd : now) {
        if (std::binary_search(windowsBefore_.begin(), windowsBefore_.end(), hwnd)) continue;
        const HWND parent = GetAncestor(hwnd, GA_PARENT);
        const bool parentIsNew =
            parent && parent != GetDesktopWindow() &&
            !std::binary_search(windowsBefore_.begin(), windowsBefore_.end(), parent);
        if (!parentIsNew && IsWindow(hwnd)) DestroyWindow(hwnd);
    }
    kernel::killWindowlessTimersSince(timerMark_);
    kernel::clearQueue();
    kernel::resetKeyStates();
    resetInteraction();
    useTestClock(testClockBefore_);
}

} // namespace winx
