#include "FunctionTestKit.h"

namespace gridtest {
namespace {

using FinancialFunctions = FunctionsTest;

// Published results are given in cents.
constexpr double kCent = 0.005;

TEST_F(FinancialFunctions, PaymentPresentAndFutureValueOfAnnuities) {
    EXPECT_NEAR(number(L"PMT", {n(0.08 / 12), n(10), n(10000)}), -1037.03, kCent);
    EXPECT_NEAR(number(L"PMT", {n(0.08 / 12), n(10), n(10000), n(0), n(1)}), -1030.16, kCent);
    EXPECT_NEAR(number(L"PMT", {n(0.06 / 12), n(18 * 12), n(0), n(50000)}), -129.08, kCent);
    EXPECT_EQ(number(L"PMT", {n(0), n(10), n(1000)}), -100.0) << "no interest";
    EXPECT_EQ(error(L"PMT", {n(0.05), n(0), n(1000)}), ErrorCode::Num);
    EXPECT_NEAR(number(L"PV", {n(0.08 / 12), n(12 * 20), n(500), gap(), n(0)}), -59777.15, kCent);
    EXPECT_EQ(number(L"PV", {n(0), n(10), n(-100), n(-500)}), 1500.0);
    EXPECT_NEAR(number(L"FV", {n(0.06 / 12), n(10), n(-200), n(-500), n(1)}), 2581.40, kCent);
    EXPECT_NEAR(number(L"FV", {n(0.12 / 12), n(12), n(-1000)}), 12682.50, kCent);
    EXPECT_NEAR(number(L"FV", {n(0.11 / 12), n(35), n(-2000), gap(), n(1)}), 82846.25, kCent);
    EXPECT_EQ(number(L"FV", {n(0), n(10), n(-100), n(-1000)}), 2000.0);
    EXPECT_EQ(error(L"FV", {t(L"rate"), n(10), n(-100)}), ErrorCode::Value);
}

TEST_F(FinancialFunctions, NperSolvesForThePeriodsOrRefusesImpossibleLoans) {
    EXPECT_NEAR(number(L"NPER", {n(0.01), n(-100), n(-1000), n(10000), n(1)}), 59.6738657, 1e-6);
    EXPECT_NEAR(number(L"NPER", {n(0.01), n(-100), n(-1000), n(10000)}), 60.0821229, 1e-6);
    EXPECT_NEAR(number(L"NPER", {n(0.01), n(-100), n(-1000)}), -9.57859404, 1e-6);
    EXPECT_EQ(number(L"NPER", {n(0), n(-100), n(1000)}), 10.0);
    EXPECT_EQ(error(L"NPER", {n(0), n(0), n(1000)}), ErrorCode::Num);
    // Payments smaller than the interest never repay the loan.
    EXPECT_EQ(error(L"NPER", {n(0.1), n(-50), n(1000)}), ErrorCode::Num);
}

TEST_F(FinancialFunctions, StraightLineAndSumOfYearsDepreciation) {
    EXPECT_EQ(number(L"SLN", {n(30000), n(7500), n(10)}), 2250.0);
    EXPECT_EQ(error(L"SLN", {n(30000), n(7500), n(0)}), ErrorCode::Div0);
    EXPECT_NEAR(number(L"SYD", {n(30000), n(7500), n(10), n(1)}), 4090.91, kCent);
    EXPECT_NEAR(number(L"SYD", {n(30000), n(7500), n(10), n(10)}), 409.09, kCent);
    EXPECT_EQ(error(L"SYD", {n(30000), n(7500), n(10), n(11)}), ErrorCode::Num);
    EXPECT_EQ(error(L"SYD", {n(30000), n(7500), n(10), n(0)}), ErrorCode::Num);
}

TEST_F(FinancialFunctions, FixedDecliningBalanceRoundsItsRateToThreeDecimals) {
    // Cost 1,000,000, salvage 100,000, six years, bought in the eighth month: the rate
    // 1 - 0.1^(1/6) = 0.3187 is used as 0.319.
    const double expected[] = {186083.33, 259639.42, 176814.44, 120410.64,
                               81999.64,  55841.76,  15845.10};
    for (int period = 1; period <= 7; ++period)
        EXPECT_NEAR(number(L"DB", {n(1e6), n(1e5), n(6), n(period), n(7)}), expected[period - 1],
                    kCent)
            << "period " << period;
    EXPECT_EQ(error(L"DB", {n(1e6), n(1e5), n(6), n(8), n(7)}), ErrorCode::Num);
    EXPECT_EQ(error(L"DB", {n(1e6), n(1e5), n(6), n(7)}), ErrorCode::Num) << "full first year";
    EXPECT_EQ(error(L"DB", {n(1e6), n(1e5), n(6), n(1), n(13)}), ErrorCode::Num);
    EXPECT_EQ(error(L"DB", {n(-1), n(1e5), n(6), n(1)}), ErrorCode::Num);
    EXPECT_GE(number(L"DB", {n(1e6), n(1e5), n(1e9), n(1e9)}), 0.0) << "no loop per period";
}

TEST_F(FinancialFunctions, DoubleDecliningBalanceNeverGoesBelowTheSalvage) {
    EXPECT_NEAR(number(L"DDB", {n(2400), n(300), n(10 * 365), n(1)}), 1.32, kCent);
    EXPECT_NEAR(number(L"DDB", {n(2400), n(300), n(10 * 12), n(1), n(2)}), 40.00, kCent);
    EXPECT_NEAR(number(L"DDB", {n(2400), n(300), n(10), n(1), n(2)}), 480.00, kCent);
    EXPECT_NEAR(number(L"DDB", {n(2400), n(300), n(10), n(2), n(1.5)}), 306.00, kCent);
    EXPECT_NEAR(number(L"DDB", {n(2400), n(300), n(10), n(10)}), 22.12, kCent);
    EXPECT_EQ(number(L"DDB", {n(1000), n(900), n(5), n(3)}), 0.0) << "already at salvage";
    EXPECT_EQ(error(L"DDB", {n(2400), n(300), n(10), n(11)}), ErrorCode::Num);
    EXPECT_EQ(error(L"DDB", {n(2400), n(300), n(10), n(1), n(0)}), ErrorCode::Num);
}

} // namespace
} // namespace gridtest
