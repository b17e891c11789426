// The constraints editor of a macro being defined: its rules, geometry, variables and commands.
#pragma once

#include "trk/EditConstrData.h"

#include <afxwin.h>

class CDlgEditMacro : public CDialog {
public:
    enum { IDD = 8715 };

    explicit CDlgEditMacro(CWnd* parent = nullptr);

    // Creates and shows the modeless window. False when the window cannot be created.
    bool createModeless(CWnd* parent);
    EditConstrData& record() { return data; }

    EditConstrData data;
};
