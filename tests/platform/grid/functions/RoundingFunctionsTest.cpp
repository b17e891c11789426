#include "FunctionTestKit.h"

namespace gridtest {
namespace {

using RoundingFunctions = FunctionsTest;

TEST_F(RoundingFunctions, RoundWorksOnTheDisplayedDecimalDigits) {
    // 2.675 is stored just below 2.675; the cell shows 2.675, so it rounds up.
    EXPECT_EQ(number(L"ROUND", {n(2.675), n(2)}), 2.68);
    EXPECT_EQ(number(L"ROUND", {n(1.005), n(2)}), 1.01);
    EXPECT_EQ(number(L"ROUND", {n(2.5), n(0)}), 3.0) << "half away from zero";
    EXPECT_EQ(number(L"ROUND", {n(-2.5), n(0)}), -3.0);
    EXPECT_EQ(number(L"ROUND", {n(1234.567), n(-2)}), 1200.0);
    EXPECT_EQ(number(L"ROUND", {n(-50), n(-2)}), -100.0);
    EXPECT_EQ(number(L"ROUND", {n(5), n(-1)}), 10.0);
    EXPECT_EQ(number(L"ROUND", {n(4), n(-1)}), 0.0);
    EXPECT_EQ(number(L"ROUND", {n(999.5), n(0)}), 1000.0) << "carries into a new digit";
    EXPECT_EQ(number(L"ROUND", {n(3.14159), n(2.9)}), 3.14) << "digits are truncated";
    EXPECT_EQ(number(L"ROUND", {n(1.25), gap()}), 1.0) << "an omitted digit count is 0";
    EXPECT_EQ(number(L"ROUND", {n(0.1), n(400)}), 0.1);
    EXPECT_EQ(number(L"ROUND", {n(12345), n(-400)}), 0.0);
    EXPECT_EQ(number(L"ROUND", {n(1e300), n(2)}), 1e300);
    EXPECT_EQ(error(L"ROUND", {t(L"x"), n(2)}), ErrorCode::Value);
}

TEST_F(RoundingFunctions, RoundUpGoesAwayFromZeroAndRoundDownTowardIt) {
    EXPECT_EQ(number(L"ROUNDUP", {n(3.2), n(0)}), 4.0);
    EXPECT_EQ(number(L"ROUNDUP", {n(-3.14159), n(1)}), -3.2);
    EXPECT_EQ(number(L"ROUNDUP", {n(31415.92654), n(-2)}), 31500.0);
    EXPECT_EQ(number(L"ROUNDUP", {n(5), n(-2)}), 100.0);
    // 0.1 + 0.2 shows as 0.3: nothing to round up.
    EXPECT_EQ(number(L"ROUNDUP", {n(0.1 + 0.2), n(1)}), 0.3);
    EXPECT_EQ(number(L"ROUNDDOWN", {n(3.9), n(0)}), 3.0);
    EXPECT_EQ(number(L"ROUNDDOWN", {n(-3.14159), n(1)}), -3.1);
    EXPECT_EQ(number(L"ROUNDDOWN", {n(31415.92654), n(-2)}), 31400.0);
    EXPECT_EQ(number(L"TRUNC", {n(8.9)}), 8.0);
    EXPECT_EQ(number(L"TRUNC", {n(-8.9)}), -8.0);
    EXPECT_EQ(number(L"TRUNC", {n(3.14159), n(3)}), 3.141);
    EXPECT_EQ(number(L"INT", {n(8.9)}), 8.0);
    EXPECT_EQ(number(L"INT", {n(-8.1)}), -9.0) << "INT rounds down, not toward zero";
}

TEST_F(RoundingFunctions, CeilingAndFloorFollowTheSignsOfNumberAndSignificance) {
    EXPECT_EQ(number(L"CEILING", {n(2.5), n(1)}), 3.0);
    EXPECT_EQ(number(L"CEILING", {n(0.3), n(0.1)}), 0.3) << "no drift from 0.3 / 0.1";
    EXPECT_EQ(number(L"CEILING", {n(1.5), n(0.1)}), 1.5);
    EXPECT_EQ(number(L"CEILING", {n(0.234), n(0.01)}), 0.24);
    EXPECT_EQ(number(L"CEILING", {n(-2.5), n(2)}), -2.0) << "negative number: toward zero";
    EXPECT_EQ(number(L"CEILING", {n(-2.5), n(-2)}), -4.0) << "both negative: away from zero";
    EXPECT_EQ(error(L"CEILING", {n(2.5), n(-2)}), ErrorCode::Num);
    EXPECT_EQ(number(L"CEILING", {n(2.5), n(0)}), 0.0);
    EXPECT_EQ(number(L"CEILING", {n(4.2)}), 5.0) << "significance 1 by default";
    EXPECT_EQ(number(L"FLOOR", {n(3.7), n(2)}), 2.0);
    EXPECT_EQ(number(L"FLOOR", {n(-2.5), n(2)}), -4.0) << "negative number: away from zero";
    EXPECT_EQ(number(L"FLOOR", {n(-2.5), n(-2)}), -2.0) << "both negative: toward zero";
    EXPECT_EQ(number(L"FLOOR", {n(0.7), n(0.1)}), 0.7);
    EXPECT_EQ(error(L"FLOOR", {n(2.5), n(-2)}), ErrorCode::Num);
    EXPECT_EQ(error(L"FLOOR", {n(2.5), n(0)}), ErrorCode::Div0);
}

TEST_F(RoundingFunctions, EvenAndOddRoundAwayFromZero) {
    EXPECT_EQ(number(L"EVEN", {n(1.5)}), 2.0);
    EXPECT_EQ(number(L"EVEN", {n(3)}), 4.0);
    EXPECT_EQ(number(L"EVEN", {n(2)}), 2.0);
    EXPECT_EQ(number(L"EVEN", {n(-1)}), -2.0);
    EXPECT_EQ(number(L"EVEN", {n(0)}), 0.0);
    EXPECT_EQ(number(L"ODD", {n(1.5)}), 3.0);
    EXPECT_EQ(number(L"ODD", {n(3)}), 3.0);
    EXPECT_EQ(number(L"ODD", {n(2)}), 3.0);
    EXPECT_EQ(number(L"ODD", {n(-1)}), -1.0);
    EXPECT_EQ(number(L"ODD", {n(-2)}), -3.0);
    EXPECT_EQ(number(L"ODD", {n(0)}), 1.0);
}

} // namespace
} // namespace gridtest
