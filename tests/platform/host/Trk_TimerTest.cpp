#include "trk/Trk_Timer.h"

#include "acadx.h"

#include "HostTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(Trk_Timer, EachOutermostStartEndPairCountsOneCall) {
    Trk_Timer timer(L"gCalcMain");
    EXPECT_EQ(timer.callCount(), 0);
    timer.end(); // without a start: ignored
    EXPECT_EQ(timer.callCount(), 0);
    timer.start();
    EXPECT_TRUE(timer.isRunning());
    timer.start(); // a nested calculation
    timer.end();
    EXPECT_TRUE(timer.isRunning());
    EXPECT_EQ(timer.callCount(), 0);
    timer.end();
    EXPECT_FALSE(timer.isRunning());
    EXPECT_EQ(timer.callCount(), 1);
    EXPECT_GE(timer.totalSeconds(), 0.0);
    timer.reset();
    EXPECT_EQ(timer.callCount(), 0);
    EXPECT_EQ(timer.totalSeconds(), 0.0);
}

TEST(Trk_Timer, FunctionTimersTimeTheirScopeEvenWhenLeftEarly) {
    Trk_Timer timer(L"gLoadFile");
    const auto stage = [&timer](bool leaveEarly) {
        Trk_FunctionTimer scope(timer);
        if (leaveEarly) return false;
        return timer.isRunning();
    };
    EXPECT_TRUE(stage(false));
    EXPECT_FALSE(stage(true));
    EXPECT_FALSE(timer.isRunning());
    EXPECT_EQ(timer.callCount(), 2);
}

TEST(Trk_Timer, TheSummaryNamesTheTimerAndItsCalls) {
    Trk_Timer timer(L"gSetToMacro");
    for (int i = 0; i < 3; ++i) {
        timer.start();
        timer.end();
    }
    EXPECT_TRUE(timer.summary().startsWith(L"gSetToMacro: 3 calls, "));
    acadx::clearPrinted();
    timer.print();
    ASSERT_EQ(acadx::printed().size(), 1u);
    EXPECT_EQ(acadx::printed()[0], timer.summary().str() + L"\n");
}

} // namespace
