// Evaluation: coercions of the operators, error values and their propagation, empty cells,
// and references where a single value is needed.
#include "SheetTestSupport.h"

namespace gridx::testing {
namespace {

using EvaluationTest = SheetTest;

TEST_F(EvaluationTest, OperatorsCoerceTextsBooleansAndEmptyCells) {
    set(L"A1", L"abc");
    sheet.setConstant(1, 2, Value::text(L" 12 "));
    sheet.setConstant(1, 3, Value::boolean(true));
    EXPECT_EQ(eval(L"=\"3\"+4"), L"7");
    EXPECT_EQ(eval(L"=A2*2"), L"24");
    EXPECT_EQ(eval(L"=A3+1"), L"2");
    EXPECT_EQ(eval(L"=TRUE*5"), L"5");
    EXPECT_EQ(eval(L"=\"50%\"*2"), L"1");
    EXPECT_EQ(eval(L"=A9+1"), L"1");     // an empty cell is 0 in arithmetic
    EXPECT_EQ(eval(L"=A9&\"x\""), L"x"); // and "" in a join
    EXPECT_EQ(eval(L"=1&TRUE&2.50"), L"1TRUE2.5");
    EXPECT_EQ(eval(L"=A1+1"), L"#VALUE!");
    EXPECT_EQ(eval(L"=-A1"), L"#VALUE!");
    EXPECT_EQ(eval(L"=-\"2\""), L"-2");
    EXPECT_EQ(eval(L"=+A1"), L"abc"); // unary plus leaves its operand alone
}

TEST_F(EvaluationTest, ComparisonsOrderNumbersTextsAndBooleans) {
    EXPECT_EQ(eval(L"=\"abc\"=\"ABC\""), L"TRUE");
    EXPECT_EQ(eval(L"=\"a\"<\"b\""), L"TRUE");
    EXPECT_EQ(eval(L"=1<\"a\""), L"TRUE");
    EXPECT_EQ(eval(L"=\"z\"<TRUE"), L"TRUE");
    EXPECT_EQ(eval(L"=1=\"1\""), L"FALSE");
    EXPECT_EQ(eval(L"=A9=0"), L"TRUE");
    EXPECT_EQ(eval(L"=A9=\"\""), L"TRUE");
    EXPECT_EQ(eval(L"=A9=FALSE"), L"TRUE");
    EXPECT_EQ(eval(L"=2>=2"), L"TRUE");
    EXPECT_EQ(eval(L"=2<>2"), L"FALSE");
    EXPECT_EQ(eval(L"=3<=2"), L"FALSE");
}

TEST_F(EvaluationTest, EveryErrorValueHasItsCause) {
    EXPECT_EQ(eval(L"=1/0"), L"#DIV/0!");
    EXPECT_EQ(eval(L"=0^-1"), L"#DIV/0!");
    EXPECT_EQ(eval(L"=0^0"), L"#NUM!");
    EXPECT_EQ(eval(L"=(-8)^(1/3)"), L"#NUM!");
    EXPECT_EQ(eval(L"=1E+300*1E+300"), L"#NUM!");
    EXPECT_EQ(eval(L"=\"x\"*1"), L"#VALUE!");
    EXPECT_EQ(eval(L"=Unknown"), L"#NAME?");
    EXPECT_EQ(eval(L"=NOFUNC()"), L"#NAME?");
    EXPECT_EQ(eval(L"=#N/A+1"), L"#N/A");
    EXPECT_EQ(eval(L"=#NULL!"), L"#NULL!");
    ASSERT_EQ(sheet.setFormula(1, 1, L"=R[-1]C", RefStyle::R1C1, false), FormulaStatus::Ok);
    EXPECT_EQ(text(L"A1"), L"#REF!");
    EXPECT_EQ(formula(L"A1"), L"#REF!");
    set(L"B1", L"=B1");
    EXPECT_EQ(text(L"B1"), L"#CIRC!");
}

TEST_F(EvaluationTest, TheLeftmostErrorOperandWins) {
    EXPECT_EQ(eval(L"=#N/A+#DIV/0!"), L"#N/A");
    EXPECT_EQ(eval(L"=(1/0)*#N/A"), L"#DIV/0!");
    EXPECT_EQ(eval(L"=\"x\"+1/0"), L"#VALUE!");
    EXPECT_EQ(eval(L"=#REF!&#NUM!"), L"#REF!");
    EXPECT_EQ(eval(L"=1/0=#N/A"), L"#DIV/0!");
    EXPECT_EQ(eval(L"=1<#N/A"), L"#N/A");
    EXPECT_EQ(eval(L"=SUM(1,#NUM!,#N/A)"), L"#NUM!");
}

TEST_F(EvaluationTest, AReferenceToAnEmptyCellShowsZero) {
    EXPECT_EQ(eval(L"=A9"), L"0");
    EXPECT_TRUE(value(L"Z100").isNumber());
    EXPECT_EQ(eval(L"=IF(TRUE,A9)"), L"0");
    EXPECT_EQ(eval(L"=(A9)"), L"0");
    set(L"A9", L"text");
    EXPECT_EQ(eval(L"=A9"), L"text");
}

TEST_F(EvaluationTest, AMultiCellRangeWhereOneValueIsNeededIsAValueError) {
    setNumber(L"A1", 1);
    setNumber(L"A2", 2);
    EXPECT_EQ(eval(L"=A1:A2"), L"#VALUE!");
    EXPECT_EQ(eval(L"=A1:A2+1"), L"#VALUE!");
    EXPECT_EQ(eval(L"=A1:A1+1"), L"2"); // a one-cell range is that cell
    EXPECT_EQ(eval(L"=SUM((A1:A2))"), L"3");
}

TEST_F(EvaluationTest, LongJoinedTextsAreRefused) {
    set(L"A1", L"=REPT(\"x\",20000)");
    EXPECT_EQ(text(L"A1").size(), 20000u);
    EXPECT_EQ(eval(L"=A1&A1"), L"#VALUE!");
}

// --- lazy choosing functions

TEST_F(EvaluationTest, ChoosingFunctionsEvaluateOnlyWhatTheyNeed) {
    int calls = 0;
    sheet.addCustomFunction(L"TOUCH", 0, 1, 0, [&](std::span<const CustomArg>) {
        ++calls;
        return Value::number(99);
    });
    EXPECT_EQ(eval(L"=IF(1>0,5,TOUCH())"), L"5");
    EXPECT_EQ(eval(L"=IF(1<0,TOUCH(),6)"), L"6");
    EXPECT_EQ(eval(L"=IF(1<0,TOUCH())"), L"FALSE");
    EXPECT_EQ(eval(L"=IFERROR(7,TOUCH())"), L"7");
    EXPECT_EQ(eval(L"=CHOOSE(2,TOUCH(),8,TOUCH())"), L"8");
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(eval(L"=IFERROR(1/0,TOUCH())"), L"99");
    EXPECT_EQ(eval(L"=CHOOSE(3,1,2,TOUCH())"), L"99");
    EXPECT_EQ(eval(L"=IF(\"true\",TOUCH(),1)"), L"99");
    EXPECT_EQ(calls, 3);
}

TEST_F(EvaluationTest, ChoosingFunctionsPassErrorsAndReferencesOn) {
    setNumber(L"A1", 1);
    setNumber(L"A2", 2);
    EXPECT_EQ(eval(L"=IF(1/0,1,2)"), L"#DIV/0!");
    EXPECT_EQ(eval(L"=IF(\"maybe\",1,2)"), L"#VALUE!");
    EXPECT_EQ(eval(L"=IF(,1,2)"), L"2");
    EXPECT_EQ(eval(L"=SUM(IF(A1=1,A1:A2,A1))"), L"3");
    EXPECT_EQ(eval(L"=SUM(CHOOSE(1,A1:A2,A1))"), L"3");
    EXPECT_EQ(eval(L"=CHOOSE(0,1,2)"), L"#VALUE!");
    EXPECT_EQ(eval(L"=CHOOSE(3,1,2)"), L"#VALUE!");
    EXPECT_EQ(eval(L"=CHOOSE(2.9,1,2)"), L"2");
    EXPECT_EQ(eval(L"=CHOOSE(#N/A,1,2)"), L"#N/A");
    EXPECT_EQ(eval(L"=IFERROR(A1:A2,5)"), L"5");
    EXPECT_EQ(eval(L"=IFERROR(#N/A,\"none\")"), L"none");
    EXPECT_EQ(eval(L"=IF(TRUE,IF(FALSE,1,CHOOSE(2,3,IFERROR(1/0,4))),5)"), L"4");
    EXPECT_EQ(formula(L"Z100"), L"IF(TRUE,IF(FALSE,1,CHOOSE(2,3,IFERROR(1/0,4))),5)");
}

} // namespace
} // namespace gridx::testing
