// Class-library wrappers of the standard controls: each method sends the control's message.
// The wrappers add no data to CWnd, so a window object of a control may be used through them.
#pragma once

#include "afxwin.h"
#include "win/winctrl.h"

#include <cstring>
#include <string>

namespace trkafx {
inline LRESULT send(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessage(hwnd, msg, wParam, lParam);
}
inline LPARAM textParam(LPCWSTR text) {
    return reinterpret_cast<LPARAM>(text);
}
template <class T>
inline T handleResult(LRESULT result) {
    return reinterpret_cast<T>(result);
}
} // namespace trkafx

class CStatic : public CWnd {
public:
    using CWnd::Create;
    BOOL Create(LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF) {
        return CWnd::Create(L"Static", text, style, rect, parent, id);
    }
    // The previous icon or bitmap.
    HICON SetIcon(HICON icon) {
        return trkafx::handleResult<HICON>(
            trkafx::send(m_hWnd, STM_SETICON, reinterpret_cast<WPARAM>(icon)));
    }
    HICON GetIcon() const { return trkafx::handleResult<HICON>(trkafx::send(m_hWnd, STM_GETICON)); }
    HBITMAP SetBitmap(HBITMAP bitmap) {
        return trkafx::handleResult<HBITMAP>(
            trkafx::send(m_hWnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    }
    HBITMAP GetBitmap() const {
        return trkafx::handleResult<HBITMAP>(trkafx::send(m_hWnd, STM_GETIMAGE, IMAGE_BITMAP));
    }
};

class CButton : public CWnd {
public:
    using CWnd::Create;
    BOOL Create(LPCWSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create(L"Button", caption, style, rect, parent, id);
    }
    int GetCheck() const { return static_cast<int>(trkafx::send(m_hWnd, BM_GETCHECK)); }
    void SetCheck(int check) { trkafx::send(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(check)); }
    UINT GetState() const { return static_cast<UINT>(trkafx::send(m_hWnd, BM_GETSTATE)); }
    void SetState(BOOL highlight) { trkafx::send(m_hWnd, BM_SETSTATE, highlight); }
    // The kind and text placement bits of the style.
    UINT GetButtonStyle() const { return static_cast<UINT>(GetStyle() & 0xFF); }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE) {
        trkafx::send(m_hWnd, BM_SETSTYLE, style, redraw);
    }
    HICON SetIcon(HICON icon) {
        return trkafx::handleResult<HICON>(
            trkafx::send(m_hWnd, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon)));
    }
    HICON GetIcon() const {
        return trkafx::handleResult<HICON>(trkafx::send(m_hWnd, BM_GETIMAGE, IMAGE_ICON));
    }
    HBITMAP SetBitmap(HBITMAP bitmap) {
        return trkafx::handleResult<HBITMAP>(
            trkafx::send(m_hWnd, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    }
    HBITMAP GetBitmap() const {
        return trkafx::handleResult<HBITMAP>(trkafx::send(m_hWnd, BM_GETIMAGE, IMAGE_BITMAP));
    }
};

class CEdit : public CWnd {
public:
    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create(L"Edit", L"", style, rect, parent, id);
    }
    // end -1 selects to the end; start -1 removes the selection.
    void SetSel(int start, int end, BOOL noScroll = FALSE) {
        trkafx::send(m_hWnd, EM_SETSEL, static_cast<WPARAM>(start), end);
        if (!noScroll) trkafx::send(m_hWnd, EM_SCROLLCARET);
    }
    void SetSel(DWORD selection, BOOL noScroll = FALSE) {
        SetSel(static_cast<SHORT>(LOWORD(selection)), static_cast<SHORT>(HIWORD(selection)),
               noScroll);
    }
    void GetSel(int& start, int& end) const {
        DWORD first = 0;
        DWORD last = 0;
        trkafx::send(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&first),
                     reinterpret_cast<LPARAM>(&last));
        start = static_cast<int>(first);
        end = static_cast<int>(last);
    }
    DWORD GetSel() const { return static_cast<DWORD>(trkafx::send(m_hWnd, EM_GETSEL)); }
    void ReplaceSel(LPCWSTR text, BOOL canUndo = FALSE) {
        trkafx::send(m_hWnd, EM_REPLACESEL, canUndo, trkafx::textParam(text));
    }
    void LimitText(int maxChars = 0) {
        trkafx::send(m_hWnd, EM_LIMITTEXT, static_cast<WPARAM>(maxChars));
    }
    void SetLimitText(UINT maxChars) { trkafx::send(m_hWnd, EM_SETLIMITTEXT, maxChars); }
    UINT GetLimitText() const { return static_cast<UINT>(trkafx::send(m_hWnd, EM_GETLIMITTEXT)); }
    int GetLineCount() const { return static_cast<int>(trkafx::send(m_hWnd, EM_GETLINECOUNT)); }
    // Copies at most maxChars characters of a line (no terminator); the number copied.
    int GetLine(int line, LPWSTR buffer, int maxChars) const {
        if (!buffer || maxChars <= 0) return 0;
        const auto capacity = static_cast<WORD>(maxChars > 0xFFFF ? 0xFFFF : maxChars);
        static_assert(sizeof(wchar_t) >= sizeof(WORD));
        std::memcpy(buffer, &capacity, sizeof capacity); // the first word holds the size
        return static_cast<int>(
            trkafx::send(m_hWnd, EM_GETLINE, static_cast<WPARAM>(line), trkafx::textParam(buffer)));
    }
    int LineIndex(int line = -1) const {
        return static_cast<int>(trkafx::send(m_hWnd, EM_LINEINDEX, static_cast<WPARAM>(line)));
    }
    int LineLength(int charIndex = -1) const {
        return static_cast<int>(
            trkafx::send(m_hWnd, EM_LINELENGTH, static_cast<WPARAM>(charIndex)));
    }
    int LineFromChar(int charIndex = -1) const {
        return static_cast<int>(
            trkafx::send(m_hWnd, EM_LINEFROMCHAR, static_cast<WPARAM>(charIndex)));
    }
    BOOL SetReadOnly(BOOL readOnly = TRUE) {
        return static_cast<BOOL>(trkafx::send(m_hWnd, EM_SETREADONLY, readOnly));
    }
    BOOL GetModify() const { return static_cast<BOOL>(trkafx::send(m_hWnd, EM_GETMODIFY)); }
    void SetModify(BOOL modified = TRUE) { trkafx::send(m_hWnd, EM_SETMODIFY, modified); }
    BOOL CanUndo() const { return static_cast<BOOL>(trkafx::send(m_hWnd, EM_CANUNDO)); }
    BOOL Undo() { return static_cast<BOOL>(trkafx::send(m_hWnd, EM_UNDO)); }
    void EmptyUndoBuffer() { trkafx::send(m_hWnd, EM_EMPTYUNDOBUFFER); }
    void Copy() { trkafx::send(m_hWnd, WM_COPY); }
    void Cut() { trkafx::send(m_hWnd, WM_CUT); }
    void Paste() { trkafx::send(m_hWnd, WM_PASTE); }
    void Clear() { trkafx::send(m_hWnd, WM_CLEAR); }
    void SetPasswordChar(wchar_t c) { trkafx::send(m_hWnd, EM_SETPASSWORDCHAR, c); }
    wchar_t GetPasswordChar() const {
        return static_cast<wchar_t>(trkafx::send(m_hWnd, EM_GETPASSWORDCHAR));
    }
};

