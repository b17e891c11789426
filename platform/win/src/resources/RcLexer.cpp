// Scanner and preprocessor of resource scripts.
//
//   line      => '#' directive | token*
//   directive => define NAME token* | undef NAME | include ... | if cond | ifdef NAME
//              | ifndef NAME | elif cond | else | endif | (anything else, ignored)
//   token     => identifier | number (decimal or 0x hex, suffixes u/l ignored)
//              | string ("..." with "" and C escapes, L prefix allowed) | punctuation
#include "resources/RcLexer.h"

#include "win/utf8.h"

#include <algorithm>
#include <cwctype>

namespace winx::rc {
namespace {

constexpr int kMaxConditionDepth = 64;

bool isIdentStart(wchar_t c) {
    return std::iswalpha(c) || c == L'_';
}
bool isIdentChar(wchar_t c) {
    return std::iswalnum(c) || c == L'_';
}

int hexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

class Scanner {
public:
    Scanner(std::wstring_view text, int line, std::vector<Problem>& problems)
        : s_(text), line_(line), problems_(problems) {}

    // Scans tokens up to the end of the text (directive lines) or of the current line.
    void scanAll(std::vector<Token>& out) {
        while (skipBlanks())
            out.push_back(next());
    }

    std::size_t pos() const { return i_; }

private:
    bool skipBlanks() {
        while (i_ < s_.size()) {
            const wchar_t c = s_[i_];
            if (c == L'\n') {
                ++line_;
                ++i_;
            } else if (std::iswspace(c)) {
                ++i_;
            } else if (c == L'/' && peek(1) == L'/') {
                while (i_ < s_.size() && s_[i_] != L'\n')
                    ++i_;
            } else if (c == L'/' && peek(1) == L'*') {
                skipBlockComment();
            } else {
                return true;
            }
        }
        return false;
    }

    void skipBlockComment() {
        i_ += 2;
        while (i_ < s_.size() && !(s_[i_] == L'*' && peek(1) == L'/')) {
            if (s_[i_] == L'\n') ++line_;
            ++i_;
        }
        i_ = std::min(i_ + 2, s_.size());
    }

    wchar_t peek(std::size_t ahead) const {
        return i_ + ahead < s_.size() ? s_[i_ + ahead] : L'\0';
    }

    Token next() {
        const wchar_t c = s_[i_];
        if ((c == L'L' || c == L'l') && peek(1) == L'"') {
            ++i_;
            return string();
        }
        if (isIdentStart(c)) return identifier();
        if (std::iswdigit(c)) return number();
        if (c == L'"') return string();
        return punct();
    }

    Token identifier() {
        Token t{TokenKind::Identifier, {}, 0, line_};
        while (i_ < s_.size() && isIdentChar(s_[i_]))
            t.text += s_[i_++];
        return t;
    }

    Token number() {
        Token t{TokenKind::Number, {}, 0, line_};
        std::uint64_t v = 0;
        if (s_[i_] == L'0' && (peek(1) == L'x' || peek(1) == L'X')) {
            i_ += 2;
            while (i_ < s_.size() && hexDigit(s_[i_]) >= 0) {
                v = (v << 4) | static_cast<std::uint64_t>(hexDigit(s_[i_++]));
                v &= 0xFFFFFFFFFFull;
            }
        } else {
            while (i_ < s_.size() && std::iswdigit(s_[i_])) {
                v = v * 10 + static_cast<std::uint64_t>(s_[i_++] - L'0');
                if (v > 0xFFFFFFFFFFull) v &= 0xFFFFFFFFFFull;
            }
        }
        while (i_ < s_.size() &&
               (s_[i_] == L'u' || s_[i_] == L'U' || s_[i_] == L'l' || s_[i_] == L'L'))
            ++i_;
        if (i_ < s_.size() && isIdentChar(s_[i_])) {
            problems_.push_back({line_, L"malformed number"});
            while (i_ < s_.size() && isIdentChar(s_[i_]))
                ++i_;
        }
        t.value = static_cast<std::int64_t>(v & 0xFFFFFFFFull);
        return t;
    }

