// Formula text shown back from the compiled form, in both reference styles.
#include "SheetTestSupport.h"

namespace gridx::testing {
namespace {

using FormulaTextTest = SheetTest;

TEST_F(FormulaTextTest, FormulasShowWithoutEqualsSignOrBlanksAndWithCanonicalTokens) {
    set(L"C5", L"= b3 * 2");
    EXPECT_EQ(formula(L"C5"), L"B3*2");
    set(L"C5", L"=sum( a1 : b2 , 1.50 , 1e3 , \"q\"\"t\" , true , #n/a )");
    EXPECT_EQ(formula(L"C5"), L"SUM(A1:B2,1.5,1000,\"q\"\"t\",TRUE,#N/A)");
    set(L"C5", L"=-(1+2)%^2&\"x\"<>(3)");
    EXPECT_EQ(formula(L"C5"), L"-(1+2)%^2&\"x\"<>(3)");
    set(L"C5", L"=IF(A1,,)");
    EXPECT_EQ(formula(L"C5"), L"IF(A1,,)");
    set(L"C5", L"=IF(A1,2)");
    EXPECT_EQ(formula(L"C5"), L"IF(A1,2)");
    EXPECT_EQ(formula(L"C6"), L"");
}

TEST_F(FormulaTextTest, ReferencesShowInA1AndR1C1Style) {
    set(L"C5", L"=B3+$B$3+B$3+$B3+C5");
    EXPECT_EQ(formula(L"C5"), L"B3+$B$3+B$3+$B3+C5");
    EXPECT_EQ(formula(L"C5", RefStyle::R1C1), L"R[-2]C[-1]+R3C2+R3C[-1]+R[-2]C2+RC");
    set(L"C5", L"=SUM(A1:B2)+SUM($A$1:A1)");
    EXPECT_EQ(formula(L"C5", RefStyle::R1C1), L"SUM(R[-4]C[-2]:R[-3]C[-1])+SUM(R1C1:R[-4]C[-2])");
    ASSERT_EQ(sheet.setFormula(3, 5, L"=R[-1]C[2]*RC+R[1]C+R2C[-1]", RefStyle::R1C1, false),
              FormulaStatus::Ok);
    EXPECT_EQ(formula(L"C5"), L"E4*C5+C6+B$2");
    EXPECT_EQ(formula(L"C5", RefStyle::R1C1), L"R[-1]C[2]*RC+R[1]C+R2C[-1]");
    ASSERT_EQ(sheet.setFormula(3, 5, L"=r[+1]c[-0]", RefStyle::R1C1, false), FormulaStatus::Ok);
    EXPECT_EQ(formula(L"C5", RefStyle::R1C1), L"R[1]C");
}

TEST_F(FormulaTextTest, SharedFormulasShowTheirOwnCells) {
    for (int row = 1; row <= 3; ++row)
        sheet.setFormula(4, row,
                         L"=A" + std::to_wstring(row) + L"*B" + std::to_wstring(row) + L"+$C$1",
                         RefStyle::A1, false);
    EXPECT_EQ(formula(L"D1"), L"A1*B1+$C$1");
    EXPECT_EQ(formula(L"D3"), L"A3*B3+$C$1");
    EXPECT_EQ(formula(L"D2", RefStyle::R1C1), formula(L"D3", RefStyle::R1C1));
}

TEST_F(FormulaTextTest, ShownTextParsesBackToTheSameText) {
    const wchar_t* formulas[] = {L"=1--1",
                                 L"=-2^-2",
                                 L"=2^3^2",
                                 L"=((A1))%",
                                 L"=\"a\"\"\"&B7:C9",
                                 L"=1E+20*1E-20",
                                 L"=0.000000001+123456789012345",
                                 L"=NOSUCH(,1,)",
                                 L"=CHOOSE(1,,2)",
                                 L"=x.y_z+1",
                                 L"=1<>2>=3<=4",
                                 L"=IFERROR(,)",
                                 L"=+A1",
                                 L"=1.23456789012345678"};
    for (const wchar_t* text : formulas) {
        ASSERT_EQ(set(L"C5", text), FormulaStatus::Ok) << text;
        const std::wstring shown = formula(L"C5");
        ASSERT_EQ(set(L"D9", L"=" + shown), FormulaStatus::Ok) << shown;
        EXPECT_EQ(formula(L"D9"), shown);
        const std::wstring r1c1 = formula(L"C5", RefStyle::R1C1);
        ASSERT_EQ(sheet.setFormula(3, 5, r1c1, RefStyle::R1C1, false), FormulaStatus::Ok);
        EXPECT_EQ(formula(L"C5"), shown);
    }
}

} // namespace
} // namespace gridx::testing
