#include "standards/StandardsFunctions.h"

#include "FunctionsTestSupport.h"
#include "spread/SpreadTestSupport.h"

#include "trk/ObjectExport.h"
#include "trk/Trk_SectionTableManager.h"

#include "win/winx_script.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using stdfunctest::call;
using stdfunctest::TempLibrary;
using stdfunctest::ValueList;

constexpr const wchar_t* kNames[] = {
    L"ROUNDTO",
    L"GETCELL",
    L"GETPROFCELL",
    L"SECTIONSIZE",
    L"GETSYSNAME",
    L"STDWIDTHWITHTOLERANCE",
    L"STDTHICKNESSWITHTOLERANCE",
    L"STDSIZEWITHTOLERANCE",
    L"GETARRAYITEM",
    L"TONUMBER",
    L"ISNULL",
    L"ISPOSITIVE",
};

const std::wstring kFailed = L"#VALUE!";

// A grid in a dialog with the standards functions, over a temporary library with a bolt table,
// a section table and size lists.
class StandardsFunctions : public spreadtest::SpreadTest {
protected:
    void SetUp() override {
        spreadtest::SpreadTest::SetUp();
        create(4, 40);
        ASSERT_TRUE(registerStandardsFunctions(spread));
        library.write("Connection Standards/Data/bolts.txt", "// bolt diameters\n"
                                                             "M16\t18\n"
                                                             "IPE-200;10\tfound\n"
                                                             "200\tnumeric\n"
                                                             "200;5\tpair\n"
                                                             "200.5\thalf\n"
                                                             "only\n"
                                                             "blank\t\n"
                                                             "a;b;c;d;e;f\tseven\n");
        library.write("Connection Standards/Data/comments.txt", "// nothing but comments\n\n");
        library.write("Connection Standards/profiles.txt", "IPE 200\tfrom user name\n"
                                                           "HEA-300\tfrom system name\n"
                                                           "plate\tplain\n");
        library.write("prof/IPE.pr", "1\n"
                                     "SysName\tI/O\tEnglish\tGerman\tFrench\tDutch\th\tb\ttw\n"
                                     "200\t1\tIPE 200\tIPE 200\tIPE 200\tIPE 200\t200\t100\t5.6\n"
                                     "300\t1\tIPE 300\tIPE 300\tIPE 300\tIPE 300\t300\t150\n");
        library.write("prof/HEA.pr", "1\n"
                                     "SysName\tI/O\tEnglish\tGerman\tFrench\tDutch\th\tb\n"
                                     "300\t1\tHE 300 A\tHEA 300\tHEA 300\tHEA 300\t290\t300\n");
        library.write("Connection Standards/Data/plates.txt", "8\n10\n12\n");
        library.write("Connection Standards/Data/flats.txt",
                      "200x10\n100x10\n150x12\n120\n80x10\n100x12\n");
        gSettings.current.showStandardsMessages = true;
    }
    void TearDown() override {
        gSectionTables.clear();
        spreadtest::SpreadTest::TearDown();
    }

    // The value the grid shows for a formula written into A1 (unknown function names refused).
    std::wstring eval(const std::wstring& formula) {
        if (!SSSetFormula(grid(), 1, 1, formula.c_str(), TRUE)) return L"<refused>";
        return value(1, 1);
    }
    // The number A1 holds after the formula; NaN when it holds none.
    double number(const std::wstring& formula) {
        double result = std::nan("");
        if (eval(formula) == L"<refused>" || !SSGetFloat(grid(), 1, 1, &result))
            return std::nan("");
        return result;
    }

    TempLibrary library;
};

