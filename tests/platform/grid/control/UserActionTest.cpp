// What a user does to cells, and what the grid tells its parent about it.
#include "GridTestHost.h"

#include "grid/gridx_user.h"

namespace gridtest {
namespace {

class GridUser : public GridTest {
protected:
    void makeType(int col, int row, BYTE code) {
        SS_CELLTYPE type{};
        if (code == SS_TYPE_CHECKBOX) {
            SSSetTypeCheckBox(grid(), &type, 0x300, L"", nullptr, 0, nullptr, 0, nullptr, 0,
                              nullptr, 0, nullptr, 0, nullptr, 0);
        } else if (code == SS_TYPE_BUTTON) {
            SSSetTypeButton(grid(), &type, 0, L"Go", nullptr, 0, nullptr, 0, 0, 0, nullptr);
        } else {
            type.Type = code;
        }
        setType(col, row, &type);
    }
};

TEST_F(GridUser, AClickMovesTheActiveCellAndTellsTheParent) {
    ASSERT_TRUE(gridx::userClickCell(grid(), 3, 2));
    ASSERT_EQ(host.messages(), (std::vector<UINT>{SSM_LEAVECELL, SSM_CLICK}));
    const Notice& leave = host.notices[0];
    EXPECT_EQ(leave.wParam, static_cast<WPARAM>(kGridId));
    EXPECT_EQ(leave.leave.ColCurrent, 1);
    EXPECT_EQ(leave.leave.RowCurrent, 1);
    EXPECT_EQ(leave.leave.ColNew, 3);
    EXPECT_EQ(leave.leave.RowNew, 2);
    EXPECT_EQ(host.notices[1].cell.Col, 3);
    EXPECT_EQ(host.notices[1].cell.Row, 2);
    SS_COORD col = 0;
    SS_COORD row = 0;
    ASSERT_TRUE(SSGetActiveCell(grid(), &col, &row));
    EXPECT_EQ(col, 3);
    EXPECT_EQ(row, 2);

    host.notices.clear();
    ASSERT_TRUE(gridx::userClickCell(grid(), 3, 2));
    EXPECT_EQ(host.messages(), (std::vector<UINT>{SSM_CLICK})) << "the cell did not move";
}

TEST_F(GridUser, CellsFarDownAreScrolledIntoViewFirst) {
    ASSERT_TRUE(gridx::userClickCell(grid(), 40, 480));
    ASSERT_FALSE(host.notices.empty());
    EXPECT_EQ(host.notices.back().message, SSM_CLICK);
    EXPECT_EQ(host.notices.back().cell.Col, 40);
    EXPECT_EQ(host.notices.back().cell.Row, 480);
}

TEST_F(GridUser, DoubleAndRightClicksNameTheirCell) {
    ASSERT_TRUE(gridx::userDoubleClickCell(grid(), 2, 5));
    EXPECT_EQ(host.messages().back(), SSM_DBLCLK);
    EXPECT_EQ(host.notices.back().cell.Row, 5);

    host.notices.clear();
    ASSERT_TRUE(gridx::userRightClickCell(grid(), 4, 7));
    ASSERT_EQ(host.messages(), (std::vector<UINT>{SSM_RBUTTON}));
    EXPECT_EQ(host.notices[0].cell.Col, 4);
    SS_COORD col = 0;
    SS_COORD row = 0;
    SSGetActiveCell(grid(), &col, &row);
    EXPECT_EQ(row, 5) << "a right click leaves the active cell";
}

TEST_F(GridUser, TheSendingCellIsKnownDuringANotification) {
    SS_CELLCOORD during{};
    host.onNotice = [&](const Notice& notice) {
        if (notice.message == SSM_CLICK) SSGetCellSendingMsg(grid(), &during.Col, &during.Row);
    };
    ASSERT_TRUE(gridx::userClickCell(grid(), 6, 8));
    EXPECT_EQ(during.Col, 6);
    EXPECT_EQ(during.Row, 8);
    SS_COORD col = 0;
    EXPECT_FALSE(SSGetCellSendingMsg(grid(), &col, nullptr)) << "only while sending";
}

TEST_F(GridUser, TypingBecomesTheCellsDataAndMarksTheGridChanged) {
    ASSERT_TRUE(gridx::userTypeIntoCell(grid(), 2, 2, L"12"));
    EXPECT_EQ(value(2, 2), L"12");
    double number = 0.0;
    EXPECT_TRUE(SSGetFloat(grid(), 2, 2, &number));
    EXPECT_TRUE(SSGetBool(grid(), SSB_CHANGEMADE));
    EXPECT_FALSE(SSGetEditMode(grid()));

    ASSERT_TRUE(gridx::userTypeIntoCell(grid(), 2, 2, L"=A1"));
    EXPECT_EQ(formulaText(2, 2), L"") << "typed text is data";
    EXPECT_EQ(value(2, 2), L"=A1");
}

TEST_F(GridUser, EditCellsConvertCaseAndLimitLength) {
    SS_CELLTYPE edit{};
    SSSetTypeEdit(grid(), &edit, 0, 4, 0, 2);
    setType(1, 3, &edit);
    ASSERT_TRUE(gridx::userTypeIntoCell(grid(), 1, 3, L"abcdef"));
    EXPECT_EQ(value(1, 3), L"ABCD");
}

TEST_F(GridUser, LockedCellsAndCellsWithoutTypingRefuseIt) {
    set(1, 1, L"keep");
    SSSetLock(grid(), 1, 1, TRUE);
    EXPECT_FALSE(gridx::userTypeIntoCell(grid(), 1, 1, L"x"));
    EXPECT_EQ(value(1, 1), L"keep");
    makeType(2, 1, SS_TYPE_STATICTEXT);
    EXPECT_FALSE(gridx::userTypeIntoCell(grid(), 2, 1, L"x"));
    SSSetLock(grid(), 3, 3, TRUE);
    ASSERT_TRUE(SSAddCellSpan(grid(), 3, 3, 2, 1));
    EXPECT_FALSE(gridx::userTypeIntoCell(grid(), 4, 3, L"x")) << "the span's anchor is locked";
    EXPECT_FALSE(SSGetBool(grid(), SSB_CHANGEMADE));
}

TEST_F(GridUser, ACheckBoxFlipsBetweenItsPressedAndReleasedCommands) {
    makeType(2, 3, SS_TYPE_CHECKBOX);
    std::wstring atRelease;
    host.onNotice = [&](const Notice& notice) {
        if (notice.message == WM_COMMAND && notice.commandCode == SSN_BUTTONUP)
            atRelease = value(2, 3);
    };
    ASSERT_TRUE(gridx::userToggleCheck(grid(), 2, 3));
    EXPECT_EQ(host.commandCodes(), (std::vector<WORD>{SSN_BUTTONDOWN, SSN_BUTTONUP}));
    EXPECT_EQ(atRelease, L"1") << "the box has flipped when the release is announced";
    EXPECT_EQ(value(2, 3), L"1");
    EXPECT_TRUE(SSGetBool(grid(), SSB_CHANGEMADE));
    const Notice& command = host.notices[1];
    EXPECT_EQ(LOWORD(command.wParam), kGridId);
    EXPECT_EQ(command.commandFrom, grid());

    ASSERT_TRUE(gridx::userToggleCheck(grid(), 2, 3));
    EXPECT_EQ(value(2, 3), L"0");
    EXPECT_FALSE(gridx::userToggleCheck(grid(), 3, 3)) << "not a check box";
    SSSetLock(grid(), 2, 3, TRUE);
    EXPECT_FALSE(gridx::userToggleCheck(grid(), 2, 3));
    EXPECT_EQ(value(2, 3), L"0");
}

TEST_F(GridUser, AButtonCellSendsItsCommandsAndKeepsItsData) {
    makeType(4, 4, SS_TYPE_BUTTON);
    ASSERT_TRUE(gridx::userPressButtonCell(grid(), 4, 4));
    EXPECT_EQ(host.commandCodes(), (std::vector<WORD>{SSN_BUTTONDOWN, SSN_BUTTONUP}));
    EXPECT_EQ(host.messages().back(), SSM_CLICK);
    EXPECT_EQ(value(4, 4), L"");
    EXPECT_FALSE(gridx::userPressButtonCell(grid(), 4, 5));
}

TEST_F(GridUser, KeysMoveTheActiveCellAndEdit) {
    SetFocus(grid());
    SendMessage(grid(), WM_KEYDOWN, VK_DOWN, 0);
    SendMessage(grid(), WM_KEYDOWN, VK_RIGHT, 0);
    SS_COORD col = 0;
    SS_COORD row = 0;
    SSGetActiveCell(grid(), &col, &row);
    EXPECT_EQ(col, 2);
    EXPECT_EQ(row, 2);
    EXPECT_EQ(host.messages(), (std::vector<UINT>{SSM_LEAVECELL, SSM_LEAVECELL}));

    set(2, 2, L"abc");
    SendMessage(grid(), WM_KEYDOWN, VK_F2, 0);
    SendMessage(grid(), WM_KEYDOWN, VK_BACK, 0);
    SendMessage(grid(), WM_CHAR, L'x', 0);
    SendMessage(grid(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(value(2, 2), L"abx");

    SendMessage(grid(), WM_CHAR, L'q', 0);
    SendMessage(grid(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(value(2, 2), L"abx") << "escape drops what was typed";
}

TEST_F(GridUser, HiddenGridsAndCellsOutsideTakeNoAction) {
    EXPECT_FALSE(gridx::userClickCell(grid(), 0, 1));
    EXPECT_FALSE(gridx::userClickCell(grid(), 1, 501));
    EXPECT_FALSE(gridx::userClickCell(host.parent, 1, 1));
    ShowWindow(grid(), SW_HIDE);
    EXPECT_FALSE(gridx::userClickCell(grid(), 1, 1));
    EXPECT_TRUE(host.notices.empty());
}

TEST_F(GridUser, AParentMayDestroyTheGridWhileItIsNotified) {
    host.onNotice = [&](const Notice& notice) {
        if (notice.message == SSM_LEAVECELL) DestroyWindow(grid());
    };
    EXPECT_TRUE(gridx::userClickCell(grid(), 2, 2));
    EXPECT_FALSE(IsWindow(grid()));
    EXPECT_EQ(host.messages(), (std::vector<UINT>{SSM_LEAVECELL}));
    EXPECT_EQ(SSGetMaxRows(grid()), -1);
}

} // namespace
} // namespace gridtest
