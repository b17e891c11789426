// Class-library wrappers of the common controls: image lists, the tab control and the list view.
#pragma once

#include "afxwin.h"
#include "win/commctrl.h"

#include <string>

// Owns an image list; the list is destroyed with the object unless it is detached.
class CImageList : public CObject {
public:
    HIMAGELIST m_hImageList = nullptr;

    CImageList() = default;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
    ~CImageList() override { DeleteImageList(); }

    // The object that owns the list, or null when no CImageList does.
    static CImageList* FromHandle(HIMAGELIST list);

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    // A list of the cx-wide images of a bitmap resource (from the resource module).
    BOOL Create(UINT bitmapId, int cx, int grow, COLORREF mask);
    BOOL Attach(HIMAGELIST list);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    operator HIMAGELIST() const { return m_hImageList; }
    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    BOOL SetImageCount(UINT count) { return ImageList_SetImageCount(m_hImageList, count); }
    // Index of the first image added, or -1.
    int Add(CBitmap* bitmap, CBitmap* mask) {
        return ImageList_Add(m_hImageList, bitmap ? static_cast<HBITMAP>(*bitmap) : nullptr,
                             mask ? static_cast<HBITMAP>(*mask) : nullptr);
    }
    int Add(CBitmap* bitmap, COLORREF mask) {
        return ImageList_AddMasked(m_hImageList, bitmap ? static_cast<HBITMAP>(*bitmap) : nullptr,
                                   mask);
    }
    int Add(HICON icon) { return ImageList_AddIcon(m_hImageList, icon); }
    int Replace(int index, HICON icon) { return ImageList_ReplaceIcon(m_hImageList, index, icon); }
    BOOL Remove(int index) { return ImageList_Remove(m_hImageList, index); }
};

class CTabCtrl : public CWnd {
public:
    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create(WC_TABCONTROL, L"", style, rect, parent, id);
    }
    // Index of the new tab, or -1.
    LONG InsertItem(int index, const TCITEMW* item) {
        return static_cast<LONG>(send(TCM_INSERTITEM, static_cast<WPARAM>(index), pointer(item)));
    }
    LONG InsertItem(int index, LPCWSTR text) { return InsertItem(TCIF_TEXT, index, text, 0, 0); }
    LONG InsertItem(int index, LPCWSTR text, int image) {
        return InsertItem(TCIF_TEXT | TCIF_IMAGE, index, text, image, 0);
    }
    LONG InsertItem(UINT mask, int index, LPCWSTR text, int image, LPARAM param);
    BOOL DeleteItem(int index) { return static_cast<BOOL>(send(TCM_DELETEITEM, index)); }
    BOOL DeleteAllItems() { return static_cast<BOOL>(send(TCM_DELETEALLITEMS)); }
    int GetItemCount() const { return static_cast<int>(send(TCM_GETITEMCOUNT)); }
    int GetCurSel() const { return static_cast<int>(send(TCM_GETCURSEL)); }
    // The previous selection; no notification is sent.
    int SetCurSel(int index) { return static_cast<int>(send(TCM_SETCURSEL, index)); }
    int GetCurFocus() const { return static_cast<int>(send(TCM_GETCURFOCUS)); }
    void SetCurFocus(int index) { send(TCM_SETCURFOCUS, index); }
    BOOL GetItemRect(int index, LPRECT rect) const {
        return static_cast<BOOL>(send(TCM_GETITEMRECT, index, pointer(rect)));
    }
    // larger TRUE: from a display area to the window rectangle; FALSE the other way.
    void AdjustRect(BOOL larger, LPRECT rect) { send(TCM_ADJUSTRECT, larger, pointer(rect)); }
    BOOL GetItem(int index, TCITEMW* item) const {
        return static_cast<BOOL>(send(TCM_GETITEM, index, pointer(item)));
    }
    BOOL SetItem(int index, TCITEMW* item) {
        return static_cast<BOOL>(send(TCM_SETITEM, index, pointer(item)));
    }
    int GetRowCount() const { return static_cast<int>(send(TCM_GETROWCOUNT)); }
    int HitTest(TCHITTESTINFO* info) const {
        return static_cast<int>(send(TCM_HITTEST, 0, pointer(info)));
    }
    // The previous list's owning object (null when none owns it).
    CImageList* SetImageList(CImageList* list);
    CImageList* GetImageList() const;

private:
    LRESULT send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessage(m_hWnd, msg, wParam, lParam);
    }
    static LPARAM pointer(const void* p) { return reinterpret_cast<LPARAM>(p); }
};

