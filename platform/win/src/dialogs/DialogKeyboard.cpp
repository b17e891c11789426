// Keyboard interface of dialogs: Tab and Shift+Tab between tab stops, arrow keys inside groups,
// Enter for the default button, Escape for Cancel, and mnemonics ('&' in a control's text).
// Children with WS_EX_CONTROLPARENT (nested dialogs such as tab pages) take part with their own
// controls.
#include "dialogs/Dialogs.h"

#include "win/winctrl.h"

#include <algorithm>
#include <cwctype>
#include <string>

namespace winx::dialogs {
namespace {

constexpr int kMaxNesting = 16;

DWORD styleOf(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE));
}

// Visible and enabled by its own style (the dialog itself may still be hidden).
bool usable(HWND hwnd) {
    return (styleOf(hwnd) & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE;
}
DWORD exStyleOf(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_EXSTYLE));
}

// All controls of the dialog in tab order, nested control parents flattened.
void flatten(HWND parent, std::vector<HWND>& out, int depth) {
    if (depth > kMaxNesting) return;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if ((exStyleOf(c) & WS_EX_CONTROLPARENT) && GetWindow(c, GW_CHILD)) {
            if (usable(c)) flatten(c, out, depth + 1);
        } else {
            out.push_back(c);
        }
    }
}

bool isTabStop(HWND hwnd) {
    return (styleOf(hwnd) & WS_TABSTOP) && usable(hwnd);
}

LRESULT dialogCode(const MSG& msg) {
    return SendMessage(msg.hwnd, WM_GETDLGCODE, msg.wParam,
                       reinterpret_cast<LPARAM>(const_cast<MSG*>(&msg)));
}

void pressEnter(HWND dialog, HWND focus) {
    int id = IDOK;
    if (focus && IsChild(dialog, focus) &&
        (SendMessage(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
        id = GetDlgCtrlID(focus);
    } else {
        const LRESULT def = SendMessage(dialog, DM_GETDEFID, 0, 0);
        if (HIWORD(static_cast<DWORD_PTR>(def)) == DC_HASDEFID) {
            id = LOWORD(static_cast<DWORD_PTR>(def));
        }
    }
    const HWND button = GetDlgItem(dialog, id);
    if (button && !IsWindowEnabled(button)) {
        MessageBeep(0);
        return;
    }
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                reinterpret_cast<LPARAM>(button));
}

void pressEscape(HWND dialog) {
    const HWND cancel = GetDlgItem(dialog, IDCANCEL);
    if (cancel && !IsWindowEnabled(cancel)) {
        MessageBeep(0);
        return;
    }
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                reinterpret_cast<LPARAM>(cancel));
}

void arrow(HWND dialog, HWND from, bool previous) {
    const HWND next = GetNextDlgGroupItem(dialog, from, previous ? TRUE : FALSE);
    if (!next || next == from) return;
    setDialogFocus(dialog, next);
    if (IsWindow(next) && (SendMessage(next, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)) {
        SendMessage(next, BM_CLICK, 0, 0);
    }
}

// True when the key was handled as navigation.
bool navigationKey(HWND dialog, const MSG& msg) {
    const LRESULT code = dialogCode(msg);
    if (code & DLGC_WANTALLKEYS) return false;
    const int vk = static_cast<int>(msg.wParam);
    switch (vk) {
    case VK_TAB:
        if (code & DLGC_WANTTAB) return false;
        SendMessage(dialog, WM_NEXTDLGCTL, GetKeyState(VK_SHIFT) < 0 ? 1 : 0, 0);
        return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        if (code & DLGC_WANTARROWS) return false;
        arrow(dialog, msg.hwnd, vk == VK_LEFT || vk == VK_UP);
        return true;
    case VK_RETURN:
        pressEnter(dialog, GetFocus());
        return true;
    case VK_ESCAPE:
        pressEscape(dialog);
        return true;
    default:
        return false;
    }
}

bool swallowedChar(const MSG& msg) {
    const wchar_t c = static_cast<wchar_t>(msg.wParam);
    if (c != L'\t' && c != L'\r' && c != L'\x1B') return false;
    return !(dialogCode(msg) & (DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTTAB));
}

// The lower-case character after a single '&' of the control's text; 0 for none.
wchar_t mnemonicOf(HWND control) {
    const int length = GetWindowTextLength(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowText(control, text.data(), length + 1)));
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'&') continue;
        if (text[i + 1] != L'&') return static_cast<wchar_t>(std::towlower(text[i + 1]));
        ++i;
    }
    return L'\0';
}

