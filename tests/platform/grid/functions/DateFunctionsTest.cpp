#include "FunctionTestKit.h"

namespace gridtest {
namespace {

using DateFunctions = FunctionsTest;

TEST_F(DateFunctions, DateCountsDaysLikeTheDesktopSpreadsheetIncludingItsLeapDayOf1900) {
    EXPECT_EQ(number(L"DATE", {n(1900), n(1), n(1)}), 1.0);
    EXPECT_EQ(number(L"DATE", {n(1900), n(2), n(28)}), 59.0);
    // The desktop spreadsheet counts a 1900-02-29 that never was; from March on serials agree.
    EXPECT_EQ(number(L"DATE", {n(1900), n(2), n(29)}), 60.0);
    EXPECT_EQ(number(L"DATE", {n(1900), n(3), n(1)}), 61.0);
    EXPECT_EQ(number(L"DATE", {n(1900), n(3), n(0)}), 60.0);
    EXPECT_EQ(number(L"DATE", {n(2024), n(3), n(15)}), 45366.0);
    EXPECT_EQ(number(L"DATE", {n(108), n(1), n(2)}), 39449.0) << "years below 1900 add 1900";
    EXPECT_EQ(number(L"DATE", {n(9999), n(12), n(31)}), 2958465.0);
}

TEST_F(DateFunctions, DateCarriesOverflowingMonthsAndDaysAndRefusesImpossibleYears) {
    EXPECT_EQ(number(L"DATE", {n(2008), n(14), n(2)}), 39846.0) << "2009-02-02";
    EXPECT_EQ(number(L"DATE", {n(2008), n(1), n(35)}), 39482.0) << "2008-02-04";
    EXPECT_EQ(number(L"DATE", {n(2008), n(-3), n(2)}), 39327.0) << "2007-09-02";
    EXPECT_EQ(number(L"DATE", {n(2008), n(1), n(-15)}), 39432.0) << "2007-12-16";
    EXPECT_EQ(number(L"DATE", {n(2024.9), n(3.7), n(15.2)}), 45366.0) << "parts truncated";
    EXPECT_EQ(error(L"DATE", {n(10000), n(1), n(1)}), ErrorCode::Num);
    EXPECT_EQ(error(L"DATE", {n(-1), n(1), n(1)}), ErrorCode::Num);
    EXPECT_EQ(error(L"DATE", {n(1900), n(1), n(-1)}), ErrorCode::Num) << "before serial 0";
    EXPECT_EQ(error(L"DATE", {n(9999), n(12), n(32)}), ErrorCode::Num);
    EXPECT_EQ(error(L"DATE", {n(2000), n(1e300), n(1)}), ErrorCode::Num);
    EXPECT_EQ(error(L"DATE", {t(L"y"), n(1), n(1)}), ErrorCode::Value);
}

TEST_F(DateFunctions, YearMonthAndDayReadSerialsAndDateTexts) {
    EXPECT_EQ(number(L"YEAR", {n(45366.75)}), 2024.0);
    EXPECT_EQ(number(L"MONTH", {n(45366)}), 3.0);
    EXPECT_EQ(number(L"DAY", {n(45366)}), 15.0);
    EXPECT_EQ(number(L"DAY", {n(60)}), 29.0);
    EXPECT_EQ(number(L"MONTH", {n(60)}), 2.0);
    EXPECT_EQ(number(L"DAY", {n(61)}), 1.0);
    EXPECT_EQ(number(L"DAY", {n(1)}), 1.0);
    // Serial 0 is the day before 1900-01-01, shown as 1900-01-00.
    EXPECT_EQ(number(L"YEAR", {n(0)}), 1900.0);
    EXPECT_EQ(number(L"MONTH", {n(0)}), 1.0);
    EXPECT_EQ(number(L"DAY", {n(0)}), 0.0);
    EXPECT_EQ(number(L"YEAR", {t(L"2011-07-05")}), 2011.0);
    EXPECT_EQ(number(L"MONTH", {t(L"7/5/2011")}), 7.0);
    EXPECT_EQ(number(L"DAY", {t(L"45366")}), 15.0);
    EXPECT_EQ(number(L"YEAR", {n(2958465)}), 9999.0);
    EXPECT_EQ(error(L"YEAR", {n(2958466)}), ErrorCode::Num);
    EXPECT_EQ(error(L"MONTH", {n(-1)}), ErrorCode::Num);
    EXPECT_EQ(error(L"DAY", {t(L"someday")}), ErrorCode::Value);
    // A time a hair before midnight is rounded to the next second: the next day.
    EXPECT_EQ(number(L"DAY", {n(45366.9999999)}), 16.0);
}

TEST_F(DateFunctions, TimePartsAreRoundedToTheNearestSecond) {
    EXPECT_EQ(number(L"HOUR", {n(0.75)}), 18.0);
    EXPECT_EQ(number(L"HOUR", {t(L"3:30:30 PM")}), 15.0);
    EXPECT_EQ(number(L"MINUTE", {t(L"12:45:00 PM")}), 45.0);
    EXPECT_EQ(number(L"SECOND", {t(L"4:48:18 PM")}), 18.0);
    double almost = 59.0 / 86400.0 + 0.4 / 86400.0;
    EXPECT_EQ(number(L"SECOND", {n(almost)}), 59.0);
    double over = 59.0 / 86400.0 + 0.6 / 86400.0;
    EXPECT_EQ(number(L"SECOND", {n(over)}), 0.0);
    EXPECT_EQ(number(L"MINUTE", {n(over)}), 1.0);
    EXPECT_EQ(number(L"HOUR", {n(45366.5)}), 12.0) << "the date part is ignored";
    EXPECT_EQ(error(L"HOUR", {n(-0.5)}), ErrorCode::Num);
}

TEST_F(DateFunctions, TimeBuildsAFractionOfADayAndWrapsAtMidnight) {
    EXPECT_EQ(number(L"TIME", {n(12), n(0), n(0)}), 0.5);
    EXPECT_NEAR(number(L"TIME", {n(16), n(48), n(10)}), 0.700115740740741, 1e-15);
    EXPECT_NEAR(number(L"TIME", {n(25), n(0), n(0)}), 1.0 / 24.0, 1e-15);
    EXPECT_NEAR(number(L"TIME", {n(0), n(750), n(0)}), 0.520833333333333, 1e-15);
    EXPECT_NEAR(number(L"TIME", {n(1), n(-30), n(0)}), 1.0 / 48.0, 1e-15);
    EXPECT_EQ(error(L"TIME", {n(0), n(-1), n(0)}), ErrorCode::Num);
    EXPECT_EQ(error(L"TIME", {n(32768), n(0), n(0)}), ErrorCode::Num);
}

TEST_F(DateFunctions, WeekdayNumbersTheDaysByTheChosenScheme) {
    double thursday = 39492; // 2008-02-14
    EXPECT_EQ(number(L"WEEKDAY", {n(thursday)}), 5.0);
    EXPECT_EQ(number(L"WEEKDAY", {n(thursday), n(2)}), 4.0);
    EXPECT_EQ(number(L"WEEKDAY", {n(thursday), n(3)}), 3.0);
    EXPECT_EQ(number(L"WEEKDAY", {t(L"2/14/2008")}), 5.0);
    EXPECT_EQ(number(L"WEEKDAY", {n(thursday + 3), n(2)}), 7.0) << "Sunday";
    EXPECT_EQ(number(L"WEEKDAY", {n(thursday + 3), n(3)}), 6.0);
    // The desktop spreadsheet's calendar makes serial 1 a Sunday and serial 0 a Saturday.
    EXPECT_EQ(number(L"WEEKDAY", {n(1)}), 1.0);
    EXPECT_EQ(number(L"WEEKDAY", {n(0)}), 7.0);
    EXPECT_EQ(error(L"WEEKDAY", {n(thursday), n(4)}), ErrorCode::Num);
    EXPECT_EQ(error(L"WEEKDAY", {n(-1)}), ErrorCode::Num);
}

TEST_F(DateFunctions, NowAndTodayComeFromTheSheetsClock) {
    sheet.setNow(45366.75);
    EXPECT_EQ(number(L"NOW"), 45366.75);
    EXPECT_EQ(number(L"TODAY"), 45366.0);
}

} // namespace
} // namespace gridtest
