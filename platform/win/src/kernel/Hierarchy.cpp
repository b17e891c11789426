// Parents, owners, siblings and children of windows.
#include "kernel/Kernel.h"

#include <algorithm>
#include <cwctype>

namespace winx::kernel {
namespace {

const std::vector<HWND>* siblingsOf(const Window& w) {
    Window* parent = find(w.parent);
    return parent ? &parent->children : nullptr;
}

HWND sibling(const Window& w, UINT cmd) {
    const std::vector<HWND>* s = siblingsOf(w);
    if (!s || s->empty()) return nullptr;
    const auto it = std::find(s->begin(), s->end(), w.handle);
    switch (cmd) {
    case GW_HWNDFIRST:
        return s->front();
    case GW_HWNDLAST:
        return s->back();
    case GW_HWNDNEXT:
        return it == s->end() || it + 1 == s->end() ? nullptr : *(it + 1);
    case GW_HWNDPREV:
        return it == s->begin() || it == s->end() ? nullptr : *(it - 1);
    default:
        return nullptr;
    }
}

bool equalNoCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); });
}

void collectDescendants(HWND parent, std::vector<HWND>& out) {
    Window* p = find(parent);
    if (!p) return;
    for (HWND child : p->children) {
        out.push_back(child);
        collectDescendants(child, out);
    }
}

} // namespace
} // namespace winx::kernel

using namespace winx::kernel;
using winx::WindowChange;

HWND GetParent(HWND hwnd) {
    Window* w = find(hwnd);
    if (!w) return nullptr;
    if (isChildStyle(*w)) return w->parent == desktop() ? nullptr : w->parent;
    return (w->style & WS_POPUP) ? w->owner : nullptr;
}

HWND SetParent(HWND child, HWND newParent) {
    Window* w = find(child);
    if (!w || child == desktop()) return nullptr;
    if (newParent && (!find(newParent) || isDescendant(child, newParent))) return nullptr;
    const HWND target = newParent ? newParent : desktop();
    const HWND old = w->parent;
    if (Window* p = find(old)) {
        auto& c = p->children;
        c.erase(std::remove(c.begin(), c.end(), child), c.end());
    }
    w->parent = target;
    Window* np = find(target);
    insertAt(np->children, 0, child);
    notify(child, winx::WindowChange::Parent);
    return old;
}

HWND GetAncestor(HWND hwnd, UINT flags) {
    Window* w = find(hwnd);
    if (!w || hwnd == desktop()) return nullptr;
    if (flags == GA_PARENT) return w->parent;
    if (flags == GA_ROOT) return topLevelOf(hwnd);
    if (flags == 3) { // GA_ROOTOWNER
        HWND root = topLevelOf(hwnd);
        while (Window* r = find(root)) {
            if (!r->owner) break;
            root = r->owner;
        }
        return root;
    }
    return nullptr;
}

HWND GetWindow(HWND hwnd, UINT cmd) {
    Window* w = find(hwnd);
    if (!w) return nullptr;
    if (cmd == GW_OWNER) return w->owner;
    if (cmd == GW_CHILD) return w->children.empty() ? nullptr : w->children.front();
    return sibling(*w, cmd);
}

HWND GetTopWindow(HWND hwnd) {
    return GetWindow(hwnd ? hwnd : desktop(), GW_CHILD);
}

HWND GetNextWindow(HWND hwnd, UINT cmd) {
    return cmd == GW_HWNDNEXT || cmd == GW_HWNDPREV ? GetWindow(hwnd, cmd) : nullptr;
}

BOOL IsChild(HWND parent, HWND hwnd) {
    return parent != hwnd && find(parent) && isDescendant(parent, hwnd) ? TRUE : FALSE;
}

HWND GetDesktopWindow() {
    return desktop();
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam) {
    if (!proc) return FALSE;
    std::vector<HWND> all;
    collectDescendants(parent ? parent : desktop(), all);
    for (HWND hwnd : all) {
        if (IsWindow(hwnd) && !proc(hwnd, lParam)) return FALSE;
    }
    return TRUE;
}

HWND FindWindowEx(HWND parent, HWND childAfter, LPCWSTR className, LPCWSTR windowName) {
    Window* p = find(parent ? parent : desktop());
    if (!p) return nullptr;
    bool started = childAfter == nullptr;
    for (HWND child : p->children) {
        if (!started) {
            started = child == childAfter;
            continue;
        }
        Window* c = find(child);
        if (!c) continue;
        if (className && !IS_INTRESOURCE(className) &&
            !equalNoCase(c->windowClass->name, className))
            continue;
        if (className && IS_INTRESOURCE(className) &&
            c->windowClass->atom != static_cast<ATOM>(reinterpret_cast<UINT_PTR>(className)))
            continue;
        if (windowName && !equalNoCase(c->text, windowName)) continue;
        return child;
    }
    return nullptr;
}
