// Sent and posted messages, the queue, and the message loop primitives.
#include "kernel/Clock.h"
#include "kernel/Kernel.h"
#include "scripts/Records.h"

#include <cwctype>
#include <deque>
#include <map>

namespace winx::kernel {
namespace {

struct Queue {
    std::deque<MSG> posted;
    bool quit = false;
    int quitCode = 0;
    MSG last{};
    int sendDepth = 0;
    PreTranslateHook preTranslate = nullptr;
    POINT cursor{};
};

Queue& queue() {
    static Queue q;
    return q;
}

bool inRange(UINT message, UINT filterMin, UINT filterMax) {
    if (filterMin == 0 && filterMax == 0) return true;
    return message >= filterMin && message <= filterMax;
}

bool forWindow(const MSG& m, HWND filter) {
    if (!filter) return true;
    if (filter == reinterpret_cast<HWND>(-1)) return m.hwnd == nullptr;
    return m.hwnd == filter;
}

MSG stamped(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG m;
    m.hwnd = hwnd;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = static_cast<DWORD>(clockNow());
    m.pt = queue().cursor;
    return m;
}

bool takePosted(MSG& out, HWND filter, UINT filterMin, UINT filterMax, bool remove) {
    auto& posted = queue().posted;
    for (auto it = posted.begin(); it != posted.end(); ++it) {
        if (!forWindow(*it, filter) || !inRange(it->message, filterMin, filterMax)) continue;
        out = *it;
        if (remove) posted.erase(it);
        return true;
    }
    return false;
}

bool takeQuit(MSG& out, bool remove) {
    Queue& q = queue();
    if (!q.quit) return false;
    out = stamped(nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0);
    if (remove) q.quit = false;
    return true;
}

bool retrieve(MSG& out, HWND filter, UINT filterMin, UINT filterMax, bool remove) {
    bool found = takePosted(out, filter, filterMin, filterMax, remove) || takeQuit(out, remove);
    if (!found && inRange(WM_TIMER, filterMin, filterMax)) {
        found = takeDueTimer(clockNow(), filter, remove, out);
    }
    if (found && remove) {
        queue().last = out;
        updateKeyStateFrom(out);
    }
    return found;
}

wchar_t shiftedDigit(int vk) {
    return L")!@#$%^&*("[vk - '0'];
}

struct OemKey {
    int vk;
    wchar_t plain, shifted;
};

constexpr OemKey kOemKeys[] = {
    {VK_OEM_1, L';', L':'},     {VK_OEM_PLUS, L'=', L'+'},   {VK_OEM_COMMA, L',', L'<'},
    {VK_OEM_MINUS, L'-', L'_'}, {VK_OEM_PERIOD, L'.', L'>'}, {VK_OEM_2, L'/', L'?'},
    {0xC0, L'`', L'~'},         {0xDB, L'[', L'{'},          {0xDC, L'\\', L'|'},
    {0xDD, L']', L'}'},         {0xDE, L'\'', L'"'}};

// The character a key produces on a US layout with the current modifier state; 0 for none.
wchar_t characterOf(int vk) {
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool caps = (GetKeyState(VK_CAPITAL) & 1) != 0;
    if (vk >= 'A' && vk <= 'Z') {
        if (ctrl) return static_cast<wchar_t>(vk - 'A' + 1);
        return static_cast<wchar_t>(shift != caps ? vk : vk - 'A' + 'a');
    }
    if (ctrl) return vk == VK_RETURN ? L'\n' : vk == VK_BACK ? L'\x7F' : L'\0';
    if (vk >= '0' && vk <= '9') return shift ? shiftedDigit(vk) : static_cast<wchar_t>(vk);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return static_cast<wchar_t>(L'0' + vk - VK_NUMPAD0);
    switch (vk) {
    case VK_SPACE:
        return L' ';
    case VK_RETURN:
        return L'\r';
    case VK_BACK:
        return L'\b';
    case VK_TAB:
        return L'\t';
    case VK_ESCAPE:
        return L'\x1B';
    case VK_MULTIPLY:
        return L'*';
    case VK_ADD:
        return L'+';
    case VK_SUBTRACT:
        return L'-';
    case VK_DECIMAL:
        return L'.';
    case VK_DIVIDE:
        return L'/';
    default:
        break;
    }
    for (const OemKey& k : kOemKeys) {
        if (k.vk == vk) return shift ? k.shifted : k.plain;
    }
    return L'\0';
}

// The outermost dialog that contains `hwnd`, for the dialog manager's keyboard handling.
HWND outermostDialog(HWND hwnd) {
    HWND found = nullptr;
    for (Window* w = find(hwnd); w; w = isChildStyle(*w) ? find(w->parent) : nullptr) {
        if (w->dialog) found = w->handle;
    }
    return found;
}

} // namespace

void setPreTranslateHook(PreTranslateHook hook) {
    queue().preTranslate = hook;
}

void processMessage(MSG& msg) {
    if (auto hook = queue().preTranslate) {
        const int handled = hook(&msg);
        if (handled == 1) return;
        if (handled == 0) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
            return;
        }
    }
    const HWND dialog = outermostDialog(msg.hwnd);
    if (dialog && IsDialogMessage(dialog, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
}

bool peekAny(MSG& msg, bool remove) {
    return retrieve(msg, nullptr, 0, 0, remove);
}

bool anythingPending() {
    MSG m;
    return retrieve(m, nullptr, 0, 0, false);
}

void dropMessagesFor(HWND hwnd) {
    auto& posted = queue().posted;
    std::erase_if(posted, [hwnd](const MSG& m) { return m.hwnd == hwnd; });
}

void clearQueue() {
    queue().posted.clear();
    queue().quit = false;
}

bool quitPosted(int* exitCode) {
    if (exitCode) *exitCode = queue().quitCode;
    return queue().quit;
}

void resetQuit() {
    queue().quit = false;
}

void setCursorPosition(POINT p) {
    queue().cursor = p;
}
POINT cursorPosition() {
    return queue().cursor;
}

} // namespace winx::kernel

using namespace winx::kernel;
using winx::WindowChange;

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = find(hwnd);
    if (!w || !w->proc) return 0;
    const WNDPROC proc = w->proc;
    ++queue().sendDepth;
    const LRESULT result = proc(hwnd, msg, wParam, lParam);
    --queue().sendDepth;
    return result;
}

BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    ensureStarted();
    if (hwnd && !find(hwnd)) return FALSE;
    queue().posted.push_back(stamped(hwnd, msg, wParam, lParam));
    return TRUE;
}

BOOL PostThreadMessage(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (threadId != GetCurrentThreadId()) return FALSE;
    return PostMessage(nullptr, msg, wParam, lParam);
}

void PostQuitMessage(int exitCode) {
    queue().quit = true;
    queue().quitCode = exitCode;
}

BOOL PeekMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
    ensureStarted();
    MSG m;
    if (!retrieve(m, hwnd, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0)) return FALSE;
    if (msg) *msg = m;
    return TRUE;
}

BOOL GetMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    ensureStarted();
    MSG m;
    while (!retrieve(m, hwnd, filterMin, filterMax, true)) {
        if (!waitForNextTimer()) {
            winx::records::problem(L"GetMessage: nothing can arrive any more; the loop ends");
            m = stamped(nullptr, WM_QUIT, 0, 0);
            break;
        }
    }
    if (msg) *msg = m;
    return m.message == WM_QUIT ? FALSE : TRUE;
}

BOOL WaitMessage() {
    return anythingPending() || waitForNextTimer() ? TRUE : FALSE;
}

BOOL TranslateMessage(const MSG* msg) {
    if (!msg) return FALSE;
    const bool keyDown = msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN;
    const bool keyUp = msg->message == WM_KEYUP || msg->message == WM_SYSKEYUP;
    if (!keyDown) return keyUp ? TRUE : FALSE;
    const wchar_t c = characterOf(static_cast<int>(msg->wParam));
    if (c != L'\0') {
        const UINT charMsg = msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
        queue().posted.push_front(stamped(msg->hwnd, charMsg, static_cast<WPARAM>(c), msg->lParam));
    }
    return TRUE;
}

LRESULT DispatchMessage(const MSG* msg) {
    if (!msg) return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        const auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        if (msg->hwnd && !IsWindow(msg->hwnd)) return 0;
        if (!timerAlive(msg->hwnd, msg->wParam, proc)) return 0;
        proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
        return 0;
    }
    if (!msg->hwnd) return 0;
    return SendMessage(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

UINT RegisterWindowMessage(LPCWSTR name) {
    static std::map<std::wstring, UINT> names;
    if (!name || !*name) return 0;
    std::wstring key = name;
    for (auto& c : key)
        c = static_cast<wchar_t>(std::towlower(c));
    auto [it, inserted] = names.emplace(key, 0);
    if (inserted) it->second = 0xC000 + static_cast<UINT>(names.size()) - 1;
    return it->second;
}

DWORD GetMessagePos() {
    const POINT p = queue().last.pt;
    return MAKELONG(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
}

LONG GetMessageTime() {
    return static_cast<LONG>(queue().last.time);
}

BOOL InSendMessage() {
    return FALSE;
}

namespace winx {

void pumpMessages() {
    ensureStarted();
    const auto start = clockNow();
    MSG msg;
    for (;;) {
        const bool found =
            takePosted(msg, nullptr, 0, 0, true) || takeDueTimer(start, nullptr, true, msg);
        if (!found) break;
        queue().last = msg;
        updateKeyStateFrom(msg);
        processMessage(msg);
    }
}

} // namespace winx
