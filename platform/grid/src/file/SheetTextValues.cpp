#include "file/SheetTextValues.h"

#include <charconv>
#include <cmath>

namespace gridx::sheetfile {

namespace {

bool isDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

int hexDigit(wchar_t c) {
    if (isDigit(c)) return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

bool equalsNoCase(std::wstring_view text, std::wstring_view lower) {
    if (text.size() != lower.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
        if (c != lower[i]) return false;
    }
    return true;
}

// Copies a number of the shape [sign] digits [. digits] [e [sign] digits] to ASCII; false for
// any other shape. At least one digit is needed before the exponent.
bool numberShape(std::wstring_view text, std::string& out) {
    std::size_t i = 0, mantissa = 0;
    auto take = [&](auto accept) {
        std::size_t n = 0;
        for (; i < text.size() && accept(text[i]); ++i, ++n)
            out.push_back(static_cast<char>(text[i]));
        return n;
    };
    auto sign = [](wchar_t c) { return c == L'+' || c == L'-'; };
    if (i < text.size() && sign(text[i])) {
        if (text[i] == L'-') out.push_back('-');
        ++i;
    }
    mantissa += take(isDigit);
    if (i < text.size() && text[i] == L'.') {
        out.push_back('.');
        ++i;
        mantissa += take(isDigit);
    }
    if (mantissa == 0) return false;
    if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
        out.push_back('e');
        ++i;
        if (i < text.size() && sign(text[i])) out.push_back(static_cast<char>(text[i++]));
        if (take(isDigit) == 0) return false;
    }
    return i == text.size();
}

} // namespace

std::optional<double> parseDecimal(std::wstring_view text) {
    std::string ascii;
    if (text.size() > 1000 || !numberShape(text, ascii)) return std::nullopt;
    double v = 0.0;
    auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), v);
    if (ec != std::errc() || end != ascii.data() + ascii.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<std::int64_t> parseInteger(std::wstring_view text, std::int64_t min,
                                         std::int64_t max) {
    bool negative = !text.empty() && text.front() == L'-';
    if (negative || (!text.empty() && text.front() == L'+')) text.remove_prefix(1);
    bool hex = text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X');
    if (hex) text.remove_prefix(2);
    if (text.empty() || text.size() > 19) return std::nullopt;
    std::int64_t value = 0;
    for (wchar_t c : text) {
        int digit = hex ? hexDigit(c) : (isDigit(c) ? c - L'0' : -1);
        if (digit < 0) return std::nullopt;
        if (value > (INT64_MAX - digit) / (hex ? 16 : 10)) return std::nullopt;
        value = value * (hex ? 16 : 10) + digit;
    }
    if (negative) value = -value;
    if (value < min || value > max) return std::nullopt;
    return value;
}

std::optional<bool> parseFlag(std::wstring_view text) {
    if (equalsNoCase(text, L"yes") || equalsNoCase(text, L"true") || text == L"1") return true;
    if (equalsNoCase(text, L"no") || equalsNoCase(text, L"false") || text == L"0") return false;
    return std::nullopt;
}

std::optional<std::uint32_t> parseColour(std::wstring_view text) {
    if (text.size() == 7 && text[0] == L'#') {
        std::uint32_t rgb = 0;
        for (wchar_t c : text.substr(1)) {
            int digit = hexDigit(c);
            if (digit < 0) return std::nullopt;
            rgb = rgb * 16 + static_cast<std::uint32_t>(digit);
        }
        std::uint32_t red = rgb >> 16, green = (rgb >> 8) & 0xFF, blue = rgb & 0xFF;
        return red | (green << 8) | (blue << 16);
    }
    if (!text.starts_with(L"0x") && !text.starts_with(L"0X")) return std::nullopt;
    auto raw = parseInteger(text, 0, UINT32_MAX);
    if (!raw) return std::nullopt;
    return static_cast<std::uint32_t>(*raw);
}

void appendKey(std::string& out, std::string_view key) {
    out.push_back(' ');
    out += key;
    out.push_back('=');
}

void appendNumber(std::string& out, double v) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    out.append(buffer, result.ptr);
}

void appendInteger(std::string& out, std::int64_t v) {
    out += std::to_string(v);
}

void appendHex(std::string& out, std::uint32_t v) {
    char buffer[16];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, v, 16);
    out += "0x";
    for (char* p = buffer; p != result.ptr; ++p)
        out.push_back(*p >= 'a' && *p <= 'f' ? static_cast<char>(*p - 'a' + 'A') : *p);
}

void appendColour(std::string& out, std::uint32_t colour) {
    if (colour > 0xFFFFFF) {
        appendHex(out, colour);
        return;
    }
    static const char kDigits[] = "0123456789ABCDEF";
    std::uint32_t rgb = ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
    out.push_back('#');
    for (int shift = 20; shift >= 0; shift -= 4)
        out.push_back(kDigits[(rgb >> shift) & 0xF]);
}

void appendFlag(std::string& out, bool v) {
    out += v ? "yes" : "no";
}

namespace {

void appendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

void appendCodeEscape(std::string& out, std::uint32_t cp) {
    char buffer[16];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, cp, 16);
    out += "`u{";
    for (char* p = buffer; p != result.ptr; ++p)
        out.push_back(*p >= 'a' && *p <= 'f' ? static_cast<char>(*p - 'a' + 'A') : *p);
    out.push_back('}');
}

void appendEscaped(std::string& out, wchar_t c) {
    auto cp = static_cast<std::uint32_t>(c);
    switch (c) {
    case L'"':
        out += "\"\"";
        return;
    case L'`':
        out += "``";
        return;
    case L'\n':
        out += "`n";
        return;
    case L'\r':
        out += "`r";
        return;
    case L'\t':
        out += "`t";
        return;
    default:
        break;
    }
    if (cp > 0x10FFFF) cp = 0xFFFD;
    if (cp < 0x20 || cp == 0x7F || (cp >= 0xD800 && cp <= 0xDFFF))
        appendCodeEscape(out, cp);
    else
        appendUtf8(out, cp);
}

} // namespace

void appendQuoted(std::string& out, std::wstring_view text) {
    out.push_back('"');
    for (wchar_t c : text)
        appendEscaped(out, c);
    out.push_back('"');
}

void appendNumberKey(std::string& out, std::string_view key, double v) {
    appendKey(out, key);
    appendNumber(out, v);
}

void appendIntegerKey(std::string& out, std::string_view key, std::int64_t v) {
    appendKey(out, key);
    appendInteger(out, v);
}

void appendFlagKey(std::string& out, std::string_view key, bool v) {
    appendKey(out, key);
    appendFlag(out, v);
}

void appendColourKey(std::string& out, std::string_view key, std::uint32_t colour) {
    appendKey(out, key);
    appendColour(out, colour);
}

void appendTextKey(std::string& out, std::string_view key, std::wstring_view text) {
    appendKey(out, key);
    appendQuoted(out, text);
}

void appendWordKey(std::string& out, std::string_view key, std::wstring_view word) {
    appendKey(out, key);
    for (wchar_t c : word)
        out.push_back(static_cast<char>(c));
}

} // namespace gridx::sheetfile
