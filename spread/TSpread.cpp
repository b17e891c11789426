#include "spread/TSpread.h"

TSpread::~TSpread() {
    // The window goes with the object; CWnd's destructor destroys a window still attached.
    if (m_hWnd) DestroyWindow();
}

BEGIN_MESSAGE_MAP(TSpread, CWnd)
END_MESSAGE_MAP()
