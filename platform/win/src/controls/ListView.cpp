// The list view's model: columns, items, states, searching and sorting.
#include "ListView.h"

#include "ControlClasses.h"

#include <algorithm>

namespace controls {

namespace {

constexpr int kMaxSubItems = 1024;
constexpr UINT kUnchecked = 1u << 12; // state image 1
constexpr UINT kChecked = 2u << 12;   // state image 2

// Sorts indices with a caller's comparison without trusting it to be consistent: a bottom-up
// merge sort only ever compares two elements it holds.
template <class Less>
void mergeSort(std::vector<int>& order, Less less) {
    std::vector<int> buffer(order.size());
    for (std::size_t width = 1; width < order.size(); width *= 2) {
        for (std::size_t low = 0; low < order.size(); low += 2 * width) {
            const std::size_t middle = std::min(low + width, order.size());
            const std::size_t high = std::min(low + 2 * width, order.size());
            std::size_t left = low;
            std::size_t right = middle;
            std::size_t out = low;
            while (left < middle && right < high) {
                buffer[out++] = less(order[right], order[left]) ? order[right++] : order[left++];
            }
            while (left < middle)
                buffer[out++] = order[left++];
            while (right < high)
                buffer[out++] = order[right++];
        }
        order.swap(buffer);
    }
}

} // namespace

const std::wstring& ListView::textOf(const Item& item, int subItem) {
    static const std::wstring empty;
    if (subItem < 0 || subItem >= static_cast<int>(item.texts.size())) return empty;
    return item.texts[static_cast<std::size_t>(subItem)];
}

LRESULT ListView::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case LVM_INSERTCOLUMN:
    case LVM_DELETECOLUMN:
    case LVM_GETCOLUMN:
    case LVM_SETCOLUMN:
    case LVM_GETCOLUMNWIDTH:
    case LVM_SETCOLUMNWIDTH:
        return onColumnMessage(msg, wParam, lParam);
    case LVM_INSERTITEM:
    case LVM_DELETEITEM:
    case LVM_DELETEALLITEMS:
    case LVM_SETITEM:
    case LVM_GETITEM:
    case LVM_SETITEMTEXT:
    case LVM_GETITEMTEXT:
    case LVM_GETITEMCOUNT:
    case LVM_SETITEMCOUNT:
    case LVM_FINDITEM:
    case LVM_SORTITEMS:
        return onItemMessage(msg, wParam, lParam);
    case LVM_SETITEMSTATE:
    case LVM_GETITEMSTATE:
    case LVM_GETNEXTITEM:
    case LVM_GETSELECTEDCOUNT:
    case LVM_GETSELECTIONMARK:
    case LVM_SETSELECTIONMARK:
    case LVM_SETEXTENDEDLISTVIEWSTYLE:
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
        return onStateMessage(msg, wParam, lParam);
    case LVM_SETIMAGELIST:
    case LVM_GETIMAGELIST:
    case LVM_ENSUREVISIBLE:
    case LVM_GETTOPINDEX:
    case LVM_GETCOUNTPERPAGE:
    case LVM_GETITEMRECT:
    case LVM_HITTEST:
    case LVM_UPDATE:
    case LVM_GETBKCOLOR:
    case LVM_SETBKCOLOR:
    case LVM_GETTEXTCOLOR:
    case LVM_SETTEXTCOLOR:
    case LVM_GETTEXTBKCOLOR:
    case LVM_SETTEXTBKCOLOR:
        return onViewMessage(msg, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return onMouse(msg, wParam, lParam);
    case WM_KEYDOWN:
        return onKeyDown(static_cast<int>(wParam));
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        NMHDR header;
        notify(header, msg == WM_SETFOCUS ? NM_SETFOCUS : NM_KILLFOCUS);
        return 0;
    }
    case WM_DESTROY:
        onDestroy();
        return defaultProc(msg, wParam, lParam);
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFONT:
    case WM_GETFONT:
        return handleFont(msg, wParam, lParam);
    default:
        return defaultProc(msg, wParam, lParam);
    }
}

// ---- Columns ---------------------------------------------------------------------------------

