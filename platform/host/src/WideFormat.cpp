#include "WideFormat.h"

#include <cwchar>
#include <vector>

namespace trkx {
namespace {

bool isLengthModifier(wchar_t c) {
    return c != 0 && std::wcschr(L"hlLqjztI", c) != nullptr;
}
bool isFlagOrWidth(wchar_t c) {
    return c != 0 && std::wcschr(L"-+ #0123456789.*", c) != nullptr;
}

// The C library reads "%s" in a wide format as narrow text; rewrite the conversions so that
// plain %s and %c take wide text and %S narrow text.
std::wstring toLibraryConversions(const wchar_t* format) {
    std::wstring out;
    for (const wchar_t* p = format; *p; ++p) {
        out += *p;
        if (*p != L'%') continue;
        ++p;
        if (*p == L'%') {
            out += *p;
            continue;
        }
        while (isFlagOrWidth(*p))
            out += *p++;
        bool modified = false;
        while (isLengthModifier(*p)) {
            modified = true;
            out += *p++;
        }
        if (!*p) break;
        if (!modified && (*p == L's' || *p == L'c')) out += L'l';
        out += (!modified && *p == L'S') ? L's' : *p;
    }
    return out;
}

} // namespace

std::wstring formatWide(const wchar_t* format, va_list args) {
    if (!format) return {};
    const std::wstring libraryFormat = toLibraryConversions(format);
    std::vector<wchar_t> buffer(256);
    while (buffer.size() <= (1u << 20)) {
        va_list copy;
        va_copy(copy, args);
        const int n = std::vswprintf(buffer.data(), buffer.size(), libraryFormat.c_str(), copy);
        va_end(copy);
        if (n >= 0) return std::wstring(buffer.data(), static_cast<std::size_t>(n));
        buffer.resize(buffer.size() * 4);
    }
    return {};
}

} // namespace trkx
