#include "platform/win/WindowTestSupport.h"
#include "win/winbase.h"

namespace {

using namespace wintest;

// Calls of window-less timer procedures, in order.
std::vector<std::pair<UINT_PTR, DWORD>>& calls() {
    static std::vector<std::pair<UINT_PTR, DWORD>> c;
    return c;
}

void CALLBACK recordingProc(HWND, UINT, UINT_PTR id, DWORD time) {
    calls().emplace_back(id, time);
}

class Timers : public WindowTest {
protected:
    Timers() { calls().clear(); }

    std::vector<WPARAM> timerIdsOf(HWND hwnd) const {
        std::vector<WPARAM> ids;
        for (const Logged& l : messageLog()) {
            if (l.hwnd == hwnd && l.msg == WM_TIMER) ids.push_back(l.wParam);
        }
        return ids;
    }

    HWND window_ = makeWindow(WS_OVERLAPPED);
    DWORD start_ = GetTickCount();
};

TEST_F(Timers, AWindowTimerPostsWmTimerEachTimeItFallsDue) {
    EXPECT_EQ(SetTimer(window_, 7, 100, nullptr), 7u);
    winx::advanceClock(99);
    EXPECT_TRUE(timerIdsOf(window_).empty());
    winx::advanceClock(1);
    EXPECT_EQ(timerIdsOf(window_), (std::vector<WPARAM>{7}));
    winx::advanceClock(250);
    EXPECT_EQ(timerIdsOf(window_).size(), 3u);
    EXPECT_EQ(GetTickCount() - start_, 350u);
    EXPECT_TRUE(KillTimer(window_, 7));
    EXPECT_FALSE(KillTimer(window_, 7));
    winx::advanceClock(1000);
    EXPECT_EQ(timerIdsOf(window_).size(), 3u);
}

TEST_F(Timers, SettingTheSameTimerAgainRestartsIt) {
    SetTimer(window_, 1, 100, nullptr);
    winx::advanceClock(80);
    SetTimer(window_, 1, 100, nullptr);
    winx::advanceClock(80);
    EXPECT_TRUE(timerIdsOf(window_).empty());
    winx::advanceClock(20);
    EXPECT_EQ(timerIdsOf(window_).size(), 1u);
}

TEST_F(Timers, WindowlessTimersGetFreshIdsAndRunTheirProcedure) {
    const UINT_PTR a = SetTimer(nullptr, 0, 50, recordingProc);
    const UINT_PTR b = SetTimer(nullptr, 0, 50, recordingProc);
    ASSERT_NE(a, 0u);
    ASSERT_NE(b, 0u);
    EXPECT_NE(a, b);
    winx::advanceClock(50);
    ASSERT_EQ(calls().size(), 2u);
    EXPECT_EQ(calls()[0].first, a);
    EXPECT_EQ(calls()[1].first, b);
    EXPECT_EQ(calls()[0].second - start_, 50u);
    // Setting an existing window-less timer again keeps its id.
    EXPECT_EQ(SetTimer(nullptr, a, 30, recordingProc), a);
    KillTimer(nullptr, a);
    KillTimer(nullptr, b);
}

TEST_F(Timers, SeveralTimersDueInOneAdvanceFireInTimeOrder) {
    const UINT_PTR slow = SetTimer(nullptr, 0, 30, recordingProc);
    const UINT_PTR fast = SetTimer(nullptr, 0, 20, recordingProc);
    winx::advanceClock(60);
    std::vector<std::pair<UINT_PTR, DWORD>> expected = {{fast, start_ + 20},
                                                        {slow, start_ + 30},
                                                        {fast, start_ + 40},
                                                        {slow, start_ + 60},
                                                        {fast, start_ + 60}};
    EXPECT_EQ(calls(), expected);
}

UINT_PTR killedFromInside = 0;
UINT_PTR startedFromInside = 0;

void CALLBACK selfKillingProc(HWND, UINT, UINT_PTR id, DWORD time) {
    calls().emplace_back(id, time);
    KillTimer(nullptr, id);
    killedFromInside = id;
    startedFromInside = SetTimer(nullptr, 0, 10, recordingProc);
}

TEST_F(Timers, AProcedureMayKillItsTimerAndSetAnother) {
    const UINT_PTR id = SetTimer(nullptr, 0, 50, selfKillingProc);
    winx::advanceClock(75);
    EXPECT_EQ(killedFromInside, id);
    ASSERT_NE(startedFromInside, 0u);
    // The killed timer fired once; its successor fired at 60 and 70.
    const std::vector<std::pair<UINT_PTR, DWORD>> expected = {
        {id, start_ + 50}, {startedFromInside, start_ + 60}, {startedFromInside, start_ + 70}};
    EXPECT_EQ(calls(), expected);
    KillTimer(nullptr, startedFromInside);
}

TEST_F(Timers, DestroyingAWindowKillsItsTimers) {
    const HWND doomed = makeWindow(WS_OVERLAPPED);
    SetTimer(doomed, 1, 10, nullptr);
    SetTimer(doomed, 2, 10, recordingProc);
    DestroyWindow(doomed);
    winx::advanceClock(100);
    EXPECT_TRUE(calls().empty());
    EXPECT_FALSE(KillTimer(doomed, 1));
}

TEST_F(Timers, PumpingFiresOnlyWhatIsDueAndTinyIntervalsAreRaised) {
    SetTimer(window_, 3, 1, nullptr); // raised to the platform's minimum of 10 ms
    winx::pumpMessages();
    EXPECT_TRUE(timerIdsOf(window_).empty());
    winx::advanceClock(9);
    EXPECT_TRUE(timerIdsOf(window_).empty());
    winx::advanceClock(1);
    EXPECT_EQ(timerIdsOf(window_).size(), 1u);
}

TEST_F(Timers, ATimerProcedureOfAWindowReplacesWmTimer) {
    SetTimer(window_, 4, 40, recordingProc);
    winx::advanceClock(40);
    EXPECT_TRUE(timerIdsOf(window_).empty());
    ASSERT_EQ(calls().size(), 1u);
    EXPECT_EQ(calls()[0].first, 4u);
}

} // namespace

namespace {

TEST_F(Timers, LocalTimeFollowsTheTestClockFromTheTestDate) {
    ASSERT_TRUE(winx::usingTestClock());
    SYSTEMTIME start{};
    start.wYear = 2024;
    start.wMonth = 2;
    start.wDay = 28;
    start.wHour = 23;
    start.wMinute = 59;
    start.wSecond = 59;
    winx::setTestLocalTime(start);
    winx::advanceClock(1500); // across midnight into the leap day
    SYSTEMTIME now{};
    GetLocalTime(&now);
    EXPECT_EQ(now.wYear, 2024);
    EXPECT_EQ(now.wMonth, 2);
    EXPECT_EQ(now.wDay, 29);
    EXPECT_EQ(now.wDayOfWeek, 4); // a Thursday
    EXPECT_EQ(now.wHour, 0);
    EXPECT_EQ(now.wMinute, 0);
    EXPECT_EQ(now.wSecond, 0);
    EXPECT_EQ(now.wMilliseconds, 500);
    GetLocalTime(nullptr); // no crash
}

} // namespace
