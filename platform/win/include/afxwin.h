// The class library: window objects over window handles with message maps, dialogs with data
// exchange, graphics object wrappers, menus, the resource handle switch and extension-module
// bookkeeping. Names and behaviour follow the platform's class library; handlers run inside the
// window procedure.
#pragma once

#include "atltypes.h"
#include "windows.h"

#include <cassert>
#include <string>

class CCmdTarget;
class CWnd;
class CDC;
class CFont;
class CMenu;
class CDataExchange;
class CScrollBar;

using POSITION = struct __POSITION*;

#define afx_msg

// ---- Message maps ------------------------------------------------------------------------------
// An entry calls its handler through a small function that unpacks the message parameters and
// calls the member function on the object; maps are searched from the most derived class to its
// bases, so a derived class's entry wins.
using AfxHandlerCall = LRESULT (*)(CCmdTarget* target, UINT message, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage; // window message, WM_COMMAND, WM_NOTIFY, or a reflected message
    UINT nCode;    // notification code of WM_COMMAND / WM_NOTIFY entries
    UINT nID;      // first control or command id
    UINT nLastID;
    AfxHandlerCall pfn; // null ends the map
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// The class library's old colour message, matched for every WM_CTLCOLOR* message.
constexpr UINT WM_CTLCOLOR = 0x0019;
// Messages a parent reflects back to the control that sent them.
constexpr UINT WM_REFLECT_BASE = 0xBC00;
constexpr int CN_COMMAND = 0;

#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const AFX_MSGMAP* GetThisMessageMap();                                                  \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const {                                            \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                              \
        using ThisClass = theClass;                                                                \
        using TheBaseClass = baseClass;                                                            \
        static_assert(sizeof(ThisClass) > 0 && sizeof(TheBaseClass) > 0);                          \
        static const AFX_MSGMAP_ENTRY messageEntries[] = {

#define END_MESSAGE_MAP()                                                                          \
    { 0, 0, 0, 0, nullptr }                                                                        \
    }                                                                                              \
    ;                                                                                              \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &messageEntries[0]};   \
    return &messageMap;                                                                            \
    }

#define TRK_AFX_THIS(t) static_cast<ThisClass*>(t)
#define TRK_AFX_CALL(body)                                                                         \
    [](CCmdTarget* target, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {                \
        (void)message;                                                                             \
        (void)wParam;                                                                              \
        (void)lParam;                                                                              \
        body;                                                                                      \
    }

// Commands and control notifications.
#define ON_COMMAND(id, memberFxn)                                                                  \
    {                                                                                              \
        WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(id),                      \
            TRK_AFX_CALL((TRK_AFX_THIS(target)->*(memberFxn))(); return 0)                         \
    }                                                                                              \
    ,
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                    \
    {                                                                                              \
        WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(idLast),                  \
            TRK_AFX_CALL((TRK_AFX_THIS(target)->*(memberFxn))(static_cast<UINT>(wParam));          \
                         return 0)                                                                 \
    }                                                                                              \
    ,
#define ON_CONTROL(code, id, memberFxn)                                                            \
    {                                                                                              \
        WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id),         \
            TRK_AFX_CALL((TRK_AFX_THIS(target)->*(memberFxn))(); return 0)                         \
    }                                                                                              \
    ,
#define ON_CONTROL_RANGE(code, id, idLast, memberFxn)                                              \
    {                                                                                              \
        WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(idLast),     \
            TRK_AFX_CALL((TRK_AFX_THIS(target)->*(memberFxn))(static_cast<UINT>(wParam));          \
                         return 0)                                                                 \
    }                                                                                              \
    ,
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)

// WM_NOTIFY: handler(NMHDR*, LRESULT*); the range form gets the control id first.
#define ON_NOTIFY(code, id, memberFxn)                                                             \
    {                                                                                              \
        WM_NOTIFY, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id),          \
            TRK_AFX_CALL((TRK_AFX_THIS(target)->*(memberFxn))(reinterpret_cast<NMHDR*>(lParam),    \
                                                              reinterpret_cast<LRESULT*>(wParam)); \
                         return 0)                                                                 \
    }                                                                                              \
    ,
