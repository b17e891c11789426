// Numbered options, counts, widths, heights, text extents and hidden rows.
#include "GridTestHost.h"

#include "win/wingdi.h"

namespace gridtest {
namespace {

class GridOptions : public GridTest {};

TEST_F(GridOptions, GetBoolReturnsWhatWasSet) {
    EXPECT_TRUE(SSGetBool(grid(), SSB_AUTOCALC));
    EXPECT_TRUE(SSGetBool(grid(), SSB_REDRAW));
    EXPECT_FALSE(SSGetBool(grid(), 13));
    for (short option : {3, 10, 12, 13, 21, 26, 34, 99}) {
        const BOOL before = SSGetBool(grid(), option);
        EXPECT_EQ(SSSetBool(grid(), option, !before), before) << "the previous value comes back";
        EXPECT_EQ(SSGetBool(grid(), option), !before);
    }
    SSSetBool(grid(), 200, TRUE);
    EXPECT_TRUE(SSGetBool(grid(), 200)) << "any number is kept";
}

TEST_F(GridOptions, OptionSevenSwitchesAutomaticRecalculation) {
    SSSetBool(grid(), SSB_AUTOCALC, FALSE);
    ASSERT_TRUE(SSSetData(grid(), 1, 1, L"1"));
    ASSERT_TRUE(SSSetFormula(grid(), 1, 2, L"A1+1", TRUE));
    ASSERT_TRUE(SSSetData(grid(), 1, 1, L"5"));
    EXPECT_EQ(value(1, 2), L"2");
    SSSetBool(grid(), SSB_AUTOCALC, TRUE);
    ASSERT_TRUE(SSSetData(grid(), 1, 1, L"8"));
    EXPECT_EQ(value(1, 2), L"9");
}

TEST_F(GridOptions, TheChangedFlagIsOnlyWhatWasSet) {
    EXPECT_FALSE(SSGetBool(grid(), SSB_CHANGEMADE));
    SSSetData(grid(), 1, 1, L"program writes do not count");
    EXPECT_FALSE(SSGetBool(grid(), SSB_CHANGEMADE));
    SSSetBool(grid(), SSB_CHANGEMADE, TRUE);
    EXPECT_TRUE(SSGetBool(grid(), SSB_CHANGEMADE));
}

TEST_F(GridOptions, LookSettingsAreKeptAsGiven) {
    LOGFONT font{};
    font.lfHeight = 15;
    wcscpy(font.lfFaceName, L"Tahoma");
    ASSERT_TRUE(SSSetTextTip(grid(), 1, 0, &font, 0x123456, 0x654321));
    WORD status = 0;
    DWORD delay = 99;
    LOGFONT read{};
    COLORREF back = 0;
    COLORREF fore = 0;
    ASSERT_TRUE(SSGetTextTip(grid(), &status, &delay, &read, &back, &fore));
    EXPECT_EQ(status, 1);
    EXPECT_EQ(delay, 0u);
    EXPECT_EQ(read.lfHeight, 15);
    EXPECT_EQ(std::wstring(read.lfFaceName), L"Tahoma");
    EXPECT_EQ(back, 0x123456u);
    EXPECT_EQ(fore, 0x654321u);
    EXPECT_TRUE(SSSetLockColor(grid(), 0xE6E6E6, 0x8000000B));
    EXPECT_TRUE(SSSetCursor(grid(), 1, SS_CURSOR_DEFAULT));
    EXPECT_TRUE(SSSetActionKey(grid(), 2, FALSE, FALSE, 0));
}

TEST_F(GridOptions, ResetGoesBackToANewGrid) {
    SSSetBool(grid(), SSB_AUTOCALC, FALSE);
    SSSetRefStyle(grid(), 2);
    SSSetMaxRows(grid(), 3);
    SSSetData(grid(), 1, 1, L"x");
    ASSERT_TRUE(SSReset(grid()));
    EXPECT_TRUE(SSGetBool(grid(), SSB_AUTOCALC));
    EXPECT_EQ(SSGetRefStyle(grid()), 0);
    EXPECT_EQ(value(1, 1), L"");
    EXPECT_EQ(SSGetMaxRows(grid()), 500);
}

class GridSize : public GridTest {};

TEST_F(GridSize, ReducingTheCountsDropsContentsAndFormats) {
    SS_CELLTYPE check{};
    SSSetTypeCheckBox(grid(), &check, 0x300, L"", nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0,
                      nullptr, 0, nullptr, 0);
    setType(2, 10, &check);
    set(2, 10, L"1");
    SSSetCellTag(grid(), 2, 10, L"tag");
    set(8, 1, L"far right");
    ASSERT_TRUE(SSSetMaxRows(grid(), 5));
    ASSERT_TRUE(SSSetMaxCols(grid(), 5));
    EXPECT_EQ(SSGetMaxRows(grid()), 5);
    EXPECT_EQ(SSGetMaxCols(grid()), 5);
    EXPECT_FALSE(SSSetData(grid(), 2, 10, L"x"));
    ASSERT_TRUE(SSSetMaxRows(grid(), 10));
    ASSERT_TRUE(SSSetMaxCols(grid(), 10));
    EXPECT_EQ(value(2, 10), L"");
    EXPECT_EQ(typeCode(2, 10), SS_TYPE_GENERAL);
    EXPECT_EQ(tag(2, 10), L"");
    EXPECT_EQ(value(8, 1), L"");
    EXPECT_FALSE(SSSetMaxRows(grid(), -1));
}

TEST_F(GridSize, AGridWithoutRowsHasNoActiveCell) {
    ASSERT_TRUE(SSSetMaxRows(grid(), 0));
    SS_COORD col = 0;
    SS_COORD row = 0;
    EXPECT_FALSE(SSGetActiveCell(grid(), &col, &row));
    EXPECT_FALSE(SSSetActiveCell(grid(), 1, 1));
    set(3, 0, L"caption");
    EXPECT_EQ(data(3, SS_HEADER), L"caption") << "the header row stays addressable";
}

TEST_F(GridSize, WidthsAndHeightsConvertToPixels) {
    ASSERT_TRUE(SSSetColWidth(grid(), 2, 10.0));
    int pixels = 0;
    ASSERT_TRUE(SSGetColWidthInPixels(grid(), 2, &pixels));
    EXPECT_EQ(pixels, 64);
    ASSERT_TRUE(SSSetColWidthInPixels(grid(), 3, 100));
    double width = 0.0;
    ASSERT_TRUE(SSGetColWidth(grid(), 3, &width));
    double converted = 0.0;
    ASSERT_TRUE(SSLogUnitsToColWidth(grid(), 100, &converted));
    EXPECT_EQ(width, converted);
    ASSERT_TRUE(SSGetColWidthInPixels(grid(), 3, &pixels));
    EXPECT_EQ(pixels, 100);

    ASSERT_TRUE(SSSetRowHeightInPixels(grid(), SS_HEADER, 30));
    ASSERT_TRUE(SSGetRowHeightInPixels(grid(), 0, &pixels));
    EXPECT_EQ(pixels, 30);
    double height = 0.0;
    ASSERT_TRUE(SSGetRowHeight(grid(), 0, &height));
    EXPECT_EQ(height, 22.5);

    ASSERT_TRUE(SSSetColWidth(grid(), SS_ALLCOLS, 5.0));
    ASSERT_TRUE(SSGetColWidth(grid(), 3, &width));
    EXPECT_EQ(width, 5.0);
    EXPECT_FALSE(SSSetColWidth(grid(), 10000, 5.0));
    EXPECT_FALSE(SSSetColWidth(grid(), 1, std::nan("")));
}

TEST_F(GridSize, TextExtentsFollowTheCellFont) {
    set(1, 1, L"abcdef");
    double width = 0.0;
    double height = 0.0;
    ASSERT_TRUE(SSGetMaxTextCellSize(grid(), 1, 1, &width, &height));
    EXPECT_EQ(width, 6.0) << "six characters of the default font";
    EXPECT_EQ(height, 12.0);

    HFONT font = CreateFont(15, 0, 0, 0, 700, 0, 0, 0, 1, 2, 1, 0, 0, L"Tahoma");
    ASSERT_TRUE(SSSetFontRange(grid(), 1, 1, 1, 1, font, TRUE));
    double wider = 0.0;
    ASSERT_TRUE(SSGetMaxTextCellSize(grid(), 1, 1, &wider, nullptr));
    EXPECT_GT(wider, width);

    set(1, 2, L"one\ntwo");
    double twoLines = 0.0;
    ASSERT_TRUE(SSGetMaxTextCellSize(grid(), 1, 2, nullptr, &twoLines));
    EXPECT_GT(twoLines, height);

    double column = 0.0;
    ASSERT_TRUE(SSGetMaxTextColWidth(grid(), 1, &column));
    EXPECT_EQ(column, wider);
    EXPECT_FALSE(SSGetMaxTextColWidth(grid(), 7, &column)) << "no text in the column";
    double row = 0.0;
    ASSERT_TRUE(SSGetMaxTextRowHeight(grid(), 2, &row));
    EXPECT_EQ(row, twoLines);
}

TEST_F(GridSize, FontsAreDescribedNotKept) {
    HFONT font = CreateFont(-20, 0, 0, 0, 700, 1, 0, 0, 1, 0, 0, 0, 0, L"Courier");
    ASSERT_TRUE(SSSetFont(grid(), 2, 2, font, FALSE));
    DeleteObject(font);
    HFONT handed = SSGetFont(grid(), 2, 2);
    LOGFONT read{};
    ASSERT_NE(GetObject(handed, sizeof read, &read), 0);
    EXPECT_EQ(read.lfHeight, -20);
    EXPECT_EQ(read.lfWeight, 700);
    EXPECT_EQ(read.lfItalic, 1);
    EXPECT_EQ(std::wstring(read.lfFaceName), L"Courier");
    EXPECT_FALSE(SSSetFont(grid(), 2, 2, nullptr, FALSE));
}

TEST_F(GridSize, HiddenRowsMoveWithInsertedRows) {
    ASSERT_TRUE(SSShowRow(grid(), 3, FALSE));
    EXPECT_TRUE(SSIsRowHidden(grid(), 3));
    ASSERT_TRUE(SSInsRow(grid(), 2));
    EXPECT_FALSE(SSIsRowHidden(grid(), 3));
    EXPECT_TRUE(SSIsRowHidden(grid(), 4));
    ASSERT_TRUE(SSShowRow(grid(), 4, TRUE));
    EXPECT_FALSE(SSIsRowHidden(grid(), 4));
}

TEST_F(GridSize, ClientAreaAndScrollBars) {
    RECT rect{};
    ASSERT_TRUE(SSGetClientRect(grid(), &rect));
    EXPECT_EQ(rect.right - rect.left, 600);
    EXPECT_EQ(rect.bottom - rect.top, 400);
    int vertical = 0;
    int horizontal = 0;
    ASSERT_TRUE(SSGetScrollBarSize(grid(), &vertical, &horizontal));
    EXPECT_EQ(vertical, 17);
    EXPECT_EQ(horizontal, 17);
}

} // namespace
} // namespace gridtest
