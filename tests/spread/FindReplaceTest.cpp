// The find and replace window of a grid and the grid's find, replace and replace-all.
#include "spread/GridKeysTestSupport.h"

#include "trk/DlgSize.h"

#include <memory>

namespace {

using keystest::GridKeysTest;

constexpr short kOptionFindOff = 20;

class FindReplaceTest : public GridKeysTest {
protected:
    // A 3 x 3 sheet with "b" in three cells of different case and position.
    void fillSheet() {
        create(3, 3);
        set(1, 1, L"alpha");
        set(3, 1, L"Beta");
        set(2, 2, L"abc");
        set(1, 3, L"gamma");
        set(3, 3, L"bob");
    }
    Trk_String wrapQuestion() const { return dialString(1142) + L"\n" + dialString(1143) + L"\n"; }
    std::wstring dialogText(int id) const {
        wchar_t text[128] = {};
        GetWindowText(id == 0 ? spread.findReplaceDialog()->GetSafeHwnd() : findControl(id), text,
                      128);
        return text;
    }
    void clickInDialog(int id) {
        ASSERT_TRUE(winx::userClick(findControl(id)));
        winx::pumpMessages();
    }
    // Every value text of the sheet, row by row.
    std::vector<std::wstring> sheet() const {
        std::vector<std::wstring> texts;
        for (int row = 1; row <= spread.rowCount(); ++row)
            for (int col = 1; col <= spread.colCount(); ++col)
                texts.push_back(value(col, row));
        return texts;
    }
};

// ---- The window ---------------------------------------------------------------------------------

TEST_F(FindReplaceTest, OpeningSetsTextsAndOptionsAndClosingGivesOption13Back) {
    create(2, 2);
    SSSetBool(grid(), kOptionFindOff, TRUE);
    ASSERT_FALSE(option(Trk_Spread::kOptionF8Toggle));
    pressKey(grid(), VK_F3);
    CDlgFindReplace* dialog = spread.findReplaceDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialogText(0), dialString(1136).str());
    EXPECT_EQ(dialogText(CDlgFindReplace::kFindLabel), dialString(1137).str());
    EXPECT_EQ(dialogText(CDlgFindReplace::kReplaceLabel), dialString(1138).str());
    EXPECT_EQ(dialogText(IDOK), dialString(1139).str());
    EXPECT_EQ(dialogText(CDlgFindReplace::kReplaceButton), dialString(1140).str());
    EXPECT_EQ(dialogText(CDlgFindReplace::kReplaceAllButton), dialString(1141).str());
    EXPECT_EQ(dialogText(IDCANCEL), dialString(285).str());
    EXPECT_TRUE(dialog->GetExStyle() & WS_EX_TOPMOST);
    EXPECT_TRUE(option(Trk_Spread::kOptionF8Toggle));
    EXPECT_FALSE(option(kOptionFindOff));

    clickInDialog(IDCANCEL);
    EXPECT_EQ(spread.findReplaceDialog(), nullptr);
    EXPECT_FALSE(option(Trk_Spread::kOptionF8Toggle)) << "it was off before";

    SSSetBool(grid(), Trk_Spread::kOptionF8Toggle, TRUE);
    pressKey(grid(), VK_F5);
    ASSERT_NE(spread.findReplaceDialog(), nullptr);
    clickInDialog(IDCANCEL);
    EXPECT_TRUE(option(Trk_Spread::kOptionF8Toggle)) << "it was on before";
}

TEST_F(FindReplaceTest, TheWindowRemembersItsSize) {
    create(2, 2);
    pressKey(grid(), VK_F3);
    ASSERT_NE(spread.findReplaceDialog(), nullptr);
    RECT rect{};
    spread.findReplaceDialog()->GetWindowRect(&rect);
    const int width = rect.right - rect.left + 37;
    const int height = rect.bottom - rect.top + 23;
    spread.findReplaceDialog()->MoveWindow(rect.left, rect.top, width, height);
    clickInDialog(IDCANCEL);
    SIZE stored{};
    ASSERT_TRUE(GetDlgSize(L"DLG_FINDREPLACE", stored));
    EXPECT_EQ(stored.cx, width);
    EXPECT_EQ(stored.cy, height);

    pressKey(grid(), VK_F3);
    ASSERT_NE(spread.findReplaceDialog(), nullptr);
    spread.findReplaceDialog()->GetWindowRect(&rect);
    EXPECT_EQ(rect.right - rect.left, width);
    EXPECT_EQ(rect.bottom - rect.top, height);
}

