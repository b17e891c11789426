// Helpers of the context-menu, keyboard and find-and-replace tests: a grid whose caption
// question answers itself, created in a host window, with a temporary registry, the module's
// resources and the interface texts of the source tree.
#pragma once

#include "spread/CDlgFindReplace.h"
#include "spread/SpreadTestSupport.h"
#include "spread/Trk_Spread.h"
#include "spread/dynMenu.h"

#include "win/winreg.h"
#include "win/winuser.h"
#include "win/winx_user.h"

#include <utility>

namespace keystest {

// A grid that records its caption questions instead of showing the prompt dialog.
class CaptionSpread : public Trk_Spread {
public:
    int captionQuestions = 0;
    bool askedForRow = false;
    Trk_String captionAnswer = L"Width";

protected:
    bool askCaption(bool forRow, Trk_String& caption) override {
        ++captionQuestions;
        askedForRow = forRow;
        caption = captionAnswer;
        return true;
    }
};

class GridKeysTest : public spreadtest::SpreadTestWith<CaptionSpread> {
protected:
    void SetUp() override {
        winx::resetRegistry();
        ASSERT_TRUE(winx::setRegistryFile(folder.file(L"registry.trk")).ok);
        SpreadTestWith::SetUp();
    }
    void TearDown() override {
        spread.closeFindDialog();
        SpreadTestWith::TearDown();
        winx::resetRegistry();
        EXPECT_TRUE(winx::problems().empty()) << "an interaction could not run";
    }

    // The keys' grids have the standard look, set before their counts.
    void create(int cols, int rows) {
        ASSERT_TRUE(spread.createInDialog(&host, spreadtest::kPlaceholderId, true));
        ASSERT_TRUE(spread.applyStandardLook(0));
        ASSERT_TRUE(spread.setColCount(cols, false));
        ASSERT_TRUE(spread.setRowCount(rows, false));
    }
    std::wstring value(int col, int row) const {
        Trk_String text;
        spread.getCellText(col, row, 3, text);
        return text.str();
    }
    std::pair<int, int> active() const {
        SS_COORD col = 0;
        SS_COORD row = 0;
        SSGetActiveCell(grid(), &col, &row);
        return {col, row};
    }
    // The cell editor's selection; (-1, -1) outside edit mode.
    std::pair<int, int> editorSelection() const {
        int start = -1;
        int end = -1;
        if (!SSGetSel(grid(), &start, &end)) return {-1, -1};
        return {start, end};
    }
    // A key pressed and released on a window, through the message queue.
    static void pressKey(HWND window, UINT key) {
        PostMessage(window, WM_KEYDOWN, key, 0);
        PostMessage(window, WM_KEYUP, key, 0);
        winx::pumpMessages();
    }
    static void holdShift(HWND window, bool down) {
        PostMessage(window, down ? WM_KEYDOWN : WM_KEYUP, VK_SHIFT, 0);
        winx::pumpMessages();
    }
    HWND findControl(int id) const {
        CDlgFindReplace* dialog = spread.findReplaceDialog();
        return dialog ? ::GetDlgItem(dialog->GetSafeHwnd(), id) : nullptr;
    }
    // Opens the find window with F3 and types the find and replace texts.
    void openFind(const wchar_t* what, const wchar_t* with = L"") {
        pressKey(grid(), VK_F3);
        ASSERT_NE(spread.findReplaceDialog(), nullptr);
        ASSERT_TRUE(winx::userSetText(findControl(CDlgFindReplace::kFindText), what));
        ASSERT_TRUE(winx::userSetText(findControl(CDlgFindReplace::kReplaceText), with));
    }
    bool option(short number) const { return SSGetBool(grid(), number) != FALSE; }

    spreadtest::TempFolder folder;
};

} // namespace keystest
