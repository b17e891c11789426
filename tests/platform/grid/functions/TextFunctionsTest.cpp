#include "FunctionTestKit.h"

namespace gridtest {
namespace {

using TextFunctions = FunctionsTest;

TEST_F(TextFunctions, FindIsCaseSensitiveAndLiteralWhileSearchIgnoresCaseAndTakesWildcards) {
    EXPECT_EQ(number(L"FIND", {t(L"M"), t(L"Miriam McGovern")}), 1.0);
    EXPECT_EQ(number(L"FIND", {t(L"m"), t(L"Miriam McGovern")}), 6.0);
    EXPECT_EQ(number(L"FIND", {t(L"M"), t(L"Miriam McGovern"), n(3)}), 8.0);
    EXPECT_EQ(number(L"FIND", {t(L""), t(L"abc"), n(2)}), 2.0) << "empty text is found at start";
    EXPECT_EQ(error(L"FIND", {t(L"*"), t(L"abc")}), ErrorCode::Value) << "no wildcards";
    EXPECT_EQ(error(L"FIND", {t(L"z"), t(L"abc")}), ErrorCode::Value);
    EXPECT_EQ(error(L"FIND", {t(L"a"), t(L"abc"), n(0)}), ErrorCode::Value);
    EXPECT_EQ(error(L"FIND", {t(L"a"), t(L"abc"), n(5)}), ErrorCode::Value);
    EXPECT_EQ(number(L"SEARCH", {t(L"m"), t(L"Miriam McGovern")}), 1.0);
    EXPECT_EQ(number(L"SEARCH", {t(L"MC"), t(L"Miriam McGovern")}), 8.0);
    EXPECT_EQ(number(L"SEARCH", {t(L"g?v"), t(L"Miriam McGovern")}), 10.0);
    EXPECT_EQ(number(L"SEARCH", {t(L"r*m"), t(L"Miriam McGovern")}), 3.0);
    EXPECT_EQ(number(L"SEARCH", {t(L"~*"), t(L"2*3=6")}), 2.0) << "escaped star is literal";
    EXPECT_EQ(number(L"SEARCH", {t(L"~?"), t(L"why?")}), 4.0);
    EXPECT_EQ(number(L"SEARCH", {t(L"a"), t(L"banana"), n(3)}), 4.0);
    EXPECT_EQ(error(L"SEARCH", {t(L"x?z"), t(L"xz")}), ErrorCode::Value);
    EXPECT_EQ(number(L"FIND", {n(3), n(12345)}), 3.0) << "numbers are read as their text";
    EXPECT_EQ(number(L"SEARCH", {t(L""), t(L"abc")}), 1.0);
    EXPECT_EQ(number(L"SEARCH", {t(L"*c"), t(L"abc"), n(2)}), 2.0);
}

TEST_F(TextFunctions, SearchStaysLinearOnPatternsWithManyStars) {
    std::wstring as(32766, L'a');
    EXPECT_EQ(error(L"SEARCH", {t(L"a*a*a*b"), t(as)}), ErrorCode::Value);
    EXPECT_EQ(number(L"SEARCH", {t(L"a*a*a*b"), t(as + L"b")}), 1.0);
    EXPECT_EQ(number(L"SEARCH", {t(L"a?b"), t(as + L"b")}), 32765.0);
}

TEST_F(TextFunctions, PiecesOfTextAreCutByPositionAndCount) {
    EXPECT_EQ(text(L"LEFT", {t(L"Sale Price"), n(4)}), L"Sale");
    EXPECT_EQ(text(L"LEFT", {t(L"Sweden")}), L"S") << "one character by default";
    EXPECT_EQ(text(L"LEFT", {t(L"abc"), gap()}), L"") << "an omitted count is 0";
    EXPECT_EQ(text(L"LEFT", {t(L"abc"), n(99)}), L"abc");
    EXPECT_EQ(error(L"LEFT", {t(L"abc"), n(-1)}), ErrorCode::Value);
    EXPECT_EQ(text(L"RIGHT", {t(L"Sale Price"), n(5)}), L"Price");
    EXPECT_EQ(text(L"RIGHT", {t(L"Stock Number")}), L"r");
    EXPECT_EQ(text(L"RIGHT", {t(L"abc"), n(1e12)}), L"abc");
    EXPECT_EQ(text(L"MID", {t(L"Fluid Flow"), n(7), n(20)}), L"Flow");
    EXPECT_EQ(text(L"MID", {t(L"Fluid Flow"), n(1), n(5)}), L"Fluid");
    EXPECT_EQ(text(L"MID", {t(L"Fluid Flow"), n(20), n(5)}), L"");
    EXPECT_EQ(error(L"MID", {t(L"Fluid Flow"), n(0), n(5)}), ErrorCode::Value);
    EXPECT_EQ(error(L"MID", {t(L"Fluid Flow"), n(1), n(-1)}), ErrorCode::Value);
    EXPECT_EQ(text(L"REPLACE", {t(L"abcdefghijk"), n(6), n(5), t(L"*")}), L"abcde*k");
    EXPECT_EQ(text(L"REPLACE", {t(L"2009"), n(3), n(2), t(L"10")}), L"2010");
    EXPECT_EQ(text(L"REPLACE", {t(L"abc"), n(9), n(1), t(L"x")}), L"abcx");
    EXPECT_EQ(error(L"REPLACE", {t(L"abc"), n(0), n(1), t(L"x")}), ErrorCode::Value);
    EXPECT_EQ(number(L"LEN", {t(L"Phoenix, AZ")}), 11.0);
    EXPECT_EQ(number(L"LEN", {ref("Z9")}), 0.0);
    EXPECT_EQ(number(L"LEN", {b(true)}), 4.0) << "TRUE is read as its text";
}

TEST_F(TextFunctions, SubstituteReplacesAllOccurrencesOrOnlyTheGivenInstance) {
    EXPECT_EQ(text(L"SUBSTITUTE", {t(L"Sales Data"), t(L"Sales"), t(L"Cost")}), L"Cost Data");
    EXPECT_EQ(text(L"SUBSTITUTE", {t(L"Quarter 1, 2008"), t(L"1"), t(L"2"), n(1)}),
              L"Quarter 2, 2008");
    EXPECT_EQ(text(L"SUBSTITUTE", {t(L"Quarter 1, 2011"), t(L"1"), t(L"2"), n(3)}),
              L"Quarter 1, 2012");
    EXPECT_EQ(text(L"SUBSTITUTE", {t(L"aaa"), t(L"a"), t(L"bb")}), L"bbbbbb");
    EXPECT_EQ(text(L"SUBSTITUTE", {t(L"aaa"), t(L"A"), t(L"b")}), L"aaa") << "case matters";
    EXPECT_EQ(text(L"SUBSTITUTE", {t(L"abc"), t(L""), t(L"x")}), L"abc");
    EXPECT_EQ(text(L"SUBSTITUTE", {t(L"abc"), t(L"b"), t(L"x"), n(5)}), L"abc");
    EXPECT_EQ(error(L"SUBSTITUTE", {t(L"abc"), t(L"b"), t(L"x"), n(0)}), ErrorCode::Value);
    EXPECT_EQ(error(L"SUBSTITUTE", {t(L"abc"), t(L"b"), t(L"x"), gap()}), ErrorCode::Value);
}

TEST_F(TextFunctions, CaseAndWhitespaceFunctionsReshapeText) {
    EXPECT_EQ(text(L"UPPER", {t(L"total é")}), L"TOTAL É");
    EXPECT_EQ(text(L"LOWER", {t(L"E. E. Cummings ÄÖ")}), L"e. e. cummings äö");
    EXPECT_EQ(text(L"PROPER", {t(L"this is a TITLE")}), L"This Is A Title");
    EXPECT_EQ(text(L"PROPER", {t(L"2-way street")}), L"2-Way Street");
    // Every letter after a non-letter is capitalised, apostrophes included.
    EXPECT_EQ(text(L"PROPER", {t(L"76BudGet it's")}), L"76Budget It'S");
    EXPECT_EQ(text(L"TRIM", {t(L"  First   Quarter  Earnings ")}), L"First Quarter Earnings");
    EXPECT_EQ(text(L"TRIM", {t(L"   ")}), L"");
    EXPECT_EQ(text(L"CLEAN", {t(std::wstring(L"a\x07"
                                             L"b\n") +
                                wchar_t(0) + L"c")}),
              L"abc");
    EXPECT_TRUE(truth(L"EXACT", {t(L"word"), t(L"word")}));
    EXPECT_FALSE(truth(L"EXACT", {t(L"Word"), t(L"word")}));
    EXPECT_TRUE(truth(L"EXACT", {n(1.5), t(L"1.5")}));
}

TEST_F(TextFunctions, CharAndCodeUseTheWesternCodePage) {
    EXPECT_EQ(text(L"CHAR", {n(65)}), L"A");
    EXPECT_EQ(text(L"CHAR", {n(33.9)}), L"!");
    EXPECT_EQ(text(L"CHAR", {n(128)}), L"\u20AC") << "euro sign";
    EXPECT_EQ(text(L"CHAR", {n(233)}), L"\u00E9");
    EXPECT_EQ(error(L"CHAR", {n(0)}), ErrorCode::Value);
    EXPECT_EQ(error(L"CHAR", {n(256)}), ErrorCode::Value);
    EXPECT_EQ(number(L"CODE", {t(L"Alphabet")}), 65.0);
    EXPECT_EQ(number(L"CODE", {t(L"\u20AC")}), 128.0);
    EXPECT_EQ(number(L"CODE", {t(L"\u4E2D")}), 63.0) << "not in the code page: '?'";
    EXPECT_EQ(error(L"CODE", {t(L"")}), ErrorCode::Value);
    for (int c = 1; c <= 255; ++c) {
        Value character = call(L"CHAR", {n(c)});
        ASSERT_TRUE(character.isText()) << c;
        EXPECT_EQ(number(L"CODE", {v(character)}), c) << "round trip of " << c;
    }
}

TEST_F(TextFunctions, ConcatenateAndReptRefuseTextsBeyondTheLengthLimit) {
    EXPECT_EQ(text(L"CONCATENATE", {t(L"Stream "), n(12.5), t(L" "), b(false)}),
              L"Stream 12.5 FALSE");
    EXPECT_EQ(text(L"CONCATENATE", {ref("Q1"), t(L"x"), gap()}), L"x");
    EXPECT_EQ(error(L"CONCATENATE", {t(L"a"), err(ErrorCode::Ref), err(ErrorCode::NA)}),
              ErrorCode::Ref);
    set("A1", L"a");
    set("A2", L"b");
    EXPECT_EQ(error(L"CONCATENATE", {ref("A1:A2")}), ErrorCode::Value);
    std::wstring half(20000, L'x');
    EXPECT_EQ(error(L"CONCATENATE", {t(half), t(half)}), ErrorCode::Value);
    EXPECT_EQ(text(L"REPT", {t(L"-*"), n(3)}), L"-*-*-*");
    EXPECT_EQ(text(L"REPT", {t(L"ab"), n(0)}), L"");
    EXPECT_EQ(text(L"REPT", {t(L"x"), n(32767)}).size(), 32767u);
    EXPECT_EQ(error(L"REPT", {t(L"x"), n(32768)}), ErrorCode::Value);
    EXPECT_EQ(error(L"REPT", {t(L"x"), n(1e9)}), ErrorCode::Value);
    EXPECT_EQ(error(L"REPT", {t(L"x"), n(-1)}), ErrorCode::Value);
    EXPECT_EQ(error(L"SUBSTITUTE", {t(half), t(L"x"), t(L"yy")}), ErrorCode::Value);
}

TEST_F(TextFunctions, ValueReadsNumbersDatesAndTimesFromText) {
    EXPECT_EQ(number(L"VALUE", {t(L"  -12.5e1 ")}), -125.0);
    EXPECT_EQ(number(L"VALUE", {t(L"25%")}), 0.25);
    EXPECT_EQ(number(L"VALUE", {t(L"$1,000")}), 1000.0);
    EXPECT_EQ(number(L"VALUE", {n(7)}), 7.0);
    EXPECT_EQ(number(L"VALUE", {ref("K1")}), 0.0);
    EXPECT_EQ(number(L"VALUE", {t(L"16:48:00")}), 0.7);
    EXPECT_EQ(number(L"VALUE", {t(L"12:00 PM")}), 0.5);
    EXPECT_EQ(number(L"VALUE", {t(L"12:30 am")}), 30.0 / 1440.0);
    EXPECT_EQ(number(L"VALUE", {t(L"2024-03-15")}), 45366.0);
    EXPECT_EQ(number(L"VALUE", {t(L"3/15/2024 18:00")}), 45366.75);
    EXPECT_EQ(error(L"VALUE", {t(L"12 apples")}), ErrorCode::Value);
    EXPECT_EQ(error(L"VALUE", {t(L"25:00")}), ErrorCode::Value);
    EXPECT_EQ(error(L"VALUE", {t(L"2024-13-01")}), ErrorCode::Value);
    EXPECT_EQ(error(L"VALUE", {b(true)}), ErrorCode::Value);
    EXPECT_EQ(error(L"VALUE", {err(ErrorCode::Num)}), ErrorCode::Num);
}

} // namespace
} // namespace gridtest
