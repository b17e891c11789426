#include "spread/GlobalStr.h"

#include "win/winbase.h"

#include <algorithm>

std::optional<std::wstring> getGlobalStr(HGLOBAL block) {
    if (!block) return std::nullopt;
    const SIZE_T capacity = GlobalSize(block) / sizeof(wchar_t);
    const auto* chars = static_cast<const wchar_t*>(GlobalLock(block));
    if (!chars) return std::nullopt;
    std::wstring text(chars, std::find(chars, chars + capacity, L'\0'));
    GlobalUnlock(block);
    return text;
}

HGLOBAL setGlobalStr(const std::wstring& text) {
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!block) return nullptr;
    auto* chars = static_cast<wchar_t*>(GlobalLock(block));
    if (!chars) {
        GlobalFree(block);
        return nullptr;
    }
    std::copy(text.begin(), text.end(), chars);
    chars[text.size()] = L'\0';
    GlobalUnlock(block);
    return block;
}