// Acts on the control whose mnemonic was typed: a label or group box focuses the control after
// it, a push button is clicked, a check box or radio button is focused and clicked, anything else
// is focused.
void activate(HWND dialog, HWND control, const std::vector<HWND>& all) {
    const LRESULT code = SendMessage(control, WM_GETDLGCODE, 0, 0);
    const bool groupBox = (styleOf(control) & BS_TYPEMASK) == BS_GROUPBOX && (code & DLGC_BUTTON);
    if ((code & DLGC_STATIC) || groupBox) {
        auto at = std::find(all.begin(), all.end(), control);
        for (auto it = at; it != all.end(); ++it) {
            if (*it != control && usable(*it) &&
                !(SendMessage(*it, WM_GETDLGCODE, 0, 0) & DLGC_STATIC)) {
                setDialogFocus(dialog, *it);
                return;
            }
        }
        return;
    }
    if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
        SendMessage(control, BM_CLICK, 0, 0);
        return;
    }
    setDialogFocus(dialog, control);
    if (IsWindow(control) && (code & DLGC_BUTTON)) SendMessage(control, BM_CLICK, 0, 0);
}

bool mnemonic(HWND dialog, const MSG& msg) {
    if (msg.message == WM_CHAR &&
        (dialogCode(msg) & (DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE))) {
        return false;
    }
    const wchar_t wanted = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(msg.wParam)));
    if (wanted == L'\0' || std::iswspace(static_cast<wint_t>(wanted))) return false;
    std::vector<HWND> all;
    flatten(dialog, all, 0);
    const auto focus = std::find(all.begin(), all.end(), GetFocus());
    const std::size_t start =
        focus == all.end() ? 0 : static_cast<std::size_t>(focus - all.begin()) + 1;
    for (std::size_t k = 0; k < all.size(); ++k) {
        const HWND candidate = all[(start + k) % all.size()];
        if (usable(candidate) && mnemonicOf(candidate) == wanted) {
            activate(dialog, candidate, all);
            return true;
        }
    }
    return false;
}

// A nested dialog (a page with WS_EX_CONTROLPARENT) navigates as part of the dialog it sits in.
HWND navigationRoot(HWND dialog) {
    HWND root = dialog;
    for (int depth = 0; depth < kMaxNesting; ++depth) {
        const HWND parent = GetParent(root);
        if (!parent || !(styleOf(root) & WS_CHILD) || !(exStyleOf(root) & WS_EX_CONTROLPARENT)) {
            break;
        }
        root = parent;
    }
    return root;
}

std::vector<HWND> siblings(HWND control) {
    std::vector<HWND> out;
    const HWND parent = GetParent(control);
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        out.push_back(c);
    return out;
}

} // namespace
} // namespace winx::dialogs

using namespace winx::dialogs;

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
    if (!IsWindow(dialog)) return nullptr;
    std::vector<HWND> all;
    flatten(dialog, all, 0);
    if (all.empty()) return nullptr;
    const auto n = static_cast<std::ptrdiff_t>(all.size());
    auto at = std::find(all.begin(), all.end(), control);
    std::ptrdiff_t start = at == all.end() ? (previous ? 0 : n - 1) : at - all.begin();
    for (std::ptrdiff_t step = 1; step <= n; ++step) {
        const std::ptrdiff_t i = ((start + (previous ? -step : step)) % n + n) % n;
        if (isTabStop(all[static_cast<std::size_t>(i)])) return all[static_cast<std::size_t>(i)];
    }
    return at == all.end() ? nullptr : control;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
    if (!IsWindow(dialog)) return nullptr;
    if (!control || !IsChild(dialog, control)) control = GetWindow(dialog, GW_CHILD);
    if (!control) return nullptr;
    const std::vector<HWND> all = siblings(control);
    const auto here =
        static_cast<std::size_t>(std::find(all.begin(), all.end(), control) - all.begin());
    std::size_t first = here;
    while (first > 0 && !(styleOf(all[first]) & WS_GROUP))
        --first;
    std::size_t last = here + 1;
    while (last < all.size() && !(styleOf(all[last]) & WS_GROUP))
        ++last;
    const std::size_t size = last - first;
    for (std::size_t step = 1; step < size; ++step) {
        const std::size_t offset =
            previous ? (here - first + size - step) % size : (here - first + step) % size;
        const HWND candidate = all[first + offset];
        if (usable(candidate)) return candidate;
    }
    return control;
}

BOOL IsDialogMessage(HWND dialog, LPMSG msg) {
    if (!msg || !IsWindow(dialog)) return FALSE;
    if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;
    if (msg->message == WM_KEYDOWN && navigationKey(navigationRoot(dialog), *msg)) return TRUE;
    if (msg->message == WM_CHAR && swallowedChar(*msg)) return TRUE;
    if ((msg->message == WM_CHAR || msg->message == WM_SYSCHAR) &&
        mnemonic(navigationRoot(dialog), *msg)) {
        return TRUE;
    }
    TranslateMessage(msg);
    DispatchMessage(msg);
    return TRUE;
}
