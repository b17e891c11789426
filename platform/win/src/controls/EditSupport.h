// Pieces shared by the edit field and the edit part of combo boxes: text preparation, the
// navigation and Delete keys, and the clipboard.
#pragma once

#include "TextBuffer.h"
#include "win/wintypes.h"

#include <optional>
#include <string>
#include <string_view>

namespace controls {

// Text as the field stores it: cut at the first line break in a single-line field, converted to
// upper or lower case when the field's style asks for it.
std::wstring prepareInsert(std::wstring_view text, bool singleLine, bool upper, bool lower);

struct KeyResult {
    bool handled = false;
    bool changed = false; // the text changed (Delete)
};
// Left, Right, Up, Down, Home, End (Shift extends, Ctrl moves to the text's ends) and Delete
// (refused when read-only).
KeyResult applyEditKey(TextBuffer& buffer, int key, bool shift, bool control, bool multiLine,
                       bool readOnly);

// CF_UNICODETEXT on the clipboard, owned by owner. False when the clipboard is busy.
bool putClipboardText(HWND owner, std::wstring_view text);
std::optional<std::wstring> clipboardTextFor(HWND owner);

} // namespace controls
