// The window table: creation, destruction and the handle registry. Handles are counters that
// are never reused during a run, so a stale handle is simply absent from the table.
#include "kernel/Kernel.h"
#include "resources/Modules.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <utility>

#include "controls/StandardControls.h"

namespace winx::kernel {
namespace {

constexpr std::uintptr_t kFirstHandle = 0x10000;
constexpr std::uintptr_t kHandleStep = 4;
constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;
constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;

struct Table {
    std::unordered_map<HWND, std::unique_ptr<Window>> windows;
    std::uintptr_t nextHandle = kFirstHandle;
    HWND desktop = nullptr;
    CreationHook creationHook = nullptr;
    void* creationContext = nullptr;
    std::vector<DestroyHook> destroyHooks;
    WindowObserver observer = nullptr;
    void* observerContext = nullptr;
    bool started = false;
};

Table& table() {
    static Table t;
    return t;
}

HWND newHandle() {
    auto& t = table();
    const auto value = t.nextHandle;
    t.nextHandle += kHandleStep;
    return reinterpret_cast<HWND>(value);
}

void createDesktop() {
    auto w = std::make_unique<Window>();
    w->handle = newHandle();
    w->style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
    w->rect = RECT{0, 0, kScreenWidth, kScreenHeight};
    w->proc = DefWindowProc;
    w->windowClass = std::make_shared<WindowClass>();
    w->windowClass->name = L"#32769";
    table().desktop = w->handle;
    table().windows.emplace(w->handle, std::move(w));
}

void linkIntoParent(Window& w) {
    Window* parent = find(w.parent);
    if (!parent) return;
    if (isChildStyle(w)) {
        parent->children.push_back(w.handle); // controls keep creation (tab) order
    } else {
        insertAt(parent->children, 0, w.handle);
    }
}

void unlinkFromParent(const Window& w) {
    Window* parent = find(w.parent);
    if (!parent) return;
    auto& c = parent->children;
    c.erase(std::remove(c.begin(), c.end(), w.handle), c.end());
}

HWND resolveOwner(HWND parent) {
    if (!parent || !find(parent) || parent == desktop()) return nullptr;
    return topLevelOf(parent);
}

struct Placement {
    int x, y, width, height;
};

Placement defaultPlacement(bool child, int x, int y, int width, int height) {
    if (!child) {
        if (x == CW_USEDEFAULT) x = y = 0;
        if (width == CW_USEDEFAULT) width = kDefaultWidth, height = kDefaultHeight;
    } else {
        if (x == CW_USEDEFAULT) x = y = 0;
        if (width == CW_USEDEFAULT) width = height = 0;
    }
    return {x, y, std::max(width, 0), std::max(height, 0)};
}

std::unique_ptr<Window> makeWindow(std::shared_ptr<WindowClass> cls, DWORD exStyle, LPCWSTR name,
                                   DWORD style, const Placement& p, HWND parent, HMENU menuOrId,
                                   HINSTANCE instance) {
    auto w = std::make_unique<Window>();
    w->handle = newHandle();
    w->windowClass = std::move(cls);
    w->proc = w->windowClass->info.lpfnWndProc;
    w->style = style;
    w->exStyle = exStyle;
    w->instance = instance;
    w->rect = RECT{p.x, p.y, p.x + p.width, p.y + p.height};
    w->extra.assign(static_cast<std::size_t>(std::max(w->windowClass->info.cbWndExtra, 0)), 0);
    const bool child = (style & WS_CHILD) != 0;
    w->parent = child ? parent : desktop();
    w->owner = child ? nullptr : resolveOwner(parent);
    if (child) {
        w->id = reinterpret_cast<UINT_PTR>(menuOrId);
    } else {
        w->menu = IsMenu(menuOrId) ? menuOrId : nullptr; // an id is no menu bar
    }
    if (name && !IS_INTRESOURCE(name)) w->text = name;
    return w;
}

bool sendCreateMessages(HWND hwnd, CREATESTRUCTW& cs) {
    if (!SendMessage(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) return false;
    if (!IsWindow(hwnd)) return false;
    if (SendMessage(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) return false;
    return IsWindow(hwnd) != FALSE;
}

void sendInitialGeometry(HWND hwnd) {
    Window* w = find(hwnd);
    if (!w) return;
    const RECT client = clientRectOf(*w);
    const RECT r = w->rect;
    SendMessage(hwnd, WM_SIZE, SIZE_RESTORED,
                MAKELPARAM(static_cast<WORD>(client.right), static_cast<WORD>(client.bottom)));
    if (IsWindow(hwnd)) {
        SendMessage(hwnd, WM_MOVE, 0,
                    MAKELPARAM(static_cast<WORD>(r.left), static_cast<WORD>(r.top)));
    }
}

// Destroys `hwnd` and its children. WM_DESTROY goes to the window before its children,
// WM_NCDESTROY after them, as on the platform.
void destroyTree(HWND hwnd) {
    Window* w = find(hwnd);
    if (!w || w->destroying) return;
    w->destroying = true;
    killTimersOf(hwnd);
    windowGone(hwnd);
    SendMessage(hwnd, WM_DESTROY, 0, 0);
    w = find(hwnd);
    if (!w) return;
    const std::vector<HWND> children = w->children;
    for (HWND child : children)
        destroyTree(child);
    killTimersOf(hwnd);
    SendMessage(hwnd, WM_NCDESTROY, 0, 0);
    for (DestroyHook hook : table().destroyHooks)
        hook(hwnd);
    w = find(hwnd);
    if (!w) return;
    unlinkFromParent(*w);
    dropMessagesFor(hwnd);
    if (w->windowClass) --w->windowClass->liveWindows;
    auto node = table().windows.extract(hwnd);
    notify(hwnd, WindowChange::Destroyed);
}

std::vector<HWND> ownedWindows(HWND owner) {
    std::vector<HWND> result;
    for (auto& [handle, w] : table().windows) {
        if (w->owner == owner && !w->destroying) result.push_back(handle);
    }
    return result;
}

} // namespace

void insertAt(std::vector<HWND>& list, std::size_t index, HWND hwnd) {
    list.push_back(hwnd);
    const auto at = list.begin() + static_cast<std::ptrdiff_t>(std::min(index, list.size() - 1));
    std::rotate(at, list.end() - 1, list.end());
}

void ensureStarted() {
    auto& t = table();
    if (t.started) return;
    t.started = true;
    createDesktop();
    registerSystemClasses();
    registerStandardControls();
    winx::installResourceLoader();
}

Window* find(HWND hwnd) {
    if (!hwnd) return nullptr;
    ensureStarted();
    auto& windows = table().windows;
    auto it = windows.find(hwnd);
    return it == windows.end() ? nullptr : it->second.get();
}

HWND desktop() {
    ensureStarted();
    return table().desktop;
}

std::vector<HWND> allWindows() {
    std::vector<HWND> result;
    for (auto& [handle, w] : table().windows) {
        if (handle != table().desktop) result.push_back(handle);
    }
    std::sort(result.begin(), result.end());
    return result;
}

bool isChildStyle(const Window& w) {
    return (w.style & WS_CHILD) != 0;
}

HWND topLevelOf(HWND hwnd) {
    Window* w = find(hwnd);
    while (w && isChildStyle(*w)) {
        Window* parent = find(w->parent);
        if (!parent || parent->handle == desktop()) break;
        w = parent;
    }
    return w ? w->handle : nullptr;
}

bool isDescendant(HWND ancestor, HWND hwnd) {
    for (Window* w = find(hwnd); w; w = isChildStyle(*w) ? find(w->parent) : nullptr) {
        if (w->handle == ancestor) return true;
    }
    return false;
}

void notify(HWND hwnd, WindowChange change) {
    auto& t = table();
    if (t.observer) t.observer(t.observerContext, hwnd, change);
}

void setCreationHook(CreationHook hook, void* context) {
    table().creationHook = hook;
    table().creationContext = context;
}

void takeCreationHook(CreationHook& hook, void*& context) {
    hook = std::exchange(table().creationHook, nullptr);
    context = std::exchange(table().creationContext, nullptr);
}

void addDestroyHook(DestroyHook hook) {
    table().destroyHooks.push_back(hook);
}

} // namespace winx::kernel

using namespace winx::kernel;
using winx::WindowChange;

HWND CreateWindowEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance,
                    LPVOID param) {
    ensureStarted();
    auto cls = findClass(className, instance);
    if (!cls) return nullptr;
    const bool child = (style & WS_CHILD) != 0;
    if (parent == HWND_MESSAGE) parent = nullptr;
    if (child && !find(parent)) return nullptr;
    if (!child && parent && !find(parent)) return nullptr;
    const Placement p = defaultPlacement(child, x, y, width, height);
    auto created =
        makeWindow(cls, exStyle, windowName, style & ~WS_VISIBLE, p, parent, menuOrId, instance);
    Window& w = *created;
    const HWND hwnd = w.handle;
    ++cls->liveWindows;
    table().windows.emplace(hwnd, std::move(created));
    linkIntoParent(w);
    if (auto hook = table().creationHook) {
        table().creationHook = nullptr;
        hook(hwnd, table().creationContext);
    }
    notify(hwnd, WindowChange::Created);
    CREATESTRUCTW cs;
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menuOrId;
    cs.hwndParent = parent;
    cs.cx = p.width;
    cs.cy = p.height;
    cs.x = p.x;
    cs.y = p.y;
    cs.style = static_cast<LONG>(style);
    cs.lpszName = windowName;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;
    if (!sendCreateMessages(hwnd, cs)) {
        if (IsWindow(hwnd)) destroyTree(hwnd);
        return nullptr;
    }
    sendInitialGeometry(hwnd);
    if ((style & WS_VISIBLE) && IsWindow(hwnd)) ShowWindow(hwnd, SW_SHOW);
    return IsWindow(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
    Window* w = find(hwnd);
    if (!w || hwnd == desktop() || w->destroying) return FALSE;
    if (!isChildStyle(*w)) {
        for (HWND owned : ownedWindows(hwnd))
            DestroyWindow(owned);
    }
    w = find(hwnd);
    if (!w) return TRUE;
    if (w->style & WS_VISIBLE) ShowWindow(hwnd, SW_HIDE);
    destroyTree(hwnd);
    return TRUE;
}

BOOL IsWindow(HWND hwnd) {
    return find(hwnd) != nullptr;
}

namespace winx {

void setObserver(WindowObserver observer, void* context) {
    auto& t = table();
    t.observer = observer;
    t.observerContext = context;
}

void notifyChanged(HWND hwnd, winx::WindowChange change) {
    if (find(hwnd)) notify(hwnd, change);
}

std::vector<HWND> topLevelWindows() {
    Window* d = find(desktop());
    return d ? d->children : std::vector<HWND>{};
}

} // namespace winx