TEST_F(FindReplaceTest, DestroyingTheGridClosesItsWindowAndGivesOption13Back) {
    spreadtest::HostWindow otherHost;
    ASSERT_TRUE(otherHost.create());
    auto other = std::make_unique<keystest::CaptionSpread>();
    ASSERT_TRUE(other->createInDialog(&otherHost, spreadtest::kPlaceholderId, true));
    const HWND otherGrid = other->GetSafeHwnd();
    SSSetBool(otherGrid, Trk_Spread::kOptionF8Toggle, FALSE);
    pressKey(otherGrid, VK_F3);
    ASSERT_NE(other->findReplaceDialog(), nullptr);
    const HWND window = other->findReplaceDialog()->GetSafeHwnd();
    ASSERT_TRUE(SSGetBool(otherGrid, Trk_Spread::kOptionF8Toggle));
    other.reset();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(IsWindow(otherGrid));
    SIZE stored{};
    EXPECT_TRUE(GetDlgSize(L"DLG_FINDREPLACE", stored)) << "its size was stored on closing";
}

// ---- Find next ----------------------------------------------------------------------------------

TEST_F(FindReplaceTest, FindNextWalksTheMatchesAndSelectsTheirText) {
    fillSheet();
    openFind(L"B");
    ASSERT_TRUE(spread.findNext(true));
    EXPECT_EQ(active(), std::make_pair(3, 1)) << "the search starts after the active cell";
    EXPECT_TRUE(SSGetEditMode(grid()));
    EXPECT_EQ(editorSelection(), std::make_pair(0, 1));
    EXPECT_EQ(::GetFocus(), grid());

    clickInDialog(IDOK);
    EXPECT_EQ(active(), std::make_pair(2, 2));
    EXPECT_EQ(editorSelection(), std::make_pair(1, 2));

    pressKey(findControl(CDlgFindReplace::kFindText), VK_F3);
    EXPECT_EQ(active(), std::make_pair(3, 3));
    EXPECT_EQ(editorSelection(), std::make_pair(0, 1));
    ASSERT_TRUE(spread.findNext(true));
    EXPECT_EQ(active(), std::make_pair(3, 3)) << "the next occurrence in the edited cell";
    EXPECT_EQ(editorSelection(), std::make_pair(2, 3));
    EXPECT_TRUE(winx::messageBoxes().empty());
    EXPECT_EQ(sheet()[2], L"Beta") << "finding changes nothing";
}

TEST_F(FindReplaceTest, WrapAnsweredNoAtTheLastMatchKeepsTheSelection) {
    fillSheet();
    openFind(L"bob");
    ASSERT_TRUE(spread.findNext(true));
    ASSERT_EQ(active(), std::make_pair(3, 3));
    const auto selection = editorSelection();

    winx::answerMessageBox(IDNO);
    EXPECT_FALSE(spread.findNext(true));
    EXPECT_EQ(active(), std::make_pair(3, 3));
    EXPECT_EQ(editorSelection(), selection);
    const auto boxes = winx::messageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, wrapQuestion().str());
    EXPECT_EQ(boxes[0].caption, dialString(1144).str());
    EXPECT_EQ(boxes[0].flags & 0xF, static_cast<UINT>(MB_YESNO));

    EXPECT_FALSE(spread.findNext(false)) << "without the question";
    EXPECT_EQ(winx::messageBoxes().size(), 1u);
}

TEST_F(FindReplaceTest, WrapAnsweredYesSearchesAgainFromTheFirstCell) {
    fillSheet();
    openFind(L"a");
    ASSERT_TRUE(SSSetActiveCell(grid(), 3, 3));
    winx::answerMessageBox(IDYES);
    ASSERT_TRUE(spread.findNext(true));
    EXPECT_EQ(active(), std::make_pair(1, 1));
    EXPECT_EQ(editorSelection(), std::make_pair(0, 1));
    EXPECT_EQ(winx::messageBoxes().size(), 1u);
}

