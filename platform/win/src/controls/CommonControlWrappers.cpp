// The class library's image list, tab control and list view wrappers.
#include "afxcmn.h"

#include <map>

namespace {

// The CImageList object owning each list, so that a control can name the object of its list.
std::map<HIMAGELIST, CImageList*>& owners() {
    static std::map<HIMAGELIST, CImageList*> table;
    return table;
}

} // namespace

// ---- CImageList ------------------------------------------------------------------------------

CImageList* CImageList::FromHandle(HIMAGELIST list) {
    const auto found = owners().find(list);
    return found == owners().end() ? nullptr : found->second;
}

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
    return Attach(ImageList_Create(cx, cy, flags, initial, grow));
}

BOOL CImageList::Create(UINT bitmapId, int cx, int grow, COLORREF mask) {
    LPCWSTR name = MAKEINTRESOURCE(bitmapId);
    HBITMAP bitmap = ::LoadBitmap(AfxFindResourceHandle(name, RT_BITMAP), name);
    BITMAP info;
    const bool loaded = bitmap && ::GetObject(bitmap, sizeof info, &info) != 0;
    const bool created = loaded && Create(cx, info.bmHeight, ILC_COLOR32 | ILC_MASK, 0, grow);
    const bool added = created && ImageList_AddMasked(m_hImageList, bitmap, mask) >= 0;
    if (bitmap) ::DeleteObject(bitmap);
    return added ? TRUE : FALSE;
}

BOOL CImageList::Attach(HIMAGELIST list) {
    if (!list || m_hImageList) return FALSE;
    m_hImageList = list;
    owners()[list] = this;
    return TRUE;
}

HIMAGELIST CImageList::Detach() {
    HIMAGELIST list = m_hImageList;
    if (list) owners().erase(list);
    m_hImageList = nullptr;
    return list;
}

BOOL CImageList::DeleteImageList() {
    HIMAGELIST list = Detach();
    return list ? ImageList_Destroy(list) : FALSE;
}

// ---- CTabCtrl --------------------------------------------------------------------------------

LONG CTabCtrl::InsertItem(UINT mask, int index, LPCWSTR text, int image, LPARAM param) {
    std::wstring copy = text ? text : L"";
    TCITEMW item;
    item.mask = mask;
    item.pszText = copy.data();
    item.iImage = image;
    item.lParam = param;
    return InsertItem(index, &item);
}

CImageList* CTabCtrl::SetImageList(CImageList* list) {
    const LRESULT previous =
        send(TCM_SETIMAGELIST, 0, pointer(list ? list->GetSafeHandle() : nullptr));
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(previous));
}

CImageList* CTabCtrl::GetImageList() const {
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(send(TCM_GETIMAGELIST)));
}

// ---- CListCtrl -------------------------------------------------------------------------------

int CListCtrl::InsertColumn(int column, LPCWSTR heading, int format, int width, int subItem) {
    std::wstring copy = heading ? heading : L"";
    LVCOLUMNW info;
    info.mask = LVCF_TEXT | LVCF_FMT;
    info.pszText = copy.data();
    info.fmt = format;
    if (width >= 0) {
        info.mask |= LVCF_WIDTH;
        info.cx = width;
    }
    if (subItem >= 0) {
        info.mask |= LVCF_SUBITEM;
        info.iSubItem = subItem;
    }
    return InsertColumn(column, &info);
}

int CListCtrl::InsertItem(UINT mask, int index, LPCWSTR text, UINT state, UINT stateMask, int image,
                          LPARAM param) {
    std::wstring copy = text ? text : L"";
    LVITEMW item;
    item.mask = mask;
    item.iItem = index;
    item.pszText = copy.data();
    item.state = state;
    item.stateMask = stateMask;
    item.iImage = image;
    item.lParam = param;
    return InsertItem(&item);
}

BOOL CListCtrl::SetItemText(int index, int subItem, LPCWSTR text) {
    std::wstring copy = text ? text : L"";
    LVITEMW item;
    item.iSubItem = subItem;
    item.pszText = copy.data();
    return static_cast<BOOL>(send(LVM_SETITEMTEXT, static_cast<WPARAM>(index), pointer(&item)));
}

std::wstring CListCtrl::GetItemText(int index, int subItem) const {
    std::wstring text(64, L'\0');
    for (;;) {
        const int copied = GetItemText(index, subItem, text.data(), static_cast<int>(text.size()));
        if (copied < static_cast<int>(text.size()) - 1) {
            text.resize(static_cast<std::size_t>(copied));
            return text;
        }
        text.resize(text.size() * 2);
    }
}

int CListCtrl::GetItemText(int index, int subItem, LPWSTR buffer, int length) const {
    LVITEMW item;
    item.iSubItem = subItem;
    item.pszText = buffer;
    item.cchTextMax = length;
    return static_cast<int>(send(LVM_GETITEMTEXT, static_cast<WPARAM>(index), pointer(&item)));
}

BOOL CListCtrl::SetItemData(int index, DWORD_PTR data) {
    LVITEMW item;
    item.mask = LVIF_PARAM;
    item.iItem = index;
    item.lParam = static_cast<LPARAM>(data);
    return SetItem(&item);
}

DWORD_PTR CListCtrl::GetItemData(int index) const {
    LVITEMW item;
    item.mask = LVIF_PARAM;
    item.iItem = index;
    return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

BOOL CListCtrl::SetItemState(int index, UINT state, UINT mask) {
    LVITEMW item;
    item.state = state;
    item.stateMask = mask;
    return SetItemState(index, &item);
}

// A position is the selected item's index plus one.
POSITION CListCtrl::GetFirstSelectedItemPosition() const {
    const int first = GetNextItem(-1, LVNI_SELECTED);
    return reinterpret_cast<POSITION>(static_cast<UINT_PTR>(first + 1));
}

int CListCtrl::GetNextSelectedItem(POSITION& position) const {
    const auto index = static_cast<int>(reinterpret_cast<UINT_PTR>(position)) - 1;
    const int next = GetNextItem(index, LVNI_SELECTED);
    position = reinterpret_cast<POSITION>(static_cast<UINT_PTR>(next + 1));
    return index;
}

BOOL CListCtrl::GetItemRect(int index, LPRECT rect, UINT code) const {
    if (!rect) return FALSE;
    rect->left = static_cast<LONG>(code);
    return static_cast<BOOL>(send(LVM_GETITEMRECT, static_cast<WPARAM>(index), pointer(rect)));
}

int CListCtrl::HitTest(POINT point, UINT* flags) const {
    LVHITTESTINFO info;
    info.pt = point;
    const int index = HitTest(&info);
    if (flags) *flags = info.flags;
    return index;
}

CImageList* CListCtrl::SetImageList(CImageList* list, int kind) {
    const LRESULT previous = send(LVM_SETIMAGELIST, static_cast<WPARAM>(kind),
                                  pointer(list ? list->GetSafeHandle() : nullptr));
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(previous));
}

CImageList* CListCtrl::GetImageList(int kind) const {
    return CImageList::FromHandle(
        reinterpret_cast<HIMAGELIST>(send(LVM_GETIMAGELIST, static_cast<WPARAM>(kind))));
}
