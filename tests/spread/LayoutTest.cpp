// Column-width rules applied on resize, and fitting widths to text.
#include "SpreadTestSupport.h"

#include <cstdlib>

namespace spreadtest {
namespace {

constexpr int kCols = 4;
constexpr int kUntouched = 41; // a width no rule gives

class LayoutTest : public SpreadTest {
protected:
    void SetUp() override {
        SpreadTest::SetUp();
        create(kCols, 3);
    }
    // Resizes the grid (the rule runs in the resize handler) and returns the client width.
    int resizeTo(int width, bool headerShown) {
        SSSetBool(grid(), Trk_Spread::kOptionRowHeaders, headerShown);
        // Through another size first, so that every call is a real resize.
        spread.SetWindowPos(nullptr, 0, 0, width + 1, 300, SWP_NOMOVE | SWP_NOZORDER);
        spread.SetWindowPos(nullptr, 0, 0, width, 300, SWP_NOMOVE | SWP_NOZORDER);
        return clientWidth();
    }
    int scrollBar() const {
        int vertical = 0;
        int horizontal = 0;
        SSGetScrollBarSize(grid(), &vertical, &horizontal);
        return vertical;
    }
    void resetWidths() {
        for (int col = 0; col <= kCols; ++col)
            SSSetColWidthInPixels(grid(), col, kUntouched);
    }
};

TEST_F(LayoutTest, RuleZeroLeavesWidthsAlone) {
    spread.setResizeRule(0);
    resetWidths();
    resizeTo(500, true);
    for (int col = 0; col <= kCols; ++col)
        EXPECT_EQ(pixels(col), kUntouched);
}

TEST_F(LayoutTest, RuleOneSharesTheWidthLessTheScrollBarEquallyWithAndWithoutTheHeaderColumn) {
    spread.setResizeRule(1);
    for (const bool header : {false, true}) {
        resetWidths();
        const int width = resizeTo(header ? 517 : 611, header);
        const int slots = kCols + (header ? 1 : 0);
        const int share = (width - scrollBar()) / slots;
        for (int col = 0; col <= kCols; ++col)
            EXPECT_EQ(pixels(col), share) << "column " << col << " header " << header;
    }
}

TEST_F(LayoutTest, RuleOneWithAFixedColumnGivesTheOthersTheRestUnlessTheFixedWidthIsTooLarge) {
    for (const bool header : {false, true}) {
        const int width = resizeTo(600, header);
        const int slots = kCols + (header ? 1 : 0);
        const int available = width - scrollBar();

        ASSERT_TRUE(spread.equalWidths(true, 50));
        const int rest = (available - 50) / (slots - 1);
        EXPECT_EQ(pixels(1), 50);
        for (int col = 2; col <= kCols; ++col)
            EXPECT_EQ(pixels(col), rest);
        EXPECT_EQ(pixels(0), rest) << "the header column shares, shown or not";

        ASSERT_TRUE(spread.equalWidths(false, 50));
        EXPECT_EQ(pixels(kCols), 50);
        EXPECT_EQ(pixels(1), rest);

        const int share = available / slots;
        ASSERT_TRUE(spread.equalWidths(true, share + 1));
        for (int col = 1; col <= kCols; ++col)
            EXPECT_EQ(pixels(col), share) << "an oversized fixed width is ignored";
    }
}

TEST_F(LayoutTest, RuleOneOnResizeSharesEquallyWhateverParametersItWasGiven) {
    spread.setResizeRule(1, -1, 40);
    const int width = resizeTo(560, false);
    const int share = (width - scrollBar()) / kCols;
    for (int col = 0; col <= kCols; ++col)
        EXPECT_EQ(pixels(col), share) << "column " << col;
}

TEST_F(LayoutTest, RuleThreeGivesAGroupItsPercentageAndTheRestShareTheRemainder) {
    for (const bool header : {false, true}) {
        for (const int group : {2, -2}) {
            spread.setResizeRule(3, group, 30);
            const int width = resizeTo(header ? 640 : 577, header);
            const int slots = kCols + (header ? 1 : 0);
            const int groupWidth = (width * 30 / 100) / std::abs(group);
            const int rest = (width - groupWidth * std::abs(group)) / (slots - std::abs(group));
            const bool atStart = group > 0;
            for (int col = 1; col <= kCols; ++col) {
                const bool inGroup = atStart ? col <= 2 : col > kCols - 2;
                EXPECT_EQ(pixels(col), inGroup ? groupWidth : rest)
                    << "column " << col << " group " << group << " header " << header;
            }
            if (header) {
                EXPECT_EQ(pixels(0), rest);
            }
        }
    }
}

TEST_F(LayoutTest, RuleThreeWithAnEmptyOrWholeGroupNeverDividesByZero) {
    spread.setResizeRule(3, 0, 50);
    const int width = resizeTo(600, false);
    EXPECT_EQ(pixels(1), width / kCols);
    spread.setResizeRule(3, kCols + 3, 100);
    resizeTo(600, false);
    EXPECT_EQ(pixels(1), width / kCols) << "the whole grid as the group shares all of it";
}

TEST_F(LayoutTest, RuleFourFixesOneColumnOrTheHeaderColumn) {
    for (const bool header : {false, true}) {
        spread.setResizeRule(4, 2, 90);
        const int width = resizeTo(610, header);
        const int slots = kCols + (header ? 1 : 0);
        const int share = (width - 90) / (slots - 1);
        EXPECT_EQ(pixels(2), 90);
        EXPECT_EQ(pixels(1), share);
        EXPECT_EQ(pixels(kCols), share);
        if (header) {
            EXPECT_EQ(pixels(0), share);
        }
    }
    for (const int headerIndex : {0, Trk_Spread::HEADER}) {
        spread.setResizeRule(4, headerIndex, 35);
        const int width = resizeTo(590, true);
        const int share = (width - 35) / kCols;
        EXPECT_EQ(pixels(0), 35);
        for (int col = 1; col <= kCols; ++col)
            EXPECT_EQ(pixels(col), share);
    }
}

TEST_F(LayoutTest, RuleFourNamingAMissingColumnSharesEqually) {
    spread.setResizeRule(4, Trk_Spread::HEADER, 35);
    const int width = resizeTo(600, false);
    for (int col = 1; col <= kCols; ++col)
        EXPECT_EQ(pixels(col), width / kCols);
    spread.setResizeRule(4, kCols + 1, 35);
    resizeTo(600, false);
    EXPECT_EQ(pixels(kCols), width / kCols);
}

TEST_F(LayoutTest, AGridWithOneColumnSlotGivesItTheWholeWidthOrTheFixedOne) {
    ASSERT_TRUE(spread.setColCount(1, false));
    const int width = resizeTo(300, false);
    ASSERT_TRUE(spread.equalWidths(true, 10));
    EXPECT_EQ(pixels(1), width - scrollBar());
    spread.setResizeRule(4, 1, 70);
    resizeTo(300, false);
    EXPECT_EQ(pixels(1), 70);
    spread.setResizeRule(3, 1, 40);
    resizeTo(300, false);
    EXPECT_EQ(pixels(1), width * 40 / 100);
}

TEST_F(LayoutTest, RuleFiveGivesListedSlotsTheirWidthsAndTheOthersTheRest) {
    spread.setResizeRuleColumns(5, Trk_Array<int>{1, Trk_Spread::HEADER, 3, 99},
                                Trk_Array<int>{80, 30});
    for (const bool header : {false, true}) {
        resetWidths();
        const int width = resizeTo(620, header);
        const int listedTotal = 80 + (header ? 30 : 0);
        const int free = kCols - 1;
        const int share = (width - listedTotal) / free;
        EXPECT_EQ(pixels(1), 80);
        EXPECT_EQ(pixels(2), share) << "only entries with a width count";
        EXPECT_EQ(pixels(3), share);
        EXPECT_EQ(pixels(4), share);
        EXPECT_EQ(pixels(0), header ? 30 : kUntouched);
    }
}

TEST_F(LayoutTest, RuleTwoFitsColumnsAndRowsToTheirText) {
    set(1, 1, L"a much longer text");
    set(2, 2, L"mid");
    set(2, Trk_Spread::HEADER, L"Caption two");
    spread.setResizeRule(2);
    resizeTo(500, true);
    for (int col = 1; col <= 2; ++col) {
        double widest = 0;
        ASSERT_TRUE(SSGetMaxTextColWidth(grid(), col, &widest));
        double width = 0;
        ASSERT_TRUE(SSGetColWidth(grid(), col, &width));
        EXPECT_DOUBLE_EQ(width, widest) << "column " << col;
    }
    EXPECT_EQ(typeCode(1, Trk_Spread::HEADER), SS_TYPE_STATICTEXT);
    EXPECT_EQ(typeCode(Trk_Spread::HEADER, 2), SS_TYPE_STATICTEXT);
    double tallest = 0;
    ASSERT_TRUE(SSGetMaxTextRowHeight(grid(), 1, &tallest));
    double height = 0;
    ASSERT_TRUE(SSGetRowHeight(grid(), 1, &height));
    EXPECT_DOUBLE_EQ(height, tallest);
}

TEST_F(LayoutTest, FittingSkipsPicturesWhenAskedAndKeepsEmptyColumnsVisible) {
    int before = pixels(3);
    ASSERT_TRUE(spread.autofitColumn(3, false));
    EXPECT_EQ(pixels(3), before) << "a column without text keeps its width";

    set(1, 1, L"short");
    SS_CELLTYPE picture{};
    SSSetTypePicture(grid(), &picture, 36, L"picture.bmp");
    set(1, 2, L"a picture cell with a long text");
    ASSERT_TRUE(SSSetCellType(grid(), 1, 2, &picture));
    ASSERT_TRUE(spread.autofitColumn(1, true));
    double width = 0;
    SSGetColWidth(grid(), 1, &width);
    EXPECT_DOUBLE_EQ(width, spread.maxTextWidth(1, 1));
}

TEST_F(LayoutTest, StretchingAColumnFillsTheRestOfTheClientWidth) {
    const int width = resizeTo(700, true);
    for (int col = 0; col <= kCols; ++col)
        SSSetColWidthInPixels(grid(), col, 60);
    ASSERT_TRUE(spread.stretchColumn(2));
    const int expected = width - scrollBar() - 60 * (kCols + 1) + 60;
    double units = 0;
    SSLogUnitsToColWidth(grid(), expected, &units);
    double actual = 0;
    SSGetColWidth(grid(), 2, &actual);
    EXPECT_DOUBLE_EQ(actual, units);

    SSSetBool(grid(), Trk_Spread::kOptionRowHeaders, FALSE);
    int total = 0;
    for (int col = 1; col <= kCols; ++col)
        total += pixels(col);
    EXPECT_EQ(spread.totalColumnWidthPixels(), total) << "a hidden header column takes no room";

    for (int col = 1; col <= kCols; ++col)
        SSSetColWidthInPixels(grid(), col, width);
    EXPECT_FALSE(spread.stretchColumn(2)) << "no room left";
}

} // namespace
} // namespace spreadtest
