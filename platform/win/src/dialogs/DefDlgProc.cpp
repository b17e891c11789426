// The dialog class's window procedure: calls the dialog procedure, then does the default
// processing of dialogs (default button, focus keeping, WM_CLOSE as Cancel).
#include "dialogs/Dialogs.h"

#include "win/winctrl.h"

namespace winx::dialogs {
namespace {

bool returnsDirectly(UINT msg) {
    return (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) || msg == WM_INITDIALOG ||
           msg == 0x0039 /* WM_COMPAREITEM */ || msg == 0x002E /* WM_VKEYTOITEM */ ||
           msg == 0x002F /* WM_CHARTOITEM */ || msg == 0x0037 /* WM_QUERYDRAGICON */;
}

bool isPushButton(HWND control) {
    const LRESULT code = SendMessage(control, WM_GETDLGCODE, 0, 0);
    return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

void setButtonLook(HWND button, bool isDefault) {
    if (!button || !isPushButton(button)) return;
    SendMessage(button, BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

// The push button that shows as default: the focused push button, else the default id's.
void showDefault(HWND dialog, HWND focus) {
    kernel::DialogState* st = stateOf(dialog);
    if (!st) return;
    const HWND byId = st->defaultId ? GetDlgItem(dialog, st->defaultId) : nullptr;
    const HWND shown = focus && IsChild(dialog, focus) && isPushButton(focus) ? focus : byId;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const LRESULT code = SendMessage(child, WM_GETDLGCODE, 0, 0);
        if ((code & DLGC_DEFPUSHBUTTON) && child != shown) setButtonLook(child, false);
    }
    if (shown && !(SendMessage(shown, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)) {
        setButtonLook(shown, true);
    }
}

void restoreFocus(HWND dialog) {
    kernel::DialogState* st = stateOf(dialog);
    if (!st) return;
    HWND target = st->savedFocus;
    if (!target || !IsWindow(target) || !IsChild(dialog, target)) {
        target = GetNextDlgTabItem(dialog, nullptr, FALSE);
    }
    if (target) SetFocus(target);
}

void saveFocus(HWND dialog) {
    kernel::DialogState* st = stateOf(dialog);
    const HWND focus = GetFocus();
    if (st && focus && IsChild(dialog, focus)) st->savedFocus = focus;
}

LRESULT nextControl(HWND dialog, WPARAM wParam, LPARAM lParam) {
    const HWND target = LOWORD(static_cast<DWORD_PTR>(lParam))
                            ? reinterpret_cast<HWND>(wParam)
                            : GetNextDlgTabItem(dialog, GetFocus(), wParam != 0);
    if (target && IsWindow(target)) setDialogFocus(dialog, target);
    return 0;
}

LRESULT setDefaultId(HWND dialog, WPARAM id) {
    kernel::DialogState* st = stateOf(dialog);
    if (!st) return FALSE;
    st->defaultId = static_cast<int>(id);
    showDefault(dialog, GetFocus());
    return TRUE;
}

LRESULT closeAsCancel(HWND dialog) {
    const HWND cancel = GetDlgItem(dialog, IDCANCEL);
    if (cancel && !IsWindowEnabled(cancel)) {
        MessageBeep(0);
        return 0;
    }
    PostMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                reinterpret_cast<LPARAM>(cancel));
    return 0;
}

LRESULT defaultProcessing(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    kernel::DialogState* st = stateOf(dialog);
    if (!st) return DefWindowProc(dialog, msg, wParam, lParam);
    switch (msg) {
    case WM_INITDIALOG:
        return TRUE;
    case DM_GETDEFID:
        return st->defaultId
                   ? static_cast<LRESULT>(MAKELONG(static_cast<WORD>(st->defaultId), DC_HASDEFID))
                   : 0;
    case DM_SETDEFID:
        return setDefaultId(dialog, wParam);
    case WM_NEXTDLGCTL:
        return nextControl(dialog, wParam, lParam);
    case WM_SETFONT:
        st->font = reinterpret_cast<HFONT>(wParam);
        return DefWindowProc(dialog, msg, wParam, lParam);
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(st->font);
    case WM_CLOSE:
        return closeAsCancel(dialog);
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            saveFocus(dialog);
        } else if (!IsChild(dialog, GetFocus())) {
            restoreFocus(dialog);
        }
        return 0;
    case WM_SETFOCUS:
        restoreFocus(dialog);
        return 0;
    case WM_SHOWWINDOW:
        if (!wParam) saveFocus(dialog);
        return DefWindowProc(dialog, msg, wParam, lParam);
    case WM_ERASEBKGND:
        return 1;
    case WM_COMMAND:
    case WM_NOTIFY:
        return 0;
    default:
        if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) return 0;
        return DefWindowProc(dialog, msg, wParam, lParam);
    }
}

} // namespace

void setDialogFocus(HWND dialog, HWND control) {
    const LRESULT code = SendMessage(control, WM_GETDLGCODE, 0, 0);
    SetFocus(control);
    if (!IsWindow(control)) return;
    if (code & DLGC_HASSETSEL) SendMessage(control, EM_SETSEL, 0, -1);
    if (IsWindow(dialog)) showDefault(dialog, control);
}

} // namespace winx::dialogs

LRESULT DefDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtr(dialog, DWLP_DLGPROC));
    if (proc && winx::dialogs::stateOf(dialog)) {
        SetWindowLongPtr(dialog, DWLP_MSGRESULT, 0);
        const INT_PTR handled = proc(dialog, msg, wParam, lParam);
        if (!IsWindow(dialog) || msg == WM_INITDIALOG) return handled;
        if (handled) {
            return winx::dialogs::returnsDirectly(msg) ? handled
                                                       : GetWindowLongPtr(dialog, DWLP_MSGRESULT);
        }
    }
    return winx::dialogs::defaultProcessing(dialog, msg, wParam, lParam);
}
