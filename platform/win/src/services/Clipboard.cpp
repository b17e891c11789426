// The process-wide clipboard. Blocks handed over with SetClipboardData are owned here and freed
// when the clipboard is emptied or the format is set again. CF_TEXT (UTF-8) and CF_UNICODETEXT
// are converted into each other on request, as the platform does.
#include "services/CaseFold.h"

#include "win/utf8.h"
#include "win/winbase.h"
#include "win/winclip.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr UINT kFirstRegisteredFormat = 0xC000;
constexpr std::size_t kMaxRegisteredFormats = 0x4000;

struct Entry {
    UINT format = 0;
    HGLOBAL data = nullptr;
    bool converted = false; // made from the other text format on request
};

struct Clipboard {
    bool open = false;
    HWND openedBy = nullptr;
    HWND owner = nullptr;
    std::vector<Entry> entries;
    std::vector<std::wstring> registeredNames;
};

Clipboard& clipboard() {
    static auto* instance = new Clipboard;
    return *instance;
}

bool needsOpen() {
    if (clipboard().open) return true;
    SetLastError(static_cast<DWORD>(ERROR_CLIPBOARD_NOT_OPEN));
    return false;
}

Entry* entryOf(UINT format) {
    auto& entries = clipboard().entries;
    const auto it = std::find_if(entries.begin(), entries.end(),
                                 [format](const Entry& e) { return e.format == format; });
    return it == entries.end() ? nullptr : &*it;
}

void freeEntries(const std::function<bool(const Entry&)>& which) {
    auto& entries = clipboard().entries;
    for (const auto& entry : entries)
        if (which(entry) && entry.data) GlobalFree(entry.data);
    std::erase_if(entries, which);
}

UINT otherTextFormat(UINT format) {
    if (format == CF_TEXT) return CF_UNICODETEXT;
    if (format == CF_UNICODETEXT) return CF_TEXT;
    return 0;
}

// The formats on offer: those set, in the order they were set, then the text format that can be
// made from the other one.
std::vector<UINT> availableFormats() {
    std::vector<UINT> formats;
    for (const auto& entry : clipboard().entries)
        formats.push_back(entry.format);
    for (const UINT text : {CF_UNICODETEXT, CF_TEXT}) {
        const UINT other = otherTextFormat(text);
        if (!entryOf(text) && entryOf(other) && entryOf(other)->data) formats.push_back(text);
    }
    return formats;
}

HGLOBAL blockWith(const void* bytes, std::size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    void* data = block ? GlobalLock(block) : nullptr;
    if (!data) {
        if (block) GlobalFree(block);
        return nullptr;
    }
    std::memcpy(data, bytes, size);
    GlobalUnlock(block);
    return block;
}

// The text of a block up to its terminator (or its end).
template <typename Char>
std::basic_string<Char> textOf(HGLOBAL block) {
    const std::size_t count = GlobalSize(block) / sizeof(Char);
    const auto* data = static_cast<const Char*>(GlobalLock(block));
    if (!data) return {};
    std::basic_string<Char> text(data, std::find(data, data + count, Char{}));
    GlobalUnlock(block);
    return text;
}

