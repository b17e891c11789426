#include "platform/win/WindowTestSupport.h"

#include "afxwin.h"

namespace {

using namespace wintest;

class BaseWnd : public CWnd {
public:
    std::vector<std::string> calls;
    CSize lastSize;

    BOOL createPlain(HWND parent = nullptr) {
        return CreateEx(0, AfxRegisterWndClass(0), L"plain", parent ? WS_CHILD : WS_POPUP,
                        CRect(0, 0, 100, 80), parent ? CWnd::FromHandle(parent) : nullptr, 1);
    }

protected:
    void onHundred() { calls.push_back("base 100"); }
    void onOneFifty() { calls.push_back("base 150"); }
    afx_msg void OnSize(UINT type, int cx, int cy) {
        lastSize = CSize(cx, cy);
        CWnd::OnSize(type, cx, cy);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseWnd, CWnd)
ON_COMMAND(100, &BaseWnd::onHundred)
ON_COMMAND(150, &BaseWnd::onOneFifty)
ON_WM_SIZE()
END_MESSAGE_MAP()

class DerivedWnd : public BaseWnd {
public:
    std::vector<UINT> rangeIds;
    std::vector<UINT_PTR> timers;
    int clicks = 0, changes = 0, selections = 0, notifies = 0, closes = 0, destroys = 0;
    LRESULT appResult = 0;

protected:
    void onDerivedHundred() { calls.push_back("derived 100"); }
    void onRange(UINT id) { rangeIds.push_back(id); }
    void onClicked() { ++clicks; }
    void onChange() { ++changes; }
    void onSelChange() { ++selections; }
    void onNotify(NMHDR* header, LRESULT* result) {
        ++notifies;
        *result = static_cast<LRESULT>(header->idFrom) * 2;
    }
    LRESULT onApp(WPARAM w, LPARAM l) { return static_cast<LRESULT>(w + static_cast<WPARAM>(l)); }
    afx_msg void OnTimer(UINT_PTR id) { timers.push_back(id); }
    afx_msg void OnClose() {
        ++closes; // does not call the default: the window stays
    }
    afx_msg void OnDestroy() {
        ++destroys;
        CWnd::OnDestroy();
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedWnd, BaseWnd)
ON_COMMAND(100, &DerivedWnd::onDerivedHundred)
ON_COMMAND_RANGE(200, 210, &DerivedWnd::onRange)
ON_BN_CLICKED(1, &DerivedWnd::onClicked)
ON_EN_CHANGE(2, &DerivedWnd::onChange)
ON_CBN_SELCHANGE(3, &DerivedWnd::onSelChange)
ON_NOTIFY(NM_CLICK, 5, &DerivedWnd::onNotify)
ON_MESSAGE(WM_APP + 1, &DerivedWnd::onApp)
ON_WM_TIMER()
ON_WM_CLOSE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

class ClassLibraryMessageMap : public WindowTest {};

TEST_F(ClassLibraryMessageMap, DerivedEntriesWinAndBaseEntriesStillApply) {
    DerivedWnd wnd;
    ASSERT_TRUE(wnd.createPlain());
    wnd.SendMessage(WM_COMMAND, 100, 0);
    wnd.SendMessage(WM_COMMAND, 150, 0);
    EXPECT_EQ(wnd.calls, (std::vector<std::string>{"derived 100", "base 150"}));
    wnd.SendMessage(WM_COMMAND, 205, 0);
    wnd.SendMessage(WM_COMMAND, 211, 0);
    EXPECT_EQ(wnd.rangeIds, (std::vector<UINT>{205}));
    wnd.MoveWindow(0, 0, 120, 90);
    EXPECT_EQ(wnd.lastSize, CSize(120, 90));
    EXPECT_EQ(wnd.SendMessage(WM_APP + 1, 3, 4), 7);
}

TEST_F(ClassLibraryMessageMap, NotificationsAreMatchedByCodeAndControlId) {
    DerivedWnd wnd;
    ASSERT_TRUE(wnd.createPlain());
    const HWND child = makeChild(wnd.m_hWnd, 1);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), reinterpret_cast<LPARAM>(child));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(2, EN_CHANGE), reinterpret_cast<LPARAM>(child));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(2, EN_KILLFOCUS), reinterpret_cast<LPARAM>(child));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(3, CBN_SELCHANGE), reinterpret_cast<LPARAM>(child));
    EXPECT_EQ(wnd.clicks, 1);
    EXPECT_EQ(wnd.changes, 1);
    EXPECT_EQ(wnd.selections, 1);
    NMHDR header{child, 5, NM_CLICK};
    EXPECT_EQ(wnd.SendMessage(WM_NOTIFY, 5, reinterpret_cast<LPARAM>(&header)), 10);
    header.code = NM_DBLCLK;
    EXPECT_EQ(wnd.SendMessage(WM_NOTIFY, 5, reinterpret_cast<LPARAM>(&header)), 0);
    EXPECT_EQ(wnd.notifies, 1);
}

