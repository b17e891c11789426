// A class-library window object bound to a grid-control window.
#pragma once

#include <afxwin.h>

class TSpread : public CWnd {
public:
    TSpread() = default;
    ~TSpread() override;

protected:
    DECLARE_MESSAGE_MAP()
};
