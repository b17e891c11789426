#include "functions/TextUtil.h"

namespace gridx::fn {

namespace {

bool inRange(wchar_t c, unsigned first, unsigned last) {
    auto u = static_cast<unsigned>(c);
    return u >= first && u <= last;
}

wchar_t shifted(wchar_t c, int delta) {
    return static_cast<wchar_t>(static_cast<int>(c) + delta);
}

// Latin Extended-A pairs letters as (upper, lower) on even/odd code points, except in the
// runs U+0139..U+0148 and U+0179..U+017E where the upper case sits on the odd one.
bool isExtendedAUpper(wchar_t c) {
    auto u = static_cast<unsigned>(c);
    bool oddUpper = inRange(c, 0x139, 0x148) || inRange(c, 0x179, 0x17E);
    return (u % 2 == 1) == oddUpper;
}

bool isExtendedALetter(wchar_t c) {
    return inRange(c, 0x100, 0x137) || inRange(c, 0x139, 0x148) || inRange(c, 0x14A, 0x177) ||
           inRange(c, 0x179, 0x17E);
}

} // namespace

wchar_t toUpperChar(wchar_t c) {
    if (inRange(c, L'a', L'z')) return shifted(c, -32);
    if (inRange(c, 0xE0, 0xFE) && c != 0xF7) return shifted(c, -32);
    if (c == 0xFF) return static_cast<wchar_t>(0x178);
    if (isExtendedALetter(c)) return isExtendedAUpper(c) ? c : shifted(c, -1);
    if (inRange(c, 0x3B1, 0x3C9) && c != 0x3C2) return shifted(c, -32);
    if (inRange(c, 0x430, 0x44F)) return shifted(c, -32);
    if (inRange(c, 0x450, 0x45F)) return shifted(c, -80);
    return c;
}

wchar_t toLowerChar(wchar_t c) {
    if (inRange(c, L'A', L'Z')) return shifted(c, 32);
    if (inRange(c, 0xC0, 0xDE) && c != 0xD7) return shifted(c, 32);
    if (c == 0x178) return static_cast<wchar_t>(0xFF);
    if (isExtendedALetter(c)) return isExtendedAUpper(c) ? shifted(c, 1) : c;
    if (inRange(c, 0x391, 0x3A9) && c != 0x3A2) return shifted(c, 32);
    if (inRange(c, 0x410, 0x42F)) return shifted(c, 32);
    if (inRange(c, 0x400, 0x40F)) return shifted(c, 80);
    return c;
}

bool isLetter(wchar_t c) {
    return toUpperChar(c) != toLowerChar(c) || c == 0xDF || c == 0x3C2;
}

std::wstring toUpper(std::wstring_view text) {
    std::wstring out(text);
    for (wchar_t& c : out)
        c = toUpperChar(c);
    return out;
}

std::wstring toLower(std::wstring_view text) {
    std::wstring out(text);
    for (wchar_t& c : out)
        c = toLowerChar(c);
    return out;
}

bool equalNoCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (toLowerChar(a[i]) != toLowerChar(b[i])) return false;
    return true;
}

Wildcard::Wildcard(std::wstring_view pattern) {
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        wchar_t c = pattern[i];
        bool escapes = c == L'~' && i + 1 < pattern.size() &&
                       (pattern[i + 1] == L'*' || pattern[i + 1] == L'?' || pattern[i + 1] == L'~');
        if (escapes) {
            tokens_.push_back({Kind::Literal, toLowerChar(pattern[++i])});
        } else if (c == L'*') {
            wild_ = true;
            if (tokens_.empty() || tokens_.back().kind != Kind::AnyRun)
                tokens_.push_back({Kind::AnyRun, 0});
        } else if (c == L'?') {
            wild_ = true;
            tokens_.push_back({Kind::AnyOne, 0});
        } else {
            tokens_.push_back({Kind::Literal, toLowerChar(c)});
        }
    }
    while (headCount_ < tokens_.size() && tokens_[headCount_].kind != Kind::AnyRun)
        ++headCount_;
    tailTokens_.assign(tokens_.begin() + static_cast<std::ptrdiff_t>(headCount_), tokens_.end());
    tailTokens_.push_back({Kind::AnyRun, 0});
}

// Greedy matching that returns to the last "*" on a mismatch: O(text * pattern) at worst,
// without recursion.
bool Wildcard::matchTokens(const std::vector<Token>& tokens, std::wstring_view text) const {
    std::size_t t = 0, p = 0;
    std::size_t starP = std::wstring_view::npos, starT = 0;
    while (t < text.size()) {
        if (p < tokens.size() && tokens[p].kind == Kind::AnyRun) {
            starP = p++;
            starT = t;
        } else if (p < tokens.size() &&
                   (tokens[p].kind == Kind::AnyOne || tokens[p].ch == toLowerChar(text[t]))) {
            ++p;
            ++t;
        } else if (starP != std::wstring_view::npos) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < tokens.size() && tokens[p].kind == Kind::AnyRun)
        ++p;
    return p == tokens.size();
}

bool Wildcard::matches(std::wstring_view text) const {
    return matchTokens(tokens_, text);
}

bool Wildcard::headMatchesAt(std::wstring_view text, std::size_t at) const {
    if (text.size() - at < headCount_) return false;
    for (std::size_t i = 0; i < headCount_; ++i)
        if (tokens_[i].kind == Kind::Literal && tokens_[i].ch != toLowerChar(text[at + i]))
            return false;
    return true;
}

// The earliest start is the first one where the part before the first "*" fits: the rest,
// which begins with "*", matches after that start if it matches after any later one.
std::optional<std::size_t> Wildcard::findIn(std::wstring_view text, std::size_t from) const {
    for (std::size_t at = from; at <= text.size(); ++at) {
        if (!headMatchesAt(text, at)) continue;
        if (headCount_ == tokens_.size()) return at;
        if (matchTokens(tailTokens_, text.substr(at + headCount_))) return at;
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace gridx::fn