#define ON_NOTIFY_RANGE(code, id, idLast, memberFxn)                                               \
    {                                                                                              \
        WM_NOTIFY, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(idLast),      \
            TRK_AFX_CALL((TRK_AFX_THIS(target)->*(memberFxn))(                                     \
                             static_cast<UINT>(reinterpret_cast<NMHDR*>(lParam)->idFrom),          \
                             reinterpret_cast<NMHDR*>(lParam),                                     \
                             reinterpret_cast<LRESULT*>(wParam));                                  \
                         return 0)                                                                 \
    }                                                                                              \
    ,
// Notifications a parent reflects to the control that sent them.
#define ON_CONTROL_REFLECT(code, memberFxn)                                                        \
    {                                                                                              \
        WM_REFLECT_BASE + WM_COMMAND, static_cast<UINT>(code), 0, ~0u,                             \
            TRK_AFX_CALL((TRK_AFX_THIS(target)->*(memberFxn))(); return 0)                         \
    }                                                                                              \
    ,
#define ON_NOTIFY_REFLECT(code, memberFxn)                                                         \
    {                                                                                              \
        WM_REFLECT_BASE + WM_NOTIFY, static_cast<UINT>(code), 0, ~0u,                              \
            TRK_AFX_CALL((TRK_AFX_THIS(target)->*(memberFxn))(reinterpret_cast<NMHDR*>(lParam),    \
                                                              reinterpret_cast<LRESULT*>(wParam)); \
                         return 0)                                                                 \
    }                                                                                              \
    ,

// Any message: LRESULT handler(WPARAM, LPARAM).
#define ON_MESSAGE(msg, memberFxn)                                                                 \
    {static_cast<UINT>(msg), 0, 0, 0,                                                              \
     TRK_AFX_CALL(return (TRK_AFX_THIS(target)->*(memberFxn))(wParam, lParam))},
#define ON_REGISTERED_MESSAGE(msgVariable, memberFxn) ON_MESSAGE(msgVariable, memberFxn)

// Window messages with their usual handler names and unpacked parameters.
#define TRK_ON_WM(msg, body) {msg, 0, 0, 0, TRK_AFX_CALL(body)},
#define ON_WM_CREATE()                                                                             \
    TRK_ON_WM(WM_CREATE,                                                                           \
              return TRK_AFX_THIS(target)->OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam)))
#define ON_WM_DESTROY() TRK_ON_WM(WM_DESTROY, TRK_AFX_THIS(target)->OnDestroy(); return 0)
#define ON_WM_NCDESTROY() TRK_ON_WM(WM_NCDESTROY, TRK_AFX_THIS(target)->OnNcDestroy(); return 0)
#define ON_WM_CLOSE() TRK_ON_WM(WM_CLOSE, TRK_AFX_THIS(target)->OnClose(); return 0)
#define ON_WM_PAINT() TRK_ON_WM(WM_PAINT, TRK_AFX_THIS(target)->OnPaint(); return 0)
#define ON_WM_SIZE()                                                                               \
    TRK_ON_WM(WM_SIZE, TRK_AFX_THIS(target)->OnSize(static_cast<UINT>(wParam),                     \
                                                    LOWORD(static_cast<DWORD_PTR>(lParam)),        \
                                                    HIWORD(static_cast<DWORD_PTR>(lParam)));       \
              return 0)
#define ON_WM_SIZING()                                                                             \
    TRK_ON_WM(WM_SIZING, TRK_AFX_THIS(target)->OnSizing(static_cast<UINT>(wParam),                 \
                                                        reinterpret_cast<LPRECT>(lParam));         \
              return TRUE)
#define ON_WM_MOVE()                                                                               \
    TRK_ON_WM(WM_MOVE, TRK_AFX_THIS(target)->OnMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));   \
              return 0)
