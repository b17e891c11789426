// The formula language: literals, operators and their precedence, references, calls, and the
// texts that are refused.
#include "SheetTestSupport.h"

#include "engine/Limits.h"

namespace gridx::testing {
namespace {

using FormulaLanguageTest = SheetTest;

TEST_F(FormulaLanguageTest, NumbersAreReadInEveryUsualShape) {
    EXPECT_EQ(eval(L"=1"), L"1");
    EXPECT_EQ(eval(L"=1.5"), L"1.5");
    EXPECT_EQ(eval(L"=.5"), L"0.5");
    EXPECT_EQ(eval(L"=1e3"), L"1000");
    EXPECT_EQ(eval(L"=2.5E-2"), L"0.025");
    EXPECT_EQ(eval(L"=1E+20"), L"1E+20");
    EXPECT_EQ(eval(L"=1."), L"1");
}

TEST_F(FormulaLanguageTest, StringsBooleansAndErrorLiteralsAreValues) {
    EXPECT_EQ(eval(L"=\"a\"\"b\""), L"a\"b");
    EXPECT_EQ(eval(L"=\"\""), L"");
    EXPECT_EQ(eval(L"=TRUE"), L"TRUE");
    EXPECT_EQ(eval(L"=false"), L"FALSE");
    EXPECT_EQ(eval(L"=#DIV/0!"), L"#DIV/0!");
    EXPECT_EQ(eval(L"=#n/a"), L"#N/A");
    EXPECT_EQ(eval(L"=#NAME?"), L"#NAME?");
}

TEST_F(FormulaLanguageTest, OperatorsBindInTheUsualOrder) {
    EXPECT_EQ(eval(L"=1+2*3"), L"7");
    EXPECT_EQ(eval(L"=(1+2)*3"), L"9");
    EXPECT_EQ(eval(L"=2^3^2"), L"64"); // left-associative
    EXPECT_EQ(eval(L"=-2^2"), L"4");   // the sign binds tighter than ^
    EXPECT_EQ(eval(L"=2^-1"), L"0.5"); // a sign after ^ belongs to the exponent
    EXPECT_EQ(eval(L"=0-2^2"), L"-4"); // binary minus binds looser
    EXPECT_EQ(eval(L"=50%"), L"0.5");  // postfix percent
    EXPECT_EQ(eval(L"=2^50%*4"), L"5.65685424949238");
    EXPECT_EQ(eval(L"=10-4-3"), L"3"); // left to right
    EXPECT_EQ(eval(L"=12/3/2"), L"2");
    EXPECT_EQ(eval(L"=1+2&3"), L"33");        // & below + -
    EXPECT_EQ(eval(L"=1&2=\"12\""), L"TRUE"); // comparisons lowest
    EXPECT_EQ(eval(L"=1<2=TRUE"), L"TRUE");
    EXPECT_EQ(eval(L"=--3"), L"3");
    EXPECT_EQ(eval(L"=+-+3"), L"-3");
}

TEST_F(FormulaLanguageTest, BlanksMaySeparateTokensAndTheEqualsSignIsOptional) {
    EXPECT_EQ(eval(L"= 1 +\t2 * ( 3 )"), L"7");
    ASSERT_EQ(sheet.setFormula(1, 1, L"4*5", RefStyle::A1, false), FormulaStatus::Ok);
    EXPECT_EQ(text(L"A1"), L"20");
    ASSERT_EQ(sheet.setFormula(1, 2, L"  =  SUM( 1 , 2 )", RefStyle::A1, false), FormulaStatus::Ok);
    EXPECT_EQ(text(L"A2"), L"3");
}

TEST_F(FormulaLanguageTest, ReferencesReadCellsInA1AndR1C1Style) {
    setNumber(L"B3", 7);
    setNumber(L"C4", 2);
    EXPECT_EQ(eval(L"=B3*2"), L"14");
    EXPECT_EQ(eval(L"=$B$3+B$3+$B3"), L"21");
    EXPECT_EQ(eval(L"=b3"), L"7");
    EXPECT_EQ(eval(L"=SUM(B3:C4)"), L"9");
    EXPECT_EQ(eval(L"=SUM(C4:B3)"), L"9"); // corners in either order
    EXPECT_EQ(eval(L"=SUM($B$3:C4)"), L"9");
    ASSERT_EQ(sheet.setFormula(4, 5, L"=R3C2*R[-1]C[-1]", RefStyle::R1C1, false),
              FormulaStatus::Ok);
    EXPECT_EQ(text(L"D5"), L"14");
    ASSERT_EQ(sheet.setFormula(2, 4, L"=R[-1]C+RC[1]", RefStyle::R1C1, false), FormulaStatus::Ok);
    EXPECT_EQ(text(L"B4"), L"9");
    ASSERT_EQ(sheet.setFormula(5, 5, L"=SUM(R3C2:R4C3)", RefStyle::R1C1, false), FormulaStatus::Ok);
    EXPECT_EQ(text(L"E5"), L"18"); // B3 + B4 + C4
}

TEST_F(FormulaLanguageTest, ColumnsUpToTheLargestSheetAreAddressed) {
    sheet.setMaxCols(engine::kColLimit);
    sheet.setConstant(engine::kColLimit, 1, Value::number(5));
    sheet.setConstant(703, 1, Value::number(3)); // AAA
    EXPECT_EQ(eval(L"=ZZZ1+AAA1"), L"8");
    EXPECT_EQ(formula(L"Z100"), L"ZZZ1+AAA1");
}

TEST_F(FormulaLanguageTest, CallsTakeNamesInAnyCaseAndOmittedArguments) {
    EXPECT_EQ(eval(L"=sum(1,2,3)"), L"6");
    EXPECT_EQ(formula(L"Z100"), L"SUM(1,2,3)");
    EXPECT_EQ(eval(L"=ROUND(1.5,)"), L"2");
    EXPECT_EQ(formula(L"Z100"), L"ROUND(1.5,)");
    EXPECT_EQ(eval(L"=IF(TRUE,,2)"), L"0");
    EXPECT_EQ(eval(L"=TRUE()"), L"TRUE");
}

TEST_F(FormulaLanguageTest, MalformedTextIsRefusedAsASyntaxError) {
    for (const wchar_t* text :
         {L"=",        L"",       L"=1+",    L"=(1",           L"=1)",       L"=\"abc",
          L"=1 2",     L"=A1 B1", L"=#FOO!", L"=SUM(1",        L"=SUM(1;2)", L"=1e",
          L"=A1:",     L"=A1:3",  L"=@",     L"=$5",           L"=A$",       L"=1e999",
          L"=R1C1",    L"=RC",    L"=ABS()", L"=ROUND(1,2,3)", L"=*2",       L"=1+*2",
          L"=A1:B2:C3"}) {
        EXPECT_EQ(sheet.setFormula(1, 1, text, RefStyle::A1, false), FormulaStatus::SyntaxError)
            << std::wstring(text);
    }
    EXPECT_EQ(sheet.setFormula(1, 1, L"=B3", RefStyle::R1C1, false), FormulaStatus::SyntaxError);
    EXPECT_EQ(sheet.setFormula(1, 1, L"=R0C1", RefStyle::R1C1, true),
              FormulaStatus::UnknownFunction);
}

TEST_F(FormulaLanguageTest, UnknownNamesAreKeptUnlessValidatedAndShowNameError) {
    EXPECT_EQ(set(L"A1", L"=NOSUCH(1)", RefStyle::A1, true), FormulaStatus::UnknownFunction);
    EXPECT_EQ(set(L"A1", L"=Thickness*2", RefStyle::A1, true), FormulaStatus::UnknownFunction);
    EXPECT_FALSE(sheet.hasFormula(1, 1));
    EXPECT_EQ(set(L"A1", L"=NOSUCH(1)"), FormulaStatus::Ok);
    EXPECT_EQ(text(L"A1"), L"#NAME?");
    EXPECT_EQ(formula(L"A1"), L"NOSUCH(1)");
    EXPECT_EQ(set(L"A2", L"=Thickness*2"), FormulaStatus::Ok);
    EXPECT_EQ(text(L"A2"), L"#NAME?");
    EXPECT_EQ(formula(L"A2"), L"Thickness*2");
}

TEST_F(FormulaLanguageTest, ARefusedFormulaLeavesTheCellAsItWas) {
    set(L"A1", L"=1+1");
    EXPECT_EQ(set(L"A1", L"=1+", RefStyle::A1, true), FormulaStatus::SyntaxError);
    EXPECT_EQ(set(L"A1", L"=FOO()", RefStyle::A1, true), FormulaStatus::UnknownFunction);
    EXPECT_EQ(formula(L"A1"), L"1+1");
    EXPECT_EQ(text(L"A1"), L"2");
    set(L"A2", L"abc");
    EXPECT_EQ(set(L"A2", L"=(", RefStyle::A1, false), FormulaStatus::SyntaxError);
    EXPECT_EQ(text(L"A2"), L"abc");
    EXPECT_FALSE(sheet.hasFormula(1, 2));
}

TEST_F(FormulaLanguageTest, FormulasOutsideTheDataCellsAreRefused) {
    EXPECT_EQ(sheet.setFormula(0, 1, L"=1", RefStyle::A1, false), FormulaStatus::OutOfRange);
    EXPECT_EQ(sheet.setFormula(1, kHeader, L"=1", RefStyle::A1, false), FormulaStatus::OutOfRange);
    EXPECT_EQ(sheet.setFormula(501, 1, L"=1", RefStyle::A1, false), FormulaStatus::OutOfRange);
    EXPECT_EQ(sheet.setFormula(1, -3, L"=1", RefStyle::A1, false), FormulaStatus::OutOfRange);
    EXPECT_EQ(sheet.cellCount(), 0u);
}

// --- limits

TEST_F(FormulaLanguageTest, DeepNestingIsRefusedAsTooComplex) {
    const std::wstring ok = L"=" + std::wstring(100, L'(') + L"1" + std::wstring(100, L')');
    EXPECT_EQ(set(L"A1", ok), FormulaStatus::Ok);
    EXPECT_EQ(text(L"A1"), L"1");
    const std::wstring deep = L"=" + std::wstring(101, L'(') + L"1" + std::wstring(101, L')');
    EXPECT_EQ(set(L"A2", deep), FormulaStatus::TooComplex);
    const std::wstring signs = L"=" + std::wstring(101, L'-') + L"1";
    EXPECT_EQ(set(L"A3", signs), FormulaStatus::TooComplex);
    std::wstring calls = L"=";
    for (int i = 0; i < 101; ++i)
        calls += L"ABS(";
    calls += L"1" + std::wstring(101, L')');
    EXPECT_EQ(set(L"A4", calls), FormulaStatus::TooComplex);
    // Unbalanced nesting far beyond the limit is refused just the same, without recursion.
    EXPECT_EQ(set(L"A5", L"=" + std::wstring(8000, L'(')), FormulaStatus::TooComplex);
    EXPECT_EQ(sheet.cellCount(), 1u);
}

TEST_F(FormulaLanguageTest, LongTextIsRefusedAsTooComplex) {
    std::wstring longest = L"=1";
    while (longest.size() + 2 <= engine::kMaxFormulaLength)
        longest += L"+1";
    ASSERT_LE(longest.size(), engine::kMaxFormulaLength);
    EXPECT_EQ(set(L"A1", longest), FormulaStatus::Ok);
    EXPECT_EQ(number(L"A1"), static_cast<double>((longest.size() + 1) / 2));
    EXPECT_EQ(set(L"A2", longest + L"+1"), FormulaStatus::TooComplex);
}

} // namespace
} // namespace gridx::testing
