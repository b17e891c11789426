#include "win/utf8.h"

namespace winx {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isScalar(char32_t c) { return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF); }

void append(std::string& out, char32_t c) {
    if (!isScalar(c)) c = kReplacement;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Length of the sequence a lead byte opens, 0 for a byte that cannot lead.
int sequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

} // namespace

std::string toUtf8(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t w : text) append(out, static_cast<char32_t>(w));
    return out;
}

std::wstring fromUtf8(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int len = sequenceLength(lead);
        if (len == 0 || i + static_cast<size_t>(len) > bytes.size()) {
            out += static_cast<wchar_t>(kReplacement);
            ++i;
            continue;
        }
        char32_t c = len == 1 ? lead : lead & (0xFF >> (len + 1));
        bool ok = true;
        for (int k = 1; k < len; ++k) {
            const auto b = static_cast<unsigned char>(bytes[i + static_cast<size_t>(k)]);
            if ((b & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            c = (c << 6) | (b & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are malformed.
        const bool overlong = (len == 3 && c < 0x800) || (len == 4 && c < 0x10000);
        if (!ok || overlong || !isScalar(c)) {
            out += static_cast<wchar_t>(kReplacement);
            ++i;
            continue;
        }
        out += static_cast<wchar_t>(c);
        i += static_cast<size_t>(len);
    }
    return out;
}

} // namespace winx
