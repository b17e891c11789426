// Spans, copies, swaps, inserted and deleted rows and columns: contents and formats together.
#include "GridTestHost.h"

namespace gridtest {
namespace {

class GridStructure : public GridTest {
protected:
    void makeCheckBox(int col, int row) {
        SS_CELLTYPE check{};
        SSSetTypeCheckBox(grid(), &check, 0x300, L"", nullptr, 0, nullptr, 0, nullptr, 0, nullptr,
                          0, nullptr, 0, nullptr, 0);
        setType(col, row, &check);
    }
    COLORREF background(int col, int row) {
        COLORREF back = 0;
        COLORREF fore = 0;
        EXPECT_TRUE(SSGetColor(grid(), col, row, &back, &fore));
        return back;
    }
};

TEST_F(GridStructure, SpannedCellsReportTheirAnchor) {
    ASSERT_TRUE(SSAddCellSpan(grid(), 2, 3, 3, 2));
    SS_COORD col = 0;
    SS_COORD row = 0;
    SS_COORD cols = 0;
    SS_COORD rows = 0;
    EXPECT_EQ(SSGetCellSpan(grid(), 4, 4, &col, &row, &cols, &rows), SS_SPAN_YES);
    EXPECT_EQ(col, 2);
    EXPECT_EQ(row, 3);
    EXPECT_EQ(cols, 3);
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(SSGetCellSpan(grid(), 2, 3, nullptr, nullptr, nullptr, nullptr), SS_SPAN_ANCHOR);
    EXPECT_EQ(SSGetCellSpan(grid(), 5, 3, &col, &row, &cols, &rows), SS_SPAN_NO);
    EXPECT_EQ(col, 5);
    EXPECT_EQ(cols, 1);
    EXPECT_FALSE(SSAddCellSpan(grid(), 3, 4, 2, 2)) << "overlaps";
    EXPECT_FALSE(SSAddCellSpan(grid(), 1, 1, 0, 2));
    EXPECT_TRUE(SSAddCellSpan(grid(), SS_HEADER, 1, 2, 1)) << "header cells span too";
    EXPECT_TRUE(SSRemoveCellSpan(grid(), 2, 3));
    EXPECT_EQ(SSGetCellSpan(grid(), 4, 4, nullptr, nullptr, nullptr, nullptr), SS_SPAN_NO);
}

TEST_F(GridStructure, CopyingARowCopiesContentsAndFormatting) {
    makeCheckBox(2, 3);
    set(2, 3, L"1");
    set(SS_HEADER, 3, L"caption");
    set(1, 3, L"5");
    formula(3, 3, L"A3*2");
    ASSERT_TRUE(SSSetColor(grid(), 1, 3, 0xFFD0A4, 0x8000000B));
    const SS_COORD last = SSGetMaxCols(grid());

    ASSERT_TRUE(SSCopyRange(grid(), SS_HEADER, 3, last, 3, SS_HEADER, 4));

    EXPECT_EQ(typeCode(2, 4), SS_TYPE_CHECKBOX);
    EXPECT_EQ(value(2, 4), L"1");
    EXPECT_EQ(data(0, 4), L"caption");
    EXPECT_EQ(formulaText(3, 4), L"A4*2") << "relative references move with the copy";
    EXPECT_EQ(value(3, 4), L"10");
    EXPECT_EQ(background(1, 4), 0xFFD0A4u);
}

TEST_F(GridStructure, CopiesCutAtTheGridsEdge) {
    SSSetMaxRows(grid(), 5);
    set(1, 1, L"a");
    set(1, 2, L"b");
    ASSERT_TRUE(SSCopyRange(grid(), 1, 1, 1, 2, 1, 5));
    EXPECT_EQ(value(1, 5), L"a");
    EXPECT_FALSE(SSCopyRange(grid(), 1, 1, 1, 2, 1, 6)) << "the destination lies outside";
}

TEST_F(GridStructure, SwappingRowsMovesTheirFormatsAlong) {
    makeCheckBox(1, 2);
    set(1, 2, L"1");
    set(2, 2, L"two");
    set(2, 3, L"three");
    const SS_COORD last = SSGetMaxCols(grid());
    ASSERT_TRUE(SSSwapRange(grid(), 1, 2, last, 2, 1, 3));
    EXPECT_EQ(typeCode(1, 3), SS_TYPE_CHECKBOX);
    EXPECT_EQ(typeCode(1, 2), SS_TYPE_GENERAL);
    EXPECT_EQ(value(1, 3), L"1");
    EXPECT_EQ(value(2, 2), L"three");
    EXPECT_EQ(value(2, 3), L"two");
}

TEST_F(GridStructure, InsertedAndDeletedRowsKeepFormatsWithTheirCells) {
    makeCheckBox(2, 5);
    set(2, 5, L"1");
    SSSetCellTag(grid(), 2, 5, L"five");
    ASSERT_TRUE(SSAddCellSpan(grid(), 3, 5, 2, 1));
    formula(4, 1, L"B5+1");

    ASSERT_TRUE(SSInsRow(grid(), 3));
    EXPECT_EQ(typeCode(2, 6), SS_TYPE_CHECKBOX);
    EXPECT_EQ(value(2, 6), L"1");
    EXPECT_EQ(tag(2, 6), L"five");
    EXPECT_EQ(SSGetCellSpan(grid(), 4, 6, nullptr, nullptr, nullptr, nullptr), SS_SPAN_YES);
    EXPECT_EQ(formulaText(4, 1), L"B6+1");
    EXPECT_EQ(SSGetMaxRows(grid()), 500) << "the count stays";

    ASSERT_TRUE(SSDelRow(grid(), 3));
    EXPECT_EQ(typeCode(2, 5), SS_TYPE_CHECKBOX);
    EXPECT_EQ(tag(2, 5), L"five");
    EXPECT_EQ(formulaText(4, 1), L"B5+1");

    ASSERT_TRUE(SSDelRow(grid(), 5));
    EXPECT_EQ(typeCode(2, 5), SS_TYPE_GENERAL);
    EXPECT_EQ(value(4, 1), L"#REF!");
}

TEST_F(GridStructure, InsertedAndDeletedColumnsKeepFormatsWithTheirCells) {
    ASSERT_TRUE(SSSetColorRange(grid(), 2, SS_ALLROWS, 2, SS_ALLROWS, 0x0000FF, 0));
    set(2, 0, L"Width");
    set(2, 7, L"12");
    ASSERT_TRUE(SSInsCol(grid(), 1));
    EXPECT_EQ(background(3, 300), 0x0000FFu);
    EXPECT_EQ(data(3, 0), L"Width");
    EXPECT_EQ(value(3, 7), L"12");
    ASSERT_TRUE(SSDelCol(grid(), 3));
    EXPECT_NE(background(3, 300), 0x0000FFu);
    EXPECT_EQ(value(3, 7), L"");
}

TEST_F(GridStructure, StructuralCallsRefuseRowsOutsideTheGrid) {
    EXPECT_FALSE(SSInsRow(grid(), 0));
    EXPECT_FALSE(SSDelRow(grid(), SSGetMaxRows(grid()) + 1));
    EXPECT_FALSE(SSInsCol(grid(), -1));
    EXPECT_FALSE(SSDelCol(grid(), SS_HEADER));
    EXPECT_FALSE(SSCopyRange(grid(), 1, 1, 1, 1, -7, 1));
}

TEST_F(GridStructure, RangeCallsTakeEveryRowAndColumn) {
    ASSERT_TRUE(SSSetLockRange(grid(), 3, SS_ALLROWS, 3, SS_ALLROWS, TRUE));
    EXPECT_TRUE(SSGetLock(grid(), 3, 499));
    EXPECT_FALSE(SSGetLock(grid(), 4, 499));
    ASSERT_TRUE(SSSetBorderRange(grid(), SS_ALLCOLS, 2, SS_ALLCOLS, 2, 31, 1, 0x8000000B));
    WORD type = 0;
    WORD style = 0;
    COLORREF color = 0;
    ASSERT_TRUE(SSGetBorder(grid(), 250, 2, &type, &style, &color));
    EXPECT_EQ(type, 31);
    EXPECT_EQ(style, 1);
    EXPECT_EQ(color, 0x8000000Bu);
    ASSERT_TRUE(
        SSSetColorRange(grid(), SS_ALLCOLS, SS_ALLROWS, SS_ALLCOLS, SS_ALLROWS, 0xABCDEF, 0));
    EXPECT_EQ(background(17, 17), 0xABCDEFu);
}

} // namespace
} // namespace gridtest
