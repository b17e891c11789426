#include "standards/StandardSizes.h"

#include "FunctionsTestSupport.h"

#include "win/winuser.h"
#include "win/winx_script.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using stdfunctest::TempLibrary;

std::vector<double> items(const Trk_Array<double>& values) {
    return values.items();
}

Trk_Array<double> sizes(std::initializer_list<double> values) {
    return Trk_Array<double>(values);
}

TEST(StandardSizes, SizeListsDropCommentsAndSplitAtTheFirstX) {
    const StandardSizeList list = parseStandardSizes({
        L"/* flats of the workshop */",
        L"100x10 // common",
        L"12",
        L"",
        L"  /* a */ 8 /* b */x6x2",
        L"// a whole comment line",
        L"   ",
        L"abc",
        L"20x",
        L"30 /* never closed x 5",
        L"X40",
    });
    EXPECT_EQ(items(list.first), (std::vector<double>{100, 12, 8, 0, 20, 30, 0}));
    EXPECT_EQ(items(list.second), (std::vector<double>{10, 0, 6, 0, 0, 0, 0}));
}

TEST(StandardSizes, EachValueIsTheLeadingNumberOfItsSideOfTheX) {
    const StandardSizeList list =
        parseStandardSizes({L"0x10", L"  12.5mm", L"-3e2x1e1mm", L"mm12", L"7 x 3 x 2"});
    EXPECT_EQ(items(list.first), (std::vector<double>{0, 12.5, -300, 0, 7}))
        << "a value ends at the x: 0x10 is no hexadecimal number";
    EXPECT_EQ(items(list.second), (std::vector<double>{10, 0, 10, 0, 3}));
}

TEST(StandardSizes, SearchTakesTheNearestSizeWithinTolerance) {
    const auto list = sizes({8, 10, 12});
    EXPECT_EQ(findStandardSize(list, 10.4, 1, 1), 10);
    EXPECT_EQ(findStandardSize(list, 11, 1, 1), 10) << "the lower size wins a tie";
    EXPECT_EQ(findStandardSize(list, 11.75, 1, 1), 12);
    EXPECT_EQ(findStandardSize(list, 10, 0, 0), 10) << "an exact size needs no tolerance";
    EXPECT_EQ(findStandardSize(list, 7.5, 0.25, 0.5), 8);
    EXPECT_EQ(findStandardSize(list, 7.5, 0.25, 0.25), std::nullopt);
    EXPECT_EQ(findStandardSize(list, 13.5, 1, 1), std::nullopt);
    EXPECT_EQ(findStandardSize(sizes({}), 10, 5, 5), std::nullopt);
}

TEST(StandardSizes, SearchFallsBackToTheFartherSideWhenTheNearerDoesNotFit) {
    EXPECT_EQ(findStandardSize(sizes({9, 12}), 10, 0.5, 2), 12);
    EXPECT_EQ(findStandardSize(sizes({9.5, 10.25}), 10, 1, 0.125), 9.5);
    EXPECT_EQ(findStandardSize(sizes({10.5}), 10, -1, 2), std::nullopt)
        << "a size above must not lie below target - down";
    EXPECT_EQ(findStandardSize(sizes({9.5}), 10, 1, -1), std::nullopt)
        << "a size below must not lie above target + up";
}

TEST(StandardSizes, FallBackRoundingTakesTheNearerMultipleThatFits) {
    EXPECT_EQ(roundToStepWithinTolerance(10.3, 0.5, 0, 1), 10.0) << "only down fits";
    EXPECT_EQ(roundToStepWithinTolerance(10.75, 1, 0.5, 1), 11.0) << "up is nearer and fits";
    EXPECT_EQ(roundToStepWithinTolerance(10.25, 1, 1, 1), 10.0) << "down is nearer";
    EXPECT_EQ(roundToStepWithinTolerance(10.3, 0, 1, 1), 10.3) << "no step keeps the target";
    EXPECT_EQ(roundToStepWithinTolerance(145, 5, 10, 0), 145.0) << "never below target - down";
    EXPECT_EQ(roundToStepWithinTolerance(147, 5, 10, 1), 150.0) << "the band holds 150 only";
}

TEST(StandardSizes, FallBackRoundingClampsTheTargetIntoTheBandWhenNoMultipleFits) {
    EXPECT_EQ(roundToStepWithinTolerance(10, 1, -0.25, 0.5), 9.75) << "lowered to target + up";
    EXPECT_EQ(roundToStepWithinTolerance(10, 1, 0.125, -0.25), 10.25) << "raised to target - down";
}

TEST(StandardSizes, SizeOrRoundedPrefersAStandardSize) {
    const auto list = sizes({8, 10, 12});
    EXPECT_EQ(standardSizeOrRounded(list, 10.4, 0.5, 1, 1), 10);
    EXPECT_EQ(standardSizeOrRounded(list, 20.3, 0.5, 1, 0), 20.0);
}

TEST(StandardSizes, WidthCandidatesKeepPlainSizesAndThoseOfTheThicknessInAscendingOrder) {
    const StandardSizeList list =
        parseStandardSizes({L"200x10", L"100x10", L"150x12", L"120", L"80x10", L"90x10.5"});
    EXPECT_EQ(items(widthCandidates(list, 10)), (std::vector<double>{80, 100, 120, 200}));
    EXPECT_EQ(items(widthCandidates(list, 12)), (std::vector<double>{120, 150}));
    EXPECT_EQ(items(widthCandidates(list, 7)), (std::vector<double>{120}));
}

TEST(StandardSizes, SizeListsAreFoundBelowTheLibraryAndMissingOnesAreEmpty) {
    TempLibrary library;
    library.write("Connection Standards/Data/plates.txt", "// plates\n8\n10\n12\n");
    const StandardSizeList found = readStandardSizes(L"plates.txt");
    EXPECT_EQ(items(found.first), (std::vector<double>{8, 10, 12}));
    const StandardSizeList missing = readStandardSizes(L"nothing.txt");
    EXPECT_TRUE(missing.first.isEmpty());
    EXPECT_TRUE(missing.second.isEmpty());
}

class ToleranceWarning : public ::testing::Test {
protected:
    winx::TestSession session;
    TempLibrary library; // restores the message switch
};

TEST_F(ToleranceWarning, TolerancesAddingUpToNothingShowOneExclamationBox) {
    gSettings.current.showStandardsMessages = true;
    EXPECT_TRUE(warnAboutInvalidTolerances(1.5, -1.5));
    const auto boxes = winx::messageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Invalid tolerances provided.\n DownTolerance is :1.5"
                             L"UpTolerance is :-1.5\nAdding both tolerances should result in a "
                             L"positive value.");
    EXPECT_EQ(boxes[0].flags & MB_ICONEXCLAMATION, MB_ICONEXCLAMATION);
    EXPECT_FALSE(boxes[0].unattended);
}

TEST_F(ToleranceWarning, ValidTolerancesOrSilencedMessagesShowNothing) {
    gSettings.current.showStandardsMessages = true;
    EXPECT_FALSE(warnAboutInvalidTolerances(0, 0.001));
    gSettings.current.showStandardsMessages = false;
    EXPECT_TRUE(warnAboutInvalidTolerances(0, 0));
    EXPECT_TRUE(winx::messageBoxes().empty());
}

} // namespace
