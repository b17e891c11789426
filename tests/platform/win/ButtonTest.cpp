#include "ControlTestHost.h"

#include <vector>

namespace {

using controltest::ControlTest;

class ButtonTest : public ControlTest {
protected:
    HWND button(DWORD style, int id, RECT rect = RECT{10, 10, 110, 40}) {
        return host.create(L"Button", style, id, L"Button", rect);
    }
    UINT check(HWND control) { return static_cast<UINT>(send(control, BM_GETCHECK)); }
    int clicks(int id) {
        int count = 0;
        for (int code : host.commands(id))
            count += code == BN_CLICKED ? 1 : 0;
        return count;
    }
};

TEST_F(ButtonTest, PushButtonClicksOnlyWhenEnabledAndReleasedInside) {
    HWND ok = button(BS_PUSHBUTTON, IDOK);
    send(ok, BM_CLICK);
    EXPECT_EQ(host.commands(IDOK), std::vector<int>{BN_CLICKED});
    EXPECT_EQ(host.notices.back().from, ok);

    host.clear();
    SendMessage(ok, WM_LBUTTONDOWN, 1, at(5, 5));
    EXPECT_EQ(send(ok, BM_GETSTATE) & BST_PUSHED, BST_PUSHED);
    SendMessage(ok, WM_LBUTTONUP, 0, at(500, 5)); // released outside
    EXPECT_EQ(send(ok, BM_GETSTATE) & BST_PUSHED, 0u);
    EXPECT_EQ(clicks(IDOK), 0);

    mouseClick(ok, 5, 5);
    EXPECT_EQ(clicks(IDOK), 1);

    host.clear();
    EnableWindow(ok, FALSE);
    send(ok, BM_CLICK);
    mouseClick(ok, 5, 5);
    pressKey(ok, VK_SPACE);
    EXPECT_EQ(clicks(IDOK), 0);
}

TEST_F(ButtonTest, SpaceKeyClicksLikeTheMouse) {
    HWND apply = button(BS_PUSHBUTTON, 12);
    SendMessage(apply, WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_EQ(clicks(12), 0);
    SendMessage(apply, WM_KEYUP, VK_SPACE, 1);
    EXPECT_EQ(clicks(12), 1);
    SendMessage(apply, WM_KEYUP, VK_SPACE, 1); // a release without a press clicks nothing
    EXPECT_EQ(clicks(12), 1);
}

TEST_F(ButtonTest, AutoCheckBoxTogglesBeforeItNotifies) {
    HWND box = button(BS_AUTOCHECKBOX, 20);
    std::vector<UINT> seenInHandler;
    host.onCommand = [&](int, int code, HWND from) {
        if (code == BN_CLICKED) seenInHandler.push_back(check(from));
    };
    send(box, BM_CLICK);
    send(box, BM_CLICK);
    EXPECT_EQ(seenInHandler, (std::vector<UINT>{BST_CHECKED, BST_UNCHECKED}));

    HWND manual = button(BS_CHECKBOX, 21);
    send(manual, BM_CLICK);
    EXPECT_EQ(check(manual), BST_UNCHECKED); // the application checks a plain check box
    EXPECT_EQ(clicks(21), 1);
}

TEST_F(ButtonTest, AutoThreeStateCyclesThroughIndeterminate) {
    HWND box = button(BS_AUTO3STATE, 22);
    std::vector<UINT> states;
    for (int i = 0; i < 4; ++i) {
        send(box, BM_CLICK);
        states.push_back(check(box));
    }
    EXPECT_EQ(states,
              (std::vector<UINT>{BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED, BST_CHECKED}));
}

TEST_F(ButtonTest, IndeterminateIsOnlyForThreeStateBoxes) {
    HWND twoState = button(BS_AUTOCHECKBOX, 23);
    HWND threeState = button(BS_3STATE, 24);
    HWND push = button(BS_PUSHBUTTON, 25);
    send(twoState, BM_SETCHECK, BST_INDETERMINATE);
    send(threeState, BM_SETCHECK, BST_INDETERMINATE);
    send(push, BM_SETCHECK, BST_CHECKED);
    EXPECT_EQ(check(twoState), BST_CHECKED);
    EXPECT_EQ(check(threeState), BST_INDETERMINATE);
    EXPECT_EQ(check(push), BST_UNCHECKED);
    EXPECT_EQ(send(threeState, BM_GETSTATE) & 0x3, BST_INDETERMINATE);
    EXPECT_TRUE(host.commands(23).empty()); // setting a check notifies nobody
}

TEST_F(ButtonTest, AutoRadioButtonsUncheckTheRestOfTheirGroupOnly) {
    HWND first = button(BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 30, RECT{10, 10, 90, 30});
    HWND second = button(BS_AUTORADIOBUTTON, 31, RECT{10, 40, 90, 60});
    HWND third = button(BS_AUTORADIOBUTTON, 32, RECT{10, 70, 90, 90});
    HWND otherGroup = button(BS_AUTORADIOBUTTON | WS_GROUP, 33, RECT{10, 100, 90, 120});
    send(otherGroup, BM_SETCHECK, BST_CHECKED);

    send(first, BM_CLICK);
    send(third, BM_CLICK);
    EXPECT_EQ(check(first), BST_UNCHECKED);
    EXPECT_EQ(check(second), BST_UNCHECKED);
    EXPECT_EQ(check(third), BST_CHECKED);
    EXPECT_EQ(check(otherGroup), BST_CHECKED);
    EXPECT_EQ(clicks(30) + clicks(32), 2);

    // The checked radio button is the group's tab stop.
    EXPECT_EQ(GetWindowLongPtr(third, GWL_STYLE) & WS_TABSTOP, WS_TABSTOP);
    EXPECT_EQ(GetWindowLongPtr(first, GWL_STYLE) & WS_TABSTOP, 0);
}

TEST_F(ButtonTest, GroupBoxesNeverClick) {
    HWND frame = button(BS_GROUPBOX, 40);
    send(frame, BM_CLICK);
    mouseClick(frame, 5, 5);
    pressKey(frame, VK_SPACE);
    EXPECT_TRUE(host.commands(40).empty());
    EXPECT_EQ(send(frame, WM_GETDLGCODE), DLGC_STATIC);
}

TEST_F(ButtonTest, DialogCodesFollowTheKindAndTheDialogManagerSwitchesTheDefault) {
    HWND push = button(BS_PUSHBUTTON, 50);
    HWND def = button(BS_DEFPUSHBUTTON, 51);
    HWND radio = button(BS_RADIOBUTTON, 52);
    HWND box = button(BS_CHECKBOX, 53);
    EXPECT_EQ(send(push, WM_GETDLGCODE), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
    EXPECT_EQ(send(def, WM_GETDLGCODE), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(send(radio, WM_GETDLGCODE), DLGC_BUTTON | DLGC_RADIOBUTTON);
    EXPECT_EQ(send(box, WM_GETDLGCODE), DLGC_BUTTON);

    send(def, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    send(push, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(send(push, WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON, DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(send(def, WM_GETDLGCODE) & DLGC_UNDEFPUSHBUTTON, DLGC_UNDEFPUSHBUTTON);
    // Only the kind changes; the other style bits stay.
    EXPECT_EQ(GetWindowLongPtr(push, GWL_STYLE) & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
}

TEST_F(ButtonTest, DoubleClicksAreSecondClicksUnlessTheButtonReportsThem) {
    HWND push = button(BS_PUSHBUTTON, 60);
    SendMessage(push, WM_LBUTTONDBLCLK, 1, at(5, 5));
    SendMessage(push, WM_LBUTTONUP, 0, at(5, 5));
    EXPECT_EQ(host.commands(60), std::vector<int>{BN_CLICKED});

    HWND notifying = button(BS_PUSHBUTTON | BS_NOTIFY, 61);
    SendMessage(notifying, WM_LBUTTONDBLCLK, 1, at(5, 5));
    EXPECT_EQ(host.commands(61), std::vector<int>{BN_DOUBLECLICKED});
}

TEST_F(ButtonTest, ImagesAreKeptPerKindAndTheOldOneIsReturned) {
    HWND picture = button(BS_PUSHBUTTON | BS_BITMAP, 70);
    auto* first = reinterpret_cast<HBITMAP>(0x5000);
    auto* second = reinterpret_cast<HBITMAP>(0x5010);
    EXPECT_EQ(send(picture, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(first)), 0);
    EXPECT_EQ(send(picture, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(second)),
              reinterpret_cast<LRESULT>(first));
    EXPECT_EQ(send(picture, BM_GETIMAGE, IMAGE_BITMAP), reinterpret_cast<LRESULT>(second));
    EXPECT_EQ(send(picture, BM_GETIMAGE, IMAGE_ICON), 0);
}

TEST_F(ButtonTest, FocusShowsInTheStateAndNotifiesWithBsNotify) {
    HWND plain = button(BS_PUSHBUTTON, 80);
    HWND notifying = button(BS_PUSHBUTTON | BS_NOTIFY, 81);
    SetFocus(plain);
    EXPECT_EQ(send(plain, BM_GETSTATE) & BST_FOCUS, BST_FOCUS);
    SetFocus(notifying);
    EXPECT_EQ(send(plain, BM_GETSTATE) & BST_FOCUS, 0u);
    SetFocus(plain);
    EXPECT_TRUE(host.commands(80).empty());
    EXPECT_EQ(host.commands(81), (std::vector<int>{BN_SETFOCUS, BN_KILLFOCUS}));
}

TEST_F(ButtonTest, CheckChangesReachTheWindowObserverOncePerMessage) {
    HWND box = button(BS_AUTOCHECKBOX, 85);
    struct Seen {
        HWND window = nullptr;
        int changes = 0;
    } seen{box, 0};
    winx::setObserver(
        [](void* context, HWND hwnd, winx::WindowChange change) {
            auto* record = static_cast<Seen*>(context);
            if (hwnd == record->window && change == winx::WindowChange::State) ++record->changes;
        },
        &seen);
    send(box, BM_SETCHECK, BST_CHECKED);
    EXPECT_EQ(seen.changes, 1);
    send(box, BM_GETCHECK);
    EXPECT_EQ(seen.changes, 1); // reading changes nothing
    winx::setObserver(nullptr, nullptr);
    send(box, BM_SETCHECK, BST_UNCHECKED);
    EXPECT_EQ(seen.changes, 1);
}

TEST_F(ButtonTest, AParentThatDestroysTheButtonOnClickIsSafe) {
    HWND close = button(BS_AUTOCHECKBOX, 90);
    host.onCommand = [](int, int code, HWND from) {
        if (code == BN_CLICKED) DestroyWindow(from);
    };
    send(close, BM_CLICK);
    EXPECT_FALSE(IsWindow(close));
    EXPECT_EQ(send(close, BM_GETCHECK), 0); // a stale handle answers nothing
}

} // namespace
