#include "trk/Trk_String.h"

#include "CaseFolding.h"
#include "WideFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cwchar>

namespace {

constexpr int kMaxPrecision = 15;
constexpr std::wstring_view kBlanks = L" \t\r\n\f\v";

std::wstring folded(std::wstring_view text) {
    std::wstring out(text);
    for (auto& c : out)
        c = trkx::toLowerChar(c);
    return out;
}

std::size_t toIndex(int value) {
    return static_cast<std::size_t>(value);
}

int toPosition(std::size_t index) {
    return index == std::wstring::npos ? -1 : static_cast<int>(index);
}

std::wstring numberText(double value, int precision, bool keepTrailingZeros) {
    if (std::isnan(value)) return L"nan";
    if (std::isinf(value)) return value < 0 ? L"-inf" : L"inf";
    precision = std::clamp(precision, 0, kMaxPrecision);
    char buffer[400]; // the longest double with 15 decimals needs 326 characters
    std::snprintf(buffer, sizeof buffer, "%.*f", precision, value);
    std::string narrow(buffer);
    if (!keepTrailingZeros && narrow.find('.') != std::string::npos) {
        narrow.erase(narrow.find_last_not_of('0') + 1);
        if (narrow.back() == '.') narrow.pop_back();
    }
    if (narrow.starts_with('-') && narrow.find_first_not_of("-0.") == std::string::npos)
        narrow.erase(0, 1); // no negative zero
    return std::wstring(narrow.begin(), narrow.end());
}

// The ASCII text of a number with blanks around removed, or empty when any other character
// occurs (from_chars works on narrow text).
std::string numberCharacters(std::wstring_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::wstring_view::npos) return {};
    text = text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
    std::string out;
    for (wchar_t c : text) {
        if (c >= 0x80) return {};
        out += static_cast<char>(c);
    }
    if (out.starts_with('+')) {
        out.erase(0, 1); // from_chars takes no plus sign
        if (out.starts_with('+') || out.starts_with('-')) return {};
    }
    return out;
}

bool isPlainDecimal(const std::string& text) {
    return text.find_first_not_of("0123456789.eE+-") == std::string::npos;
}

} // namespace

Trk_String::Trk_String(int value) : m_text(std::to_wstring(value)) {}

Trk_String::Trk_String(double value, int precision, bool keepTrailingZeros)
    : m_text(numberText(value, precision, keepTrailingZeros)) {}

Trk_String Trk_String::repeated(int count, wchar_t character) {
    return std::wstring(toIndex(std::max(count, 0)), character);
}

Trk_String& Trk_String::format(const wchar_t* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    m_text = trkx::formatWide(fmt, args);
    va_end(args);
    return *this;
}

Trk_String Trk_String::formatted(const wchar_t* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    Trk_String out(trkx::formatWide(fmt, args));
    va_end(args);
    return out;
}

wchar_t Trk_String::at(int index) const {
    return index >= 0 && index < length() ? m_text[toIndex(index)] : L'\0';
}

bool Trk_String::setAt(int index, wchar_t character) {
    if (index < 0 || index >= length()) return false;
    m_text[toIndex(index)] = character;
    return true;
}

Trk_String Trk_String::left(int count) const {
    return m_text.substr(0, toIndex(std::clamp(count, 0, length())));
}

Trk_String Trk_String::right(int count) const {
    const int n = std::clamp(count, 0, length());
    return m_text.substr(toIndex(length() - n));
}

Trk_String Trk_String::mid(int start, int count) const {
    start = std::clamp(start, 0, length());
    const int available = length() - start;
    const int n = count < 0 ? available : std::min(count, available);
    return m_text.substr(toIndex(start), toIndex(n));
}

int Trk_String::find(const Trk_String& what, bool caseSensitive, int start) const {
    if (start < 0 || start > length()) return -1;
    if (caseSensitive) return toPosition(m_text.find(what.m_text, toIndex(start)));
    return toPosition(folded(m_text).find(folded(what.m_text), toIndex(start)));
}

int Trk_String::find(wchar_t character, int start) const {
    if (start < 0 || start > length()) return -1;
    return toPosition(m_text.find(character, toIndex(start)));
}

int Trk_String::reverseFind(const Trk_String& what, bool caseSensitive, int start) const {
    const std::size_t from = start < 0 ? std::wstring::npos : toIndex(start);
    if (caseSensitive) return toPosition(m_text.rfind(what.m_text, from));
    return toPosition(folded(m_text).rfind(folded(what.m_text), from));
}

int Trk_String::reverseFind(wchar_t character) const {
    return toPosition(m_text.rfind(character));
}

int Trk_String::findOneOf(const Trk_String& characters, int start) const {
    if (start < 0 || start > length()) return -1;
    return toPosition(m_text.find_first_of(characters.m_text, toIndex(start)));
}

bool Trk_String::equal(const Trk_String& other, bool caseSensitive) const {
    return compare(other, caseSensitive) == 0;
}