LRESULT ListView::onColumnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto index = static_cast<long long>(static_cast<INT_PTR>(wParam));
    switch (msg) {
    case LVM_INSERTCOLUMN:
        return onInsertColumn(index, pointerParam<const LVCOLUMNW>(lParam));
    case LVM_DELETECOLUMN:
        return onDeleteColumn(index);
    case LVM_GETCOLUMN:
        return onGetColumn(index, pointerParam<LVCOLUMNW>(lParam));
    case LVM_SETCOLUMN:
        return onSetColumn(index, pointerParam<const LVCOLUMNW>(lParam));
    case LVM_SETCOLUMNWIDTH:
        return onSetColumnWidth(index, static_cast<int>(static_cast<short>(LOWORD(lParam))));
    default: // LVM_GETCOLUMNWIDTH
        if (view() == LVS_LIST) return listColumnWidth_;
        if (!report() || index < 0 || index >= columnCount()) return 0;
        return columns_[static_cast<std::size_t>(index)].width;
    }
}

LRESULT ListView::onInsertColumn(long long index, const LVCOLUMNW* column) {
    markChanged();
    if (!column || index < 0 || columnCount() >= kMaxSubItems) return -1;
    index = std::min<long long>(index, columnCount());
    if (!columns_.empty()) {
        for (Item& entry : items_) {
            if (static_cast<long long>(entry.texts.size()) > index) {
                entry.texts.insert(entry.texts.begin() + index, std::wstring());
            }
        }
    }
    columns_.insert(columns_.begin() + index, Column());
    onSetColumn(index, column);
    return index;
}

LRESULT ListView::onDeleteColumn(long long index) {
    markChanged();
    if (index < 0 || index >= columnCount()) return FALSE;
    columns_.erase(columns_.begin() + index);
    for (Item& entry : items_) {
        if (static_cast<long long>(entry.texts.size()) > index) {
            entry.texts.erase(entry.texts.begin() + index);
        }
        if (entry.texts.empty()) entry.texts.emplace_back();
    }
    return TRUE;
}

LRESULT ListView::onGetColumn(long long index, LVCOLUMNW* column) const {
    if (!column || index < 0 || index >= columnCount()) return FALSE;
    const Column& source = columns_[static_cast<std::size_t>(index)];
    if (column->mask & LVCF_FMT) column->fmt = source.format;
    if (column->mask & LVCF_WIDTH) column->cx = source.width;
    if (column->mask & LVCF_TEXT) copyText(source.text, column->pszText, column->cchTextMax);
    if (column->mask & LVCF_SUBITEM) column->iSubItem = static_cast<int>(index);
    if (column->mask & LVCF_IMAGE) column->iImage = source.image;
    if (column->mask & LVCF_ORDER) column->iOrder = source.order;
    return TRUE;
}

LRESULT ListView::onSetColumn(long long index, const LVCOLUMNW* column) {
    markChanged();
    if (!column || index < 0 || index >= columnCount()) return FALSE;
    Column& target = columns_[static_cast<std::size_t>(index)];
    if (column->mask & LVCF_FMT) target.format = column->fmt;
    if (column->mask & LVCF_WIDTH) target.width = std::max(0, column->cx);
    if ((column->mask & LVCF_TEXT) && column->pszText) target.text = column->pszText;
    if (column->mask & LVCF_IMAGE) target.image = column->iImage;
    if (column->mask & LVCF_ORDER) target.order = column->iOrder;
    return TRUE;
}

int ListView::autoWidth(int column, bool withHeader) const {
    std::size_t longest = 0;
    for (const Item& entry : items_)
        longest = std::max(longest, textOf(entry, column).size());
    if (withHeader)
        longest = std::max(longest, columns_[static_cast<std::size_t>(column)].text.size());
    return static_cast<int>(longest) * kCharWidth + kTextPadding;
}

LRESULT ListView::onSetColumnWidth(long long index, int width) {
    markChanged();
    if (view() == LVS_LIST) {
        if (index != 0 || width < 0) return FALSE;
        listColumnWidth_ = width;
        return TRUE;
    }
    if (!report() || index < 0 || index >= columnCount()) return FALSE;
    if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER) {
        width = autoWidth(static_cast<int>(index), width == LVSCW_AUTOSIZE_USEHEADER);
    }
    columns_[static_cast<std::size_t>(index)].width = std::max(0, width);
    return TRUE;
}

// ---- Items -----------------------------------------------------------------------------------

