// The list view's layout, view settings and user input.
#include "ListView.h"

#include <algorithm>

namespace controls {

namespace {

UINT keyFlags(WPARAM mouseFlags) {
    UINT flags = 0;
    if (mouseFlags & kMouseShift) flags |= LVKF_SHIFT;
    if (mouseFlags & kMouseControl) flags |= LVKF_CONTROL;
    return flags;
}

// Background, text and text background colours, in that order.
int colorSlot(UINT msg) {
    switch (msg) {
    case LVM_GETBKCOLOR:
    case LVM_SETBKCOLOR:
        return 0;
    case LVM_GETTEXTCOLOR:
    case LVM_SETTEXTCOLOR:
        return 1;
    default:
        return 2;
    }
}

} // namespace

int ListView::headerHeight() const {
    return report() && !hasStyle(LVS_NOCOLUMNHEADER) ? kHeaderHeight : 0;
}

int ListView::rowsPerPage() const {
    RECT client;
    GetClientRect(hwnd(), &client);
    return std::max(0, static_cast<int>(client.bottom - client.top - headerHeight()) / kRowHeight);
}

RECT ListView::rowRect(int index) const {
    RECT rect;
    GetClientRect(hwnd(), &rect);
    if (report()) {
        LONG width = 0;
        for (const Column& column : columns_)
            width += column.width;
        rect.right = rect.left + width;
    }
    rect.top = headerHeight() + (index - top_) * kRowHeight;
    rect.bottom = rect.top + kRowHeight;
    return rect;
}

int ListView::itemAt(POINT point) const {
    if (point.y < headerHeight()) return -1;
    const int index = top_ + (static_cast<int>(point.y) - headerHeight()) / kRowHeight;
    if (!validItem(index)) return -1;
    const RECT rect = rowRect(index);
    return point.x >= rect.left && point.x < rect.right ? index : -1;
}

int ListView::columnAt(int x) const {
    int left = 0;
    for (int i = 0; i < columnCount(); ++i) {
        const int right = left + columns_[static_cast<std::size_t>(i)].width;
        if (x >= left && x < right) return i;
        left = right;
    }
    return -1;
}

void ListView::ensureVisible(int index) {
    markChanged();
    if (!report() && view() != LVS_LIST) return;
    const int rows = std::max(1, rowsPerPage());
    if (index < top_) top_ = index;
    if (index >= top_ + rows) top_ = index - rows + 1;
}

LRESULT ListView::onGetItemRect(long long index, RECT* rect) const {
    if (!rect || !validItem(index)) return FALSE;
    const int part = static_cast<int>(rect->left);
    *rect = rowRect(static_cast<int>(index));
    const LONG iconRight = rect->left + (checkBoxes() ? kStateIconWidth : 0);
    if (part == LVIR_ICON) rect->right = std::min(rect->right, iconRight);
    if (part == LVIR_LABEL) rect->left = std::min(rect->right, iconRight);
    return TRUE;
}

LRESULT ListView::onHitTest(LVHITTESTINFO* info) const {
    if (!info) return -1;
    const int index = itemAt(info->pt);
    info->iItem = index;
    info->iSubItem = std::max(0, columnAt(static_cast<int>(info->pt.x)));
    if (index < 0) {
        info->flags = LVHT_NOWHERE;
    } else if (checkBoxes() && info->pt.x < kStateIconWidth) {
        info->flags = LVHT_ONITEMSTATEICON;
    } else {
        info->flags = LVHT_ONITEMLABEL;
    }
    return index;
}

LRESULT ListView::onViewMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto index = static_cast<long long>(static_cast<INT_PTR>(wParam));
    switch (msg) {
    case LVM_SETIMAGELIST: {
        if (index < 0 || index > LVSIL_STATE) return 0;
        HIMAGELIST previous = imageLists_[index];
        imageLists_[index] = reinterpret_cast<HIMAGELIST>(lParam);
        return reinterpret_cast<LRESULT>(previous);
    }
    case LVM_GETIMAGELIST:
        return index < 0 || index > LVSIL_STATE ? 0 : reinterpret_cast<LRESULT>(imageLists_[index]);
    case LVM_ENSUREVISIBLE:
        if (!validItem(index)) return FALSE;
        ensureVisible(static_cast<int>(index));
        return TRUE;
    case LVM_GETTOPINDEX:
        return report() || view() == LVS_LIST ? top_ : 0;
    case LVM_GETCOUNTPERPAGE:
        return report() || view() == LVS_LIST ? rowsPerPage() : count();
    case LVM_GETITEMRECT:
        return onGetItemRect(index, pointerParam<RECT>(lParam));
    case LVM_HITTEST:
        return onHitTest(pointerParam<LVHITTESTINFO>(lParam));
    case LVM_UPDATE:
        return validItem(index) ? TRUE : FALSE;
    case LVM_GETBKCOLOR:
    case LVM_GETTEXTCOLOR:
    case LVM_GETTEXTBKCOLOR:
        return colors_[colorSlot(msg)];
    default: // the colour setters
        colors_[colorSlot(msg)] = static_cast<COLORREF>(lParam);
        return TRUE;
    }
}

// ---- User input ------------------------------------------------------------------------------

void ListView::notifyClick(UINT code, int index, POINT point, WPARAM flags) {
    NMITEMACTIVATE info;
    info.iItem = index;
    info.iSubItem = std::max(0, columnAt(static_cast<int>(point.x)));
    info.ptAction = point;
    info.uKeyFlags = keyFlags(flags);
    if (validItem(index)) {
        info.lParam = item(index).param;
        info.uOldState = info.uNewState = item(index).state;
    }
    notify(info.hdr, code);
}

