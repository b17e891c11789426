// Hidden host dialog of one standards evaluation: it gives the calculating grid a window.
// Instances live in the pool of the module frame.
#pragma once

#include "standards/KvDlgStandardsData.h"

#include <afxwin.h>

class CDlgSSStandards : public CDialog {
public:
    enum { IDD = 253 };

    CDlgSSStandards();
    ~CDlgSSStandards() override;

    // Creates the dialog's window without showing it. False when the template is missing or
    // the window cannot be created.
    bool createHidden(CWnd* parent);

    KvDlgStandardsData request;
};
