#include "ControlTestHost.h"

#include "win/winx_user.h"

#include <string>
#include <vector>

namespace {

using controltest::ControlTest;

constexpr int kId = 300;
constexpr WPARAM kControlKey = 0x0008;
constexpr WPARAM kShiftKey = 0x0004;

class ListBoxTest : public ControlTest {
protected:
    HWND list(DWORD style, std::initializer_list<const wchar_t*> texts = {}) {
        HWND control = host.create(L"ListBox", style | WS_VSCROLL, kId);
        for (const wchar_t* text : texts)
            sendText(control, LB_ADDSTRING, 0, text);
        return control;
    }
    std::vector<int> selectedItems(HWND control) {
        std::vector<int> items(static_cast<std::size_t>(send(control, LB_GETCOUNT)) + 1, -1);
        const auto count =
            send(control, LB_GETSELITEMS, items.size(), reinterpret_cast<LPARAM>(items.data()));
        items.resize(count < 0 ? 0 : static_cast<std::size_t>(count));
        return items;
    }
    // Clicks an entry where the list shows it.
    void clickEntry(HWND control, int index, WPARAM flags = 0) {
        RECT entry;
        send(control, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&entry));
        mouseClick(control, 3, (entry.top + entry.bottom) / 2, flags);
    }
    std::wstring text(HWND control, int index) {
        wchar_t buffer[64] = {};
        if (sendText(control, LB_GETTEXT, static_cast<WPARAM>(index), buffer) == LB_ERR) {
            return L"<none>";
        }
        return buffer;
    }
};

TEST_F(ListBoxTest, SortedInsertsAndDeletionsKeepTextsAndDataTogether) {
    HWND control = list(LBS_SORT | LBS_NOTIFY, {L"plate", L"Bolt", L"angle"});
    EXPECT_EQ(text(control, 0), L"angle");
    EXPECT_EQ(text(control, 1), L"Bolt");
    EXPECT_EQ(send(control, LB_GETTEXTLEN, 2), 5);
    send(control, LB_SETITEMDATA, 2, 42);
    EXPECT_EQ(sendText(control, LB_INSERTSTRING, 1, L"zzz"), 1);
    EXPECT_EQ(send(control, LB_GETITEMDATA, 3), 42);
    EXPECT_EQ(send(control, LB_DELETESTRING, 0), 3);
    EXPECT_EQ(text(control, 0), L"zzz");
    EXPECT_EQ(sendText(control, LB_FINDSTRING, static_cast<WPARAM>(-1), L"b"), 1);
    EXPECT_EQ(sendText(control, LB_FINDSTRINGEXACT, 1, L"ZZZ"), 0);
    EXPECT_EQ(send(control, LB_GETTEXT, 9, 0), LB_ERR);
    EXPECT_EQ(send(control, LB_DELETESTRING, 9), LB_ERR);
    EXPECT_EQ(send(control, LB_GETITEMDATA, 9), LB_ERR);
    EXPECT_TRUE(host.commands(kId).empty());
}

TEST_F(ListBoxTest, SingleSelectionIsSilentForTheProgramAndNotifiesForTheUser) {
    HWND control = list(LBS_NOTIFY, {L"a", L"b", L"c"});
    EXPECT_EQ(send(control, LB_GETCURSEL), LB_ERR);
    EXPECT_EQ(send(control, LB_SETCURSEL, 1), 1);
    EXPECT_EQ(send(control, LB_GETSEL, 1), 1);
    EXPECT_EQ(send(control, LB_SETCURSEL, static_cast<WPARAM>(-1)), LB_ERR);
    EXPECT_EQ(send(control, LB_GETCURSEL), LB_ERR);
    EXPECT_EQ(send(control, LB_SETSEL, TRUE, 0), LB_ERR); // multiple selection only
    EXPECT_EQ(send(control, LB_GETSELCOUNT), LB_ERR);
    EXPECT_TRUE(host.commands(kId).empty());

    clickEntry(control, 2);
    clickEntry(control, 2); // the same entry again changes nothing
    EXPECT_EQ(send(control, LB_GETCURSEL), 2);
    EXPECT_EQ(host.commands(kId), (std::vector<int>{LBN_SETFOCUS, LBN_SELCHANGE}));

    host.clear();
    pressKey(control, VK_UP);
    SendMessage(control, WM_LBUTTONDBLCLK, 1, at(3, 3));
    EXPECT_EQ(send(control, LB_GETCURSEL), 1);
    EXPECT_EQ(host.commands(kId), (std::vector<int>{LBN_SELCHANGE, LBN_DBLCLK}));

    host.clear();
    HWND quiet = list(0, {L"a", L"b"});
    clickEntry(quiet, 1);
    SendMessage(quiet, WM_LBUTTONDBLCLK, 1, at(3, 3));
    EXPECT_EQ(send(quiet, LB_GETCURSEL), 1);
    for (int code : host.commands(kId))
        EXPECT_NE(code, LBN_DBLCLK);
}

