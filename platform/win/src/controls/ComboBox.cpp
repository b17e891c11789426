// The COMBOBOX class: a list with a selection field that is an edit (CBS_SIMPLE, CBS_DROPDOWN)
// or the selected entry's text (CBS_DROPDOWNLIST). The list and the edit are part of the
// control here rather than child windows of their own.
#include "ControlBase.h"
#include "ControlClasses.h"
#include "EditSupport.h"
#include "ItemList.h"
#include "TextBuffer.h"
#include "win/winctrl.h"

#include <algorithm>

namespace controls {

namespace {

constexpr DWORD kKindMask = 0x0003;
constexpr int kDefaultItemHeight = 16;
constexpr int kDefaultFieldHeight = 20;
constexpr int kMaxItemHeight = 255;

class ComboBox final : public Control {
public:
    explicit ComboBox(HWND hwnd) : Control(hwnd) { edit_.setLimit(TextBuffer::kMaximumLimit); }
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    DWORD kind() const { return style() & kKindMask; }
    bool editable() const { return kind() != CBS_DROPDOWNLIST; }
    bool simple() const { return kind() == CBS_SIMPLE; }
    bool holdsStrings() const;
    std::wstring shownText() const;

    LRESULT onItemMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT onAdd(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT onDelete(WPARAM index);
    LRESULT onSelectionMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT onListMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT onEditMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT onCreate(LPARAM lParam);
    LRESULT onSetText(LPARAM lParam);
    LRESULT onChar(wchar_t c);
    LRESULT onKeyDown(int key);
    LRESULT onFocus(bool gained);
    LRESULT onUserPick(WPARAM kind, LPARAM index);
    LRESULT droppedRect(LPARAM lParam) const;
    LRESULT dialogCode(LPARAM lParam) const;

    // Selects without notifying; the field shows the entry (or is cleared for -1).
    void select(int index);
    void userSelect(int index);
    void dropDown();
    void closeUp(bool accept);
    void editChanged();

    ItemList items_;
    int current_ = -1;
    int top_ = 0;
    bool dropped_ = false;
    TextBuffer edit_;
    int droppedWidth_ = 0;
    int itemHeight_ = kDefaultItemHeight;
    int fieldHeight_ = kDefaultFieldHeight;
};

LRESULT ComboBox::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == userPickMessage()) return onUserPick(wParam, lParam);
    switch (msg) {
    case CB_ADDSTRING:
    case CB_INSERTSTRING:
    case CB_DELETESTRING:
    case CB_RESETCONTENT:
    case CB_GETCOUNT:
    case CB_GETLBTEXT:
    case CB_GETLBTEXTLEN:
    case CB_GETITEMDATA:
    case CB_SETITEMDATA:
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT:
        return onItemMessage(msg, wParam, lParam);
    case CB_GETCURSEL:
    case CB_SETCURSEL:
    case CB_SELECTSTRING:
        return onSelectionMessage(msg, wParam, lParam);
    case CB_SHOWDROPDOWN:
    case CB_GETDROPPEDSTATE:
    case CB_GETDROPPEDWIDTH:
    case CB_SETDROPPEDWIDTH:
    case CB_GETDROPPEDCONTROLRECT:
    case CB_GETITEMHEIGHT:
    case CB_SETITEMHEIGHT:
    case CB_GETTOPINDEX:
    case CB_SETTOPINDEX:
        return onListMessage(msg, wParam, lParam);
    case CB_LIMITTEXT:
    case CB_GETEDITSEL:
    case CB_SETEDITSEL:
        return onEditMessage(msg, wParam, lParam);
    case WM_NCCREATE:
        return onCreate(lParam);
    case WM_SETTEXT:
        return onSetText(lParam);
    case WM_GETTEXT:
        return copyText(shownText(), pointerParam<wchar_t>(lParam),
                        static_cast<std::ptrdiff_t>(wParam));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(shownText().size());
    case WM_CHAR:
        return onChar(static_cast<wchar_t>(wParam));
    case WM_KEYDOWN:
        return onKeyDown(static_cast<int>(wParam));
    case WM_LBUTTONDOWN:
        SetFocus(hwnd());
        if (alive() && !simple()) dropped_ ? closeUp(false) : dropDown();
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return onFocus(msg == WM_SETFOCUS);
    case WM_GETDLGCODE:
        return dialogCode(lParam);
    case WM_SETFONT:
    case WM_GETFONT:
        return handleFont(msg, wParam, lParam);
    default:
        return defaultProc(msg, wParam, lParam);
    }
}

bool ComboBox::holdsStrings() const {
    return hasStyle(CBS_HASSTRINGS) ||
           (style() & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) == 0;
}

std::wstring ComboBox::shownText() const {
    if (editable()) return edit_.text();
    return items_.valid(current_) ? items_.at(current_).text : std::wstring();
}

LRESULT ComboBox::onItemMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto index = static_cast<long long>(static_cast<INT_PTR>(wParam));
    switch (msg) {
    case CB_ADDSTRING:
    case CB_INSERTSTRING:
        return onAdd(msg, wParam, lParam);
    case CB_DELETESTRING:
        return onDelete(wParam);
    case CB_RESETCONTENT:
        markChanged();
        items_.clear();
        current_ = -1;
        top_ = 0;
        edit_.setText({});
        syncWindowText(shownText());
        return CB_OKAY;
    case CB_GETCOUNT:
        return items_.count();
    case CB_GETLBTEXT:
        if (!items_.valid(index) || !lParam) return CB_ERR;
        return copyText(
            items_.at(static_cast<int>(index)).text, pointerParam<wchar_t>(lParam),
            static_cast<std::ptrdiff_t>(items_.at(static_cast<int>(index)).text.size()) + 1);
    case CB_GETLBTEXTLEN:
        return items_.valid(index)
                   ? static_cast<LRESULT>(items_.at(static_cast<int>(index)).text.size())
                   : CB_ERR;
    case CB_GETITEMDATA:
        return items_.valid(index) ? items_.at(static_cast<int>(index)).data : CB_ERR;
    case CB_SETITEMDATA:
        if (!items_.valid(index)) return CB_ERR;
        items_.at(static_cast<int>(index)).data = lParam;
        return TRUE;
    case CB_FINDSTRING:
        return lParam ? items_.findPrefix(index, textParam(lParam)) : CB_ERR;
    default: // CB_FINDSTRINGEXACT
        return lParam ? items_.findExact(index, textParam(lParam)) : CB_ERR;
    }
}