void ListView::selectOnly(int index) {
    for (int other = 0; other < count() && alive(); ++other) {
        if (other != index && (item(other).state & LVIS_SELECTED)) {
            setItemState(other, 0, LVIS_SELECTED);
        }
    }
    if (!alive() || !validItem(index)) return;
    setItemState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    selectionMark_ = index;
}

void ListView::clickItem(int index, WPARAM flags) {
    if (index < 0) {
        if (!(flags & kMouseControl)) {
            for (int i = 0; i < count() && alive(); ++i)
                setItemState(i, 0, LVIS_SELECTED);
        }
        return;
    }
    const bool multi = !singleSelection();
    if (multi && (flags & kMouseShift) && validItem(selectionMark_)) {
        const int low = std::min(selectionMark_, index);
        const int high = std::max(selectionMark_, index);
        for (int i = 0; i < count() && alive(); ++i) {
            setItemState(i, i >= low && i <= high ? LVIS_SELECTED : 0, LVIS_SELECTED);
        }
        if (alive()) setItemState(index, LVIS_FOCUSED, LVIS_FOCUSED);
    } else if (multi && (flags & kMouseControl)) {
        const bool selected = (item(index).state & LVIS_SELECTED) != 0;
        setItemState(index, (selected ? 0 : LVIS_SELECTED) | LVIS_FOCUSED,
                     LVIS_SELECTED | LVIS_FOCUSED);
        selectionMark_ = index;
    } else {
        selectOnly(index);
    }
}

void ListView::clickColumn(POINT point) {
    const int column = columnAt(static_cast<int>(point.x));
    if (column < 0) return;
    NMLISTVIEW info;
    info.iItem = -1;
    info.iSubItem = column;
    info.ptAction = point;
    notify(info.hdr, LVN_COLUMNCLICK);
}

LRESULT ListView::onMouse(UINT msg, WPARAM flags, LPARAM lParam) {
    const POINT point = pointParam(lParam);
    const int index = itemAt(point);
    const bool onCheckBox = index >= 0 && checkBoxes() && point.x < kStateIconWidth;
    switch (msg) {
    case WM_LBUTTONDOWN:
        SetFocus(hwnd());
        if (!alive()) return 0;
        if (point.y < headerHeight()) {
            clickColumn(point);
            return 0;
        }
        onCheckBox ? toggleCheck(index) : clickItem(index, flags);
        leftPressed_ = true;
        pressedItem_ = index;
        return 0;
    case WM_LBUTTONUP:
        if (leftPressed_) {
            leftPressed_ = false;
            notifyClick(NM_CLICK, pressedItem_, point, flags);
        }
        return 0;
    case WM_LBUTTONDBLCLK:
        if (point.y < headerHeight()) return 0;
        notifyClick(NM_DBLCLK, index, point, flags);
        if (alive() && index >= 0) notifyClick(LVN_ITEMACTIVATE, index, point, flags);
        return 0;
    case WM_RBUTTONDOWN:
        SetFocus(hwnd());
        if (alive() && index >= 0 && !(item(index).state & LVIS_SELECTED)) selectOnly(index);
        rightPressed_ = alive();
        pressedItem_ = index;
        return 0;
    default: { // WM_RBUTTONUP: NM_RCLICK, then the context menu unless the parent handled it
        if (!rightPressed_) return 0;
        rightPressed_ = false;
        NMITEMACTIVATE info;
        info.iItem = pressedItem_;
        info.ptAction = point;
        if (notify(info.hdr, NM_RCLICK) == 0 && alive()) {
            POINT screen = point;
            ClientToScreen(hwnd(), &screen);
            SendMessage(hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd()),
                        pointLParam(screen));
        }
        return 0;
    }
    }
}

void ListView::moveFocusTo(int index, bool extend) {
    if (count() == 0) return;
    index = std::clamp(index, 0, count() - 1);
    if (extend && !singleSelection() && validItem(selectionMark_)) {
        clickItem(index, kMouseShift);
    } else {
        selectOnly(index);
    }
    if (alive()) ensureVisible(index);
}

LRESULT ListView::onKeyDown(int key) {
    NMLVKEYDOWN info;
    info.wVKey = static_cast<WORD>(key);
    notify(info.hdr, LVN_KEYDOWN);
    if (!alive()) return 0;
    const int focused = nextItem(-1, LVNI_FOCUSED);
    const bool shift = keyHeld(VK_SHIFT);
    const int page = std::max(1, rowsPerPage());
    switch (key) {
    case VK_UP:
        moveFocusTo(focused < 0 ? 0 : focused - 1, shift);
        return 0;
    case VK_DOWN:
        moveFocusTo(focused + 1, shift);
        return 0;
    case VK_PRIOR:
        moveFocusTo(focused - page, shift);
        return 0;
    case VK_NEXT:
        moveFocusTo(focused + page, shift);
        return 0;
    case VK_HOME:
        moveFocusTo(0, shift);
        return 0;
    case VK_END:
        moveFocusTo(count() - 1, shift);
        return 0;
    case VK_SPACE:
        toggleCheck(focused);
        return 0;
    case VK_RETURN: {
        NMHDR header;
        notify(header, NM_RETURN);
        if (alive() && focused >= 0) notifyClick(LVN_ITEMACTIVATE, focused, POINT(), 0);
        return 0;
    }
    default:
        return defaultProc(WM_KEYDOWN, static_cast<WPARAM>(key), 0);
    }
}

// Items are deleted (with their notifications) while the parent still exists; the image lists
// go with the control unless they are shared.
void ListView::onDestroy() {
    onDeleteAllItems();
    if (hasStyle(LVS_SHAREIMAGELISTS)) return;
    for (HIMAGELIST& list : imageLists_) {
        if (list) ImageList_Destroy(list);
        list = nullptr;
    }
}

} // namespace controls
