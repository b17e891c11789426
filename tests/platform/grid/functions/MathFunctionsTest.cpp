#include "FunctionTestKit.h"

#include <cmath>
#include <numbers>

namespace gridtest {
namespace {

using MathFunctions = FunctionsTest;

TEST_F(MathFunctions, ArithmeticCoercesItsArgumentsAndPropagatesErrors) {
    EXPECT_EQ(number(L"ABS", {n(-2.5)}), 2.5);
    EXPECT_EQ(number(L"ABS", {t(L"-3")}), 3.0);
    EXPECT_EQ(number(L"ABS", {b(true)}), 1.0);
    EXPECT_EQ(number(L"ABS", {gap()}), 0.0);
    EXPECT_EQ(error(L"ABS", {t(L"three")}), ErrorCode::Value);
    EXPECT_EQ(error(L"ABS", {err(ErrorCode::NA)}), ErrorCode::NA);
    set("A1", -4.0);
    EXPECT_EQ(number(L"ABS", {ref("A1")}), 4.0);
    EXPECT_EQ(number(L"ABS", {ref("B1")}), 0.0) << "an empty cell reads as 0";
    EXPECT_EQ(error(L"ABS", {ref("A1:A2")}), ErrorCode::Value) << "no scalar in a block";
    EXPECT_EQ(number(L"SIGN", {n(-0.1)}), -1.0);
    EXPECT_EQ(number(L"SIGN", {n(0)}), 0.0);
    EXPECT_EQ(number(L"SIGN", {n(7)}), 1.0);
    EXPECT_EQ(number(L"PI"), std::numbers::pi);
}

TEST_F(MathFunctions, ModTakesTheSignOfTheDivisor) {
    EXPECT_EQ(number(L"MOD", {n(3), n(2)}), 1.0);
    EXPECT_EQ(number(L"MOD", {n(-3), n(2)}), 1.0);
    EXPECT_EQ(number(L"MOD", {n(3), n(-2)}), -1.0);
    EXPECT_EQ(number(L"MOD", {n(-3), n(-2)}), -1.0);
    EXPECT_EQ(number(L"MOD", {n(6), n(3)}), 0.0);
    EXPECT_NEAR(number(L"MOD", {n(5.5), n(2)}), 1.5, 1e-12);
    EXPECT_EQ(error(L"MOD", {n(1), n(0)}), ErrorCode::Div0);
}

TEST_F(MathFunctions, GridOwnArithmeticNegatesInvertsSquaresAndTakesRoots) {
    EXPECT_EQ(number(L"NEG", {n(2)}), -2.0);
    EXPECT_EQ(number(L"NEG", {t(L"-1.5")}), 1.5);
    EXPECT_EQ(number(L"INVERSE", {n(4)}), 0.25);
    EXPECT_EQ(error(L"INVERSE", {n(0)}), ErrorCode::Div0);
    EXPECT_EQ(number(L"SQUARE", {n(-3)}), 9.0);
    EXPECT_EQ(error(L"SQUARE", {n(1e200)}), ErrorCode::Num) << "overflow";
    EXPECT_NEAR(number(L"XROOT", {n(27), n(3)}), 3.0, 1e-12);
    EXPECT_NEAR(number(L"XROOT", {n(-32), n(5)}), -2.0, 1e-12) << "odd root of a negative";
    EXPECT_NEAR(number(L"XROOT", {n(16), n(4)}), 2.0, 1e-12);
    EXPECT_EQ(error(L"XROOT", {n(-16), n(4)}), ErrorCode::Num) << "even root of a negative";
    EXPECT_EQ(error(L"XROOT", {n(-8), n(2.5)}), ErrorCode::Num);
    EXPECT_EQ(error(L"XROOT", {n(8), n(0)}), ErrorCode::Num);
    EXPECT_EQ(number(L"ADD", {n(1), n(2), t(L"3")}), 6.0);
}

TEST_F(MathFunctions, PowersAndLogarithmsRefuseTheirDomainErrors) {
    EXPECT_EQ(number(L"SQRT", {n(16)}), 4.0);
    EXPECT_EQ(error(L"SQRT", {n(-1)}), ErrorCode::Num);
    EXPECT_EQ(number(L"POWER", {n(2), n(10)}), 1024.0);
    EXPECT_EQ(number(L"POWER", {n(-2), n(3)}), -8.0);
    // A negative base with a fractional exponent has a real value only for odd roots.
    EXPECT_NEAR(number(L"POWER", {n(-8), n(1.0 / 3.0)}), -2.0, 1e-12);
    EXPECT_EQ(error(L"POWER", {n(-8), n(0.5)}), ErrorCode::Num);
    EXPECT_EQ(error(L"POWER", {n(0), n(0)}), ErrorCode::Num);
    EXPECT_EQ(error(L"POWER", {n(0), n(-1)}), ErrorCode::Div0);
    EXPECT_EQ(error(L"POWER", {n(10), n(400)}), ErrorCode::Num);
    EXPECT_NEAR(number(L"EXP", {n(1)}), std::numbers::e, 1e-15);
    EXPECT_EQ(error(L"EXP", {n(1000)}), ErrorCode::Num);
    EXPECT_EQ(number(L"LN", {n(1)}), 0.0);
    EXPECT_EQ(error(L"LN", {n(0)}), ErrorCode::Num);
    EXPECT_EQ(number(L"LOG10", {n(1000)}), 3.0);
    EXPECT_EQ(error(L"LOG10", {n(-10)}), ErrorCode::Num);
    EXPECT_EQ(number(L"LOG", {n(100)}), 2.0) << "base 10 by default";
    EXPECT_NEAR(number(L"LOG", {n(8), n(2)}), 3.0, 1e-15);
    EXPECT_EQ(error(L"LOG", {n(8), n(1)}), ErrorCode::Div0);
    EXPECT_EQ(error(L"LOG", {n(8), n(-2)}), ErrorCode::Num);
    EXPECT_EQ(error(L"LOG", {n(100), gap()}), ErrorCode::Num) << "an omitted base is 0";
}

TEST_F(MathFunctions, TrigonometryWorksInRadiansWithItsDomainLimits) {
    EXPECT_NEAR(number(L"SIN", {n(std::numbers::pi / 2)}), 1.0, 1e-15);
    EXPECT_NEAR(number(L"COS", {n(std::numbers::pi)}), -1.0, 1e-15);
    EXPECT_NEAR(number(L"TAN", {n(std::numbers::pi / 4)}), 1.0, 1e-15);
    EXPECT_EQ(error(L"SIN", {n(1e10)}), ErrorCode::Num) << "too large to mean anything";
    EXPECT_NEAR(number(L"ASIN", {n(1)}), std::numbers::pi / 2, 1e-15);
    EXPECT_EQ(error(L"ACOS", {n(1.5)}), ErrorCode::Num);
    EXPECT_NEAR(number(L"ATAN", {n(1)}), std::numbers::pi / 4, 1e-15);
    // ATAN2 takes x first: the point (-1, 0) lies at pi.
    EXPECT_NEAR(number(L"ATAN2", {n(-1), n(0)}), std::numbers::pi, 1e-15);
    EXPECT_NEAR(number(L"ATAN2", {n(0), n(1)}), std::numbers::pi / 2, 1e-15);
    EXPECT_EQ(error(L"ATAN2", {n(0), n(0)}), ErrorCode::Div0);
    EXPECT_NEAR(number(L"SINH", {n(1)}), (std::numbers::e - 1 / std::numbers::e) / 2, 1e-15);
    EXPECT_NEAR(number(L"COSH", {n(0)}), 1.0, 1e-15);
    EXPECT_NEAR(number(L"TANH", {n(0.5)}), std::tanh(0.5), 1e-15);
    EXPECT_NEAR(number(L"ASINH", {n(std::sinh(2.0))}), 2.0, 1e-14);
    EXPECT_NEAR(number(L"ACOSH", {n(1)}), 0.0, 1e-15);
    EXPECT_EQ(error(L"ACOSH", {n(0.5)}), ErrorCode::Num);
    EXPECT_NEAR(number(L"ATANH", {n(0.5)}), std::atanh(0.5), 1e-15);
    EXPECT_EQ(error(L"ATANH", {n(1)}), ErrorCode::Num);
    EXPECT_NEAR(number(L"DEGREES", {n(std::numbers::pi)}), 180.0, 1e-12);
    EXPECT_NEAR(number(L"RADIANS", {n(90)}), std::numbers::pi / 2, 1e-15);
}

TEST_F(MathFunctions, FactorialsAndCombinationsTruncateAndRefuseImpossibleCounts) {
    EXPECT_EQ(number(L"FACT", {n(0)}), 1.0);
    EXPECT_EQ(number(L"FACT", {n(5.9)}), 120.0) << "truncated to 5";
    EXPECT_EQ(error(L"FACT", {n(-1)}), ErrorCode::Num);
    EXPECT_EQ(error(L"FACT", {n(171)}), ErrorCode::Num) << "beyond the largest double";
    EXPECT_GT(number(L"FACT", {n(170)}), 7.25e306);
    EXPECT_EQ(number(L"COMBIN", {n(8), n(2)}), 28.0);
    EXPECT_EQ(number(L"COMBIN", {n(49), n(6)}), 13983816.0);
    EXPECT_EQ(number(L"COMBIN", {n(5), n(0)}), 1.0);
    EXPECT_EQ(number(L"COMBIN", {n(5.9), n(2.2)}), 10.0);
    EXPECT_EQ(error(L"COMBIN", {n(2), n(3)}), ErrorCode::Num);
    EXPECT_EQ(error(L"COMBIN", {n(-2), n(1)}), ErrorCode::Num);
    EXPECT_EQ(error(L"COMBIN", {n(1e9), n(5e8)}), ErrorCode::Num) << "overflows, quickly";
    EXPECT_EQ(number(L"PERMUT", {n(100), n(3)}), 970200.0);
    EXPECT_EQ(number(L"PERMUT", {n(3), n(2)}), 6.0);
    EXPECT_EQ(error(L"PERMUT", {n(3), n(4)}), ErrorCode::Num);
    EXPECT_EQ(error(L"PERMUT", {n(1e12), n(1e12)}), ErrorCode::Num);
}

TEST_F(MathFunctions, RandTakesTheSheetsRandomNumbers) {
    sheet.scriptRandom({0.25, 0.75});
    EXPECT_EQ(number(L"RAND"), 0.25);
    EXPECT_EQ(number(L"RAND"), 0.75);
}

} // namespace
} // namespace gridtest
