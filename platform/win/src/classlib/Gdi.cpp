// Graphics object wrappers and device contexts of the class library.
#include "classlib/AfxInternal.h"

#include <algorithm>
#include <map>
#include <memory>
#include <type_traits>
#include <utility>

namespace afx {
namespace {

template <typename Wrapper>
auto& handleOf(Wrapper& w) {
    if constexpr (std::is_base_of_v<CGdiObject, Wrapper>) {
        return w.m_hObject;
    } else if constexpr (std::is_same_v<Wrapper, CMenu>) {
        return w.m_hMenu;
    } else {
        return w.m_hDC;
    }
}

// Temporary wrappers never own their handle: they let go of it before they are deleted.
template <typename Wrapper>
struct LetGo {
    void operator()(Wrapper* w) const {
        handleOf(*w) = nullptr;
        delete w;
    }
};

// One temporary wrapper per handle, kept for the process's lifetime.
template <typename Wrapper, typename Handle>
Wrapper* temporary(Handle handle) {
    static std::map<Handle, std::unique_ptr<Wrapper, LetGo<Wrapper>>> wrappers;
    if (!handle) return nullptr;
    auto& slot = wrappers[handle];
    if (!slot) {
        slot.reset(new Wrapper());
        handleOf(*slot) = handle;
    }
    return slot.get();
}

} // namespace

CFont* tempFont(HFONT font) {
    return temporary<CFont>(static_cast<HGDIOBJ>(font));
}
CBitmap* tempBitmap(HBITMAP bitmap) {
    return temporary<CBitmap>(static_cast<HGDIOBJ>(bitmap));
}
CBrush* tempBrush(HBRUSH brush) {
    return temporary<CBrush>(static_cast<HGDIOBJ>(brush));
}
CGdiObject* tempGdiObject(HGDIOBJ object) {
    return temporary<CGdiObject>(object);
}
CMenu* tempMenu(HMENU menu) {
    return temporary<CMenu>(menu);
}
CDC* tempDC(HDC dc) {
    return temporary<CDC>(dc);
}

} // namespace afx

BOOL CGdiObject::Attach(HGDIOBJ object) {
    if (!object || m_hObject) return FALSE;
    m_hObject = object;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    return std::exchange(m_hObject, nullptr);
}

BOOL CGdiObject::DeleteObject() {
    if (!m_hObject) return FALSE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int size, LPVOID buffer) const {
    return ::GetObject(m_hObject, size, buffer);
}

CFont* CFont::FromHandle(HFONT font) {
    return afx::tempFont(font);
}

BOOL CFont::CreateFontIndirect(const LOGFONT* font) {
    if (m_hObject) return FALSE;
    return Attach(static_cast<HGDIOBJ>(::CreateFontIndirect(font)));
}

BOOL CFont::CreatePointFont(int pointSize, LPCWSTR faceName, CDC* dc) {
    LOGFONT lf;
    lf.lfHeight = pointSize;
    lf.lfCharSet = DEFAULT_CHARSET;
    if (faceName) {
        const std::size_t n = std::min<std::size_t>(std::wcslen(faceName), LF_FACESIZE - 1);
        std::copy_n(faceName, n, lf.lfFaceName);
    }
    return CreatePointFontIndirect(&lf, dc);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* font, CDC* dc) {
    if (!font) return FALSE;
    LOGFONT lf = *font;
    // Tenths of a point at 96 pixels per inch, as a character height.
    lf.lfHeight = -MulDiv(font->lfHeight, 96, 720);
    return CreateFontIndirect(&lf);
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight,
                       BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                       BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, LPCWSTR faceName) {
    return Attach(static_cast<HGDIOBJ>(
        ::CreateFont(height, width, escapement, orientation, weight, italic, underline, strikeOut,
                     charSet, outPrecision, clipPrecision, quality, pitchAndFamily, faceName)));
}

int CFont::GetLogFont(LOGFONT* font) const {
    return GetObject(sizeof(LOGFONT), font);
}

CBitmap* CBitmap::FromHandle(HBITMAP bitmap) {
    return afx::tempBitmap(bitmap);
}

BOOL CBitmap::LoadBitmap(UINT id) {
    return LoadBitmap(MAKEINTRESOURCE(id));
}

BOOL CBitmap::LoadBitmap(LPCWSTR name) {
    if (m_hObject) return FALSE;
    const HINSTANCE instance = AfxFindResourceHandle(name, RT_BITMAP);
    return Attach(static_cast<HGDIOBJ>(::LoadBitmap(instance, name)));
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel,
                           const void* bits) {
    if (m_hObject) return FALSE;
    return Attach(static_cast<HGDIOBJ>(::CreateBitmap(width, height, planes, bitsPerPixel, bits)));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
    if (m_hObject) return FALSE;
    return Attach(
        static_cast<HGDIOBJ>(::CreateCompatibleBitmap(dc ? dc->m_hDC : nullptr, width, height)));
}

int CBitmap::GetBitmap(BITMAP* bitmap) const {
    return GetObject(sizeof(BITMAP), bitmap);
}

CBrush* CBrush::FromHandle(HBRUSH brush) {
    return afx::tempBrush(brush);
}

BOOL CBrush::CreateSolidBrush(COLORREF color) {
    if (m_hObject) return FALSE;
    return Attach(static_cast<HGDIOBJ>(::CreateSolidBrush(color)));
}