LRESULT ComboBox::onAdd(UINT msg, WPARAM wParam, LPARAM lParam) {
    markChanged();
    ListEntry entry;
    if (holdsStrings()) {
        if (!lParam) return CB_ERR;
        entry.text = textParam(lParam);
    } else {
        entry.data = lParam;
    }
    const int index = msg == CB_ADDSTRING
                          ? items_.add(std::move(entry), hasStyle(CBS_SORT) && holdsStrings())
                          : items_.insert(static_cast<int>(wParam), std::move(entry));
    if (index < 0) return CB_ERR;
    if (current_ >= index) ++current_;
    return index;
}

LRESULT ComboBox::onDelete(WPARAM wParam) {
    markChanged();
    const auto index = static_cast<long long>(static_cast<INT_PTR>(wParam));
    if (!items_.remove(index)) return CB_ERR;
    if (current_ == index) {
        current_ = -1;
        syncWindowText(shownText());
    } else if (current_ > index) {
        --current_;
    }
    top_ = std::min(top_, std::max(0, items_.count() - 1));
    return items_.count();
}

void ComboBox::select(int index) {
    markChanged();
    current_ = items_.valid(index) ? index : -1;
    if (editable()) {
        edit_.setText(current_ >= 0 ? items_.at(current_).text : std::wstring());
        edit_.selectAll();
    }
    syncWindowText(shownText());
}

LRESULT ComboBox::onSelectionMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto index = static_cast<long long>(static_cast<INT_PTR>(wParam));
    if (msg == CB_GETCURSEL) return current_;
    if (msg == CB_SETCURSEL) {
        select(items_.valid(index) ? static_cast<int>(index) : -1);
        return items_.valid(index) ? index : CB_ERR;
    }
    const int found = lParam ? items_.findPrefix(index, textParam(lParam)) : -1;
    if (found < 0) return CB_ERR;
    select(found);
    return found;
}

