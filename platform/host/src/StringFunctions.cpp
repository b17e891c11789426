#include "trk/StringFunctions.h"

#include <random>

namespace {

bool isDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// Length of the digit run starting at `i`.
int digitsAt(const Trk_String& text, int i) {
    int n = 0;
    while (isDigit(text.at(i + n)))
        ++n;
    return n;
}

} // namespace

Trk_StringArray strToArr(const Trk_String& text, const Trk_String& separator) {
    Trk_StringArray parts;
    if (text.isEmpty()) return parts;
    if (separator.isEmpty()) {
        parts.append(text);
        return parts;
    }
    int start = 0;
    for (int hit = text.find(separator); hit >= 0; hit = text.find(separator, true, start)) {
        parts.append(text.mid(start, hit - start));
        start = hit + separator.length();
    }
    parts.append(text.mid(start));
    return parts;
}

Trk_String arrToStr(const Trk_StringArray& texts, const Trk_String& separator) {
    Trk_String out;
    for (int i = 0; i < texts.length(); ++i) {
        if (i > 0) out += separator;
        out += texts[i];
    }
    return out;
}

int splitString(const Trk_String& text, const Trk_String& delimiters, Trk_StringArray& parts) {
    parts.removeAll();
    int start = 0;
    while (start < text.length()) {
        int end = text.findOneOf(delimiters, start);
        if (end < 0 || delimiters.isEmpty()) end = text.length();
        if (end > start) parts.append(text.mid(start, end - start));
        start = end + 1;
    }
    return parts.length();
}

ErrorStatus splitStringAtSymbol(const Trk_String& text, const Trk_String& symbol,
                                Trk_StringArray& parts, bool trimBlanks, int maxParts) {
    parts.removeAll();
    int start = 0;
    if (!symbol.isEmpty()) {
        for (int hit = text.find(symbol); hit >= 0; hit = text.find(symbol, true, start)) {
            if (maxParts > 0 && parts.length() + 1 >= maxParts) break;
            parts.append(text.mid(start, hit - start));
            start = hit + symbol.length();
        }
    }
    parts.append(text.mid(start));
    if (trimBlanks)
        for (auto& part : parts)
            part.trim();
    return symbol.isEmpty() ? eInvalidInput : eOk;
}

bool getSubstrAfter(const Trk_String& text, const Trk_String& symbol, Trk_String& result,
                    bool firstOccurrence) {
    if (symbol.isEmpty()) return false;
    const int hit = firstOccurrence ? text.find(symbol) : text.reverseFind(symbol);
    if (hit < 0) return false;
    result = text.mid(hit + symbol.length());
    return true;
}

bool getSubstrBefore(const Trk_String& text, const Trk_String& symbol, Trk_String& result,
                     bool firstOccurrence) {
    if (symbol.isEmpty()) return false;
    const int hit = firstOccurrence ? text.find(symbol) : text.reverseFind(symbol);
    if (hit < 0) return false;
    result = text.left(hit);
    return true;
}

bool hasDuplicates(const Trk_StringArray& texts, bool caseSensitive) {
    Trk_Array<int> indices;
    getDuplicates(texts, indices, caseSensitive);
    return !indices.isEmpty();
}

bool hasDuplicates(const Trk_StringArray& texts, Trk_StringArray& repeated, bool caseSensitive) {
    Trk_Array<int> indices;
    getDuplicates(texts, indices, caseSensitive);
    repeated.removeAll();
    for (int index : indices)
        if (!repeated.contains(texts[index], caseSensitive)) repeated.append(texts[index]);
    return !indices.isEmpty();
}

void getDuplicates(const Trk_StringArray& texts, Trk_Array<int>& indices, bool caseSensitive) {
    indices.removeAll();
    for (int i = 1; i < texts.length(); ++i) {
        const int earlier = texts.find(texts[i], caseSensitive);
        if (earlier < i) indices.append(i);
    }
}

bool isNumber(const Trk_String& text) {
    const Trk_String t = text.trimmed();
    int i = (t.at(0) == L'+' || t.at(0) == L'-') ? 1 : 0;
    const int whole = digitsAt(t, i);
    i += whole;
    int fraction = 0;
    if (t.at(i) == L'.') {
        fraction = digitsAt(t, i + 1);
        i += 1 + fraction;
    }
    if (whole + fraction == 0) return false;
    if (t.at(i) == L'e' || t.at(i) == L'E') {
        int j = i + 1;
        if (t.at(j) == L'+' || t.at(j) == L'-') ++j;
        const int exponent = digitsAt(t, j);
        if (exponent == 0) return false;
        i = j + exponent;
    }
    return i == t.length();
}

int findFirstNumber(const Trk_String& text) {
    return text.findOneOf(L"0123456789");
}

bool hasInvalidFileNameChars(const Trk_String& text) {
    for (int i = 0; i < text.length(); ++i)
        if (text[i] < 0x20 || Trk_String(L"\\/:*?\"<>|").find(text[i]) >= 0) return true;
    return false;
}

Trk_String getUniqueName(const Trk_StringArray& taken, const Trk_String& proposal) {
    if (!taken.contains(proposal, false)) return proposal;
    int digits = 0;
    while (digits < proposal.length() && digits < 9 &&
           isDigit(proposal.at(proposal.length() - digits - 1)))
        ++digits;
    const Trk_String stem = proposal.left(proposal.length() - digits);
    long long number = digits > 0 ? std::stoll(proposal.right(digits).str()) + 1 : 1;
    for (;; ++number) {
        const Trk_String candidate = stem + Trk_String(std::to_wstring(number));
        if (!taken.contains(candidate, false)) return candidate;
    }
}

ErrorStatus generateRandomString(int length, Trk_String& text, bool upperCaseOnly) {
    if (length < 1) return eInvalidInput;
    static std::mt19937 generator{std::random_device{}()};
    const Trk_String alphabet =
        upperCaseOnly ? L"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"
                      : L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<int> pick(0, alphabet.length() - 1);
    Trk_String out;
    for (int i = 0; i < length; ++i)
        out += alphabet[pick(generator)];
    text = out;
    return eOk;
}
