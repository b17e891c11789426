#include "EditSupport.h"

#include "win/winuser.h"

#include <algorithm>
#include <cstring>
#include <cwctype>

#if __has_include("win/winclip.h") && __has_include("win/winbase.h")
#include "win/winbase.h"
#include "win/winclip.h"
#define TRK_CONTROLS_HAVE_CLIPBOARD 1
#endif

namespace controls {

std::wstring prepareInsert(std::wstring_view text, bool singleLine, bool upper, bool lower) {
    if (singleLine) text = text.substr(0, std::min(text.find(L'\r'), text.find(L'\n')));
    std::wstring result(text);
    if (upper || lower) {
        for (wchar_t& c : result) {
            const auto wide = static_cast<wint_t>(c);
            c = static_cast<wchar_t>(upper ? std::towupper(wide) : std::towlower(wide));
        }
    }
    return result;
}

namespace {

std::size_t verticalStep(const TextBuffer& buffer, int lineDelta) {
    const std::size_t caret = buffer.caret();
    const int line = buffer.lineFromChar(caret);
    const int target = line + lineDelta;
    if (target < 0) return 0;
    if (target >= buffer.lineCount()) return buffer.size();
    const std::size_t column = caret - buffer.lineStart(line);
    const std::size_t start = buffer.lineStart(target);
    return std::min(start + column, buffer.lineEnd(target));
}

std::size_t horizontalStep(const TextBuffer& buffer, bool right, bool shift) {
    if (buffer.hasSelection() && !shift) {
        return right ? buffer.selectionEnd() : buffer.selectionStart();
    }
    return right ? buffer.stepRight(buffer.caret()) : buffer.stepLeft(buffer.caret());
}

std::size_t homeOrEnd(const TextBuffer& buffer, bool end, bool control, bool multiLine) {
    if (control || !multiLine) return end ? buffer.size() : 0;
    const int line = buffer.lineFromChar(buffer.caret());
    return end ? buffer.lineEnd(line) : buffer.lineStart(line);
}

} // namespace

KeyResult applyEditKey(TextBuffer& buffer, int key, bool shift, bool control, bool multiLine,
                       bool readOnly) {
    KeyResult result;
    result.handled = true;
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
        buffer.moveCaret(horizontalStep(buffer, key == VK_RIGHT, shift), shift);
        break;
    case VK_UP:
    case VK_DOWN:
        if (!multiLine) {
            buffer.moveCaret(horizontalStep(buffer, key == VK_DOWN, shift), shift);
        } else {
            buffer.moveCaret(verticalStep(buffer, key == VK_DOWN ? 1 : -1), shift);
        }
        break;
    case VK_HOME:
    case VK_END:
        buffer.moveCaret(homeOrEnd(buffer, key == VK_END, control, multiLine), shift);
        break;
    case VK_DELETE:
        result.changed = !readOnly && buffer.eraseForward();
        break;
    default:
        result.handled = false;
    }
    return result;
}

#ifdef TRK_CONTROLS_HAVE_CLIPBOARD

bool putClipboardText(HWND owner, std::wstring_view text) {
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    bool stored = false;
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* data = GlobalLock(block)) {
            std::memcpy(data, text.data(), text.size() * sizeof(wchar_t));
            static_cast<wchar_t*>(data)[text.size()] = L'\0';
            GlobalUnlock(block);
            stored = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
        }
        if (!stored) GlobalFree(block);
    }
    CloseClipboard();
    return stored;
}

std::optional<std::wstring> clipboardTextFor(HWND owner) {
    if (!OpenClipboard(owner)) return std::nullopt;
    std::optional<std::wstring> text;
    if (HANDLE block = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* data = static_cast<const wchar_t*>(GlobalLock(block))) {
            const std::size_t capacity = GlobalSize(block) / sizeof(wchar_t);
            text.emplace(data, std::find(data, data + capacity, L'\0'));
            GlobalUnlock(block);
        }
    }
    CloseClipboard();
    return text;
}

#else

bool putClipboardText(HWND, std::wstring_view) {
    return false;
}
std::optional<std::wstring> clipboardTextFor(HWND) {
    return std::nullopt;
}

#endif

} // namespace controls
