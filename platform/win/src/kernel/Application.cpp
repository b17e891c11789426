// The process's main window and application name.
#include "kernel/Kernel.h"

#include <filesystem>

namespace winx {
namespace {

struct Application {
    HWND mainWindow = nullptr;
    std::wstring name;
};

Application& app() {
    static Application a;
    return a;
}

} // namespace

void setMainWindow(HWND hwnd) {
    app().mainWindow = hwnd;
}

HWND mainWindow() {
    Application& a = app();
    if (a.mainWindow && !IsWindow(a.mainWindow)) a.mainWindow = nullptr;
    return a.mainWindow;
}

void setApplicationName(std::wstring_view name) {
    app().name = name;
}

std::wstring applicationName() {
    if (!app().name.empty()) return app().name;
    wchar_t path[1024];
    const DWORD n = GetModuleFileName(nullptr, path, 1024);
    return std::filesystem::path(std::wstring(path, n)).stem().wstring();
}

} // namespace winx
