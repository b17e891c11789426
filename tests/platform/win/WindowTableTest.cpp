#include "platform/win/WindowTestSupport.h"

#include <algorithm>

namespace {

using namespace wintest;

class WindowTable : public WindowTest {};

TEST_F(WindowTable, CreationSendsNcCreateThenCreateAndKeepsTheWindowsData) {
    const HWND top = makeWindow(WS_OVERLAPPED | WS_VISIBLE, nullptr, 0, L"Main");
    ASSERT_TRUE(IsWindow(top));
    const auto msgs = messagesOf(top);
    const auto nc = std::find(msgs.begin(), msgs.end(), WM_NCCREATE);
    const auto create = std::find(msgs.begin(), msgs.end(), WM_CREATE);
    ASSERT_NE(nc, msgs.end());
    EXPECT_LT(nc, create);
    EXPECT_EQ(textOf(top), L"Main");
    EXPECT_TRUE(IsWindowVisible(top));
    RECT r;
    ASSERT_TRUE(GetWindowRect(top, &r));
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 210);
    EXPECT_EQ(r.bottom, 120);

    const HWND child = makeChild(top, 77);
    EXPECT_EQ(GetDlgCtrlID(child), 77);
    EXPECT_EQ(GetParent(child), top);
    EXPECT_TRUE(IsChild(top, child));
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtr(child, GWL_STYLE)) & WS_CHILD, WS_CHILD);
    wchar_t cls[64];
    GetClassName(child, cls, 64);
    EXPECT_STREQ(cls, L"TrkTestWindow");
}

TEST_F(WindowTable, CreateReturningMinusOneRefusesTheWindow) {
    HWND seen = nullptr;
    const HWND hwnd = makeWindow(WS_OVERLAPPED, nullptr, 0, L"", RECT{0, 0, 10, 10},
                                 [&](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
                                     if (msg == WM_CREATE) {
                                         seen = h;
                                         return -1;
                                     }
                                     return std::nullopt;
                                 });
    EXPECT_EQ(hwnd, nullptr);
    ASSERT_NE(seen, nullptr);
    EXPECT_FALSE(IsWindow(seen));
    EXPECT_EQ(countOf(seen, WM_NCDESTROY), 1u);
}

TEST_F(WindowTable, ChildrenKeepCreationOrderAndMoveInZOrder) {
    const HWND top = makeWindow(WS_OVERLAPPED);
    const HWND a = makeChild(top, 1);
    const HWND b = makeChild(top, 2);
    const HWND c = makeChild(top, 3);
    EXPECT_EQ(GetWindow(top, GW_CHILD), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
    EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), c);
    EXPECT_EQ(GetWindow(c, GW_HWNDNEXT), nullptr);
    EXPECT_EQ(GetWindow(a, GW_HWNDLAST), c);

    SetWindowPos(c, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(top, GW_CHILD), c);
    SetWindowPos(c, b, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), c);
    SetWindowPos(a, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(top, GW_CHILD), b);
    EXPECT_EQ(GetWindow(c, GW_HWNDNEXT), a);
}

TEST_F(WindowTable, NewTopLevelWindowsComeFirstAndOwnersAreRecorded) {
    const HWND first = makeWindow(WS_OVERLAPPED);
    const HWND popup = makeWindow(WS_POPUP, first);
    EXPECT_EQ(GetTopWindow(nullptr), popup);
    EXPECT_EQ(GetWindow(popup, GW_OWNER), first);
    EXPECT_EQ(GetParent(popup), first); // popups report their owner
    EXPECT_EQ(GetAncestor(popup, GA_PARENT), GetDesktopWindow());
    const auto tops = winx::topLevelWindows();
    ASSERT_GE(tops.size(), 2u);
    EXPECT_EQ(tops[0], popup);
}

TEST_F(WindowTable, DestroySendsDestroyBeforeChildrenAndNcDestroyAfterThem) {
    const HWND top = makeWindow(WS_OVERLAPPED);
    const HWND child = makeChild(top, 1);
    const HWND grandChild = makeChild(child, 2);
    const HWND owned = makeWindow(WS_POPUP, top);
    messageLog().clear();
    ASSERT_TRUE(DestroyWindow(top));
    std::vector<std::pair<HWND, UINT>> order;
    for (const Logged& l : messageLog()) {
        if (l.msg == WM_DESTROY || l.msg == WM_NCDESTROY) order.emplace_back(l.hwnd, l.msg);
    }
    const std::vector<std::pair<HWND, UINT>> expected = {
        {owned, WM_DESTROY},   {owned, WM_NCDESTROY},    {top, WM_DESTROY},
        {child, WM_DESTROY},   {grandChild, WM_DESTROY}, {grandChild, WM_NCDESTROY},
        {child, WM_NCDESTROY}, {top, WM_NCDESTROY}};
    EXPECT_EQ(order, expected);
    for (HWND h : {top, child, grandChild, owned})
        EXPECT_FALSE(IsWindow(h));
}