LRESULT ListView::onItemMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto index = static_cast<long long>(static_cast<INT_PTR>(wParam));
    switch (msg) {
    case LVM_INSERTITEM:
        return onInsertItem(pointerParam<const LVITEMW>(lParam));
    case LVM_DELETEITEM:
        return onDeleteItem(index);
    case LVM_DELETEALLITEMS:
        return onDeleteAllItems();
    case LVM_SETITEM: {
        const auto* source = pointerParam<const LVITEMW>(lParam);
        return onSetItem(source, false, source ? source->iItem : -1);
    }
    case LVM_GETITEM:
        return onGetItem(pointerParam<LVITEMW>(lParam));
    case LVM_SETITEMTEXT:
        return onSetItem(pointerParam<const LVITEMW>(lParam), true, index);
    case LVM_GETITEMTEXT:
        return onGetItemText(index, pointerParam<LVITEMW>(lParam));
    case LVM_GETITEMCOUNT:
        return count();
    case LVM_SETITEMCOUNT:
        return TRUE;
    case LVM_FINDITEM:
        return onFindItem(index, pointerParam<const LVFINDINFOW>(lParam));
    default: // LVM_SORTITEMS
        return onSortItems(static_cast<LPARAM>(wParam), reinterpret_cast<PFNLVCOMPARE>(lParam));
    }
}

int ListView::insertPosition(long long requested, const std::wstring& text) const {
    const bool ascending = hasStyle(LVS_SORTASCENDING);
    if (!ascending && !hasStyle(LVS_SORTDESCENDING)) {
        return static_cast<int>(std::min<long long>(requested, count()));
    }
    const auto after = std::find_if(items_.begin(), items_.end(), [&](const Item& entry) {
        const int order = compareNoCase(text, textOf(entry, 0));
        return ascending ? order < 0 : order > 0;
    });
    return static_cast<int>(after - items_.begin());
}

LRESULT ListView::onInsertItem(const LVITEMW* source) {
    markChanged();
    if (!source || source->iItem < 0 || source->iSubItem != 0) return -1;
    Item entry;
    if ((source->mask & LVIF_TEXT) && source->pszText) entry.texts[0] = source->pszText;
    if (source->mask & LVIF_IMAGE) entry.image = source->iImage;
    if (source->mask & LVIF_PARAM) entry.param = source->lParam;
    if (source->mask & LVIF_INDENT) entry.indent = source->iIndent;
    if (source->mask & LVIF_STATE) entry.state = source->state & source->stateMask;
    if (checkBoxes() && (entry.state & LVIS_STATEIMAGEMASK) == 0) entry.state |= kUnchecked;
    const int index = insertPosition(source->iItem, entry.texts[0]);
    if (entry.state & LVIS_FOCUSED) {
        for (Item& other : items_)
            other.state &= ~LVIS_FOCUSED;
    }
    if ((entry.state & LVIS_SELECTED) && singleSelection()) {
        for (Item& other : items_)
            other.state &= ~LVIS_SELECTED;
    }
    items_.insert(items_.begin() + index, std::move(entry));
    if (selectionMark_ >= index) ++selectionMark_;
    NMLISTVIEW info;
    info.iItem = index;
    info.lParam = item(index).param;
    notify(info.hdr, LVN_INSERTITEM);
    return index;
}

LRESULT ListView::onDeleteItem(long long index) {
    markChanged();
    if (!validItem(index)) return FALSE;
    NMLISTVIEW info;
    info.iItem = static_cast<int>(index);
    info.lParam = item(index).param;
    notify(info.hdr, LVN_DELETEITEM);
    if (!alive() || !validItem(index)) return FALSE;
    items_.erase(items_.begin() + index);
    if (selectionMark_ == index) selectionMark_ = -1;
    if (selectionMark_ > index) --selectionMark_;
    top_ = std::min(top_, std::max(0, count() - 1));
    return TRUE;
}

// The parent answers LVN_DELETEALLITEMS with TRUE to be spared one LVN_DELETEITEM per item.
LRESULT ListView::onDeleteAllItems() {
    markChanged();
    NMLISTVIEW all;
    all.iItem = -1;
    const bool spareEach = notify(all.hdr, LVN_DELETEALLITEMS) != 0;
    std::vector<LPARAM> params;
    for (const Item& entry : items_)
        params.push_back(entry.param);
    for (std::size_t i = 0; !spareEach && i < params.size() && alive(); ++i) {
        NMLISTVIEW info;
        info.iItem = static_cast<int>(i);
        info.lParam = params[i];
        notify(info.hdr, LVN_DELETEITEM);
    }
    items_.clear();
    selectionMark_ = -1;
    top_ = 0;
    return TRUE;
}

bool ListView::notifyItemChange(int index, UINT changed, UINT oldState, UINT newState,
                                bool changing) {
    NMLISTVIEW info;
    info.iItem = index;
    info.uChanged = changed;
    info.uOldState = oldState;
    info.uNewState = newState;
    info.lParam = item(index).param;
    return notify(info.hdr, changing ? LVN_ITEMCHANGING : LVN_ITEMCHANGED) == 0;
}

