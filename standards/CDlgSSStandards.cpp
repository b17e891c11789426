#include "standards/CDlgSSStandards.h"

CDlgSSStandards::CDlgSSStandards() : CDialog(IDD) {}

CDlgSSStandards::~CDlgSSStandards() {
    if (calculator.m_hWnd) calculator.DestroyWindow();
    if (m_hWnd) DestroyWindow();
}

BOOL CDlgSSStandards::OnInitDialog() {
    CDialog::OnInitDialog();
    calculator.createInDialog(this, kGridPlaceholder, false);
    return TRUE;
}

bool CDlgSSStandards::createHidden(CWnd* parent) {
    return Create(IDD, parent) != FALSE && m_hWnd != nullptr && calculator.isCreated();
}

bool CDlgSSStandards::evaluate() {
    return calculator.evaluate(request);
}
