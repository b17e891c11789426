#include "spread/Trk_DlgPromptString.h"

#include "trk/DialString.h"

Trk_DlgPromptString::Trk_DlgPromptString(CWnd* parent) : CDialog(IDD, parent) {}

bool Trk_DlgPromptString::askString(const Trk_String& title, const Trk_String& label,
                                    Trk_String& value, CWnd* parent) {
    Trk_DlgPromptString prompt(parent);
    prompt.requireText = true;
    prompt.title = title;
    prompt.label = label;
    prompt.value = value;
    prompt.okText = dialString(1);
    prompt.cancelText = dialString(2);
    if (prompt.DoModal() != IDOK || !prompt.confirmed) return false;
    value = prompt.value;
    return true;
}

BOOL Trk_DlgPromptString::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(title.str());
    SetDlgItemText(kLabelId, label.str());
    SetDlgItemText(kValueId, value.str());
    SetDlgItemText(IDOK, okText.str());
    SetDlgItemText(IDCANCEL, cancelText.str());
    if (!requireText) {
        if (CWnd* edit = GetDlgItem(kValueId)) edit->ShowWindow(SW_HIDE);
    }
    focusValue();
    return FALSE; // the focus was set here
}

void Trk_DlgPromptString::focusValue() {
    CWnd* edit = GetDlgItem(kValueId);
    if (!edit) return;
    edit->SetFocus();
    SendDlgItemMessage(kValueId, EM_SETSEL, 0, -1);
    SendDlgItemMessage(kValueId, EM_SCROLLCARET);
}

void Trk_DlgPromptString::OnOK() {
    // Without required text the edit is hidden: whatever reached it is not the user's answer.
    if (requireText) {
        std::wstring text;
        GetDlgItemText(kValueId, text);
        if (text.empty()) return;
        value = text;
    }
    confirmed = true;
    EndDialog(IDOK);
}

void Trk_DlgPromptString::OnCancel() {
    EndDialog(IDCANCEL);
}
