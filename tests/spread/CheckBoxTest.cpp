// Check-box cells, the check column that locks its partner column, and checking a selection.
#include "SpreadTestSupport.h"

namespace spreadtest {
namespace {

constexpr int kCheck = 1;
constexpr int kDependent = 3;

class CheckBoxTest : public SpreadTest {
protected:
    void SetUp() override {
        SpreadTest::SetUp();
        create(3, 4);
        ASSERT_TRUE(spread.setCheckColumn(kCheck, true, false));
    }
    bool locked(int row) const { return SSGetLock(grid(), kDependent, row) != FALSE; }
};

TEST_F(CheckBoxTest, CheckColumnsUseTheModulePicturesAndBorders) {
    for (int row = 1; row <= 4; ++row)
        EXPECT_EQ(typeCode(kCheck, row), SS_TYPE_CHECKBOX);
    EXPECT_NE(typeCode(2, 1), SS_TYPE_CHECKBOX);
    WORD type = 0;
    WORD style = 0;
    COLORREF colour = 1;
    ASSERT_TRUE(SSGetBorder(grid(), kCheck, 2, &type, &style, &colour));
    EXPECT_EQ(type, 2);
    EXPECT_EQ(style, 6);
    EXPECT_EQ(colour, 0u);

    ASSERT_TRUE(spread.setCheckColumn(2, false, true));
    SS_COORD anchorCol = 0;
    SS_COORD anchorRow = 0;
    SS_COORD cols = 0;
    SS_COORD rows = 0;
    EXPECT_EQ(SSGetCellSpan(grid(), 2, Trk_Spread::HEADER, &anchorCol, &anchorRow, &cols, &rows),
              SS_SPAN_ANCHOR);
    EXPECT_EQ(cols, 2);
    EXPECT_FALSE(spread.setCheckColumn(4, false, false));
    EXPECT_FALSE(spread.setCheckCell(1, 5, false));
}

TEST_F(CheckBoxTest, LinkingLocksThePartnerCellsOfUncheckedRows) {
    spread.setBool(kCheck, 2, true);
    set(kCheck, 3, L"0");
    ASSERT_TRUE(spread.linkCheckColumn(kCheck, kDependent));
    EXPECT_TRUE(locked(1));
    EXPECT_FALSE(locked(2));
    EXPECT_TRUE(locked(3));
    EXPECT_EQ(spread.linkedCheckColumn(), kCheck);
    EXPECT_EQ(spread.linkedDependentColumn(), kDependent);
}

TEST_F(CheckBoxTest, LinkingAColumnOutsideTheGridLinksNothing) {
    EXPECT_FALSE(spread.linkCheckColumn(kCheck, 4));
    EXPECT_FALSE(spread.linkCheckColumn(4, kDependent));
    EXPECT_FALSE(spread.linkCheckColumn(0, kDependent));
    EXPECT_FALSE(spread.linkCheckColumn(kCheck, Trk_Spread::HEADER));
    EXPECT_EQ(spread.linkedCheckColumn(), -1);
    EXPECT_EQ(spread.linkedDependentColumn(), -1);
    for (int row = 1; row <= 4; ++row)
        EXPECT_FALSE(locked(row));
}

TEST_F(CheckBoxTest, ACheckColumnLinkedToItselfLocksItsUncheckedBoxes) {
    spread.setBool(kCheck, 2, true);
    ASSERT_TRUE(spread.linkCheckColumn(kCheck, kCheck));
    EXPECT_TRUE(SSGetLock(grid(), kCheck, 1));
    EXPECT_FALSE(SSGetLock(grid(), kCheck, 2));
    EXPECT_FALSE(gridx::userToggleCheck(grid(), kCheck, 1)) << "a locked box takes no click";
    ASSERT_TRUE(gridx::userToggleCheck(grid(), kCheck, 2));
    EXPECT_EQ(value(kCheck, 2), L"0");
    EXPECT_TRUE(SSGetLock(grid(), kCheck, 2));
}

TEST_F(CheckBoxTest, AUserToggleUnlocksAndLocksThePartnerAndMovesToIt) {
    ASSERT_TRUE(spread.linkCheckColumn(kCheck, kDependent));
    ASSERT_TRUE(locked(2));
    const int commandsBefore = host.commandCount;

    ASSERT_TRUE(gridx::userToggleCheck(grid(), kCheck, 2));
    EXPECT_EQ(value(kCheck, 2), L"1");
    EXPECT_FALSE(locked(2)) << "the lock follows the new value";
    int col = 0;
    int row = 0;
    ASSERT_TRUE(spread.getActiveCell(col, row));
    EXPECT_EQ(col, kDependent);
    EXPECT_EQ(row, 2);
    EXPECT_TRUE(gridx::userTypeIntoCell(grid(), kDependent, 2, L"now editable"));
    EXPECT_GT(host.commandCount, commandsBefore) << "the dialog still sees the notifications";

    ASSERT_TRUE(gridx::userToggleCheck(grid(), kCheck, 2));
    EXPECT_EQ(value(kCheck, 2), L"0");
    EXPECT_TRUE(locked(2));
    EXPECT_TRUE(locked(3)) << "other rows keep their locks";
}

TEST_F(CheckBoxTest, TogglingAnUnlinkedCheckBoxLeavesLocksAlone) {
    ASSERT_TRUE(gridx::userToggleCheck(grid(), kCheck, 1));
    EXPECT_EQ(value(kCheck, 1), L"1");
    EXPECT_FALSE(locked(1));
    int col = 0;
    int row = 0;
    ASSERT_TRUE(spread.getActiveCell(col, row));
    EXPECT_EQ(col, kCheck);
}

TEST_F(CheckBoxTest, CheckingASelectionSetsItsCheckBoxesOnlyAndKeepsLocksInStep) {
    ASSERT_TRUE(spread.linkCheckColumn(kCheck, kDependent));
    set(2, 2, L"text");
    SSSetBool(grid(), Trk_Spread::kOptionChanged, FALSE);
    ASSERT_TRUE(spread.selectBlock(1, 2, 2, 3));
    ASSERT_TRUE(spread.setChecksInSelection(true));
    EXPECT_EQ(value(kCheck, 1), L"0");
    EXPECT_EQ(value(kCheck, 2), L"1");
    EXPECT_EQ(value(kCheck, 3), L"1");
    EXPECT_EQ(value(kCheck, 4), L"0");
    EXPECT_EQ(value(2, 2), L"text");
    EXPECT_FALSE(locked(2));
    EXPECT_FALSE(locked(3));
    EXPECT_TRUE(spread.isChanged());

    SSSetLock(grid(), kCheck, 3, TRUE);
    const SS_CELLCOORD from{Trk_Spread::HEADER, 1};
    const SS_CELLCOORD to{-1, -1};
    ASSERT_TRUE(SSSetSelectBlock(grid(), &from, &to));
    ASSERT_TRUE(spread.setChecksInSelection(false));
    EXPECT_EQ(value(kCheck, 2), L"0");
    EXPECT_EQ(value(kCheck, 3), L"0") << "locked check boxes are set too";
    EXPECT_TRUE(locked(2));
    EXPECT_TRUE(locked(3));

    SSSetActiveCell(grid(), kCheck, 4);
    ASSERT_TRUE(spread.setChecksInSelection(true));
    EXPECT_EQ(value(kCheck, 4), L"1");
}

} // namespace
} // namespace spreadtest