class CComboBox : public CWnd {
public:
    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create(L"ComboBox", L"", style, rect, parent, id);
    }
    // Index of the new entry, CB_ERR or CB_ERRSPACE.
    int AddString(LPCWSTR text) { return call(CB_ADDSTRING, 0, trkafx::textParam(text)); }
    int InsertString(int index, LPCWSTR text) {
        return call(CB_INSERTSTRING, static_cast<WPARAM>(index), trkafx::textParam(text));
    }
    int DeleteString(UINT index) { return call(CB_DELETESTRING, index); }
    void ResetContent() { call(CB_RESETCONTENT); }
    int GetCount() const { return call(CB_GETCOUNT); }
    int GetCurSel() const { return call(CB_GETCURSEL); }
    int SetCurSel(int index) { return call(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    // The buffer holds GetLBTextLen(index) + 1 characters; the length, or CB_ERR.
    int GetLBText(int index, LPWSTR buffer) const {
        return call(CB_GETLBTEXT, static_cast<WPARAM>(index), trkafx::textParam(buffer));
    }
    // Empty for an index out of range.
    void GetLBText(int index, std::wstring& text) const {
        const int length = GetLBTextLen(index);
        text.assign(length > 0 ? static_cast<std::size_t>(length) + 1 : 1, L'\0');
        const int copied = length > 0 ? GetLBText(index, text.data()) : 0;
        text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    }
    int GetLBTextLen(int index) const { return call(CB_GETLBTEXTLEN, static_cast<WPARAM>(index)); }
    int FindString(int start, LPCWSTR text) const {
        return call(CB_FINDSTRING, static_cast<WPARAM>(start), trkafx::textParam(text));
    }
    int FindStringExact(int start, LPCWSTR text) const {
        return call(CB_FINDSTRINGEXACT, static_cast<WPARAM>(start), trkafx::textParam(text));
    }
    int SelectString(int start, LPCWSTR text) {
        return call(CB_SELECTSTRING, static_cast<WPARAM>(start), trkafx::textParam(text));
    }
    int SetItemData(int index, DWORD_PTR data) {
        return call(CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data));
    }
    DWORD_PTR GetItemData(int index) const {
        return static_cast<DWORD_PTR>(
            trkafx::send(m_hWnd, CB_GETITEMDATA, static_cast<WPARAM>(index)));
    }
    void ShowDropDown(BOOL show = TRUE) { call(CB_SHOWDROPDOWN, show); }
    BOOL GetDroppedState() const { return call(CB_GETDROPPEDSTATE); }
    BOOL LimitText(int maxChars) { return call(CB_LIMITTEXT, static_cast<WPARAM>(maxChars)); }
    DWORD GetEditSel() const { return static_cast<DWORD>(trkafx::send(m_hWnd, CB_GETEDITSEL)); }
    BOOL SetEditSel(int start, int end) {
        return call(CB_SETEDITSEL, 0, MAKELPARAM(static_cast<WORD>(start), static_cast<WORD>(end)));
    }
    int SetDroppedWidth(UINT width) { return call(CB_SETDROPPEDWIDTH, width); }
    int GetDroppedWidth() const { return call(CB_GETDROPPEDWIDTH); }
    int SetItemHeight(int index, UINT height) {
        return call(CB_SETITEMHEIGHT, static_cast<WPARAM>(index), static_cast<LPARAM>(height));
    }
    int GetItemHeight(int index) const {
        return call(CB_GETITEMHEIGHT, static_cast<WPARAM>(index));
    }

private:
    int call(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return static_cast<int>(trkafx::send(m_hWnd, msg, wParam, lParam));
    }
};