TEST_F(FindReplaceTest, TextFoundNowhereIsReportedAfterTheWrap) {
    fillSheet();
    openFind(L"zeta");
    winx::answerMessageBox(IDYES);
    EXPECT_FALSE(spread.findNext(true));
    const auto boxes = winx::messageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, dialString(1145).str());
    EXPECT_EQ(boxes[1].caption, dialString(1146).str());
    EXPECT_EQ(boxes[1].flags & 0xF, static_cast<UINT>(MB_OK));
    EXPECT_EQ(active(), std::make_pair(1, 1));
    EXPECT_FALSE(SSGetEditMode(grid()));
}

// ---- Replace ------------------------------------------------------------------------------------

TEST_F(FindReplaceTest, ReplaceChangesTheNextMatchOnly) {
    fillSheet();
    openFind(L"b", L"XYZ");
    clickInDialog(CDlgFindReplace::kReplaceButton);
    EXPECT_EQ(value(3, 1), L"XYZeta");
    EXPECT_EQ(value(2, 2), L"abc");
    EXPECT_EQ(value(3, 3), L"bob");
    EXPECT_TRUE(spread.isChanged());
    EXPECT_EQ(active(), std::make_pair(3, 1));
    EXPECT_EQ(editorSelection(), std::make_pair(0, 3)) << "the replacement stays selected";

    pressKey(findControl(CDlgFindReplace::kReplaceText), VK_F5);
    EXPECT_EQ(value(2, 2), L"aXYZc");
    EXPECT_EQ(value(3, 1), L"XYZeta");
}

TEST_F(FindReplaceTest, ReplaceWithoutAMatchLeavesTheLastFoundTextAlone) {
    fillSheet();
    openFind(L"bob", L"-");
    ASSERT_TRUE(spread.findNext(true));
    winx::answerMessageBox(IDNO);
    EXPECT_FALSE(spread.replaceNext(true));
    EXPECT_EQ(value(3, 3), L"bob");
    EXPECT_FALSE(spread.isChanged());
}

TEST_F(FindReplaceTest, ReplaceAllWithoutMatchesCountsZeroChangesNoCellAndMarksTheGridChanged) {
    fillSheet();
    openFind(L"zeta", L"eta");
    const auto before = sheet();
    clickInDialog(CDlgFindReplace::kReplaceAllButton);
    EXPECT_EQ(sheet(), before);
    EXPECT_TRUE(spread.isChanged()) << "replace all marks its grid changed in any case";
    const auto boxes = winx::messageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, (dialString(1147) + L" 0 " + dialString(1148)).str());
    EXPECT_EQ(boxes[0].caption, dialString(1149).str());
}

TEST_F(FindReplaceTest, ReplaceAllChangesEveryOccurrenceAndCountsTheCells) {
    fillSheet();
    openFind(L"B", L"bb");
    ASSERT_TRUE(SSSetActiveCell(grid(), 3, 3));
    EXPECT_EQ(spread.replaceAll(), 3);
    EXPECT_EQ(value(3, 1), L"bbeta");
    EXPECT_EQ(value(2, 2), L"abbc");
    EXPECT_EQ(value(3, 3), L"bbobb");
    EXPECT_EQ(value(1, 1), L"alpha");
    EXPECT_TRUE(spread.isChanged());
    const auto boxes = winx::messageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, (dialString(1147) + L" 3 " + dialString(1148)).str());
}

TEST_F(FindReplaceTest, AnEmptyFindTextIsFoundInTheNextCellAndReplaceAllChangesNoCell) {
    fillSheet();
    openFind(L"", L"x");
    ASSERT_TRUE(SSSetActiveCell(grid(), 1, 1));
    const auto before = sheet();
    // Every text contains the empty text: the next cell is found, with nothing selected.
    ASSERT_TRUE(spread.findNext(true));
    EXPECT_EQ(active(), std::make_pair(2, 1));
    EXPECT_EQ(editorSelection(), std::make_pair(0, 0));
    EXPECT_EQ(spread.replaceAll(), 0);
    EXPECT_EQ(sheet(), before);
    const auto boxes = winx::messageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, (dialString(1147) + L" 0 " + dialString(1148)).str());
}

TEST_F(FindReplaceTest, WithoutTheWindowNothingIsSearched) {
    fillSheet();
    EXPECT_FALSE(spread.findNext(true));
    EXPECT_FALSE(spread.replaceNext(true));
    EXPECT_EQ(spread.replaceAll(), -1);
    EXPECT_TRUE(winx::messageBoxes().empty());
}

} // namespace