#define ON_WM_TIMER()                                                                              \
    TRK_ON_WM(WM_TIMER, TRK_AFX_THIS(target)->OnTimer(static_cast<UINT_PTR>(wParam)); return 0)
#define ON_WM_SHOWWINDOW()                                                                         \
    TRK_ON_WM(WM_SHOWWINDOW, TRK_AFX_THIS(target)->OnShowWindow(static_cast<BOOL>(wParam),         \
                                                                static_cast<UINT>(lParam));        \
              return 0)
#define ON_WM_ENABLE()                                                                             \
    TRK_ON_WM(WM_ENABLE, TRK_AFX_THIS(target)->OnEnable(static_cast<BOOL>(wParam)); return 0)
#define ON_WM_ACTIVATE()                                                                           \
    TRK_ON_WM(WM_ACTIVATE, TRK_AFX_THIS(target)->OnActivate(                                       \
                               LOWORD(wParam), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)),   \
                               HIWORD(wParam));                                                    \
              return 0)
#define ON_WM_SETFOCUS()                                                                           \
    TRK_ON_WM(WM_SETFOCUS,                                                                         \
              TRK_AFX_THIS(target)->OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));  \
              return 0)
#define ON_WM_KILLFOCUS()                                                                          \
    TRK_ON_WM(WM_KILLFOCUS,                                                                        \
              TRK_AFX_THIS(target)->OnKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))); \
              return 0)
#define ON_WM_ERASEBKGND()                                                                         \
    TRK_ON_WM(WM_ERASEBKGND, return TRK_AFX_THIS(target)->OnEraseBkgnd(                            \
                                 CDC::FromHandle(reinterpret_cast<HDC>(wParam))))
#define ON_WM_CTLCOLOR()                                                                           \
    TRK_ON_WM(WM_CTLCOLOR,                                                                         \
              return reinterpret_cast<LRESULT>(TRK_AFX_THIS(target)->OnCtlColor(                   \
                  CDC::FromHandle(reinterpret_cast<HDC>(wParam)),                                  \
                  CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), message - WM_CTLCOLORMSGBOX)))
#define ON_WM_SETCURSOR()                                                                          \
    TRK_ON_WM(WM_SETCURSOR,                                                                        \
              return TRK_AFX_THIS(target)->OnSetCursor(                                            \
                  CWnd::FromHandle(reinterpret_cast<HWND>(wParam)),                                \
                  LOWORD(static_cast<DWORD_PTR>(lParam)), HIWORD(static_cast<DWORD_PTR>(lParam))))
#define TRK_ON_MOUSE(msg, handler)                                                                 \
    TRK_ON_WM(msg, TRK_AFX_THIS(target)->handler(static_cast<UINT>(wParam), CPoint(lParam));       \
              return 0)
#define ON_WM_LBUTTONDOWN() TRK_ON_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() TRK_ON_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() TRK_ON_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() TRK_ON_MOUSE(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() TRK_ON_MOUSE(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_MOUSEMOVE() TRK_ON_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_MOUSEWHEEL()                                                                         \
    TRK_ON_WM(WM_MOUSEWHEEL,                                                                       \
              return TRK_AFX_THIS(target)->OnMouseWheel(                                           \
                  LOWORD(wParam), static_cast<short>(HIWORD(wParam)), CPoint(lParam)))
#define ON_WM_GETMINMAXINFO()                                                                      \
    TRK_ON_WM(WM_GETMINMAXINFO,                                                                    \
              TRK_AFX_THIS(target)->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));        \
              return 0)
#define ON_WM_CONTEXTMENU()                                                                        \
    TRK_ON_WM(WM_CONTEXTMENU,                                                                      \
              TRK_AFX_THIS(target)->OnContextMenu(                                                 \
                  CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), CPoint(lParam));               \
              return 0)