LRESULT ListView::onSetItem(const LVITEMW* source, bool textOnly, long long index) {
    markChanged();
    if (!source || !validItem(index)) return FALSE;
    const int subItem = source->iSubItem;
    const UINT mask = textOnly ? LVIF_TEXT : source->mask;
    if (subItem < 0 || subItem >= kMaxSubItems) return FALSE;
    const std::wstring text = source->pszText ? source->pszText : L"";
    if (subItem > 0) {
        if (!(mask & LVIF_TEXT)) return FALSE;
        auto& texts = item(index).texts;
        if (texts.size() <= static_cast<std::size_t>(subItem)) texts.resize(subItem + 1);
        texts[static_cast<std::size_t>(subItem)] = text;
        return TRUE;
    }
    const UINT changed = mask & (LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM);
    if (changed) {
        const UINT state = item(index).state;
        const auto at = static_cast<int>(index);
        if (!notifyItemChange(at, changed, state, state, true) || !alive() || !validItem(at)) {
            return FALSE;
        }
        Item& target = item(index);
        if (mask & LVIF_TEXT) target.texts[0] = text;
        if (mask & LVIF_IMAGE) target.image = source->iImage;
        if (mask & LVIF_PARAM) target.param = source->lParam;
        notifyItemChange(at, changed, state, state, false);
        if (!alive() || !validItem(at)) return FALSE;
    }
    if (mask & LVIF_INDENT) item(index).indent = source->iIndent;
    if (mask & LVIF_STATE) {
        return setItemState(static_cast<int>(index), source->state, source->stateMask) ? TRUE
                                                                                       : FALSE;
    }
    return TRUE;
}

LRESULT ListView::onGetItem(LVITEMW* target) const {
    if (!target || !validItem(target->iItem)) return FALSE;
    const Item& source = item(target->iItem);
    if (target->mask & LVIF_TEXT) {
        copyText(textOf(source, target->iSubItem), target->pszText, target->cchTextMax);
    }
    if (target->mask & LVIF_IMAGE) target->iImage = source.image;
    if (target->mask & LVIF_PARAM) target->lParam = source.param;
    if (target->mask & LVIF_STATE) target->state = source.state & target->stateMask;
    if (target->mask & LVIF_INDENT) target->iIndent = source.indent;
    return TRUE;
}

LRESULT ListView::onGetItemText(long long index, LVITEMW* target) const {
    if (!target || !validItem(index)) return 0;
    return copyText(textOf(item(index), target->iSubItem), target->pszText, target->cchTextMax);
}

LRESULT ListView::onFindItem(long long start, const LVFINDINFOW* find) const {
    if (!find || count() == 0) return -1;
    const bool partial = (find->flags & (LVFI_PARTIAL | LVFI_SUBSTRING)) != 0;
    const std::wstring wanted = find->psz ? find->psz : L"";
    auto matches = [&](const Item& entry) {
        if (find->flags & LVFI_PARAM) return entry.param == find->lParam;
        if (!(find->flags & (LVFI_STRING | LVFI_PARTIAL | LVFI_SUBSTRING))) return false;
        return partial ? startsWithNoCase(textOf(entry, 0), wanted)
                       : equalsNoCase(textOf(entry, 0), wanted);
    };
    const int first = validItem(start) ? static_cast<int>(start) + 1 : 0;
    const int steps = (find->flags & LVFI_WRAP) ? count() : count() - first;
    for (int step = 0; step < steps; ++step) {
        const int index = (first + step) % count();
        if (matches(item(index))) return index;
    }
    return -1;
}

