// Application services of the class library: the resource handle switch, resource search over
// the extension modules, the main window, message boxes and extension-module bookkeeping.
#include "classlib/AfxInternal.h"

#include "win/winx.h"

#include <algorithm>
#include <vector>

namespace {

struct AfxState {
    HINSTANCE resource = nullptr;
    std::vector<CDynLinkLibrary*> libraries; // the most recent last
    std::wstring appName;
};

AfxState& state() {
    static AfxState s;
    return s;
}

LRESULT CALLBACK plainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(hwnd, message, wParam, lParam);
}

} // namespace

HINSTANCE AfxGetResourceHandle() {
    return state().resource ? state().resource : GetModuleHandle(nullptr);
}

void AfxSetResourceHandle(HINSTANCE instance) {
    state().resource = instance;
}

HINSTANCE AfxGetInstanceHandle() {
    return GetModuleHandle(nullptr);
}

HINSTANCE AfxFindResourceHandle(LPCWSTR name, LPCWSTR type) {
    const HINSTANCE current = AfxGetResourceHandle();
    if (FindResource(current, name, type)) return current;
    const auto& libraries = state().libraries;
    for (auto it = libraries.rbegin(); it != libraries.rend(); ++it) {
        const CDynLinkLibrary* library = *it;
        if (!library->m_bSystem && FindResource(library->m_hResource, name, type)) {
            return library->m_hResource;
        }
    }
    if (FindResource(AfxGetInstanceHandle(), name, type)) return AfxGetInstanceHandle();
    for (auto it = libraries.rbegin(); it != libraries.rend(); ++it) {
        const CDynLinkLibrary* library = *it;
        if (library->m_bSystem && FindResource(library->m_hResource, name, type)) {
            return library->m_hResource;
        }
    }
    return current;
}

CWnd* AfxGetMainWnd() {
    return CWnd::FromHandle(winx::mainWindow());
}

LPCWSTR AfxGetAppName() {
    state().appName = winx::applicationName();
    return state().appName.c_str();
}

int AfxMessageBox(LPCWSTR text, UINT type, UINT helpId) {
    CWnd* main = AfxGetMainWnd();
    HWND owner = main ? main->m_hWnd : nullptr;
    if (const HWND active = GetActiveWindow(); active && IsWindowEnabled(active)) owner = active;
    return MessageBox(owner, text, AfxGetAppName(), type);
}

int AfxMessageBox(UINT promptId, UINT type, UINT helpId) {
    wchar_t text[1024] = {};
    LoadString(AfxFindResourceHandle(MAKEINTRESOURCE(promptId / 16 + 1), RT_STRING), promptId, text,
               1024);
    return AfxMessageBox(text, type, helpId);
}

LPCWSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
    static std::vector<std::wstring> names;
    std::wstring name = L"Afx:" + std::to_wstring(classStyle) + L":" +
                        std::to_wstring(reinterpret_cast<UINT_PTR>(cursor)) + L":" +
                        std::to_wstring(reinterpret_cast<UINT_PTR>(background)) + L":" +
                        std::to_wstring(reinterpret_cast<UINT_PTR>(icon));
    for (const std::wstring& known : names) {
        if (known == name) return known.c_str();
    }
    WNDCLASSEX wc;
    wc.style = classStyle | CS_GLOBALCLASS;
    wc.lpfnWndProc = plainWindowProc;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name.c_str();
    RegisterClassEx(&wc);
    names.push_back(std::move(name));
    return names.back().c_str();
}

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& module, HMODULE instance) {
    const auto known = winx::attachedModules();
    if (!instance || std::find(known.begin(), known.end(), instance) == known.end()) return FALSE;
    module.hModule = instance;
    module.hResource = instance;
    module.bInitialized = TRUE;
    return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& module, BOOL all) {
    std::vector<CDynLinkLibrary*> doomed;
    for (CDynLinkLibrary* library : state().libraries) {
        if (all || library->m_hModule == module.hModule) doomed.push_back(library);
    }
    for (CDynLinkLibrary* library : doomed)
        delete library;
    if (all || module.hModule) module.bInitialized = FALSE;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& module, BOOL system)
    : m_hModule(module.hModule), m_hResource(module.hResource), m_bSystem(system) {
    state().libraries.push_back(this);
}

CDynLinkLibrary::~CDynLinkLibrary() {
    auto& libraries = state().libraries;
    libraries.erase(std::remove(libraries.begin(), libraries.end(), this), libraries.end());
}

namespace winx {

std::vector<HINSTANCE> extensionModuleChain() {
    std::vector<HINSTANCE> chain;
    const auto& libraries = state().libraries;
    for (auto it = libraries.rbegin(); it != libraries.rend(); ++it)
        chain.push_back((*it)->m_hModule);
    return chain;
}

} // namespace winx

HCURSOR CWinApp::LoadCursor(UINT id) const {
    const LPCWSTR name = MAKEINTRESOURCE(id);
    return ::LoadCursor(AfxFindResourceHandle(name, RT_CURSOR), name);
}

HICON CWinApp::LoadIcon(UINT id) const {
    const LPCWSTR name = MAKEINTRESOURCE(id);
    return ::LoadIcon(AfxFindResourceHandle(name, RT_GROUP_ICON), name);
}

CWinApp* AfxGetApp() {
    static CWinApp app;
    app.m_pszAppName = AfxGetAppName();
    return &app;
}
