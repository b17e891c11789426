// Internals of the class library: the handle maps, creation hooks and message bookkeeping.
#pragma once

#include "afxwin.h"

// Access to CWnd internals for the window procedure and the hooks.
struct AfxWndAccess {
    static WNDPROC& super(CWnd& wnd) { return wnd.m_pfnSuper; }
};

namespace afx {

// Thrown by CDataExchange::Fail; UpdateData catches it.
struct DataExchangeFailure {};

// Installs the pre-translation and destruction hooks once.
void ensureHooks();
CWnd* permanent(HWND hwnd);
void mapPermanent(HWND hwnd, CWnd* wnd);
void unmapPermanent(HWND hwnd);
// Routes the window's messages through AfxWndProc, keeping its procedure as the super one.
void subclass(CWnd& wnd);
// The next window created is attached to wnd (and subclassed) before its first message.
void hookCreation(CWnd* wnd);
void unhookCreation();

struct CurrentMessage {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
// The message AfxWndProc is handling; null outside a handler.
const CurrentMessage* currentMessage();

// Temporary wrappers of graphics objects and menus, kept until their handle dies.
CFont* tempFont(HFONT font);
CBitmap* tempBitmap(HBITMAP bitmap);
CBrush* tempBrush(HBRUSH brush);
CGdiObject* tempGdiObject(HGDIOBJ object);
CMenu* tempMenu(HMENU menu);
CDC* tempDC(HDC dc);

} // namespace afx
