#include "trk/Trk_String.h"

#include "HostTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <unordered_set>

namespace {

std::wstring number(double value, int precision, bool keepTrailingZeros) {
    return Trk_String(value, precision, keepTrailingZeros).str();
}

TEST(Trk_String, NumbersDropTrailingZerosUnlessAskedToKeepThem) {
    EXPECT_EQ(number(200, 6, false), L"200");
    EXPECT_EQ(number(10, 6, false), L"10");
    EXPECT_EQ(number(1.5, 2, false), L"1.5");
    EXPECT_EQ(number(1.5, 2, true), L"1.50");
    EXPECT_EQ(number(0.125, 6, false), L"0.125");
    EXPECT_EQ(number(2.0 / 3.0, 4, false), L"0.6667");
    EXPECT_EQ(number(2.0 / 3.0, 0, false), L"1");
    EXPECT_EQ(number(1234.5, 1, true), L"1234.5");
    EXPECT_EQ(number(-3.25, 1, false), L"-3.2"); // printf rounds the binary value half-even
    EXPECT_EQ(number(-7.0, 3, true), L"-7.000");
    EXPECT_EQ(number(100.0, 0, true), L"100"); // no decimals, no point
}

TEST(Trk_String, NumbersNeverShowANegativeZeroAndClampThePrecision) {
    EXPECT_EQ(number(-0.0001, 2, false), L"0");
    EXPECT_EQ(number(-0.0001, 2, true), L"0.00");
    EXPECT_EQ(number(-0.0, 0, false), L"0");
    EXPECT_EQ(number(1.25, -3, false), L"1");
    EXPECT_EQ(number(0.1, 40, true).size(), 17u); // "0." and 15 decimals
    EXPECT_EQ(number(1.0 / 0.0, 2, false), L"inf");
    EXPECT_EQ(number(-1.0 / 0.0, 2, false), L"-inf");
    EXPECT_EQ(number(1e300, 15, false).size(), 301u);
}

TEST(Trk_String, IntegersAndRepeatsBuildText) {
    EXPECT_EQ(Trk_String(42).str(), L"42");
    EXPECT_EQ(Trk_String(-7).str(), L"-7");
    EXPECT_EQ(Trk_String::repeated(3, L'x').str(), L"xxx");
    EXPECT_EQ(Trk_String::repeated(-2, L'x').str(), L"");
    EXPECT_EQ(Trk_String(static_cast<const wchar_t*>(nullptr)).str(), L"");
}

TEST(Trk_String, CaseFlagFalseIgnoresLetterCaseAcrossScripts) {
    const Trk_String word(L"Input");
    EXPECT_TRUE(word.equal(L"INPUT", false));
    EXPECT_FALSE(word.equal(L"INPUT", true));
    EXPECT_FALSE(word.equal(L"INPUT"));
    EXPECT_TRUE(Trk_String(L"Größe").equal(L"GRÖßE", false));
    EXPECT_TRUE(Trk_String(L"ÉTÉ Ωμέγα").equal(L"été ωμέγα", false));
    EXPECT_TRUE(Trk_String(L"Профиль").equal(L"ПРОФИЛЬ", false));
    EXPECT_TRUE(Trk_String(L"ƒ-Łódź").equal(L"Ƒ-łÓDŹ", false));
    EXPECT_FALSE(Trk_String(L"abc").equal(L"abcd", false));
    EXPECT_LT(Trk_String(L"abc").compare(L"ABD", false), 0);
    EXPECT_GT(Trk_String(L"abc").compare(L"ABD", true), 0); // 'a' sorts after 'A' exactly
    EXPECT_EQ(Trk_String(L"x").compare(L"X", false), 0);
}

TEST(Trk_String, SearchesAnswerZeroBasedPositionsOrMinusOne) {
    const Trk_String text(L"Calc CallChild(a, b) callchild");
    EXPECT_EQ(text.find(L"CallChild"), 5);
    EXPECT_EQ(text.find(L"callchild"), 21);
    EXPECT_EQ(text.find(L"CALLCHILD", false), 5);
    EXPECT_EQ(text.find(L"CALLCHILD", false, 6), 21);
    EXPECT_EQ(text.find(L"CALLCHILD", true), -1);
    EXPECT_EQ(text.find(L'('), 14);
    EXPECT_EQ(text.find(L'(', 15), -1);
    EXPECT_EQ(text.find(L"x", true, 99), -1);
    EXPECT_EQ(text.find(L"x", true, -1), -1);
    EXPECT_EQ(text.reverseFind(L"CallChild", false), 21);
    EXPECT_EQ(text.reverseFind(L"CallChild", false, 20), 5);
    EXPECT_EQ(text.reverseFind(L'a'), 22);
    EXPECT_EQ(text.findOneOf(L",)"), 16);
    EXPECT_TRUE(text.contains(L"CHILD(", false));
    EXPECT_FALSE(text.contains(L"CHILD("));
    EXPECT_TRUE(text.startsWith(L"calc", false));
    EXPECT_FALSE(text.startsWith(L"calc"));
    EXPECT_TRUE(text.endsWith(L"CHILD", false));
    EXPECT_FALSE(Trk_String(L"a").endsWith(L"ba"));
    EXPECT_TRUE(text.startsWith(L""));
}

TEST(Trk_String, SubstringsClampOutOfRangeCountsAndPositions) {
    const Trk_String text(L"abcdef");
    EXPECT_EQ(text.left(2).str(), L"ab");
    EXPECT_EQ(text.left(99).str(), L"abcdef");
    EXPECT_EQ(text.left(-1).str(), L"");
    EXPECT_EQ(text.right(2).str(), L"ef");
    EXPECT_EQ(text.right(99).str(), L"abcdef");
    EXPECT_EQ(text.mid(2).str(), L"cdef");
    EXPECT_EQ(text.mid(2, 2).str(), L"cd");
    EXPECT_EQ(text.mid(5, 9).str(), L"f");
    EXPECT_EQ(text.mid(9).str(), L"");
    EXPECT_EQ(text.mid(-3, 2).str(), L"ab");
    EXPECT_EQ(text.at(1), L'b');
    EXPECT_EQ(text[6], L'\0');
    EXPECT_EQ(text.at(-1), L'\0');
}

TEST(Trk_String, ReplaceCountsNonOverlappingOccurrencesAndHonoursTheCaseFlag) {
    Trk_String text(L"Gap gap GAP");
    EXPECT_EQ(text.replace(L"gap", L"w", false), 3);
    EXPECT_EQ(text.str(), L"w w w");

    Trk_String exact(L"Gap gap GAP");
    EXPECT_EQ(exact.replace(L"gap", L"w"), 1);
    EXPECT_EQ(exact.str(), L"Gap w GAP");

    Trk_String overlapping(L"aaaa");
    EXPECT_EQ(overlapping.replace(L"aa", L"b"), 2);
    EXPECT_EQ(overlapping.str(), L"bb");

    Trk_String growing(L"a.a");
    EXPECT_EQ(growing.replace(L"a", L"aa"), 2); // the inserted text is not searched again
    EXPECT_EQ(growing.str(), L"aa.aa");

    Trk_String unchanged(L"abc");
    EXPECT_EQ(unchanged.replace(L"", L"x"), 0);
    EXPECT_EQ(unchanged.replace(L'b', L'B'), 1);
    EXPECT_EQ(unchanged.str(), L"aBc");
}

TEST(Trk_String, RemoveInsertAndSetAtEditInPlace) {
    Trk_String text(L"a-b-c");
    EXPECT_EQ(text.remove(L'-'), 2);
    EXPECT_EQ(text.str(), L"abc");
    EXPECT_EQ(text.insert(1, L"XY"), 5);
    EXPECT_EQ(text.str(), L"aXYbc");
    EXPECT_EQ(text.insert(99, L"!"), 6);
    EXPECT_EQ(text.str(), L"aXYbc!");
    EXPECT_EQ(text.removeAt(1, 2), 2);
    EXPECT_EQ(text.str(), L"abc!");
    EXPECT_EQ(text.removeAt(3, 10), 1);
    EXPECT_EQ(text.removeAt(7), 0);
    EXPECT_EQ(text.remove(L"B", false), 1);
    EXPECT_EQ(text.str(), L"ac");
    EXPECT_TRUE(text.setAt(0, L'z'));
    EXPECT_FALSE(text.setAt(2, L'z'));
    EXPECT_EQ(text.str(), L"zc");
}

TEST(Trk_String, TrimAndCaseChangesHaveInPlaceAndCopyingForms) {
    Trk_String text(L" \t Name\r\n");
    EXPECT_EQ(text.trimmed().str(), L"Name");
    EXPECT_EQ(text.str(), L" \t Name\r\n");
    EXPECT_EQ(Trk_String(text).trimLeft().str(), L"Name\r\n");
    EXPECT_EQ(Trk_String(text).trimRight().str(), L" \t Name");
    EXPECT_EQ(text.trim().str(), L"Name");
    EXPECT_EQ(Trk_String(L"  ").trim().str(), L"");
    EXPECT_EQ(Trk_String(L"\"file\"").trim(L"\"").str(), L"file");
    EXPECT_EQ(Trk_String(L"Größe é").upper().str(), L"GRÖßE É");
    EXPECT_EQ(Trk_String(L"ÀΣБ").lower().str(), L"àσб");
    Trk_String mixed(L"MiX");
    mixed.makeLower();
    EXPECT_EQ(mixed.str(), L"mix");
}

TEST(Trk_String, ConversionsReportTextThatIsNotANumber) {
    int i = 7;
    EXPECT_TRUE(Trk_String(L" -42 ").toInt(i));
    EXPECT_EQ(i, -42);
    EXPECT_TRUE(Trk_String(L"+5").toInt(i));
    EXPECT_EQ(i, 5);
    for (const wchar_t* bad :
         {L"", L"  ", L"4.5", L"12a", L"a12", L"--1", L"+-1", L"99999999999", L"1 2", L"٣"}) {
        i = 7;
        EXPECT_FALSE(Trk_String(bad).toInt(i)) << bad;
        EXPECT_EQ(i, 7) << bad;
    }
    double d = 1.0;
    EXPECT_TRUE(Trk_String(L"2.5e-3").toDouble(d));
    EXPECT_DOUBLE_EQ(d, 0.0025);
    EXPECT_TRUE(Trk_String(L"-.5").toDouble(d));
    EXPECT_DOUBLE_EQ(d, -0.5);
    for (const wchar_t* bad : {L"", L"1,5", L"inf", L"nan", L"0x10", L"1e", L"1e999", L"5 mm"}) {
        d = 1.0;
        EXPECT_FALSE(Trk_String(bad).toDouble(d)) << bad;
        EXPECT_EQ(d, 1.0) << bad;
    }
    EXPECT_EQ(Trk_String(L"x").asInt(-1), -1);
    EXPECT_EQ(Trk_String(L"12").asInt(-1), 12);
    EXPECT_DOUBLE_EQ(Trk_String(L"x").asDouble(2.5), 2.5);
    EXPECT_DOUBLE_EQ(Trk_String(L"0.25").asDouble(), 0.25);
}

TEST(Trk_String, FormatTakesWideTextForPercentS) {
    const Trk_String name(L"Plate ¿ƒ•");
    EXPECT_EQ(Trk_String::formatted(L"Loading spreadsheet:%s\n", name.c_str()).str(),
              L"Loading spreadsheet:Plate ¿ƒ•\n");
    Trk_String text;
    text.format(L"%d %c %S %5.2f %%", 12, L'é', "narrow", 3.14159);
    EXPECT_EQ(text.str(), L"12 é narrow  3.14 %");
    EXPECT_EQ(Trk_String::formatted(nullptr).str(), L"");
}

TEST(Trk_String, ConcatenationComparisonAndHashingWorkWithPlainText) {
    const Trk_String a(L"Stock");
    EXPECT_EQ((a + L" " + Trk_String(12)).str(), L"Stock 12");
    EXPECT_EQ((L"<" + a + L'>').str(), L"<Stock>");
    EXPECT_TRUE(a == L"Stock");
    EXPECT_TRUE(L"Stock" == a);
    EXPECT_FALSE(a == L"stock");
    EXPECT_TRUE(a < Trk_String(L"Stocks"));
    EXPECT_TRUE(a > L"Apple");
    const wchar_t* raw = a; // converts like the platform's string classes
    EXPECT_STREQ(raw, L"Stock");
    const std::wstring_view view = a;
    EXPECT_EQ(view, L"Stock");
    std::unordered_set<Trk_String> set{L"a", L"b", L"a"};
    EXPECT_EQ(set.size(), 2u);
    EXPECT_TRUE(set.contains(L"b"));
}

} // namespace
