// Small window classes for the window-system tests: a window that logs every message it gets
// and lets a test answer chosen messages.
#pragma once

#include <gtest/gtest.h>

#include "win/winuser.h"
#include "win/winx.h"
#include "win/winx_script.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace wintest {

struct Logged {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// Answers a message instead of DefWindowProc when it returns a value.
using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

inline std::vector<Logged>& messageLog() {
    static std::vector<Logged> log;
    return log;
}

inline Handler& nextHandler() {
    static Handler h;
    return h;
}

inline LRESULT CALLBACK loggingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    messageLog().push_back({hwnd, msg, wParam, lParam});
    auto* handler = reinterpret_cast<Handler*>(GetWindowLongPtr(hwnd, 0));
    if (msg == WM_NCCREATE && nextHandler()) {
        handler = new Handler(std::move(nextHandler()));
        nextHandler() = nullptr;
        SetWindowLongPtr(hwnd, 0, reinterpret_cast<LONG_PTR>(handler));
    }
    std::optional<LRESULT> answer;
    if (handler) answer = (*handler)(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY && handler) {
        delete handler;
        SetWindowLongPtr(hwnd, 0, 0);
    }
    return answer ? *answer : DefWindowProc(hwnd, msg, wParam, lParam);
}

inline LPCWSTR testClass() {
    static const bool registered = [] {
        WNDCLASSEX wc;
        wc.lpfnWndProc = loggingProc;
        wc.cbWndExtra = sizeof(void*) * 2;
        wc.style = CS_GLOBALCLASS;
        wc.lpszClassName = L"TrkTestWindow";
        return RegisterClassEx(&wc) != 0;
    }();
    (void)registered;
    return L"TrkTestWindow";
}

// A window of the logging class; `handler` answers its messages from WM_NCCREATE on.
inline HWND makeWindow(DWORD style, HWND parent = nullptr, int id = 0, const wchar_t* text = L"",
                       RECT rect = RECT{10, 20, 210, 120}, Handler handler = nullptr) {
    nextHandler() = std::move(handler);
    const HWND hwnd =
        CreateWindowEx(0, testClass(), text, style, rect.left, rect.top, rect.right - rect.left,
                       rect.bottom - rect.top, parent,
                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    nextHandler() = nullptr;
    return hwnd;
}

inline HWND makeChild(HWND parent, int id, DWORD style = WS_VISIBLE | WS_TABSTOP,
                      RECT rect = RECT{5, 5, 55, 25}, Handler handler = nullptr) {
    return makeWindow(WS_CHILD | style, parent, id, L"", rect, std::move(handler));
}

// The messages a window received, in order, since the log was last cleared.
inline std::vector<UINT> messagesOf(HWND hwnd) {
    std::vector<UINT> out;
    for (const Logged& l : messageLog()) {
        if (l.hwnd == hwnd) out.push_back(l.msg);
    }
    return out;
}

inline std::size_t countOf(HWND hwnd, UINT msg) {
    std::size_t n = 0;
    for (const Logged& l : messageLog())
        n += l.hwnd == hwnd && l.msg == msg;
    return n;
}

inline std::wstring textOf(HWND hwnd) {
    wchar_t buffer[512] = {};
    GetWindowText(hwnd, buffer, 512);
    return buffer;
}

// A test fixture base: a fresh session and an empty message log.
class WindowTest : public ::testing::Test {
protected:
    WindowTest() { messageLog().clear(); }

    winx::TestSession session_;
};

} // namespace wintest
