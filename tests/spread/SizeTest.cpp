// Row and column counts, format copy on growth, and fonts.
#include "SpreadTestSupport.h"

namespace spreadtest {
namespace {

using SizeTest = SpreadTest;

TEST_F(SizeTest, ShrinkingDropsRowsWithoutTouchingFontsAndTheSameCountChangesNothing) {
    create(3, 5);
    set(1, 5, L"last");
    set(2, 2, L"kept");
    ASSERT_TRUE(spread.setFontRange(2, 2, 2, 2, true, false));

    ASSERT_TRUE(spread.setRowCount(3, true));
    EXPECT_EQ(spread.rowCount(), 3);
    EXPECT_TRUE(bold(2, 2)) << "fonts of the rows that stay are untouched";
    EXPECT_EQ(value(2, 2), L"kept");
    EXPECT_FALSE(spread.isChanged());

    ASSERT_TRUE(spread.setRowCount(3, true));
    EXPECT_EQ(spread.rowCount(), 3);
    EXPECT_TRUE(bold(2, 2));
    EXPECT_FALSE(spread.isChanged());

    ASSERT_TRUE(spread.setRowCount(5, false));
    EXPECT_EQ(value(1, 5), L"") << "dropped rows do not come back";
}

TEST_F(SizeTest, GrowingWithFormatCopyRepeatsTheLastRowInEveryNewRow) {
    create(3, 2);
    ASSERT_TRUE(spread.setCheckCell(2, 2, false));
    ASSERT_TRUE(spread.setNumberType(3, 2, 3, 2, 3, false));
    set(1, 2, L"text");
    set(2, 2, L"1");
    set(3, 2, L"1.5");
    set(Trk_Spread::HEADER, 2, L"caption");
    SSSetColor(grid(), 1, 2, RGB(10, 20, 30), RGB(0, 0, 0));
    SSSetBool(grid(), Trk_Spread::kOptionChanged, FALSE);

    ASSERT_TRUE(spread.setRowCount(4, true));
    EXPECT_EQ(spread.rowCount(), 4);
    for (int row = 3; row <= 4; ++row) {
        EXPECT_EQ(typeCode(2, row), SS_TYPE_CHECKBOX);
        EXPECT_EQ(typeCode(3, row), SS_TYPE_NUMBER);
        COLORREF back = 0;
        COLORREF fore = 0;
        ASSERT_TRUE(SSGetColor(grid(), 1, row, &back, &fore));
        EXPECT_EQ(back, RGB(10, 20, 30));
        for (const int col : {Trk_Spread::HEADER, 1, 2, 3})
            EXPECT_EQ(value(col, row), value(col, 2)) << "column " << col << " row " << row;
        EXPECT_TRUE(bold(Trk_Spread::HEADER, row)) << "row captions are bold";
        EXPECT_FALSE(bold(1, row));
    }
    EXPECT_TRUE(spread.isChanged());
}

TEST_F(SizeTest, GrowingFromNoRowsCopiesNoCaptionsIntoTheCells) {
    create(2, 0);
    set(1, Trk_Spread::HEADER, L"Name");
    ASSERT_TRUE(spread.setRowCount(2, true));
    EXPECT_EQ(value(1, 1), L"");
    EXPECT_EQ(value(1, 2), L"");
    EXPECT_TRUE(bold(Trk_Spread::HEADER, 1));
    EXPECT_TRUE(bold(1, Trk_Spread::HEADER));
}

TEST_F(SizeTest, GrowingRefontsTheLastRowAndTheNewRowsOnly) {
    create(2, 3);
    for (const int row : {2, 3}) {
        ASSERT_TRUE(spread.setFontRange(1, row, 2, row, true, false));
        ASSERT_TRUE(
            spread.setFontRange(Trk_Spread::HEADER, row, Trk_Spread::HEADER, row, false, false));
    }
    ASSERT_TRUE(spread.setRowCount(5, false));
    EXPECT_TRUE(bold(1, 2)) << "rows before the last keep their fonts";
    EXPECT_FALSE(bold(Trk_Spread::HEADER, 2));
    for (int row = 3; row <= 5; ++row) {
        EXPECT_FALSE(bold(1, row)) << "row " << row << " takes the regular font";
        EXPECT_TRUE(bold(Trk_Spread::HEADER, row)) << "row " << row << " has a bold caption";
    }
}

TEST_F(SizeTest, GrowingWithoutFormatCopyLeavesNewRowsPlainAndUnchanged) {
    create(2, 1);
    ASSERT_TRUE(spread.setCheckCell(1, 1, false));
    ASSERT_TRUE(spread.setRowCount(3, false));
    EXPECT_NE(typeCode(1, 3), SS_TYPE_CHECKBOX);
    EXPECT_FALSE(spread.isChanged());
}

TEST_F(SizeTest, ColumnsGrowWithFormatCopyAndBoldCaptionsLikeRows) {
    create(2, 3);
    ASSERT_TRUE(spread.setCheckColumn(2, false, false));
    set(2, 1, L"1");
    ASSERT_TRUE(spread.setColCount(4, true));
    EXPECT_EQ(spread.colCount(), 4);
    for (int col = 3; col <= 4; ++col) {
        EXPECT_EQ(typeCode(col, 2), SS_TYPE_CHECKBOX);
        EXPECT_EQ(value(col, 1), L"1") << "column 2 is repeated";
        EXPECT_EQ(value(col, 2), L"0");
        EXPECT_TRUE(bold(col, Trk_Spread::HEADER));
    }
    EXPECT_FALSE(spread.setColCount(-1, false));
    EXPECT_EQ(spread.colCount(), 4);
}

TEST_F(SizeTest, AFreshGridGetsBoldCaptionsAndRegularCellsInTheChosenFont) {
    ASSERT_TRUE(spread.createInDialog(&host, kPlaceholderId, true));
    spread.fontName = L"Courier";
    spread.fontHeight = 20;
    ASSERT_TRUE(spread.setColCount(2, false));
    ASSERT_TRUE(spread.setRowCount(2, false));
    EXPECT_TRUE(bold(1, Trk_Spread::HEADER));
    EXPECT_TRUE(bold(2, Trk_Spread::HEADER));
    EXPECT_TRUE(bold(Trk_Spread::HEADER, 1));
    EXPECT_FALSE(bold(2, 2));
    LOGFONT font{};
    ASSERT_TRUE(GetObject(SSGetFont(grid(), 2, 2), sizeof(font), &font));
    EXPECT_EQ(std::wstring(font.lfFaceName), L"Courier");
    EXPECT_EQ(font.lfHeight, 20);

    LOGFONT tip{};
    WORD status = 0;
    DWORD delay = 5;
    COLORREF back = 0;
    COLORREF fore = 0;
    ASSERT_TRUE(SSGetTextTip(grid(), &status, &delay, &tip, &back, &fore));
    EXPECT_EQ(status, 1);
    EXPECT_EQ(delay, 0u);
    EXPECT_EQ(std::wstring(tip.lfFaceName), L"Courier");
}

} // namespace
} // namespace spreadtest
