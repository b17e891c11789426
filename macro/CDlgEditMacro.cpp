#include "macro/CDlgEditMacro.h"

CDlgEditMacro::CDlgEditMacro(CWnd* parent) : CDialog(IDD, parent) {}

bool CDlgEditMacro::createModeless(CWnd* parent) {
    if (!Create(IDD, parent)) return false;
    ShowWindow(SW_SHOW);
    return true;
}