#define TRK_ON_KEY(msg, handler)                                                                   \
    TRK_ON_WM(msg, TRK_AFX_THIS(target)->handler(static_cast<UINT>(wParam),                        \
                                                 LOWORD(static_cast<DWORD_PTR>(lParam)),           \
                                                 HIWORD(static_cast<DWORD_PTR>(lParam)));          \
              return 0)
#define ON_WM_KEYDOWN() TRK_ON_KEY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() TRK_ON_KEY(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() TRK_ON_KEY(WM_CHAR, OnChar)
#define ON_WM_SYSCOMMAND()                                                                         \
    TRK_ON_WM(WM_SYSCOMMAND,                                                                       \
              TRK_AFX_THIS(target)->OnSysCommand(static_cast<UINT>(wParam), lParam);               \
              return 0)
#define ON_WM_HSCROLL()                                                                            \
    TRK_ON_WM(WM_HSCROLL,                                                                          \
              TRK_AFX_THIS(target)->OnHScroll(LOWORD(wParam), HIWORD(wParam),                      \
                                              reinterpret_cast<CScrollBar*>(CWnd::FromHandle(      \
                                                  reinterpret_cast<HWND>(lParam))));               \
              return 0)
#define ON_WM_VSCROLL()                                                                            \
    TRK_ON_WM(WM_VSCROLL,                                                                          \
              TRK_AFX_THIS(target)->OnVScroll(LOWORD(wParam), HIWORD(wParam),                      \
                                              reinterpret_cast<CScrollBar*>(CWnd::FromHandle(      \
                                                  reinterpret_cast<HWND>(lParam))));               \
              return 0)
#define ON_WM_DROPFILES()                                                                          \
    TRK_ON_WM(WM_DROPFILES, TRK_AFX_THIS(target)->OnDropFiles(reinterpret_cast<HDROP>(wParam));    \
              return 0)
#define ON_WM_WINDOWPOSCHANGED()                                                                   \
    TRK_ON_WM(WM_WINDOWPOSCHANGED,                                                                 \
              TRK_AFX_THIS(target)->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lParam));      \
              return 0)

// ---- Objects -----------------------------------------------------------------------------------
class CObject {
public:
    virtual ~CObject() = default;
};

class CCmdTarget : public CObject {
public:
    // Runs the handler of a command (WM_COMMAND with this id and notification code); FALSE when
    // no entry matches.
    virtual BOOL OnCmdMsg(UINT id, int code, void* extra, void* handlerInfo);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
    // The first entry for this message (and code and id for commands and notifications).
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message, UINT code, UINT id) const;
};

// ---- Graphics objects ----------------------------------------------------------------------
class CGdiObject : public CObject {
public:
    HGDIOBJ m_hObject = nullptr;

    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    ~CGdiObject() override { DeleteObject(); }

    // Null through a null pointer too, as class-library code expects.
    HGDIOBJ GetSafeHandle() const;
    BOOL Attach(HGDIOBJ object);
    HGDIOBJ Detach();
    BOOL DeleteObject(); // deletes the attached object; FALSE when there is none
    int GetObject(int size, LPVOID buffer) const;
};

class CFont : public CGdiObject {
public:
    static CFont* FromHandle(HFONT font); // a temporary wrapper; null for null
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
    BOOL CreateFontIndirect(const LOGFONT* font);
    // A font of pointSize tenths of a point (96 pixels per inch).
    BOOL CreatePointFont(int pointSize, LPCWSTR faceName, CDC* dc = nullptr);
    BOOL CreatePointFontIndirect(const LOGFONT* font, CDC* dc = nullptr);
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                    BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, LPCWSTR faceName);
    int GetLogFont(LOGFONT* font) const;
};

class CBitmap : public CGdiObject {
public:
    static CBitmap* FromHandle(HBITMAP bitmap);
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
    // From the resource module (AfxFindResourceHandle); FALSE when absent.
    BOOL LoadBitmap(UINT id);
    BOOL LoadBitmap(LPCWSTR name);
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    int GetBitmap(BITMAP* bitmap) const;
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    static CBrush* FromHandle(HBRUSH brush);
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
    BOOL CreateSolidBrush(COLORREF color);
    BOOL CreateSysColorBrush(int index);
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
    BOOL CreatePen(int style, int width, COLORREF color);
};

