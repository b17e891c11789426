#include "standards/GenVarReplacement.h"
#include "standards/KvCalcSS.h"

#include <gtest/gtest.h>

namespace {

Trk_String replaced(const wchar_t* text, Trk_StringArray names, Trk_StringArray values,
                    bool quoting) {
    Trk_String result = text;
    replaceWholeWords(result, names, values, quoting);
    return result;
}

TEST(WholeWordReplacement, AGeneralVariableIsReplacedOnlyAsAWholeWord) {
    EXPECT_EQ(replaced(L"gen_Gap*2", {L"gen_Gap"}, {L"12.5"}, true), L"12.5*2");
    EXPECT_EQ(replaced(L"gen_Gap*2", {L"gen_Gap"}, {L"abc"}, true), L"\"abc\"*2");
    EXPECT_EQ(replaced(L"xgen_Gap*2", {L"gen_Gap"}, {L"12.5"}, true), L"xgen_Gap*2");
    EXPECT_EQ(replaced(L"gen_Gap1+gen_Gap_+9gen_Gap", {L"gen_Gap"}, {L"1"}, true),
              L"gen_Gap1+gen_Gap_+9gen_Gap");
    EXPECT_EQ(replaced(L"(gen_Gap)+gen_Gap", {L"gen_Gap"}, {L"7"}, true), L"(7)+7");
}

TEST(WholeWordReplacement, QuotingAppliesOnlyWhenAskedAndOnlyToNonNumbers) {
    EXPECT_EQ(replaced(L"a&b", {L"a", L"b"}, {L"x y", L"-1e3"}, true), L"\"x y\"&-1e3");
    EXPECT_EQ(replaced(L"a&b", {L"a", L"b"}, {L"x y", L"-1e3"}, false), L"x y&-1e3");
}

TEST(WholeWordReplacement, ReportsWhetherAnythingWasReplaced) {
    Trk_String text = L"Width*2";
    EXPECT_FALSE(replaceWholeWords(text, {L"Wid"}, {L"B3"}, false));
    EXPECT_EQ(text, L"Width*2");
    EXPECT_TRUE(replaceWholeWords(text, {L"Width"}, {L"B3"}, false));
    EXPECT_EQ(text, L"B3*2");
}

TEST(WholeWordReplacement, LaterNamesSeeWhatEarlierNamesInsertedButAValueIsNeverSearchedAgain) {
    // Thickness becomes B3, and the later name B3 then hits it.
    EXPECT_EQ(replaced(L"Thickness*2", {L"Thickness", L"B3"}, {L"B3", L"C5"}, false), L"C5*2");
    // In the other order the earlier name's value stays.
    EXPECT_EQ(replaced(L"Thickness*2", {L"B3", L"Thickness"}, {L"C5", L"B3"}, false), L"B3*2");
    // A value holding its own name is not replaced again (no endless growth).
    EXPECT_EQ(replaced(L"a+a", {L"a"}, {L"a+a"}, false), L"a+a+a+a");
}

TEST(WholeWordReplacement, OnlyPairsPresentInBothListsAndNonEmptyNamesTakePart) {
    EXPECT_EQ(replaced(L"a+b", {L"a", L"b"}, {L"1"}, false), L"1+b");
    EXPECT_EQ(replaced(L"a+b", {L"", L"b"}, {L"1", L"2"}, false), L"a+2");
    EXPECT_EQ(replaced(L"", {L"a"}, {L"1"}, false), L"");
}

TEST(WholeWordReplacement, AnOccurrenceFollowingAReplacedOneSeesTheInsertedValueBeforeIt) {
    // "-x" starts with no word character; after the first "-x" became "a" the second "-x"
    // follows a letter and does not count.
    EXPECT_EQ(replaced(L"-x-x", {L"-x"}, {L"a"}, false), L"a-x");
    EXPECT_EQ(replaced(L"-x-x", {L"-x"}, {L"+"}, false), L"++");
}

TEST(WholeWordReplacement, ColumnLettersFollowTheGridsNaming) {
    EXPECT_EQ(getAlfabet(1), L"A");
    EXPECT_EQ(getAlfabet(2), L"B");
    EXPECT_EQ(getAlfabet(26), L"Z");
    EXPECT_EQ(getAlfabet(27), L"AA");
    EXPECT_EQ(getAlfabet(52), L"AZ");
    EXPECT_EQ(getAlfabet(703), L"AAA");
    EXPECT_EQ(getAlfabet(0), L"");
}

} // namespace