TEST_F(StandardsFunctions, AllTwelveAreRegisteredInTheGridAndReachableByName) {
    for (const wchar_t* name : kNames)
        EXPECT_NE(standardsFunction(name), nullptr) << name;
    EXPECT_EQ(standardsFunction(L"CALLCHILD"), nullptr);
    EXPECT_EQ(standardsFunction(nullptr), nullptr);
    EXPECT_EQ(eval(L"=ISNULL(B2)"), L"1");
    EXPECT_EQ(eval(L"=ISNULL(B2,B3)"), kFailed) << "one argument at most";
    EXPECT_EQ(eval(L"=GETCELL(\"bolts.txt\",\"a\",\"b\",\"c\",\"d\",\"e\",\"f\")"), L"seven");
    EXPECT_EQ(eval(L"=GETCELL(\"bolts.txt\",\"a\",\"b\",\"c\",\"d\",\"e\",\"f\",B2)"), kFailed)
        << "seven arguments at most";
}

TEST_F(StandardsFunctions, RoundToRoundsTwoNumbersAndRefusesAnythingElse) {
    EXPECT_EQ(number(L"=ROUNDTO(12.3,0.5)"), ObjectExportRoundTo(12.3, 0.5));
    EXPECT_EQ(number(L"=ROUNDTO(-7.5,5)"), ObjectExportRoundTo(-7.5, 5));
    EXPECT_EQ(eval(L"=ROUNDTO(\"12\",1)"), kFailed);
    EXPECT_EQ(eval(L"=ROUNDTO(B2,1)"), kFailed) << "an empty cell is no number";
}

TEST_F(StandardsFunctions, GetCellFindsFieldTwoOfTheRowWhoseKeyMatches) {
    EXPECT_EQ(eval(L"=GETCELL(\"bolts.txt\",\"M16\")"), L"18");
    EXPECT_EQ(eval(L"=GETCELL(\"bolts.txt\",\"m16\")"), L"18") << "keys ignore letter case";
    EXPECT_EQ(eval(L"=GETCELL(\"bolts.txt\",\"IPE-200\",10)"), L"found");
    EXPECT_EQ(eval(L"=GETCELL(\"bolts.txt\",200)"), L"numeric");
    EXPECT_EQ(eval(L"=GETCELL(\"bolts.txt\",200,\"5\")"), L"pair");
    EXPECT_EQ(eval(L"=GETCELL(\"bolts.txt\",200.5)"), L"half");
    EXPECT_EQ(eval(L"=GETCELL(\"bolts.txt\",\"blank\")"), L"") << "an empty value is no failure";
}

TEST_F(StandardsFunctions, GetCellBuildsNumberKeysWithSixDecimalsDropped) {
    set(2, 3, L"200");
    EXPECT_EQ(eval(L"=GETCELL(\"bolts.txt\",B3)"), L"numeric");
    set(2, 3, L"200.25");
    EXPECT_EQ(eval(L"=GETCELL(\"bolts.txt\",B3)"), kFailed) << "200.25 is no key";
}

TEST_F(StandardsFunctions, AnArgumentThatIsNeitherNumberNorTextEndsTheKey) {
    EXPECT_EQ(eval(L"=GETCELL(\"bolts.txt\",\"M16\",B9,\"x\")"), L"18") << "an empty cell";
    ValueList args;
    args.text(L"bolts.txt").text(L"200").cell(2, 2).text(L"5");
    const auto result = call(standardsFunction(L"GETCELL"), args);
    EXPECT_TRUE(result.produced);
    EXPECT_EQ(result.text, L"numeric") << "the reference ends the key before \"5\"";
}

TEST_F(StandardsFunctions, GetCellFailsWithoutATableOrARow) {
    // Failure paths.
    EXPECT_EQ(eval(L"=GETCELL(5,\"M16\")"), kFailed) << "a file name must be a text";
    EXPECT_EQ(eval(L"=GETCELL(\"missing.txt\",\"M16\")"), kFailed);
    EXPECT_EQ(eval(L"=GETCELL(\"comments.txt\",\"M16\")"), kFailed) << "no rows";
    EXPECT_EQ(eval(L"=GETCELL(\"bolts.txt\",\"M24\")"), kFailed) << "no such key";
    EXPECT_EQ(eval(L"=GETCELL(\"bolts.txt\",\"only\")"), kFailed) << "a row of one field";
}

