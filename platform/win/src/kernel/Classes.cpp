// Window classes: per-instance and global registrations, looked up without regard to case.
#include "kernel/Kernel.h"

#include <algorithm>
#include <cwctype>

namespace winx::kernel {
namespace {

constexpr ATOM kFirstClassAtom = 0xC000;

struct ClassTable {
    std::vector<std::shared_ptr<WindowClass>> classes;
    ATOM nextAtom = kFirstClassAtom;
};

ClassTable& classTable() {
    static ClassTable t;
    return t;
}

bool sameName(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); });
}

bool matches(const WindowClass& c, LPCWSTR name) {
    if (IS_INTRESOURCE(name)) return c.atom == static_cast<ATOM>(reinterpret_cast<UINT_PTR>(name));
    return sameName(c.name, name);
}

bool sameInstance(HINSTANCE a, HINSTANCE b) {
    return a == b || (!a && b == GetModuleHandle(nullptr)) || (!b && a == GetModuleHandle(nullptr));
}

std::shared_ptr<WindowClass>* findSlot(LPCWSTR name, HINSTANCE instance, bool global) {
    for (auto& c : classTable().classes) {
        if (c->global == global && matches(*c, name) &&
            (global || sameInstance(c->instance, instance)))
            return &c;
    }
    return nullptr;
}

} // namespace

std::shared_ptr<WindowClass> findClass(LPCWSTR name, HINSTANCE instance) {
    if (!name) return nullptr;
    if (auto* local = findSlot(name, instance, false)) return *local;
    if (auto* global = findSlot(name, instance, true)) return *global;
    return nullptr;
}

void registerSystemClasses() {
    WNDCLASSEXW dialog;
    dialog.lpfnWndProc = DefDlgProc;
    dialog.cbWndExtra = DLGWINDOWEXTRA;
    dialog.style = CS_GLOBALCLASS;
    dialog.lpszClassName = L"#32770";
    RegisterClassEx(&dialog);
}

} // namespace winx::kernel

using namespace winx::kernel;
using winx::WindowChange;

ATOM RegisterClassEx(const WNDCLASSEXW* wc) {
    if (!wc || !wc->lpszClassName || IS_INTRESOURCE(wc->lpszClassName) || !wc->lpfnWndProc)
        return 0;
    if (*wc->lpszClassName == L'\0' || wc->cbWndExtra < 0 || wc->cbWndExtra > 40000) return 0;
    const bool global = (wc->style & CS_GLOBALCLASS) != 0;
    if (findSlot(wc->lpszClassName, wc->hInstance, global)) return 0;
    auto c = std::make_shared<WindowClass>();
    c->name = wc->lpszClassName;
    if (wc->lpszMenuName && !IS_INTRESOURCE(wc->lpszMenuName)) c->menuName = wc->lpszMenuName;
    c->instance = wc->hInstance;
    c->global = global;
    c->info = *wc;
    c->info.lpszClassName = nullptr;
    c->info.lpszMenuName = IS_INTRESOURCE(wc->lpszMenuName) ? wc->lpszMenuName : nullptr;
    c->atom = classTable().nextAtom++;
    classTable().classes.push_back(c);
    return c->atom;
}

BOOL UnregisterClass(LPCWSTR className, HINSTANCE instance) {
    auto& classes = classTable().classes;
    for (auto it = classes.begin(); it != classes.end(); ++it) {
        WindowClass& c = **it;
        if (!matches(c, className) || (!c.global && !sameInstance(c.instance, instance))) continue;
        if (c.liveWindows > 0) return FALSE;
        classes.erase(it);
        return TRUE;
    }
    return FALSE;
}

BOOL GetClassInfoEx(HINSTANCE instance, LPCWSTR className, WNDCLASSEXW* out) {
    ensureStarted();
    auto c = findClass(className, instance);
    if (!c || !out) return FALSE;
    *out = c->info;
    out->lpszClassName = className;
    return TRUE;
}

int GetClassName(HWND hwnd, LPWSTR buffer, int maxCount) {
    Window* w = find(hwnd);
    if (!w || !buffer || maxCount <= 0) return 0;
    const std::wstring& name = w->windowClass->name;
    const int n = std::min(static_cast<int>(name.size()), maxCount - 1);
    std::copy_n(name.begin(), n, buffer);
    buffer[n] = L'\0';
    return n;
}

ULONG_PTR GetClassLongPtr(HWND hwnd, int index) {
    Window* w = find(hwnd);
    if (!w) return 0;
    const WNDCLASSEXW& info = w->windowClass->info;
    switch (index) {
    case GCLP_HICON:
        return reinterpret_cast<ULONG_PTR>(info.hIcon);
    case GCLP_HCURSOR:
        return reinterpret_cast<ULONG_PTR>(info.hCursor);
    case GCLP_HBRBACKGROUND:
        return reinterpret_cast<ULONG_PTR>(info.hbrBackground);
    case GCLP_WNDPROC:
        return reinterpret_cast<ULONG_PTR>(info.lpfnWndProc);
    case GCL_STYLE:
        return info.style;
    case GCL_CBWNDEXTRA:
        return static_cast<ULONG_PTR>(info.cbWndExtra);
    default:
        return 0;
    }
}

BOOL IsWindowUnicode(HWND hwnd) {
    return IsWindow(hwnd);
}
