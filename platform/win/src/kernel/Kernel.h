// Internal state of the window system: the window and class tables, and the hooks that the
// dialog manager and the class library plug into. Everything runs on the one thread.
#pragma once

#include "win/winuser.h"
#include "win/winx.h"

#include <memory>
#include <string>
#include <vector>

namespace winx::kernel {

struct WindowClass {
    std::wstring name;
    std::wstring menuName;
    HINSTANCE instance = nullptr;
    bool global = false;
    ATOM atom = 0;
    WNDCLASSEXW info;
    int liveWindows = 0;
};

// What the dialog manager keeps for a dialog window.
struct DialogState {
    int templateId = 0;
    bool modal = false;
    bool ended = false;
    INT_PTR result = 0;
    int defaultId = 0;
    HFONT font = nullptr;         // the font the dialog was given (WM_SETFONT)
    HFONT templateFont = nullptr; // the template's font, deleted with the dialog
    int baseX = 6;                // pixels per 4 horizontal dialog units
    int baseY = 13;               // pixels per 8 vertical dialog units
    HWND savedFocus = nullptr;
    HWND ownerToEnable = nullptr; // a modal dialog's owner, disabled while it runs
};

struct Window {
    HWND handle = nullptr;
    std::shared_ptr<WindowClass> windowClass;
    WNDPROC proc = nullptr;
    std::wstring text;
    DWORD style = 0;
    DWORD exStyle = 0;
    UINT_PTR id = 0;       // control id of a child window
    HMENU menu = nullptr;  // menu bar of a top-level window
    RECT rect{};           // parent-client coordinates for children, screen coordinates otherwise
    HWND parent = nullptr; // the desktop for top-level windows
    HWND owner = nullptr;
    std::vector<HWND> children; // z-order, topmost first
    HINSTANCE instance = nullptr;
    HFONT font = nullptr;
    std::vector<unsigned char> extra;
    std::vector<std::pair<std::wstring, HANDLE>> props;
    LONG_PTR userData = 0;
    bool redraw = true;
    bool destroying = false;
    bool minimized = false;
    bool maximized = false;
    std::unique_ptr<DialogState> dialog;
};

// Inserts into a z-order list (push and rotate: no reallocation games in the middle).
void insertAt(std::vector<HWND>& list, std::size_t index, HWND hwnd);

// ---- Window table ----------------------------------------------------------------------------
void ensureStarted();
Window* find(HWND hwnd); // null for a stale or bogus handle
HWND desktop();
std::vector<HWND> allWindows();
bool isChildStyle(const Window& w);
HWND topLevelOf(HWND hwnd);                  // the window itself for top-level windows
bool isDescendant(HWND ancestor, HWND hwnd); // true when equal too
RECT screenRect(const Window& w);
RECT clientRectOf(const Window& w); // client area in window-relative coordinates
void notify(HWND hwnd, WindowChange change);

// ---- Classes -----------------------------------------------------------------------------------
std::shared_ptr<WindowClass> findClass(LPCWSTR name, HINSTANCE instance);
void registerSystemClasses();

// ---- Messages ----------------------------------------------------------------------------------
// Pre-translation of queued messages by the class library: returns 1 when the message was
// consumed, 0 when not, 2 when no class-library window is involved.
using PreTranslateHook = int (*)(MSG* msg);
void setPreTranslateHook(PreTranslateHook hook);
// Runs the class library's (or else the dialog manager's) pre-translation, then translates and
// dispatches. WM_QUIT is left to the caller.
void processMessage(MSG& msg);
bool peekAny(MSG& msg, bool remove); // next message of any window, timers included
bool anythingPending();
void dropMessagesFor(HWND hwnd);
void clearQueue();
bool quitPosted(int* exitCode);
void resetQuit();
void setCursorPosition(POINT p);
POINT cursorPosition();

// ---- Creation hook (the class library attaches its objects before WM_NCCREATE) ---------------
using CreationHook = void (*)(HWND hwnd, void* context);
void setCreationHook(CreationHook hook, void* context);    // one-shot, for the next window
void takeCreationHook(CreationHook& hook, void*& context); // and clears it
// Called for every window after WM_NCDESTROY, before its handle dies.
using DestroyHook = void (*)(HWND hwnd);
void addDestroyHook(DestroyHook hook);

// ---- Timers, focus, keyboard -------------------------------------------------------------------
void killTimersOf(HWND hwnd);
void clearTimers();
unsigned long long timerMark(); // the order number the next timer will get
void killWindowlessTimersSince(unsigned long long mark);
void windowGone(HWND hwnd); // focus, capture and activation move away
void setKeyDown(int vk, bool down);
void updateKeyStateFrom(const MSG& msg);
void resetKeyboard();
void resetKeyStates();
void setActive(HWND topLevel);

} // namespace winx::kernel