LRESULT ComboBox::onListMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    RECT window;
    GetWindowRect(hwnd(), &window);
    const int width = window.right - window.left;
    switch (msg) {
    case CB_SHOWDROPDOWN:
        if (wParam) {
            dropDown();
        } else if (dropped_) {
            markChanged();
            dropped_ = false;
            notifyCommand(CBN_CLOSEUP);
        }
        return TRUE;
    case CB_GETDROPPEDSTATE:
        return dropped_ || simple() ? TRUE : FALSE;
    case CB_SETDROPPEDWIDTH:
        if (static_cast<INT_PTR>(wParam) < 0) return CB_ERR;
        droppedWidth_ = static_cast<int>(wParam);
        markChanged();
        return std::max(droppedWidth_, width);
    case CB_GETDROPPEDWIDTH:
        return std::max(droppedWidth_, width);
    case CB_GETDROPPEDCONTROLRECT:
        return droppedRect(lParam);
    case CB_SETITEMHEIGHT: {
        const auto height = static_cast<long long>(lParam);
        if (height <= 0 || height > kMaxItemHeight) return CB_ERR;
        (static_cast<INT_PTR>(wParam) == -1 ? fieldHeight_ : itemHeight_) =
            static_cast<int>(height);
        markChanged();
        return 0;
    }
    case CB_GETITEMHEIGHT:
        return static_cast<INT_PTR>(wParam) == -1 ? fieldHeight_ : itemHeight_;
    case CB_GETTOPINDEX:
        return top_;
    default: // CB_SETTOPINDEX
        if (!items_.valid(static_cast<INT_PTR>(wParam))) return CB_ERR;
        top_ = static_cast<int>(wParam);
        return 0;
    }
}

LRESULT ComboBox::droppedRect(LPARAM lParam) const {
    auto* rect = pointerParam<RECT>(lParam);
    if (!rect) return CB_ERR;
    GetWindowRect(hwnd(), rect);
    const int shown = std::max(1, items_.count());
    rect->right = rect->left + std::max<LONG>(rect->right - rect->left, droppedWidth_);
    rect->bottom = rect->top + fieldHeight_ + shown * itemHeight_;
    return TRUE;
}

// While the list is open, Enter and Escape close it instead of ending the dialog.
LRESULT ComboBox::dialogCode(LPARAM lParam) const {
    const LRESULT code = DLGC_WANTCHARS | DLGC_WANTARROWS | (editable() ? DLGC_HASSETSEL : 0);
    const auto* message = pointerParam<const MSG>(lParam);
    const bool closingKey = message && message->message == WM_KEYDOWN &&
                            (message->wParam == VK_RETURN || message->wParam == VK_ESCAPE);
    return dropped_ && closingKey ? code | DLGC_WANTALLKEYS : code;
}

LRESULT ComboBox::onEditMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!editable()) return CB_ERR;
    if (msg == CB_LIMITTEXT) {
        edit_.setLimit(wParam == 0 ? TextBuffer::kMaximumLimit
                                   : std::min<std::size_t>(wParam, TextBuffer::kMaximumLimit));
        return TRUE;
    }
    if (msg == CB_SETEDITSEL) {
        const auto value = static_cast<DWORD_PTR>(lParam);
        markChanged();
        edit_.setSelection(static_cast<SHORT>(LOWORD(value)), static_cast<SHORT>(HIWORD(value)));
        return TRUE;
    }
    const auto start = static_cast<DWORD>(edit_.selectionStart());
    const auto end = static_cast<DWORD>(edit_.selectionEnd());
    if (auto* out = pointerParam<DWORD>(static_cast<LPARAM>(wParam))) *out = start;
    if (auto* out = pointerParam<DWORD>(lParam)) *out = end;
    return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(start), static_cast<WORD>(end)));
}

LRESULT ComboBox::onCreate(LPARAM lParam) {
    const LRESULT result = defaultProc(WM_NCCREATE, 0, lParam);
    const auto* create = pointerParam<const CREATESTRUCTW>(lParam);
    if (editable() && create && create->lpszName && !IS_INTRESOURCE(create->lpszName)) {
        edit_.setText(create->lpszName);
    }
    syncWindowText(shownText());
    return result;
}

