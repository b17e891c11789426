// The common ground of the standard controls: each control window owns one Control object
// (kept at GetWindowLongPtr(hwnd, 0)) that handles its messages and notifies its parent.
#pragma once

#include "win/commctrl.h"
#include "win/winuser.h"

#include <string>
#include <string_view>

namespace controls {

class Control {
public:
    explicit Control(HWND hwnd) : hwnd_(hwnd) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // Handles one message; unhandled ones go to defaultProc.
    virtual LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) = 0;

    HWND hwnd() const { return hwnd_; }
    // False once the window is destroyed; a handler that notified the parent checks it before
    // touching the window again (the parent may destroy the control in its handler).
    bool alive() const { return !destroyed_; }

protected:
    DWORD style() const;
    void setStyle(DWORD style);
    bool hasStyle(DWORD bits) const { return (style() & bits) == bits; }
    int id() const;
    HWND parent() const;
    bool enabled() const;

    // WM_COMMAND to the parent with the control's id and a notification code.
    void notifyCommand(int code);
    // WM_NOTIFY to the parent; fills the header (sender, id, code) and returns the answer.
    LRESULT notify(NMHDR& header, UINT code);
    LRESULT defaultProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Keeps the window system's copy of the text in step with the control's own.
    void syncWindowText(const std::wstring& text);
    // WM_SETFONT / WM_GETFONT: the font is kept here and passed on to the window system.
    LRESULT handleFont(UINT msg, WPARAM wParam, LPARAM lParam);
    HFONT font() const { return font_; }
    // Marks the control's own state (check, selection, items, ...) as changed; the window
    // system's observers hear of it once the current message is handled.
    void markChanged() { changed_ = true; }

private:
    friend LRESULT dispatchToControl(HWND, UINT, WPARAM, LPARAM, Control* (*)(HWND));
    HWND hwnd_;
    HFONT font_ = nullptr;
    int depth_ = 0;
    bool destroyed_ = false;
    bool changed_ = false;
};

// The window procedure body shared by every control class: creates the control on the first
// message (normally WM_NCCREATE), routes messages to it and deletes it after WM_NCDESTROY,
// deferring the deletion while one of its handlers is still running.
LRESULT dispatchToControl(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                          Control* (*create)(HWND));

// The private message of user actions that have no mouse or keyboard form here (picking an
// entry of a dropped list): wParam is a UserPick kind, lParam the entry.
UINT userPickMessage();
enum class UserPick : WPARAM { Choose = 1, DoubleClick = 2 };

// Copies text into a caller's buffer of capacity characters (terminated); the number copied.
int copyText(std::wstring_view text, wchar_t* buffer, std::ptrdiff_t capacity);
// Text from an lParam that points at terminated text; empty for null.
std::wstring textParam(LPARAM lParam);
template <class T>
T* pointerParam(LPARAM lParam) {
    return reinterpret_cast<T*>(lParam);
}

wchar_t foldCase(wchar_t c);
int compareNoCase(std::wstring_view a, std::wstring_view b);
bool equalsNoCase(std::wstring_view a, std::wstring_view b);
bool startsWithNoCase(std::wstring_view text, std::wstring_view prefix);

// Point of a mouse message; mouse messages carrying the modifier flags below.
POINT pointParam(LPARAM lParam);
LPARAM pointLParam(POINT point);
constexpr WPARAM kMouseLeft = 0x0001;
constexpr WPARAM kMouseShift = 0x0004;
constexpr WPARAM kMouseControl = 0x0008;
bool keyHeld(int virtualKey);

} // namespace controls