BOOL CBrush::CreateSysColorBrush(int index) {
    // A system brush is not ours to delete: keep a solid copy of its colour instead.
    return CreateSolidBrush(GetSysColor(index));
}

BOOL CPen::CreatePen(int style, int width, COLORREF color) {
    if (m_hObject) return FALSE;
    return Attach(static_cast<HGDIOBJ>(::CreatePen(style, width, color)));
}

// ---- Device contexts -------------------------------------------------------------------------

CDC::~CDC() {}

CDC* CDC::FromHandle(HDC dc) {
    return afx::tempDC(dc);
}

BOOL CDC::Attach(HDC dc) {
    if (!dc || m_hDC) return FALSE;
    m_hDC = dc;
    return TRUE;
}

HDC CDC::Detach() {
    return std::exchange(m_hDC, nullptr);
}

BOOL CDC::CreateCompatibleDC(CDC* dc) {
    if (m_hDC) return FALSE;
    return Attach(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr));
}

BOOL CDC::DeleteDC() {
    if (!m_hDC) return FALSE;
    return ::DeleteDC(Detach());
}

CGdiObject* CDC::SelectObject(CGdiObject* object) {
    if (!object) return nullptr;
    return afx::tempGdiObject(::SelectObject(m_hDC, object->m_hObject));
}

CFont* CDC::SelectObject(CFont* font) {
    if (!font) return nullptr;
    return afx::tempFont(static_cast<HFONT>(::SelectObject(m_hDC, font->m_hObject)));
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
    if (!bitmap) return nullptr;
    return afx::tempBitmap(static_cast<HBITMAP>(::SelectObject(m_hDC, bitmap->m_hObject)));
}

CBrush* CDC::SelectObject(CBrush* brush) {
    if (!brush) return nullptr;
    return afx::tempBrush(static_cast<HBRUSH>(::SelectObject(m_hDC, brush->m_hObject)));
}

CPen* CDC::SelectObject(CPen* pen) {
    if (!pen) return nullptr;
    ::SelectObject(m_hDC, pen->m_hObject);
    return nullptr;
}

CGdiObject* CDC::SelectStockObject(int index) {
    return afx::tempGdiObject(::SelectObject(m_hDC, GetStockObject(index)));
}

int CDC::GetDeviceCaps(int index) const {
    return ::GetDeviceCaps(m_hDC, index);
}

COLORREF CDC::SetTextColor(COLORREF color) {
    return std::exchange(textColor_, color);
}
COLORREF CDC::SetBkColor(COLORREF color) {
    return std::exchange(bkColor_, color);
}
int CDC::SetBkMode(int mode) {
    return std::exchange(bkMode_, mode);
}
COLORREF CDC::GetPixel(int x, int y) const {
    return ::GetPixel(m_hDC, x, y);
}
COLORREF CDC::SetPixel(int x, int y, COLORREF color) {
    return ::SetPixel(m_hDC, x, y, color);
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color) {
    if (HBRUSH brush = ::CreateSolidBrush(color)) {
        ::FillRect(m_hDC, rect, brush);
        ::DeleteObject(brush);
    }
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
    const RECT r{x, y, x + cx, y + cy};
    FillSolidRect(&r, color);
}

void CDC::FillRect(LPCRECT rect, CBrush* brush) {
    if (brush) ::FillRect(m_hDC, rect, static_cast<HBRUSH>(brush->m_hObject));
}

void CDC::FrameRect(LPCRECT rect, CBrush* brush) {
    if (brush) ::FrameRect(m_hDC, rect, static_cast<HBRUSH>(brush->m_hObject));
}

void CDC::DrawFocusRect(LPCRECT rect) {
    ::DrawFocusRect(m_hDC, rect);
}
BOOL CDC::Rectangle(int, int, int, int) {
    return m_hDC ? TRUE : FALSE;
}
BOOL CDC::Rectangle(LPCRECT rect) {
    return m_hDC && rect ? TRUE : FALSE;
}
CPoint CDC::MoveTo(int x, int y) {
    return std::exchange(current_, CPoint(x, y));
}

BOOL CDC::LineTo(int x, int y) {
    current_ = CPoint(x, y);
    return m_hDC ? TRUE : FALSE;
}

int CDC::DrawText(const std::wstring& text, LPRECT rect, UINT format) {
    return ::DrawText(m_hDC, text.c_str(), static_cast<int>(text.size()), rect, format);
}

BOOL CDC::TextOut(int, int, const std::wstring&) {
    return m_hDC ? TRUE : FALSE;
}

CSize CDC::GetTextExtent(const std::wstring& text) const {
    RECT r{0, 0, 0, 0};
    ::DrawText(m_hDC, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT);
    return {r.right - r.left, r.bottom - r.top};
}

BOOL CDC::BitBlt(int, int, int, int, CDC* source, int, int, DWORD) {
    return m_hDC && source ? TRUE : FALSE;
}

BOOL CDC::StretchBlt(int, int, int, int, CDC* source, int, int, int, int, DWORD) {
    return m_hDC && source ? TRUE : FALSE;
}

BOOL CDC::DrawIcon(int x, int y, HICON icon) {
    return ::DrawIcon(m_hDC, x, y, icon);
}

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr) {
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC() {
    if (m_hDC) {
        Detach();
        ::EndPaint(m_hWnd, &m_ps);
    }
}

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr) {
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC() {
    if (HDC dc = Detach()) ::ReleaseDC(m_hWnd, dc);
}
