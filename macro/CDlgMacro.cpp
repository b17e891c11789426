#include "macro/CDlgMacro.h"

CDlgMacro::CDlgMacro(CWnd* parent) : CDialog(IDD, parent) {}

bool CDlgMacro::createModeless(CWnd* parent) {
    if (!Create(IDD, parent)) return false;
    ShowWindow(SW_SHOW);
    return true;
}
