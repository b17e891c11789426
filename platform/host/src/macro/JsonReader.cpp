// A recursive-descent reader of strict JSON:
//   value  => object | array | string | number | "true" | "false" | "null"
//   object => "{" [ string ":" value ( "," string ":" value )* ] "}"
//   array  => "[" [ value ( "," value )* ] "]"
//   number => "-"? ( "0" | [1-9][0-9]* ) ( "." [0-9]+ )? ( [eE] [+-]? [0-9]+ )?
// Errors are carried out by an exception local to this file and turned into a status.
#include "Json.h"

#include "win/utf8.h"

#include <charconv>
#include <cstdint>
#include <set>

namespace trkx::json {
namespace {

struct Failure {
    std::size_t offset;
    std::string message;
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A code point of a \u escape as UTF-8.
void appendUtf8(std::string& out, std::uint32_t code) {
    out += winx::toUtf8(std::wstring(1, static_cast<wchar_t>(code)));
}

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    Value parseDocument() {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
        Value value = parseValue(0);
        skipBlanks();
        if (pos_ != text_.size()) fail("unexpected text after the end of the document");
        return value;
    }

private:
    [[noreturn]] void fail(const std::string& message) const { throw Failure{pos_, message}; }
    [[noreturn]] void failAt(std::size_t offset, const std::string& message) const {
        throw Failure{offset, message};
    }

    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[pos_]; }

