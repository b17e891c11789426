#include "ControlTestHost.h"

#include "win/winx_user.h"

#include <string>
#include <vector>

namespace {

using controltest::ControlTest;

constexpr int kId = 200;

class ComboBoxTest : public ControlTest {
protected:
    HWND combo(DWORD style) { return host.create(L"ComboBox", style | WS_VSCROLL, kId); }
    int add(HWND control, const wchar_t* text) {
        return static_cast<int>(sendText(control, CB_ADDSTRING, 0, text));
    }
    std::wstring entry(HWND control, int index) {
        const auto length = send(control, CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
        if (length < 0) return L"<none>";
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        sendText(control, CB_GETLBTEXT, static_cast<WPARAM>(index), text.data());
        text.resize(static_cast<std::size_t>(length));
        return text;
    }
    std::vector<std::wstring> entries(HWND control) {
        std::vector<std::wstring> all;
        for (int i = 0; i < send(control, CB_GETCOUNT); ++i)
            all.push_back(entry(control, i));
        return all;
    }
    int find(HWND control, UINT msg, int start, const wchar_t* text) {
        return static_cast<int>(sendText(control, msg, static_cast<WPARAM>(start), text));
    }
};

TEST_F(ComboBoxTest, SortedCombosInsertIgnoringCaseAndInsertStringDoesNotSort) {
    HWND sorted = combo(CBS_DROPDOWNLIST | CBS_SORT);
    add(sorted, L"beam");
    add(sorted, L"Angle");
    add(sorted, L"channel");
    EXPECT_EQ(add(sorted, L"Beam"), 2); // after the equal entry
    EXPECT_EQ(entries(sorted), (std::vector<std::wstring>{L"Angle", L"beam", L"Beam", L"channel"}));
    EXPECT_EQ(sendText(sorted, CB_INSERTSTRING, 0, L"zed"), 0);
    EXPECT_EQ(sendText(sorted, CB_INSERTSTRING, static_cast<WPARAM>(-1), L"aaa"), 5);
    EXPECT_EQ(sendText(sorted, CB_INSERTSTRING, 99, L"far"), CB_ERR);
    EXPECT_EQ(send(sorted, CB_ADDSTRING, 0, 0), CB_ERR); // no text
    EXPECT_EQ(send(sorted, CB_GETCOUNT), 6);

    HWND plain = combo(CBS_DROPDOWNLIST);
    add(plain, L"b");
    add(plain, L"a");
    EXPECT_EQ(entries(plain), (std::vector<std::wstring>{L"b", L"a"}));
}

TEST_F(ComboBoxTest, FindStartsAfterTheIndexAndWrapsRound) {
    HWND control = combo(CBS_DROPDOWN);
    for (const wchar_t* text : {L"HEA 100", L"HEB 100", L"hea 200", L"IPE 80"})
        add(control, text);
    EXPECT_EQ(find(control, CB_FINDSTRING, -1, L"hea"), 0);
    EXPECT_EQ(find(control, CB_FINDSTRING, 0, L"hea"), 2);
    EXPECT_EQ(find(control, CB_FINDSTRING, 2, L"hea"), 0); // wrapped
    EXPECT_EQ(find(control, CB_FINDSTRING, -1, L"UPN"), CB_ERR);
    EXPECT_EQ(find(control, CB_FINDSTRINGEXACT, -1, L"hea"), CB_ERR);
    EXPECT_EQ(find(control, CB_FINDSTRINGEXACT, -1, L"ipe 80"), 3);
    EXPECT_EQ(find(control, CB_FINDSTRINGEXACT, 3, L"IPE 80"), 3); // wraps back to itself

    EXPECT_EQ(find(control, CB_SELECTSTRING, -1, L"heb"), 1);
    EXPECT_EQ(send(control, CB_GETCURSEL), 1);
    EXPECT_EQ(textOf(control), L"HEB 100");
    EXPECT_EQ(find(control, CB_SELECTSTRING, -1, L"none"), CB_ERR);
    EXPECT_EQ(send(control, CB_GETCURSEL), 1); // unchanged
    EXPECT_TRUE(host.commands(kId).empty());
}

TEST_F(ComboBoxTest, ProgrammaticSelectionIsSilentAndShowsTheEntry) {
    HWND list = combo(CBS_DROPDOWNLIST);
    add(list, L"one");
    add(list, L"two");
    EXPECT_EQ(send(list, CB_GETCURSEL), CB_ERR);
    EXPECT_EQ(textOf(list), L"");
    EXPECT_EQ(send(list, CB_SETCURSEL, 1), 1);
    EXPECT_EQ(textOf(list), L"two");
    EXPECT_EQ(send(list, CB_SETCURSEL, 7), CB_ERR);
    EXPECT_EQ(send(list, CB_GETCURSEL), CB_ERR); // out of range clears the selection
    EXPECT_EQ(textOf(list), L"");
    EXPECT_EQ(sendText(list, WM_SETTEXT, 0, L"ONE"), TRUE); // names an entry
    EXPECT_EQ(send(list, CB_GETCURSEL), 0);
    EXPECT_EQ(sendText(list, WM_SETTEXT, 0, L"three"), CB_ERR);

    HWND editable = combo(CBS_DROPDOWN);
    add(editable, L"alpha");
    send(editable, CB_SETCURSEL, 0);
    EXPECT_EQ(textOf(editable), L"alpha");
    DWORD start = 9;
    DWORD end = 9;
    send(editable, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 5u);
    EXPECT_TRUE(host.commands(kId).empty());
}

TEST_F(ComboBoxTest, AUserChoiceDropsSelectsAndClosesWithItsNotifications) {
    HWND list = combo(CBS_DROPDOWNLIST);
    add(list, L"one");
    add(list, L"two");
    int selectionSeen = -2;
    host.onCommand = [&](int, int code, HWND from) {
        if (code == CBN_SELCHANGE) selectionSeen = static_cast<int>(send(from, CB_GETCURSEL));
    };
    ASSERT_TRUE(winx::userChoose(list, 1));
    EXPECT_EQ(host.commands(kId), (std::vector<int>{CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELCHANGE,
                                                    CBN_SELENDOK, CBN_CLOSEUP}));
    EXPECT_EQ(selectionSeen, 1);
    EXPECT_EQ(send(list, CB_GETDROPPEDSTATE), FALSE);

    host.clear();
    ASSERT_TRUE(winx::userChoose(list, std::wstring_view(L"ONE")));
    EXPECT_EQ(host.commands(kId),
              (std::vector<int>{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
    EXPECT_FALSE(winx::userChoose(list, 2));
    EXPECT_FALSE(winx::userChoose(list, std::wstring_view(L"three")));
    EXPECT_EQ(send(list, CB_GETCURSEL), 0);
}

TEST_F(ComboBoxTest, DroppingAndClosingByHandAndLosingFocusWhileDropped) {
    HWND list = combo(CBS_DROPDOWNLIST);
    add(list, L"one");
    MSG enter;
    enter.message = WM_KEYDOWN;
    enter.wParam = VK_RETURN;
    const auto enterParam = reinterpret_cast<LPARAM>(&enter);
    EXPECT_EQ(send(list, WM_GETDLGCODE, 0, enterParam) & DLGC_WANTALLKEYS, 0);
    send(list, CB_SHOWDROPDOWN, TRUE);
    EXPECT_EQ(send(list, CB_GETDROPPEDSTATE), TRUE);
    EXPECT_EQ(send(list, WM_GETDLGCODE, 0, enterParam) & DLGC_WANTALLKEYS, DLGC_WANTALLKEYS);
    send(list, CB_SHOWDROPDOWN, FALSE);
    EXPECT_EQ(host.commands(kId), (std::vector<int>{CBN_DROPDOWN, CBN_CLOSEUP}));

    host.clear();
    SetFocus(list);
    SendMessage(list, WM_LBUTTONDOWN, 1, at(5, 5)); // opens the list
    HWND other = host.create(L"Edit", 0, kId + 1);
    SetFocus(other);
    EXPECT_EQ(host.commands(kId), (std::vector<int>{CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELENDCANCEL,
                                                    CBN_CLOSEUP, CBN_KILLFOCUS}));
}

TEST_F(ComboBoxTest, TypingInAnEditableComboReportsEditChanges) {
    HWND editable = combo(CBS_DROPDOWN | CBS_AUTOHSCROLL);
    add(editable, L"HEA 100");
    SetFocus(editable);
    host.clear();
    ASSERT_TRUE(winx::userType(editable, L"IPE"));
    EXPECT_EQ(textOf(editable), L"IPE");
    std::vector<int> expected;
    for (int i = 0; i < 3; ++i) {
        expected.push_back(CBN_EDITUPDATE);
        expected.push_back(CBN_EDITCHANGE);
    }
    EXPECT_EQ(host.commands(kId), expected);
    EXPECT_EQ(send(editable, CB_GETCURSEL), CB_ERR); // typing selects no entry

    host.clear();
    send(editable, CB_LIMITTEXT, 4);
    winx::userType(editable, L" 80");
    EXPECT_EQ(textOf(editable), L"IPE ");
    send(editable, CB_SETEDITSEL, 0, MAKELPARAM(1, 0xFFFF));
    SendMessage(editable, WM_CHAR, L'x', 1);
    EXPECT_EQ(textOf(editable), L"Ix");
    sendText(editable, WM_SETTEXT, 0, L"set");
    EXPECT_EQ(textOf(editable), L"set");
    EXPECT_EQ(host.commands(kId).size(), 4u); // the program's text is not reported

    HWND list = combo(CBS_DROPDOWNLIST);
    EXPECT_EQ(send(list, CB_LIMITTEXT, 4), CB_ERR);
    EXPECT_EQ(send(list, CB_GETEDITSEL), CB_ERR);
    EXPECT_FALSE(winx::userType(list, L"x"));
}

TEST_F(ComboBoxTest, DeletingAndResettingKeepTheSelectionConsistent) {
    HWND editable = combo(CBS_DROPDOWN);
    for (const wchar_t* text : {L"a", L"b", L"c"})
        add(editable, text);
    send(editable, CB_SETITEMDATA, 2, 77);
    send(editable, CB_SETCURSEL, 2);
    EXPECT_EQ(send(editable, CB_DELETESTRING, 0), 2);
    EXPECT_EQ(send(editable, CB_GETCURSEL), 1);
    EXPECT_EQ(send(editable, CB_GETITEMDATA, 1), 77);
    EXPECT_EQ(send(editable, CB_DELETESTRING, 1), 1);
    EXPECT_EQ(send(editable, CB_GETCURSEL), CB_ERR);
    EXPECT_EQ(send(editable, CB_DELETESTRING, 5), CB_ERR);
    EXPECT_EQ(send(editable, CB_GETITEMDATA, 5), CB_ERR);
    EXPECT_EQ(send(editable, CB_SETITEMDATA, 5, 1), CB_ERR);
    EXPECT_EQ(send(editable, CB_GETLBTEXTLEN, 5), CB_ERR);
    EXPECT_EQ(send(editable, CB_GETLBTEXT, 0, 0), CB_ERR); // no buffer
    send(editable, CB_SETCURSEL, 0);
    EXPECT_EQ(send(editable, CB_RESETCONTENT), CB_OKAY);
    EXPECT_EQ(send(editable, CB_GETCOUNT), 0);
    EXPECT_EQ(textOf(editable), L"");
}

TEST_F(ComboBoxTest, KeyboardSelectionNotifiesLikeTheUser) {
    HWND list = combo(CBS_DROPDOWNLIST);
    for (const wchar_t* text : {L"apple", L"banana", L"blueberry"})
        add(list, text);
    pressKey(list, VK_DOWN);
    EXPECT_EQ(send(list, CB_GETCURSEL), 0);
    SendMessage(list, WM_CHAR, L'b', 1);
    EXPECT_EQ(send(list, CB_GETCURSEL), 1);
    SendMessage(list, WM_CHAR, L'b', 1);
    EXPECT_EQ(send(list, CB_GETCURSEL), 2);
    pressKey(list, VK_DOWN); // already at the end
    EXPECT_EQ(host.commands(kId), (std::vector<int>{CBN_SELCHANGE, CBN_SELCHANGE, CBN_SELCHANGE}));

    host.clear();
    pressKey(list, VK_F4);
    pressKey(list, VK_UP);
    pressKey(list, VK_RETURN);
    EXPECT_EQ(host.commands(kId),
              (std::vector<int>{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
    EXPECT_EQ(send(list, CB_GETCURSEL), 1);
}

TEST_F(ComboBoxTest, ListGeometryFollowsTheSettings) {
    HWND list = combo(CBS_DROPDOWNLIST);
    RECT window;
    GetWindowRect(list, &window);
    const LRESULT width = window.right - window.left;
    EXPECT_EQ(send(list, CB_GETDROPPEDWIDTH), width);
    EXPECT_EQ(send(list, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(width + 50)), width + 50);
    EXPECT_EQ(send(list, CB_SETDROPPEDWIDTH, 1), width); // never narrower than the control
    EXPECT_EQ(send(list, CB_SETITEMHEIGHT, 0, 0), CB_ERR);
    EXPECT_EQ(send(list, CB_SETITEMHEIGHT, 0, 21), 0);
    EXPECT_EQ(send(list, CB_GETITEMHEIGHT, 0), 21);
    EXPECT_NE(send(list, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1)), 21);
}

} // namespace

#include "afxwin.h"

namespace {

TEST_F(ComboBoxTest, TheClassLibraryWrapperDrivesTheSameControl) {
    CComboBox wrapper;
    ASSERT_TRUE(wrapper.Attach(combo(CBS_DROPDOWN | CBS_SORT)));
    EXPECT_EQ(wrapper.AddString(L"pear"), 0);
    EXPECT_EQ(wrapper.AddString(L"Apple"), 0);
    wrapper.SetItemData(1, 0xBEEF);
    EXPECT_EQ(wrapper.GetItemData(1), 0xBEEFu);
    std::wstring text;
    wrapper.GetLBText(1, text);
    EXPECT_EQ(text, L"pear");
    wrapper.GetLBText(7, text);
    EXPECT_EQ(text, L"");
    EXPECT_EQ(wrapper.FindStringExact(-1, L"APPLE"), 0);
    EXPECT_EQ(wrapper.SelectString(-1, L"pe"), 1);
    EXPECT_EQ(wrapper.GetCurSel(), 1);
    EXPECT_EQ(wrapper.GetWindowText(), L"pear");
    wrapper.SetEditSel(1, -1);
    EXPECT_EQ(wrapper.GetEditSel(), static_cast<DWORD>(MAKELONG(1, 4)));
    wrapper.ShowDropDown();
    EXPECT_TRUE(wrapper.GetDroppedState());
    wrapper.ShowDropDown(FALSE);
    EXPECT_EQ(wrapper.DeleteString(0), 1);
    wrapper.ResetContent();
    EXPECT_EQ(wrapper.GetCount(), 0);
    wrapper.Detach();
}

} // namespace
