// CDialog: modal and modeless dialogs from templates of the resource module.
#include "classlib/AfxInternal.h"

namespace {

INT_PTR CALLBACK AfxDlgProc(HWND hwnd, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) return FALSE;
    auto* dialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hwnd));
    return dialog ? dialog->OnInitDialog() : TRUE;
}

// The owner of a modal dialog: the parent's top-level window, else the main window.
HWND modalOwner(CWnd* parent) {
    HWND owner = parent ? parent->m_hWnd : nullptr;
    if (!owner) {
        CWnd* main = AfxGetMainWnd();
        owner = main ? main->m_hWnd : nullptr;
    }
    return owner ? GetAncestor(owner, GA_ROOT) : nullptr;
}

} // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_pParentWnd(parent), templateId_(templateId) {
    m_nIDHelp = templateId;
}

CDialog::CDialog(LPCWSTR templateName, CWnd* parent) : m_pParentWnd(parent) {
    if (IS_INTRESOURCE(templateName)) {
        templateId_ = static_cast<UINT>(reinterpret_cast<UINT_PTR>(templateName));
    } else if (templateName) {
        templateName_ = templateName;
    }
    m_lpszTemplateName = templateName_.empty() ? nullptr : templateName_.c_str();
}

INT_PTR CDialog::DoModal() {
    if (m_hWnd) return -1;
    const LPCWSTR name =
        templateName_.empty() ? MAKEINTRESOURCE(templateId_) : templateName_.c_str();
    const HINSTANCE instance = AfxFindResourceHandle(name, RT_DIALOG);
    struct Unhook {
        ~Unhook() { afx::unhookCreation(); }
    } unhook;
    afx::hookCreation(this);
    return ::DialogBoxParam(instance, name, modalOwner(m_pParentWnd), AfxDlgProc,
                            reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    templateId_ = templateId;
    templateName_.clear();
    return Create(MAKEINTRESOURCE(templateId), parent);
}

BOOL CDialog::Create(LPCWSTR templateName, CWnd* parent) {
    if (m_hWnd) return FALSE;
    if (!IS_INTRESOURCE(templateName) && templateName) templateName_ = templateName;
    if (IS_INTRESOURCE(templateName)) {
        templateId_ = static_cast<UINT>(reinterpret_cast<UINT_PTR>(templateName));
    }
    if (parent) m_pParentWnd = parent;
    const HINSTANCE instance = AfxFindResourceHandle(templateName, RT_DIALOG);
    afx::hookCreation(this);
    const HWND hwnd =
        ::CreateDialogParam(instance, templateName, m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr,
                            AfxDlgProc, reinterpret_cast<LPARAM>(this));
    afx::unhookCreation();
    if (!hwnd && m_hWnd) Detach();
    return hwnd ? TRUE : FALSE;
}

void CDialog::EndDialog(int result) {
    ::EndDialog(m_hWnd, result);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    if (CWnd::PreTranslateMessage(msg)) return TRUE;
    const bool keyboard = msg->message >= WM_KEYDOWN && msg->message <= 0x0109;
    const bool mouse = msg->message >= WM_MOUSEMOVE && msg->message <= WM_MOUSEWHEEL;
    if (!keyboard && !mouse) return FALSE;
    return ::IsDialogMessage(m_hWnd, msg);
}

void CDialog::GotoDlgCtrl(CWnd* control) {
    if (control) SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control->m_hWnd), TRUE);
}

void CDialog::NextDlgCtrl() const {
    SendMessage(WM_NEXTDLGCTL, 0, 0);
}
void CDialog::PrevDlgCtrl() const {
    SendMessage(WM_NEXTDLGCTL, 1, 0);
}
void CDialog::SetDefID(UINT id) {
    SendMessage(DM_SETDEFID, id, 0);
}
DWORD CDialog::GetDefID() const {
    return static_cast<DWORD>(SendMessage(DM_GETDEFID, 0, 0));
}
void CDialog::MapDialogRect(LPRECT rect) const {
    ::MapDialogRect(m_hWnd, rect);
}

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const afx::DataExchangeFailure&) {
        return FALSE;
    }
    return TRUE;
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()
