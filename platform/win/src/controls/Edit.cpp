// The EDIT class: single-line and multi-line text fields.
#include "ControlBase.h"
#include "ControlClasses.h"
#include "EditSupport.h"
#include "TextBuffer.h"
#include "win/winctrl.h"

#include <algorithm>
#include <cstring>
#include <cwctype>

namespace controls {

namespace {

constexpr UINT kUndoMessage = 0x0304; // WM_UNDO
constexpr wchar_t kDefaultPasswordChar = L'*';

class Edit final : public Control {
public:
    explicit Edit(HWND hwnd) : Control(hwnd) {}
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    bool multiLine() const { return hasStyle(ES_MULTILINE); }
    bool readOnly() const { return hasStyle(ES_READONLY); }
    std::wstring prepare(std::wstring_view text) const {
        return prepareInsert(text, !multiLine(), hasStyle(ES_UPPERCASE), hasStyle(ES_LOWERCASE));
    }

    LRESULT onCreate(LPARAM lParam);
    LRESULT onSetText(LPARAM lParam);
    LRESULT onChar(WPARAM code);
    LRESULT onKeyDown(int key);
    LRESULT onSelectionMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT onLineMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT onLimitMessage(UINT msg, WPARAM wParam);
    LRESULT onUndoMessage(UINT msg);
    LRESULT onClipboardMessage(UINT msg);
    LRESULT onPasswordMessage(UINT msg, WPARAM wParam);
    LRESULT dialogCode(LPARAM lParam) const;

    void typeText(std::wstring_view text);
    void replaceSelection(std::wstring_view text, bool undoable);
    void textChanged();
    int unselectedOnSelectionLines() const;

