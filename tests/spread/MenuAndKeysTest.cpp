// The grid's context menu, its F3 / F5 / F8 keys and the Tab help for dialogs.
#include "spread/GridKeysTestSupport.h"

#include <set>

namespace {

using keystest::GridKeysTest;

class MenuAndKeysTest : public GridKeysTest {
protected:
    // Right-clicks a cell with the menu item of this text chosen, and runs its command.
    void chooseFromMenu(int col, int row, int textNumber) {
        winx::chooseMenuItem(dialString(textNumber).str());
        ASSERT_TRUE(gridx::userRightClickCell(grid(), col, row));
        winx::pumpMessages();
    }
    void command(UINT id) {
        PostMessage(grid(), WM_COMMAND, id, 0);
        winx::pumpMessages();
    }
};

// ---- Command ids --------------------------------------------------------------------------------

TEST(DynMenuPoolTest, PoolHandsOutItsHundredIdsInOrderEachOnce) {
    const UINT expected[][2] = {{0, 32811},  {1, 32812},  {2, 32816},  {3, 32817},  {4, 32818},
                                {5, 32800},  {9, 32804},  {10, 33100}, {15, 33105}, {16, 33117},
                                {62, 33163}, {63, 33164}, {89, 33190}, {91, 33192}, {99, 33200}};
    for (const auto& [position, id] : expected) {
        EXPECT_EQ(dynMenu::commandId(static_cast<int>(position)), id) << position;
        EXPECT_EQ(dynMenu::poolPosition(id), static_cast<int>(position)) << id;
    }
    std::set<UINT> ids;
    for (int position = 0; position < dynMenu::kPoolSize; ++position) {
        const UINT id = dynMenu::commandId(position);
        EXPECT_NE(id, 0u);
        EXPECT_EQ(dynMenu::poolPosition(id), position);
        ids.insert(id);
    }
    EXPECT_EQ(ids.size(), static_cast<std::size_t>(dynMenu::kPoolSize));
    EXPECT_EQ(dynMenu::commandId(-1), 0u);
    EXPECT_EQ(dynMenu::commandId(dynMenu::kPoolSize), 0u);
    EXPECT_EQ(dynMenu::poolPosition(32805), -1);
    EXPECT_EQ(dynMenu::poolPosition(0), -1);
}

TEST(DynMenuPoolTest, BuilderStopsHandingOutIdsWhenThePoolIsUsedUp) {
    winx::TestSession session;
    dynMenu menu;
    EXPECT_EQ(menu.addItem(L"before begin"), 0u);
    ASSERT_TRUE(menu.begin());
    for (int i = 0; i < dynMenu::kPoolSize; ++i)
        EXPECT_EQ(menu.addItem(L"item"), dynMenu::commandId(i));
    EXPECT_EQ(menu.addItem(L"one too many"), 0u);
    EXPECT_EQ(menu.itemCount(), dynMenu::kPoolSize);
    ASSERT_TRUE(menu.begin());
    EXPECT_EQ(menu.itemCount(), 0);
    EXPECT_EQ(menu.addItem(L"again"), dynMenu::commandId(0));
}

// ---- Context menu -------------------------------------------------------------------------------

TEST_F(MenuAndKeysTest, ContextMenuShowsItsEntriesInOrderWithPoolIds) {
    create(3, 3);
    spread.enableContextMenu({2, 1, 3});
    ASSERT_TRUE(gridx::userRightClickCell(grid(), 2, 2));
    const auto menus = winx::menus();
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0].owner, grid());
    EXPECT_EQ(menus[0].flags, 0u);
    ASSERT_EQ(menus[0].items.size(), 3u);
    EXPECT_EQ(menus[0].items[0].text, dialString(1154).str());
    EXPECT_EQ(menus[0].items[0].id, 32811u);
    EXPECT_TRUE(menus[0].items[1].flags & MF_SEPARATOR);
    EXPECT_EQ(menus[0].items[2].text, dialString(1155).str());
    EXPECT_EQ(menus[0].items[2].id, 32812u);
    EXPECT_EQ(menus[0].chosen, 0u);

    spread.enableContextMenu({4, 5, 6, 7, 8, 9, 0, 12});
    ASSERT_TRUE(gridx::userRightClickCell(grid(), 2, 2));
    const auto all = winx::menus();
    ASSERT_EQ(all.size(), 2u);
    const int texts[] = {774, 775, 1156, 1157, 1400, 1401};
    ASSERT_EQ(all[1].items.size(), 6u) << "unknown codes are left out";
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(all[1].items[i].text, dialString(texts[i]).str());
        EXPECT_EQ(all[1].items[i].id, dynMenu::commandId(static_cast<int>(i)));
    }
}

