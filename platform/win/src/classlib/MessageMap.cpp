// Message maps: lookup from the most derived class to its bases, command and notification
// routing, reflection to child controls, and CWnd's default handlers.
#include "classlib/AfxInternal.h"

namespace {

bool isCtlColor(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

bool matches(const AFX_MSGMAP_ENTRY& e, UINT message, UINT code, UINT id) {
    if (e.nMessage != message) return false;
    const bool routed = message == WM_COMMAND || message == WM_NOTIFY ||
                        message == WM_REFLECT_BASE + WM_COMMAND ||
                        message == WM_REFLECT_BASE + WM_NOTIFY;
    if (!routed) return true;
    return e.nCode == code && id >= e.nID && id <= e.nLastID;
}

} // namespace

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT message, UINT code, UINT id) const {
    for (const AFX_MSGMAP* map = GetMessageMap(); map;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e) {
            if (matches(*e, message, code, id)) return e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT id, int code, void* extra, void* handlerInfo) {
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(WM_COMMAND, static_cast<UINT>(code), id);
    if (!e) return FALSE;
    if (handlerInfo) return TRUE; // only asked whether a handler exists
    e->pfn(this, WM_COMMAND, id, reinterpret_cast<LPARAM>(extra));
    return TRUE;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    LRESULT r = 0;
    BOOL handled = FALSE;
    if (message == WM_COMMAND) {
        handled = OnCommand(wParam, lParam);
    } else if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        handled = header && OnNotify(wParam, lParam, &r);
    } else if (message >= WM_REFLECT_BASE + WM_COMMAND && message <= WM_REFLECT_BASE + WM_NOTIFY) {
        const bool command = message == WM_REFLECT_BASE + WM_COMMAND;
        const UINT code = command ? HIWORD(wParam) : reinterpret_cast<const NMHDR*>(lParam)->code;
        if (const AFX_MSGMAP_ENTRY* e = FindMessageEntry(message, code, 0)) {
            e->pfn(this, message, command ? 0 : reinterpret_cast<WPARAM>(&r), lParam);
            handled = TRUE;
        }
    } else {
        const UINT key = isCtlColor(message) ? WM_CTLCOLOR : message;
        if (const AFX_MSGMAP_ENTRY* e = FindMessageEntry(key, 0, 0)) {
            r = e->pfn(this, message, wParam, lParam);
            handled = TRUE;
        }
    }
    if (handled && result) *result = r;
    return handled;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    int code = HIWORD(wParam);
    const HWND control = reinterpret_cast<HWND>(lParam);
    if (!control) {
        code = CN_COMMAND; // menus and accelerators
    } else if (CWnd* child = FromHandlePermanent(control);
               child && child != this &&
               child->OnChildNotify(WM_COMMAND, wParam, lParam, nullptr)) {
        return TRUE;
    }
    return OnCmdMsg(id, code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (CWnd* child = FromHandlePermanent(header->hwndFrom);
        child && child != this && child->OnChildNotify(WM_NOTIFY, wParam, lParam, result)) {
        return TRUE;
    }
    const AFX_MSGMAP_ENTRY* e =
        FindMessageEntry(WM_NOTIFY, header->code, static_cast<UINT>(header->idFrom));
    if (!e) return FALSE;
    LRESULT local = 0;
    e->pfn(this, WM_NOTIFY, reinterpret_cast<WPARAM>(result ? result : &local), lParam);
    return TRUE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, result);
}

// ---- Default handlers: the window's own processing of the message ----------------------------

int CWnd::OnCreate(LPCREATESTRUCT) {
    return static_cast<int>(Default());
}
void CWnd::OnDestroy() {
    Default();
}
void CWnd::OnNcDestroy() {
    Default();
}
void CWnd::OnClose() {
    Default();
}
void CWnd::OnPaint() {
    Default();
}
void CWnd::OnSize(UINT, int, int) {
    Default();
}
void CWnd::OnSizing(UINT, LPRECT) {
    Default();
}
void CWnd::OnMove(int, int) {
    Default();
}
void CWnd::OnTimer(UINT_PTR) {
    Default();
}
void CWnd::OnShowWindow(BOOL, UINT) {
    Default();
}
void CWnd::OnEnable(BOOL) {
    Default();
}
void CWnd::OnActivate(UINT, CWnd*, BOOL) {
    Default();
}
void CWnd::OnSetFocus(CWnd*) {
    Default();
}
void CWnd::OnKillFocus(CWnd*) {
    Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*) {
    return static_cast<BOOL>(Default());
}
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) {
    return reinterpret_cast<HBRUSH>(Default());
}
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) {
    return static_cast<BOOL>(Default());
}
void CWnd::OnLButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonDblClk(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnMouseMove(UINT, CPoint) {
    Default();
}
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) {
    return static_cast<BOOL>(Default());
}
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) {
    Default();
}
void CWnd::OnContextMenu(CWnd*, CPoint) {
    Default();
}
void CWnd::OnKeyDown(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnKeyUp(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnChar(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnSysCommand(UINT, LPARAM) {
    Default();
}
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) {
    Default();
}
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) {
    Default();
}
void CWnd::OnDropFiles(HDROP) {
    Default();
}
void CWnd::OnWindowPosChanged(WINDOWPOS*) {
    Default();
}

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()
