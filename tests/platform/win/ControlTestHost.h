// A visible top-level window for control tests: it creates child controls and records the
// WM_COMMAND and WM_NOTIFY messages they send, answering WM_NOTIFY through a test's callback.
#pragma once

#include "win/commctrl.h"
#include "win/winctrl.h"
#include "win/winuser.h"
#include "win/winx.h"
#include "win/winx_script.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace controltest {

// One notification as the parent saw it; for WM_NOTIFY the list view record is copied when the
// sender is a list view.
struct Notice {
    UINT message = 0;
    int id = 0;
    int code = 0;
    HWND from = nullptr;
    NMLISTVIEW listView;
    NMITEMACTIVATE activate;
    WORD key = 0;
};

class ControlHost {
public:
    ControlHost() {
        registerClass();
        hwnd = CreateWindowEx(0, kClassName, L"Controls", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                              640, 480, nullptr, nullptr, nullptr, this);
    }
    ~ControlHost() {
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
    }
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;

    HWND create(LPCWSTR className, DWORD style, int id, LPCWSTR text = L"",
                RECT rect = RECT{10, 10, 210, 110}) {
        return CreateWindowEx(0, className, text, WS_CHILD | WS_VISIBLE | style, rect.left,
                              rect.top, rect.right - rect.left, rect.bottom - rect.top, hwnd,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
    }

    // WM_COMMAND codes sent by control id, in order.
    std::vector<int> commands(int id) const {
        std::vector<int> codes;
        for (const Notice& notice : notices) {
            if (notice.message == WM_COMMAND && notice.id == id) codes.push_back(notice.code);
        }
        return codes;
    }
    // WM_NOTIFY codes, in order.
    std::vector<UINT> notifications() const {
        std::vector<UINT> codes;
        for (const Notice& notice : notices) {
            if (notice.message == WM_NOTIFY) codes.push_back(static_cast<UINT>(notice.code));
        }
        return codes;
    }
    std::vector<Notice> notificationsOf(UINT code) const {
        std::vector<Notice> found;
        for (const Notice& notice : notices) {
            if (notice.message == WM_NOTIFY && static_cast<UINT>(notice.code) == code) {
                found.push_back(notice);
            }
        }
        return found;
    }
    void clear() { notices.clear(); }

    HWND hwnd = nullptr;
    std::vector<Notice> notices;
    // Answers WM_NOTIFY (0 when unset).
    std::function<LRESULT(const NMHDR&)> answerNotify;
    // Runs for every WM_COMMAND after it is recorded.
    std::function<void(int id, int code, HWND from)> onCommand;

private:
    static constexpr const wchar_t* kClassName = L"TrkControlTestHost";

    static void registerClass() {
        WNDCLASSEXW existing;
        if (GetClassInfoEx(nullptr, kClassName, &existing)) return;
        WNDCLASSEXW wc;
        wc.lpfnWndProc = &ControlHost::proc;
        wc.lpszClassName = kClassName;
        RegisterClassEx(&wc);
    }

    static LRESULT proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            SetWindowLongPtr(hwnd, GWLP_USERDATA,
                             reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* host = reinterpret_cast<ControlHost*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
        if (host && msg == WM_COMMAND) return host->command(wParam, lParam);
        if (host && msg == WM_NOTIFY) return host->notify(*reinterpret_cast<NMHDR*>(lParam));
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }

    LRESULT command(WPARAM wParam, LPARAM lParam) {
        Notice notice;
        notice.message = WM_COMMAND;
        notice.id = LOWORD(wParam);
        notice.code = static_cast<SHORT>(HIWORD(wParam));
        notice.from = reinterpret_cast<HWND>(lParam);
        notices.push_back(notice);
        if (onCommand) onCommand(notice.id, notice.code, notice.from);
        return 0;
    }

    LRESULT notify(const NMHDR& header) {
        Notice notice;
        notice.message = WM_NOTIFY;
        notice.id = static_cast<int>(header.idFrom);
        notice.code = static_cast<int>(header.code);
        notice.from = header.hwndFrom;
        wchar_t name[32] = {};
        GetClassName(header.hwndFrom, name, 32);
        if (std::wstring(name) == WC_LISTVIEW) {
            if (header.code == LVN_KEYDOWN) {
                notice.key = reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey;
            } else if (header.code == NM_CLICK || header.code == NM_DBLCLK ||
                       header.code == NM_RCLICK || header.code == LVN_ITEMACTIVATE) {
                notice.activate = reinterpret_cast<const NMITEMACTIVATE&>(header);
            } else if (header.code != NM_SETFOCUS && header.code != NM_KILLFOCUS &&
                       header.code != NM_RETURN) {
                notice.listView = reinterpret_cast<const NMLISTVIEW&>(header);
            }
        }
        notices.push_back(notice);
        return answerNotify ? answerNotify(header) : 0;
    }
};

// Fixture base: a test session (test clock, clean records) and a host window.
class ControlTest : public ::testing::Test {
protected:
    winx::TestSession session;
    ControlHost host;

    static LRESULT send(HWND control, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessage(control, msg, wParam, lParam);
    }
    static LRESULT sendText(HWND control, UINT msg, WPARAM wParam, const wchar_t* text) {
        return SendMessage(control, msg, wParam, reinterpret_cast<LPARAM>(text));
    }
    static std::wstring textOf(HWND control) {
        const auto length = static_cast<int>(SendMessage(control, WM_GETTEXTLENGTH, 0, 0));
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        const auto copied =
            SendMessage(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(copied));
        return text;
    }
    static LPARAM at(int x, int y) {
        return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
    }
    static void mouseClick(HWND control, int x, int y, WPARAM flags = 0) {
        SendMessage(control, WM_LBUTTONDOWN, 0x0001 | flags, at(x, y));
        SendMessage(control, WM_LBUTTONUP, flags, at(x, y));
    }
    // Holds a modifier key the way the keyboard does: through the message queue.
    static void holdKey(HWND focus, int key, bool down) {
        PostMessage(focus, down ? WM_KEYDOWN : WM_KEYUP, static_cast<WPARAM>(key), 0);
        winx::pumpMessages();
    }
    static void pressKey(HWND control, int key) {
        SendMessage(control, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
        SendMessage(control, WM_KEYUP, static_cast<WPARAM>(key), 1);
    }
};

} // namespace controltest
