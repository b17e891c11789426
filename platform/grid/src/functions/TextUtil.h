// Case mapping and wildcard patterns shared by the text, look-up and criteria functions.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gridx::fn {

// Upper and lower case of a letter (ASCII, Latin-1, Latin Extended-A, Greek, Cyrillic);
// other characters are returned unchanged.
wchar_t toUpperChar(wchar_t c);
wchar_t toLowerChar(wchar_t c);
bool isLetter(wchar_t c);
std::wstring toUpper(std::wstring_view text);
std::wstring toLower(std::wstring_view text);
bool equalNoCase(std::wstring_view a, std::wstring_view b);

// A pattern where "*" stands for any run of characters, "?" for one character and "~"
// makes the next "*", "?" or "~" literal; letters match in any case.
class Wildcard {
public:
    explicit Wildcard(std::wstring_view pattern);

    // Whether the pattern matches the whole text.
    bool matches(std::wstring_view text) const;
    // The first position at or after `from` where the pattern matches the start of the rest
    // of the text; nullopt when there is none.
    std::optional<std::size_t> findIn(std::wstring_view text, std::size_t from) const;
    // Whether the pattern uses "*" or "?" at all.
    bool hasWildcards() const { return wild_; }

private:
    enum class Kind : std::uint8_t { Literal, AnyOne, AnyRun };
    struct Token {
        Kind kind;
        wchar_t ch; // lower case, for literals
    };
    bool matchTokens(const std::vector<Token>& tokens, std::wstring_view text) const;
    bool headMatchesAt(std::wstring_view text, std::size_t at) const;

    std::vector<Token> tokens_;
    std::size_t headCount_ = 0;     // tokens before the first "*"
    std::vector<Token> tailTokens_; // from the first "*" on, followed by "*"
    bool wild_ = false;
};

} // namespace gridx::fn