    wchar_t escape() {
        const wchar_t c = peek(0);
        ++i_;
        switch (c) {
        case L'n':
            return L'\n';
        case L't':
            return L'\t';
        case L'r':
            return L'\r';
        case L'a':
            return L'\a';
        case L'b':
            return L'\b';
        case L'f':
            return L'\f';
        case L'v':
            return L'\v';
        case L'\\':
            return L'\\';
        case L'"':
            return L'"';
        case L'\'':
            return L'\'';
        case L'x':
        case L'X':
            return hexEscape();
        default:
            break;
        }
        if (c >= L'0' && c <= L'7') return octalEscape(c);
        --i_;
        return L'\\';
    }

    wchar_t hexEscape() {
        unsigned v = 0;
        for (int n = 0; n < 4 && hexDigit(peek(0)) >= 0; ++n) {
            v = (v << 4) | static_cast<unsigned>(hexDigit(s_[i_++]));
        }
        return static_cast<wchar_t>(v);
    }

    wchar_t octalEscape(wchar_t first) {
        unsigned v = static_cast<unsigned>(first - L'0');
        for (int n = 0; n < 2 && peek(0) >= L'0' && peek(0) <= L'7'; ++n) {
            v = v * 8 + static_cast<unsigned>(s_[i_++] - L'0');
        }
        return static_cast<wchar_t>(v);
    }

    Token string() {
        Token t{TokenKind::String, {}, 0, line_};
        ++i_; // opening quote
        for (;;) {
            if (i_ >= s_.size() || s_[i_] == L'\n') {
                problems_.push_back({t.line, L"unterminated string"});
                return t;
            }
            const wchar_t c = s_[i_++];
            if (c == L'"') {
                if (peek(0) != L'"') return t;
                ++i_;
                t.text += L'"';
            } else if (c == L'\\') {
                t.text += escape();
            } else {
                t.text += c;
            }
        }
    }

    Token punct() {
        static const wchar_t* const kPairs[] = {L"&&", L"||", L"==", L"!=", L"<=", L">="};
        Token t{TokenKind::Punct, {}, 0, line_};
        for (const wchar_t* pair : kPairs) {
            if (s_[i_] == pair[0] && peek(1) == pair[1]) {
                t.text = pair;
                i_ += 2;
                return t;
            }
        }
        t.text = std::wstring(1, s_[i_++]);
        return t;
    }

    std::wstring_view s_;
    std::size_t i_ = 0;
    int line_;
    std::vector<Problem>& problems_;
};

// ---- Conditions: || && (== !=) (< > <= >=) | & (+ -) (* / %) unary -------------------------

class Condition {
public:
    Condition(const std::vector<Token>& t, const Defines& d) : t_(t), d_(d) {}

    std::int64_t evaluate() { return binary(0); }

private:
    static int precedence(const std::wstring& op) {
        static const std::pair<const wchar_t*, int> kOps[] = {
            {L"||", 1}, {L"&&", 2}, {L"==", 3}, {L"!=", 3}, {L"<", 4},
            {L">", 4},  {L"<=", 4}, {L">=", 4}, {L"|", 5},  {L"&", 6},
            {L"+", 7},  {L"-", 7},  {L"*", 8},  {L"/", 8},  {L"%", 8}};
        for (auto [name, p] : kOps) {
            if (op == name) return p;
        }
        return -1;
    }

    static std::int64_t apply(const std::wstring& op, std::int64_t a, std::int64_t b) {
        if (op == L"||") return a || b;
        if (op == L"&&") return a && b;
        if (op == L"==") return a == b;
        if (op == L"!=") return a != b;
        if (op == L"<") return a < b;
        if (op == L">") return a > b;
        if (op == L"<=") return a <= b;
        if (op == L">=") return a >= b;
        if (op == L"|") return a | b;
        if (op == L"&") return a & b;
        if (op == L"+") return a + b;
        if (op == L"-") return a - b;
        if (op == L"*") return a * b;
        if (b == 0) return 0;
        return op == L"/" ? a / b : a % b;
    }