// A device context. Drawing reaches no screen: fills go into the selected bitmap, text and
// lines are accepted and not drawn.
class CDC : public CObject {
public:
    HDC m_hDC = nullptr;

    CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    ~CDC() override;

    static CDC* FromHandle(HDC dc);
    HDC GetSafeHdc() const; // null through a null pointer too
    operator HDC() const { return m_hDC; }
    BOOL Attach(HDC dc);
    HDC Detach();
    BOOL CreateCompatibleDC(CDC* dc);
    BOOL DeleteDC();

    CGdiObject* SelectObject(CGdiObject* object);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    CBrush* SelectObject(CBrush* brush);
    CPen* SelectObject(CPen* pen);
    CGdiObject* SelectStockObject(int index);
    int GetDeviceCaps(int index) const;

    COLORREF SetTextColor(COLORREF color);
    COLORREF SetBkColor(COLORREF color);
    int SetBkMode(int mode);
    COLORREF GetPixel(int x, int y) const;
    COLORREF SetPixel(int x, int y, COLORREF color);
    void FillSolidRect(LPCRECT rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    void FillRect(LPCRECT rect, CBrush* brush);
    void FrameRect(LPCRECT rect, CBrush* brush);
    void DrawFocusRect(LPCRECT rect);
    BOOL Rectangle(int l, int t, int r, int b);
    BOOL Rectangle(LPCRECT rect);
    CPoint MoveTo(int x, int y);
    BOOL LineTo(int x, int y);
    int DrawText(const std::wstring& text, LPRECT rect, UINT format);
    BOOL TextOut(int x, int y, const std::wstring& text);
    CSize GetTextExtent(const std::wstring& text) const;
    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int sx, int sy, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* source, int sx, int sy, int sw,
                    int sh, DWORD rop);
    BOOL DrawIcon(int x, int y, HICON icon);

protected:
    CPoint current_;
    COLORREF textColor_ = 0;
    COLORREF bkColor_ = RGB(255, 255, 255);
    int bkMode_ = 2;
};

constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCINVERT = 0x00660046;

// The window's device context for the length of a paint handler.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps;

protected:
    HWND m_hWnd;
};

class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd;
};

// ---- Menus ---------------------------------------------------------------------------------
class CMenu : public CObject {
public:
    HMENU m_hMenu = nullptr;

    CMenu() = default;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;
    ~CMenu() override; // destroys an attached menu

    static CMenu* FromHandle(HMENU menu);
    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const; // null through a null pointer too
    BOOL Attach(HMENU menu);
    HMENU Detach();
    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    // From the resource module (AfxFindResourceHandle).
    BOOL LoadMenu(UINT id);
    BOOL LoadMenu(LPCWSTR name);
    BOOL DestroyMenu();
    BOOL AppendMenu(UINT flags, UINT_PTR idOrPopup = 0, LPCWSTR text = nullptr);
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR idOrPopup = 0, LPCWSTR text = nullptr);
    BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR idOrPopup = 0, LPCWSTR text = nullptr);
    BOOL DeleteMenu(UINT position, UINT flags);
    BOOL RemoveMenu(UINT position, UINT flags);
    UINT GetMenuItemCount() const;
    UINT GetMenuItemID(int position) const;
    UINT GetMenuState(UINT id, UINT flags) const;
    int GetMenuString(UINT id, std::wstring& text, UINT flags) const;
    CMenu* GetSubMenu(int position) const; // a temporary wrapper
    UINT CheckMenuItem(UINT id, UINT check);
    UINT EnableMenuItem(UINT id, UINT enable);
    BOOL SetDefaultItem(UINT item, BOOL byPosition = FALSE);
    // Headless: the choice comes from the interaction queue (winx::chooseMenuItem).
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect = nullptr);
};

