// Per-window data: extra bytes, styles, ids, properties, text, and the default window procedure.
#include "kernel/Kernel.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace winx::kernel {
namespace {

bool extraRange(const Window& w, int index) {
    return index >= 0 && static_cast<std::size_t>(index) + sizeof(LONG_PTR) <= w.extra.size();
}

LONG_PTR readExtra(const Window& w, int index) {
    LONG_PTR value = 0;
    std::memcpy(&value, w.extra.data() + index, sizeof value);
    return value;
}

void writeExtra(Window& w, int index, LONG_PTR value) {
    std::memcpy(w.extra.data() + index, &value, sizeof value);
}

LONG_PTR changeStyle(HWND hwnd, int which, DWORD newStyle) {
    Window* w = find(hwnd);
    DWORD& field = which == GWL_STYLE ? w->style : w->exStyle;
    STYLESTRUCT ss{field, newStyle};
    SendMessage(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(&ss));
    w = find(hwnd);
    if (!w) return 0;
    DWORD& target = which == GWL_STYLE ? w->style : w->exStyle;
    const DWORD old = target;
    target = ss.styleNew;
    notify(hwnd, WindowChange::Style);
    ss.styleOld = old;
    SendMessage(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(&ss));
    return static_cast<LONG_PTR>(old);
}

int copyText(const std::wstring& text, LPWSTR buffer, int maxCount) {
    if (!buffer || maxCount <= 0) return 0;
    const int n = std::min(static_cast<int>(text.size()), maxCount - 1);
    std::copy_n(text.begin(), n, buffer);
    buffer[n] = L'\0';
    return n;
}

LRESULT passToParent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = find(hwnd);
    if (!w || !isChildStyle(*w)) return 0;
    return SendMessage(w->parent, msg, wParam, lParam);
}

void geometryFromWindowPos(HWND hwnd, const WINDOWPOS& pos) {
    Window* w = find(hwnd);
    if (!w) return;
    if (!(pos.flags & SWP_NOSIZE)) {
        const RECT client = clientRectOf(*w);
        const WPARAM kind = w->maximized   ? SIZE_MAXIMIZED
                            : w->minimized ? SIZE_MINIMIZED
                                           : SIZE_RESTORED;
        SendMessage(hwnd, WM_SIZE, kind,
                    MAKELPARAM(static_cast<WORD>(client.right), static_cast<WORD>(client.bottom)));
    }
    w = find(hwnd);
    if (w && !(pos.flags & SWP_NOMOVE)) {
        SendMessage(hwnd, WM_MOVE, 0,
                    MAKELPARAM(static_cast<WORD>(w->rect.left), static_cast<WORD>(w->rect.top)));
    }
}

LRESULT setCursorDefault(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (passToParent(hwnd, WM_SETCURSOR, wParam, lParam)) return TRUE;
    return FALSE;
}

} // namespace
} // namespace winx::kernel

using namespace winx::kernel;
using winx::WindowChange;

LONG_PTR GetWindowLongPtr(HWND hwnd, int index) {
    Window* w = find(hwnd);
    if (!w) return 0;
    if (index >= 0) return extraRange(*w, index) ? readExtra(*w, index) : 0;
    switch (index) {
    case GWL_STYLE:
        return static_cast<LONG_PTR>(w->style);
    case GWL_EXSTYLE:
        return static_cast<LONG_PTR>(w->exStyle);
    case GWLP_ID:
        return static_cast<LONG_PTR>(w->id);
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>(isChildStyle(*w) ? w->parent : w->owner);
    case GWLP_USERDATA:
        return w->userData;
    default:
        return 0;
    }
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) {
    Window* w = find(hwnd);
    if (!w) return 0;
    if (index >= 0) {
        if (!extraRange(*w, index)) return 0;
        const LONG_PTR old = readExtra(*w, index);
        writeExtra(*w, index, value);
        return old;
    }
    switch (index) {
    case GWL_STYLE:
    case GWL_EXSTYLE:
        return changeStyle(hwnd, index, static_cast<DWORD>(value));
    case GWLP_ID:
        return static_cast<LONG_PTR>(std::exchange(w->id, static_cast<UINT_PTR>(value)));
    case GWLP_WNDPROC: {
        if (!value) return 0;
        const auto old = w->proc;
        w->proc = reinterpret_cast<WNDPROC>(value);
        return reinterpret_cast<LONG_PTR>(old);
    }
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(
            std::exchange(w->instance, reinterpret_cast<HINSTANCE>(value)));
    case GWLP_HWNDPARENT: {
        if (isChildStyle(*w)) return 0;
        const HWND owner = reinterpret_cast<HWND>(value);
        const HWND old = w->owner;
        w->owner = find(owner) ? topLevelOf(owner) : nullptr;
        return reinterpret_cast<LONG_PTR>(old);
    }
    case GWLP_USERDATA:
        return std::exchange(w->userData, value);
    default:
        return 0;
    }
}