int Trk_String::compare(const Trk_String& other, bool caseSensitive) const {
    if (caseSensitive) return m_text.compare(other.m_text);
    const std::size_t n = std::min(m_text.size(), other.m_text.size());
    for (std::size_t i = 0; i < n; ++i) {
        const wchar_t a = trkx::toLowerChar(m_text[i]);
        const wchar_t b = trkx::toLowerChar(other.m_text[i]);
        if (a != b) return a < b ? -1 : 1;
    }
    if (m_text.size() == other.m_text.size()) return 0;
    return m_text.size() < other.m_text.size() ? -1 : 1;
}

bool Trk_String::contains(const Trk_String& what, bool caseSensitive) const {
    return find(what, caseSensitive) >= 0;
}

bool Trk_String::startsWith(const Trk_String& prefix, bool caseSensitive) const {
    return prefix.length() <= length() && left(prefix.length()).equal(prefix, caseSensitive);
}

bool Trk_String::endsWith(const Trk_String& suffix, bool caseSensitive) const {
    return suffix.length() <= length() && right(suffix.length()).equal(suffix, caseSensitive);
}

int Trk_String::replace(const Trk_String& from, const Trk_String& to, bool caseSensitive) {
    if (from.isEmpty()) return 0;
    std::wstring out;
    int count = 0;
    int position = 0;
    for (int hit = find(from, caseSensitive); hit >= 0; hit = find(from, caseSensitive, position)) {
        out.append(m_text, toIndex(position), toIndex(hit - position));
        out += to.m_text;
        position = hit + from.length();
        ++count;
    }
    out.append(m_text, toIndex(position));
    m_text = std::move(out);
    return count;
}

int Trk_String::replace(wchar_t from, wchar_t to) {
    int count = 0;
    for (auto& c : m_text) {
        if (c != from) continue;
        c = to;
        ++count;
    }
    return count;
}

int Trk_String::remove(const Trk_String& what, bool caseSensitive) {
    return replace(what, Trk_String(), caseSensitive);
}

int Trk_String::remove(wchar_t character) {
    const auto count = std::erase(m_text, character);
    return static_cast<int>(count);
}

int Trk_String::removeAt(int start, int count) {
    if (start < 0 || start >= length() || count <= 0) return 0;
    const int n = std::min(count, length() - start);
    m_text.erase(toIndex(start), toIndex(n));
    return n;
}

int Trk_String::insert(int index, const Trk_String& text) {
    m_text.insert(toIndex(std::clamp(index, 0, length())), text.m_text);
    return length();
}

Trk_String& Trk_String::trim() {
    return trimRight().trimLeft();
}

Trk_String& Trk_String::trimLeft() {
    m_text.erase(0, std::min(m_text.find_first_not_of(kBlanks), m_text.size()));
    return *this;
}

Trk_String& Trk_String::trimRight() {
    const auto last = m_text.find_last_not_of(kBlanks);
    m_text.erase(last == std::wstring::npos ? 0 : last + 1);
    return *this;
}

Trk_String& Trk_String::trim(const Trk_String& characters) {
    const auto last = m_text.find_last_not_of(characters.m_text);
    m_text.erase(last == std::wstring::npos ? 0 : last + 1);
    m_text.erase(0, std::min(m_text.find_first_not_of(characters.m_text), m_text.size()));
    return *this;
}

Trk_String& Trk_String::makeUpper() {
    for (auto& c : m_text)
        c = trkx::toUpperChar(c);
    return *this;
}

Trk_String& Trk_String::makeLower() {
    for (auto& c : m_text)
        c = trkx::toLowerChar(c);
    return *this;
}

Trk_String Trk_String::trimmed() const {
    return Trk_String(*this).trim();
}
Trk_String Trk_String::upper() const {
    return Trk_String(*this).makeUpper();
}
Trk_String Trk_String::lower() const {
    return Trk_String(*this).makeLower();
}

bool Trk_String::toInt(int& value) const {
    const std::string text = numberCharacters(m_text);
    int parsed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return false;
    value = parsed;
    return true;
}

bool Trk_String::toDouble(double& value) const {
    const std::string text = numberCharacters(m_text);
    if (text.empty() || !isPlainDecimal(text)) return false;
    double parsed = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || end != text.data() + text.size()) return false;
    value = parsed;
    return true;
}

int Trk_String::asInt(int fallback) const {
    int value = fallback;
    return toInt(value) ? value : fallback;
}

double Trk_String::asDouble(double fallback) const {
    double value = fallback;
    return toDouble(value) ? value : fallback;
}

Trk_String& Trk_String::operator+=(const Trk_String& text) {
    m_text += text.m_text;
    return *this;
}

Trk_String& Trk_String::operator+=(const wchar_t* text) {
    if (text) m_text += text;
    return *this;
}

Trk_String& Trk_String::operator+=(wchar_t character) {
    m_text += character;
    return *this;
}

Trk_String operator+(const Trk_String& a, const Trk_String& b) {
    return Trk_String(a) += b;
}
Trk_String operator+(const Trk_String& a, const wchar_t* b) {
    return Trk_String(a) += b;
}
Trk_String operator+(const wchar_t* a, const Trk_String& b) {
    return Trk_String(a) += b;
}
Trk_String operator+(const Trk_String& a, wchar_t b) {
    return Trk_String(a) += b;
}
Trk_String operator+(wchar_t a, const Trk_String& b) {
    return Trk_String::repeated(1, a) += b;
}
