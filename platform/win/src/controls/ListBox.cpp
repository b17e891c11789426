// The LISTBOX class: single, multiple (LBS_MULTIPLESEL) and extended (LBS_EXTENDEDSEL)
// selection lists. Entries are rows of equal height from the top of the client area.
#include "ControlBase.h"
#include "ControlClasses.h"
#include "ItemList.h"
#include "win/winctrl.h"

#include <algorithm>

namespace controls {

namespace {

constexpr int kDefaultItemHeight = 16;
constexpr int kMaxItemHeight = 255;

class ListBox final : public Control {
public:
    explicit ListBox(HWND hwnd) : Control(hwnd) {}
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    bool multiple() const { return hasStyle(LBS_MULTIPLESEL); }
    bool extended() const { return hasStyle(LBS_EXTENDEDSEL) && !multiple(); }
    bool multiSelect() const { return multiple() || extended(); }
    bool holdsStrings() const;
    int visibleRows() const;
    bool isSelected(int index) const;

    LRESULT onItemMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT onAdd(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT onDelete(long long index);
    LRESULT onSingleSelection(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT onMultiSelection(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT onPositionMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT onMouseDown(WPARAM flags, LPARAM lParam);
    LRESULT onKeyDown(int key);
    LRESULT onChar(wchar_t c);

    int itemFromPoint(POINT point, bool* outside) const;
    void ensureVisible(int index);
    void selectOnly(int index);
    void selectRange(int from, int to, bool select);
    void userMoveTo(int index);
    void selectionChanged();

    ItemList items_;
    int current_ = -1; // the selection of a single-selection list
    int caret_ = 0;
    int anchor_ = 0;
    int top_ = 0;
    int itemHeight_ = kDefaultItemHeight;
};

LRESULT ListBox::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
    case LB_GETCOUNT:
    case LB_GETTEXT:
    case LB_GETTEXTLEN:
    case LB_GETITEMDATA:
    case LB_SETITEMDATA:
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
        return onItemMessage(msg, wParam, lParam);
    case LB_GETCURSEL:
    case LB_SETCURSEL:
    case LB_SELECTSTRING:
    case LB_GETSEL:
        return onSingleSelection(msg, wParam, lParam);
    case LB_SETSEL:
    case LB_GETSELCOUNT:
    case LB_GETSELITEMS:
    case LB_SELITEMRANGE:
        return onMultiSelection(msg, wParam, lParam);
    case LB_GETTOPINDEX:
    case LB_SETTOPINDEX:
    case LB_GETCARETINDEX:
    case LB_SETCARETINDEX:
    case LB_GETANCHORINDEX:
    case LB_SETANCHORINDEX:
    case LB_GETITEMRECT:
    case LB_GETITEMHEIGHT:
    case LB_SETITEMHEIGHT:
    case LB_ITEMFROMPOINT:
        return onPositionMessage(msg, wParam, lParam);
    case WM_LBUTTONDOWN:
        return onMouseDown(wParam, lParam);
    case WM_LBUTTONDBLCLK:
        if (hasStyle(LBS_NOTIFY)) notifyCommand(LBN_DBLCLK);
        return 0;
    case WM_KEYDOWN:
        return onKeyDown(static_cast<int>(wParam));
    case WM_CHAR:
        return onChar(static_cast<wchar_t>(wParam));
    case WM_SETFOCUS:
        notifyCommand(LBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        notifyCommand(LBN_KILLFOCUS);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFONT:
    case WM_GETFONT:
        return handleFont(msg, wParam, lParam);
    default:
        return defaultProc(msg, wParam, lParam);
    }
}

bool ListBox::holdsStrings() const {
    return hasStyle(LBS_HASSTRINGS) ||
           (style() & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) == 0;
}

int ListBox::visibleRows() const {
    RECT client;
    GetClientRect(hwnd(), &client);
    return std::max(1, static_cast<int>(client.bottom - client.top) / itemHeight_);
}

bool ListBox::isSelected(int index) const {
    if (!items_.valid(index)) return false;
    return multiSelect() ? items_.at(index).selected : index == current_;
}

LRESULT ListBox::onItemMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto index = static_cast<long long>(static_cast<INT_PTR>(wParam));
    const bool valid = items_.valid(index);
    const int at = valid ? static_cast<int>(index) : 0;
    switch (msg) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
        return onAdd(msg, wParam, lParam);
    case LB_DELETESTRING:
        return onDelete(index);
    case LB_RESETCONTENT:
        markChanged();
        items_.clear();
        current_ = -1;
        caret_ = anchor_ = top_ = 0;
        return LB_OKAY;
    case LB_GETCOUNT:
        return items_.count();
    case LB_GETTEXT: {
        if (!valid || !lParam) return LB_ERR;
        const std::wstring& text = items_.at(at).text;
        return copyText(text, pointerParam<wchar_t>(lParam),
                        static_cast<std::ptrdiff_t>(text.size()) + 1);
    }
    case LB_GETTEXTLEN:
        return valid ? static_cast<LRESULT>(items_.at(at).text.size()) : LB_ERR;
    case LB_GETITEMDATA:
        return valid ? items_.at(at).data : LB_ERR;
    case LB_SETITEMDATA:
        if (!valid) return LB_ERR;
        items_.at(at).data = lParam;
        return TRUE;
    case LB_FINDSTRING:
        return lParam ? items_.findPrefix(index, textParam(lParam)) : LB_ERR;
    default: // LB_FINDSTRINGEXACT
        return lParam ? items_.findExact(index, textParam(lParam)) : LB_ERR;
    }
}

LRESULT ListBox::onAdd(UINT msg, WPARAM wParam, LPARAM lParam) {
    markChanged();
    ListEntry entry;
    if (holdsStrings()) {
        if (!lParam) return LB_ERR;
        entry.text = textParam(lParam);
    } else {
        entry.data = lParam;
    }
    const int index =
        msg == LB_ADDSTRING
            ? items_.add(std::move(entry), hasStyle(LBS_SORT) && holdsStrings())
            : items_.insert(static_cast<long long>(static_cast<INT_PTR>(wParam)), std::move(entry));
    if (index < 0) return LB_ERR;
    if (current_ >= index) ++current_;
    if (caret_ >= index && items_.count() > 1) ++caret_;
    if (anchor_ >= index && items_.count() > 1) ++anchor_;
    return index;
}

LRESULT ListBox::onDelete(long long index) {
    markChanged();
    if (!items_.remove(index)) return LB_ERR;
    if (current_ == index) current_ = -1;
    if (current_ > index) --current_;
    const int last = std::max(0, items_.count() - 1);
    if (caret_ > index) --caret_;
    if (anchor_ > index) --anchor_;
    caret_ = std::min(caret_, last);
    anchor_ = std::min(anchor_, last);
    top_ = std::min(top_, last);
    return items_.count();
}

LRESULT ListBox::onSingleSelection(UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto index = static_cast<long long>(static_cast<INT_PTR>(wParam));
    switch (msg) {
    case LB_GETCURSEL:
        if (multiSelect()) return items_.count() > 0 ? caret_ : LB_ERR;
        return current_ >= 0 ? current_ : LB_ERR;
    case LB_GETSEL:
        if (!items_.valid(index)) return LB_ERR;
        return isSelected(static_cast<int>(index)) ? 1 : 0;
    case LB_SETCURSEL:
        if (multiSelect()) return LB_ERR;
        markChanged();
        if (index == -1) current_ = -1;
        if (!items_.valid(index)) return LB_ERR;
        selectOnly(static_cast<int>(index));
        return index;
    default: { // LB_SELECTSTRING
        if (multiSelect()) return LB_ERR;
        const int found = lParam ? items_.findPrefix(index, textParam(lParam)) : -1;
        if (found < 0) return LB_ERR;
        selectOnly(found);
        return found;
    }
    }
}

LRESULT ListBox::onMultiSelection(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!multiSelect()) return LB_ERR;
    if (msg == LB_SETSEL || msg == LB_SELITEMRANGE) markChanged();
    switch (msg) {
    case LB_SETSEL: {
        const auto index = static_cast<long long>(lParam);
        if (index == -1) {
            selectRange(0, items_.count() - 1, wParam != 0);
            return 0;
        }
        if (!items_.valid(index)) return LB_ERR;
        items_.at(static_cast<int>(index)).selected = wParam != 0;
        caret_ = anchor_ = static_cast<int>(index);
        return 0;
    }
    case LB_SELITEMRANGE: {
        const auto value = static_cast<DWORD_PTR>(lParam);
        selectRange(LOWORD(value), HIWORD(value), wParam != 0);
        return 0;
    }
    case LB_GETSELCOUNT: {
        int count = 0;
        for (int i = 0; i < items_.count(); ++i)
            count += items_.at(i).selected ? 1 : 0;
        return count;
    }
    default: { // LB_GETSELITEMS
        auto* out = pointerParam<int>(lParam);
        const auto capacity = static_cast<long long>(static_cast<INT_PTR>(wParam));
        int copied = 0;
        for (int i = 0; out && i < items_.count() && copied < capacity; ++i) {
            if (items_.at(i).selected) out[copied++] = i;
        }
        return copied;
    }
    }
}

LRESULT ListBox::onPositionMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto index = static_cast<long long>(static_cast<INT_PTR>(wParam));
    const bool valid = items_.valid(index);
    switch (msg) {
    case LB_GETTOPINDEX:
        return top_;
    case LB_SETTOPINDEX:
        if (!valid) return LB_ERR;
        markChanged();
        top_ = static_cast<int>(index);
        return 0;
    case LB_GETCARETINDEX:
        return multiSelect() || current_ < 0 ? caret_ : current_;
    case LB_SETCARETINDEX:
        if (!valid) return LB_ERR;
        caret_ = static_cast<int>(index);
        ensureVisible(caret_);
        return 0;
    case LB_GETANCHORINDEX:
        return anchor_;
    case LB_SETANCHORINDEX:
        if (!valid) return LB_ERR;
        anchor_ = static_cast<int>(index);
        return 0;
    case LB_GETITEMRECT: {
        auto* rect = pointerParam<RECT>(lParam);
        if (!rect || !valid) return LB_ERR;
        GetClientRect(hwnd(), rect);
        rect->top = static_cast<LONG>((index - top_) * itemHeight_);
        rect->bottom = rect->top + itemHeight_;
        return 1;
    }
    case LB_GETITEMHEIGHT:
        return itemHeight_;
    case LB_SETITEMHEIGHT: {
        const int height = LOWORD(static_cast<DWORD_PTR>(lParam));
        if (height <= 0 || height > kMaxItemHeight) return LB_ERR;
        itemHeight_ = height;
        return 0;
    }
    default: { // LB_ITEMFROMPOINT
        bool outside = false;
        const int item = itemFromPoint(pointParam(lParam), &outside);
        return static_cast<LRESULT>(
            MAKELONG(static_cast<WORD>(std::max(item, 0)), static_cast<WORD>(outside ? 1 : 0)));
    }
    }
}