TEST_F(WindowTable, StaleHandlesAreDetectedAndNeverReused) {
    const HWND top = makeWindow(WS_OVERLAPPED, nullptr, 0, L"x");
    ASSERT_TRUE(DestroyWindow(top));
    EXPECT_FALSE(IsWindow(top));
    EXPECT_FALSE(DestroyWindow(top));
    EXPECT_FALSE(SetWindowText(top, L"y"));
    EXPECT_EQ(GetWindowTextLength(top), 0);
    RECT r;
    EXPECT_FALSE(GetWindowRect(top, &r));
    EXPECT_EQ(SendMessage(top, WM_USER, 0, 0), 0);
    EXPECT_FALSE(PostMessage(top, WM_USER, 0, 0));
    EXPECT_EQ(SetTimer(top, 1, 100, nullptr), 0u);
    EXPECT_FALSE(ShowWindow(top, SW_SHOW));
    EXPECT_EQ(GetParent(top), nullptr);
    EXPECT_EQ(makeChild(top, 1), nullptr);
    EXPECT_FALSE(IsWindow(reinterpret_cast<HWND>(0x12345)));
    for (int i = 0; i < 20; ++i) {
        const HWND again = makeWindow(WS_OVERLAPPED);
        EXPECT_NE(again, top);
        DestroyWindow(again);
    }
}

TEST_F(WindowTable, FocusLeavesAWindowThatIsDestroyed) {
    const HWND top = makeWindow(WS_OVERLAPPED | WS_VISIBLE);
    const HWND a = makeChild(top, 1);
    SetFocus(a);
    EXPECT_EQ(GetFocus(), a);
    EXPECT_EQ(GetActiveWindow(), top);
    messageLog().clear();
    DestroyWindow(a);
    EXPECT_EQ(GetFocus(), top);
    EXPECT_EQ(countOf(a, WM_KILLFOCUS), 1u);

    const HWND popup = makeWindow(WS_POPUP | WS_VISIBLE, top);
    const HWND b = makeChild(popup, 2);
    SetFocus(b);
    EXPECT_EQ(GetActiveWindow(), popup);
    DestroyWindow(popup);
    EXPECT_EQ(GetActiveWindow(), top);
    EXPECT_EQ(GetFocus(), top);
}

TEST_F(WindowTable, ClientAreaExcludesTheFrameAndCaption) {
    const HWND dialogLike =
        makeWindow(WS_POPUP | WS_CAPTION | WS_SYSMENU, nullptr, 0, L"", RECT{100, 100, 400, 300});
    RECT client;
    GetClientRect(dialogLike, &client);
    const int frame = GetSystemMetrics(SM_CXDLGFRAME);
    EXPECT_EQ(client.right, 300 - 2 * frame);
    EXPECT_EQ(client.bottom, 200 - 2 * frame - GetSystemMetrics(SM_CYCAPTION));
    RECT adjusted{0, 0, client.right, client.bottom};
    AdjustWindowRectEx(&adjusted, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, 0);
    EXPECT_EQ(adjusted.right - adjusted.left, 300);
    EXPECT_EQ(adjusted.bottom - adjusted.top, 200);

    const HWND child = makeChild(dialogLike, 1, WS_VISIBLE, RECT{10, 15, 60, 35});
    POINT p{0, 0};
    ClientToScreen(child, &p);
    EXPECT_EQ(p.x, 100 + frame + 10);
    EXPECT_EQ(p.y, 100 + frame + GetSystemMetrics(SM_CYCAPTION) + 15);
    ScreenToClient(dialogLike, &p);
    EXPECT_EQ(p.x, 10);
    EXPECT_EQ(p.y, 15);
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dialogLike, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.bottom, 35);
}

TEST_F(WindowTable, MovingAndSizingReportSizeAndMoveOnlyWhenChanged) {
    const HWND top = makeWindow(WS_POPUP, nullptr, 0, L"", RECT{0, 0, 100, 100});
    messageLog().clear();
    MoveWindow(top, 5, 6, 150, 120, TRUE);
    EXPECT_EQ(countOf(top, WM_SIZE), 1u);
    EXPECT_EQ(countOf(top, WM_MOVE), 1u);
    const Logged* size = nullptr;
    for (const Logged& l : messageLog()) {
        if (l.msg == WM_SIZE) size = &l;
    }
    ASSERT_NE(size, nullptr);
    EXPECT_EQ(LOWORD(static_cast<DWORD_PTR>(size->lParam)), 150);
    EXPECT_EQ(HIWORD(static_cast<DWORD_PTR>(size->lParam)), 120);
    messageLog().clear();
    MoveWindow(top, 5, 6, 150, 120, TRUE);
    EXPECT_EQ(countOf(top, WM_SIZE), 0u);
    EXPECT_EQ(countOf(top, WM_MOVE), 0u);

    HDWP batch = BeginDeferWindowPos(2);
    batch = DeferWindowPos(batch, top, nullptr, 1, 2, 30, 40, SWP_NOZORDER);
    RECT r;
    GetWindowRect(top, &r);
    EXPECT_EQ(r.left, 5); // nothing moves before the batch ends
    EXPECT_TRUE(EndDeferWindowPos(batch));
    GetWindowRect(top, &r);
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(r.bottom, 42);
}

