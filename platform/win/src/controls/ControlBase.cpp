#include "ControlBase.h"

#include "win/winx.h"

#include <algorithm>
#include <cwctype>

namespace controls {

DWORD Control::style() const {
    return static_cast<DWORD>(GetWindowLongPtr(hwnd_, GWL_STYLE));
}

void Control::setStyle(DWORD style) {
    SetWindowLongPtr(hwnd_, GWL_STYLE, static_cast<LONG_PTR>(style));
}

int Control::id() const {
    return GetDlgCtrlID(hwnd_);
}

HWND Control::parent() const {
    return GetParent(hwnd_);
}

bool Control::enabled() const {
    return IsWindowEnabled(hwnd_) != FALSE;
}

void Control::notifyCommand(int code) {
    HWND target = parent();
    if (!target || destroyed_) return;
    const WPARAM wParam =
        MAKEWPARAM(static_cast<WORD>(id()), static_cast<WORD>(static_cast<unsigned>(code)));
    SendMessage(target, WM_COMMAND, wParam, reinterpret_cast<LPARAM>(hwnd_));
}

LRESULT Control::notify(NMHDR& header, UINT code) {
    HWND target = parent();
    if (!target || destroyed_) return 0;
    header.hwndFrom = hwnd_;
    header.idFrom = static_cast<UINT_PTR>(id());
    header.code = code;
    return SendMessage(target, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

LRESULT Control::defaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(hwnd_, msg, wParam, lParam);
}

void Control::syncWindowText(const std::wstring& text) {
    DefWindowProc(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT Control::handleFont(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_GETFONT) return reinterpret_cast<LRESULT>(font_);
    font_ = reinterpret_cast<HFONT>(wParam);
    defaultProc(msg, wParam, lParam);
    return 0;
}

namespace {

// Deletes the control of a window that was destroyed while its handler ran, once that handler
// has returned.
class DepthGuard {
public:
    explicit DepthGuard(Control* control, int& depth, bool& destroyed)
        : control_(control), depth_(depth), destroyed_(destroyed) {
        ++depth_;
    }
    ~DepthGuard() {
        if (--depth_ == 0 && destroyed_) delete control_;
    }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

private:
    Control* control_;
    int& depth_;
    bool& destroyed_;
};

Control* controlOf(HWND hwnd) {
    return reinterpret_cast<Control*>(GetWindowLongPtr(hwnd, 0));
}

} // namespace

LRESULT dispatchToControl(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                          Control* (*create)(HWND)) {
    Control* control = controlOf(hwnd);
    if (msg == WM_NCDESTROY) {
        if (control) {
            SetWindowLongPtr(hwnd, 0, 0);
            control->destroyed_ = true;
            if (control->depth_ == 0) delete control;
        }
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    if (!control) {
        control = create(hwnd);
        SetWindowLongPtr(hwnd, 0, reinterpret_cast<LONG_PTR>(control));
    }
    DepthGuard guard(control, control->depth_, control->destroyed_);
    const LRESULT result = control->handle(msg, wParam, lParam);
    if (control->changed_ && !control->destroyed_) {
        control->changed_ = false;
        winx::notifyChanged(hwnd, winx::WindowChange::State);
    }
    return result;
}

UINT userPickMessage() {
    static const UINT message = [] {
        const UINT registered = RegisterWindowMessage(L"TrkStandardControlUserPick");
        return registered != 0 ? registered : WM_APP + 0x3F00;
    }();
    return message;
}

int copyText(std::wstring_view text, wchar_t* buffer, std::ptrdiff_t capacity) {
    if (!buffer || capacity <= 0) return 0;
    const auto count =
        std::min<std::ptrdiff_t>(static_cast<std::ptrdiff_t>(text.size()), capacity - 1);
    std::copy_n(text.data(), count, buffer);
    buffer[count] = L'\0';
    return static_cast<int>(count);
}

std::wstring textParam(LPARAM lParam) {
    const auto* text = reinterpret_cast<const wchar_t*>(lParam);
    return text ? std::wstring(text) : std::wstring();
}

wchar_t foldCase(wchar_t c) {
    if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + (L'a' - L'A'));
    // Latin-1 capitals (without the multiplication sign) sit 0x20 below their small letters.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<wchar_t>(c + 0x20);
    if (c < 0x80) return c;
    return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
}

int compareNoCase(std::wstring_view a, std::wstring_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const wchar_t x = foldCase(a[i]);
        const wchar_t y = foldCase(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool equalsNoCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() && compareNoCase(a, b) == 0;
}

bool startsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
    return text.size() >= prefix.size() && equalsNoCase(text.substr(0, prefix.size()), prefix);
}

POINT pointParam(LPARAM lParam) {
    POINT point;
    point.x = GET_X_LPARAM(lParam);
    point.y = GET_Y_LPARAM(lParam);
    return point;
}

LPARAM pointLParam(POINT point) {
    return MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y));
}

bool keyHeld(int virtualKey) {
    return GetKeyState(virtualKey) < 0;
}

} // namespace controls
