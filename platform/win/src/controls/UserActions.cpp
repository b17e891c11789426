// User actions: the mouse and keyboard messages a user's action produces, sent to the control.
#include "win/winx_user.h"

#include "ControlBase.h"
#include "ListView.h"
#include "win/commctrl.h"
#include "win/winctrl.h"
#include "win/winuser.h"

#include <string>

namespace winx {

namespace {

using controls::equalsNoCase;
using controls::pointLParam;

enum class Kind { Static, Button, Edit, ComboBox, ListBox, Tab, ListView, Other };

Kind kindOf(HWND control) {
    wchar_t name[64] = {};
    GetClassName(control, name, 64);
    static const struct {
        const wchar_t* name;
        Kind kind;
    } kKinds[] = {{L"Static", Kind::Static},    {L"Button", Kind::Button},
                  {L"Edit", Kind::Edit},        {L"ComboBox", Kind::ComboBox},
                  {L"ListBox", Kind::ListBox},  {WC_TABCONTROL, Kind::Tab},
                  {WC_LISTVIEW, Kind::ListView}};
    for (const auto& known : kKinds) {
        if (equalsNoCase(name, known.name)) return known.kind;
    }
    return Kind::Other;
}

DWORD styleOf(HWND control) {
    return static_cast<DWORD>(GetWindowLongPtr(control, GWL_STYLE));
}

// A user reaches a control that exists, shows and takes input, as does every parent up to its
// top-level window.
bool usable(HWND control) {
    if (!control || !IsWindow(control) || !IsWindowVisible(control)) return false;
    for (HWND window = control; window; window = GetAncestor(window, GA_PARENT)) {
        if (!IsWindowEnabled(window)) return false;
        if (!(styleOf(window) & WS_CHILD)) break;
    }
    return true;
}

bool focus(HWND control) {
    SetFocus(control);
    return usable(control);
}

LRESULT send(HWND control, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessage(control, msg, wParam, lParam);
}

POINT middleOf(const RECT& rect) {
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

POINT clientMiddle(HWND control) {
    RECT client;
    GetClientRect(control, &client);
    return middleOf(client);
}

void click(HWND control, POINT at) {
    send(control, WM_LBUTTONDOWN, controls::kMouseLeft, pointLParam(at));
    if (IsWindow(control)) send(control, WM_LBUTTONUP, 0, pointLParam(at));
}

void doubleClick(HWND control, POINT at) {
    click(control, at);
    if (!IsWindow(control)) return;
    send(control, WM_LBUTTONDBLCLK, controls::kMouseLeft, pointLParam(at));
    if (IsWindow(control)) send(control, WM_LBUTTONUP, 0, pointLParam(at));
}

bool isGroupBox(HWND button) {
    return (styleOf(button) & BS_TYPEMASK) == BS_GROUPBOX;
}

bool editable(HWND control, Kind kind) {
    if (kind == Kind::Edit) return !(styleOf(control) & ES_READONLY);
    return kind == Kind::ComboBox && (styleOf(control) & CBS_DROPDOWNLIST) != CBS_DROPDOWNLIST;
}

int entryCount(HWND control, Kind kind) {
    switch (kind) {
    case Kind::ComboBox:
        return static_cast<int>(send(control, CB_GETCOUNT));
    case Kind::ListBox:
        return static_cast<int>(send(control, LB_GETCOUNT));
    case Kind::Tab:
        return static_cast<int>(send(control, TCM_GETITEMCOUNT));
    case Kind::ListView:
        return static_cast<int>(send(control, LVM_GETITEMCOUNT));
    default:
        return 0;
    }
}

// Scrolls a list box entry into view as a user would and returns a point on it.
POINT listBoxEntryPoint(HWND list, int index) {
    RECT client;
    GetClientRect(list, &client);
    RECT entry;
    send(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&entry));
    if (entry.top < client.top || entry.bottom > client.bottom) {
        send(list, LB_SETTOPINDEX, static_cast<WPARAM>(index));
        send(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&entry));
    }
    return POINT{entry.left + 2, (entry.top + entry.bottom) / 2};
}

POINT listViewItemPoint(HWND list, int index) {
    send(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
    RECT label;
    label.left = LVIR_LABEL;
    send(list, LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&label));
    return POINT{label.left + 2, (label.top + label.bottom) / 2};
}

POINT tabPoint(HWND tab, int index) {
    RECT rect;
    send(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    return middleOf(rect);
}

int currentEntry(HWND control, Kind kind) {
    switch (kind) {
    case Kind::ListBox:
        return static_cast<int>(send(control, LB_GETCURSEL));
    case Kind::ListView: {
        const auto focused =
            static_cast<int>(send(control, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
        return focused >= 0 ? focused
                            : static_cast<int>(send(control, LVM_GETNEXTITEM,
                                                    static_cast<WPARAM>(-1), LVNI_SELECTED));
    }
    case Kind::ComboBox:
        return static_cast<int>(send(control, CB_GETCURSEL));
    default:
        return -1;
    }
}

int findEntry(HWND control, Kind kind, const std::wstring& text) {
    const auto textParam = reinterpret_cast<LPARAM>(text.c_str());
    const auto fromTop = static_cast<WPARAM>(-1);
    switch (kind) {
    case Kind::ComboBox:
        return static_cast<int>(send(control, CB_FINDSTRINGEXACT, fromTop, textParam));
    case Kind::ListBox:
        return static_cast<int>(send(control, LB_FINDSTRINGEXACT, fromTop, textParam));
    case Kind::ListView: {
        LVFINDINFOW find;
        find.flags = LVFI_STRING;
        find.psz = text.c_str();
        return static_cast<int>(
            send(control, LVM_FINDITEM, fromTop, reinterpret_cast<LPARAM>(&find)));
    }
    case Kind::Tab:
        for (int i = 0; i < entryCount(control, kind); ++i) {
            wchar_t buffer[512] = {};
            TCITEMW item;
            item.mask = TCIF_TEXT;
            item.pszText = buffer;
            item.cchTextMax = 512;
            send(control, TCM_GETITEM, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
            if (equalsNoCase(buffer, text)) return i;
        }
        return -1;
    default:
        return -1;
    }
}

void typeCharacters(HWND control, std::wstring_view text) {
    for (std::size_t i = 0; i < text.size() && IsWindow(control); ++i) {
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;
        const wchar_t c = text[i] == L'\n' ? L'\r' : text[i];
        send(control, WM_CHAR, static_cast<WPARAM>(c), 1);
    }
}

bool pickable(HWND control, int check, UINT state) {
    const DWORD type = styleOf(control) & BS_TYPEMASK;
    const bool threeState = type == BS_3STATE || type == BS_AUTO3STATE;
    const bool radio = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
    const bool checkable = threeState || radio || type == BS_CHECKBOX || type == BS_AUTOCHECKBOX;
    if (!checkable || state > BST_INDETERMINATE) return false;
    if (state == BST_INDETERMINATE && !threeState) return false;
    return !(radio && state == BST_UNCHECKED && check != BST_UNCHECKED);
}

} // namespace

bool userClick(HWND control) {
    if (!usable(control)) return false;
    const Kind kind = kindOf(control);
    if (kind == Kind::Static) {
        if (!(styleOf(control) & SS_NOTIFY)) return false;
    } else {
        if (kind == Kind::Button && isGroupBox(control)) return false;
        if (!focus(control)) return false;
    }
    click(control, clientMiddle(control));
    return true;
}

bool userDoubleClick(HWND control, int index) {
    if (!usable(control)) return false;
    const Kind kind = kindOf(control);
    if (kind == Kind::Button || kind == Kind::Static) {
        if (kind == Kind::Button ? isGroupBox(control) : !(styleOf(control) & SS_NOTIFY)) {
            return false;
        }
        if (kind == Kind::Button && !focus(control)) return false;
        doubleClick(control, clientMiddle(control));
        return true;
    }
    const bool simpleCombo =
        kind == Kind::ComboBox && (styleOf(control) & CBS_DROPDOWNLIST) == CBS_SIMPLE;
    if (kind != Kind::ListBox && kind != Kind::ListView && !simpleCombo) return false;
    if (index < 0) index = currentEntry(control, kind);
    if (index < 0 || index >= entryCount(control, kind) || !focus(control)) return false;
    if (simpleCombo) {
        return send(control, controls::userPickMessage(),
                    static_cast<WPARAM>(controls::UserPick::DoubleClick), index) != 0;
    }
    doubleClick(control, kind == Kind::ListBox ? listBoxEntryPoint(control, index)
                                               : listViewItemPoint(control, index));
    return true;
}

bool userType(HWND control, std::wstring_view text) {
    if (!usable(control) || !editable(control, kindOf(control)) || !focus(control)) return false;
    typeCharacters(control, text);
    return true;
}

bool userSetText(HWND control, std::wstring_view text) {
    const Kind kind = kindOf(control);
    if (!usable(control) || !editable(control, kind) || !focus(control)) return false;
    if (kind == Kind::Edit) {
        send(control, EM_SETSEL, 0, -1);
    } else {
        send(control, CB_SETEDITSEL, 0, MAKELPARAM(0, 0xFFFF));
    }
    if (text.empty()) {
        send(control, WM_KEYDOWN, VK_DELETE, 1);
        if (IsWindow(control)) send(control, WM_KEYUP, VK_DELETE, 1);
    } else {
        typeCharacters(control, text);
    }
    return true;
}

bool userChoose(HWND control, int index) {
    if (!usable(control)) return false;
    const Kind kind = kindOf(control);
    if (index < 0 || index >= entryCount(control, kind) || !focus(control)) return false;
    switch (kind) {
    case Kind::ComboBox:
        return send(control, controls::userPickMessage(),
                    static_cast<WPARAM>(controls::UserPick::Choose), index) != 0;
    case Kind::ListBox:
        if ((styleOf(control) & LBS_MULTIPLESEL) &&
            send(control, LB_GETSEL, static_cast<WPARAM>(index)) > 0) {
            return true; // another click would deselect it
        }
        click(control, listBoxEntryPoint(control, index));
        return true;
    case Kind::Tab:
        click(control, tabPoint(control, index));
        return true;
    default: // Kind::ListView
        click(control, listViewItemPoint(control, index));
        return true;
    }
}

bool userChoose(HWND control, std::wstring_view exactText) {
    if (!usable(control)) return false;
    const int index = findEntry(control, kindOf(control), std::wstring(exactText));
    return index >= 0 && userChoose(control, index);
}

bool userCheck(HWND control, int state) {
    if (!usable(control) || kindOf(control) != Kind::Button) return false;
    const auto check = static_cast<int>(send(control, BM_GETCHECK));
    if (state < 0 || !pickable(control, check, static_cast<UINT>(state))) return false;
    if (check == state) return true;
    if (!focus(control)) return false;
    for (int attempt = 0; attempt < 3; ++attempt) {
        click(control, clientMiddle(control));
        if (!IsWindow(control)) return false;
        if (send(control, BM_GETCHECK) == state) return true;
    }
    return false;
}

bool userClickColumn(HWND listView, int column) {
    if (!usable(listView) || kindOf(listView) != Kind::ListView || column < 0) return false;
    const DWORD style = styleOf(listView);
    if ((style & LVS_TYPEMASK) != LVS_REPORT || (style & LVS_NOCOLUMNHEADER)) return false;
    LVCOLUMNW info;
    info.mask = LVCF_WIDTH;
    if (!send(listView, LVM_GETCOLUMN, static_cast<WPARAM>(column),
              reinterpret_cast<LPARAM>(&info)) ||
        info.cx <= 0 || !focus(listView)) {
        return false;
    }
    LONG left = 0;
    for (int i = 0; i < column; ++i) {
        left += static_cast<LONG>(send(listView, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i)));
    }
    click(listView, POINT{left + info.cx / 2, controls::ListView::kHeaderHeight / 2});
    return true;
}

} // namespace winx