// A drop-down list shows only its entries: the text selects the entry it names.
LRESULT ComboBox::onSetText(LPARAM lParam) {
    markChanged();
    const std::wstring text = textParam(lParam);
    if (!editable()) {
        const int found = items_.findExact(-1, text);
        if (found < 0) return CB_ERR;
        select(found);
        return TRUE;
    }
    edit_.setText(prepareInsert(text, true, hasStyle(CBS_UPPERCASE), hasStyle(CBS_LOWERCASE)));
    syncWindowText(shownText());
    return TRUE;
}

void ComboBox::editChanged() {
    markChanged();
    syncWindowText(shownText());
    notifyCommand(CBN_EDITUPDATE);
    notifyCommand(CBN_EDITCHANGE);
}

void ComboBox::userSelect(int index) {
    if (!items_.valid(index)) return;
    select(index);
    notifyCommand(CBN_SELCHANGE);
}

void ComboBox::dropDown() {
    markChanged();
    if (dropped_ || simple()) return;
    notifyCommand(CBN_DROPDOWN);
    dropped_ = true;
}

void ComboBox::closeUp(bool accept) {
    markChanged();
    if (!dropped_) return;
    dropped_ = false;
    notifyCommand(accept ? CBN_SELENDOK : CBN_SELENDCANCEL);
    notifyCommand(CBN_CLOSEUP);
}

LRESULT ComboBox::onChar(wchar_t c) {
    if (!editable()) {
        if (c >= 0x20) {
            const int found = items_.findPrefix(current_, std::wstring_view(&c, 1));
            if (found >= 0 && found != current_) userSelect(found);
        }
        return 0;
    }
    if (c == VK_BACK) {
        if (edit_.eraseBackward()) editChanged();
        return 0;
    }
    if (c < 0x20) return 0;
    const std::wstring text = prepareInsert(std::wstring_view(&c, 1), true, hasStyle(CBS_UPPERCASE),
                                            hasStyle(CBS_LOWERCASE));
    if (edit_.replaceSelection(text, true, TextBuffer::UndoStep::Typing).changed) editChanged();
    return 0;
}

LRESULT ComboBox::onKeyDown(int key) {
    markChanged();
    const bool alt = keyHeld(VK_MENU);
    if (key == VK_F4 || ((key == VK_DOWN || key == VK_UP) && alt)) {
        dropped_ ? closeUp(true) : dropDown();
        return 0;
    }
    if ((key == VK_RETURN || key == VK_ESCAPE) && dropped_) {
        closeUp(key == VK_RETURN);
        return 0;
    }
    if (key == VK_DOWN || key == VK_UP) {
        const int next = current_ < 0 ? 0 : current_ + (key == VK_DOWN ? 1 : -1);
        if (next != current_) userSelect(next);
        return 0;
    }
    if (!editable() && (key == VK_HOME || key == VK_END)) {
        const int target = key == VK_HOME ? 0 : items_.count() - 1;
        if (target != current_) userSelect(target);
        return 0;
    }
    if (editable()) {
        const KeyResult result =
            applyEditKey(edit_, key, keyHeld(VK_SHIFT), keyHeld(VK_CONTROL), false, false);
        if (result.changed) editChanged();
        if (result.handled) return 0;
    }
    return defaultProc(WM_KEYDOWN, static_cast<WPARAM>(key), 0);
}

LRESULT ComboBox::onFocus(bool gained) {
    if (gained) {
        if (editable()) edit_.selectAll();
        notifyCommand(CBN_SETFOCUS);
        return 0;
    }
    closeUp(false);
    if (alive()) notifyCommand(CBN_KILLFOCUS);
    return 0;
}

LRESULT ComboBox::onUserPick(WPARAM kind, LPARAM index) {
    if (!items_.valid(index)) return FALSE;
    const auto pick = static_cast<UserPick>(kind);
    if (pick == UserPick::DoubleClick && !simple()) return FALSE;
    dropDown();
    if (!alive()) return TRUE;
    userSelect(static_cast<int>(index));
    if (!alive()) return TRUE;
    if (simple()) {
        notifyCommand(CBN_SELENDOK);
        if (pick == UserPick::DoubleClick && alive()) notifyCommand(CBN_DBLCLK);
    } else {
        closeUp(true);
    }
    return TRUE;
}

Control* createComboBox(HWND hwnd) {
    return new ComboBox(hwnd);
}

} // namespace

LRESULT comboBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return dispatchToControl(hwnd, msg, wParam, lParam, &createComboBox);
}

} // namespace controls
