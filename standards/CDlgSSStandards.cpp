#include "standards/CDlgSSStandards.h"

CDlgSSStandards::CDlgSSStandards() : CDialog(IDD) {}

CDlgSSStandards::~CDlgSSStandards() {
    if (m_hWnd) DestroyWindow();
}

bool CDlgSSStandards::createHidden(CWnd* parent) {
    return Create(IDD, parent) != FALSE && m_hWnd != nullptr;
}