// ---- Windows -------------------------------------------------------------------------------
class CWnd : public CCmdTarget {
public:
    HWND m_hWnd = nullptr;

    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    ~CWnd() override; // destroys a window still attached

    // Insert-after positions of SetWindowPos.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    // The permanent object of a window, else a temporary one that lives until the window is
    // destroyed. Null for a null or stale handle.
    static CWnd* FromHandle(HWND hwnd);
    static CWnd* FromHandlePermanent(HWND hwnd);
    static CWnd* GetFocus();
    static CWnd* GetActiveWindow();
    static CWnd* GetForegroundWindow();
    static CWnd* GetCapture();
    static CWnd* GetDesktopWindow();
    static CWnd* WindowFromPoint(POINT point);

    // Null for an empty object; tolerates a null object as class-library code expects (the
    // sanitizer build still reports such a call).
    HWND GetSafeHwnd() const;
    operator HWND() const { return GetSafeHwnd(); }
    BOOL Attach(HWND hwnd);
    HWND Detach();
    // Attaches and routes the window's messages through this object's message map first.
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    virtual BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                          int y, int width, int height, HWND parent, HMENU idOrMenu,
                          LPVOID param = nullptr);
    BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                  const RECT& rect, CWnd* parent, UINT id, LPVOID param = nullptr);
    BOOL Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                UINT id, void* context = nullptr);
    virtual BOOL DestroyWindow();

    // Message handling: WindowProc runs the message map (OnWndMsg), then DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // TRUE when the message was handled and must not be dispatched.
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual void PostNcDestroy() {}
    virtual void DoDataExchange(CDataExchange* dx) {}
    // Moves data between the controls and the members (bSaveAndValidate TRUE: controls to
    // members). FALSE when a control holds an invalid value (the user was told).
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    LRESULT Default(); // the default processing of the message being handled

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    void SetWindowText(const std::wstring& text);
    void GetWindowText(std::wstring& text) const;
    std::wstring GetWindowText() const;
    int GetWindowTextLength() const;
    void SetFont(CFont* font, BOOL redraw = TRUE);
    CFont* GetFont() const;
    HICON SetIcon(HICON icon, BOOL big);
    HICON GetIcon(BOOL big) const;

    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    // Removes and adds style bits; SWP_* flags (non-zero) also refresh the frame.
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int id);

    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    void GetWindowRect(LPRECT rect) const;
    void GetClientRect(LPRECT rect) const;
    void ClientToScreen(LPPOINT point) const;
    void ClientToScreen(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const;
    void ScreenToClient(LPRECT rect) const;
    void MapWindowPoints(CWnd* to, LPPOINT points, UINT count) const;
    void MapWindowPoints(CWnd* to, LPRECT rect) const;
    void CenterWindow(CWnd* alternateOwner = nullptr);
    BOOL GetWindowPlacement(WINDOWPLACEMENT* placement) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* placement);

    BOOL ShowWindow(int cmd);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT rect = nullptr, void* region = nullptr, UINT flags = 0);
    void SetRedraw(BOOL redraw = TRUE);
    void BringWindowToTop();
    BOOL SetForegroundWindow();
    CWnd* SetActiveWindow();
    CWnd* SetFocus();
    CWnd* SetCapture();
    void DragAcceptFiles(BOOL accept = TRUE);

    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* newParent);
    CWnd* GetOwner() const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetWindow(UINT cmd) const;
    CWnd* GetNextWindow(UINT cmd = GW_HWNDNEXT) const;
    CWnd* GetDlgItem(int id) const;
    void GetDlgItem(int id, HWND* hwnd) const;
    // A descendant (child, grandchild, ...) with this id.
    CWnd* GetDescendantWindow(int id) const;
    BOOL IsChild(const CWnd* wnd) const;
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* menu);

    void SetDlgItemText(int id, const std::wstring& text);
    int GetDlgItemText(int id, std::wstring& text) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    void CheckRadioButton(int firstId, int lastId, int checkId);
    // The id of the checked button between firstId and lastId; 0 when none is checked.
    int GetCheckedRadioButton(int firstId, int lastId) const;

    CDC* GetDC(); // released with ReleaseDC
    int ReleaseDC(CDC* dc);
    BOOL IsDialogMessage(LPMSG msg);
    CWnd* GetNextDlgTabItem(CWnd* control, BOOL previous = FALSE) const;
    CWnd* GetNextDlgGroupItem(CWnd* control, BOOL previous = FALSE) const;
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                  BOOL deep = TRUE, BOOL onlyPermanent = FALSE);
    BOOL OpenClipboard();

    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs, TIMERPROC proc = nullptr);
    BOOL KillTimer(UINT_PTR id);
    int MessageBox(LPCWSTR text, LPCWSTR caption = nullptr, UINT type = MB_OK);

    // Default handlers: the window's default processing of the message.
    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnClose();
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnSizing(UINT side, LPRECT rect);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnShowWindow(BOOL show, UINT status);
    afx_msg void OnEnable(BOOL enable);
    afx_msg void OnActivate(UINT state, CWnd* other, BOOL minimized);
    afx_msg void OnSetFocus(CWnd* oldWnd);
    afx_msg void OnKillFocus(CWnd* newWnd);
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnRButtonDown(UINT flags, CPoint point);
    afx_msg void OnRButtonUp(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* info);
    afx_msg void OnContextMenu(CWnd* wnd, CPoint point);
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg void OnKeyUp(UINT key, UINT repeat, UINT flags);
    afx_msg void OnChar(UINT key, UINT repeat, UINT flags);
    afx_msg void OnSysCommand(UINT id, LPARAM lParam);
    afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg void OnDropFiles(HDROP drop);
    afx_msg void OnWindowPosChanged(WINDOWPOS* pos);

