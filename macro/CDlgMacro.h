// The macro dialog: edits the variables of placed connection macros, modally or modelessly.
#pragma once

#include "trk/MacroData.h"

#include <afxwin.h>

class CDlgMacro : public CDialog {
public:
    enum { IDD = 8131 };

    explicit CDlgMacro(CWnd* parent = nullptr);

    // Creates and shows the modeless window. False when the window cannot be created.
    bool createModeless(CWnd* parent);
    MacroData& record() { return data; }

    int registryPos = -1; // slot among the modeless macro dialogs, -1 when modal
    MacroData data;
};