TEST_F(ListBoxTest, MultipleSelectionTogglesEachClickedEntry) {
    HWND control = list(LBS_MULTIPLESEL | LBS_NOTIFY, {L"a", L"b", L"c", L"d"});
    clickEntry(control, 1);
    clickEntry(control, 3);
    clickEntry(control, 1);
    EXPECT_EQ(selectedItems(control), std::vector<int>{3});
    EXPECT_EQ(send(control, LB_GETSELCOUNT), 1);
    EXPECT_EQ(send(control, LB_GETCARETINDEX), 1);
    EXPECT_EQ(send(control, LB_SETCURSEL, 0), LB_ERR);

    send(control, LB_SETSEL, TRUE, -1);
    EXPECT_EQ(selectedItems(control), (std::vector<int>{0, 1, 2, 3}));
    send(control, LB_SETSEL, FALSE, 2);
    EXPECT_EQ(selectedItems(control), (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(send(control, LB_SETSEL, TRUE, 9), LB_ERR);

    std::vector<int> one(1, -1);
    EXPECT_EQ(send(control, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(one.data())), 1);
    EXPECT_EQ(one[0], 0);

    // Choosing an entry that is already selected leaves it selected.
    EXPECT_TRUE(winx::userChoose(control, 3));
    EXPECT_EQ(send(control, LB_GETSEL, 3), 1);
}

TEST_F(ListBoxTest, ExtendedSelectionUsesControlAndShiftLikeTheUser) {
    HWND control = list(LBS_EXTENDEDSEL | LBS_NOTIFY, {L"a", L"b", L"c", L"d", L"e"});
    clickEntry(control, 1);
    clickEntry(control, 3, kShiftKey);
    EXPECT_EQ(selectedItems(control), (std::vector<int>{1, 2, 3}));
    clickEntry(control, 2, kControlKey);
    EXPECT_EQ(selectedItems(control), (std::vector<int>{1, 3}));
    clickEntry(control, 4);
    EXPECT_EQ(selectedItems(control), std::vector<int>{4});
    int changes = 0;
    for (int code : host.commands(kId))
        changes += code == LBN_SELCHANGE ? 1 : 0;
    EXPECT_EQ(changes, 4);
}

TEST_F(ListBoxTest, TheTopIndexFollowsTheCaretAndScrolling) {
    HWND control = host.create(L"ListBox", LBS_NOTIFY, kId, L"", RECT{0, 0, 100, 48});
    for (int i = 0; i < 10; ++i) {
        sendText(control, LB_ADDSTRING, 0, std::to_wstring(i).c_str());
    }
    const auto height = static_cast<int>(send(control, LB_GETITEMHEIGHT, 0));
    ASSERT_GT(height, 0);
    const int rows = 48 / height;
    EXPECT_EQ(send(control, LB_GETTOPINDEX), 0);
    send(control, LB_SETCURSEL, 9);
    EXPECT_EQ(send(control, LB_GETTOPINDEX), 10 - rows);
    EXPECT_EQ(send(control, LB_SETTOPINDEX, 2), 0);
    EXPECT_EQ(send(control, LB_GETTOPINDEX), 2);
    EXPECT_EQ(send(control, LB_SETTOPINDEX, 20), LB_ERR);
    send(control, LB_SETCARETINDEX, 0, FALSE);
    EXPECT_EQ(send(control, LB_GETTOPINDEX), 0);

    // userChoose scrolls an entry into view before clicking it.
    ASSERT_TRUE(winx::userChoose(control, std::wstring_view(L"7")));
    EXPECT_EQ(send(control, LB_GETCURSEL), 7);
    EXPECT_FALSE(winx::userChoose(control, 10));
    EXPECT_FALSE(winx::userChoose(control, std::wstring_view(L"70")));

    send(control, LB_RESETCONTENT);
    EXPECT_EQ(send(control, LB_GETCOUNT), 0);
    EXPECT_EQ(send(control, LB_GETCURSEL), LB_ERR);
}

} // namespace