    TextBuffer buffer_;
    wchar_t passwordChar_ = kDefaultPasswordChar;
};

LRESULT Edit::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NCCREATE:
        return onCreate(lParam);
    case WM_SETTEXT:
        return onSetText(lParam);
    case WM_GETTEXT:
        return copyText(buffer_.text(), pointerParam<wchar_t>(lParam),
                        static_cast<std::ptrdiff_t>(wParam));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(buffer_.size());
    case WM_CHAR:
        return onChar(wParam);
    case WM_KEYDOWN:
        return onKeyDown(static_cast<int>(wParam));
    case WM_SETFOCUS:
        notifyCommand(EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        notifyCommand(EN_KILLFOCUS);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(hwnd());
        return 0;
    case WM_GETDLGCODE:
        return dialogCode(lParam);
    case WM_SETFONT:
    case WM_GETFONT:
        return handleFont(msg, wParam, lParam);
    case EM_GETSEL:
    case EM_SETSEL:
    case EM_REPLACESEL:
    case EM_SCROLLCARET:
        return onSelectionMessage(msg, wParam, lParam);
    case EM_GETLINECOUNT:
    case EM_LINEINDEX:
    case EM_LINELENGTH:
    case EM_LINEFROMCHAR:
    case EM_GETLINE:
    case EM_GETFIRSTVISIBLELINE:
        return onLineMessage(msg, wParam, lParam);
    case EM_LIMITTEXT:
    case EM_GETLIMITTEXT:
        return onLimitMessage(msg, wParam);
    case EM_GETMODIFY:
        return buffer_.modified() ? TRUE : FALSE;
    case EM_SETMODIFY:
        buffer_.setModified(wParam != 0);
        return 0;
    case EM_CANUNDO:
    case EM_UNDO:
    case kUndoMessage:
    case EM_EMPTYUNDOBUFFER:
        return onUndoMessage(msg);
    case EM_SETREADONLY:
        setStyle(wParam ? style() | ES_READONLY : style() & ~ES_READONLY);
        return TRUE;
    case EM_SETPASSWORDCHAR:
    case EM_GETPASSWORDCHAR:
        return onPasswordMessage(msg, wParam);
    case WM_COPY:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
        return onClipboardMessage(msg);
    default:
        return defaultProc(msg, wParam, lParam);
    }
}

LRESULT Edit::onCreate(LPARAM lParam) {
    const LRESULT result = defaultProc(WM_NCCREATE, 0, lParam);
    const auto* create = pointerParam<const CREATESTRUCTW>(lParam);
    if (create && create->lpszName && !IS_INTRESOURCE(create->lpszName)) {
        buffer_.setText(prepare(create->lpszName));
    }
    if (multiLine()) buffer_.setLimit(TextBuffer::kMaximumLimit);
    syncWindowText(buffer_.text());
    return result;
}

LRESULT Edit::onSetText(LPARAM lParam) {
    markChanged();
    buffer_.setText(prepare(textParam(lParam)));
    syncWindowText(buffer_.text());
    // Multi-line fields do not report text set by WM_SETTEXT.
    if (!multiLine()) {
        notifyCommand(EN_UPDATE);
        notifyCommand(EN_CHANGE);
    }
    return TRUE;
}

void Edit::textChanged() {
    syncWindowText(buffer_.text());
    notifyCommand(EN_UPDATE);
    notifyCommand(EN_CHANGE);
}

void Edit::typeText(std::wstring_view text) {
    const auto change = buffer_.replaceSelection(prepare(text), true, TextBuffer::UndoStep::Typing);
    if (change.truncated) notifyCommand(EN_MAXTEXT);
    if (change.changed && alive()) textChanged();
}

void Edit::replaceSelection(std::wstring_view text, bool undoable) {
    const auto step = undoable ? TextBuffer::UndoStep::Separate : TextBuffer::UndoStep::None;
    const auto change = buffer_.replaceSelection(prepare(text), true, step);
    if (change.truncated) notifyCommand(EN_MAXTEXT);
    if (change.changed && alive()) textChanged();
}

LRESULT Edit::onChar(WPARAM code) {
    markChanged();
    const auto c = static_cast<wchar_t>(code);
    switch (c) {
    case 0x01: // Ctrl+A
        buffer_.selectAll();
        return 0;
    case 0x03: // Ctrl+C
        return onClipboardMessage(WM_COPY);
    case 0x16: // Ctrl+V
        return onClipboardMessage(WM_PASTE);
    case 0x18: // Ctrl+X
        return onClipboardMessage(WM_CUT);
    case 0x1A: // Ctrl+Z
        return onUndoMessage(EM_UNDO);
    default:
        break;
    }
    if (readOnly()) return 0;
    if (c == VK_BACK) {
        if (buffer_.eraseBackward()) textChanged();
    } else if (c == L'\r') {
        if (multiLine() && hasStyle(ES_WANTRETURN)) typeText(L"\r\n");
    } else if (c == L'\t') {
        if (multiLine()) typeText(L"\t");
    } else if (c >= 0x20 && !(hasStyle(ES_NUMBER) && !std::iswdigit(static_cast<wint_t>(c)))) {
        typeText(std::wstring_view(&c, 1));
    }
    return 0;
}

LRESULT Edit::onKeyDown(int key) {
    markChanged();
    const bool shift = keyHeld(VK_SHIFT);
    const bool control = keyHeld(VK_CONTROL);
    if (key == VK_DELETE && shift) return onClipboardMessage(WM_CUT);
    if (key == VK_INSERT && control) return onClipboardMessage(WM_COPY);
    if (key == VK_INSERT && shift) return onClipboardMessage(WM_PASTE);
    const KeyResult result = applyEditKey(buffer_, key, shift, control, multiLine(), readOnly());
    if (result.changed) textChanged();
    return result.handled ? 0 : defaultProc(WM_KEYDOWN, static_cast<WPARAM>(key), 0);
}

LRESULT Edit::onSelectionMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == EM_SETSEL) {
        markChanged();
        buffer_.setSelection(static_cast<int>(wParam), static_cast<int>(lParam));
        return TRUE;
    }
    if (msg == EM_REPLACESEL) {
        markChanged();
        replaceSelection(textParam(lParam), wParam != 0);
        return 0;
    }
    if (msg == EM_SCROLLCARET) return TRUE;
    const auto start = static_cast<DWORD>(buffer_.selectionStart());
    const auto end = static_cast<DWORD>(buffer_.selectionEnd());
    if (auto* out = pointerParam<DWORD>(static_cast<LPARAM>(wParam))) *out = start;
    if (auto* out = pointerParam<DWORD>(lParam)) *out = end;
    if (start > 0xFFFF || end > 0xFFFF) return -1;
    return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(start), static_cast<WORD>(end)));
}

int Edit::unselectedOnSelectionLines() const {
    const std::size_t start = buffer_.selectionStart();
    const std::size_t end = buffer_.selectionEnd();
    const std::size_t lineStart = buffer_.lineStart(buffer_.lineFromChar(start));
    const std::size_t lineEnd = buffer_.lineEnd(buffer_.lineFromChar(end));
    return static_cast<int>((start - lineStart) + (lineEnd - end));
}

