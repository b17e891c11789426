// Keyboard focus, activation, capture, key states and the cursor.
#include "kernel/Kernel.h"

#include <array>

namespace winx::kernel {
namespace {

constexpr BYTE kDown = 0x80;
constexpr BYTE kToggled = 0x01;
constexpr DWORD kThreadId = 1;
constexpr DWORD kProcessId = 1;

struct FocusState {
    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
    HCURSOR cursor = nullptr;
    std::array<BYTE, 256> keys{};
};

FocusState& focusState() {
    static FocusState s;
    return s;
}

void changeFocus(HWND newFocus) {
    FocusState& s = focusState();
    const HWND old = s.focus;
    if (old == newFocus) return;
    s.focus = newFocus;
    if (old && IsWindow(old)) SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(newFocus), 0);
    if (s.focus != newFocus) return; // the old window moved the focus elsewhere
    if (newFocus && IsWindow(newFocus)) {
        notify(newFocus, WindowChange::Focus);
        SendMessage(newFocus, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    }
}

HWND successorOf(HWND gone) {
    Window* w = find(gone);
    if (!w) return nullptr;
    if (isChildStyle(*w)) {
        Window* parent = find(w->parent);
        return parent && !parent->destroying ? parent->handle : nullptr;
    }
    Window* owner = find(w->owner);
    if (owner && !owner->destroying && !(owner->style & WS_DISABLED)) return owner->handle;
    return nullptr;
}

void setKey(int vk, bool down) {
    if (vk < 0 || vk > 255) return;
    BYTE& k = focusState().keys[static_cast<std::size_t>(vk)];
    if (down && !(k & kDown)) k ^= kToggled;
    k = static_cast<BYTE>(down ? (k | kDown) : (k & ~kDown));
}

} // namespace

void setActive(HWND topLevel) {
    FocusState& s = focusState();
    if (s.active == topLevel) return;
    const HWND old = s.active;
    s.active = topLevel;
    if (old && IsWindow(old)) {
        SendMessage(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0),
                    reinterpret_cast<LPARAM>(topLevel));
    }
    if (s.active == topLevel && topLevel && IsWindow(topLevel)) {
        SendMessage(topLevel, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), reinterpret_cast<LPARAM>(old));
    }
}

void windowGone(HWND hwnd) {
    FocusState& s = focusState();
    if (s.capture && isDescendant(hwnd, s.capture)) ReleaseCapture();
    const bool hadFocus = s.focus && isDescendant(hwnd, s.focus);
    const bool wasActive = s.active == hwnd;
    const HWND next = successorOf(hwnd);
    if (wasActive) {
        s.active = nullptr;
        if (next) setActive(topLevelOf(next));
    }
    if (hadFocus && s.focus && isDescendant(hwnd, s.focus)) changeFocus(next);
}

void setKeyDown(int vk, bool down) {
    setKey(vk, down);
}

void updateKeyStateFrom(const MSG& msg) {
    const int vk = static_cast<int>(msg.wParam);
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        setKey(vk, true);
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        setKey(vk, false);
        break;
    case WM_LBUTTONDOWN:
        setKey(VK_LBUTTON, true);
        break;
    case WM_LBUTTONUP:
        setKey(VK_LBUTTON, false);
        break;
    case WM_RBUTTONDOWN:
        setKey(VK_RBUTTON, true);
        break;
    case WM_RBUTTONUP:
        setKey(VK_RBUTTON, false);
        break;
    default:
        break;
    }
}

void resetKeyStates() {
    focusState().keys.fill(0);
}

void resetKeyboard() {
    FocusState& s = focusState();
    s.keys.fill(0);
    s.focus = nullptr;
    s.active = nullptr;
    s.capture = nullptr;
}

} // namespace winx::kernel

using namespace winx::kernel;
using winx::WindowChange;

HWND SetFocus(HWND hwnd) {
    FocusState& s = focusState();
    const HWND old = s.focus;
    if (hwnd && !IsWindow(hwnd)) return nullptr;
    if (hwnd) {
        const HWND top = topLevelOf(hwnd);
        if (top != s.active) setActive(top);
        if (!IsWindow(hwnd)) return nullptr;
    }
    changeFocus(hwnd);
    return old && IsWindow(old) ? old : nullptr;
}

HWND GetFocus() {
    FocusState& s = focusState();
    if (s.focus && !IsWindow(s.focus)) s.focus = nullptr;
    return s.focus;
}

HWND GetActiveWindow() {
    FocusState& s = focusState();
    if (s.active && !IsWindow(s.active)) s.active = nullptr;
    return s.active;
}

HWND SetActiveWindow(HWND hwnd) {
    const HWND old = GetActiveWindow();
    if (!IsWindow(hwnd)) return nullptr;
    setActive(topLevelOf(hwnd));
    return old;
}

HWND GetForegroundWindow() {
    return GetActiveWindow();
}

BOOL SetForegroundWindow(HWND hwnd) {
    if (!IsWindow(hwnd)) return FALSE;
    BringWindowToTop(topLevelOf(hwnd));
    setActive(topLevelOf(hwnd));
    return TRUE;
}

BOOL BringWindowToTop(HWND hwnd) {
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

HWND SetCapture(HWND hwnd) {
    FocusState& s = focusState();
    const HWND old = s.capture;
    if (!IsWindow(hwnd)) return nullptr;
    s.capture = hwnd;
    if (old && old != hwnd && IsWindow(old)) {
        SendMessage(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    }
    return old;
}

BOOL ReleaseCapture() {
    FocusState& s = focusState();
    const HWND old = s.capture;
    s.capture = nullptr;
    if (old && IsWindow(old)) SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() {
    FocusState& s = focusState();
    if (s.capture && !IsWindow(s.capture)) s.capture = nullptr;
    return s.capture;
}

DWORD GetWindowThreadProcessId(HWND hwnd, LPDWORD processId) {
    if (!IsWindow(hwnd)) return 0;
    if (processId) *processId = kProcessId;
    return kThreadId;
}

DWORD GetCurrentThreadId() {
    return kThreadId;
}

BOOL AttachThreadInput(DWORD attach, DWORD attachTo, BOOL doAttach) {
    return attach == kThreadId && attachTo == kThreadId ? TRUE : FALSE;
}

SHORT GetKeyState(int virtualKey) {
    if (virtualKey < 0 || virtualKey > 255) return 0;
    const BYTE k = focusState().keys[static_cast<std::size_t>(virtualKey)];
    const unsigned value = ((k & kDown) ? 0xFF80u : 0u) | ((k & kToggled) ? 1u : 0u);
    return static_cast<SHORT>(value);
}

SHORT GetAsyncKeyState(int virtualKey) {
    return static_cast<SHORT>(GetKeyState(virtualKey) < 0 ? 0x8000u : 0u);
}

BOOL GetCursorPos(LPPOINT point) {
    if (!point) return FALSE;
    *point = cursorPosition();
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    setCursorPosition(POINT{x, y});
    return TRUE;
}

HCURSOR SetCursor(HCURSOR cursor) {
    FocusState& s = focusState();
    const HCURSOR old = s.cursor;
    s.cursor = cursor;
    return old;
}

HCURSOR LoadCursor(HINSTANCE instance, LPCWSTR name) {
    // System cursors are stand-in handles: nothing is drawn, but each cursor stays distinct.
    if (!instance && IS_INTRESOURCE(name)) {
        return reinterpret_cast<HCURSOR>(0x7F000000u + reinterpret_cast<UINT_PTR>(name));
    }
    return nullptr;
}
