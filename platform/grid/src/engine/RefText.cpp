#include "engine/RefText.h"

#include "engine/Limits.h"

#include <cwctype>

namespace gridx::engine {

void appendColumnLetters(std::wstring& out, int col) {
    wchar_t letters[8];
    int n = 0;
    while (col > 0 && n < 8) {
        int digit = (col - 1) % 26;
        letters[n++] = static_cast<wchar_t>(L'A' + digit);
        col = (col - 1) / 26;
    }
    while (n > 0)
        out.push_back(letters[--n]);
}

bool isNameStart(wchar_t c) {
    if (c < 0x80)
        return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_' || c == L'\\';
    return std::iswalpha(static_cast<wint_t>(c)) != 0;
}

bool isNameChar(wchar_t c) {
    return isNameStart(c) || (c >= L'0' && c <= L'9') || c == L'.';
}

namespace {

bool isAsciiLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

bool isDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// Reads up to `maxDigits` digits; false when there are none or more than that.
bool readNumber(std::wstring_view text, std::size_t& pos, int maxDigits, int& value) {
    int digits = 0;
    long long v = 0;
    while (pos < text.size() && isDigit(text[pos])) {
        if (++digits > maxDigits) return false;
        v = v * 10 + (text[pos++] - L'0');
    }
    value = static_cast<int>(v);
    return digits > 0;
}

// A reference ends where no name character, "$", "[" or "(" follows.
bool endsHere(std::wstring_view text, std::size_t pos) {
    if (pos >= text.size()) return true;
    wchar_t c = text[pos];
    return !isNameChar(c) && c != L'$' && c != L'(' && c != L'[';
}

// One R1C1 part after its letter: "" (relative 0), "3" (absolute), "[-1]" (relative).
bool readR1C1Part(std::wstring_view text, std::size_t& pos, int limit, int& value, bool& abs) {
    abs = false;
    value = 0;
    if (pos < text.size() && text[pos] == L'[') {
        ++pos;
        bool negative = false;
        if (pos < text.size() && (text[pos] == L'-' || text[pos] == L'+'))
            negative = text[pos++] == L'-';
        if (!readNumber(text, pos, 7, value) || value >= limit) return false;
        if (pos >= text.size() || text[pos] != L']') return false;
        ++pos;
        if (negative) value = -value;
        return true;
    }
    if (pos < text.size() && isDigit(text[pos])) {
        abs = true;
        return readNumber(text, pos, 7, value) && value >= 1 && value <= limit;
    }
    return true;
}

} // namespace

bool matchA1(std::wstring_view text, std::size_t pos, RefMatch& out) {
    RefMatch m;
    if (pos < text.size() && text[pos] == L'$') {
        m.absCol = true;
        ++pos;
    }
    int letters = 0;
    long long col = 0;
    while (pos < text.size() && isAsciiLetter(text[pos])) {
        if (++letters > 5) return false;
        const wchar_t letter = text[pos++];
        col = col * 26 + ((letter >= L'a' ? letter - L'a' : letter - L'A') + 1);
    }
    if (letters == 0) return false;
    if (pos < text.size() && text[pos] == L'$') {
        m.absRow = true;
        ++pos;
    }
    int row = 0;
    if (!readNumber(text, pos, 7, row) || !endsHere(text, pos)) return false;
    if (col > kColLimit || !validRow(row)) return false;
    m.col = static_cast<int>(col);
    m.row = row;
    m.end = pos;
    out = m;
    return true;
}

bool matchR1C1(std::wstring_view text, std::size_t pos, RefMatch& out) {
    RefMatch m;
    if (pos >= text.size() || (text[pos] != L'R' && text[pos] != L'r')) return false;
    ++pos;
    if (!readR1C1Part(text, pos, kRowLimit, m.row, m.absRow)) return false;
    if (pos >= text.size() || (text[pos] != L'C' && text[pos] != L'c')) return false;
    ++pos;
    if (!readR1C1Part(text, pos, kColLimit, m.col, m.absCol)) return false;
    if (!endsHere(text, pos)) return false;
    m.end = pos;
    out = m;
    return true;
}

bool looksLikeReference(std::wstring_view text) {
    RefMatch m;
    if (matchA1(text, 0, m) && m.end == text.size()) return true;
    return matchR1C1(text, 0, m) && m.end == text.size();
}

} // namespace gridx::engine
