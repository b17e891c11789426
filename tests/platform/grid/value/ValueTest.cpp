#include "grid/Value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace gridx;

TEST(Value, CopiesShareTextAndMovesLeaveTheSourceEmpty) {
    Value a = Value::text(L"IPE-200");
    Value b = a;
    Value c = std::move(a);
    EXPECT_TRUE(a.isEmpty());
    EXPECT_EQ(b.asText(), L"IPE-200");
    EXPECT_EQ(c.asText(), L"IPE-200");
    b = Value::number(2);
    EXPECT_EQ(c.asText(), L"IPE-200");
    c = c; // self-assignment keeps the text alive
    EXPECT_EQ(c.asText(), L"IPE-200");
    std::vector<Value> many(1000, Value::text(L"shared"));
    many.resize(10);
    EXPECT_EQ(many[9].asText(), L"shared");
    EXPECT_EQ(sizeof(Value), 16u);
}

TEST(Value, AccessorsOfOtherKindsGiveNeutralValues) {
    Value n = Value::number(3.5);
    EXPECT_EQ(n.asText(), L"");
    EXPECT_FALSE(n.asBoolean());
    EXPECT_EQ(Value::text(L"x").asNumber(), 0.0);
    EXPECT_EQ(Value::error(ErrorCode::NA).asError(), ErrorCode::NA);
    EXPECT_EQ(n.asError(), ErrorCode::Value);
    EXPECT_TRUE(Value::text(L"a") == Value::text(L"a"));
    EXPECT_FALSE(Value::text(L"a") == Value::text(L"A"));
    EXPECT_FALSE(Value::number(0) == Value());
}

TEST(Value, ErrorTextsRoundTrip) {
    for (int code = 1; code <= 8; ++code) {
        auto error = static_cast<ErrorCode>(code);
        auto text = errorText(error);
        ASSERT_EQ(text.front(), L'#');
        EXPECT_EQ(errorFromText(text), error);
    }
    EXPECT_EQ(errorText(ErrorCode::Div0), L"#DIV/0!");
    EXPECT_EQ(errorFromText(L"#n/a"), ErrorCode::NA);
    EXPECT_FALSE(errorFromText(L"#N/A!").has_value());
}

TEST(Value, NumbersParseLikeFormulaText) {
    EXPECT_EQ(parseNumber(L"12"), 12.0);
    EXPECT_EQ(parseNumber(L" -1.5e2 "), -150.0);
    EXPECT_EQ(parseNumber(L"+.5"), 0.5);
    EXPECT_EQ(parseNumber(L"5."), 5.0);
    EXPECT_EQ(parseNumber(L"50%"), 0.5);
    EXPECT_EQ(parseNumber(L"1e-400"), 0.0);
    for (const wchar_t* bad : {L"", L" ", L".", L"1.2.3", L"1e", L"e5", L"12abc", L"--1", L"1 2",
                               L"%", L"1e999", L"0x10", L"inf", L"nan"})
        EXPECT_FALSE(parseNumber(bad).has_value()) << bad;
}

TEST(Value, NumbersShowWithFifteenSignificantDigits) {
    EXPECT_EQ(formatNumber(0.0), L"0");
    EXPECT_EQ(formatNumber(-0.0), L"0");
    EXPECT_EQ(formatNumber(0.1 + 0.2), L"0.3");
    EXPECT_EQ(formatNumber(1.0 / 3.0), L"0.333333333333333");
    EXPECT_EQ(formatNumber(-2.5), L"-2.5");
    EXPECT_EQ(formatNumber(100), L"100");
    EXPECT_EQ(formatNumber(1e14), L"100000000000000");
    EXPECT_EQ(formatNumber(1e15), L"1E+15");
    EXPECT_EQ(formatNumber(123456789012345678.0), L"1.23456789012346E+17");
    EXPECT_EQ(formatNumber(1e-9), L"0.000000001");
    EXPECT_EQ(formatNumber(1.5e-10), L"1.5E-10");
    EXPECT_EQ(formatNumber(std::nan("")), L"#NUM!");
    // What is shown reads back to the shown digits.
    for (double v : {212.0, 0.000123, 99999.99, -7.25e-5, 356.0})
        EXPECT_EQ(parseNumber(formatNumber(v)), v);
}

TEST(Value, CoercionsFollowSpreadsheetRules) {
    ErrorCode error = ErrorCode::Null;
    EXPECT_EQ(toNumber(Value(), error), 0.0);
    EXPECT_EQ(toNumber(Value::boolean(true), error), 1.0);
    EXPECT_EQ(toNumber(Value::text(L" 3 "), error), 3.0);
    EXPECT_FALSE(toNumber(Value::text(L"abc"), error).has_value());
    EXPECT_EQ(error, ErrorCode::Value);
    EXPECT_FALSE(toNumber(Value::error(ErrorCode::Div0), error).has_value());
    EXPECT_EQ(error, ErrorCode::Div0);

    EXPECT_EQ(toText(Value()), L"");
    EXPECT_EQ(toText(Value::boolean(false)), L"FALSE");
    EXPECT_EQ(toText(Value::number(12.5)), L"12.5");
    EXPECT_EQ(toText(Value::error(ErrorCode::Ref)), L"#REF!");

    EXPECT_EQ(toBoolean(Value::text(L"true"), error), true);
    EXPECT_EQ(toBoolean(Value::number(-1), error), true);
    EXPECT_EQ(toBoolean(Value(), error), false);
    EXPECT_FALSE(toBoolean(Value::text(L"yes"), error).has_value());
    EXPECT_EQ(error, ErrorCode::Value);
}

TEST(Value, ComparisonsOrderNumbersBeforeTextsBeforeBooleans) {
    EXPECT_LT(compareValues(Value::number(1e300), Value::text(L"")), 0);
    EXPECT_LT(compareValues(Value::text(L"zzz"), Value::boolean(false)), 0);
    EXPECT_EQ(compareValues(Value::text(L"Abc"), Value::text(L"aBC")), 0);
    EXPECT_LT(compareValues(Value::text(L"ab"), Value::text(L"abc")), 0);
    EXPECT_GT(compareValues(Value::number(2), Value::number(1)), 0);
    EXPECT_LT(compareValues(Value::boolean(false), Value::boolean(true)), 0);
    // An empty operand takes the other side's kind.
    EXPECT_EQ(compareValues(Value(), Value::number(0)), 0);
    EXPECT_EQ(compareValues(Value(), Value::text(L"")), 0);
    EXPECT_EQ(compareValues(Value::boolean(false), Value()), 0);
    EXPECT_LT(compareValues(Value(), Value::number(1)), 0);
    EXPECT_EQ(compareValues(Value(), Value()), 0);
}

TEST(Value, TextComparisonFoldsAccentedAndNonLatinLetters) {
    EXPECT_EQ(compareTextNoCase(L"ÉTÉ", L"été"), 0);
    EXPECT_EQ(compareTextNoCase(L"ΣΤΑΘΜΟΣ", L"σταθμοσ"), 0);
    EXPECT_EQ(compareTextNoCase(L"ДВУТАВР", L"двутавр"), 0);
    EXPECT_NE(compareTextNoCase(L"e", L"é"), 0);
}