TEST_F(WindowTable, VisibilityAndEnabledStateFollowTheParents) {
    const HWND top = makeWindow(WS_OVERLAPPED);
    const HWND child = makeChild(top, 1, WS_VISIBLE);
    EXPECT_FALSE(IsWindowVisible(child)); // the parent is hidden
    ShowWindow(top, SW_SHOW);
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_EQ(ShowWindow(child, SW_HIDE), TRUE);
    EXPECT_FALSE(IsWindowVisible(child));
    EXPECT_EQ(ShowWindow(child, SW_HIDE), FALSE);

    messageLog().clear();
    EXPECT_FALSE(EnableWindow(child, FALSE)); // was enabled
    EXPECT_FALSE(IsWindowEnabled(child));
    EXPECT_EQ(countOf(child, WM_ENABLE), 1u);
    EXPECT_TRUE(EnableWindow(child, FALSE)); // was disabled
    EXPECT_EQ(countOf(child, WM_ENABLE), 1u);
    EnableWindow(child, TRUE);
    EXPECT_TRUE(IsWindowEnabled(child));
}

TEST_F(WindowTable, ExtraBytesStylesAndPropertiesBelongToEachWindow) {
    const HWND a = makeWindow(WS_OVERLAPPED);
    const HWND b = makeWindow(WS_OVERLAPPED);
    SetWindowLongPtr(a, static_cast<int>(sizeof(void*)), 1234);
    EXPECT_EQ(GetWindowLongPtr(a, static_cast<int>(sizeof(void*))), 1234);
    EXPECT_EQ(GetWindowLongPtr(b, static_cast<int>(sizeof(void*))), 0);
    EXPECT_EQ(GetWindowLongPtr(a, 64), 0); // past the extra bytes
    EXPECT_EQ(SetWindowLongPtr(a, 64, 5), 0);

    messageLog().clear();
    SetWindowLongPtr(a, GWL_STYLE, WS_OVERLAPPED | WS_BORDER);
    EXPECT_EQ(countOf(a, WM_STYLECHANGING), 1u);
    EXPECT_EQ(countOf(a, WM_STYLECHANGED), 1u);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtr(a, GWL_STYLE)), WS_OVERLAPPED | WS_BORDER);
    SetWindowLongPtr(a, GWLP_USERDATA, 42);
    EXPECT_EQ(GetWindowLongPtr(a, GWLP_USERDATA), 42);

    int value = 0;
    EXPECT_TRUE(SetProp(a, L"Key", &value));
    EXPECT_EQ(GetProp(a, L"Key"), &value);
    EXPECT_EQ(GetProp(b, L"Key"), nullptr);
    EXPECT_EQ(RemoveProp(a, L"Key"), &value);
    EXPECT_EQ(GetProp(a, L"Key"), nullptr);
}

TEST_F(WindowTable, ClassesArePerInstanceUnlessGlobalAndStayWhileWindowsLive) {
    const HINSTANCE module = winx::attachModule(L"classtest.dll");
    WNDCLASSEX wc;
    wc.lpfnWndProc = DefWindowProc;
    wc.hInstance = module;
    wc.lpszClassName = L"LocalClass";
    ASSERT_NE(RegisterClassEx(&wc), 0);
    EXPECT_EQ(RegisterClassEx(&wc), 0); // twice
    EXPECT_EQ(CreateWindowEx(0, L"LocalClass", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                             winx::attachModule(L"other.dll"), nullptr),
              nullptr);
    const HWND hwnd = CreateWindowEx(0, L"localclass", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                     module, nullptr);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_FALSE(UnregisterClass(L"LocalClass", module));
    DestroyWindow(hwnd);
    EXPECT_TRUE(UnregisterClass(L"LocalClass", module));
    EXPECT_FALSE(GetClassInfoEx(module, L"LocalClass", &wc));
    EXPECT_EQ(CreateWindowEx(0, L"NoSuchClass", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                             nullptr, nullptr),
              nullptr);
}

TEST_F(WindowTable, FindAndEnumerateWalkTheTree) {
    const HWND top = makeWindow(WS_OVERLAPPED, nullptr, 0, L"Finder");
    const HWND a = makeChild(top, 1);
    const HWND inner = makeChild(a, 2);
    const HWND b = makeChild(top, 3);
    SetWindowText(b, L"Bee");
    EXPECT_EQ(FindWindowEx(top, nullptr, L"trktestwindow", L"bee"), b);
    EXPECT_EQ(FindWindowEx(top, a, nullptr, nullptr), b);
    EXPECT_EQ(FindWindowEx(nullptr, nullptr, nullptr, L"Finder"), top);
    std::vector<HWND> seen;
    EnumChildWindows(
        top,
        [](HWND h, LPARAM p) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&seen));
    EXPECT_EQ(seen, (std::vector<HWND>{a, inner, b}));
    EXPECT_EQ(GetAncestor(inner, GA_ROOT), top);
    EXPECT_EQ(SetParent(inner, b), a);
    EXPECT_EQ(GetParent(inner), b);
    EXPECT_EQ(SetParent(b, inner), nullptr); // no cycles
}

} // namespace