class CListCtrl : public CWnd {
public:
    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create(WC_LISTVIEW, L"", style, rect, parent, id);
    }

    // Index of the new column, or -1. width -1 leaves the width at 0; subItem is ignored
    // (texts belong to column positions).
    int InsertColumn(int column, const LVCOLUMNW* info) {
        return static_cast<int>(send(LVM_INSERTCOLUMN, column, pointer(info)));
    }
    int InsertColumn(int column, LPCWSTR heading, int format = LVCFMT_LEFT, int width = -1,
                     int subItem = -1);
    BOOL DeleteColumn(int column) { return static_cast<BOOL>(send(LVM_DELETECOLUMN, column)); }
    BOOL GetColumn(int column, LVCOLUMNW* info) const {
        return static_cast<BOOL>(send(LVM_GETCOLUMN, column, pointer(info)));
    }
    BOOL SetColumn(int column, const LVCOLUMNW* info) {
        return static_cast<BOOL>(send(LVM_SETCOLUMN, column, pointer(info)));
    }
    // width may be LVSCW_AUTOSIZE or LVSCW_AUTOSIZE_USEHEADER.
    BOOL SetColumnWidth(int column, int width) {
        return static_cast<BOOL>(
            send(LVM_SETCOLUMNWIDTH, column, MAKELPARAM(static_cast<WORD>(width), 0)));
    }
    int GetColumnWidth(int column) const {
        return static_cast<int>(send(LVM_GETCOLUMNWIDTH, column));
    }

    // Index of the new item, or -1.
    int InsertItem(const LVITEMW* item) {
        return static_cast<int>(send(LVM_INSERTITEM, 0, pointer(item)));
    }
    int InsertItem(int index, LPCWSTR text) {
        return InsertItem(LVIF_TEXT, index, text, 0, 0, 0, 0);
    }
    int InsertItem(int index, LPCWSTR text, int image) {
        return InsertItem(LVIF_TEXT | LVIF_IMAGE, index, text, 0, 0, image, 0);
    }
    int InsertItem(UINT mask, int index, LPCWSTR text, UINT state, UINT stateMask, int image,
                   LPARAM param);
    BOOL DeleteItem(int index) { return static_cast<BOOL>(send(LVM_DELETEITEM, index)); }
    BOOL DeleteAllItems() { return static_cast<BOOL>(send(LVM_DELETEALLITEMS)); }
    int GetItemCount() const { return static_cast<int>(send(LVM_GETITEMCOUNT)); }
    BOOL SetItemCount(int count) { return static_cast<BOOL>(send(LVM_SETITEMCOUNT, count)); }
    BOOL GetItem(LVITEMW* item) const {
        return static_cast<BOOL>(send(LVM_GETITEM, 0, pointer(item)));
    }
    BOOL SetItem(const LVITEMW* item) {
        return static_cast<BOOL>(send(LVM_SETITEM, 0, pointer(item)));
    }
    BOOL SetItemText(int index, int subItem, LPCWSTR text);
    // Empty for an item or sub-item out of range.
    std::wstring GetItemText(int index, int subItem) const;
    int GetItemText(int index, int subItem, LPWSTR buffer, int length) const;
    BOOL SetItemData(int index, DWORD_PTR data);
    DWORD_PTR GetItemData(int index) const;
    BOOL SetItemState(int index, UINT state, UINT mask);
    BOOL SetItemState(int index, LVITEMW* item) {
        return static_cast<BOOL>(send(LVM_SETITEMSTATE, index, pointer(item)));
    }
    UINT GetItemState(int index, UINT mask) const {
        return static_cast<UINT>(send(LVM_GETITEMSTATE, index, static_cast<LPARAM>(mask)));
    }
    int GetNextItem(int start, int flags) const {
        return static_cast<int>(send(LVM_GETNEXTITEM, start, static_cast<LPARAM>(flags)));
    }
    UINT GetSelectedCount() const { return static_cast<UINT>(send(LVM_GETSELECTEDCOUNT)); }
    // Walks the selected items: the position is null after the last one.
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& position) const;
    int GetSelectionMark() const { return static_cast<int>(send(LVM_GETSELECTIONMARK)); }
    int SetSelectionMark(int index) {
        return static_cast<int>(send(LVM_SETSELECTIONMARK, 0, index));
    }

    DWORD SetExtendedStyle(DWORD style) {
        return static_cast<DWORD>(
            send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style)));
    }
    DWORD GetExtendedStyle() const {
        return static_cast<DWORD>(send(LVM_GETEXTENDEDLISTVIEWSTYLE));
    }
    BOOL SetCheck(int index, BOOL check = TRUE) {
        return SetItemState(index, INDEXTOSTATEIMAGEMASK(check ? 2u : 1u), LVIS_STATEIMAGEMASK);
    }
    BOOL GetCheck(int index) const { return ListView_GetCheckState(m_hWnd, index); }

    BOOL EnsureVisible(int index, BOOL partialOk) {
        return static_cast<BOOL>(send(LVM_ENSUREVISIBLE, index, partialOk));
    }
    int GetTopIndex() const { return static_cast<int>(send(LVM_GETTOPINDEX)); }
    int GetCountPerPage() const { return static_cast<int>(send(LVM_GETCOUNTPERPAGE)); }
    BOOL GetItemRect(int index, LPRECT rect, UINT code) const;
    int HitTest(LVHITTESTINFO* info) const {
        return static_cast<int>(send(LVM_HITTEST, 0, pointer(info)));
    }
    int HitTest(POINT point, UINT* flags = nullptr) const;
    int FindItem(const LVFINDINFOW* find, int start = -1) const {
        return static_cast<int>(send(LVM_FINDITEM, start, pointer(find)));
    }
    // Orders the items by compare(lParam1, lParam2, data).
    BOOL SortItems(PFNLVCOMPARE compare, DWORD_PTR data) {
        return static_cast<BOOL>(
            ::SendMessage(m_hWnd, LVM_SORTITEMS, data, reinterpret_cast<LPARAM>(compare)));
    }
    // The previous list's owning object (null when none owns it).
    CImageList* SetImageList(CImageList* list, int kind);
    CImageList* GetImageList(int kind) const;

private:
    LRESULT send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessage(m_hWnd, msg, wParam, lParam);
    }
    static LPARAM pointer(const void* p) { return reinterpret_cast<LPARAM>(p); }
};
