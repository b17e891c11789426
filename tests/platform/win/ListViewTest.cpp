#include "ControlTestHost.h"

#include "win/winx_user.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

using controltest::ControlTest;
using controltest::Notice;

constexpr int kId = 500;

class ListViewTest : public ControlTest {
protected:
    HWND listView(DWORD style = LVS_REPORT) {
        HWND control = host.create(WC_LISTVIEW, style, kId, L"", RECT{0, 0, 300, 200});
        addColumn(control, 0, L"Name", 100);
        addColumn(control, 1, L"Size", 80);
        return control;
    }
    void addColumn(HWND control, int index, const wchar_t* title, int width) {
        std::wstring text(title);
        LVCOLUMNW column;
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = text.data();
        column.cx = width;
        send(control, LVM_INSERTCOLUMN, static_cast<WPARAM>(index),
             reinterpret_cast<LPARAM>(&column));
    }
    int insert(HWND control, int index, const wchar_t* text, LPARAM param = 0) {
        std::wstring copy(text);
        LVITEMW item;
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = index;
        item.pszText = copy.data();
        item.lParam = param;
        return static_cast<int>(send(control, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item)));
    }
    void setText(HWND control, int index, int subItem, const wchar_t* text) {
        std::wstring copy(text);
        LVITEMW item;
        item.iSubItem = subItem;
        item.pszText = copy.data();
        send(control, LVM_SETITEMTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
    std::wstring text(HWND control, int index, int subItem = 0) {
        wchar_t buffer[64] = {};
        LVITEMW item;
        item.iSubItem = subItem;
        item.pszText = buffer;
        item.cchTextMax = 64;
        send(control, LVM_GETITEMTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        return buffer;
    }
    std::vector<std::wstring> texts(HWND control) {
        std::vector<std::wstring> all;
        for (int i = 0; i < ListView_GetItemCount(control); ++i)
            all.push_back(text(control, i));
        return all;
    }
    UINT state(HWND control, int index, UINT mask = LVIS_SELECTED | LVIS_FOCUSED) {
        return static_cast<UINT>(send(control, LVM_GETITEMSTATE, static_cast<WPARAM>(index), mask));
    }
    std::vector<int> selected(HWND control) {
        std::vector<int> found;
        for (int i = ListView_GetNextItem(control, -1, LVNI_SELECTED); i >= 0;
             i = ListView_GetNextItem(control, i, LVNI_SELECTED)) {
            found.push_back(i);
        }
        return found;
    }
    int find(HWND control, int start, UINT flags, const wchar_t* text, LPARAM param = 0) {
        LVFINDINFOW info;
        info.flags = flags;
        info.psz = text;
        info.lParam = param;
        return static_cast<int>(send(control, LVM_FINDITEM, static_cast<WPARAM>(start),
                                     reinterpret_cast<LPARAM>(&info)));
    }
    RECT itemRect(HWND control, int index) {
        RECT rect;
        rect.left = LVIR_LABEL;
        send(control, LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
};

TEST_F(ListViewTest, ItemsColumnsAndSubItemTextsStayTogether) {
    HWND control = listView();
    EXPECT_EQ(insert(control, 0, L"Plate", 11), 0);
    EXPECT_EQ(insert(control, 5, L"Bolt", 22), 1); // beyond the end appends
    setText(control, 0, 1, L"10 mm");
    setText(control, 1, 1, L"M16");
    EXPECT_EQ(text(control, 0, 1), L"10 mm");
    EXPECT_EQ(host.notificationsOf(LVN_INSERTITEM).size(), 2u);
    EXPECT_EQ(host.notificationsOf(LVN_INSERTITEM).back().listView.iItem, 1);

    addColumn(control, 1, L"Grade", 60); // texts behind the new column move right
    EXPECT_EQ(text(control, 0, 1), L"");
    EXPECT_EQ(text(control, 0, 2), L"10 mm");
    EXPECT_TRUE(send(control, LVM_DELETECOLUMN, 1));
    EXPECT_EQ(text(control, 1, 1), L"M16");
    EXPECT_FALSE(send(control, LVM_DELETECOLUMN, 7));

    LVITEMW item;
    item.mask = LVIF_PARAM | LVIF_TEXT;
    item.iItem = 1;
    wchar_t buffer[16] = {};
    item.pszText = buffer;
    item.cchTextMax = 3; // the text is cut to the buffer
    EXPECT_TRUE(send(control, LVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(item.lParam, 22);
    EXPECT_EQ(std::wstring(buffer), L"Bo");
    item.iItem = 9;
    EXPECT_FALSE(send(control, LVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item)));

    LVCOLUMNW column;
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = buffer;
    column.cchTextMax = 16;
    EXPECT_TRUE(send(control, LVM_GETCOLUMN, 1, reinterpret_cast<LPARAM>(&column)));
    EXPECT_EQ(std::wstring(buffer), L"Size");
    EXPECT_EQ(column.cx, 80);
    send(control, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE);
    const auto fitted = send(control, LVM_GETCOLUMNWIDTH, 0);
    setText(control, 0, 0, L"A much longer plate name");
    send(control, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE);
    EXPECT_GT(send(control, LVM_GETCOLUMNWIDTH, 0), fitted);
}

TEST_F(ListViewTest, SortedStylesInsertInOrderAndSortItemsUsesTheCallback) {
    HWND sorted = listView(LVS_REPORT | LVS_SORTASCENDING);
    insert(sorted, 0, L"plate", 3);
    insert(sorted, 0, L"Angle", 1);
    EXPECT_EQ(insert(sorted, 0, L"bolt", 2), 1);
    EXPECT_EQ(texts(sorted), (std::vector<std::wstring>{L"Angle", L"bolt", L"plate"}));

    ListView_SetItemState(sorted, 2, LVIS_SELECTED, LVIS_SELECTED);
    const auto descending = [](LPARAM a, LPARAM b, LPARAM direction) -> int {
        return static_cast<int>((b - a) * direction);
    };
    EXPECT_TRUE(send(sorted, LVM_SORTITEMS, 1, reinterpret_cast<LPARAM>(+descending)));
    EXPECT_EQ(texts(sorted), (std::vector<std::wstring>{L"plate", L"bolt", L"Angle"}));
    EXPECT_EQ(selected(sorted), std::vector<int>{0}); // the state travels with the item
    EXPECT_FALSE(send(sorted, LVM_SORTITEMS, 1, 0));

    // An inconsistent comparison scrambles the order but loses nothing.
    const auto liar = [](LPARAM, LPARAM, LPARAM) -> int { return -1; };
    send(sorted, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(+liar));
    auto all = texts(sorted);
    std::sort(all.begin(), all.end());
    EXPECT_EQ(all, (std::vector<std::wstring>{L"Angle", L"bolt", L"plate"}));
}

TEST_F(ListViewTest, StateChangesAreAnnouncedAndCanBeVetoed) {
    HWND control = listView(LVS_REPORT | LVS_SINGLESEL);
    insert(control, 0, L"a", 100);
    insert(control, 1, L"b", 200);
    host.clear();
    ListView_SetItemState(control, 0, LVIS_SELECTED, LVIS_SELECTED);
    ASSERT_EQ(host.notifications(), (std::vector<UINT>{LVN_ITEMCHANGING, LVN_ITEMCHANGED}));
    const Notice changed = host.notices.back();
    EXPECT_EQ(changed.listView.iItem, 0);
    EXPECT_EQ(changed.listView.uChanged, LVIF_STATE);
    EXPECT_EQ(changed.listView.uOldState, 0u);
    EXPECT_EQ(changed.listView.uNewState, LVIS_SELECTED);
    EXPECT_EQ(changed.listView.lParam, 100);

    host.clear();
    ListView_SetItemState(control, 0, LVIS_SELECTED, LVIS_SELECTED); // no change, no news
    EXPECT_TRUE(host.notifications().empty());
    ListView_SetItemState(control, 1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(selected(control), std::vector<int>{1}); // single selection moved
    EXPECT_EQ(host.notifications().size(), 4u);

    host.answerNotify = [](const NMHDR& header) -> LRESULT {
        return header.code == LVN_ITEMCHANGING ? TRUE : 0;
    };
    ListView_SetItemState(control, 0, LVIS_FOCUSED, LVIS_FOCUSED);
    EXPECT_EQ(state(control, 0), 0u);
    host.answerNotify = nullptr;

    ListView_SetItemState(control, -1, LVIS_FOCUSED, LVIS_FOCUSED); // one focus at most
    EXPECT_EQ(ListView_GetNextItem(control, -1, LVNI_FOCUSED), 1);
    EXPECT_EQ(ListView_GetNextItem(control, 1, LVNI_FOCUSED), -1);
    EXPECT_EQ(send(control, LVM_GETSELECTEDCOUNT), 1);
    EXPECT_EQ(ListView_GetNextItem(control, -1, LVNI_ALL), 0);
    EXPECT_EQ(ListView_GetNextItem(control, 0, LVNI_ALL), 1);
    EXPECT_EQ(ListView_GetNextItem(control, 1, LVNI_ALL), -1);
}

TEST_F(ListViewTest, FindItemMatchesTextsOrDataAndWrapsOnlyWhenAsked) {
    HWND control = listView();
    insert(control, 0, L"HEA 100", 7);
    insert(control, 1, L"HEB 100", 8);
    insert(control, 2, L"hea 200", 9);
    EXPECT_EQ(find(control, -1, LVFI_STRING, L"heb 100"), 1);
    EXPECT_EQ(find(control, -1, LVFI_STRING, L"HEB"), -1);
    EXPECT_EQ(find(control, -1, LVFI_STRING | LVFI_PARTIAL, L"HEB"), 1);
    EXPECT_EQ(find(control, 0, LVFI_STRING | LVFI_PARTIAL, L"hea"), 2);
    EXPECT_EQ(find(control, 2, LVFI_STRING | LVFI_PARTIAL, L"hea"), -1);
    EXPECT_EQ(find(control, 2, LVFI_STRING | LVFI_PARTIAL | LVFI_WRAP, L"hea"), 0);
    EXPECT_EQ(find(control, -1, LVFI_PARAM, nullptr, 9), 2);
    EXPECT_EQ(find(control, -1, LVFI_PARAM, nullptr, 10), -1);
    EXPECT_EQ(send(control, LVM_FINDITEM, static_cast<WPARAM>(-1), 0), -1);
}

TEST_F(ListViewTest, DeletingAllItemsAsksWhetherEachShouldBeAnnounced) {
    HWND control = listView();
    for (int i = 0; i < 3; ++i)
        insert(control, i, L"item", i);
    EXPECT_TRUE(send(control, LVM_DELETEITEM, 1));
    EXPECT_EQ(host.notificationsOf(LVN_DELETEITEM).back().listView.lParam, 1);
    EXPECT_FALSE(send(control, LVM_DELETEITEM, 5));
    host.clear();
    EXPECT_TRUE(send(control, LVM_DELETEALLITEMS));
    EXPECT_EQ(host.notifications(),
              (std::vector<UINT>{LVN_DELETEALLITEMS, LVN_DELETEITEM, LVN_DELETEITEM}));
    EXPECT_EQ(host.notices[0].listView.iItem, -1);

    for (int i = 0; i < 3; ++i)
        insert(control, i, L"item", i);
    host.clear();
    host.answerNotify = [](const NMHDR& header) -> LRESULT {
        return header.code == LVN_DELETEALLITEMS ? TRUE : 0;
    };
    send(control, LVM_DELETEALLITEMS);
    EXPECT_EQ(host.notifications(), std::vector<UINT>{LVN_DELETEALLITEMS});
    EXPECT_EQ(ListView_GetItemCount(control), 0);
}

TEST_F(ListViewTest, CheckBoxesAreStateImagesTheUserToggles) {
    HWND control = listView();
    insert(control, 0, L"before");
    ListView_SetExtendedListViewStyle(control, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    EXPECT_EQ(send(control, LVM_GETEXTENDEDLISTVIEWSTYLE),
              LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    insert(control, 1, L"after");
    EXPECT_EQ(state(control, 0, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));
    EXPECT_EQ(state(control, 1, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));
    EXPECT_FALSE(ListView_GetCheckState(control, 1));

    const RECT row = itemRect(control, 1);
    host.clear();
    mouseClick(control, 3, (row.top + row.bottom) / 2); // on the box
    EXPECT_TRUE(ListView_GetCheckState(control, 1));
    EXPECT_EQ(selected(control), std::vector<int>{}); // the box does not select
    EXPECT_EQ(host.notificationsOf(LVN_ITEMCHANGED).size(), 1u);
    ListView_SetCheckState(control, 1, FALSE);
    EXPECT_FALSE(ListView_GetCheckState(control, 1));

    send(control, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, 0);
    EXPECT_EQ(state(control, 0, LVIS_STATEIMAGEMASK), 0u);
    EXPECT_EQ(send(control, LVM_GETEXTENDEDLISTVIEWSTYLE), LVS_EX_FULLROWSELECT);
}

TEST_F(ListViewTest, ClicksSelectAndReportTheItemUnderTheMouse) {
    HWND control = listView();
    for (int i = 0; i < 4; ++i)
        insert(control, i, std::to_wstring(i).c_str(), i * 10);
    host.clear();
    ASSERT_TRUE(winx::userChoose(control, 2));
    EXPECT_EQ(selected(control), std::vector<int>{2});
    EXPECT_EQ(state(control, 2), LVIS_SELECTED | LVIS_FOCUSED);
    const auto clicks = host.notificationsOf(NM_CLICK);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].activate.iItem, 2);
    EXPECT_EQ(clicks[0].activate.lParam, 20);

    const RECT third = itemRect(control, 3);
    mouseClick(control, 40, (third.top + third.bottom) / 2, 0x0008); // with Ctrl
    EXPECT_EQ(selected(control), (std::vector<int>{2, 3}));
    mouseClick(control, 40, (third.top + third.bottom) / 2 + 100); // below the items
    EXPECT_TRUE(selected(control).empty());

    host.clear();
    ASSERT_TRUE(winx::userDoubleClick(control, 1));
    EXPECT_EQ(host.notificationsOf(NM_DBLCLK).size(), 1u);
    const auto activated = host.notificationsOf(LVN_ITEMACTIVATE);
    ASSERT_EQ(activated.size(), 1u);
    EXPECT_EQ(activated[0].activate.iItem, 1);

    host.clear();
    SendMessage(control, WM_RBUTTONDOWN, 0x0002, at(40, (third.top + third.bottom) / 2));
    SendMessage(control, WM_RBUTTONUP, 0, at(40, (third.top + third.bottom) / 2));
    EXPECT_EQ(selected(control), std::vector<int>{3});
    ASSERT_EQ(host.notificationsOf(NM_RCLICK).size(), 1u);
    EXPECT_EQ(host.notificationsOf(NM_RCLICK)[0].activate.iItem, 3);

    host.clear();
    ASSERT_TRUE(winx::userClickColumn(control, 1));
    const auto columnClicks = host.notificationsOf(LVN_COLUMNCLICK);
    ASSERT_EQ(columnClicks.size(), 1u);
    EXPECT_EQ(columnClicks[0].listView.iSubItem, 1);
    EXPECT_FALSE(winx::userClickColumn(control, 2));
    EXPECT_TRUE(winx::userChoose(control, std::wstring_view(L"0")));
    EXPECT_EQ(selected(control), std::vector<int>{0});
}

TEST_F(ListViewTest, KeysAreAnnouncedAndMoveTheSelection) {
    HWND control = listView();
    for (int i = 0; i < 3; ++i)
        insert(control, i, L"row", i);
    ListView_SetItemState(control, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    host.clear();
    pressKey(control, VK_DOWN);
    EXPECT_EQ(selected(control), std::vector<int>{1});
    ASSERT_FALSE(host.notificationsOf(LVN_KEYDOWN).empty());
    EXPECT_EQ(host.notificationsOf(LVN_KEYDOWN)[0].key, VK_DOWN);
    pressKey(control, VK_END);
    EXPECT_EQ(ListView_GetNextItem(control, -1, LVNI_FOCUSED), 2);
}

TEST_F(ListViewTest, TheViewScrollsItemsIntoSight) {
    HWND control = host.create(WC_LISTVIEW, LVS_REPORT, kId, L"", RECT{0, 0, 200, 100});
    addColumn(control, 0, L"Name", 100);
    for (int i = 0; i < 20; ++i)
        insert(control, i, L"row");
    const auto perPage = static_cast<int>(send(control, LVM_GETCOUNTPERPAGE));
    ASSERT_GT(perPage, 0);
    ASSERT_LT(perPage, 20);
    EXPECT_EQ(send(control, LVM_GETTOPINDEX), 0);
    EXPECT_TRUE(send(control, LVM_ENSUREVISIBLE, 15, FALSE));
    EXPECT_EQ(send(control, LVM_GETTOPINDEX), 15 - perPage + 1);
    EXPECT_TRUE(send(control, LVM_ENSUREVISIBLE, 3, FALSE));
    EXPECT_EQ(send(control, LVM_GETTOPINDEX), 3);
    EXPECT_FALSE(send(control, LVM_ENSUREVISIBLE, 30, FALSE));
    EXPECT_TRUE(winx::userChoose(control, 19));
    EXPECT_EQ(selected(control), std::vector<int>{19});
}

} // namespace

#include "afxcmn.h"

namespace {

TEST_F(ListViewTest, TheClassLibraryWrapperWalksTheSelectionAndOwnsNoImageList) {
    CListCtrl wrapper;
    ASSERT_TRUE(
        wrapper.Attach(host.create(WC_LISTVIEW, LVS_REPORT, kId, L"", RECT{0, 0, 300, 200})));
    EXPECT_EQ(wrapper.InsertColumn(0, L"Name", LVCFMT_LEFT, 90), 0);
    EXPECT_EQ(wrapper.InsertColumn(1, L"Size"), 1);
    EXPECT_EQ(wrapper.GetColumnWidth(0), 90);
    for (int i = 0; i < 4; ++i) {
        wrapper.InsertItem(i, std::to_wstring(i).c_str());
        wrapper.SetItemText(i, 1, std::wstring(static_cast<std::size_t>(i) * 40, L'x').c_str());
        wrapper.SetItemData(i, static_cast<DWORD_PTR>(100 + i));
    }
    EXPECT_EQ(wrapper.GetItemText(3, 1).size(), 120u); // longer than a first guess
    EXPECT_EQ(wrapper.GetItemData(2), 102u);
    wrapper.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    wrapper.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    std::vector<int> walked;
    for (POSITION at = wrapper.GetFirstSelectedItemPosition(); at;) {
        walked.push_back(wrapper.GetNextSelectedItem(at));
    }
    EXPECT_EQ(walked, (std::vector<int>{1, 3}));
    EXPECT_EQ(wrapper.GetSelectedCount(), 2u);

    wrapper.SetExtendedStyle(LVS_EX_CHECKBOXES);
    wrapper.SetCheck(2);
    EXPECT_TRUE(wrapper.GetCheck(2));
    EXPECT_FALSE(wrapper.GetCheck(0));

    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32, 0, 4));
    EXPECT_EQ(wrapper.SetImageList(&images, LVSIL_SMALL), nullptr);
    EXPECT_EQ(wrapper.GetImageList(LVSIL_SMALL), &images);
    EXPECT_EQ(wrapper.SetImageList(nullptr, LVSIL_SMALL), &images);
    wrapper.Detach();
}

} // namespace
