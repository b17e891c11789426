#include "FunctionTestKit.h"

namespace gridtest {
namespace {

class CriteriaFunctions : public FunctionsTest {
protected:
    // A1:A11: texts, numbers, an empty cell, an empty text, a boolean, a numeric text, an error.
    void SetUp() override {
        set("A1", L"apples");
        set("A2", 32.0);
        set("A3", L"Oranges");
        set("A4", 75.0);
        set("A5", L"peaches");
        set("A6", 86.0);
        set("A8", L"");
        set("A9", Value::boolean(true));
        set("A10", L"32");
        set("A11", Value::error(ErrorCode::Div0));
    }
    double countIf(FnArg criterion) { return number(L"COUNTIF", {ref("A1:A11"), criterion}); }
};

TEST_F(CriteriaFunctions, CountIfMatchesTextsInAnyCaseAndWithWildcards) {
    EXPECT_EQ(countIf(t(L"apples")), 1.0);
    EXPECT_EQ(countIf(t(L"APPLES")), 1.0);
    EXPECT_EQ(countIf(t(L"=oranges")), 1.0);
    EXPECT_EQ(countIf(t(L"*es")), 3.0);
    EXPECT_EQ(countIf(t(L"??????")), 1.0) << "six letters: apples";
    EXPECT_EQ(countIf(t(L"p*s")), 1.0);
    EXPECT_EQ(countIf(t(L">=p")), 1.0) << "texts ordered without case";
    EXPECT_EQ(countIf(t(L"*")), 5.0) << "every text, the empty one and numeric one included";
    set("B1", L"2*3");
    set("B2", L"2x3");
    EXPECT_EQ(number(L"COUNTIF", {ref("B1:B2"), t(L"2~*3")}), 1.0) << "escaped star";
    EXPECT_EQ(number(L"COUNTIF", {ref("B1:B2"), t(L"2*3")}), 2.0);
}

TEST_F(CriteriaFunctions, CountIfComparesNumbersIncludingNumericTexts) {
    EXPECT_EQ(countIf(t(L">55")), 2.0);
    EXPECT_EQ(countIf(n(32)), 2.0) << "the number and the text \"32\"";
    EXPECT_EQ(countIf(t(L"32")), 2.0);
    EXPECT_EQ(countIf(t(L"<=32")), 1.0) << "a numeric text is equal, not smaller";
    EXPECT_EQ(countIf(t(L"<>75")), 10.0) << "everything else, empty cell included";
    EXPECT_EQ(countIf(n(0)), 0.0) << "empty cells are not 0 here";
    set("C1", 45366.0);
    set("C2", 45000.0);
    EXPECT_EQ(number(L"COUNTIF", {ref("C1:C2"), t(L">=2024-03-01")}), 1.0) << "dates";
    set("D1", 4.0);
    EXPECT_EQ(countIf(ref("D1")), 0.0) << "the criterion may come from a cell";
    set("D1", 75.0);
    EXPECT_EQ(countIf(ref("D1")), 1.0);
}

TEST_F(CriteriaFunctions, CountIfTellsEmptyCellsBooleansAndErrorsApart) {
    EXPECT_EQ(countIf(t(L"")), 2.0) << "the empty cell and the empty text";
    EXPECT_EQ(countIf(t(L"=")), 1.0) << "only the truly empty cell";
    EXPECT_EQ(countIf(t(L"<>")), 10.0) << "every cell that holds something";
    EXPECT_EQ(countIf(b(true)), 1.0);
    EXPECT_EQ(countIf(t(L"true")), 1.0);
    EXPECT_EQ(countIf(t(L"#DIV/0!")), 1.0);
    EXPECT_EQ(countIf(err(ErrorCode::Div0)), 1.0);
    // Empty cells are counted in one step, however many there are.
    EXPECT_EQ(number(L"COUNTIF", {ref("Z1:Z1000000"), t(L"")}), 1000000.0);
    EXPECT_EQ(error(L"COUNTIF", {n(1), n(1)}), ErrorCode::Value) << "needs a reference";
    EXPECT_EQ(error(L"COUNTIF", {ref("A1:A11"), ref("A1:A2")}), ErrorCode::Value);
}

class SumIfFunction : public FunctionsTest {
protected:
    // Property values in E1:E4 and commissions beside them in F1:F4.
    void SetUp() override {
        setColumn("E1", {100000, 200000, 300000, 400000});
        setColumn("F1", {7000, 14000, 21000, 28000});
    }
};

TEST_F(SumIfFunction, SumsTheCellsBesideThoseThatMeetTheCriterion) {
    EXPECT_EQ(number(L"SUMIF", {ref("E1:E4"), t(L">160000"), ref("F1:F4")}), 63000.0);
    EXPECT_EQ(number(L"SUMIF", {ref("E1:E4"), t(L">160000")}), 900000.0);
    EXPECT_EQ(number(L"SUMIF", {ref("E1:E4"), n(300000), ref("F1:F4")}), 21000.0);
    // The sum range is only an anchor: it takes the shape of the criteria range.
    EXPECT_EQ(number(L"SUMIF", {ref("E1:E4"), t(L">160000"), ref("F1")}), 63000.0);
    EXPECT_EQ(number(L"SUMIF", {ref("E1:E4"), t(L"<0"), ref("F1:F4")}), 0.0);
    set("G2", L"x");
    EXPECT_EQ(number(L"SUMIF", {ref("G1:G4"), t(L""), ref("F1:F4")}), 7000.0 + 21000.0 + 28000.0)
        << "empty criteria cells match an empty criterion";
    set("F2", L"n/a");
    EXPECT_EQ(number(L"SUMIF", {ref("E1:E4"), t(L">0"), ref("F1:F4")}), 56000.0)
        << "texts in the sum range are skipped";
}

TEST_F(SumIfFunction, AnErrorInASummedCellPropagatesButNotInASkippedOne) {
    set("F1", Value::error(ErrorCode::NA));
    EXPECT_EQ(number(L"SUMIF", {ref("E1:E4"), t(L">160000"), ref("F1:F4")}), 63000.0);
    EXPECT_EQ(error(L"SUMIF", {ref("E1:E4"), t(L"<160000"), ref("F1:F4")}), ErrorCode::NA);
    EXPECT_EQ(error(L"SUMIF", {ref("E1:E4"), t(L">0"), n(3)}), ErrorCode::Value);
    EXPECT_EQ(error(L"SUMIF", {ref("E1:E4"), ref("E1:E2")}), ErrorCode::Value);
}

} // namespace
} // namespace gridtest