TEST_F(StandardsFunctions, TextArgumentsLoseOneQuoteAtEachEnd) {
    ValueList args;
    args.text(L"\"bolts.txt\"").text(L"\"M16\"");
    const auto result = call(standardsFunction(L"GETCELL"), args);
    EXPECT_TRUE(result.produced);
    EXPECT_EQ(result.text, L"18");
}

TEST_F(StandardsFunctions, GetProfCellMatchesTableKeysBySystemName) {
    EXPECT_EQ(eval(L"=GETPROFCELL(\"profiles.txt\",\"IPE-200\")"), L"from user name");
    EXPECT_EQ(eval(L"=GETPROFCELL(\"profiles.txt\",\"HEA-300\")"), L"from system name");
    EXPECT_EQ(eval(L"=GETPROFCELL(\"profiles.txt\",\"plate\")"), L"plain");
    EXPECT_EQ(eval(L"=GETPROFCELL(\"profiles.txt\",\"IPE 200\")"), kFailed)
        << "the argument itself is not translated";
    EXPECT_EQ(eval(L"=GETCELL(\"profiles.txt\",\"IPE-200\")"), kFailed);
}

TEST_F(StandardsFunctions, SectionSizeReadsAValueColumnOfTheSection) {
    EXPECT_EQ(number(L"=SECTIONSIZE(\"IPE-200\",1)"), 200);
    EXPECT_EQ(number(L"=SECTIONSIZE(\"IPE 200\",3)"), 5.6);
    EXPECT_EQ(number(L"=SECTIONSIZE(\"IPE-200\",2.9)"), 100) << "the whole part counts";
    // Failure paths.
    EXPECT_EQ(eval(L"=SECTIONSIZE(\"IPE-200\",0)"), kFailed);
    EXPECT_EQ(eval(L"=SECTIONSIZE(\"IPE-200\",4)"), kFailed) << "beyond the titles";
    EXPECT_EQ(eval(L"=SECTIONSIZE(\"IPE-999\",1)"), kFailed);
    EXPECT_EQ(eval(L"=SECTIONSIZE(\"IPE-200\",\"1\")"), kFailed);
    EXPECT_EQ(eval(L"=SECTIONSIZE(200,1)"), kFailed);
}

TEST_F(StandardsFunctions, GetSysNameTranslatesKnownSectionsAndKeepsOtherNames) {
    EXPECT_EQ(eval(L"=GETSYSNAME(\"HE 300 A\")"), L"HEA-300");
    EXPECT_EQ(eval(L"=GETSYSNAME(\"ipe 300\")"), L"IPE-300");
    EXPECT_EQ(eval(L"=GETSYSNAME(\"PL 10\")"), L"PL 10");
    EXPECT_EQ(eval(L"=GETSYSNAME(\"\")"), L"");
    EXPECT_EQ(eval(L"=GETSYSNAME(300)"), kFailed);
}

TEST_F(StandardsFunctions, StdSizeTakesAListSizeOrRoundsTheTarget) {
    EXPECT_EQ(number(L"=STDSIZEWITHTOLERANCE(\"plates.txt\",0.5,10.4,1,1)"), 10);
    EXPECT_EQ(number(L"=STDSIZEWITHTOLERANCE(\"plates.txt\",0.5,11,1,1)"), 10);
    EXPECT_EQ(number(L"=STDSIZEWITHTOLERANCE(\"plates.txt\",0.5,20.3,1,0)"), 20);
    EXPECT_EQ(number(L"=STDSIZEWITHTOLERANCE(\"missing.txt\",0.5,10.3,1,0)"), 10)
        << "a missing list only rounds";
    // Failure paths.
    EXPECT_EQ(eval(L"=STDSIZEWITHTOLERANCE(\"plates.txt\",0.5,\"10\",1,1)"), kFailed);
    EXPECT_EQ(eval(L"=STDSIZEWITHTOLERANCE(\"plates.txt\",0.5,B9,1,1)"), kFailed);
    EXPECT_EQ(eval(L"=STDSIZEWITHTOLERANCE(8,0.5,10,1,1)"), kFailed);
}

