// The active cell, selected blocks, the cell editor and the clipboard.
#include "GridTestHost.h"

#include "win/winclip.h"

namespace gridtest {
namespace {

class GridSelection : public GridTest {
protected:
    void SetUp() override { winx::resetClipboard(); }
    void TearDown() override { winx::resetClipboard(); }

    SS_CELLCOORD active() {
        SS_CELLCOORD cell{};
        EXPECT_TRUE(SSGetActiveCell(grid(), &cell.Col, &cell.Row));
        return cell;
    }
    std::pair<int, int> editorSelection() {
        int start = -1;
        int end = -1;
        EXPECT_TRUE(SSGetSel(grid(), &start, &end));
        return {start, end};
    }
};

TEST_F(GridSelection, TheActiveCellStartsAtTheFirstCellAndMovesWhereItIsSent) {
    EXPECT_EQ(active().Col, 1);
    EXPECT_EQ(active().Row, 1);
    ASSERT_TRUE(SSSetActiveCell(grid(), 3, 4));
    EXPECT_EQ(active().Col, 3);
    EXPECT_EQ(active().Row, 4);
    EXPECT_FALSE(SSSetActiveCell(grid(), 0, 4)) << "headers are never active";
    EXPECT_FALSE(SSSetActiveCell(grid(), 3, 501));
    EXPECT_EQ(active().Row, 4);
    EXPECT_TRUE(host.notices.empty()) << "a program's move is not announced";
}

TEST_F(GridSelection, ABlockMakesItsFirstCellActive) {
    SS_CELLCOORD from{};
    SS_CELLCOORD to{};
    EXPECT_FALSE(SSGetSelectBlock(grid(), &from, &to)) << "no block yet";
    const SS_CELLCOORD upperLeft{SS_HEADER, 6};
    const SS_CELLCOORD lowerRight{SSGetMaxCols(grid()), 6};
    ASSERT_TRUE(SSSetSelectBlock(grid(), &upperLeft, &lowerRight));
    ASSERT_TRUE(SSGetSelectBlock(grid(), &from, &to));
    EXPECT_EQ(from.Col, 0);
    EXPECT_EQ(from.Row, 6);
    EXPECT_EQ(to.Col, SSGetMaxCols(grid()));
    EXPECT_EQ(active().Col, 1);
    EXPECT_EQ(active().Row, 6);
    ASSERT_TRUE(SSSetActiveCell(grid(), 2, 2));
    EXPECT_FALSE(SSGetSelectBlock(grid(), &from, &to)) << "moving the active cell ends the block";
    const SS_CELLCOORD outside{1, 9999};
    EXPECT_FALSE(SSSetSelectBlock(grid(), &upperLeft, &outside));
}

TEST_F(GridSelection, TheEditorHoldsTheActiveCellsTextAndItsSelection) {
    set(2, 3, L"steel plate");
    ASSERT_TRUE(SSSetActiveCell(grid(), 2, 3));
    int start = 0;
    int end = 0;
    EXPECT_FALSE(SSGetSel(grid(), &start, &end)) << "no editor outside edit mode";
    ASSERT_TRUE(SSSetEditMode(grid(), TRUE));
    EXPECT_TRUE(SSGetEditMode(grid()));
    EXPECT_EQ(editorSelection(), std::make_pair(11, 11));
    ASSERT_TRUE(SSSetSel(grid(), 6, 11));
    EXPECT_EQ(editorSelection(), std::make_pair(6, 11));
    ASSERT_TRUE(SSSetSel(grid(), 3, 400));
    EXPECT_EQ(editorSelection(), std::make_pair(3, 11));

    set(2, 3, L"steel");
    EXPECT_EQ(editorSelection(), std::make_pair(3, 5)) << "a program's write reaches the editor";
    ASSERT_TRUE(SSSetEditMode(grid(), FALSE));
    EXPECT_FALSE(SSGetEditMode(grid()));
    EXPECT_EQ(value(2, 3), L"steel");
    EXPECT_FALSE(SSGetBool(grid(), SSB_CHANGEMADE)) << "nothing was typed";
}

TEST_F(GridSelection, MovingTheActiveCellInEditModeKeepsEditing) {
    set(1, 5, L"first");
    set(2, 5, L"second");
    ASSERT_TRUE(SSSetActiveCell(grid(), 1, 5));
    ASSERT_TRUE(SSSetEditMode(grid(), TRUE));
    ASSERT_TRUE(SSSetActiveCell(grid(), 2, 5));
    EXPECT_TRUE(SSGetEditMode(grid()));
    ASSERT_TRUE(SSSetSel(grid(), 0, 3));
    EXPECT_EQ(editorSelection(), std::make_pair(0, 3));
}

TEST_F(GridSelection, CopyPutsTheBlockOnTheClipboardAsTabSeparatedLines) {
    set(1, 1, L"a");
    set(2, 1, L"1.5");
    set(1, 2, L"c");
    const SS_CELLCOORD upperLeft{1, 1};
    const SS_CELLCOORD lowerRight{2, 2};
    ASSERT_TRUE(SSSetSelectBlock(grid(), &upperLeft, &lowerRight));
    ASSERT_TRUE(SSClipboardCopy(grid()));
    EXPECT_EQ(winx::clipboardText().value_or(L"?"), L"a\t1.5\r\nc\t\r\n");

    ASSERT_TRUE(SSSetActiveCell(grid(), 2, 1));
    ASSERT_TRUE(SSClipboardCopy(grid()));
    EXPECT_EQ(winx::clipboardText().value_or(L"?"), L"1.5\r\n") << "the active cell alone";
}

TEST_F(GridSelection, PasteWritesLinesAndFieldsFromTheActiveCell) {
    SSSetMaxCols(grid(), 3);
    SSSetLock(grid(), 3, 4, TRUE);
    set(3, 4, L"locked");
    ASSERT_TRUE(winx::setClipboardText(L"x\ty\tdropped\r\n7\tz"));
    ASSERT_TRUE(SSSetActiveCell(grid(), 2, 3));
    ASSERT_TRUE(SSClipboardPaste(grid()));
    EXPECT_EQ(value(2, 3), L"x");
    EXPECT_EQ(value(3, 3), L"y");
    EXPECT_EQ(value(2, 4), L"7");
    EXPECT_EQ(value(3, 4), L"locked") << "locked cells keep their data";
    EXPECT_TRUE(SSGetBool(grid(), SSB_CHANGEMADE));
}

TEST_F(GridSelection, PasteWithoutTextChangesNothing) {
    set(1, 1, L"keep");
    EXPECT_FALSE(SSClipboardPaste(grid()));
    EXPECT_EQ(value(1, 1), L"keep");
    EXPECT_FALSE(SSGetBool(grid(), SSB_CHANGEMADE));
}

} // namespace
} // namespace gridtest
