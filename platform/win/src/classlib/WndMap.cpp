// Window objects and handles: the permanent and temporary maps, the class library's window
// procedure, creation hooks and pre-translation of queued messages.
#include "classlib/AfxInternal.h"

#include "kernel/Kernel.h"

#include <memory>
#include <unordered_map>
#include <vector>

namespace afx {
namespace {

struct Maps {
    std::unordered_map<HWND, CWnd*> permanent;
    std::unordered_map<HWND, std::unique_ptr<CWnd>> temporary;
    std::vector<CurrentMessage> messages;
    bool hooked = false;
};

Maps& maps() {
    static Maps m;
    return m;
}

// Drops what the maps know about a window that has just died.
void windowDestroyed(HWND hwnd) {
    Maps& m = maps();
    if (auto node = m.temporary.extract(hwnd); !node.empty()) node.mapped()->m_hWnd = nullptr;
    if (auto it = m.permanent.find(hwnd); it != m.permanent.end()) {
        it->second->m_hWnd = nullptr;
        m.permanent.erase(it);
    }
}

// Queued messages go to the PreTranslateMessage of the target and its parents first.
int preTranslate(MSG* msg) {
    bool anyObject = false;
    for (HWND h = msg->hwnd; h && IsWindow(h);) {
        if (CWnd* wnd = permanent(h)) {
            anyObject = true;
            if (wnd->PreTranslateMessage(msg)) return 1;
        }
        if (!(GetWindowLongPtr(h, GWL_STYLE) & WS_CHILD)) break;
        h = GetParent(h);
    }
    return anyObject ? 0 : 2;
}

void attachOnCreate(HWND hwnd, void* context) {
    auto* wnd = static_cast<CWnd*>(context);
    wnd->Attach(hwnd);
    subclass(*wnd);
}

class MessageScope {
public:
    MessageScope(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        maps().messages.push_back({hwnd, message, wParam, lParam});
    }
    ~MessageScope() { maps().messages.pop_back(); }
    MessageScope(const MessageScope&) = delete;
    MessageScope& operator=(const MessageScope&) = delete;
};

} // namespace

void ensureHooks() {
    Maps& m = maps();
    if (m.hooked) return;
    m.hooked = true;
    winx::kernel::ensureStarted();
    winx::kernel::setPreTranslateHook(preTranslate);
    winx::kernel::addDestroyHook(windowDestroyed);
}

CWnd* permanent(HWND hwnd) {
    if (!hwnd) return nullptr;
    auto& p = maps().permanent;
    auto it = p.find(hwnd);
    return it == p.end() ? nullptr : it->second;
}

void mapPermanent(HWND hwnd, CWnd* wnd) {
    ensureHooks();
    maps().permanent[hwnd] = wnd;
}

void unmapPermanent(HWND hwnd) {
    maps().permanent.erase(hwnd);
}

void subclass(CWnd& wnd) {
    const auto old = reinterpret_cast<WNDPROC>(GetWindowLongPtr(wnd.m_hWnd, GWLP_WNDPROC));
    if (old == AfxWndProc) return;
    AfxWndAccess::super(wnd) = old;
    SetWindowLongPtr(wnd.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc));
}

void hookCreation(CWnd* wnd) {
    ensureHooks();
    winx::kernel::setCreationHook(attachOnCreate, wnd);
}

void unhookCreation() {
    winx::kernel::CreationHook hook = nullptr;
    void* context = nullptr;
    winx::kernel::takeCreationHook(hook, context);
}

const CurrentMessage* currentMessage() {
    auto& messages = maps().messages;
    return messages.empty() ? nullptr : &messages.back();
}

CWnd* temporaryWindow(HWND hwnd) {
    auto& t = maps().temporary;
    auto it = t.find(hwnd);
    if (it != t.end()) return it->second.get();
    auto wnd = std::make_unique<CWnd>();
    wnd->m_hWnd = hwnd;
    CWnd* raw = wnd.get();
    t.emplace(hwnd, std::move(wnd));
    return raw;
}

} // namespace afx

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    return afx::permanent(hwnd);
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    if (!hwnd || !IsWindow(hwnd)) return nullptr;
    afx::ensureHooks();
    if (CWnd* wnd = afx::permanent(hwnd)) return wnd;
    return afx::temporaryWindow(hwnd);
}

LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = afx::permanent(hwnd);
    if (!wnd) return DefWindowProc(hwnd, message, wParam, lParam);
    LRESULT result = 0;
    {
        afx::MessageScope scope(hwnd, message, wParam, lParam);
        result = wnd->WindowProc(message, wParam, lParam);
    }
    if (message == WM_NCDESTROY && afx::permanent(hwnd) == wnd) {
        wnd->Detach();
        wnd->PostNcDestroy(); // may delete the object
    }
    return result;
}