TEST_F(StandardsFunctions, StdThicknessSearchesTheSecondValues) {
    EXPECT_EQ(number(L"=STDTHICKNESSWITHTOLERANCE(\"flats.txt\",1,11.25,1,1)"), 12);
    EXPECT_EQ(number(L"=STDTHICKNESSWITHTOLERANCE(\"plates.txt\",0.5,0.25,0.5,0.5)"), 0)
        << "plain lists hold thickness 0";
    EXPECT_EQ(number(L"=STDTHICKNESSWITHTOLERANCE(\"plates.txt\",0.5,9.75,0.5,0.5)"), 9.5)
        << "no thickness fits; 9.5 and 10 are equally near and the lower one wins";
}

TEST_F(StandardsFunctions, StdWidthSearchesTheWidthsOfItsThicknessAndPlainOnes) {
    EXPECT_EQ(number(L"=STDWIDTHWITHTOLERANCE(\"flats.txt\",1,10,140,25,10)"), 120)
        << "150 belongs to thickness 12";
    EXPECT_EQ(number(L"=STDWIDTHWITHTOLERANCE(\"flats.txt\",1,12,140,25,10)"), 150);
    EXPECT_EQ(number(L"=STDWIDTHWITHTOLERANCE(\"flats.txt\",5,10,143,0,2)"), 145)
        << "no width fits: rounded";
    EXPECT_EQ(eval(L"=STDWIDTHWITHTOLERANCE(\"flats.txt\",1,\"10\",140,25,10)"), kFailed);
}

TEST_F(StandardsFunctions, InvalidTolerancesWarnOncePerCallAndStillGiveAValue) {
    ValueList args;
    args.text(L"plates.txt").number(1).number(10.4).number(1).number(-1);
    const auto result = call(standardsFunction(L"STDSIZEWITHTOLERANCE"), args);
    EXPECT_TRUE(result.produced);
    EXPECT_DOUBLE_EQ(result.number, 9.4) << "nothing fits the band: the target clamped into it";
    ASSERT_EQ(winx::messageBoxes().size(), 1u);
    EXPECT_NE(winx::messageBoxes()[0].text.find(L"DownTolerance is :1UpTolerance is :-1"),
              std::wstring::npos);

    gSettings.current.showStandardsMessages = false;
    ValueList width;
    width.text(L"flats.txt").number(1).number(10).number(100).number(0).number(0);
    EXPECT_TRUE(call(standardsFunction(L"STDWIDTHWITHTOLERANCE"), width).produced);
    EXPECT_EQ(winx::messageBoxes().size(), 1u) << "no box with messages off";
}

TEST_F(StandardsFunctions, GetArrayItemTakesTheItemAtTheWholeIndex) {
    EXPECT_EQ(eval(L"=GETARRAYITEM(\"a;b;c\",1)"), L"a");
    EXPECT_EQ(eval(L"=GETARRAYITEM(\"a;b;c\",2.9)"), L"b");
    EXPECT_EQ(eval(L"=GETARRAYITEM(\"a;b;c\",0)"), L"");
    EXPECT_EQ(eval(L"=GETARRAYITEM(\"a;b;c\",4)"), L"");
    EXPECT_EQ(eval(L"=GETARRAYITEM(\"a;;c\",2)"), L"");
    EXPECT_EQ(eval(L"=GETARRAYITEM(\"a;b;c\",1E300)"), L"");
    EXPECT_EQ(eval(L"=GETARRAYITEM(123,1)"), kFailed);
    EXPECT_EQ(eval(L"=GETARRAYITEM(\"a;b\",\"1\")"), kFailed);
    ValueList args;
    args.text(L"a;b;c").number(0);
    const auto result = call(standardsFunction(L"GETARRAYITEM"), args);
    EXPECT_TRUE(result.produced) << "an index outside the list still answers";
    EXPECT_EQ(result.status, SS_VALUE_STATUS_EMPTY);
}

