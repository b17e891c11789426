#include "spread/CDlgFindReplace.h"

#include "spread/Trk_Spread.h"

#include "trk/DialString.h"
#include "trk/DlgSize.h"

#include "grid/ssapi.h"

namespace {

constexpr wchar_t kSizeKey[] = L"DLG_FINDREPLACE";
constexpr short kOptionFindOff = 20;

constexpr int kTextTitle = 1136;
constexpr int kTextFindLabel = 1137;
constexpr int kTextReplaceLabel = 1138;
constexpr int kTextFindNext = 1139;
constexpr int kTextReplace = 1140;
constexpr int kTextReplaceAll = 1141;
constexpr int kTextClose = 285;

} // namespace

CDlgFindReplace::CDlgFindReplace(Trk_Spread& grid) : CDialog(IDD), spread(grid) {}

CDlgFindReplace::~CDlgFindReplace() {
    closeWindow();
}

bool CDlgFindReplace::open(CWnd* parent) {
    if (isOpen()) return true;
    if (!Create(IDD, parent)) return false;
    ShowWindow(SW_SHOW);
    return true;
}

BOOL CDlgFindReplace::OnInitDialog() {
    CDialog::OnInitDialog();
    applyTexts();
    const HWND grid = spread.GetSafeHwnd();
    if (grid) {
        option13Before = SSGetBool(grid, Trk_Spread::kOptionF8Toggle) != FALSE;
        SSSetBool(grid, Trk_Spread::kOptionF8Toggle, TRUE);
        SSSetBool(grid, kOptionFindOff, FALSE);
        optionsTaken = true;
    }
    ChangeDlgSize(this, kSizeKey);
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return TRUE;
}

void CDlgFindReplace::applyTexts() {
    SetWindowText(dialString(kTextTitle).str());
    SetDlgItemText(kFindLabel, dialString(kTextFindLabel).str());
    SetDlgItemText(kReplaceLabel, dialString(kTextReplaceLabel).str());
    SetDlgItemText(IDOK, dialString(kTextFindNext).str());
    SetDlgItemText(kReplaceButton, dialString(kTextReplace).str());
    SetDlgItemText(kReplaceAllButton, dialString(kTextReplaceAll).str());
    SetDlgItemText(IDCANCEL, dialString(kTextClose).str());
}

Trk_String CDlgFindReplace::findText() const {
    std::wstring text;
    if (isOpen()) GetDlgItemText(kFindText, text);
    return text;
}

Trk_String CDlgFindReplace::replaceText() const {
    std::wstring text;
    if (isOpen()) GetDlgItemText(kReplaceText, text);
    return text;
}

void CDlgFindReplace::closeWindow() {
    if (!isOpen()) return;
    WriteDlgSize(this, kSizeKey);
    const HWND grid = spread.GetSafeHwnd();
    if (optionsTaken && grid && !option13Before)
        SSSetBool(grid, Trk_Spread::kOptionF8Toggle, FALSE);
    optionsTaken = false;
    DestroyWindow();
}

void CDlgFindReplace::onFindNext() {
    spread.findNext(true);
}

void CDlgFindReplace::onReplace() {
    spread.replaceNext(true);
}

void CDlgFindReplace::onReplaceAll() {
    spread.replaceAll();
}

void CDlgFindReplace::OnOK() {
    onFindNext();
}

void CDlgFindReplace::OnCancel() {
    closeWindow();
    spread.requestFindDialogRelease();
}

BOOL CDlgFindReplace::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_F3) {
        onFindNext();
        return TRUE;
    }
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_F5) {
        onReplace();
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}

BEGIN_MESSAGE_MAP(CDlgFindReplace, CDialog)
ON_BN_CLICKED(kReplaceButton, &CDlgFindReplace::onReplace)
ON_BN_CLICKED(kReplaceAllButton, &CDlgFindReplace::onReplaceAll)
END_MESSAGE_MAP()
