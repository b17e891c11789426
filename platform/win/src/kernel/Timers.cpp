// Timers on the loop's clock. WM_TIMER is generated when the loop finds no posted message and a
// timer is due, as on the platform, so a killed timer never fires late.
#include "kernel/Clock.h"
#include "kernel/Kernel.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace winx::kernel {
namespace {

constexpr UINT kMinimumInterval = 10;
constexpr UINT kMaximumInterval = 0x7FFFFFFF;
constexpr UINT_PTR kFirstFreeTimerId = 0x7F00;

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    std::uint64_t interval = 0;
    TIMERPROC proc = nullptr;
    std::uint64_t due = 0;
    std::uint64_t order = 0;
};

struct Clock {
    bool test = false;
    std::uint64_t testNow = 0;
    std::int64_t realOffset = 0;
    std::vector<Timer> timers;
    std::uint64_t nextOrder = 0;
    UINT_PTR nextFreeId = kFirstFreeTimerId;
};

Clock& state() {
    static Clock c;
    return c;
}

std::uint64_t realElapsed() {
    static const auto start = std::chrono::steady_clock::now();
    const auto d = std::chrono::steady_clock::now() - start;
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(d).count());
}

bool matchesFilter(const Timer& t, HWND filter) {
    if (!filter) return true;
    if (filter == reinterpret_cast<HWND>(-1)) return t.hwnd == nullptr;
    return t.hwnd == filter;
}

Timer* earliestDue(std::uint64_t now, HWND filter) {
    Timer* best = nullptr;
    for (Timer& t : state().timers) {
        if (t.due > now || !matchesFilter(t, filter)) continue;
        if (!best || t.due < best->due || (t.due == best->due && t.order < best->order)) best = &t;
    }
    return best;
}

auto findTimer(HWND hwnd, UINT_PTR id) {
    auto& timers = state().timers;
    return std::find_if(timers.begin(), timers.end(),
                        [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
}

UINT_PTR freshId() {
    Clock& c = state();
    for (;;) {
        const UINT_PTR id = c.nextFreeId++;
        if (id != 0 && findTimer(nullptr, id) == c.timers.end()) return id;
    }
}

void sleepUntil(std::uint64_t due) {
    const auto now = clockNow();
    if (due > now) std::this_thread::sleep_for(std::chrono::milliseconds(due - now));
}

} // namespace

std::uint64_t clockNow() {
    const Clock& c = state();
    if (c.test) return c.testNow;
    return static_cast<std::uint64_t>(static_cast<std::int64_t>(realElapsed()) + c.realOffset);
}

bool takeDueTimer(std::uint64_t now, HWND filter, bool remove, MSG& out) {
    Timer* t = earliestDue(now, filter);
    if (!t) return false;
    out = MSG{};
    out.hwnd = t->hwnd;
    out.message = WM_TIMER;
    out.wParam = t->id;
    out.lParam = reinterpret_cast<LPARAM>(t->proc);
    out.time = static_cast<DWORD>(clockNow());
    out.pt = cursorPosition();
    if (remove) t->due = clockNow() + t->interval;
    return true;
}

bool nextTimerDue(std::uint64_t& due) {
    const auto& timers = state().timers;
    if (timers.empty()) return false;
    due = std::min_element(timers.begin(), timers.end(), [](const Timer& a, const Timer& b) {
              return a.due < b.due;
          })->due;
    return true;
}

bool waitForNextTimer() {
    std::uint64_t due = 0;
    if (!nextTimerDue(due)) return false;
    Clock& c = state();
    if (c.test) {
        c.testNow = std::max(c.testNow, due);
    } else {
        sleepUntil(due);
    }
    return true;
}

bool timerAlive(HWND hwnd, UINT_PTR id, TIMERPROC proc) {
    auto it = findTimer(hwnd, id);
    return it != state().timers.end() && it->proc == proc;
}

void killTimersOf(HWND hwnd) {
    std::erase_if(state().timers, [hwnd](const Timer& t) { return t.hwnd == hwnd; });
}

void clearTimers() {
    state().timers.clear();
}

unsigned long long timerMark() {
    return state().nextOrder;
}

void killWindowlessTimersSince(unsigned long long mark) {
    std::erase_if(state().timers, [mark](const Timer& t) { return !t.hwnd && t.order >= mark; });
}

} // namespace winx::kernel

using namespace winx::kernel;
using winx::WindowChange;

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc) {
    ensureStarted();
    if (hwnd && !IsWindow(hwnd)) return 0;
    Clock& c = state();
    if (!hwnd && (id == 0 || findTimer(nullptr, id) == c.timers.end())) id = freshId();
    const UINT interval = std::clamp(elapseMs, kMinimumInterval, kMaximumInterval);
    auto it = findTimer(hwnd, id);
    if (it == c.timers.end()) {
        c.timers.push_back(Timer{hwnd, id, interval, proc, 0, c.nextOrder++});
        it = c.timers.end() - 1;
    }
    it->interval = interval;
    it->proc = proc;
    it->due = clockNow() + interval;
    return hwnd && id == 0 ? 1 : id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    auto it = findTimer(hwnd, id);
    if (it == state().timers.end()) return FALSE;
    state().timers.erase(it);
    return TRUE;
}

DWORD GetTickCount() {
    return static_cast<DWORD>(clockNow());
}

namespace winx {

void useTestClock(bool on) {
    Clock& c = state();
    if (c.test == on) return;
    const std::uint64_t now = clockNow();
    c.test = on;
    if (on) {
        c.testNow = now;
    } else {
        c.realOffset = static_cast<std::int64_t>(now) - static_cast<std::int64_t>(realElapsed());
    }
}

bool usingTestClock() {
    return state().test;
}

void advanceClock(DWORD ms) {
    Clock& c = state();
    const std::uint64_t target = clockNow() + ms;
    pumpMessages();
    std::uint64_t due = 0;
    while (nextTimerDue(due) && due <= target) {
        if (c.test) {
            c.testNow = std::max(c.testNow, due);
        } else {
            sleepUntil(due);
        }
        pumpMessages();
    }
    if (c.test) {
        c.testNow = std::max(c.testNow, target);
    } else {
        sleepUntil(target);
    }
    pumpMessages();
}

} // namespace winx
