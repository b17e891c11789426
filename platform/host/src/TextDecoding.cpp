#include "TextDecoding.h"

#include "win/utf8.h"

namespace trkx {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Characters of the Western code page at 0x80..0x9F; 0 where the code page has none.
constexpr char16_t kWestern80[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

unsigned byteAt(std::string_view bytes, std::size_t i) {
    return static_cast<unsigned char>(bytes[i]);
}

bool isContinuation(std::string_view bytes, std::size_t i) {
    return i < bytes.size() && (byteAt(bytes, i) & 0xC0) == 0x80;
}

// Length of the well-formed sequence at `i`, or 0.
std::size_t sequenceAt(std::string_view bytes, std::size_t i) {
    const unsigned lead = byteAt(bytes, i);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned low = 0x80, high = 0xBF; // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    else
        return 0;
    if (lead == 0xE0) low = 0xA0;  // overlong
    if (lead == 0xED) high = 0x9F; // surrogates
    if (lead == 0xF0) low = 0x90;  // overlong
    if (lead == 0xF4) high = 0x8F; // beyond U+10FFFF
    if (i + 1 >= bytes.size() || byteAt(bytes, i + 1) < low || byteAt(bytes, i + 1) > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (!isContinuation(bytes, i + k)) return 0;
    return length;
}

std::wstring decodeWestern(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned b = byteAt(bytes, i);
        const char16_t mapped = (b >= 0x80 && b < 0xA0) ? kWestern80[b - 0x80] : 0;
        out += static_cast<wchar_t>(mapped ? mapped : (b >= 0x80 && b < 0xA0 ? 0xFFFD : b));
    }
    return out;
}

} // namespace

bool isValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = sequenceAt(bytes, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::wstring decodeText(std::string_view bytes) {
    while (bytes.starts_with(kByteOrderMark))
        bytes.remove_prefix(kByteOrderMark.size());
    return isValidUtf8(bytes) ? winx::fromUtf8(bytes) : decodeWestern(bytes);
}

std::vector<std::wstring> splitLines(std::wstring_view text) {
    std::vector<std::wstring> lines;
    while (!text.empty()) {
        const auto end = text.find(L'\n');
        std::wstring_view line = text.substr(0, end);
        while (line.ends_with(L'\r'))
            line.remove_suffix(1);
        lines.emplace_back(line);
        if (end == std::wstring_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

} // namespace trkx
