// Hidden host dialog of one standards evaluation: it gives the calculating grid a window.
// Instances live in the pool of the module frame.
#pragma once

#include "standards/KvCalcSS.h"
#include "standards/KvDlgStandardsData.h"

#include <afxwin.h>

class CDlgSSStandards : public CDialog {
public:
    enum { IDD = 253 };
    static constexpr int kGridPlaceholder = 1196;

    CDlgSSStandards();
    ~CDlgSSStandards() override;

    // Creates the dialog's window, with the calculator's grid, without showing it. False when
    // the template is missing or the window or the grid cannot be created.
    bool createHidden(CWnd* parent);
    // Runs the evaluation of `request` on the calculator. False on failure.
    bool evaluate();

    KvCalcSS calculator;
    KvDlgStandardsData request;

protected:
    BOOL OnInitDialog() override;
};
