#include "ControlTestHost.h"

#include "win/winx_user.h"

#include <string>
#include <vector>

namespace {

using controltest::ControlTest;

constexpr int kId = 400;
// The documented layout of the tab row: tabs start 2 px in, are 20 px high, and are as wide as
// their text at 6 px a character plus 6 px padding on each side.
constexpr LONG kRowLeft = 2;
constexpr LONG kRowTop = 2;
constexpr LONG kTabHeight = 20;
constexpr LONG kCharWidth = 6;
constexpr LONG kPadding = 6;

class TabControlTest : public ControlTest {
protected:
    HWND tabs(std::initializer_list<const wchar_t*> texts, DWORD style = 0) {
        HWND control = host.create(WC_TABCONTROL, style, kId, L"", RECT{0, 0, 400, 300});
        int index = 0;
        for (const wchar_t* text : texts) {
            insert(control, index, text, index * 10);
            ++index;
        }
        return control;
    }
    int insert(HWND control, int index, const wchar_t* text, LPARAM param = 0) {
        std::wstring copy(text);
        TCITEMW item;
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = copy.data();
        item.lParam = param;
        return TabCtrl_InsertItem(control, index, &item);
    }
    RECT rect(HWND control, int index) {
        RECT r;
        EXPECT_TRUE(send(control, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(&r)));
        return r;
    }
    std::wstring text(HWND control, int index, LPARAM* param = nullptr) {
        wchar_t buffer[32] = {};
        TCITEMW item;
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = buffer;
        item.cchTextMax = 32;
        if (!send(control, TCM_GETITEM, static_cast<WPARAM>(index),
                  reinterpret_cast<LPARAM>(&item))) {
            return L"<none>";
        }
        if (param) *param = item.lParam;
        return buffer;
    }
};

TEST_F(TabControlTest, ItemsKeepTextAndDataAndTheFirstOneStartsSelected) {
    HWND control = tabs({});
    EXPECT_EQ(TabCtrl_GetCurSel(control), -1);
    insert(control, 0, L"Second", 2);
    insert(control, 0, L"First", 1);
    EXPECT_EQ(insert(control, 9, L"Third", 3), 2); // beyond the end appends
    EXPECT_EQ(TabCtrl_GetItemCount(control), 3);
    EXPECT_EQ(TabCtrl_GetCurSel(control), 1); // "Second" stays selected
    LPARAM param = 0;
    EXPECT_EQ(text(control, 0, &param), L"First");
    EXPECT_EQ(param, 1);

    std::wstring renamed = L"Renamed";
    TCITEMW item;
    item.mask = TCIF_TEXT;
    item.pszText = renamed.data();
    EXPECT_TRUE(send(control, TCM_SETITEM, 2, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(text(control, 2, &param), L"Renamed");
    EXPECT_EQ(param, 3);
    EXPECT_FALSE(send(control, TCM_SETITEM, 5, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(text(control, 5), L"<none>");

    EXPECT_TRUE(send(control, TCM_DELETEITEM, 1)); // the selected one
    EXPECT_EQ(TabCtrl_GetCurSel(control), -1);
    EXPECT_FALSE(send(control, TCM_DELETEITEM, 7));
    EXPECT_TRUE(send(control, TCM_DELETEALLITEMS));
    EXPECT_EQ(TabCtrl_GetItemCount(control), 0);
    EXPECT_TRUE(host.notifications().empty());
}

TEST_F(TabControlTest, ProgramSelectionIsSilentAndUserSelectionCanBeVetoed) {
    HWND control = tabs({L"One", L"Two", L"Three"});
    EXPECT_EQ(TabCtrl_SetCurSel(control, 2), 0);
    EXPECT_EQ(TabCtrl_SetCurSel(control, 5), -1);
    EXPECT_EQ(send(control, TCM_GETCURFOCUS), 2);
    EXPECT_TRUE(host.notifications().empty());

    int selectionWhileChanging = -2;
    host.answerNotify = [&](const NMHDR& header) -> LRESULT {
        if (header.code == TCN_SELCHANGING) selectionWhileChanging = TabCtrl_GetCurSel(control);
        return 0;
    };
    ASSERT_TRUE(winx::userChoose(control, 0));
    EXPECT_EQ(host.notifications(), (std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGE}));
    EXPECT_EQ(selectionWhileChanging, 2);
    EXPECT_EQ(TabCtrl_GetCurSel(control), 0);
    EXPECT_EQ(host.notices.back().id, kId);
    EXPECT_EQ(host.notices.back().from, control);

    host.clear();
    host.answerNotify = [](const NMHDR& header) -> LRESULT {
        return header.code == TCN_SELCHANGING ? TRUE : 0; // the page refuses to be left
    };
    ASSERT_TRUE(winx::userChoose(control, std::wstring_view(L"three")));
    EXPECT_EQ(host.notifications(), std::vector<UINT>{TCN_SELCHANGING});
    EXPECT_EQ(TabCtrl_GetCurSel(control), 0);

    host.clear();
    host.answerNotify = nullptr;
    pressKey(control, VK_RIGHT);
    EXPECT_EQ(TabCtrl_GetCurSel(control), 1);
    send(control, TCM_SETCURFOCUS, 2); // focus follows selection outside button mode
    EXPECT_EQ(TabCtrl_GetCurSel(control), 2);
    EXPECT_EQ(host.notifications().size(), 4u);
    EXPECT_FALSE(winx::userChoose(control, 3));
}

TEST_F(TabControlTest, TabsLieInOneRowSizedByTheirTexts) {
    HWND control = tabs({L"Ab", L"Longer", L"X"});
    const RECT first = rect(control, 0);
    const RECT second = rect(control, 1);
    const RECT third = rect(control, 2);
    EXPECT_EQ(first.left, kRowLeft);
    EXPECT_EQ(first.top, kRowTop);
    EXPECT_EQ(first.bottom - first.top, kTabHeight);
    EXPECT_EQ(first.right - first.left, 2 * kCharWidth + 2 * kPadding);
    EXPECT_EQ(second.left, first.right);
    EXPECT_EQ(second.right - second.left, 6 * kCharWidth + 2 * kPadding);
    EXPECT_EQ(third.left, second.right);
    EXPECT_EQ(third.top, second.top);
    EXPECT_EQ(send(control, TCM_GETROWCOUNT), 1);
    RECT unused;
    EXPECT_FALSE(send(control, TCM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&unused)));

    TCHITTESTINFO hit;
    hit.pt = POINT{second.left + 1, second.top + 1};
    EXPECT_EQ(send(control, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 1);
    hit.pt = POINT{third.right + 5, third.top + 1};
    EXPECT_EQ(send(control, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), -1);
    EXPECT_EQ(hit.flags, TCHT_NOWHERE);

    mouseClick(control, second.left + 3, second.top + 3);
    EXPECT_EQ(TabCtrl_GetCurSel(control), 1);
}

TEST_F(TabControlTest, ALargerFontWidensTheTabsByItsCharacterWidth) {
    HWND control = tabs({L"Abcd"});
    const LONG before = rect(control, 0).right - rect(control, 0).left;
    LOGFONT large;
    large.lfHeight = -22; // twice the height of the default dialog font
    HFONT font = CreateFontIndirect(&large);
    SendMessage(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    EXPECT_EQ(send(control, WM_GETFONT), reinterpret_cast<LRESULT>(font));
    const LONG after = rect(control, 0).right - rect(control, 0).left;
    EXPECT_EQ(after - before, 4 * kCharWidth); // four characters at twice the width
    DestroyWindow(control);
    DeleteObject(font);
}

TEST_F(TabControlTest, AdjustRectConvertsBetweenWindowAndDisplayArea) {
    HWND control = tabs({L"Page"});
    RECT area{0, 0, 400, 300};
    TabCtrl_AdjustRect(control, FALSE, &area);
    EXPECT_GT(area.top, kRowTop + kTabHeight - 1);
    EXPECT_GT(area.left, 0);
    EXPECT_LT(area.right, 400);
    EXPECT_LT(area.bottom, 300);
    TabCtrl_AdjustRect(control, TRUE, &area);
    EXPECT_EQ(area.left, 0);
    EXPECT_EQ(area.top, 0);
    EXPECT_EQ(area.right, 400);
    EXPECT_EQ(area.bottom, 300);
}

TEST_F(TabControlTest, AnImageListWidensTabsWithImagesAndStaysWithItsOwner) {
    HWND control = tabs({L"Ab"});
    const LONG plain = rect(control, 0).right - rect(control, 0).left;
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
    EXPECT_EQ(send(control, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images)), 0);
    EXPECT_EQ(send(control, TCM_GETIMAGELIST), reinterpret_cast<LRESULT>(images));
    TCITEMW item;
    item.mask = TCIF_IMAGE;
    item.iImage = 0;
    send(control, TCM_SETITEM, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_GT(rect(control, 0).right - rect(control, 0).left, plain + 15);
    DestroyWindow(control);
    EXPECT_TRUE(ImageList_Destroy(images)); // the tab control never destroys its list
}

} // namespace

#include "afxcmn.h"

namespace {

TEST_F(TabControlTest, TheClassLibraryWrapperDrivesTheSameControl) {
    CTabCtrl wrapper;
    ASSERT_TRUE(wrapper.Attach(tabs({})));
    EXPECT_EQ(wrapper.InsertItem(0, L"General"), 0);
    EXPECT_EQ(wrapper.InsertItem(1, L"Bolts", 0), 1);
    EXPECT_EQ(wrapper.GetItemCount(), 2);
    EXPECT_EQ(wrapper.SetCurSel(1), 0);
    EXPECT_EQ(wrapper.GetCurSel(), 1);
    RECT first;
    RECT second;
    ASSERT_TRUE(wrapper.GetItemRect(0, &first));
    ASSERT_TRUE(wrapper.GetItemRect(1, &second));
    EXPECT_EQ(second.left, first.right);
    RECT area{0, 0, 400, 300};
    wrapper.AdjustRect(FALSE, &area);
    EXPECT_GT(area.top, first.bottom - 1);
    EXPECT_TRUE(wrapper.DeleteItem(0));
    EXPECT_EQ(wrapper.GetCurSel(), 0);
    EXPECT_TRUE(wrapper.DeleteAllItems());
    EXPECT_TRUE(host.notifications().empty());
    wrapper.Detach();
}

} // namespace
