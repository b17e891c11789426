// The list view ("SysListView32"). Every view lays items out as rows of kRowHeight pixels below
// the column header (kHeaderHeight pixels, report view without LVS_NOCOLUMNHEADER only); the
// check box of an item (LVS_EX_CHECKBOXES) is its first kStateIconWidth pixels. Item texts are
// kept per column position: inserting or deleting a column shifts the texts behind it.
#pragma once

#include "ControlBase.h"

#include <string>
#include <vector>

namespace controls {

class ListView final : public Control {
public:
    static constexpr int kRowHeight = 17;
    static constexpr int kHeaderHeight = 24;
    static constexpr int kStateIconWidth = 16;
    static constexpr int kCharWidth = 6;
    static constexpr int kTextPadding = 12;

    explicit ListView(HWND hwnd) : Control(hwnd) {}
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    struct Item {
        std::vector<std::wstring> texts{std::wstring()};
        int image = 0;
        LPARAM param = 0;
        UINT state = 0;
        int indent = 0;
    };
    struct Column {
        std::wstring text;
        int format = 0;
        int width = 0;
        int image = 0;
        int order = 0;
    };

    DWORD view() const { return style() & LVS_TYPEMASK; }
    bool report() const { return view() == LVS_REPORT; }
    bool singleSelection() const { return hasStyle(LVS_SINGLESEL); }
    bool checkBoxes() const { return (extendedStyle_ & LVS_EX_CHECKBOXES) != 0; }
    int count() const { return static_cast<int>(items_.size()); }
    bool validItem(long long index) const { return index >= 0 && index < count(); }
    int columnCount() const { return static_cast<int>(columns_.size()); }
    Item& item(long long index) { return items_[static_cast<std::size_t>(index)]; }
    const Item& item(long long index) const { return items_[static_cast<std::size_t>(index)]; }
    static const std::wstring& textOf(const Item& item, int subItem);

    // Messages about columns, items, states and searching (ListView.cpp).
    LRESULT onColumnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT onInsertColumn(long long index, const LVCOLUMNW* column);
    LRESULT onDeleteColumn(long long index);
    LRESULT onGetColumn(long long index, LVCOLUMNW* column) const;
    LRESULT onSetColumn(long long index, const LVCOLUMNW* column);
    LRESULT onSetColumnWidth(long long index, int width);
    LRESULT onItemMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT onInsertItem(const LVITEMW* source);
    LRESULT onDeleteItem(long long index);
    LRESULT onDeleteAllItems();
    LRESULT onSetItem(const LVITEMW* source, bool textOnly, long long index);
    LRESULT onGetItem(LVITEMW* target) const;
    LRESULT onGetItemText(long long index, LVITEMW* target) const;
    LRESULT onStateMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT onSetExtendedStyle(DWORD mask, DWORD style);
    LRESULT onFindItem(long long start, const LVFINDINFOW* find) const;
    LRESULT onSortItems(LPARAM sortParam, PFNLVCOMPARE compare);
    LRESULT onViewMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    int insertPosition(long long requested, const std::wstring& text) const;
    int nextItem(long long start, UINT flags) const;
    int autoWidth(int column, bool withHeader) const;
    // Changes an item's state with LVN_ITEMCHANGING (a nonzero answer vetoes) and
    // LVN_ITEMCHANGED; keeps one focused item and, with LVS_SINGLESEL, one selected item.
    bool setItemState(int index, UINT state, UINT mask);
    bool notifyItemChange(int index, UINT changed, UINT oldState, UINT newState, bool changing);

    // Layout and user input (ListViewInput.cpp).
    int headerHeight() const;
    int rowsPerPage() const;
    RECT rowRect(int index) const;
    int itemAt(POINT point) const;
    int columnAt(int x) const;
    void ensureVisible(int index);
    LRESULT onGetItemRect(long long index, RECT* rect) const;
    LRESULT onHitTest(LVHITTESTINFO* info) const;
    LRESULT onMouse(UINT msg, WPARAM flags, LPARAM lParam);
    void clickColumn(POINT point);
    void clickItem(int index, WPARAM flags);
    void notifyClick(UINT code, int index, POINT point, WPARAM flags);
    LRESULT onKeyDown(int key);
    void moveFocusTo(int index, bool extend);
    void selectOnly(int index);
    void toggleCheck(int index);
    void onDestroy();

    std::vector<Item> items_;
    std::vector<Column> columns_;
    DWORD extendedStyle_ = 0;
    HIMAGELIST imageLists_[3] = {};
    int top_ = 0;
    int selectionMark_ = -1;
    int listColumnWidth_ = 0;
    COLORREF colors_[3] = {};
    int pressedItem_ = -1;
    bool leftPressed_ = false;
    bool rightPressed_ = false;
};

} // namespace controls