protected:
    explicit CWnd(HWND special) : m_hWnd(special) {}

    WNDPROC m_pfnSuper = nullptr; // the window's procedure before subclassing

    friend struct AfxWndAccess;
    DECLARE_MESSAGE_MAP()
};

LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

class CScrollBar : public CWnd {};

// ---- Dialogs -------------------------------------------------------------------------------
class CDialog : public CWnd {
public:
    CDialog() = default;
    // The template is looked up by number in the resource module when the dialog is created.
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    CDialog(LPCWSTR templateName, CWnd* parent = nullptr);

    // Runs the dialog modally; its owner (the parent's top-level window, else the main
    // window) is disabled meanwhile. The EndDialog result, or -1 when it could not be created.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless; FALSE when the template or a control is missing.
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    BOOL Create(LPCWSTR templateName, CWnd* parent = nullptr);
    void EndDialog(int result);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL PreTranslateMessage(MSG* msg) override;

    void GotoDlgCtrl(CWnd* control);
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void SetDefID(UINT id);
    DWORD GetDefID() const;
    void MapDialogRect(LPRECT rect) const;

    UINT m_nIDHelp = 0;
    LPCWSTR m_lpszTemplateName = nullptr;
    CWnd* m_pParentWnd = nullptr;

protected:
    UINT templateId_ = 0;
    std::wstring templateName_;

    DECLARE_MESSAGE_MAP()
};

// ---- Data exchange -------------------------------------------------------------------------
class CDataExchange {
public:
    CDataExchange(CWnd* dlgWnd, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dlgWnd) {}

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND m_idLastControl = nullptr;

    HWND PrepareCtrl(int id); // the control; Fail() when it is missing
    HWND PrepareEditCtrl(int id);
    [[noreturn]] void Fail(); // focuses the last control and abandons the exchange
};

