// Inserting, appending, deleting, moving and merging rows and columns.
#include "SpreadTestSupport.h"

namespace spreadtest {
namespace {

class RowsTest : public SpreadTest {
protected:
    void SetUp() override {
        SpreadTest::SetUp();
        create(2, 3);
        for (int row = 1; row <= 3; ++row)
            set(1, row, Trk_String::formatted(L"r%d", row).c_str());
    }
    void clearChanged() { SSSetBool(grid(), Trk_Spread::kOptionChanged, FALSE); }
    WORD spanAt(int col, int row, SS_COORD& numRows) const {
        SS_COORD anchorCol = 0;
        SS_COORD anchorRow = 0;
        SS_COORD numCols = 0;
        return SSGetCellSpan(grid(), col, row, &anchorCol, &anchorRow, &numCols, &numRows);
    }
};

TEST_F(RowsTest, InsertingARowPushesTheOthersDownAndAsksForItsCaption) {
    ASSERT_TRUE(spread.setCheckCell(2, 2, false));
    clearChanged();
    winx::queueScript(winx::DialogScript().forTemplate(8069).click(IDOK)); // the caption prompt
    ASSERT_TRUE(spread.insertRow(2, true, true));
    EXPECT_EQ(spread.rowCount(), 4);
    EXPECT_EQ(value(1, 1), L"r1");
    EXPECT_EQ(value(1, 2), L"r2") << "the new row is a copy of the row after it";
    EXPECT_EQ(value(1, 3), L"r2");
    EXPECT_EQ(value(1, 4), L"r3");
    EXPECT_EQ(typeCode(2, 2), SS_TYPE_CHECKBOX) << "format copied from the row after it";
    EXPECT_EQ(value(Trk_Spread::HEADER, 2), dialString(171).str());
    EXPECT_TRUE(bold(Trk_Spread::HEADER, 2));
    EXPECT_TRUE(spread.isChanged());

    ASSERT_TRUE(spread.insertRow(5, false, true)) << "one past the last row appends";
    EXPECT_EQ(spread.rowCount(), 5);
    EXPECT_EQ(value(Trk_Spread::HEADER, 5), L"");
    EXPECT_FALSE(spread.insertRow(7, false, false));
    EXPECT_FALSE(spread.insertRow(0, false, false));
    EXPECT_EQ(spread.rowCount(), 5);
}

// A grid whose caption question is answered by the test, as a prompt dialog would.
class PromptedSpread : public Trk_Spread {
public:
    bool answer = true;
    int questions = 0;

protected:
    bool askCaption(bool forRow, Trk_String& caption) override {
        ++questions;
        caption = forRow ? L"row caption" : L"column caption";
        return answer;
    }
};

TEST_F(RowsTest, TheCaptionQuestionCanBeAnsweredOrDeclined) {
    HostWindow otherHost;
    ASSERT_TRUE(otherHost.create());
    PromptedSpread prompted;
    ASSERT_TRUE(prompted.createInDialog(&otherHost, kPlaceholderId, true));
    ASSERT_TRUE(prompted.setColCount(2, false));
    ASSERT_TRUE(prompted.setRowCount(2, false));
    const HWND other = prompted.GetSafeHwnd();
    Trk_String caption;

    ASSERT_TRUE(prompted.insertRow(1, true, false));
    ASSERT_TRUE(prompted.getCellText(Trk_Spread::HEADER, 1, 0, caption));
    EXPECT_EQ(caption, L"row caption");
    prompted.answer = false;
    ASSERT_TRUE(prompted.insertCol(1, true, false));
    ASSERT_TRUE(prompted.getCellText(1, Trk_Spread::HEADER, 0, caption));
    EXPECT_TRUE(caption.isEmpty()) << "a declined question leaves the caption empty";
    ASSERT_TRUE(prompted.insertRow(1, false, false));
    EXPECT_EQ(prompted.questions, 2);
    EXPECT_EQ(SSGetMaxRows(other), 4);
}

TEST_F(RowsTest, InsertingAColumnWorksTheSameWay) {
    set(2, 1, L"second");
    winx::queueScript(winx::DialogScript().forTemplate(8069).click(IDOK)); // the caption prompt
    ASSERT_TRUE(spread.insertCol(1, true, false));
    EXPECT_EQ(spread.colCount(), 3);
    EXPECT_EQ(value(2, 1), L"r1");
    EXPECT_EQ(value(3, 1), L"second");
    EXPECT_EQ(value(1, Trk_Spread::HEADER), dialString(171).str());
    EXPECT_FALSE(spread.insertCol(5, false, false));
}

TEST_F(RowsTest, AppendingGivesTheNextRowNumberAndWithFormatCopyRepeatsThePreviousRow) {
    ASSERT_TRUE(spread.setCheckCell(2, 3, false));
    SSSetData(grid(), 2, 3, L"1");
    clearChanged();
    EXPECT_EQ(spread.appendRow(true), 4);
    EXPECT_EQ(typeCode(2, 4), SS_TYPE_CHECKBOX);
    EXPECT_EQ(value(2, 4), L"1");
    EXPECT_EQ(value(1, 4), L"r3");
    EXPECT_TRUE(spread.isChanged());

    clearChanged();
    EXPECT_EQ(spread.appendRow(false), 5);
    EXPECT_NE(typeCode(2, 5), SS_TYPE_CHECKBOX);
    EXPECT_EQ(value(1, 5), L"");
    EXPECT_TRUE(spread.isChanged());
}

TEST_F(RowsTest, DeletingRemovesOneRowOrColumnInsideTheGridOnly) {
    clearChanged();
    EXPECT_FALSE(spread.deleteRow(0));
    EXPECT_FALSE(spread.deleteRow(4));
    EXPECT_FALSE(spread.isChanged());
    ASSERT_TRUE(spread.deleteRow(2));
    EXPECT_EQ(spread.rowCount(), 2);
    EXPECT_EQ(value(1, 2), L"r3");
    EXPECT_TRUE(spread.isChanged());

    SSSetActiveCell(grid(), 1, 1);
    ASSERT_TRUE(spread.deleteActiveRow());
    EXPECT_EQ(value(1, 1), L"r3");

    ASSERT_TRUE(spread.deleteCol(1));
    EXPECT_EQ(spread.colCount(), 1);
    EXPECT_FALSE(spread.deleteCol(2));
}

TEST_F(RowsTest, MovingTheActiveRowSwapsItWithItsNeighbourWithinTheGrid) {
    SSSetActiveCell(grid(), 2, 2);
    clearChanged();
    ASSERT_TRUE(spread.moveActiveRowUp());
    EXPECT_EQ(value(1, 1), L"r2");
    EXPECT_EQ(value(1, 2), L"r1");
    EXPECT_EQ(spread.activeRow(), 1);
    EXPECT_EQ(spread.activeCol(), 2);
    EXPECT_TRUE(spread.isChanged());
    EXPECT_FALSE(spread.moveActiveRowUp()) << "nothing above the first row";

    SSSetActiveCell(grid(), 1, 3);
    EXPECT_FALSE(spread.moveActiveRowDown()) << "nothing below the last row";
    SSSetActiveCell(grid(), 1, 2);
    ASSERT_TRUE(spread.moveActiveRowDown());
    EXPECT_EQ(value(1, 3), L"r1");
    EXPECT_EQ(spread.activeRow(), 3);
}

TEST_F(RowsTest, InsertingAfterTheActiveRow) {
    SSSetActiveCell(grid(), 1, 1);
    ASSERT_TRUE(spread.insertRowAfterActive(false));
    EXPECT_EQ(value(1, 2), L"");
    EXPECT_EQ(value(1, 3), L"r2");
}

TEST_F(RowsTest, EqualRunsAreSpannedAndEmptyCellsStaySeparate) {
    ASSERT_TRUE(spread.setRowCount(7, false));
    const wchar_t* texts[] = {L"A", L"a", L"", L"", L"B", L"B", L"C"};
    for (int row = 1; row <= 7; ++row)
        set(2, row, texts[row - 1]);

    ASSERT_TRUE(spread.mergeEqualRuns(2));
    SS_COORD rows = 0;
    EXPECT_EQ(spanAt(2, 1, rows), SS_SPAN_ANCHOR);
    EXPECT_EQ(rows, 2) << "equality ignores letter case";
    EXPECT_EQ(spanAt(2, 3, rows), SS_SPAN_NO);
    EXPECT_EQ(spanAt(2, 4, rows), SS_SPAN_NO);
    EXPECT_EQ(spanAt(2, 5, rows), SS_SPAN_ANCHOR);
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(spanAt(2, 7, rows), SS_SPAN_NO);

    set(2, 7, L"B");
    ASSERT_TRUE(spread.mergeEqualRuns(2));
    EXPECT_EQ(spanAt(2, 5, rows), SS_SPAN_ANCHOR);
    EXPECT_EQ(rows, 3) << "a run still open after the last row is spanned";

    EXPECT_FALSE(spread.mergeEqualRuns(3));
    EXPECT_FALSE(spread.mergeEqualRuns(-1));
}

TEST_F(RowsTest, UnspanningRemovesSpansAnchoredInAColumnOrEverywhere) {
    ASSERT_TRUE(SSAddCellSpan(grid(), 1, 1, 1, 2));
    ASSERT_TRUE(SSAddCellSpan(grid(), 2, 2, 1, 2));
    SS_COORD rows = 0;
    ASSERT_TRUE(spread.unspanColumn(1));
    EXPECT_EQ(spanAt(1, 1, rows), SS_SPAN_NO);
    EXPECT_EQ(spanAt(2, 2, rows), SS_SPAN_ANCHOR);
    ASSERT_TRUE(SSAddCellSpan(grid(), 1, 1, 2, 1));
    ASSERT_TRUE(spread.unspanAll());
    EXPECT_EQ(spanAt(1, 1, rows), SS_SPAN_NO);
    EXPECT_EQ(spanAt(2, 2, rows), SS_SPAN_NO);
}

TEST_F(RowsTest, ALockedColumnTakesNoTyping) {
    ASSERT_TRUE(spread.setColumnLocked(1));
    for (int row = 1; row <= 3; ++row)
        EXPECT_TRUE(SSGetLock(grid(), 1, row));
    EXPECT_FALSE(SSGetLock(grid(), 2, 1));
    EXPECT_FALSE(gridx::userTypeIntoCell(grid(), 1, 2, L"typed"));
    EXPECT_EQ(value(1, 2), L"r2");
    EXPECT_FALSE(spread.setColumnLocked(3));
}

} // namespace
} // namespace spreadtest