TEST_F(MenuAndKeysTest, WithoutEntriesTheRightButtonShowsNoMenu) {
    create(3, 3);
    ASSERT_TRUE(gridx::userRightClickCell(grid(), 1, 1));
    EXPECT_EQ(spread.contextMenuBuilder(), nullptr);
    spread.enableContextMenu({});
    ASSERT_TRUE(gridx::userRightClickCell(grid(), 1, 1));
    EXPECT_TRUE(winx::menus().empty());
    EXPECT_NE(spread.contextMenuBuilder(), nullptr);
}

TEST_F(MenuAndKeysTest, RowEntriesInsertAndDeleteAtTheActiveRow) {
    create(3, 4);
    set(1, 2, L"second");
    set(1, 3, L"third");
    spread.enableContextMenu({4, 1, 5});
    ASSERT_TRUE(gridx::userClickCell(grid(), 1, 2));

    chooseFromMenu(3, 3, 774);
    EXPECT_EQ(spread.rowCount(), 5);
    EXPECT_EQ(value(1, 3), L"second") << "the row moved down";
    EXPECT_EQ(spread.captionQuestions, 0) << "a row is inserted without a caption question";
    EXPECT_TRUE(spread.isChanged());

    ASSERT_TRUE(gridx::userClickCell(grid(), 1, 3));
    chooseFromMenu(1, 3, 775);
    EXPECT_EQ(spread.rowCount(), 4);
    EXPECT_EQ(value(1, 3), L"third");
}

TEST_F(MenuAndKeysTest, ColumnEntriesInsertWithACaptionAndDeleteAtTheActiveColumn) {
    create(3, 2);
    set(2, 1, L"b");
    set(3, 1, L"c");
    spread.enableContextMenu({6, 7});
    ASSERT_TRUE(gridx::userClickCell(grid(), 2, 1));

    chooseFromMenu(2, 1, 1156);
    EXPECT_EQ(spread.colCount(), 4);
    EXPECT_EQ(value(3, 1), L"b");
    EXPECT_EQ(spread.captionQuestions, 1);
    EXPECT_FALSE(spread.askedForRow);
    Trk_String caption;
    ASSERT_TRUE(spread.getCellText(2, Trk_Spread::HEADER, 0, caption));
    EXPECT_EQ(caption, spread.captionAnswer);

    ASSERT_TRUE(gridx::userClickCell(grid(), 3, 1));
    chooseFromMenu(3, 1, 1157);
    EXPECT_EQ(spread.colCount(), 3);
    EXPECT_EQ(value(3, 1), L"c");
}

TEST_F(MenuAndKeysTest, CheckEntriesSetEveryCheckBoxOfTheSelection) {
    create(2, 3);
    ASSERT_TRUE(spread.setCheckColumn(1, false, false));
    spread.enableContextMenu({8, 9});
    const std::wstring outside = value(1, 3);
    ASSERT_TRUE(spread.selectBlock(1, 1, 2, 2));
    chooseFromMenu(2, 2, 1400);
    EXPECT_EQ(value(1, 1), L"1");
    EXPECT_EQ(value(1, 2), L"1");
    EXPECT_EQ(value(1, 3), outside) << "outside the selection";
    EXPECT_EQ(value(2, 1), L"") << "no check box";

    ASSERT_TRUE(spread.selectBlock(1, 2, 1, 3));
    chooseFromMenu(1, 2, 1401);
    EXPECT_EQ(value(1, 1), L"1");
    EXPECT_EQ(value(1, 2), L"0");
    EXPECT_EQ(value(1, 3), L"0");
}