    const Token* current() const { return i_ < t_.size() ? &t_[i_] : nullptr; }

    bool isPunct(const wchar_t* p) const {
        const Token* t = current();
        return t && t->kind == TokenKind::Punct && t->text == p;
    }

    std::int64_t binary(int minPrecedence) {
        std::int64_t left = unary();
        for (;;) {
            const Token* t = current();
            if (!t || t->kind != TokenKind::Punct) return left;
            const int p = precedence(t->text);
            if (p < 0 || p < minPrecedence) return left;
            const std::wstring op = t->text;
            ++i_;
            left = apply(op, left, binary(p + 1));
        }
    }

    std::int64_t unary() {
        if (++depth_ > kMaxConditionDepth) return 0;
        std::int64_t v = 0;
        if (isPunct(L"!")) {
            ++i_;
            v = !unary();
        } else if (isPunct(L"-")) {
            ++i_;
            v = -unary();
        } else if (isPunct(L"~")) {
            ++i_;
            v = ~unary();
        } else {
            v = primary();
        }
        --depth_;
        return v;
    }

    std::int64_t defined() {
        const bool paren = isPunct(L"(");
        if (paren) ++i_;
        const Token* name = current();
        std::int64_t v = 0;
        if (name && name->kind == TokenKind::Identifier) {
            v = d_.count(name->text) ? 1 : 0;
            ++i_;
        }
        if (paren && isPunct(L")")) ++i_;
        return v;
    }

    std::int64_t primary() {
        const Token* t = current();
        if (!t) return 0;
        ++i_;
        if (t->kind == TokenKind::Number) return t->value;
        if (t->kind == TokenKind::Identifier) {
            if (t->text == L"defined") return defined();
            auto it = d_.find(t->text);
            if (it == d_.end() || expanding_ > 8) return 0;
            ++expanding_;
            const std::int64_t v = Condition(it->second, d_).evaluate();
            --expanding_;
            return v;
        }
        if (t->kind == TokenKind::Punct && t->text == L"(") {
            const std::int64_t v = binary(0);
            if (isPunct(L")")) ++i_;
            return v;
        }
        return 0;
    }

    const std::vector<Token>& t_;
    const Defines& d_;
    std::size_t i_ = 0;
    int depth_ = 0;
    static inline int expanding_ = 0;
};

struct Branch {
    bool active; // this branch's lines are kept
    bool taken;  // some branch of this #if was kept
    bool parentActive;
};

class Preprocessor {
public:
    explicit Preprocessor(LexResult& out) : out_(out) {}

    bool active() const { return branches_.empty() || branches_.back().active; }

    void directive(std::wstring_view text, int line) {
        std::vector<Token> tokens;
        Scanner(text, line, out_.problems).scanAll(tokens);
        if (tokens.empty() || tokens[0].kind != TokenKind::Identifier) return;
        const std::wstring name = tokens[0].text;
        std::vector<Token> rest(tokens.begin() + 1, tokens.end());
        if (name == L"if" || name == L"ifdef" || name == L"ifndef") {
            open(name, rest, line);
        } else if (name == L"elif") {
            elif (rest, line);
        } else if (name == L"else") {
            otherwise(line);
        } else if (name == L"endif") {
            close(line);
        } else if (active()) {
            definition(name, rest, text);
        }
    }

    void finish(int line) {
        if (!branches_.empty()) out_.problems.push_back({line, L"#if without #endif"});
    }

private:
    bool test(const std::wstring& kind, const std::vector<Token>& rest) const {
        if (kind == L"if") return evaluateCondition(rest, out_.defines) != 0;
        const bool isDefined = !rest.empty() && out_.defines.count(rest[0].text) != 0;
        return kind == L"ifdef" ? isDefined : !isDefined;
    }

    void open(const std::wstring& kind, const std::vector<Token>& rest, int line) {
        if (branches_.size() >= kMaxConditionDepth) {
            out_.problems.push_back({line, L"conditions nested too deeply"});
        }
        const bool parent = active();
        const bool on = parent && test(kind, rest);
        branches_.push_back({on, on, parent});
    }