LONG GetWindowLong(HWND hwnd, int index) {
    return static_cast<LONG>(GetWindowLongPtr(hwnd, index));
}

LONG SetWindowLong(HWND hwnd, int index, LONG value) {
    if (index == GWL_STYLE || index == GWL_EXSTYLE) {
        return static_cast<LONG>(
            SetWindowLongPtr(hwnd, index, static_cast<LONG_PTR>(static_cast<DWORD>(value))));
    }
    return static_cast<LONG>(SetWindowLongPtr(hwnd, index, value));
}

BOOL SetProp(HWND hwnd, LPCWSTR name, HANDLE data) {
    Window* w = find(hwnd);
    if (!w || !name || IS_INTRESOURCE(name)) return FALSE;
    for (auto& [key, value] : w->props) {
        if (key == name) {
            value = data;
            return TRUE;
        }
    }
    w->props.emplace_back(name, data);
    return TRUE;
}

HANDLE GetProp(HWND hwnd, LPCWSTR name) {
    Window* w = find(hwnd);
    if (!w || !name || IS_INTRESOURCE(name)) return nullptr;
    for (auto& [key, value] : w->props) {
        if (key == name) return value;
    }
    return nullptr;
}

HANDLE RemoveProp(HWND hwnd, LPCWSTR name) {
    Window* w = find(hwnd);
    if (!w || !name || IS_INTRESOURCE(name)) return nullptr;
    auto& props = w->props;
    for (auto it = props.begin(); it != props.end(); ++it) {
        if (it->first == name) {
            HANDLE data = it->second;
            props.erase(it);
            return data;
        }
    }
    return nullptr;
}

BOOL SetWindowText(HWND hwnd, LPCWSTR text) {
    if (!find(hwnd)) return FALSE;
    return SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : L"")) ? TRUE
                                                                                         : FALSE;
}

int GetWindowText(HWND hwnd, LPWSTR buffer, int maxCount) {
    if (!buffer || maxCount <= 0) return 0;
    buffer[0] = L'\0';
    if (!find(hwnd)) return 0;
    return static_cast<int>(SendMessage(hwnd, WM_GETTEXT, static_cast<WPARAM>(maxCount),
                                        reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLength(HWND hwnd) {
    if (!find(hwnd)) return 0;
    return static_cast<int>(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!proc) return 0;
    return proc(hwnd, msg, wParam, lParam);
}

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = find(hwnd);
    if (!w) return 0;
    switch (msg) {
    case WM_NCCREATE:
        return TRUE;
    case WM_SETTEXT:
        w->text = lParam ? reinterpret_cast<LPCWSTR>(lParam) : L"";
        notify(hwnd, winx::WindowChange::Text);
        return TRUE;
    case WM_GETTEXT:
        return copyText(w->text, reinterpret_cast<LPWSTR>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(w->text.size());
    case WM_SETFONT:
        w->font = reinterpret_cast<HFONT>(wParam);
        notify(hwnd, winx::WindowChange::Font);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(w->font);
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_SETREDRAW:
        w->redraw = wParam != 0;
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_NCHITTEST:
        return HTCLIENT;
    case WM_MOUSEACTIVATE:
        return MA_ACTIVATE;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !isDescendant(hwnd, GetFocus())) SetFocus(hwnd);
        return 0;
    case WM_SETCURSOR:
        return setCursorDefault(hwnd, wParam, lParam);
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
    case WM_HELP:
        return passToParent(hwnd, msg, wParam, lParam);
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) SendMessage(hwnd, WM_CLOSE, 0, 0);
        return 0;
    case WM_WINDOWPOSCHANGED:
        if (lParam) geometryFromWindowPos(hwnd, *reinterpret_cast<const WINDOWPOS*>(lParam));
        return 0;
    default:
        return 0;
    }
}
