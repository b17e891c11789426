// Rectangles, positions, z-order, visibility and enabled state of windows.
#include "kernel/Kernel.h"

#include <algorithm>
#include <map>

namespace winx::kernel {
namespace {

constexpr int kCaption = 20;
constexpr int kMenuBar = 20;
constexpr int kBorder = 1;
constexpr int kDialogFrame = 3;
constexpr int kSizingFrame = 4;
constexpr int kClientEdge = 2;
constexpr int kStaticEdge = 1;
constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;

struct Insets {
    int left = 0, top = 0, right = 0, bottom = 0;
};

int frameWidth(DWORD style, DWORD exStyle) {
    if (style & WS_THICKFRAME) return kSizingFrame;
    if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) return kDialogFrame;
    if (style & WS_BORDER) return kBorder;
    return 0;
}

Insets insetsFor(DWORD style, DWORD exStyle, bool menu) {
    int f = frameWidth(style, exStyle);
    if (exStyle & WS_EX_CLIENTEDGE) f += kClientEdge;
    if (exStyle & WS_EX_STATICEDGE) f += kStaticEdge;
    Insets in{f, f, f, f};
    if ((style & WS_CAPTION) == WS_CAPTION) in.top += kCaption;
    if (menu) in.top += kMenuBar;
    return in;
}

Insets insetsOf(const Window& w) {
    return insetsFor(w.style, w.exStyle, !isChildStyle(w) && w.menu != nullptr);
}

POINT clientOrigin(HWND hwnd) {
    Window* w = find(hwnd);
    if (!w || hwnd == desktop()) return {0, 0};
    const RECT r = screenRect(*w);
    const Insets in = insetsOf(*w);
    return {r.left + in.left, r.top + in.top};
}

void moveInZOrder(Window& w, HWND insertAfter) {
    Window* parent = find(w.parent);
    if (!parent) return;
    auto& c = parent->children;
    const auto it = std::find(c.begin(), c.end(), w.handle);
    if (it == c.end()) return;
    c.erase(it);
    if (insertAfter == HWND_BOTTOM) {
        c.push_back(w.handle);
    } else if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST ||
               insertAfter == HWND_NOTOPMOST) {
        insertAt(c, 0, w.handle);
    } else {
        const auto after = std::find(c.begin(), c.end(), insertAfter);
        insertAt(c, after == c.end() ? 0 : static_cast<std::size_t>(after - c.begin()) + 1,
                 w.handle);
    }
    notify(w.handle, WindowChange::ZOrder);
}

void applyTopmost(Window& w, HWND insertAfter) {
    if (insertAfter == HWND_TOPMOST) w.exStyle |= WS_EX_TOPMOST;
    if (insertAfter == HWND_NOTOPMOST) w.exStyle &= ~WS_EX_TOPMOST;
}

void setVisible(HWND hwnd, bool visible) {
    Window* w = find(hwnd);
    if (!w || ((w->style & WS_VISIBLE) != 0) == visible) return;
    if (visible) {
        w->style |= WS_VISIBLE;
    } else {
        w->style &= ~WS_VISIBLE;
    }
    notify(hwnd, WindowChange::Visibility);
}

UINT unchangedFlags(const Window& w, const WINDOWPOS& pos) {
    UINT flags = pos.flags;
    if (!(flags & SWP_NOMOVE) && pos.x == w.rect.left && pos.y == w.rect.top) flags |= SWP_NOMOVE;
    if (!(flags & SWP_NOSIZE) && pos.cx == w.rect.right - w.rect.left &&
        pos.cy == w.rect.bottom - w.rect.top)
        flags |= SWP_NOSIZE;
    return flags;
}