TEST_F(ClassLibraryMessageMap, WindowMessagesReachTheirHandlersInsideTheWindowProcedure) {
    auto* wnd = new DerivedWnd;
    ASSERT_TRUE(wnd->createPlain());
    const HWND hwnd = wnd->m_hWnd;
    wnd->SetTimer(4, 50);
    winx::advanceClock(100);
    EXPECT_EQ(wnd->timers, (std::vector<UINT_PTR>{4, 4}));
    wnd->SendMessage(WM_CLOSE);
    EXPECT_EQ(wnd->closes, 1);
    EXPECT_TRUE(IsWindow(hwnd));
    wnd->DestroyWindow();
    EXPECT_EQ(wnd->destroys, 1);
    EXPECT_EQ(wnd->m_hWnd, nullptr); // detached on WM_NCDESTROY
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
    delete wnd;
}

class SelfDeleting : public CWnd {
public:
    explicit SelfDeleting(bool& deleted) : deleted_(deleted) {}
    ~SelfDeleting() override { deleted_ = true; }

protected:
    void PostNcDestroy() override { delete this; }

private:
    bool& deleted_;
};

TEST_F(ClassLibraryMessageMap, PostNcDestroyMayDeleteTheObject) {
    bool deleted = false;
    auto* wnd = new SelfDeleting(deleted);
    ASSERT_TRUE(
        wnd->CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    const HWND hwnd = wnd->m_hWnd;
    DestroyWindow(hwnd);
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(ClassLibraryMessageMap, TemporaryObjectsStandInUntilAPermanentOneIsAttached) {
    const HWND plain = makeWindow(WS_OVERLAPPED, nullptr, 0, L"Plain");
    CWnd* temp = CWnd::FromHandle(plain);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(CWnd::FromHandle(plain), temp);
    EXPECT_EQ(CWnd::FromHandlePermanent(plain), nullptr);
    EXPECT_EQ(temp->GetWindowText(), L"Plain");
    CWnd owner;
    ASSERT_TRUE(owner.Attach(plain));
    EXPECT_EQ(CWnd::FromHandle(plain), &owner);
    EXPECT_FALSE(CWnd().Attach(plain)); // one permanent object per window
    EXPECT_EQ(owner.Detach(), plain);
    EXPECT_EQ(CWnd::FromHandlePermanent(plain), nullptr);
    DestroyWindow(plain);
    EXPECT_EQ(CWnd::FromHandle(plain), nullptr);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
}

class Subclassed : public CWnd {
public:
    int sizes = 0;

protected:
    afx_msg void OnSize(UINT type, int cx, int cy) {
        ++sizes;
        CWnd::OnSize(type, cx, cy); // reaches the window's own procedure
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Subclassed, CWnd)
ON_WM_SIZE()
END_MESSAGE_MAP()

TEST_F(ClassLibraryMessageMap, SubclassingRoutesAnExistingWindowThroughTheMapFirst) {
    const HWND hwnd = makeWindow(WS_OVERLAPPED);
    Subclassed wnd;
    ASSERT_TRUE(wnd.SubclassWindow(hwnd));
    messageLog().clear();
    MoveWindow(hwnd, 0, 0, 33, 44, TRUE);
    EXPECT_EQ(wnd.sizes, 1);
    EXPECT_EQ(countOf(hwnd, WM_SIZE), 1u); // the original procedure saw it through Default()
    EXPECT_EQ(wnd.UnsubclassWindow(), hwnd);
    MoveWindow(hwnd, 0, 0, 55, 66, TRUE);
    EXPECT_EQ(wnd.sizes, 1);
    EXPECT_EQ(countOf(hwnd, WM_SIZE), 2u);
}

class ReflectingButton : public CWnd {
public:
    int reflected = 0;

protected:
    void onClicked() { ++reflected; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectingButton, CWnd)
ON_CONTROL_REFLECT(BN_CLICKED, &ReflectingButton::onClicked)
END_MESSAGE_MAP()

TEST_F(ClassLibraryMessageMap, AControlCanHandleItsOwnReflectedNotification) {
    DerivedWnd parent;
    ASSERT_TRUE(parent.createPlain());
    const HWND button = CreateWindowEx(0, L"Button", L"b", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20,
                                       parent.m_hWnd, reinterpret_cast<HMENU>(1), nullptr, nullptr);
    ReflectingButton control;
    ASSERT_TRUE(control.SubclassWindow(button));
    SendMessage(button, BM_CLICK, 0, 0);
    EXPECT_EQ(control.reflected, 1);
    EXPECT_EQ(parent.clicks, 0); // consumed by the control
}

class KeyFilter : public CWnd {
public:
    std::vector<UINT> keys;

    BOOL PreTranslateMessage(MSG* msg) override {
        return msg->message == WM_KEYDOWN && msg->wParam == VK_F5;
    }

protected:
    afx_msg void OnKeyDown(UINT key, UINT, UINT) { keys.push_back(key); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(KeyFilter, CWnd)
ON_WM_KEYDOWN()
END_MESSAGE_MAP()

TEST_F(ClassLibraryMessageMap, PreTranslateMessageSeesQueuedMessagesOfTheWindowAndItsChildren) {
    KeyFilter frame;
    ASSERT_TRUE(
        frame.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    PostMessage(frame.m_hWnd, WM_KEYDOWN, VK_F5, 1);
    PostMessage(frame.m_hWnd, WM_KEYDOWN, VK_F6, 1);
    winx::pumpMessages();
    EXPECT_EQ(frame.keys, (std::vector<UINT>{VK_F6}));
    const HWND child = makeChild(frame.m_hWnd, 9);
    PostMessage(child, WM_KEYDOWN, VK_F5, 1);
    messageLog().clear();
    winx::pumpMessages();
    EXPECT_EQ(countOf(child, WM_KEYDOWN), 0u); // the parent's filter ate it
}

TEST_F(ClassLibraryMessageMap, WindowHelpersWrapTheHandle) {
    BaseWnd wnd;
    ASSERT_TRUE(wnd.createPlain());
    wnd.SetWindowText(L"Title \u0192");
    EXPECT_EQ(wnd.GetWindowText(), L"Title \u0192");
    EXPECT_TRUE(wnd.ModifyStyle(0, WS_BORDER));
    EXPECT_FALSE(wnd.ModifyStyle(0, WS_BORDER));
    EXPECT_TRUE(wnd.GetStyle() & WS_BORDER);
    const HWND child = makeChild(wnd.m_hWnd, 42);
    CWnd* item = wnd.GetDlgItem(42);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->m_hWnd, child);
    EXPECT_EQ(item->GetParent(), &wnd);
    EXPECT_EQ(item->GetDlgCtrlID(), 42);
    const HWND grandChild = makeChild(child, 43);
    EXPECT_EQ(wnd.GetDlgItem(43), nullptr);
    EXPECT_EQ(wnd.GetDescendantWindow(43)->m_hWnd, grandChild);
    wnd.MoveWindow(100, 100, 200, 100);
    const HWND inner = makeChild(wnd.m_hWnd, 44, WS_VISIBLE, RECT{0, 0, 50, 20});
    CWnd::FromHandle(inner)->CenterWindow();
    CRect r;
    CWnd::FromHandle(inner)->GetWindowRect(&r);
    wnd.ScreenToClient(&r);
    CRect client;
    wnd.GetClientRect(&client);
    const int left = (client.Width() - 50) / 2;
    const int top = (client.Height() - 20) / 2;
    EXPECT_TRUE(r == CRect(left, top, left + 50, top + 20));
    EXPECT_EQ(CWnd::FromHandle(inner)->GetTopLevelParent(), &wnd);
    wnd.ShowWindow(SW_SHOW);
    CWnd::FromHandle(inner)->SetFocus();
    EXPECT_EQ(CWnd::GetFocus()->m_hWnd, inner);
}

} // namespace
