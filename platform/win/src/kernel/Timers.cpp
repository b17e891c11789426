// Timers on the loop's clock. WM_TIMER is generated when the loop finds no posted message and a
// timer is due, as on the platform, so a killed timer never fires late.
#include "kernel/Clock.h"
#include "kernel/Kernel.h"
#include "win/winbase.h"

#include <algorithm>
#include <chrono>
#include <ctime>
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
    // Local time of the test clock: testLocalBase at tick testLocalTick.
    std::chrono::system_clock::time_point testLocalBase =
        std::chrono::sys_days{std::chrono::year{2026} / 1 / 5} + std::chrono::hours{9};
    std::uint64_t testLocalTick = 0;
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
        c.testLocalTick = now;
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

namespace {

std::chrono::system_clock::time_point localNow() {
    using namespace std::chrono;
    Clock& c = state();
    if (c.test) return c.testLocalBase + milliseconds(clockNow() - c.testLocalTick);
    // The calendar of the system's local time zone, carried as if it were UTC.
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto offset = std::chrono::seconds{local.tm_gmtoff};
    return now + offset;
}

} // namespace

void setTestLocalTime(const SYSTEMTIME& time) {
    using namespace std::chrono;
    Clock& c = state();
    const sys_days day{year{time.wYear} / month{time.wMonth} / std::chrono::day{time.wDay}};
    c.testLocalBase = day + hours{time.wHour} + minutes{time.wMinute} + seconds{time.wSecond} +
                      milliseconds{time.wMilliseconds};
    c.testLocalTick = clockNow();
}

} // namespace winx

void GetLocalTime(LPSYSTEMTIME out) {
    using namespace std::chrono;
    if (!out) return;
    const auto now = winx::localNow();
    const auto day = floor<days>(now);
    const year_month_day date{day};
    const hh_mm_ss time{floor<milliseconds>(now - day)};
    out->wYear = static_cast<WORD>(static_cast<int>(date.year()));
    out->wMonth = static_cast<WORD>(static_cast<unsigned>(date.month()));
    out->wDay = static_cast<WORD>(static_cast<unsigned>(date.day()));
    out->wDayOfWeek = static_cast<WORD>(weekday{day}.c_encoding());
    out->wHour = static_cast<WORD>(time.hours().count());
    out->wMinute = static_cast<WORD>(time.minutes().count());
    out->wSecond = static_cast<WORD>(time.seconds().count());
    out->wMilliseconds = static_cast<WORD>(time.subseconds().count());
}