TEST_F(StandardsFunctions, ToNumberReadsTheLeadingNumberOfATextOnly) {
    EXPECT_EQ(number(L"=TONUMBER(\"12.5mm\")"), 12.5);
    EXPECT_EQ(number(L"=TONUMBER(\"abc\")"), 0);
    EXPECT_EQ(eval(L"=TONUMBER(12)"), kFailed);
}

TEST_F(StandardsFunctions, IsNullIsOneForEmptyArgumentsEmptyTextsAndZero) {
    ASSERT_TRUE(SSSetFormula(grid(), 2, 5, L"=\"0\"", TRUE));
    EXPECT_EQ(eval(L"=ISNULL(B9)"), L"1");
    EXPECT_EQ(eval(L"=ISNULL(0)"), L"1");
    EXPECT_EQ(eval(L"=ISNULL(\"\")"), L"1");
    EXPECT_EQ(eval(L"=ISNULL(\"0\")"), L"0");
    EXPECT_EQ(eval(L"=ISNULL(B5)"), L"0") << "a cell showing the text 0";
    EXPECT_EQ(eval(L"=ISNULL(2)"), L"0");
    EXPECT_EQ(eval(L"=ISNULL(1/0)"), kFailed);
    ValueList reference;
    reference.cell(1, 1);
    EXPECT_FALSE(call(standardsFunction(L"ISNULL"), reference).produced);
}

TEST_F(StandardsFunctions, IsPositiveIsOneForNumbersAndNumberTextsAboveZero) {
    EXPECT_EQ(eval(L"=ISPOSITIVE(B9)"), L"0");
    EXPECT_EQ(eval(L"=ISPOSITIVE(\"\")"), L"0");
    EXPECT_EQ(eval(L"=ISPOSITIVE(\"-2\")"), L"0");
    EXPECT_EQ(eval(L"=ISPOSITIVE(\"3 mm\")"), L"1");
    EXPECT_EQ(eval(L"=ISPOSITIVE(0)"), L"0");
    EXPECT_EQ(eval(L"=ISPOSITIVE(0.1)"), L"1");
    EXPECT_EQ(eval(L"=ISPOSITIVE(1/0)"), kFailed);
    ValueList whole;
    whole.whole(3);
    const auto result = call(standardsFunction(L"ISPOSITIVE"), whole);
    EXPECT_TRUE(result.produced);
    EXPECT_EQ(result.number, 1) << "whole numbers count as numbers";
}

TEST_F(StandardsFunctions, EveryFailureLeavesAnEmptyResult) {
    for (const wchar_t* name : kNames) {
        ValueList args;
        args.error().error().error().error().error().error();
        const auto result = call(standardsFunction(name), args);
        EXPECT_FALSE(result.produced) << name;
        EXPECT_EQ(result.status, SS_VALUE_STATUS_EMPTY) << name;
        EXPECT_EQ(result.type, SS_VALUE_TYPE_LONG) << name;
    }
    ValueList none;
    EXPECT_FALSE(call(standardsFunction(L"ROUNDTO"), none).produced) << "too few arguments";
    EXPECT_EQ(standardsFunction(L"TONUMBER")(nullptr, none.data(), 0), FALSE);
}

TEST_F(StandardsFunctions, ATextResultWithoutMemoryFailsAndLeaksNothing) {
    ValueList args;
    args.text(L"a;b;c").number(2);
    const std::size_t blocksBefore = winx::liveGlobalBlocks();
    winx::failNextGlobalAllocs(1);
    const auto result = call(standardsFunction(L"GETARRAYITEM"), args);
    EXPECT_FALSE(result.produced);
    EXPECT_EQ(result.status, SS_VALUE_STATUS_EMPTY);
    EXPECT_EQ(winx::liveGlobalBlocks(), blocksBefore);
}

} // namespace
