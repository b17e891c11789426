#include "platform/win/WindowTestSupport.h"

namespace {

using namespace wintest;

class MessageLoop : public WindowTest {
protected:
    HWND window_ = makeWindow(WS_OVERLAPPED | WS_VISIBLE);

    std::vector<UINT> pumpedMessages() {
        messageLog().clear();
        winx::pumpMessages();
        return messagesOf(window_);
    }
};

TEST_F(MessageLoop, SendMessageIsSynchronousAndReentrant) {
    int depth = 0;
    int deepest = 0;
    const HWND hwnd = makeWindow(WS_OVERLAPPED, nullptr, 0, L"", RECT{0, 0, 10, 10},
                                 [&](HWND h, UINT msg, WPARAM w, LPARAM) -> std::optional<LRESULT> {
                                     if (msg != WM_USER) return std::nullopt;
                                     ++depth;
                                     deepest = std::max(deepest, depth);
                                     const LRESULT inner =
                                         w > 0 ? SendMessage(h, WM_USER, w - 1, 0) : 0;
                                     --depth;
                                     return inner + 1;
                                 });
    EXPECT_EQ(SendMessage(hwnd, WM_USER, 4, 0), 5);
    EXPECT_EQ(deepest, 5);
    EXPECT_EQ(depth, 0);
}

TEST_F(MessageLoop, PostedMessagesArriveInOrderAndPeekFilters) {
    const HWND other = makeWindow(WS_OVERLAPPED);
    PostMessage(window_, WM_USER + 1, 0, 0);
    PostMessage(other, WM_USER + 2, 0, 0);
    PostMessage(window_, WM_USER + 3, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, other, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_USER + 2u);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_USER + 3, WM_USER + 3, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, window_);
    EXPECT_EQ(pumpedMessages(), (std::vector<UINT>{WM_USER + 1}));
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(countOf(other, WM_USER + 2), 1u);
}

TEST_F(MessageLoop, MessagesPostedToADestroyedWindowAreDropped) {
    const HWND doomed = makeWindow(WS_OVERLAPPED);
    PostMessage(doomed, WM_USER, 0, 0);
    DestroyWindow(doomed);
    MSG msg;
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageLoop, TranslateMessageTurnsCharacterKeysIntoChars) {
    auto charsFor = [&](std::initializer_list<std::pair<UINT, int>> keys) {
        for (auto [msg, vk] : keys)
            PostMessage(window_, msg, static_cast<WPARAM>(vk), 1);
        std::wstring typed;
        MSG m;
        while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            if (m.message == WM_CHAR) typed += static_cast<wchar_t>(m.wParam);
        }
        return typed;
    };
    EXPECT_EQ(charsFor({{WM_KEYDOWN, 'A'}, {WM_KEYUP, 'A'}, {WM_KEYDOWN, '7'}}), L"a7");
    EXPECT_EQ(charsFor({{WM_KEYDOWN, VK_SHIFT},
                        {WM_KEYDOWN, 'A'},
                        {WM_KEYDOWN, '7'},
                        {WM_KEYUP, VK_SHIFT},
                        {WM_KEYDOWN, 'B'}}),
              L"A&b");
    EXPECT_EQ(charsFor({{WM_KEYDOWN, VK_F1}, {WM_KEYDOWN, VK_LEFT}, {WM_KEYDOWN, VK_RETURN}}),
              L"\r");
    EXPECT_EQ(charsFor({{WM_KEYDOWN, VK_CONTROL}, {WM_KEYDOWN, 'C'}, {WM_KEYUP, VK_CONTROL}}),
              L"\x03");
}

TEST_F(MessageLoop, CharComesBeforeTheKeyUpThatFollowedIt) {
    PostMessage(window_, WM_KEYDOWN, 'Q', 1);
    PostMessage(window_, WM_KEYUP, 'Q', 0xC0000001);
    const auto msgs = pumpedMessages();
    EXPECT_EQ(msgs, (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_KEYUP}));
}

TEST_F(MessageLoop, KeyStateFollowsTheRetrievedKeyMessages) {
    PostMessage(window_, WM_KEYDOWN, VK_SHIFT, 1);
    EXPECT_GE(GetKeyState(VK_SHIFT), 0); // not retrieved yet
    MSG msg;
    PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    EXPECT_NE(GetAsyncKeyState(VK_SHIFT), 0);
    PostMessage(window_, WM_KEYUP, VK_SHIFT, 0xC0000001);
    PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
}

TEST_F(MessageLoop, QuitComesAfterThePostedMessages) {
    PostMessage(window_, WM_USER, 0, 0);
    PostQuitMessage(3);
    MSG msg;
    EXPECT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_USER);
    EXPECT_FALSE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(MessageLoop, GetMessageWaitsForTheNextTimerOnTheTestClock) {
    const DWORD start = GetTickCount();
    SetTimer(window_, 9, 250, nullptr);
    MSG msg;
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_TIMER);
    EXPECT_EQ(msg.wParam, 9u);
    EXPECT_EQ(GetTickCount() - start, 250u);
    KillTimer(window_, 9);
    // With nothing that could ever arrive the loop ends instead of hanging.
    EXPECT_FALSE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_FALSE(winx::problems().empty());
}

TEST_F(MessageLoop, DispatchCallsTheWindowProcedure) {
    MSG msg{};
    msg.hwnd = window_;
    msg.message = WM_USER + 5;
    messageLog().clear();
    DispatchMessage(&msg);
    EXPECT_EQ(messagesOf(window_), (std::vector<UINT>{WM_USER + 5}));
    EXPECT_EQ(RegisterWindowMessage(L"TrkPing"), RegisterWindowMessage(L"trkping"));
    EXPECT_GE(RegisterWindowMessage(L"TrkPing"), 0xC000u);
}

struct ObservedChange {
    HWND hwnd;
    winx::WindowChange change;
};

void observe(void* context, HWND hwnd, winx::WindowChange change) {
    static_cast<std::vector<ObservedChange>*>(context)->push_back({hwnd, change});
}

TEST_F(MessageLoop, EveryStateChangeReachesTheObserver) {
    std::vector<ObservedChange> seen;
    winx::setObserver(observe, &seen);
    const HWND hwnd = makeWindow(WS_OVERLAPPED);
    SetWindowText(hwnd, L"t");
    MoveWindow(hwnd, 1, 1, 50, 50, TRUE);
    ShowWindow(hwnd, SW_SHOW);
    EnableWindow(hwnd, FALSE);
    SetWindowLongPtr(hwnd, GWL_STYLE, WS_OVERLAPPED | WS_VISIBLE | WS_DISABLED | WS_BORDER);
    DestroyWindow(hwnd);
    winx::setObserver(nullptr, nullptr);
    std::vector<winx::WindowChange> changes;
    for (const auto& c : seen) {
        if (c.hwnd == hwnd) changes.push_back(c.change);
    }
    using C = winx::WindowChange;
    for (C expected :
         {C::Created, C::Text, C::Geometry, C::Visibility, C::Enabled, C::Style, C::Destroyed}) {
        EXPECT_NE(std::find(changes.begin(), changes.end(), expected), changes.end())
            << static_cast<int>(expected);
    }
    EXPECT_EQ(changes.front(), C::Created);
    EXPECT_EQ(changes.back(), C::Destroyed);
}

} // namespace