TEST_F(MenuAndKeysTest, CopyAndPasteEntriesGoThroughTheClipboard) {
    create(3, 3);
    set(1, 1, L"copied");
    spread.enableContextMenu({2, 1, 3});
    ASSERT_TRUE(gridx::userClickCell(grid(), 1, 1));
    chooseFromMenu(1, 1, 1154);
    ASSERT_TRUE(gridx::userClickCell(grid(), 3, 2));
    chooseFromMenu(3, 2, 1155);
    EXPECT_EQ(value(3, 2), L"copied");
    EXPECT_EQ(value(1, 1), L"copied");
}

TEST_F(MenuAndKeysTest, CommandsMapToEntriesWithoutSeparatorsAndOthersDoNothing) {
    create(2, 3);
    spread.enableContextMenu({1, 4, 1});
    ASSERT_TRUE(gridx::userClickCell(grid(), 1, 1));
    command(dynMenu::commandId(1)); // no second action entry
    command(dynMenu::commandId(10));
    command(32805);
    EXPECT_EQ(spread.rowCount(), 3);
    command(dynMenu::commandId(0));
    EXPECT_EQ(spread.rowCount(), 4);
}

// ---- Keys ---------------------------------------------------------------------------------------

TEST_F(MenuAndKeysTest, F8TogglesOption13AndPassesTheKeyOn) {
    create(2, 2);
    const bool before = option(Trk_Spread::kOptionF8Toggle);
    pressKey(grid(), VK_F8);
    EXPECT_NE(option(Trk_Spread::kOptionF8Toggle), before);
    pressKey(grid(), VK_F8);
    EXPECT_EQ(option(Trk_Spread::kOptionF8Toggle), before);
    EXPECT_EQ(spread.findReplaceDialog(), nullptr);
}

TEST_F(MenuAndKeysTest, F3AndF5OpenTheFindWindowAndThenFindAndReplace) {
    create(3, 2);
    set(2, 1, L"xay");
    set(3, 2, L"bab");
    pressKey(grid(), VK_F5);
    ASSERT_NE(spread.findReplaceDialog(), nullptr);
    EXPECT_EQ(active(), std::make_pair(1, 1)) << "opening searches nothing";
    ASSERT_TRUE(winx::userSetText(findControl(CDlgFindReplace::kFindText), L"A"));
    ASSERT_TRUE(winx::userSetText(findControl(CDlgFindReplace::kReplaceText), L"-"));

    pressKey(grid(), VK_F3);
    EXPECT_EQ(active(), std::make_pair(2, 1));
    EXPECT_EQ(editorSelection(), std::make_pair(1, 2));
    EXPECT_EQ(value(2, 1), L"xay");

    pressKey(grid(), VK_F5);
    EXPECT_EQ(active(), std::make_pair(3, 2));
    EXPECT_EQ(value(3, 2), L"b-b");
    EXPECT_EQ(value(2, 1), L"xay");
}

// ---- Tab help -----------------------------------------------------------------------------------

TEST_F(MenuAndKeysTest, TabReportsLeavingTheLastEditableCellPastLocksAndSpans) {
    create(4, 3);
    ASSERT_TRUE(SSSetLock(grid(), 4, 3, TRUE));
    ASSERT_TRUE(SSAddCellSpan(grid(), 2, 3, 2, 1));
    spread.SetFocus();
    int code = -1;

    ASSERT_TRUE(SSSetActiveCell(grid(), 2, 3));
    ASSERT_TRUE(spread.handleTabKey(VK_TAB, code));
    EXPECT_EQ(code, 2) << "the span's last cell stands for its anchor";
    ASSERT_TRUE(SSSetActiveCell(grid(), 4, 3));
    ASSERT_TRUE(spread.handleTabKey(VK_TAB, code));
    EXPECT_EQ(code, 0) << "a locked cell is not editable";

    ASSERT_TRUE(SSSetLock(grid(), 2, 3, TRUE));
    ASSERT_TRUE(SSSetActiveCell(grid(), 2, 3));
    ASSERT_TRUE(spread.handleTabKey(VK_TAB, code));
    EXPECT_EQ(code, 0) << "a cell inside a span with a locked anchor is not editable";
    ASSERT_TRUE(SSSetActiveCell(grid(), 1, 3));
    ASSERT_TRUE(spread.handleTabKey(VK_TAB, code));
    EXPECT_EQ(code, 2);
}