HGLOBAL converted(UINT format, HGLOBAL source) {
    if (format == CF_TEXT) {
        const std::string text = winx::toUtf8(textOf<wchar_t>(source));
        return blockWith(text.c_str(), text.size() + 1);
    }
    const std::wstring text = winx::fromUtf8(textOf<char>(source));
    return blockWith(text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

HANDLE convertedEntry(UINT format) {
    const Entry* source = entryOf(otherTextFormat(format));
    if (!source || !source->data) return nullptr;
    HGLOBAL block = converted(format, source->data);
    if (block) clipboard().entries.push_back(Entry{format, block, true});
    return block;
}

bool isLiveBlock(HANDLE data) {
    return GlobalFlags(data) != GMEM_INVALID_HANDLE;
}

// A block already held for another format would be freed twice.
bool ownedUnderAnotherFormat(UINT format, HANDLE data) {
    return std::any_of(clipboard().entries.begin(), clipboard().entries.end(),
                       [&](const Entry& e) { return e.data == data && e.format != format; });
}

} // namespace

BOOL OpenClipboard(HWND owner) {
    auto& board = clipboard();
    if (board.open && board.openedBy != owner) {
        SetLastError(static_cast<DWORD>(ERROR_ACCESS_DENIED));
        return FALSE;
    }
    board.open = true;
    board.openedBy = owner;
    return TRUE;
}

BOOL CloseClipboard() {
    if (!needsOpen()) return FALSE;
    clipboard().open = false;
    clipboard().openedBy = nullptr;
    return TRUE;
}

BOOL EmptyClipboard() {
    if (!needsOpen()) return FALSE;
    freeEntries([](const Entry&) { return true; });
    clipboard().owner = clipboard().openedBy;
    return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
    if (!needsOpen()) return nullptr;
    if (format == 0 || (data && !isLiveBlock(data))) {
        SetLastError(static_cast<DWORD>(data ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER));
        return nullptr;
    }
    if (data && ownedUnderAnotherFormat(format, data)) {
        SetLastError(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
        return nullptr;
    }
    // Conversions made from the old content are stale now.
    freeEntries([format, data](const Entry& e) {
        return e.converted || (e.format == format && e.data != data);
    });
    if (Entry* existing = entryOf(format))
        existing->data = data;
    else
        clipboard().entries.push_back(Entry{format, data, false});
    return data;
}

HANDLE GetClipboardData(UINT format) {
    if (!needsOpen()) return nullptr;
    if (const Entry* entry = entryOf(format)) return entry->data;
    return otherTextFormat(format) ? convertedEntry(format) : nullptr;
}

BOOL IsClipboardFormatAvailable(UINT format) {
    const auto formats = availableFormats();
    return std::find(formats.begin(), formats.end(), format) != formats.end();
}

UINT EnumClipboardFormats(UINT format) {
    if (!needsOpen()) return 0;
    SetLastError(NO_ERROR);
    const auto formats = availableFormats();
    if (format == 0) return formats.empty() ? 0 : formats.front();
    const auto it = std::find(formats.begin(), formats.end(), format);
    return it == formats.end() || it + 1 == formats.end() ? 0 : *(it + 1);
}

int CountClipboardFormats() {
    return static_cast<int>(availableFormats().size());
}

UINT RegisterClipboardFormat(LPCWSTR name) {
    if (!name || !*name) {
        SetLastError(static_cast<DWORD>(ERROR_INVALID_PARAMETER));
        return 0;
    }
    auto& names = clipboard().registeredNames;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (winx::services::equalNoCase(names[i], name))
            return kFirstRegisteredFormat + static_cast<UINT>(i);
    if (names.size() >= kMaxRegisteredFormats) {
        SetLastError(static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
        return 0;
    }
    names.emplace_back(name);
    return kFirstRegisteredFormat + static_cast<UINT>(names.size() - 1);
}

int GetClipboardFormatName(UINT format, LPWSTR name, int maxCount) {
    const auto& names = clipboard().registeredNames;
    if (format < kFirstRegisteredFormat || format - kFirstRegisteredFormat >= names.size() ||
        !name || maxCount <= 0)
        return 0;
    const std::wstring& text = names[format - kFirstRegisteredFormat];
    const std::size_t count = std::min(text.size(), static_cast<std::size_t>(maxCount - 1));
    std::wmemcpy(name, text.c_str(), count);
    name[count] = L'\0';
    return static_cast<int>(count);
}

HWND GetClipboardOwner() {
    return clipboard().owner;
}

HWND GetOpenClipboardWindow() {
    return clipboard().open ? clipboard().openedBy : nullptr;
}

namespace winx {

bool setClipboardText(std::wstring_view text) {
    if (clipboard().open || !OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    const std::wstring terminated(text);
    HGLOBAL block = blockWith(terminated.c_str(), (terminated.size() + 1) * sizeof(wchar_t));
    const bool set = block && SetClipboardData(CF_UNICODETEXT, block);
    if (block && !set) GlobalFree(block);
    CloseClipboard();
    return set;
}

std::optional<std::wstring> clipboardText() {
    if (clipboard().open || !OpenClipboard(nullptr)) return std::nullopt;
    HANDLE block = GetClipboardData(CF_UNICODETEXT);
    std::optional<std::wstring> text;
    if (block) text = textOf<wchar_t>(block);
    CloseClipboard();
    return text;
}

void resetClipboard() {
    freeEntries([](const Entry&) { return true; });
    clipboard().open = false;
    clipboard().openedBy = nullptr;
    clipboard().owner = nullptr;
}

} // namespace winx
