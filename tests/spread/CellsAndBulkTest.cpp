// Typed cell access, selection, and transfers of whole columns and rows.
#include "SpreadTestSupport.h"

#include <limits>

namespace spreadtest {
namespace {

class CellsAndBulkTest : public SpreadTest {
protected:
    void SetUp() override {
        SpreadTest::SetUp();
        create(3, 4);
    }
};

TEST_F(CellsAndBulkTest, TypedReadsConvertValueTextsAndRejectCellsOutsideTheGrid) {
    ASSERT_TRUE(spread.setInt(1, 1, -42));
    int number = 0;
    ASSERT_TRUE(spread.getInt(1, 1, number));
    EXPECT_EQ(number, -42);

    ASSERT_TRUE(spread.setDouble(2, 1, 2.345));
    EXPECT_EQ(value(2, 1), Trk_String(2.345, 2, true).str());
    double real = 0;
    ASSERT_TRUE(spread.getDouble(2, 1, real));
    EXPECT_DOUBLE_EQ(real, Trk_String(2.345, 2, true).asDouble());

    ASSERT_TRUE(spread.setBool(3, 1, true));
    bool flag = false;
    ASSERT_TRUE(spread.getBool(3, 1, flag));
    EXPECT_TRUE(flag);
    ASSERT_TRUE(spread.setBool(3, 1, false));
    ASSERT_TRUE(spread.getBool(3, 1, flag));
    EXPECT_FALSE(flag);

    set(1, 2, L"abc");
    number = 9;
    real = 9;
    ASSERT_TRUE(spread.getInt(1, 2, number)) << "text that is no number reads 0";
    EXPECT_EQ(number, 0);
    ASSERT_TRUE(spread.getDouble(1, 2, real));
    EXPECT_EQ(real, 0.0);
    EXPECT_FALSE(spread.getBool(1, 2, flag));
    number = 9;
    ASSERT_TRUE(spread.getInt(2, 3, number)) << "an empty cell reads 0";
    EXPECT_EQ(number, 0);
    set(1, 3, L"12 mm");
    ASSERT_TRUE(spread.getInt(1, 3, number));
    EXPECT_EQ(number, 12) << "the leading number counts";
    set(1, 3, L"99999999999");
    ASSERT_TRUE(spread.getInt(1, 3, number));
    EXPECT_EQ(number, std::numeric_limits<int>::max());
    number = 9;

    EXPECT_FALSE(spread.getInt(4, 1, number));
    EXPECT_FALSE(spread.getInt(1, 5, number));
    EXPECT_FALSE(spread.getInt(-3, 1, number));
    EXPECT_EQ(number, 9) << "a cell outside the grid leaves the number alone";
}

TEST_F(CellsAndBulkTest, CellTextsOfEveryKindAndTheHeaderCells) {
    ASSERT_TRUE(SSSetFormula(grid(), 1, 1, L"=2*3", TRUE));
    SSSetCellTag(grid(), 1, 1, L"tag text");
    Trk_String text = L"old";
    ASSERT_TRUE(spread.getCellText(1, 1, 0, text));
    EXPECT_EQ(text, L"6");
    ASSERT_TRUE(spread.getCellText(1, 1, 1, text));
    EXPECT_EQ(text, L"2*3");
    ASSERT_TRUE(spread.getCellText(1, 1, 2, text));
    EXPECT_EQ(text, L"tag text");
    ASSERT_TRUE(spread.getCellText(1, 1, 3, text));
    EXPECT_EQ(text, L"6");

    ASSERT_TRUE(spread.getCellText(2, 2, 3, text));
    EXPECT_TRUE(text.isEmpty()) << "an empty cell inside the grid reads empty and true";

    set(2, Trk_Spread::HEADER, L"Caption");
    ASSERT_TRUE(spread.getCellText(2, Trk_Spread::HEADER, 0, text));
    EXPECT_EQ(text, L"Caption");
    text = L"old";
    EXPECT_FALSE(spread.getCellText(4, 1, 0, text));
    EXPECT_TRUE(text.isEmpty());
    EXPECT_FALSE(spread.getCellText(1, 1, 7, text));
}

TEST_F(CellsAndBulkTest, ColumnTextsStopAtTheLastRowAndShorterArraysLeaveTheRestAlone) {
    set(1, 4, L"untouched");
    ASSERT_TRUE(spread.setColumnTexts(1, Trk_StringArray{L"a", L"b"}, false));
    EXPECT_EQ(value(1, 1), L"a");
    EXPECT_EQ(value(1, 2), L"b");
    EXPECT_EQ(value(1, 4), L"untouched");

    ASSERT_TRUE(
        spread.setColumnTexts(2, Trk_StringArray{L"1", L"2", L"3", L"4", L"5", L"6"}, true));
    EXPECT_EQ(spread.rowCount(), 4);
    Trk_StringArray read;
    ASSERT_TRUE(spread.getColumnTexts(2, 0, read));
    EXPECT_EQ(read, (Trk_StringArray{L"1", L"2", L"3", L"4"}));
    EXPECT_FALSE(spread.setColumnTexts(4, Trk_StringArray{L"x"}, false));
    EXPECT_FALSE(spread.getColumnTexts(4, 0, read));
    EXPECT_TRUE(read.isEmpty());
}

TEST_F(CellsAndBulkTest, RowTextsStopAtTheLastColumnAndHeadersGoToTheHeaderCells) {
    ASSERT_TRUE(spread.setRowTexts(2, Trk_StringArray{L"x", L"y", L"z", L"beyond"}, false));
    Trk_StringArray read;
    ASSERT_TRUE(spread.getRowTexts(2, read));
    EXPECT_EQ(read, (Trk_StringArray{L"x", L"y", L"z"}));
    EXPECT_FALSE(spread.setRowTexts(5, read, false));
    EXPECT_FALSE(spread.getRowTexts(5, read));

    ASSERT_TRUE(spread.setColumnHeaders(Trk_StringArray{L"A", L"B"}));
    ASSERT_TRUE(spread.getColumnHeaders(read));
    EXPECT_EQ(read, (Trk_StringArray{L"A", L"B", L""}));
    ASSERT_TRUE(spread.setRowHeaders(Trk_StringArray{L"r1", L"r2", L"r3", L"r4", L"r5"}));
    EXPECT_EQ(value(Trk_Spread::HEADER, 4), L"r4");
}

TEST_F(CellsAndBulkTest, NumbersAndFlagsTravelAsTextsBothWays) {
    ASSERT_TRUE(spread.setColumnInts(1, Trk_Array<int>{3, -7}));
    ASSERT_TRUE(spread.setColumnDoubles(2, Trk_Array<double>{1.005, 2.5, -3.25}));
    ASSERT_TRUE(spread.setColumnBools(3, Trk_Array<bool>{true, false, true}));
    set(3, 4, L"yes");

    Trk_Array<int> ints;
    ASSERT_TRUE(spread.getColumnInts(1, ints));
    EXPECT_EQ(ints, (Trk_Array<int>{3, -7, 0, 0}));
    Trk_Array<double> doubles;
    ASSERT_TRUE(spread.getColumnDoubles(2, doubles));
    ASSERT_EQ(doubles.length(), 4);
    EXPECT_DOUBLE_EQ(doubles[1], 2.5);
    EXPECT_DOUBLE_EQ(doubles[2], -3.25);
    Trk_Array<bool> flags;
    ASSERT_TRUE(spread.getColumnBools(3, flags));
    EXPECT_EQ(flags.items(), (std::vector<bool>{true, false, true, false}));

    ASSERT_TRUE(spread.setColumnCounts(1, Trk_Array<int>{-5, 12}));
    EXPECT_EQ(value(1, 1), L"0");
    EXPECT_EQ(value(1, 2), L"12");
}

TEST_F(CellsAndBulkTest, AllRowsClearingAndFlagPairs) {
    ASSERT_TRUE(spread.setRowTexts(1, Trk_StringArray{L"a", L"b", L"c"}, false));
    ASSERT_TRUE(spread.setRowTexts(3, Trk_StringArray{L"d"}, false));
    Trk_Array<Trk_StringArray> rows;
    ASSERT_TRUE(spread.getAllRows(rows));
    ASSERT_EQ(rows.length(), 4);
    EXPECT_EQ(rows[0], (Trk_StringArray{L"a", L"b", L"c"}));
    EXPECT_EQ(rows[2], (Trk_StringArray{L"d", L"", L""}));

    ASSERT_TRUE(spread.clearRows(1, 3));
    ASSERT_TRUE(spread.getAllRows(rows));
    for (const Trk_StringArray& row : rows)
        EXPECT_EQ(row, (Trk_StringArray{L"", L"", L""}));
    EXPECT_FALSE(spread.clearRows(3, 5));
    EXPECT_FALSE(spread.clearRow(0));

    ASSERT_TRUE(
        spread.setFlagPairs(Trk_StringArray{L"first", L"second"}, Trk_Array<bool>{true, false}, 2));
    EXPECT_EQ(value(1, 2), L"1");
    EXPECT_EQ(value(2, 2), L"first");
    EXPECT_EQ(value(3, 2), L"0");
}

TEST_F(CellsAndBulkTest, TheActiveCellFallsBackToTheFirstCellAndBlocksGiveTheirTopLeft) {
    int col = 0;
    int row = 0;
    ASSERT_TRUE(SSSetActiveCell(grid(), 2, 3));
    ASSERT_TRUE(spread.getActiveCell(col, row));
    EXPECT_EQ(col, 2);
    EXPECT_EQ(row, 3);
    EXPECT_EQ(spread.activeRow(), 3);

    ASSERT_TRUE(spread.selectBlock(2, 2, 3, 4));
    EXPECT_EQ(spread.activeRow(), 2);
    EXPECT_EQ(spread.activeCol(), 2);

    ASSERT_TRUE(spread.selectRow(4));
    EXPECT_EQ(spread.activeRow(), 4);
    EXPECT_FALSE(spread.selectRow(5));

    ASSERT_TRUE(SSSetActiveCell(grid(), 3, 4));
    ASSERT_TRUE(spread.setRowCount(2, false));
    ASSERT_TRUE(spread.getActiveCell(col, row)) << "the active cell was dropped";
    EXPECT_EQ(col, 1);
    EXPECT_EQ(row, 1);
    ASSERT_TRUE(spread.setRowCount(0, false));
    EXPECT_FALSE(spread.getActiveCell(col, row)) << "an empty grid has no cell to fall back to";
}

} // namespace
} // namespace spreadtest
