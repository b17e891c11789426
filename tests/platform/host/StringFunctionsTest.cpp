#include "trk/StringFunctions.h"

#include "HostTestSupport.h"

#include <gtest/gtest.h>

namespace {

Trk_StringArray list(std::initializer_list<const wchar_t*> texts) {
    Trk_StringArray out;
    for (const wchar_t* t : texts)
        out.append(t);
    return out;
}

TEST(StringFunctions, StrToArrKeepsEmptyPartsAndRoundTripsWithArrToStr) {
    EXPECT_EQ(strToArr(L"a;b;c", L";"), list({L"a", L"b", L"c"}));
    EXPECT_EQ(strToArr(L";a;;b;", L";"), list({L"", L"a", L"", L"b", L""}));
    EXPECT_EQ(strToArr(L"", L";"), list({}));
    EXPECT_EQ(strToArr(L"abc", L""), list({L"abc"}));
    EXPECT_EQ(strToArr(L"a¿ƒb¿ƒ", L"¿ƒ"), list({L"a", L"b", L""}));
    for (const wchar_t* text : {L"a;b", L";;", L"x", L"", L"a;", L";a"})
        EXPECT_EQ(arrToStr(strToArr(text, L";"), L";").str(), text) << text;
    EXPECT_EQ(arrToStr(list({L"1", L"2"}), L", ").str(), L"1, 2");
    EXPECT_EQ(arrToStr(list({}), L";").str(), L"");
}

TEST(StringFunctions, SplitStringDropsEmptyTokens) {
    Trk_StringArray parts{L"old"};
    EXPECT_EQ(splitString(L"  a \tb  c ", L" \t", parts), 3);
    EXPECT_EQ(parts, list({L"a", L"b", L"c"}));
    EXPECT_EQ(splitString(L"", L" ", parts), 0);
    EXPECT_TRUE(parts.isEmpty());
    EXPECT_EQ(splitString(L"abc", L"", parts), 1);
    EXPECT_EQ(parts, list({L"abc"}));
}

TEST(StringFunctions, SplitStringAtSymbolTrimsOnlyWithTheFlag) {
    Trk_StringArray parts;
    EXPECT_EQ(splitStringAtSymbol(L"\"child.kvs\", Width , Gap", L",", parts, true), eOk);
    EXPECT_EQ(parts, list({L"\"child.kvs\"", L"Width", L"Gap"}));
    EXPECT_EQ(splitStringAtSymbol(L" a , b ", L",", parts, false), eOk);
    EXPECT_EQ(parts, list({L" a ", L" b "}));
    EXPECT_EQ(splitStringAtSymbol(L"a,,", L",", parts, true), eOk);
    EXPECT_EQ(parts, list({L"a", L"", L""}));
    EXPECT_EQ(splitStringAtSymbol(L"no symbol", L",", parts, true), eOk);
    EXPECT_EQ(parts, list({L"no symbol"}));
    EXPECT_EQ(splitStringAtSymbol(L"", L",", parts, true), eOk);
    EXPECT_EQ(parts, list({L""}));
    EXPECT_EQ(splitStringAtSymbol(L"a,b", L"", parts, true), eInvalidInput);
    EXPECT_EQ(parts, list({L"a,b"}));
}

TEST(StringFunctions, SplitStringAtSymbolWithAPartLimitKeepsTheRestTogether) {
    Trk_StringArray parts;
    EXPECT_EQ(splitStringAtSymbol(L"Gap = IF(a=b, 1, 2)", L"=", parts, true, 2), eOk);
    EXPECT_EQ(parts, list({L"Gap", L"IF(a=b, 1, 2)"}));
    EXPECT_EQ(splitStringAtSymbol(L"a=b=c=d", L"=", parts, false, 3), eOk);
    EXPECT_EQ(parts, list({L"a", L"b", L"c=d"}));
    EXPECT_EQ(splitStringAtSymbol(L"a=b", L"=", parts, false, 1), eOk);
    EXPECT_EQ(parts, list({L"a=b"}));
}

TEST(StringFunctions, SubstringsAroundASymbolAtTheFirstOrLastOccurrence) {
    Trk_String result = L"unchanged";
    EXPECT_TRUE(getSubstrAfter(L"Module.Group.Sub", L".", result));
    EXPECT_EQ(result.str(), L"Group.Sub");
    EXPECT_TRUE(getSubstrAfter(L"Module.Group.Sub", L".", result, false));
    EXPECT_EQ(result.str(), L"Sub");
    EXPECT_TRUE(getSubstrBefore(L"gen.Gap.x", L".", result));
    EXPECT_EQ(result.str(), L"gen");
    EXPECT_TRUE(getSubstrBefore(L"gen.Gap.x", L".", result, false));
    EXPECT_EQ(result.str(), L"gen.Gap");
    EXPECT_TRUE(getSubstrAfter(L"a.", L".", result));
    EXPECT_EQ(result.str(), L"");
    result = L"unchanged";
    EXPECT_FALSE(getSubstrAfter(L"plain", L".", result));
    EXPECT_FALSE(getSubstrBefore(L"plain", L".", result));
    EXPECT_FALSE(getSubstrBefore(L"plain", L"", result));
    EXPECT_EQ(result.str(), L"unchanged");
}

TEST(StringFunctions, DuplicatesAreFoundWithTheCaseFlag) {
    const auto names = list({L"Width", L"Gap", L"width", L"Gap", L"GAP", L"Height"});
    Trk_Array<int> indices;
    getDuplicates(names, indices, false);
    EXPECT_EQ(indices, (Trk_Array<int>{2, 3, 4}));
    getDuplicates(names, indices, true);
    EXPECT_EQ(indices, (Trk_Array<int>{3}));

    Trk_StringArray repeated;
    EXPECT_TRUE(hasDuplicates(names, repeated, false));
    EXPECT_EQ(repeated, list({L"width", L"Gap"}));
    EXPECT_TRUE(hasDuplicates(names, true));
    EXPECT_FALSE(hasDuplicates(list({L"a", L"b"}), false));
    EXPECT_FALSE(hasDuplicates(list({L"a", L"A"}), repeated, true));
    EXPECT_TRUE(repeated.isEmpty());
}

TEST(StringFunctions, IsNumberAcceptsDecimalNumbersOnly) {
    for (const wchar_t* yes : {L"0", L"12", L" -3.5 ", L"+.5", L"5.", L"1e-3", L"2E+10"})
        EXPECT_TRUE(isNumber(yes)) << yes;
    for (const wchar_t* no :
         {L"", L" ", L".", L"-", L"1.2.3", L"1,5", L"e5", L"1e", L"0x1F", L"12a", L"Prof1", L"inf"})
        EXPECT_FALSE(isNumber(no)) << no;
    EXPECT_EQ(findFirstNumber(L"HEA200"), 3);
    EXPECT_EQ(findFirstNumber(L"none"), -1);
}

TEST(StringFunctions, InvalidFileNameCharactersAreDetected) {
    EXPECT_FALSE(hasInvalidFileNameChars(L"Plate width ¿ƒ•"));
    for (const wchar_t* bad :
         {L"a/b", L"a\\b", L"c:", L"x*", L"x?", L"\"q\"", L"<", L">", L"a|b", L"tab\t"})
        EXPECT_TRUE(hasInvalidFileNameChars(bad)) << bad;
}

TEST(StringFunctions, UniqueNamesCountUpFromTheProposal) {
    const auto taken = list({L"Groep", L"groep1", L"Stock3", L"Stock4", L"New series"});
    EXPECT_EQ(getUniqueName(taken, L"Free").str(), L"Free");
    EXPECT_EQ(getUniqueName(taken, L"Groep").str(), L"Groep2");
    EXPECT_EQ(getUniqueName(taken, L"stock3").str(), L"stock5");
    EXPECT_EQ(getUniqueName(taken, L"New series").str(), L"New series1");
    EXPECT_EQ(getUniqueName(list({L""}), L"").str(), L"1");
}

TEST(StringFunctions, RandomStringsHaveTheAskedLengthAndAlphabet) {
    Trk_String text = L"kept";
    EXPECT_EQ(generateRandomString(0, text, true), eInvalidInput);
    EXPECT_EQ(text.str(), L"kept");
    ASSERT_EQ(generateRandomString(24, text, true), eOk);
    EXPECT_EQ(text.length(), 24);
    for (wchar_t c : text.view())
        EXPECT_TRUE((c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9'));
    Trk_String other;
    ASSERT_EQ(generateRandomString(24, other, true), eOk);
    EXPECT_NE(text, other); // 36^24 possibilities
}

} // namespace
