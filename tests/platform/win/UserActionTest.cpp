#include "ControlTestHost.h"

#include "win/winx_user.h"

#include <vector>

namespace {

using controltest::ControlTest;

class UserActionTest : public ControlTest {
protected:
    HWND comboWith(DWORD style, int id) {
        HWND combo = host.create(L"ComboBox", style, id);
        sendText(combo, CB_ADDSTRING, 0, L"first");
        sendText(combo, CB_ADDSTRING, 0, L"second");
        return combo;
    }
    // Every action on the control, each expected to fail.
    void expectEveryActionRefused(HWND control) {
        EXPECT_FALSE(winx::userClick(control));
        EXPECT_FALSE(winx::userDoubleClick(control, 0));
        EXPECT_FALSE(winx::userType(control, L"x"));
        EXPECT_FALSE(winx::userSetText(control, L"x"));
        EXPECT_FALSE(winx::userChoose(control, 0));
        EXPECT_FALSE(winx::userChoose(control, std::wstring_view(L"first")));
        EXPECT_FALSE(winx::userCheck(control, BST_CHECKED));
    }
};

TEST_F(UserActionTest, HiddenDisabledAndMissingControlsRefuseEveryActionSilently) {
    HWND hiddenButton = host.create(L"Button", BS_AUTOCHECKBOX, 1);
    ShowWindow(hiddenButton, SW_HIDE);
    HWND disabledEdit = host.create(L"Edit", WS_DISABLED, 2);
    HWND hiddenCombo = comboWith(CBS_DROPDOWN, 3);
    ShowWindow(hiddenCombo, SW_HIDE);
    HWND panel = host.create(L"Static", SS_LEFT, 4);
    HWND insideDisabled = CreateWindowEx(0, L"Button", L"in", WS_CHILD | WS_VISIBLE | BS_CHECKBOX,
                                         0, 0, 20, 20, panel, nullptr, nullptr, nullptr);
    EnableWindow(panel, FALSE);
    HWND gone = host.create(L"Button", BS_PUSHBUTTON, 5);
    DestroyWindow(gone);
    const HWND focusBefore = GetFocus();
    host.clear();

    for (HWND control : {hiddenButton, disabledEdit, hiddenCombo, insideDisabled, gone}) {
        expectEveryActionRefused(control);
    }
    expectEveryActionRefused(nullptr);
    EXPECT_TRUE(host.notices.empty());
    EXPECT_EQ(GetFocus(), focusBefore);
    EXPECT_EQ(SendMessage(hiddenButton, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(textOf(disabledEdit), L"");
}

TEST_F(UserActionTest, ActionsTheControlDoesNotSupportAreRefused) {
    HWND frame = host.create(L"Button", BS_GROUPBOX, 1);
    HWND push = host.create(L"Button", BS_PUSHBUTTON, 2);
    HWND readOnly = host.create(L"Edit", ES_READONLY, 3, L"fixed");
    HWND list = comboWith(CBS_DROPDOWNLIST, 4);
    HWND label = host.create(L"Static", SS_LEFT, 5);
    EXPECT_FALSE(winx::userClick(frame));
    EXPECT_FALSE(winx::userCheck(push, BST_CHECKED));
    EXPECT_FALSE(winx::userChoose(push, 0));
    EXPECT_FALSE(winx::userType(readOnly, L"x"));
    EXPECT_FALSE(winx::userSetText(readOnly, L"x"));
    EXPECT_FALSE(winx::userSetText(list, L"first"));
    EXPECT_FALSE(winx::userDoubleClick(list, 0)); // only a simple combo box has a list to hit
    EXPECT_FALSE(winx::userClick(label));
    EXPECT_FALSE(winx::userChoose(list, -1));
    EXPECT_EQ(textOf(readOnly), L"fixed");
    EXPECT_TRUE(host.commands(2).empty());
}

TEST_F(UserActionTest, SetTextFocusesSelectsAllAndTypesLikeAUser) {
    HWND edit = host.create(L"Edit", ES_AUTOHSCROLL, 10, L"old text");
    ASSERT_TRUE(winx::userSetText(edit, L"new"));
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(textOf(edit), L"new");
    EXPECT_EQ(SendMessage(edit, EM_GETMODIFY, 0, 0), TRUE);
    std::vector<int> expected{EN_SETFOCUS};
    for (int i = 0; i < 3; ++i) {
        expected.push_back(EN_UPDATE);
        expected.push_back(EN_CHANGE);
    }
    EXPECT_EQ(host.commands(10), expected);

    host.clear();
    ASSERT_TRUE(winx::userSetText(edit, L""));
    EXPECT_EQ(textOf(edit), L"");
    EXPECT_EQ(host.commands(10), (std::vector<int>{EN_UPDATE, EN_CHANGE}));

    ASSERT_TRUE(winx::userType(edit, L"ab"));
    ASSERT_TRUE(winx::userType(edit, L"c"));
    EXPECT_EQ(textOf(edit), L"abc"); // typing continues at the caret

    HWND multi = host.create(L"Edit", ES_MULTILINE | ES_WANTRETURN, 11);
    ASSERT_TRUE(winx::userType(multi, L"one\ntwo\r\nthree"));
    EXPECT_EQ(textOf(multi), L"one\r\ntwo\r\nthree");
    EXPECT_EQ(SendMessage(multi, EM_GETLINECOUNT, 0, 0), 3);

    HWND combo = comboWith(CBS_DROPDOWN, 12);
    ASSERT_TRUE(winx::userSetText(combo, L"typed"));
    EXPECT_EQ(textOf(combo), L"typed");
}

TEST_F(UserActionTest, CheckClicksUntilTheStateIsReachedOrRefusesUnreachableStates) {
    HWND box = host.create(L"Button", BS_AUTO3STATE, 20);
    ASSERT_TRUE(winx::userCheck(box, BST_INDETERMINATE));
    EXPECT_EQ(SendMessage(box, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    EXPECT_EQ(host.commands(20), (std::vector<int>{BN_CLICKED, BN_CLICKED}));
    ASSERT_TRUE(winx::userCheck(box, BST_INDETERMINATE)); // already there: no click
    EXPECT_EQ(host.commands(20).size(), 2u);

    HWND twoState = host.create(L"Button", BS_AUTOCHECKBOX, 21);
    EXPECT_FALSE(winx::userCheck(twoState, BST_INDETERMINATE));
    EXPECT_FALSE(winx::userCheck(twoState, 7));
    EXPECT_TRUE(host.commands(21).empty());

    HWND radio = host.create(L"Button", BS_AUTORADIOBUTTON | WS_GROUP, 22);
    ASSERT_TRUE(winx::userCheck(radio, BST_CHECKED));
    EXPECT_FALSE(winx::userCheck(radio, BST_UNCHECKED)); // a click never unchecks it
    EXPECT_EQ(host.commands(22), std::vector<int>{BN_CLICKED});

    // A plain check box changes only when the application answers the click.
    HWND manual = host.create(L"Button", BS_CHECKBOX, 23);
    EXPECT_FALSE(winx::userCheck(manual, BST_CHECKED));
    EXPECT_EQ(host.commands(23).size(), 3u);
    host.onCommand = [](int id, int code, HWND from) {
        if (id == 23 && code == BN_CLICKED) {
            SendMessage(from, BM_SETCHECK, SendMessage(from, BM_GETCHECK, 0, 0) ? 0 : 1, 0);
        }
    };
    EXPECT_TRUE(winx::userCheck(manual, BST_CHECKED));
}

TEST_F(UserActionTest, DoubleClickPicksTheCurrentEntryWhenNoIndexIsGiven) {
    HWND list = host.create(L"ListBox", LBS_NOTIFY, 30);
    sendText(list, LB_ADDSTRING, 0, L"a");
    sendText(list, LB_ADDSTRING, 0, L"b");
    EXPECT_FALSE(winx::userDoubleClick(list)); // nothing selected yet
    SendMessage(list, LB_SETCURSEL, 1, 0);
    ASSERT_TRUE(winx::userDoubleClick(list));
    EXPECT_EQ(host.commands(30).back(), LBN_DBLCLK);
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 1);
    EXPECT_FALSE(winx::userDoubleClick(list, 2));

    HWND simple = comboWith(CBS_SIMPLE, 31);
    ASSERT_TRUE(winx::userDoubleClick(simple, 0));
    EXPECT_EQ(host.commands(31),
              (std::vector<int>{CBN_SETFOCUS, CBN_SELCHANGE, CBN_SELENDOK, CBN_DBLCLK}));
}

} // namespace
