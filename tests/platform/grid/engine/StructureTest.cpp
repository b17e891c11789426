// Structural changes: references follow inserted and deleted rows and columns, deleted targets
// become #REF!, blocks are copied, swapped and cleared, and the sheet's size changes.
#include "SheetTestSupport.h"

#include <algorithm>
#include <vector>

namespace gridx::testing {
namespace {

using StructureTest = SheetTest;

TEST_F(StructureTest, InsertedRowsMoveCellsAndTheReferencesToThem) {
    set(L"A1", L"1");
    set(L"A5", L"5");
    set(L"B1", L"=A5*2");
    set(L"B6", L"=A1+A5");
    set(L"C1", L"=SUM(A1:A5)");
    set(L"C2", L"=SUM($A$1:$A$3)");
    sheet.insertRows(3, 2);
    EXPECT_EQ(text(L"A7"), L"5");
    EXPECT_TRUE(value(L"A5").isEmpty());
    EXPECT_EQ(formula(L"B1"), L"A7*2");
    EXPECT_EQ(formula(L"B8"), L"A1+A7");
    EXPECT_EQ(text(L"B8"), L"6");
    EXPECT_EQ(formula(L"C1"), L"SUM(A1:A7)"); // an insertion inside a range widens it
    EXPECT_EQ(formula(L"C2"), L"SUM($A$1:$A$5)");
    set(L"A3", L"10");
    EXPECT_EQ(text(L"C1"), L"16");
    sheet.insertRows(1, 1); // at a range's first row the whole range moves
    EXPECT_EQ(formula(L"C2"), L"SUM(A2:A8)");
    EXPECT_EQ(formula(L"C3"), L"SUM($A$2:$A$6)");
}

TEST_F(StructureTest, DeletedRowsTurnTheirReferencesIntoRefErrors) {
    set(L"A1", L"1");
    set(L"A2", L"2");
    set(L"A3", L"3");
    set(L"A4", L"4");
    set(L"B1", L"=A2+A4");
    set(L"B2", L"=SUM(A1:A4)");
    set(L"B5", L"=SUM(A2:A3)");
    set(L"B6", L"=A$4*2");
    sheet.deleteRows(2, 2);
    EXPECT_EQ(formula(L"B1"), L"#REF!+A2");
    EXPECT_EQ(text(L"B1"), L"#REF!");
    EXPECT_FALSE(sheet.hasFormula(2, 2));     // B2 and B3 went with their rows
    EXPECT_EQ(formula(L"B3"), L"SUM(#REF!)"); // the former B5: its whole range was deleted
    EXPECT_EQ(text(L"B3"), L"#REF!");
    EXPECT_EQ(formula(L"B4"), L"A$2*2");
    EXPECT_EQ(text(L"B4"), L"8");
    set(L"C1", L"=SUM(A1:A2)");
    sheet.deleteRows(2, 1); // a partly deleted range shrinks
    EXPECT_EQ(formula(L"C1"), L"SUM(A1:A1)");
    EXPECT_EQ(text(L"C1"), L"1");
}

TEST_F(StructureTest, ColumnsMoveLikeRows) {
    set(L"A1", L"1");
    set(L"C1", L"3");
    set(L"D1", L"=A1+C1");
    set(L"E1", L"=SUM(A1:C1)");
    sheet.insertCols(2, 1);
    EXPECT_EQ(formula(L"E1"), L"A1+D1");
    EXPECT_EQ(formula(L"F1"), L"SUM(A1:D1)");
    EXPECT_EQ(text(L"E1"), L"4");
    sheet.deleteCols(1, 1);
    EXPECT_EQ(formula(L"D1"), L"#REF!+C1");
    EXPECT_EQ(formula(L"E1"), L"SUM(A1:C1)");
    EXPECT_EQ(text(L"E1"), L"3");
    EXPECT_EQ(formula(L"D1", RefStyle::R1C1), L"#REF!+RC[-1]");
}

TEST_F(StructureTest, CellsPushedBeyondTheSizeAreDropped) {
    sheet.setMaxRows(10);
    set(L"A9", L"9");
    set(L"A10", L"10");
    set(L"B1", L"=A10");
    sheet.insertRows(5, 1);
    EXPECT_EQ(text(L"A10"), L"9");
    EXPECT_EQ(sheet.cellCount(), 2u);
    EXPECT_EQ(formula(L"B1"), L"A11");
    EXPECT_EQ(text(L"B1"), L"0");
    sheet.setMaxCols(3);
    set(L"C1", L"c");
    sheet.insertCols(1, 1);
    EXPECT_EQ(sheet.cellCount(), 2u);
    EXPECT_EQ(text(L"C10"), L"");
    EXPECT_EQ(text(L"B10"), L"9");
}

TEST_F(StructureTest, OnlyFormulasWhoseInputsChangedAreRecomputed) {
    std::vector<std::wstring> log;
    sheet.addCustomFunction(L"TRACE", 2, 2, 0, [&](std::span<const CustomArg> args) {
        log.push_back(toText(args[0].value));
        return args[1].value;
    });
    sheet.setMaxRows(20);
    set(L"A1", L"1");
    set(L"A2", L"2");
    set(L"A20", L"7");
    set(L"B1", L"=TRACE(\"same\",A1*2)");
    set(L"B2", L"=TRACE(\"grows\",SUM(A1:A10))");
    set(L"B10", L"=TRACE(\"moves\",A10+0)");
    set(L"B18", L"=TRACE(\"pushed\",A20+0)");
    EXPECT_EQ(text(L"B18"), L"7");
    log.clear();
    sheet.insertRows(5, 1);
    std::sort(log.begin(), log.end());
    EXPECT_EQ(log, (std::vector<std::wstring>{L"grows", L"pushed"}));
    EXPECT_EQ(formula(L"B19"), L"TRACE(\"pushed\",A21+0)");
    EXPECT_EQ(text(L"B19"), L"0");
    EXPECT_EQ(text(L"B11"), L"0");
    EXPECT_EQ(text(L"B2"), L"3");
    log.clear();
    sheet.deleteRows(3, 1);
    std::sort(log.begin(), log.end());
    EXPECT_EQ(log, (std::vector<std::wstring>{L"grows"}));
}

TEST_F(StructureTest, HeaderCellsMoveWithTheirRowsAndColumns) {
    sheet.setConstant(0, 3, Value::text(L"row 3"));
    sheet.setConstant(2, kHeader, Value::text(L"col B"));
    sheet.insertRows(2, 1);
    sheet.insertCols(1, 2);
    EXPECT_EQ(toText(sheet.value(0, 4)), L"row 3");
    EXPECT_EQ(toText(sheet.value(4, 0)), L"col B");
    EXPECT_EQ(toText(sheet.value(4, kHeader)), L"col B");
}

// --- blocks

TEST_F(StructureTest, CopiedFormulasShiftTheirRelativeReferences) {
    set(L"A1", L"1");
    set(L"A2", L"2");
    set(L"B1", L"=A1*10+$A$1");
    sheet.copyRange(RangeRef{2, 1, 2, 1}, 2, 2);
    EXPECT_EQ(formula(L"B2"), L"A2*10+$A$1");
    EXPECT_EQ(text(L"B2"), L"21");
    sheet.copyRange(RangeRef{2, 1, 2, 1}, 1, 1); // off the sheet to the left
    EXPECT_EQ(formula(L"A1"), L"#REF!*10+$A$1");
    EXPECT_EQ(text(L"A1"), L"#CIRC!");
    sheet.copyRange(RangeRef{1, 1, 1, 1}, 3, 1); // #REF! stays when copied back on the sheet
    EXPECT_EQ(formula(L"C1"), L"#REF!*10+$A$1");
}

TEST_F(StructureTest, CopyingCarriesConstantsEmptyCellsAndOverlapsAsThroughABuffer) {
    set(L"A1", L"1");
    set(L"A2", L"=A1+1");
    set(L"A3", L"=A2+1");
    set(L"B2", L"x");
    sheet.copyRange(RangeRef{1, 1, 1, 3}, 1, 2);
    EXPECT_EQ(text(L"A2"), L"1");
    EXPECT_EQ(formula(L"A3"), L"A2+1");
    EXPECT_EQ(formula(L"A4"), L"A3+1");
    EXPECT_EQ(text(L"A4"), L"3");
    sheet.copyRange(RangeRef{3, 1, 3, 2}, 2, 1); // empty source cells empty the target
    EXPECT_TRUE(value(L"B2").isEmpty());
    EXPECT_EQ(sheet.cellCount(), 4u);
}

TEST_F(StructureTest, SwappedBlocksExchangeContents) {
    set(L"A1", L"1");
    set(L"A2", L"=A1*2");
    set(L"C1", L"c");
    set(L"D1", L"=A2+1");
    sheet.swapRanges(RangeRef{1, 1, 1, 2}, 3, 1);
    EXPECT_EQ(text(L"A1"), L"c");
    EXPECT_TRUE(value(L"A2").isEmpty());
    EXPECT_EQ(text(L"C1"), L"1");
    EXPECT_EQ(formula(L"C2"), L"C1*2");
    EXPECT_EQ(text(L"C2"), L"2");
    EXPECT_EQ(text(L"D1"), L"1"); // its reference stayed on A2, which is empty now
}

TEST_F(StructureTest, ClearingBlocksAndSizesUpdatesReaders) {
    set(L"A1", L"1");
    set(L"A2", L"2");
    set(L"B1", L"=SUM(A1:A2)");
    sheet.clearRange(RangeRef{1, 2, 1, 2});
    EXPECT_EQ(text(L"B1"), L"1");
    set(L"A9", L"5");
    set(L"B2", L"=A9");
    sheet.setMaxRows(8);
    EXPECT_EQ(text(L"B2"), L"0");
    EXPECT_EQ(sheet.maxRows(), 8);
    sheet.setMaxRows(20);
    EXPECT_TRUE(value(L"A9").isEmpty());
    sheet.setMaxCols(1);
    EXPECT_EQ(sheet.cellCount(), 1u);
    EXPECT_EQ(text(L"A1"), L"1");
}

TEST_F(StructureTest, ClearAllKeepsSizeAndModeButForgetsCustomFunctions) {
    sheet.setMaxRows(40);
    sheet.setAutoRecalc(false);
    sheet.addCustomFunction(L"F", 0, 0, 0,
                            [](std::span<const CustomArg>) { return Value::number(1); });
    set(L"A1", L"=F()");
    set(L"A2", L"3");
    sheet.clearAll();
    EXPECT_EQ(sheet.cellCount(), 0u);
    EXPECT_EQ(sheet.maxRows(), 40);
    EXPECT_FALSE(sheet.autoRecalc());
    EXPECT_EQ(set(L"A1", L"=F()", RefStyle::A1, true), FormulaStatus::UnknownFunction);
}

// --- bad input

TEST_F(StructureTest, OutOfRangeArgumentsChangeNothing) {
    set(L"A1", L"1");
    set(L"B1", L"=A1");
    sheet.insertRows(0, 3);
    sheet.insertRows(1, -2);
    sheet.deleteRows(501, 1);
    sheet.deleteCols(-5, 2);
    sheet.insertCols(1, 0);
    sheet.copyRange(RangeRef{1, 1, 1, 1}, -4, 9);
    sheet.swapRanges(RangeRef{1, 1, 1, 1}, 900, 1);
    sheet.clearRange(RangeRef{600, 600, 700, 700});
    EXPECT_FALSE(sheet.setConstant(501, 1, Value::number(1)));
    EXPECT_FALSE(sheet.setConstant(1, -1, Value::number(1)));
    EXPECT_FALSE(sheet.clearCell(1, 501));
    EXPECT_TRUE(sheet.value(-7, 3).isEmpty());
    EXPECT_EQ(sheet.formulaText(9999999, 1, RefStyle::A1), L"");
    sheet.recalcCell(-1, -1);
    EXPECT_EQ(sheet.cellCount(), 2u);
    EXPECT_EQ(formula(L"B1"), L"A1");
    sheet.deleteRows(1, 1000);
    EXPECT_EQ(sheet.cellCount(), 0u);
    sheet.setMaxRows(-5);
    EXPECT_EQ(sheet.maxRows(), 0);
    sheet.setMaxCols(1 << 30);
    EXPECT_EQ(sheet.maxCols(), 18278);
}

} // namespace
} // namespace gridx::testing