void DDX_Text(CDataExchange* dx, int id, std::wstring& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
void DDX_Text(CDataExchange* dx, int id, long& value);
void DDX_Text(CDataExchange* dx, int id, double& value);
void DDX_Text(CDataExchange* dx, int id, float& value);
void DDX_Check(CDataExchange* dx, int id, int& value);
// The index of the checked button in the group that starts at control id; -1 for none.
void DDX_Radio(CDataExchange* dx, int id, int& value);
void DDX_CBIndex(CDataExchange* dx, int id, int& index);
void DDX_CBString(CDataExchange* dx, int id, std::wstring& value);
void DDX_CBStringExact(CDataExchange* dx, int id, std::wstring& value);
void DDX_LBIndex(CDataExchange* dx, int id, int& index);
void DDX_LBString(CDataExchange* dx, int id, std::wstring& value);
// Subclasses the control with `control` the first time.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue);
void DDV_MinMaxDouble(CDataExchange* dx, double value, double minValue, double maxValue);
void DDV_MaxChars(CDataExchange* dx, const std::wstring& value, int maxChars);

// ---- Application services ------------------------------------------------------------------
// The application object of the process (the CAD program's); a stand-in with the services
// module code asks it for.
class CWinApp : public CCmdTarget {
public:
    HCURSOR LoadStandardCursor(LPCWSTR name) const { return ::LoadCursor(nullptr, name); }
    HCURSOR LoadCursor(UINT id) const;
    HICON LoadStandardIcon(LPCWSTR name) const { return ::LoadIcon(nullptr, name); }
    HICON LoadIcon(UINT id) const; // from the resource module
    LPCWSTR m_pszAppName = nullptr;
};
CWinApp* AfxGetApp();

// Shows the wait cursor for its lifetime.
class CWaitCursor {
public:
    CWaitCursor() : previous_(::SetCursor(::LoadCursor(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { ::SetCursor(previous_); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    void Restore() { ::SetCursor(::LoadCursor(nullptr, IDC_WAIT)); }

private:
    HCURSOR previous_;
};

// The class library's checking macros; ASSERT checks in debug builds only.
#ifndef ASSERT
#define ASSERT(f) assert(f)
#endif
#ifndef VERIFY
#define VERIFY(f) ((void)(f))
#endif
#ifndef ASSERT_VALID
#define ASSERT_VALID(p) ((void)0)
#endif
#ifndef TRACE
#define TRACE(...) ((void)0)
#endif

// The module whose resources (templates, bitmaps, menus, strings) are used; the process module
// until switched.
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE instance);
HINSTANCE AfxGetInstanceHandle();
// The module holding the resource: the current resource module first, then the extension
// modules (latest first), then the process module; the current one when none holds it.
HINSTANCE AfxFindResourceHandle(LPCWSTR name, LPCWSTR type);
CWnd* AfxGetMainWnd();
LPCWSTR AfxGetAppName();
// A message box captioned with the application name, owned by the main window.
int AfxMessageBox(LPCWSTR text, UINT type = MB_OK, UINT helpId = 0);
int AfxMessageBox(UINT promptId, UINT type = MB_OK, UINT helpId = UINT(-1));
// Registers a window class for CWnd::Create; returns its name.
LPCWSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                            HICON icon = nullptr);

struct AFX_EXTENSION_MODULE {
    BOOL bInitialized = FALSE;
    HMODULE hModule = nullptr;
    HMODULE hResource = nullptr;
};

// Prepares an extension module's record; FALSE for an unknown module handle.
BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE module);
// Removes the module's CDynLinkLibrary objects (all of them with all = TRUE).
void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL all = FALSE);

// Joins an extension module to the resource search chain for as long as it lives. Created with
// new; AfxTermExtensionModule deletes it.
class CDynLinkLibrary : public CCmdTarget {
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL system = FALSE);
    ~CDynLinkLibrary() override;

    HMODULE m_hModule;
    HMODULE m_hResource;
    BOOL m_bSystem;
};

#if __has_include("win/afxctrls.h")
#include "win/afxctrls.h"
#endif
#include "afxext.h"
