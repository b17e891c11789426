#include "platform/win/DialogTestSupport.h"

#include "afxwin.h"

namespace {

using namespace wintest;

const std::string kMenuScript = R"(
#define IDM_CONTEXT 700
IDM_CONTEXT MENU
BEGIN
    POPUP "Grid"
    BEGIN
        MENUITEM "&Copy\tCtrl+C", 32811
        MENUITEM SEPARATOR
        MENUITEM "&Paste", 32812, GRAYED
        POPUP "More"
        BEGIN
            MENUITEM "Insert row", 32816, CHECKED
        END
    END
END
)";

HINSTANCE menuModule() {
    static const HINSTANCE module = moduleWithScript(L"menutest.dll", kMenuScript);
    return module;
}

class Menus : public WindowTest {
protected:
    HWND owner_ = makeWindow(WS_OVERLAPPED | WS_VISIBLE);

    std::vector<WPARAM> commandsOfOwner() {
        winx::pumpMessages();
        std::vector<WPARAM> ids;
        for (const Logged& l : messageLog()) {
            if (l.hwnd == owner_ && l.msg == WM_COMMAND) ids.push_back(l.wParam);
        }
        return ids;
    }
};

TEST_F(Menus, MenusKeepTheirItemsStatesAndSubmenus) {
    HMENU popup = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    ASSERT_TRUE(AppendMenu(popup, MF_STRING, 10, L"One"));
    ASSERT_TRUE(AppendMenu(popup, MF_SEPARATOR, 0, nullptr));
    ASSERT_TRUE(AppendMenu(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"Sub"));
    ASSERT_TRUE(AppendMenu(sub, MF_STRING | MF_GRAYED, 20, L"Deep"));
    ASSERT_TRUE(InsertMenu(popup, 0, MF_BYPOSITION | MF_STRING, 5, L"Zero"));
    EXPECT_EQ(GetMenuItemCount(popup), 4);
    EXPECT_EQ(GetMenuItemID(popup, 0), 5u);
    EXPECT_EQ(GetMenuItemID(popup, 3), static_cast<UINT>(-1));
    EXPECT_EQ(GetSubMenu(popup, 3), sub);
    EXPECT_EQ(GetMenuState(popup, 20, MF_BYCOMMAND), MF_GRAYED); // found in the submenu
    EXPECT_EQ(CheckMenuItem(popup, 10, MF_CHECKED), MF_UNCHECKED);
    EXPECT_EQ(GetMenuState(popup, 10, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
    EXPECT_EQ(EnableMenuItem(popup, 20, MF_ENABLED), MF_GRAYED);
    wchar_t text[16];
    EXPECT_EQ(GetMenuString(popup, 1, text, 16, MF_BYPOSITION), 3);
    EXPECT_STREQ(text, L"One");
    EXPECT_TRUE(DeleteMenu(popup, 3, MF_BYPOSITION)); // destroys the submenu too
    EXPECT_FALSE(IsMenu(sub));
    EXPECT_TRUE(DestroyMenu(popup));
    EXPECT_FALSE(DestroyMenu(popup));
    EXPECT_EQ(GetMenuItemCount(popup), -1);
}

TEST_F(Menus, ATrackedMenuReturnsOrPostsTheQueuedChoiceAndIsRecorded) {
    HMENU menu = LoadMenu(menuModule(), MAKEINTRESOURCE(700));
    ASSERT_NE(menu, nullptr);
    HMENU grid = GetSubMenu(menu, 0);
    winx::chooseMenuItem(32811u);
    EXPECT_EQ(TrackPopupMenu(grid, TPM_RETURNCMD, 0, 0, 0, owner_, nullptr), 32811);
    winx::chooseMenuItem(L"insert ROW");
    EXPECT_TRUE(TrackPopupMenu(grid, 0, 0, 0, 0, owner_, nullptr));
    EXPECT_EQ(commandsOfOwner(), (std::vector<WPARAM>{MAKEWPARAM(32816, 0)}));
    // Nothing queued: dismissed.
    EXPECT_EQ(TrackPopupMenu(grid, TPM_RETURNCMD, 0, 0, 0, owner_, nullptr), 0);
    const auto records = winx::menus();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].chosen, 32811u);
    EXPECT_EQ(records[0].owner, owner_);
    ASSERT_EQ(records[0].items.size(), 5u);
    EXPECT_EQ(records[0].items[0].text, L"&Copy\tCtrl+C");
    EXPECT_EQ(records[0].items[1].flags, MF_SEPARATOR);
    EXPECT_EQ(records[0].items[2].flags, MF_GRAYED);
    EXPECT_EQ(records[0].items[4].depth, 1);
    EXPECT_EQ(records[2].chosen, 0u);
    EXPECT_EQ(countOf(owner_, WM_INITMENUPOPUP), 3u);
    DestroyMenu(menu);
}

TEST_F(Menus, DisabledOrMissingChoicesAreProblems) {
    HMENU menu = LoadMenu(menuModule(), MAKEINTRESOURCE(700));
    winx::chooseMenuItem(32812u); // grayed
    EXPECT_EQ(TrackPopupMenu(GetSubMenu(menu, 0), TPM_RETURNCMD, 0, 0, 0, owner_, nullptr), 0);
    winx::chooseMenuItem(L"Nothing like this");
    EXPECT_EQ(TrackPopupMenu(GetSubMenu(menu, 0), TPM_RETURNCMD, 0, 0, 0, owner_, nullptr), 0);
    EXPECT_EQ(winx::problems().size(), 2u);
    EXPECT_FALSE(TrackPopupMenu(nullptr, 0, 0, 0, 0, owner_, nullptr));
    DestroyMenu(menu);
}

TEST_F(Menus, TheClassLibrarysMenuLoadsFromTheResourceModule) {
    AfxSetResourceHandle(menuModule());
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(700));
    CMenu* grid = menu.GetSubMenu(0);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->GetMenuItemCount(), 4u);
    std::wstring text;
    grid->GetMenuString(32812, text, MF_BYCOMMAND);
    EXPECT_EQ(text, L"&Paste");
    CWnd* owner = CWnd::FromHandle(owner_);
    winx::chooseMenuItem(L"Copy");
    EXPECT_EQ(grid->TrackPopupMenu(TPM_RETURNCMD, 0, 0, owner), 32811);
    CMenu built;
    built.CreatePopupMenu();
    built.AppendMenu(MF_STRING, 1, L"a");
    EXPECT_EQ(built.GetMenuItemCount(), 1u);
    const HMENU handle = built.m_hMenu;
    built.DestroyMenu();
    EXPECT_FALSE(IsMenu(handle));
    AfxSetResourceHandle(nullptr);
}

} // namespace
