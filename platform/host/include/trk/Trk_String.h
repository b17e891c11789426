// Trk_String: the framework's wide text.
//
// Positions are 0-based character indices; a search that finds nothing answers -1.
// Every comparison and search takes a case flag: true compares exactly (case-sensitive),
// false ignores letter case (simple one-to-one case folding of the Latin, Greek and Cyrillic
// letters). The flag defaults to true.
//
// Numbers become text with Trk_String(value, precision, keepTrailingZeros): `precision` decimals
// (0..15; outside that range clamped), rounded as printf rounds; with keepTrailingZeros false the
// zeros after the decimal point and then a bare point are dropped, so (200, 6, false) is "200",
// (1.5, 2, false) is "1.5", (1.5, 2, true) is "1.50" and (-0.0001, 2, false) is "0". Not-a-number
// and infinities are written "nan", "inf" and "-inf".
#pragma once

#include <compare>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>

class Trk_String {
public:
    Trk_String() = default;
    Trk_String(const wchar_t* text) : m_text(text ? text : L"") {} // null gives empty text
    Trk_String(std::wstring text) : m_text(std::move(text)) {}
    Trk_String(std::wstring_view text) : m_text(text) {}
    explicit Trk_String(int value); // decimal text
    static Trk_String repeated(int count, wchar_t character);
    Trk_String(double value, int precision, bool keepTrailingZeros);

    // printf-style formatting as on the original platform: "%s" and "%c" take wide arguments,
    // "%S" narrow text. Replaces the content; returns *this.
    Trk_String& format(const wchar_t* fmt, ...);
    static Trk_String formatted(const wchar_t* fmt, ...);

    operator const wchar_t*() const { return m_text.c_str(); }
    operator std::wstring_view() const { return m_text; }
    const wchar_t* c_str() const { return m_text.c_str(); }
    const std::wstring& str() const { return m_text; }
    std::wstring_view view() const { return m_text; }

    int length() const { return static_cast<int>(m_text.size()); }
    bool isEmpty() const { return m_text.empty(); }
    void clear() { m_text.clear(); }
    // The character at `index`, or L'\0' outside the text.
    wchar_t at(int index) const;
    wchar_t operator[](int index) const { return at(index); }
    // Replaces the character at `index`; false outside the text.
    bool setAt(int index, wchar_t character);

    // Substrings; counts and positions outside the text are clamped, never an error.
    Trk_String left(int count) const;
    Trk_String right(int count) const;
    Trk_String mid(int start, int count = -1) const; // count < 0: to the end

    int find(const Trk_String& what, bool caseSensitive = true, int start = 0) const;
    int find(wchar_t character, int start = 0) const;
    // Last occurrence starting at or before `start` (-1: anywhere).
    int reverseFind(const Trk_String& what, bool caseSensitive = true, int start = -1) const;
    int reverseFind(wchar_t character) const;
    // Position of the first character that is one of `characters`, or -1.
    int findOneOf(const Trk_String& characters, int start = 0) const;

    bool equal(const Trk_String& other, bool caseSensitive = true) const;
    // <0, 0, >0 as this text sorts before, with or after `other` (character codes, optionally
    // case-folded).
    int compare(const Trk_String& other, bool caseSensitive = true) const;
    bool contains(const Trk_String& what, bool caseSensitive = true) const;
    bool startsWith(const Trk_String& prefix, bool caseSensitive = true) const;
    bool endsWith(const Trk_String& suffix, bool caseSensitive = true) const;

    // Replaces every occurrence of `from` (left to right, non-overlapping); returns the number
    // replaced. An empty `from` replaces nothing.
    int replace(const Trk_String& from, const Trk_String& to, bool caseSensitive = true);
    int replace(wchar_t from, wchar_t to);
    // Removes every occurrence; returns the number removed.
    int remove(const Trk_String& what, bool caseSensitive = true);
    int remove(wchar_t character);
    // Removes `count` characters from `start` (clamped); returns the number removed.
    int removeAt(int start, int count = 1);
    // Inserts at `index` (clamped to 0..length); returns the new length.
    int insert(int index, const Trk_String& text);

    // In-place edits, returning *this. Blanks are spaces, tabs, line breaks and form feeds.
    Trk_String& trim();
    Trk_String& trimLeft();
    Trk_String& trimRight();
    Trk_String& trim(const Trk_String& characters); // removes these characters at both ends
    Trk_String& makeUpper();
    Trk_String& makeLower();
    // Copies.
    Trk_String trimmed() const;
    Trk_String upper() const;
    Trk_String lower() const;

    // Reads the whole text (blanks around allowed) as a decimal integer / number with a "."
    // decimal point and optional exponent. False, with `value` unchanged, for anything else or
    // for a value out of range.
    [[nodiscard]] bool toInt(int& value) const;
    [[nodiscard]] bool toDouble(double& value) const;
    // The same, with a fallback for text that is not a number.
    int asInt(int fallback = 0) const;
    double asDouble(double fallback = 0.0) const;

    Trk_String& operator+=(const Trk_String& text);
    Trk_String& operator+=(const wchar_t* text);
    Trk_String& operator+=(wchar_t character);

    friend bool operator==(const Trk_String& a, const Trk_String& b) {
        return a.m_text == b.m_text;
    }
    friend bool operator==(const Trk_String& a, const wchar_t* b) {
        return a.m_text == (b ? b : L"");
    }
    friend std::strong_ordering operator<=>(const Trk_String& a, const Trk_String& b) {
        return a.m_text <=> b.m_text;
    }
    friend std::strong_ordering operator<=>(const Trk_String& a, const wchar_t* b) {
        return a.m_text <=> std::wstring_view(b ? b : L"");
    }

private:
    std::wstring m_text;
};

Trk_String operator+(const Trk_String& a, const Trk_String& b);
Trk_String operator+(const Trk_String& a, const wchar_t* b);
Trk_String operator+(const wchar_t* a, const Trk_String& b);
Trk_String operator+(const Trk_String& a, wchar_t b);
Trk_String operator+(wchar_t a, const Trk_String& b);
// Adding a number to a text would silently become pointer arithmetic through the conversion to
// const wchar_t*; write Trk_String(n) or Trk_String(x, precision, flag) instead.
template <class N>
requires(std::is_arithmetic_v<N> && !std::is_same_v<N, wchar_t>) Trk_String
operator+(const Trk_String&, N) = delete;
template <class N>
requires(std::is_arithmetic_v<N> && !std::is_same_v<N, wchar_t>) Trk_String
operator+(N, const Trk_String&) = delete;

template <>
struct std::hash<Trk_String> {
    std::size_t operator()(const Trk_String& text) const noexcept {
        return std::hash<std::wstring>{}(text.str());
    }
};