void applyWindowPos(HWND hwnd, WINDOWPOS& pos) {
    Window* w = find(hwnd);
    if (!w) return;
    pos.flags = unchangedFlags(*w, pos);
    const int width = std::max(pos.cx, 0);
    const int height = std::max(pos.cy, 0);
    if (!(pos.flags & SWP_NOMOVE)) {
        OffsetRect(&w->rect, pos.x - w->rect.left, pos.y - w->rect.top);
    }
    if (!(pos.flags & SWP_NOSIZE)) {
        w->rect.right = w->rect.left + width;
        w->rect.bottom = w->rect.top + height;
    }
    if ((pos.flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
        notify(hwnd, WindowChange::Geometry);
    }
    if (!(pos.flags & SWP_NOZORDER)) {
        applyTopmost(*w, pos.hwndInsertAfter);
        moveInZOrder(*w, pos.hwndInsertAfter);
    }
    if (pos.flags & SWP_SHOWWINDOW) setVisible(hwnd, true);
    if (pos.flags & SWP_HIDEWINDOW) setVisible(hwnd, false);
}

struct DeferredMove {
    HWND hwnd, insertAfter;
    int x, y, cx, cy;
    UINT flags;
};

std::map<HDWP, std::vector<DeferredMove>>& deferred() {
    static std::map<HDWP, std::vector<DeferredMove>> batches;
    return batches;
}

HWND deepestChildAt(HWND parent, POINT screen) {
    Window* p = find(parent);
    if (!p) return nullptr;
    for (HWND child : p->children) {
        Window* c = find(child);
        if (!c || !(c->style & WS_VISIBLE)) continue;
        const RECT r = screenRect(*c);
        if (PtInRect(&r, screen)) return deepestChildAt(child, screen);
    }
    return parent;
}

} // namespace

RECT screenRect(const Window& w) {
    if (!isChildStyle(w)) return w.rect;
    const POINT origin = clientOrigin(w.parent);
    RECT r = w.rect;
    OffsetRect(&r, origin.x, origin.y);
    return r;
}

RECT clientRectOf(const Window& w) {
    const Insets in = insetsOf(w);
    const int width = w.rect.right - w.rect.left;
    const int height = w.rect.bottom - w.rect.top;
    return RECT{0, 0, std::max(width - in.left - in.right, 0),
                std::max(height - in.top - in.bottom, 0)};
}

} // namespace winx::kernel

using namespace winx::kernel;
using winx::WindowChange;

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
    if (!rect) return FALSE;
    const Insets in = insetsFor(style, exStyle, menu != FALSE);
    rect->left -= in.left;
    rect->top -= in.top;
    rect->right += in.right;
    rect->bottom += in.bottom;
    return TRUE;
}

BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu) {
    return AdjustWindowRectEx(rect, style, menu, 0);
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
    Window* w = find(hwnd);
    if (!w || !rect) return FALSE;
    *rect = screenRect(*w);
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
    Window* w = find(hwnd);
    if (!w || !rect) return FALSE;
    *rect = clientRectOf(*w);
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    if (!find(hwnd) || hwnd == desktop()) return FALSE;
    WINDOWPOS pos{hwnd, insertAfter, x, y, cx, cy, flags};
    SendMessage(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    applyWindowPos(hwnd, pos);
    if (!find(hwnd)) return FALSE;
    SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    return TRUE;
}

HDWP BeginDeferWindowPos(int count) {
    static std::uintptr_t next = 0x5000;
    if (count < 0) return nullptr;
    const auto handle = reinterpret_cast<HDWP>(next += 4);
    deferred()[handle];
    return handle;
}

HDWP DeferWindowPos(HDWP info, HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy,
                    UINT flags) {
    auto it = deferred().find(info);
    if (it == deferred().end()) return nullptr;
    if (!find(hwnd)) {
        deferred().erase(it);
        return nullptr;
    }
    it->second.push_back({hwnd, insertAfter, x, y, cx, cy, flags});
    return info;
}

BOOL EndDeferWindowPos(HDWP info) {
    auto node = deferred().extract(info);
    if (node.empty()) return FALSE;
    BOOL ok = TRUE;
    for (const DeferredMove& m : node.mapped()) {
        if (!SetWindowPos(m.hwnd, m.insertAfter, m.x, m.y, m.cx, m.cy, m.flags)) ok = FALSE;
    }
    return ok;
}

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) {
    Window* w = find(hwnd);
    if (!w || !placement) return FALSE;
    placement->flags = 0;
    placement->showCmd = w->maximized              ? SW_SHOWMAXIMIZED
                         : w->minimized            ? SW_SHOWMINIMIZED
                         : (w->style & WS_VISIBLE) ? SW_SHOWNORMAL
                                                   : SW_HIDE;
    placement->rcNormalPosition = w->rect;
    return TRUE;
}

BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement) {
    if (!find(hwnd) || !placement) return FALSE;
    const RECT& r = placement->rcNormalPosition;
    MoveWindow(hwnd, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    ShowWindow(hwnd, static_cast<int>(placement->showCmd));
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT point) {
    if (!find(hwnd) || !point) return FALSE;
    const POINT o = clientOrigin(hwnd);
    point->x += o.x;
    point->y += o.y;
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT point) {
    if (!find(hwnd) || !point) return FALSE;
    const POINT o = clientOrigin(hwnd);
    point->x -= o.x;
    point->y -= o.y;
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
    if ((from && !find(from)) || (to && !find(to))) return 0;
    const POINT a = from ? clientOrigin(from) : POINT{0, 0};
    const POINT b = to ? clientOrigin(to) : POINT{0, 0};
    const int dx = a.x - b.x;
    const int dy = a.y - b.y;
    for (UINT i = 0; points && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return static_cast<int>(MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy)));
}

BOOL ShowWindow(HWND hwnd, int cmd) {
    Window* w = find(hwnd);
    if (!w || hwnd == desktop()) return FALSE;
    const BOOL wasVisible = (w->style & WS_VISIBLE) ? TRUE : FALSE;
    const bool show = cmd != SW_HIDE;
    if (cmd == SW_SHOWMAXIMIZED) {
        w->maximized = true, w->minimized = false;
    } else if (cmd == SW_MINIMIZE || cmd == SW_SHOWMINIMIZED) {
        w->minimized = true, w->maximized = false;
    } else if (cmd == SW_RESTORE || cmd == SW_SHOWNORMAL) {
        w->minimized = w->maximized = false;
    }
    if (show != (wasVisible != FALSE)) {
        SendMessage(hwnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
        setVisible(hwnd, show);
    }
    w = find(hwnd);
    const bool activates =
        cmd == SW_SHOW || cmd == SW_SHOWNORMAL || cmd == SW_SHOWMAXIMIZED || cmd == SW_RESTORE;
    if (w && show && activates && !isChildStyle(*w) && !(w->style & WS_DISABLED)) setActive(hwnd);
    return wasVisible;
}

BOOL IsWindowVisible(HWND hwnd) {
    for (Window* w = find(hwnd); w; w = isChildStyle(*w) ? find(w->parent) : nullptr) {
        if (!(w->style & WS_VISIBLE)) return FALSE;
    }
    return find(hwnd) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    Window* w = find(hwnd);
    if (!w) return FALSE;
    const BOOL wasDisabled = (w->style & WS_DISABLED) ? TRUE : FALSE;
    if ((enable != FALSE) == (wasDisabled != FALSE)) {
        if (enable) {
            w->style &= ~WS_DISABLED;
        } else {
            w->style |= WS_DISABLED;
            SendMessage(hwnd, WM_CANCELMODE, 0, 0);
        }
        notify(hwnd, winx::WindowChange::Enabled);
        if (find(hwnd)) SendMessage(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    }
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND hwnd) {
    Window* w = find(hwnd);
    return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL IsIconic(HWND hwnd) {
    Window* w = find(hwnd);
    return w && w->minimized ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd) {
    Window* w = find(hwnd);
    return w && w->maximized ? TRUE : FALSE;
}

BOOL InvalidateRect(HWND hwnd, LPCRECT rect, BOOL erase) {
    return hwnd == nullptr || find(hwnd) ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND hwnd) {
    return find(hwnd) ? TRUE : FALSE;
}

BOOL RedrawWindow(HWND hwnd, LPCRECT rect, void* region, UINT flags) {
    return hwnd == nullptr || find(hwnd) ? TRUE : FALSE;
}

HWND WindowFromPoint(POINT point) {
    for (HWND top : winx::topLevelWindows()) {
        Window* w = find(top);
        if (w && (w->style & WS_VISIBLE) && PtInRect(&w->rect, point)) {
            return deepestChildAt(top, point);
        }
    }
    return nullptr;
}

HWND ChildWindowFromPoint(HWND parent, POINT point) {
    Window* p = find(parent);
    if (!p) return nullptr;
    const RECT client = clientRectOf(*p);
    if (!PtInRect(&client, point)) return nullptr;
    for (HWND child : p->children) {
        Window* c = find(child);
        if (c && PtInRect(&c->rect, point)) return child;
    }
    return parent;
}

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
        return kScreenWidth;
    case SM_CYSCREEN:
        return kScreenHeight;
    case SM_CYFULLSCREEN:
        return kScreenHeight - kCaption;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
        return 17;
    case SM_CYCAPTION:
        return kCaption;
    case SM_CYMENU:
        return kMenuBar;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return kBorder;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return kDialogFrame;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return kSizingFrame;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return kClientEdge;
    case SM_CXICON:
    case SM_CYICON:
        return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CXMINTRACK:
        return 136;
    case SM_CYMINTRACK:
        return 39;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
        return 4;
    default:
        return 0;
    }
}

DWORD GetSysColor(int index) {
    switch (index) {
    case COLOR_WINDOW:
        return RGB(255, 255, 255);
    case COLOR_WINDOWTEXT:
    case COLOR_BTNTEXT:
    case COLOR_MENUTEXT:
    case COLOR_CAPTIONTEXT:
    case COLOR_INFOTEXT:
        return RGB(0, 0, 0);
    case COLOR_BTNFACE:
    case COLOR_MENU:
    case COLOR_3DLIGHT:
        return RGB(240, 240, 240);
    case COLOR_HIGHLIGHT:
        return RGB(0, 120, 215);
    case COLOR_HIGHLIGHTTEXT:
    case COLOR_3DHIGHLIGHT:
        return RGB(255, 255, 255);
    case COLOR_GRAYTEXT:
    case COLOR_3DSHADOW:
        return RGB(160, 160, 160);
    case COLOR_3DDKSHADOW:
        return RGB(105, 105, 105);
    case COLOR_INFOBK:
        return RGB(255, 255, 225);
    default:
        return RGB(200, 200, 200);
    }
}

// ---- Rectangle helpers ---------------------------------------------------------------------

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom) {
    if (!rect) return FALSE;
    *rect = RECT{left, top, right, bottom};
    return TRUE;
}

