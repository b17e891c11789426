// The clipboard of the windowing platform: one process-wide set of data blocks, one per
// format. Names, argument order and documented behaviour follow the platform's own API: the
// clipboard must be opened before it is read or changed, and data handed over with
// SetClipboardData belongs to the clipboard from then on.
#pragma once

#include "win/wintypes.h"

#include <optional>
#include <string>
#include <string_view>

// Standard formats. Text formats hold terminated text: CF_TEXT 8-bit (UTF-8 here),
// CF_UNICODETEXT wchar_t; each is offered in place of the other when only one was set.
constexpr UINT CF_TEXT = 1;
constexpr UINT CF_BITMAP = 2;
constexpr UINT CF_OEMTEXT = 7;
constexpr UINT CF_DIB = 8;
constexpr UINT CF_UNICODETEXT = 13;
constexpr UINT CF_HDROP = 15;
constexpr UINT CF_LOCALE = 16;

// Fails when another window holds the clipboard open.
BOOL OpenClipboard(HWND owner);
// Fails (ERROR_CLIPBOARD_NOT_OPEN) when the clipboard is not open.
BOOL CloseClipboard();
// Frees every block and makes the opening window the owner. Needs the clipboard open.
BOOL EmptyClipboard();
// Takes ownership of a global memory block (a null block announces the format without data).
// Returns the block, or null when the clipboard is not open or the handle is no live block
// (the caller keeps it then).
HANDLE SetClipboardData(UINT format, HANDLE data);
// The clipboard's own block (do not free it); null when the clipboard is not open or the format
// is absent.
HANDLE GetClipboardData(UINT format);
// Works without opening the clipboard.
BOOL IsClipboardFormatAvailable(UINT format);
// The format after `format` (0 starts), 0 after the last. Needs the clipboard open.
UINT EnumClipboardFormats(UINT format);
int CountClipboardFormats();
// Registered formats get ids from 0xC000 on; the same name (without regard to case) gives the
// same id. 0 for an empty name.
UINT RegisterClipboardFormat(LPCWSTR name);
// Copies a registered format's name; the number of characters copied, 0 for other formats.
int GetClipboardFormatName(UINT format, LPWSTR name, int maxCount);
HWND GetClipboardOwner();
HWND GetOpenClipboardWindow();

namespace winx {

// Puts text on the clipboard as CF_UNICODETEXT, as an application would (open, empty, set,
// close). False when the clipboard is held open.
bool setClipboardText(std::wstring_view text);
// The CF_UNICODETEXT (or converted CF_TEXT) content; empty optional when there is none or the
// clipboard is held open.
std::optional<std::wstring> clipboardText();
// Closes and empties the clipboard (tests). Registered formats stay.
void resetClipboard();

} // namespace winx