    void skipBlanks() {
        while (!atEnd() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r'))
            ++pos_;
    }

    void expect(char c, const char* what) {
        skipBlanks();
        if (peek() != c)
            fail(atEnd() ? "unexpected end of the document" : std::string("expected ") + what);
        ++pos_;
    }

    Value parseValue(int depth) {
        skipBlanks();
        if (atEnd()) fail("unexpected end of the document");
        Value value;
        value.offset = pos_;
        switch (peek()) {
        case '{':
            parseObject(value, depth + 1);
            break;
        case '[':
            parseArray(value, depth + 1);
            break;
        case '"':
            value.type = Type::String;
            value.text = parseString();
            break;
        case 't':
            parseWord("true", value, Type::Bool, true);
            break;
        case 'f':
            parseWord("false", value, Type::Bool, false);
            break;
        case 'n':
            parseWord("null", value, Type::Null, false);
            break;
        default:
            if (peek() != '-' && !isDigit(peek())) fail("expected a value");
            value.type = Type::Number;
            value.number = parseNumber();
        }
        return value;
    }

    void parseWord(std::string_view word, Value& value, Type type, bool flag) {
        if (text_.substr(pos_, word.size()) != word) fail("expected a value");
        pos_ += word.size();
        value.type = type;
        value.boolean = flag;
    }

    void checkDepth(int depth) const {
        if (depth > kMaxDepth) fail("nesting deeper than " + std::to_string(kMaxDepth) + " levels");
    }

    void parseObject(Value& value, int depth) {
        checkDepth(depth);
        value.type = Type::Object;
        ++pos_;
        skipBlanks();
        if (peek() == '}') {
            ++pos_;
            return;
        }
        std::set<std::string> names;
        for (;;) {
            skipBlanks();
            if (peek() != '"')
                fail(atEnd() ? "unexpected end of the document" : "expected a member name");
            Member member;
            member.offset = pos_;
            member.name = parseString();
            if (!names.insert(member.name).second)
                failAt(member.offset, "duplicate member \"" + member.name + "\"");
            expect(':', "':' after a member name");
            member.value = parseValue(depth);
            value.members.push_back(std::move(member));
            skipBlanks();
            if (peek() == '}') break;
            expect(',', "',' or '}' in an object");
        }
        ++pos_;
    }

    void parseArray(Value& value, int depth) {
        checkDepth(depth);
        value.type = Type::Array;
        ++pos_;
        skipBlanks();
        if (peek() == ']') {
            ++pos_;
            return;
        }
        for (;;) {
            value.items.push_back(parseValue(depth));
            skipBlanks();
            if (peek() == ']') break;
            expect(',', "',' or ']' in an array");
        }
        ++pos_;
    }

    double parseNumber() {
        const std::size_t start = pos_;
        if (peek() == '-') ++pos_;
        if (peek() == '0')
            ++pos_;
        else if (isDigit(peek()))
            skipDigits();
        else
            fail("expected a digit");
        if (peek() == '.') {
            ++pos_;
            if (!isDigit(peek())) fail("expected a digit after the decimal point");
            skipDigits();
        }
        if (peek() == 'e' || peek() == 'E') {
            ++pos_;
            if (peek() == '+' || peek() == '-') ++pos_;
            if (!isDigit(peek())) fail("expected a digit in the exponent");
            skipDigits();
        }
        double number = 0.0;
        auto [end, ec] = std::from_chars(text_.data() + start, text_.data() + pos_, number);
        if (ec != std::errc() || end != text_.data() + pos_) failAt(start, "number out of range");
        return number;
    }

    void skipDigits() {
        while (isDigit(peek()))
            ++pos_;
    }

    std::string parseString() {
        ++pos_; // opening quote
        std::string out;
        for (;;) {
            if (atEnd()) fail("unterminated text");
            const auto c = static_cast<unsigned char>(peek());
            if (c == '"') break;
            if (c < 0x20) fail("control character in a text (write it escaped)");
            if (c == '\\')
                parseEscape(out);
            else if (c < 0x80)
                out += text_[pos_++];
            else
                out += checkedUtf8();
        }
        ++pos_;
        return out;
    }

    void parseEscape(std::string& out) {
        const std::size_t start = pos_;
        ++pos_;
        const char c = peek();
        ++pos_;
        switch (c) {
        case '"':
            out += '"';
            return;
        case '\\':
            out += '\\';
            return;
        case '/':
            out += '/';
            return;
        case 'b':
            out += '\b';
            return;
        case 'f':
            out += '\f';
            return;
        case 'n':
            out += '\n';
            return;
        case 'r':
            out += '\r';
            return;
        case 't':
            out += '\t';
            return;
        case 'u':
            appendUtf8(out, parseUnicodeEscape(start));
            return;
        default:
            failAt(start, "invalid escape sequence");
        }
    }

    std::uint32_t parseHex4(std::size_t escapeStart) {
        std::uint32_t code = 0;
        for (int i = 0; i < 4; ++i, ++pos_) {
            const char c = peek();
            std::uint32_t digit = 0;
            if (isDigit(c))
                digit = static_cast<std::uint32_t>(c - '0');
            else if (c >= 'a' && c <= 'f')
                digit = static_cast<std::uint32_t>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                digit = static_cast<std::uint32_t>(c - 'A' + 10);
            else
                failAt(escapeStart, "invalid \\u escape");
            code = code * 16 + digit;
        }
        return code;
    }

    // A \u escape, combining a surrogate pair; a lone surrogate is an error.
    std::uint32_t parseUnicodeEscape(std::size_t start) {
        const std::uint32_t high = parseHex4(start);
        if (high >= 0xDC00 && high <= 0xDFFF) failAt(start, "lone surrogate in a \\u escape");
        if (high < 0xD800 || high > 0xDBFF) return high;
        if (text_.substr(pos_, 2) != "\\u") failAt(start, "lone surrogate in a \\u escape");
        pos_ += 2;
        const std::uint32_t low = parseHex4(start);
        if (low < 0xDC00 || low > 0xDFFF) failAt(start, "lone surrogate in a \\u escape");
        return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
    }

    // The bytes of one multi-byte UTF-8 sequence; overlong forms, surrogates and values past
    // U+10FFFF are invalid.
    std::string_view checkedUtf8() {
        const std::size_t start = pos_;
        const auto lead = static_cast<unsigned char>(text_[pos_++]);
        const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
        if (lead < 0xC2 || lead > 0xF4) failAt(start, "invalid UTF-8");
        std::uint32_t code = lead & (0x7Fu >> (extra + 1));
        for (int i = 0; i < extra; ++i, ++pos_) {
            const auto next = static_cast<unsigned char>(peek());
            if (atEnd() || (next & 0xC0) != 0x80) failAt(start, "invalid UTF-8");
            code = (code << 6) | (next & 0x3Fu);
        }
        static constexpr std::uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
        if (code < kSmallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            failAt(start, "invalid UTF-8");
        return text_.substr(start, pos_ - start);
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace

bool parse(std::string_view text, Value& value, Error& error) {
    try {
        value = Parser(text).parseDocument();
        return true;
    } catch (const Failure& failure) {
        error = Error{failure.offset, failure.message};
        return false;
    }
}

std::string location(std::string_view text, std::size_t offset) {
    int line = 1;
    int column = 1;
    const std::size_t start = text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    for (std::size_t i = start; i < offset && i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\n') {
            ++line;
            column = 1;
        } else if ((c & 0xC0) != 0x80) {
            ++column;
        }
    }
    return std::to_string(line) + ":" + std::to_string(column);
}

} // namespace trkx::json
