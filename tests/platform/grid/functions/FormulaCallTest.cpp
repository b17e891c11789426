// The functions as formulas reach them: through the sheet's parser and evaluator, which decide
// what an omitted argument, a one-cell block or a lazy call hands to the function.
#include "grid/Sheet.h"

#include <gtest/gtest.h>

#include <string>

namespace gridtest {
namespace {

using gridx::Value;

class FunctionsInFormulas : public ::testing::Test {
protected:
    gridx::Sheet sheet;

    void SetUp() override {
        sheet.setConstant(1, 1, Value::number(2.675));
        sheet.setConstant(1, 2, Value::number(2));
        sheet.setConstant(1, 3, Value::text(L"Pear"));
        sheet.setConstant(2, 1, Value::number(1));
        sheet.setConstant(2, 2, Value::number(2));
    }

    // The shown result of a formula placed in column 5.
    std::wstring eval(std::wstring_view formula) {
        auto status = sheet.setFormula(5, ++row_, formula, gridx::RefStyle::A1, true);
        EXPECT_EQ(status, gridx::FormulaStatus::Ok) << std::string(formula.begin(), formula.end());
        sheet.recalc();
        return gridx::toText(sheet.value(5, row_));
    }

private:
    int row_ = 0;
};

TEST_F(FunctionsInFormulas, OmittedAndDefaultedArgumentsReachTheFunctionsAsWritten) {
    EXPECT_EQ(eval(L"=ROUND(A1,2)"), L"2.68");
    EXPECT_EQ(eval(L"=ROUND(2.5,)"), L"3");
    EXPECT_EQ(eval(L"=LEFT(\"abc\")"), L"a");
    EXPECT_EQ(eval(L"=LEFT(\"abc\",)"), L"");
    EXPECT_EQ(eval(L"=COUNT(1,)"), L"2");
    EXPECT_EQ(eval(L"=VLOOKUP(2.5,B1:B2,1)"), L"2") << "approximate by default";
    EXPECT_EQ(eval(L"=VLOOKUP(2.5,B1:B2,1,)"), L"#N/A") << "a bare comma means exact";
}

TEST_F(FunctionsInFormulas, ReferencesBlocksAndLazyCallsBehaveAsInTheDesktopSpreadsheet) {
    EXPECT_EQ(eval(L"=SUM(A1:A3)"), L"4.675");
    EXPECT_EQ(eval(L"=AVERAGE(A1:A4)"), L"2.3375");
    EXPECT_EQ(eval(L"=COUNTIF(A1:A5,\"\")"), L"2");
    EXPECT_EQ(eval(L"=MATCH(\"p*\",A1:A3,0)"), L"3");
    EXPECT_EQ(eval(L"=INDEX(A1:A3,3)"), L"Pear");
    EXPECT_EQ(eval(L"=ISREF(A1:A2)"), L"TRUE");
    EXPECT_EQ(eval(L"=ISBLANK(A9)"), L"TRUE");
    EXPECT_EQ(eval(L"=IF(A2>1,\"big\")"), L"big");
    EXPECT_EQ(eval(L"=IF(A2>5,\"big\")"), L"FALSE");
    EXPECT_EQ(eval(L"=IFERROR(1/0,\"none\")"), L"none");
    EXPECT_EQ(eval(L"=CHOOSE(2,A3,A2)"), L"2");
    EXPECT_EQ(eval(L"=sum(a1:a2)"), L"4.675") << "names in any case";
}

} // namespace
} // namespace gridtest
