#include "FunctionTestKit.h"

namespace gridtest {
namespace {

using LogicalFunctions = FunctionsTest;

TEST_F(LogicalFunctions, AndOrSkipTextsInReferencesButNeedSomeLogicalValue) {
    set("A1", Value::boolean(true));
    set("A2", L"note");
    set("A3", 0.0);
    set("B1", L"only text");
    EXPECT_FALSE(truth(L"AND", {ref("A1:A4")}));
    EXPECT_TRUE(truth(L"AND", {ref("A1:A2")}));
    EXPECT_TRUE(truth(L"OR", {ref("A1:A4")}));
    EXPECT_FALSE(truth(L"OR", {ref("A3"), b(false)}));
    EXPECT_TRUE(truth(L"AND", {n(2), t(L"true"), b(true)})) << "direct values are coerced";
    EXPECT_EQ(error(L"AND", {t(L"yes")}), ErrorCode::Value);
    EXPECT_EQ(error(L"OR", {ref("B1:B3")}), ErrorCode::Value) << "no logical value at all";
    EXPECT_EQ(error(L"AND", {ref("B1")}), ErrorCode::Value);
    EXPECT_FALSE(truth(L"AND", {b(true), gap()})) << "an omitted argument is FALSE";
    set("A4", Value::error(ErrorCode::Div0));
    EXPECT_EQ(error(L"OR", {b(true), ref("A1:A4")}), ErrorCode::Div0);
    EXPECT_EQ(error(L"AND", {err(ErrorCode::NA), b(true)}), ErrorCode::NA);
    EXPECT_TRUE(truth(L"NOT", {b(false)}));
    EXPECT_FALSE(truth(L"NOT", {n(-3)}));
    EXPECT_TRUE(truth(L"NOT", {ref("Z1")}));
    EXPECT_EQ(error(L"NOT", {t(L"maybe")}), ErrorCode::Value);
    EXPECT_TRUE(truth(L"TRUE"));
    EXPECT_FALSE(truth(L"FALSE"));
}

TEST_F(LogicalFunctions, IfChoosesABranchAndFillsInMissingOnes) {
    EXPECT_EQ(text(L"IF", {b(true), t(L"yes"), t(L"no")}), L"yes");
    EXPECT_EQ(text(L"IF", {n(0), t(L"yes"), t(L"no")}), L"no");
    EXPECT_FALSE(truth(L"IF", {b(false), t(L"yes")})) << "no else branch gives FALSE";
    EXPECT_EQ(number(L"IF", {b(false), t(L"yes"), gap()}), 0.0) << "an empty else is 0";
    EXPECT_EQ(number(L"IF", {b(true), gap()}), 0.0);
    EXPECT_EQ(text(L"IF", {t(L"TRUE"), t(L"yes"), t(L"no")}), L"yes");
    EXPECT_EQ(error(L"IF", {t(L"sometimes"), n(1), n(2)}), ErrorCode::Value);
    EXPECT_EQ(error(L"IF", {err(ErrorCode::Ref), n(1), n(2)}), ErrorCode::Ref);
    EXPECT_EQ(error(L"IF", {b(true), err(ErrorCode::NA), n(2)}), ErrorCode::NA);
    EXPECT_EQ(number(L"IF", {b(false), err(ErrorCode::NA), n(2)}), 2.0);
    set("C1", 42.0);
    EXPECT_EQ(number(L"IF", {b(true), ref("C1")}), 42.0);
}

TEST_F(LogicalFunctions, IfErrorIfNaAndChooseHandBackTheSelectedValue) {
    EXPECT_EQ(text(L"IFERROR", {err(ErrorCode::Div0), t(L"oops")}), L"oops");
    EXPECT_EQ(number(L"IFERROR", {n(5), t(L"oops")}), 5.0);
    EXPECT_EQ(number(L"IFERROR", {err(ErrorCode::NA), gap()}), 0.0);
    set("A1", 1.0);
    set("A2", 2.0);
    EXPECT_EQ(text(L"IFERROR", {ref("A1:A2"), t(L"block")}), L"block");
    EXPECT_EQ(text(L"IFNA", {err(ErrorCode::NA), t(L"missing")}), L"missing");
    EXPECT_EQ(error(L"IFNA", {err(ErrorCode::Div0), t(L"missing")}), ErrorCode::Div0);
    EXPECT_EQ(number(L"IFNA", {n(3), t(L"missing")}), 3.0);
    EXPECT_EQ(text(L"CHOOSE", {n(2), t(L"a"), t(L"b"), t(L"c")}), L"b");
    EXPECT_EQ(text(L"CHOOSE", {n(3.9), t(L"a"), t(L"b"), t(L"c")}), L"c") << "truncated";
    EXPECT_EQ(error(L"CHOOSE", {n(0), t(L"a")}), ErrorCode::Value);
    EXPECT_EQ(error(L"CHOOSE", {n(4), t(L"a"), t(L"b"), t(L"c")}), ErrorCode::Value);
    EXPECT_EQ(error(L"CHOOSE", {err(ErrorCode::Num), t(L"a")}), ErrorCode::Num);
    EXPECT_EQ(number(L"CHOOSE", {n(2), t(L"a"), ref("A2")}), 2.0);
}

TEST_F(LogicalFunctions, InformationFunctionsTellKindsWithoutCoercing) {
    set("A1", 5.0);
    set("A2", L"5");
    set("A3", Value::error(ErrorCode::NA));
    set("A5", L"");
    EXPECT_TRUE(truth(L"ISBLANK", {ref("A4")}));
    EXPECT_FALSE(truth(L"ISBLANK", {ref("A5")})) << "an empty text is not blank";
    EXPECT_TRUE(truth(L"ISEMPTY", {ref("A4")}));
    EXPECT_FALSE(truth(L"ISEMPTY", {n(0)}));
    EXPECT_TRUE(truth(L"ISNUMBER", {ref("A1")}));
    EXPECT_FALSE(truth(L"ISNUMBER", {ref("A2")})) << "numeric text is still text";
    EXPECT_TRUE(truth(L"ISTEXT", {ref("A2")}));
    EXPECT_FALSE(truth(L"ISTEXT", {ref("A4")}));
    EXPECT_TRUE(truth(L"ISNONTEXT", {ref("A4")}));
    EXPECT_TRUE(truth(L"ISNONTEXT", {ref("A3")}));
    EXPECT_TRUE(truth(L"ISERROR", {ref("A3")}));
    EXPECT_FALSE(truth(L"ISERROR", {ref("A1")}));
    EXPECT_TRUE(truth(L"ISERROR", {ref("A1:A2")})) << "a block in a scalar place is #VALUE!";
    EXPECT_FALSE(truth(L"ISNUMBER", {ref("A1:A2")}));
    EXPECT_TRUE(truth(L"ISREF", {ref("A1")}));
    EXPECT_TRUE(truth(L"ISREF", {ref("A1:B9")}));
    EXPECT_FALSE(truth(L"ISREF", {n(1)}));
}

TEST_F(LogicalFunctions, IsEvenAndIsOddTruncateNumbersAndRefuseOtherValues) {
    EXPECT_FALSE(truth(L"ISEVEN", {n(-1)}));
    EXPECT_TRUE(truth(L"ISEVEN", {n(2.5)}));
    EXPECT_TRUE(truth(L"ISEVEN", {n(0)}));
    EXPECT_TRUE(truth(L"ISODD", {n(-1)}));
    EXPECT_TRUE(truth(L"ISODD", {t(L"3")}));
    EXPECT_FALSE(truth(L"ISODD", {n(1e20)}));
    EXPECT_TRUE(truth(L"ISEVEN", {ref("Q7")})) << "an empty cell is 0";
    EXPECT_EQ(error(L"ISEVEN", {t(L"two")}), ErrorCode::Value);
    EXPECT_EQ(error(L"ISODD", {b(true)}), ErrorCode::Value);
    EXPECT_EQ(error(L"ISODD", {err(ErrorCode::Num)}), ErrorCode::Num);
}

} // namespace
} // namespace gridtest