    void elif (const std::vector<Token>& rest, int line) {
        if (branches_.empty()) return out_.problems.push_back({line, L"#elif without #if"});
        Branch& b = branches_.back();
        const bool on = b.parentActive && !b.taken && test(L"if", rest);
        b.active = on;
        b.taken = b.taken || on;
    }

    void otherwise(int line) {
        if (branches_.empty()) return out_.problems.push_back({line, L"#else without #if"});
        Branch& b = branches_.back();
        b.active = b.parentActive && !b.taken;
        b.taken = true;
    }

    void close(int line) {
        if (branches_.empty()) return out_.problems.push_back({line, L"#endif without #if"});
        branches_.pop_back();
    }

    void definition(const std::wstring& name, const std::vector<Token>& rest,
                    std::wstring_view text) {
        if (rest.empty() || rest[0].kind != TokenKind::Identifier) return;
        if (name == L"undef") {
            out_.defines.erase(rest[0].text);
            return;
        }
        if (name != L"define") return;
        const bool functionLike = rest.size() > 1 && rest[1].text == L"(" &&
                                  text.find(rest[0].text + L"(") != std::wstring_view::npos;
        if (functionLike) return;
        out_.defines[rest[0].text] = std::vector<Token>(rest.begin() + 1, rest.end());
    }

    LexResult& out_;
    std::vector<Branch> branches_;
};

// Reads a directive line from just after '#', joining lines that end in a backslash.
std::wstring directiveText(std::wstring_view s, std::size_t& i, int& line) {
    std::wstring text;
    while (i < s.size() && s[i] != L'\n') {
        if (s[i] == L'\\' && i + 1 < s.size() && (s[i + 1] == L'\n' || s[i + 1] == L'\r')) {
            while (i < s.size() && s[i] != L'\n')
                ++i;
            ++i;
            ++line;
            text += L' ';
            continue;
        }
        text += s[i++];
    }
    return text;
}

} // namespace

std::wstring decodeScript(std::string_view bytes) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::wstring out;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            const unsigned lo = static_cast<unsigned char>(bytes[i]);
            const unsigned hi = static_cast<unsigned char>(bytes[i + 1]);
            out += static_cast<wchar_t>(lo | (hi << 8));
        }
        return out;
    }
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    return fromUtf8(bytes);
}

LexResult lex(std::wstring_view s) {
    LexResult out;
    Preprocessor pre(out);
    std::size_t i = 0;
    int line = 1;
    while (i < s.size()) {
        // One physical line at a time: a directive, or tokens when the branch is active.
        std::size_t start = i;
        while (start < s.size() && s[start] != L'\n' && std::iswspace(s[start]))
            ++start;
        if (start < s.size() && s[start] == L'#') {
            i = start + 1;
            const int first = line;
            const std::wstring text = directiveText(s, i, line);
            pre.directive(text, first);
            continue;
        }
        std::size_t end = s.find(L'\n', i);
        if (end == std::wstring_view::npos) end = s.size();
        std::wstring_view physical = s.substr(i, end - i);
        // A block comment may run over several lines: extend the chunk to its end.
        std::size_t open = physical.rfind(L"/*");
        while (open != std::wstring_view::npos &&
               physical.find(L"*/", open) == std::wstring_view::npos && end < s.size()) {
            const std::size_t close = s.find(L"*/", end);
            end = close == std::wstring_view::npos ? s.size() : s.find(L'\n', close);
            if (end == std::wstring_view::npos) end = s.size();
            physical = s.substr(i, end - i);
            open = physical.rfind(L"/*");
        }
        if (pre.active()) Scanner(physical, line, out.problems).scanAll(out.tokens);
        for (wchar_t c : physical)
            line += c == L'\n';
        i = end + 1;
        ++line;
    }
    pre.finish(line);
    out.tokens.push_back(Token{TokenKind::End, {}, 0, line});
    return out;
}

std::int64_t evaluateCondition(const std::vector<Token>& tokens, const Defines& defines) {
    return Condition(tokens, defines).evaluate();
}

} // namespace winx::rc