TEST_F(MenuAndKeysTest, TabOnTheAnchorOfASpanOverTheLastRowsReportsLeavingTheGrid) {
    create(3, 3);
    // (3,3), the last cell, lies in a span of two columns and two rows anchored at (2,2).
    ASSERT_TRUE(SSAddCellSpan(grid(), 2, 2, 2, 2));
    spread.SetFocus();
    int code = -1;
    ASSERT_TRUE(SSSetActiveCell(grid(), 2, 2));
    ASSERT_TRUE(spread.handleTabKey(VK_TAB, code));
    EXPECT_EQ(code, 2) << "the span's last row stands for the anchor's row too";
    ASSERT_TRUE(SSSetActiveCell(grid(), 1, 3));
    ASSERT_TRUE(spread.handleTabKey(VK_TAB, code));
    EXPECT_EQ(code, 0) << "a cell left of the span is not the last editable one";
}

TEST_F(MenuAndKeysTest, ShiftTabReportsLeavingTheFirstEditableCell) {
    create(3, 3);
    ASSERT_TRUE(SSSetLock(grid(), 1, 1, TRUE));
    ASSERT_TRUE(SSSetLock(grid(), 2, 1, TRUE));
    // (3,1) lies in a span whose anchor is locked.
    ASSERT_TRUE(SSAddCellSpan(grid(), 2, 1, 2, 1));
    spread.SetFocus();
    holdShift(grid(), true);
    int code = -1;
    ASSERT_TRUE(SSSetActiveCell(grid(), 1, 2));
    ASSERT_TRUE(spread.handleTabKey(VK_TAB, code));
    EXPECT_EQ(code, 3);
    ASSERT_TRUE(SSSetActiveCell(grid(), 2, 2));
    ASSERT_TRUE(spread.handleTabKey(VK_TAB, code));
    EXPECT_EQ(code, 0);
    holdShift(grid(), false);
    ASSERT_TRUE(SSSetActiveCell(grid(), 1, 2));
    ASSERT_TRUE(spread.handleTabKey(VK_TAB, code));
    EXPECT_EQ(code, 0) << "without Shift the last editable cell counts";
}

TEST_F(MenuAndKeysTest, TabHelpDeclinesOtherKeysUnfocusedOrHiddenGrids) {
    int code = -1;
    EXPECT_FALSE(spread.handleTabKey(VK_TAB, code)) << "not created";
    EXPECT_EQ(code, 1);
    create(2, 2);
    spread.SetFocus();
    code = -1;
    EXPECT_FALSE(spread.handleTabKey(VK_RETURN, code));
    EXPECT_EQ(code, 1);
    host.SetFocus();
    EXPECT_FALSE(spread.handleTabKey(VK_TAB, code));
    EXPECT_EQ(code, 1);
    spread.SetFocus();
    ASSERT_TRUE(spread.hideGrid());
    EXPECT_FALSE(spread.handleTabKey(VK_TAB, code));
    EXPECT_FALSE(spread.focusFirstEditable(true));
}

TEST_F(MenuAndKeysTest, FocusFirstEditableSelectsTheFirstOrLastEditableCell) {
    create(3, 3);
    ASSERT_TRUE(SSSetLock(grid(), 1, 1, TRUE));
    ASSERT_TRUE(SSSetLock(grid(), 3, 3, TRUE));
    host.SetFocus();
    ASSERT_TRUE(spread.focusFirstEditable(true));
    EXPECT_EQ(::GetFocus(), grid());
    EXPECT_EQ(active(), std::make_pair(2, 1));
    ASSERT_TRUE(spread.focusFirstEditable(false));
    EXPECT_EQ(active(), std::make_pair(2, 3));
    ASSERT_TRUE(SSSetLockRange(grid(), 1, 1, 3, 3, TRUE));
    EXPECT_FALSE(spread.focusFirstEditable(true)) << "no editable cell";
}

} // namespace