int ListBox::itemFromPoint(POINT point, bool* outside) const {
    RECT client;
    GetClientRect(hwnd(), &client);
    const int row = point.y < 0 ? -1 : static_cast<int>(point.y) / itemHeight_;
    const int index = top_ + row;
    *outside = row < 0 || point.x < client.left || point.x >= client.right ||
               point.y >= client.bottom || !items_.valid(index);
    if (items_.count() == 0) return -1;
    return std::clamp(index, 0, items_.count() - 1);
}

void ListBox::ensureVisible(int index) {
    markChanged();
    if (index < top_) top_ = index;
    const int rows = visibleRows();
    if (index >= top_ + rows) top_ = index - rows + 1;
}

void ListBox::selectOnly(int index) {
    markChanged();
    if (multiSelect()) {
        for (int i = 0; i < items_.count(); ++i)
            items_.at(i).selected = i == index;
    } else {
        current_ = index;
    }
    caret_ = anchor_ = index;
    ensureVisible(index);
}

void ListBox::selectRange(int from, int to, bool select) {
    markChanged();
    if (from > to) std::swap(from, to);
    for (int i = std::max(0, from); i <= to && i < items_.count(); ++i) {
        items_.at(i).selected = select;
    }
}

void ListBox::selectionChanged() {
    if (hasStyle(LBS_NOTIFY)) notifyCommand(LBN_SELCHANGE);
}