LRESULT ListView::onSortItems(LPARAM sortParam, PFNLVCOMPARE compare) {
    markChanged();
    if (!compare) return FALSE;
    std::vector<int> order(items_.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    std::vector<LPARAM> params;
    for (const Item& entry : items_)
        params.push_back(entry.param);
    mergeSort(order, [&](int a, int b) {
        return compare(params[static_cast<std::size_t>(a)], params[static_cast<std::size_t>(b)],
                       sortParam) < 0;
    });
    // The comparison may have changed the list through messages; then the order is stale.
    if (!alive() || items_.size() != order.size()) return FALSE;
    std::vector<Item> sorted;
    sorted.reserve(items_.size());
    for (int index : order)
        sorted.push_back(std::move(items_[static_cast<std::size_t>(index)]));
    items_.swap(sorted);
    selectionMark_ = -1;
    return TRUE;
}

// ---- States ----------------------------------------------------------------------------------

bool ListView::setItemState(int index, UINT state, UINT mask) {
    markChanged();
    if (!validItem(index)) return false;
    const UINT before = item(index).state;
    const UINT wanted = (before & ~mask) | (state & mask);
    if (wanted == before) return true;
    const bool gainsSelection = (wanted & LVIS_SELECTED) && !(before & LVIS_SELECTED);
    const bool gainsFocus = (wanted & LVIS_FOCUSED) && !(before & LVIS_FOCUSED);
    for (int other = 0; other < count() && alive(); ++other) {
        if (other == index) continue;
        UINT drop = 0;
        if (gainsSelection && singleSelection()) drop |= item(other).state & LVIS_SELECTED;
        if (gainsFocus) drop |= item(other).state & LVIS_FOCUSED;
        if (drop) setItemState(other, 0, drop);
    }
    if (!alive() || !validItem(index)) return false;
    const UINT old = item(index).state;
    const UINT updated = (old & ~mask) | (state & mask);
    if (updated == old) return true;
    if (!notifyItemChange(index, LVIF_STATE, old, updated, true)) return false;
    if (!alive() || !validItem(index)) return false;
    item(index).state = updated;
    notifyItemChange(index, LVIF_STATE, old, updated, false);
    return true;
}

int ListView::nextItem(long long start, UINT flags) const {
    const UINT wanted = flags & (LVNI_FOCUSED | LVNI_SELECTED | LVNI_CUT | LVNI_DROPHILITED);
    const int step = (flags & (LVNI_ABOVE | LVNI_TOLEFT)) ? -1 : 1;
    int index = start < 0 ? (step > 0 ? 0 : count() - 1) : static_cast<int>(start) + step;
    if (start >= count()) return -1;
    for (; index >= 0 && index < count(); index += step) {
        if ((item(index).state & wanted) == wanted) return index;
    }
    return -1;
}

LRESULT ListView::onStateMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto index = static_cast<long long>(static_cast<INT_PTR>(wParam));
    switch (msg) {
    case LVM_SETITEMSTATE: {
        const auto* source = pointerParam<const LVITEMW>(lParam);
        if (!source) return FALSE;
        if (index != -1)
            return setItemState(static_cast<int>(index), source->state, source->stateMask) ? TRUE
                                                                                           : FALSE;
        const LVITEMW copy = *source; // the source may live in an item that a handler changes
        for (int i = 0; i < count() && alive(); ++i)
            setItemState(i, copy.state, copy.stateMask);
        return TRUE;
    }
    case LVM_GETITEMSTATE:
        return validItem(index) ? item(index).state & static_cast<UINT>(lParam) : 0;
    case LVM_GETNEXTITEM:
        return nextItem(index, static_cast<UINT>(lParam));
    case LVM_GETSELECTEDCOUNT:
        return std::count_if(items_.begin(), items_.end(),
                             [](const Item& entry) { return (entry.state & LVIS_SELECTED) != 0; });
    case LVM_GETSELECTIONMARK:
        return selectionMark_;
    case LVM_SETSELECTIONMARK: {
        const int previous = selectionMark_;
        selectionMark_ = validItem(lParam) ? static_cast<int>(lParam) : -1;
        return previous;
    }
    case LVM_SETEXTENDEDLISTVIEWSTYLE:
        return onSetExtendedStyle(static_cast<DWORD>(wParam), static_cast<DWORD>(lParam));
    default: // LVM_GETEXTENDEDLISTVIEWSTYLE
        return extendedStyle_;
    }
}

// Turning check boxes on gives every item an unchecked box; turning them off removes the boxes.
LRESULT ListView::onSetExtendedStyle(DWORD mask, DWORD style) {
    markChanged();
    const DWORD previous = extendedStyle_;
    if (mask == 0) mask = 0xFFFFFFFF;
    extendedStyle_ = (previous & ~mask) | (style & mask);
    const bool hadBoxes = (previous & LVS_EX_CHECKBOXES) != 0;
    if (checkBoxes() != hadBoxes) {
        for (Item& entry : items_) {
            entry.state &= ~LVIS_STATEIMAGEMASK;
            if (checkBoxes()) entry.state |= kUnchecked;
        }
    }
    return previous;
}

void ListView::toggleCheck(int index) {
    if (!checkBoxes() || !validItem(index)) return;
    const bool checked = (item(index).state & LVIS_STATEIMAGEMASK) == kChecked;
    setItemState(index, checked ? kUnchecked : kChecked, LVIS_STATEIMAGEMASK);
}

namespace {
Control* createListView(HWND hwnd) {
    return new ListView(hwnd);
}
} // namespace

LRESULT listViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return dispatchToControl(hwnd, msg, wParam, lParam, &createListView);
}

} // namespace controls
