#include "FunctionTestKit.h"

#include <cmath>
#include <cwchar>

namespace gridtest {
namespace {

class StatisticalFunctions : public FunctionsTest {
protected:
    // A1:A6 holds 2, 4, "text", TRUE, (empty), 8: only the three numbers take part.
    void fillMixedColumn() {
        set("A1", 2.0);
        set("A2", 4.0);
        set("A3", L"text");
        set("A4", Value::boolean(true));
        set("A6", 8.0);
    }
};

TEST_F(StatisticalFunctions, SumSkipsNonNumbersInReferencesButCoercesDirectValues) {
    fillMixedColumn();
    EXPECT_EQ(number(L"SUM", {ref("A1:A6")}), 14.0);
    EXPECT_EQ(number(L"SUM", {ref("A1:A6"), n(1), t(L"2"), b(true)}), 18.0);
    EXPECT_EQ(number(L"SUM", {ref("A3")}), 0.0) << "a text cell is skipped";
    EXPECT_EQ(number(L"SUM", {ref("A4")}), 0.0) << "a boolean cell is skipped";
    EXPECT_EQ(number(L"SUM", {ref("A1"), gap()}), 2.0);
    EXPECT_EQ(error(L"SUM", {n(1), t(L"abc")}), ErrorCode::Value) << "direct text no number";
    EXPECT_EQ(number(L"SUM", {ref("C1:C9")}), 0.0);
    EXPECT_GT(sheet.statsCalls(), 0) << "blocks are summed through the sheet's statistics";
    EXPECT_EQ(number(L"SUMSQ", {ref("A1:A6"), n(3)}), 4.0 + 16.0 + 64.0 + 9.0);
    EXPECT_EQ(number(L"ADD", {ref("A1:A6"), n(-4)}), 10.0);
}

TEST_F(StatisticalFunctions, ErrorsInsideReferencesPropagateInArgumentOrder) {
    fillMixedColumn();
    set("B1", Value::error(ErrorCode::NA));
    set("B2", Value::error(ErrorCode::Div0));
    for (const wchar_t* name : {L"SUM", L"AVERAGE", L"MIN", L"MAX", L"PRODUCT", L"MEDIAN", L"MODE",
                                L"STDEV", L"VARP", L"SUMSQ"}) {
        EXPECT_EQ(error(name, {ref("A1:A6"), ref("B1:B2")}), ErrorCode::NA)
            << std::string(name, name + std::wcslen(name));
        EXPECT_EQ(error(name, {err(ErrorCode::Ref), ref("B1:B2")}), ErrorCode::Ref);
    }
    EXPECT_EQ(error(L"SUM", {ref("B2")}), ErrorCode::Div0);
}

TEST_F(StatisticalFunctions, CountCountsNumbersAndCountACountsEverythingNonEmpty) {
    fillMixedColumn();
    set("A7", Value::error(ErrorCode::Div0));
    set("A8", L"");
    EXPECT_EQ(number(L"COUNT", {ref("A1:A8")}), 3.0) << "errors are not counted, not raised";
    // Typed directly, numbers, numeric texts, booleans and omitted arguments count.
    EXPECT_EQ(number(L"COUNT", {n(1), t(L"2"), t(L"two"), b(false), err(ErrorCode::NA)}), 3.0);
    EXPECT_EQ(number(L"COUNT", {ref("A3"), ref("A1"), gap()}), 2.0);
    EXPECT_EQ(number(L"COUNTA", {ref("A1:A8")}), 7.0) << "the empty text counts too";
    EXPECT_EQ(number(L"COUNTA", {n(1), t(L""), err(ErrorCode::NA), ref("A5")}), 3.0);
}

TEST_F(StatisticalFunctions, AverageMinMaxAndProductOverMixedArguments) {
    fillMixedColumn();
    EXPECT_NEAR(number(L"AVERAGE", {ref("A1:A6")}), 14.0 / 3.0, 1e-15);
    EXPECT_EQ(number(L"AVERAGE", {ref("A1:A6"), n(6)}), 5.0);
    EXPECT_EQ(number(L"AVERAGE", {n(1), gap()}), 0.5) << "an omitted argument is a 0";
    EXPECT_EQ(error(L"AVERAGE", {ref("A3:A5")}), ErrorCode::Div0);
    EXPECT_EQ(number(L"MIN", {ref("A1:A6")}), 2.0);
    EXPECT_EQ(number(L"MIN", {ref("A1:A6"), n(-1)}), -1.0);
    EXPECT_EQ(number(L"MAX", {ref("A1:A6")}), 8.0);
    EXPECT_EQ(number(L"MAX", {ref("A3:A5")}), 0.0) << "no numbers at all";
    EXPECT_EQ(number(L"MIN", {t(L"-5"), n(3)}), -5.0);
    EXPECT_EQ(number(L"PRODUCT", {ref("A1:A6"), n(0.5)}), 32.0);
    EXPECT_EQ(number(L"PRODUCT", {ref("A3:A5")}), 0.0) << "no numbers at all";
}

TEST_F(StatisticalFunctions, MedianAndModePickFromTheCollectedNumbers) {
    setColumn("A1", {5, 1, 4, 2});
    EXPECT_EQ(number(L"MEDIAN", {ref("A1:A4")}), 3.0);
    EXPECT_EQ(number(L"MEDIAN", {ref("A1:A4"), n(100)}), 4.0);
    EXPECT_EQ(error(L"MEDIAN", {ref("C1:C4")}), ErrorCode::Num);
    EXPECT_EQ(error(L"MODE", {ref("A1:A4")}), ErrorCode::NA) << "no value repeats";
    EXPECT_EQ(number(L"MODE", {n(3), n(7), n(7), n(3), n(1)}), 3.0) << "first of a tie";
    EXPECT_EQ(number(L"MODE", {n(1), n(2), n(2), n(2), n(1)}), 2.0);
}

TEST_F(StatisticalFunctions, VarianceAndDeviationNeedEnoughValuesAndStayAccurate) {
    setColumn("A1", {2, 4, 4, 4, 5, 5, 7, 9});
    EXPECT_EQ(number(L"VARP", {ref("A1:A8")}), 4.0);
    EXPECT_EQ(number(L"STDEVP", {ref("A1:A8")}), 2.0);
    EXPECT_NEAR(number(L"VAR", {ref("A1:A8")}), 32.0 / 7.0, 1e-14);
    EXPECT_NEAR(number(L"STDEV", {ref("A1:A8")}), std::sqrt(32.0 / 7.0), 1e-14);
    EXPECT_EQ(error(L"STDEV", {n(1)}), ErrorCode::Div0);
    EXPECT_EQ(error(L"VAR", {ref("C1:C3")}), ErrorCode::Div0);
    EXPECT_EQ(number(L"VARP", {n(1)}), 0.0);
    EXPECT_EQ(error(L"VARP", {ref("C1:C3")}), ErrorCode::Div0);
    // Large offsets cancel catastrophically in sum-of-squares formulas; the deviations don't.
    setColumn("B1", {1e9 + 4, 1e9 + 7, 1e9 + 13, 1e9 + 16});
    EXPECT_NEAR(number(L"VAR", {ref("B1:B4")}), 30.0, 1e-6);
}

TEST_F(StatisticalFunctions, RankCountsTheNumbersBeforeTheGivenOne) {
    setColumn("A1", {7, 3.5, 3.5, 1, 2});
    set("A6", L"skip me");
    EXPECT_EQ(number(L"RANK", {n(3.5), ref("A1:A6")}), 2.0) << "descending by default";
    EXPECT_EQ(number(L"RANK", {n(7), ref("A1:A6"), n(1)}), 5.0);
    EXPECT_EQ(number(L"RANK", {n(3.5), ref("A1:A6"), n(1)}), 3.0) << "ties share a rank";
    EXPECT_EQ(number(L"RANK", {n(1), ref("A1:A6"), gap()}), 5.0);
    EXPECT_EQ(error(L"RANK", {n(4), ref("A1:A6")}), ErrorCode::NA) << "not in the list";
    EXPECT_EQ(error(L"RANK", {n(4), n(4)}), ErrorCode::Value) << "needs a reference";
    EXPECT_EQ(error(L"RANK", {t(L"x"), ref("A1:A6")}), ErrorCode::Value);
}

} // namespace
} // namespace gridtest