LRESULT ListBox::onMouseDown(WPARAM flags, LPARAM lParam) {
    markChanged();
    SetFocus(hwnd());
    if (!alive() || hasStyle(LBS_NOSEL)) return 0;
    bool outside = false;
    const int index = itemFromPoint(pointParam(lParam), &outside);
    if (outside || index < 0) return 0;
    if (multiple() || (extended() && (flags & kMouseControl))) {
        items_.at(index).selected = !items_.at(index).selected;
        caret_ = anchor_ = index;
    } else if (extended() && (flags & kMouseShift)) {
        selectRange(0, items_.count() - 1, false);
        selectRange(anchor_, index, true);
        caret_ = index;
    } else if (index == current_ && !multiSelect()) {
        return 0;
    } else {
        selectOnly(index);
    }
    selectionChanged();
    return 0;
}

void ListBox::userMoveTo(int index) {
    markChanged();
    if (items_.count() == 0) return;
    index = std::clamp(index, 0, items_.count() - 1);
    if (multiple()) {
        caret_ = index;
        ensureVisible(index);
        return;
    }
    if (index == current_ && !extended()) return;
    selectOnly(index);
    selectionChanged();
}

LRESULT ListBox::onKeyDown(int key) {
    markChanged();
    const int from = multiSelect() || current_ < 0 ? caret_ : current_;
    switch (key) {
    case VK_UP:
        userMoveTo(from - 1);
        return 0;
    case VK_DOWN:
        userMoveTo(current_ < 0 && !multiSelect() ? 0 : from + 1);
        return 0;
    case VK_PRIOR:
        userMoveTo(from - visibleRows());
        return 0;
    case VK_NEXT:
        userMoveTo(from + visibleRows());
        return 0;
    case VK_HOME:
        userMoveTo(0);
        return 0;
    case VK_END:
        userMoveTo(items_.count() - 1);
        return 0;
    case VK_SPACE:
        if (multiple() && items_.valid(caret_)) {
            items_.at(caret_).selected = !items_.at(caret_).selected;
            selectionChanged();
        }
        return 0;
    default:
        return defaultProc(WM_KEYDOWN, static_cast<WPARAM>(key), 0);
    }
}

LRESULT ListBox::onChar(wchar_t c) {
    if (c < 0x20 || !holdsStrings()) return 0;
    const int from = multiSelect() ? caret_ : current_;
    const int found = items_.findPrefix(from, std::wstring_view(&c, 1));
    if (found >= 0) userMoveTo(found);
    return 0;
}

Control* createListBox(HWND hwnd) {
    return new ListBox(hwnd);
}

} // namespace

LRESULT listBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return dispatchToControl(hwnd, msg, wParam, lParam, &createListBox);
}

} // namespace controls