BOOL SetRectEmpty(LPRECT rect) {
    return SetRect(rect, 0, 0, 0, 0);
}

BOOL CopyRect(LPRECT dst, LPCRECT src) {
    if (!dst || !src) return FALSE;
    *dst = *src;
    return TRUE;
}

BOOL IsRectEmpty(LPCRECT rect) {
    return !rect || rect->right <= rect->left || rect->bottom <= rect->top ? TRUE : FALSE;
}

BOOL EqualRect(LPCRECT a, LPCRECT b) {
    return a && b && a->left == b->left && a->top == b->top && a->right == b->right &&
                   a->bottom == b->bottom
               ? TRUE
               : FALSE;
}

BOOL InflateRect(LPRECT rect, int dx, int dy) {
    if (!rect) return FALSE;
    rect->left -= dx;
    rect->top -= dy;
    rect->right += dx;
    rect->bottom += dy;
    return TRUE;
}

BOOL OffsetRect(LPRECT rect, int dx, int dy) {
    if (!rect) return FALSE;
    rect->left += dx;
    rect->top += dy;
    rect->right += dx;
    rect->bottom += dy;
    return TRUE;
}

BOOL PtInRect(LPCRECT rect, POINT point) {
    return rect && point.x >= rect->left && point.x < rect->right && point.y >= rect->top &&
                   point.y < rect->bottom
               ? TRUE
               : FALSE;
}

BOOL IntersectRect(LPRECT dst, LPCRECT a, LPCRECT b) {
    if (!dst || !a || !b) return FALSE;
    const RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
                 std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(&r)) {
        SetRectEmpty(dst);
        return FALSE;
    }
    *dst = r;
    return TRUE;
}

BOOL UnionRect(LPRECT dst, LPCRECT a, LPCRECT b) {
    if (!dst || !a || !b) return FALSE;
    if (IsRectEmpty(a)) return CopyRect(dst, b) && !IsRectEmpty(b);
    if (IsRectEmpty(b)) return CopyRect(dst, a);
    *dst = RECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                std::max(a->bottom, b->bottom)};
    return TRUE;
}