class CListBox : public CWnd {
public:
    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create(L"ListBox", L"", style, rect, parent, id);
    }
    int AddString(LPCWSTR text) { return call(LB_ADDSTRING, 0, trkafx::textParam(text)); }
    int InsertString(int index, LPCWSTR text) {
        return call(LB_INSERTSTRING, static_cast<WPARAM>(index), trkafx::textParam(text));
    }
    int DeleteString(UINT index) { return call(LB_DELETESTRING, index); }
    void ResetContent() { call(LB_RESETCONTENT); }
    int GetCount() const { return call(LB_GETCOUNT); }
    int GetCurSel() const { return call(LB_GETCURSEL); }
    int SetCurSel(int index) { return call(LB_SETCURSEL, static_cast<WPARAM>(index)); }
    // The buffer holds GetTextLen(index) + 1 characters; the length, or LB_ERR.
    int GetText(int index, LPWSTR buffer) const {
        return call(LB_GETTEXT, static_cast<WPARAM>(index), trkafx::textParam(buffer));
    }
    void GetText(int index, std::wstring& text) const {
        const int length = GetTextLen(index);
        text.assign(length > 0 ? static_cast<std::size_t>(length) + 1 : 1, L'\0');
        const int copied = length > 0 ? GetText(index, text.data()) : 0;
        text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    }
    int GetTextLen(int index) const { return call(LB_GETTEXTLEN, static_cast<WPARAM>(index)); }
    int FindString(int start, LPCWSTR text) const {
        return call(LB_FINDSTRING, static_cast<WPARAM>(start), trkafx::textParam(text));
    }
    int FindStringExact(int start, LPCWSTR text) const {
        return call(LB_FINDSTRINGEXACT, static_cast<WPARAM>(start), trkafx::textParam(text));
    }
    int SelectString(int start, LPCWSTR text) {
        return call(LB_SELECTSTRING, static_cast<WPARAM>(start), trkafx::textParam(text));
    }
    int SetItemData(int index, DWORD_PTR data) {
        return call(LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data));
    }
    DWORD_PTR GetItemData(int index) const {
        return static_cast<DWORD_PTR>(
            trkafx::send(m_hWnd, LB_GETITEMDATA, static_cast<WPARAM>(index)));
    }
    // Multiple-selection lists only; index -1 is every entry.
    int SetSel(int index, BOOL select = TRUE) { return call(LB_SETSEL, select, index); }
    int GetSel(int index) const { return call(LB_GETSEL, static_cast<WPARAM>(index)); }
    int GetSelCount() const { return call(LB_GETSELCOUNT); }
    int GetSelItems(int maxItems, int* items) const {
        return call(LB_GETSELITEMS, static_cast<WPARAM>(maxItems), reinterpret_cast<LPARAM>(items));
    }
    int SetTopIndex(int index) { return call(LB_SETTOPINDEX, static_cast<WPARAM>(index)); }
    int GetTopIndex() const { return call(LB_GETTOPINDEX); }
    int SetCaretIndex(int index, BOOL scroll = TRUE) {
        return call(LB_SETCARETINDEX, static_cast<WPARAM>(index), scroll);
    }
    int GetCaretIndex() const { return call(LB_GETCARETINDEX); }
    int GetItemHeight(int index) const {
        return call(LB_GETITEMHEIGHT, static_cast<WPARAM>(index));
    }
    int SetItemHeight(int index, UINT height) {
        return call(LB_SETITEMHEIGHT, static_cast<WPARAM>(index), MAKELPARAM(height, 0));
    }
    int GetItemRect(int index, LPRECT rect) const {
        return call(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect));
    }

private:
    int call(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return static_cast<int>(trkafx::send(m_hWnd, msg, wParam, lParam));
    }
};
