// The format model on its own: layers, spans, sizes and structural changes.
#include "grid/Format.h"

#include <gtest/gtest.h>

namespace gridx {
namespace {

constexpr Color kRed = 0x0000FF;
constexpr Color kGreen = 0x00FF00;
constexpr Color kBlue = 0xFF0000;

class FormatModel : public ::testing::Test {
protected:
    static RangeRef at(int col, int row) { return RangeRef{col, row, col, row}; }
    static RangeRef column(int col) { return RangeRef{col, kAll, col, kAll}; }
    static RangeRef row(int r) { return RangeRef{kAll, r, kAll, r}; }
    static RangeRef everything() { return RangeRef{kAll, kAll, kAll, kAll}; }

    void paint(const RangeRef& block, Color back) { format.setColors(block, back, std::nullopt); }
    Color back(int col, int row) const { return format.cell(col, row).backColor; }
    CellType typeOf(CellKind kind, int decimals = 0) const {
        CellType type;
        type.kind = kind;
        type.decimals = decimals;
        return type;
    }

    SheetFormat format;
};

TEST_F(FormatModel, TheLastChangeWinsBetweenCellsColumnsRowsAndTheSheet) {
    paint(column(2), kRed);
    EXPECT_EQ(back(2, 1), kRed);
    EXPECT_EQ(back(2, 500), kRed);
    EXPECT_EQ(back(3, 1), kDefaultBackColor);

    paint(at(2, 5), kGreen);
    EXPECT_EQ(back(2, 5), kGreen);
    EXPECT_EQ(back(2, 6), kRed);

    paint(column(2), kBlue); // clears the cell's own colour
    EXPECT_EQ(back(2, 5), kBlue);

    paint(row(7), kGreen); // a row outranks the column
    EXPECT_EQ(back(2, 7), kGreen);
    paint(column(2), kRed); // a later column change still shows where the row set the colour
    EXPECT_EQ(back(2, 7), kRed);
    EXPECT_EQ(back(3, 7), kGreen);

    paint(everything(), kBlue);
    EXPECT_EQ(back(2, 7), kBlue);
    EXPECT_EQ(back(3, 7), kBlue);
    EXPECT_EQ(back(400, 400), kBlue);
}

TEST_F(FormatModel, AttributesResolveIndependently) {
    format.setCellType(column(1), typeOf(CellKind::CheckBox));
    format.setLocked(at(1, 3), true);
    paint(row(3), kRed);
    const CellFormat cell = format.cell(1, 3);
    EXPECT_EQ(cell.type.kind, CellKind::CheckBox);
    EXPECT_TRUE(cell.locked);
    EXPECT_EQ(cell.backColor, kRed);
    EXPECT_FALSE(format.locked(1, 4));
    EXPECT_EQ(format.cellType(2, 3).kind, CellKind::General);
    EXPECT_EQ(format.cellType(1, kHeader).kind, CellKind::CheckBox);
}

TEST_F(FormatModel, CellsOutsideTheSheetShowDefaultsAndIgnoreChanges) {
    format.setMaxCols(5);
    format.setMaxRows(5);
    paint(at(6, 1), kRed);
    paint(at(1, -3), kRed);
    EXPECT_EQ(back(6, 1), kDefaultBackColor);
    format.setTag(9, 9, L"far");
    EXPECT_EQ(format.tag(9, 9), L"");
    format.setTag(kHeader, kHeader, L"corner");
    EXPECT_EQ(format.tag(0, 0), L"corner");
}

TEST_F(FormatModel, SpansReportTheirAnchorAndRefuseOverlaps) {
    ASSERT_TRUE(format.addSpan(2, 2, 2, 3));
    const auto span = format.spanAt(3, 4);
    ASSERT_TRUE(span.has_value());
    EXPECT_EQ(*span, (Span{2, 2, 2, 3}));
    EXPECT_FALSE(format.spanAt(4, 2).has_value());

    EXPECT_FALSE(format.addSpan(3, 3, 2, 2)) << "overlaps the first span";
    EXPECT_FALSE(format.addSpan(7, 7, 1, 1)) << "a single cell is no span";
    EXPECT_FALSE(format.addSpan(499, 1, 5, 1)) << "reaches beyond the last column";
    EXPECT_TRUE(format.addSpan(2, 2, 1, 2)) << "the same anchor is replaced";
    EXPECT_FALSE(format.spanAt(3, 2).has_value());

    EXPECT_TRUE(format.removeSpan(2, 2));
    EXPECT_FALSE(format.removeSpan(2, 2));
    EXPECT_FALSE(format.spanAt(2, 3).has_value());
}

TEST_F(FormatModel, InsertedRowsMoveEverythingBelowThem) {
    format.setCellType(at(1, 5), typeOf(CellKind::Number, 3));
    format.setTag(1, 5, L"tag");
    format.setRowHeight(5, 30.0);
    format.setRowHidden(5, true);
    paint(row(5), kRed);
    ASSERT_TRUE(format.addSpan(1, 5, 2, 2));

    format.insertRows(3, 2);

    EXPECT_EQ(format.cellType(1, 7).decimals, 3);
    EXPECT_EQ(format.cellType(1, 5).kind, CellKind::General);
    EXPECT_EQ(format.tag(1, 7), L"tag");
    EXPECT_EQ(format.rowHeight(7), 30.0);
    EXPECT_TRUE(format.rowHidden(7));
    EXPECT_FALSE(format.rowHidden(5));
    EXPECT_EQ(back(4, 7), kRed);
    EXPECT_EQ(format.spanAt(2, 8), (Span{1, 7, 2, 2}));

    format.insertRows(8, 1); // inside the span: it grows
    EXPECT_EQ(format.spanAt(1, 7), (Span{1, 7, 2, 3}));
}

TEST_F(FormatModel, DeletedRowsShrinkOrRemoveSpans) {
    ASSERT_TRUE(format.addSpan(1, 3, 1, 4)); // rows 3..6
    ASSERT_TRUE(format.addSpan(3, 10, 2, 1));
    format.setTag(1, 8, L"below");

    format.deleteRows(4, 2);
    EXPECT_EQ(format.spanAt(1, 3), (Span{1, 3, 1, 2}));
    EXPECT_EQ(format.tag(1, 6), L"below");
    EXPECT_EQ(format.spanAt(3, 8), (Span{3, 8, 2, 1}));

    format.deleteRows(3, 1); // the anchor row goes: one cell remains, no span
    EXPECT_FALSE(format.spanAt(1, 3).has_value());

    format.deleteRows(8, 1);
    EXPECT_FALSE(format.spanAt(3, 8).has_value());
}

TEST_F(FormatModel, ColumnsMoveLikeRows) {
    format.setCellType(column(4), typeOf(CellKind::Button));
    format.setColWidth(4, 20.0);
    format.setTag(4, 0, L"caption");
    format.insertCols(2, 1);
    EXPECT_EQ(format.cellType(5, 9).kind, CellKind::Button);
    EXPECT_EQ(format.colWidth(5), 20.0);
    EXPECT_EQ(format.colWidth(4), kDefaultColWidth);
    EXPECT_EQ(format.tag(5, 0), L"caption");
    format.deleteCols(5, 1);
    EXPECT_EQ(format.cellType(5, 9).kind, CellKind::General);
    EXPECT_EQ(format.tag(5, 0), L"");
}

TEST_F(FormatModel, WhatIsPushedBeyondTheMaximumIsDropped) {
    format.setMaxRows(10);
    format.setTag(1, 10, L"last");
    ASSERT_TRUE(format.addSpan(1, 8, 1, 3));
    format.insertRows(1, 1);
    EXPECT_EQ(format.tag(1, 10), L"");
    EXPECT_EQ(format.spanAt(1, 9), (Span{1, 9, 1, 2}));

    format.setMaxRows(9);
    EXPECT_FALSE(format.spanAt(1, 9).has_value());
    format.setMaxRows(20);
    EXPECT_EQ(format.tag(1, 10), L"") << "a larger count brings nothing back";
}

TEST_F(FormatModel, CopiesTakeWhatTheCellsShow) {
    paint(column(1), kRed);
    format.setCellType(at(1, 2), typeOf(CellKind::CheckBox));
    format.setTag(1, 1, L"first");
    ASSERT_TRUE(format.addSpan(1, 1, 1, 2));

    format.copyRange(RangeRef{1, 1, 1, 2}, 3, 5);
    EXPECT_EQ(back(3, 5), kRed);
    EXPECT_EQ(format.cellType(3, 6).kind, CellKind::CheckBox);
    EXPECT_EQ(format.tag(3, 5), L"first");
    EXPECT_EQ(format.spanAt(3, 6), (Span{3, 5, 1, 2}));

    paint(column(1), kGreen);
    EXPECT_EQ(back(3, 5), kRed) << "a copy does not follow its source";
}

TEST_F(FormatModel, OverlappingCopiesReadTheSourceBeforeWriting) {
    for (int r = 1; r <= 3; ++r)
        format.setTag(1, r, std::to_wstring(r));
    format.copyRange(RangeRef{1, 1, 1, 3}, 1, 2);
    EXPECT_EQ(format.tag(1, 2), L"1");
    EXPECT_EQ(format.tag(1, 3), L"2");
    EXPECT_EQ(format.tag(1, 4), L"3");
}

TEST_F(FormatModel, SwapsExchangeFormatsTagsAndSpans) {
    paint(at(1, 1), kRed);
    format.setTag(1, 2, L"up");
    ASSERT_TRUE(format.addSpan(1, 1, 2, 1));
    paint(at(1, 5), kGreen);

    format.swapRanges(RangeRef{1, 1, 2, 2}, 1, 5);
    EXPECT_EQ(back(1, 1), kGreen);
    EXPECT_EQ(back(1, 5), kRed);
    EXPECT_EQ(format.tag(1, 6), L"up");
    EXPECT_EQ(format.tag(1, 2), L"");
    EXPECT_EQ(format.spanAt(2, 5), (Span{1, 5, 2, 1}));
    EXPECT_FALSE(format.spanAt(2, 1).has_value());
}

TEST_F(FormatModel, SizesConvertBetweenUnitsAndPixels) {
    EXPECT_EQ(colWidthToPixels(kDefaultColWidth), 52);
    EXPECT_EQ(colWidthToPixels(0.0), 0);
    EXPECT_EQ(rowHeightToPixels(kDefaultRowHeight), 16);
    for (int pixels : {5, 17, 64, 250}) {
        EXPECT_EQ(colWidthToPixels(pixelsToColWidth(pixels)), pixels);
        EXPECT_EQ(rowHeightToPixels(pixelsToRowHeight(pixels)), pixels);
    }
    format.setColWidth(3, 12.5);
    format.setColWidth(kAll, 10.0);
    EXPECT_EQ(format.colWidth(3), 10.0) << "setting every column clears single widths";
    EXPECT_EQ(format.colWidthPixels(kHeader), colWidthToPixels(10.0));
}

TEST_F(FormatModel, LayersReadBackThroughTheirSettersGiveTheSameCells) {
    paint(everything(), kBlue);
    format.setCellType(column(2), typeOf(CellKind::Percent, 1));
    paint(row(4), kGreen);
    format.setLocked(at(2, 4), true);
    format.setBorder(at(3, 3), Border{31, 1, kRed});

    SheetFormat copy;
    copy.setSheetLayer(format.sheetLayer());
    format.forEachColLayer([&](int c, const FormatLayer& l) { copy.setColLayer(c, l); });
    format.forEachRowLayer([&](int r, const FormatLayer& l) { copy.setRowLayer(r, l); });
    format.forEachCellLayer(
        [&](int c, int r, const FormatLayer& l) { copy.setCellLayer(c, r, l); });
    for (int c = 0; c <= 5; ++c) {
        for (int r = 0; r <= 5; ++r) {
            const CellFormat a = format.cell(c, r);
            const CellFormat b = copy.cell(c, r);
            EXPECT_EQ(a.type, b.type);
            EXPECT_EQ(a.locked, b.locked);
            EXPECT_EQ(a.backColor, b.backColor);
            EXPECT_EQ(a.border, b.border);
        }
    }
}

TEST_F(FormatModel, CellLayersAreVisitedRowByRow) {
    paint(at(3, 1), kRed);
    paint(at(1, 2), kRed);
    paint(at(2, 1), kGreen);
    std::vector<std::pair<int, int>> order;
    format.forEachCellLayer([&](int c, int r, const FormatLayer&) { order.emplace_back(c, r); });
    const std::vector<std::pair<int, int>> expected{{2, 1}, {3, 1}, {1, 2}};
    EXPECT_EQ(order, expected);
}

} // namespace
} // namespace gridx
