// Extras of the windowing stand-in that only the host process and tests use: module and
// resource registration, the loop's clock, the notification point for viewers, and the main
// window. Interaction scripts and records live in win/winx_script.h. Nothing here exists on
// the real platform.
#pragma once

#include "win/wintypes.h"

struct SYSTEMTIME;

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace winx {

enum class ResourceKind { Script, Bitmap, Icon };

// One embedded resource file: a resource script (dialogs, menus, string tables; id 0), or a
// bitmap or icon file registered under its number.
struct ResourceBlob {
    ResourceKind kind;
    int id;
    const wchar_t* fileName;
    const unsigned char* data;
    std::size_t size;
};

// Gives a loaded module (identified by its name, compared without regard to case) an instance
// handle; the same name yields the same handle. GetModuleFileName returns `path`, or the name
// when no path is given.
HINSTANCE attachModule(const wchar_t* name, const wchar_t* path = nullptr);
// Every module attached so far, the process module first.
std::vector<HINSTANCE> attachedModules();
// Registers resources under a module; the data must outlive the module. Scripts are parsed on
// first lookup.
void registerResources(HINSTANCE module, const ResourceBlob* blobs, std::size_t count);
// Problems of the registered resource scripts ("file:line: text"); parses pending scripts.
std::vector<std::wstring> resourceProblems();

// ---- The loop's clock ----------------------------------------------------------------------
// The clock is real by default. The test clock moves only through advanceClock (or when a
// blocking GetMessage would otherwise wait for the next timer: then it jumps to that timer).
void useTestClock(bool on);
bool usingTestClock();
// Moves the test clock forward, firing every timer that falls due, in time order (ties in the
// order the timers were set), each through the loop. Real clock: waits that long, pumping.
void advanceClock(DWORD ms);
// The local time GetLocalTime reports under the test clock at this moment of the test clock
// (default 2026-01-05 09:00:00, a Monday). Takes effect for the real clock too once the test
// clock is switched on.
void setTestLocalTime(const SYSTEMTIME& time);
// Processes every posted message and every due timer without blocking.
void pumpMessages();

// ---- Notification point --------------------------------------------------------------------
enum class WindowChange {
    Created,
    Destroyed,
    Text,
    Style,
    Geometry,
    Visibility,
    Enabled,
    Focus,
    Parent,
    ZOrder,
    Font,
    State, // per-class state of a control (check, selection, items, ...)
};
using WindowObserver = void (*)(void* context, HWND hwnd, WindowChange change);
// One observer at a time (a viewer); null removes it.
void setObserver(WindowObserver observer, void* context);
// Controls report changes of their own state here.
void notifyChanged(HWND hwnd, WindowChange change = WindowChange::State);

// ---- Application ---------------------------------------------------------------------------
// The main window of the process (the CAD program's frame); AfxGetMainWnd returns it.
void setMainWindow(HWND hwnd);
HWND mainWindow();
// Caption of AfxMessageBox; defaults to the process module's name.
void setApplicationName(std::wstring_view name);
std::wstring applicationName();
// Modules whose extension-module object (CDynLinkLibrary) is alive, the most recent first.
std::vector<HINSTANCE> extensionModuleChain();
// Top-level windows in z-order, the topmost first (the desktop excluded).
std::vector<HWND> topLevelWindows();

} // namespace winx