LRESULT Edit::onLineMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto index = static_cast<long long>(static_cast<INT_PTR>(wParam));
    const int caretLine = buffer_.lineFromChar(buffer_.caret());
    switch (msg) {
    case EM_GETLINECOUNT:
        return buffer_.lineCount();
    case EM_LINEINDEX: {
        const std::size_t start =
            buffer_.lineStart(index < 0 ? caretLine : static_cast<int>(index));
        return start == std::wstring::npos ? -1 : static_cast<LRESULT>(start);
    }
    case EM_LINEFROMCHAR:
        return index < 0 ? buffer_.lineFromChar(buffer_.selectionStart())
                         : buffer_.lineFromChar(static_cast<std::size_t>(index));
    case EM_LINELENGTH:
        if (index < 0) return unselectedOnSelectionLines();
        return static_cast<LRESULT>(
            buffer_.lineText(buffer_.lineFromChar(static_cast<std::size_t>(index))).size());
    case EM_GETLINE: {
        auto* buffer = pointerParam<wchar_t>(lParam);
        if (!buffer) return 0;
        WORD capacity = 0;
        std::memcpy(&capacity, buffer, sizeof capacity);
        const int line = multiLine() ? static_cast<int>(index) : 0;
        const std::wstring_view text = buffer_.lineText(line);
        const std::size_t count = std::min<std::size_t>(text.size(), capacity);
        std::copy_n(text.data(), count, buffer);
        return static_cast<LRESULT>(count);
    }
    default: // EM_GETFIRSTVISIBLELINE: nothing scrolls here
        return 0;
    }
}

LRESULT Edit::onLimitMessage(UINT msg, WPARAM wParam) {
    if (msg == EM_GETLIMITTEXT) return static_cast<LRESULT>(buffer_.limit());
    const std::size_t limit = wParam == 0 ? TextBuffer::kMaximumLimit : wParam;
    buffer_.setLimit(std::min<std::size_t>(limit, TextBuffer::kMaximumLimit));
    return 0;
}

LRESULT Edit::onUndoMessage(UINT msg) {
    if (msg == EM_CANUNDO) return buffer_.canUndo() ? TRUE : FALSE;
    if (msg == EM_EMPTYUNDOBUFFER) {
        buffer_.emptyUndo();
        return 0;
    }
    if (readOnly() || !buffer_.undo()) return FALSE;
    markChanged();
    textChanged();
    return TRUE;
}

LRESULT Edit::onClipboardMessage(UINT msg) {
    markChanged();
    const bool password = hasStyle(ES_PASSWORD);
    if ((msg == WM_COPY || msg == WM_CUT) && buffer_.hasSelection() && !password) {
        putClipboardText(hwnd(), buffer_.selectedText());
    }
    if (readOnly() || msg == WM_COPY || (msg == WM_CUT && password)) return 0;
    if (msg == WM_PASTE) {
        if (auto text = clipboardTextFor(hwnd())) {
            typeText(*text);
        }
        return 0;
    }
    if (buffer_.hasSelection() && buffer_.eraseBackward()) textChanged();
    return 0;
}

LRESULT Edit::onPasswordMessage(UINT msg, WPARAM wParam) {
    if (msg == EM_GETPASSWORDCHAR) return hasStyle(ES_PASSWORD) ? passwordChar_ : 0;
    passwordChar_ = static_cast<wchar_t>(wParam);
    setStyle(passwordChar_ ? style() | ES_PASSWORD : style() & ~ES_PASSWORD);
    return 0;
}

// A multi-line field takes every key except those that belong to the dialog: Tab, Escape, and
// Enter unless the field wants it.
LRESULT Edit::dialogCode(LPARAM lParam) const {
    const LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    if (!multiLine()) return code;
    const auto* message = pointerParam<const MSG>(lParam);
    if (message && (message->message == WM_KEYDOWN || message->message == WM_CHAR)) {
        const WPARAM key = message->wParam;
        const bool forDialog =
            key == VK_TAB || key == VK_ESCAPE || (key == VK_RETURN && !hasStyle(ES_WANTRETURN));
        if (forDialog) return code;
    }
    return code | DLGC_WANTALLKEYS;
}

Control* createEdit(HWND hwnd) {
    return new Edit(hwnd);
}

} // namespace

LRESULT editProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return dispatchToControl(hwnd, msg, wParam, lParam, &createEdit);
}

} // namespace controls
