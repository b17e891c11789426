#include "file/SheetTextLexer.h"

#include <cstdint>

namespace gridx::sheetfile {

LineReader::LineReader(std::string_view text) : rest_(text) {
    if (rest_.starts_with("\xEF\xBB\xBF")) rest_.remove_prefix(3);
}

bool LineReader::next(std::string_view& line, std::size_t& number) {
    if (done_) return false;
    auto end = rest_.find('\n');
    if (end == std::string_view::npos) {
        done_ = true;
        if (rest_.empty()) return false;
        line = rest_;
        rest_ = {};
    } else {
        line = rest_.substr(0, end);
        rest_.remove_prefix(end + 1);
    }
    if (line.ends_with('\r')) line.remove_suffix(1);
    number = ++number_;
    return true;
}

namespace {

bool isBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

bool isNameStart(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

bool isNameChar(wchar_t c) {
    return isNameStart(c) || (c >= L'0' && c <= L'9') || c == L'_' || c == L'-' || c == L'.';
}

// Number of continuation bytes of a UTF-8 lead byte, -1 for a byte that cannot lead.
int continuationCount(unsigned char lead) {
    if (lead < 0x80) return 0;
    if (lead >= 0xC2 && lead <= 0xDF) return 1;
    if (lead >= 0xE0 && lead <= 0xEF) return 2;
    if (lead >= 0xF0 && lead <= 0xF4) return 3;
    return -1;
}

std::wstring quotedForMessage(std::wstring_view text) {
    constexpr std::size_t kShown = 40;
    std::wstring out = L"'";
    out += text.substr(0, kShown);
    if (text.size() > kShown) out += L"...";
    return out + L"'";
}

std::string narrow(std::wstring_view ascii) {
    std::string out;
    out.reserve(ascii.size());
    for (wchar_t c : ascii)
        out.push_back(static_cast<char>(c));
    return out;
}

// Reads the items of one decoded line.
class RecordScanner {
public:
    explicit RecordScanner(std::wstring_view line) : line_(line) {}

    bool scan(Record& out, std::wstring& problem) {
        skipBlanks();
        if (!readName(out.name, problem)) return false;
        while (true) {
            std::size_t before = pos_;
            skipBlanks();
            if (atEnd()) return true;
            if (pos_ == before)
                return fail(problem, L"expected a blank before " + restForMessage());
            Item item;
            if (!readItem(item, problem)) return false;
            out.items.push_back(std::move(item));
        }
    }

private:
    bool atEnd() const { return pos_ >= line_.size(); }
    wchar_t peek() const { return atEnd() ? L'\0' : line_[pos_]; }

    void skipBlanks() {
        while (!atEnd() && isBlank(line_[pos_]))
            ++pos_;
    }

    std::wstring restForMessage() const { return quotedForMessage(line_.substr(pos_)); }

    static bool fail(std::wstring& problem, std::wstring text) {
        problem = std::move(text);
        return false;
    }

    bool readName(std::string& name, std::wstring& problem) {
        std::size_t start = pos_;
        if (!isNameStart(peek())) return fail(problem, L"a record must begin with its name");
        while (!atEnd() && isNameChar(line_[pos_]))
            ++pos_;
        name = narrow(line_.substr(start, pos_ - start));
        if (!atEnd() && !isBlank(peek()))
            return fail(problem, L"unexpected " + restForMessage() + L" in the record name");
        return true;
    }

    bool readItem(Item& item, std::wstring& problem) {
        std::size_t start = pos_;
        while (!atEnd() && !isBlank(line_[pos_]) && line_[pos_] != L'=' && line_[pos_] != L'"')
            ++pos_;
        std::wstring_view head = line_.substr(start, pos_ - start);
        if (peek() == L'"') return fail(problem, L"a quoted text needs a key, as in text=\"...\"");
        if (peek() != L'=') {
            item.values.emplace_back(head);
            return true;
        }
        if (!isKey(head)) return fail(problem, L"bad key " + quotedForMessage(head));
        item.key = narrow(head);
        ++pos_; // '='
        return readValue(item, problem);
    }

    static bool isKey(std::wstring_view text) {
        if (text.empty() || !isNameStart(text.front())) return false;
        for (wchar_t c : text)
            if (!isNameChar(c)) return false;
        return true;
    }

    bool readValue(Item& item, std::wstring& problem) {
        std::wstring keyText(item.key.begin(), item.key.end());
        if (atEnd() || isBlank(peek())) return fail(problem, L"'" + keyText + L"' has no value");
        if (peek() != L'"') return readWord(item, keyText, problem);
        item.quoted = true;
        while (true) {
            std::wstring text;
            if (!readQuoted(text, problem)) return false;
            item.values.push_back(std::move(text));
            if (peek() != L',') break;
            ++pos_;
            if (peek() != L'"')
                return fail(problem, L"a list of '" + keyText + L"' needs a text after ','");
        }
        if (!atEnd() && !isBlank(peek()))
            return fail(problem, L"unexpected " + restForMessage() + L" after the text of '" +
                                     keyText + L"'");
        return true;
    }

    bool readWord(Item& item, const std::wstring& keyText, std::wstring& problem) {
        std::size_t start = pos_;
        while (!atEnd() && !isBlank(line_[pos_])) {
            if (line_[pos_] == L'"')
                return fail(problem, L"a quote inside the unquoted value of '" + keyText +
                                         L"': put the whole value in quotes");
            ++pos_;
        }
        item.values.emplace_back(line_.substr(start, pos_ - start));
        return true;
    }

    bool readQuoted(std::wstring& text, std::wstring& problem) {
        ++pos_; // opening quote
        while (true) {
            if (atEnd()) return fail(problem, L"unterminated text (a '\"' is missing)");
            wchar_t c = line_[pos_++];
            if (c == L'"') {
                if (peek() != L'"') break;
                ++pos_;
            } else if (c == L'`') {
                if (!readEscape(c, problem)) return false;
            }
            if (text.size() >= kMaxTextLength)
                return fail(problem, L"text longer than " + std::to_wstring(kMaxTextLength) +
                                         L" characters");
            text.push_back(c);
        }
        return true;
    }

    bool readEscape(wchar_t& c, std::wstring& problem) {
        wchar_t kind = peek();
        ++pos_;
        switch (kind) {
        case L'`':
            c = L'`';
            return true;
        case L'n':
            c = L'\n';
            return true;
        case L'r':
            c = L'\r';
            return true;
        case L't':
            c = L'\t';
            return true;
        case L'0':
            c = L'\0';
            return true;
        case L'u':
            return readCodePoint(c, problem);
        default:
            return fail(problem, L"unknown escape '`" + std::wstring(1, kind ? kind : L' ') +
                                     L"' (use `` for a backquote)");
        }
    }

    // "{hex}" after "`u": up to six hex digits, at most 0x10FFFF.
    bool readCodePoint(wchar_t& c, std::wstring& problem) {
        if (peek() != L'{') return fail(problem, L"'`u' must be followed by {hex digits}");
        ++pos_;
        std::uint32_t value = 0;
        int digits = 0;
        for (; !atEnd() && line_[pos_] != L'}'; ++pos_, ++digits) {
            int digit = hexDigit(line_[pos_]);
            if (digit < 0 || digits == 6) return fail(problem, L"bad character code in '`u{...}'");
            value = value * 16 + static_cast<std::uint32_t>(digit);
        }
        if (atEnd() || digits == 0 || value > 0x10FFFF)
            return fail(problem, L"bad character code in '`u{...}'");
        ++pos_; // '}'
        c = static_cast<wchar_t>(value);
        return true;
    }

    static int hexDigit(wchar_t c) {
        if (c >= L'0' && c <= L'9') return c - L'0';
        if (c >= L'a' && c <= L'f') return c - L'a' + 10;
        if (c >= L'A' && c <= L'F') return c - L'A' + 10;
        return -1;
    }

    std::wstring_view line_;
    std::size_t pos_ = 0;
};

} // namespace

bool isEmptyLine(std::string_view line) {
    for (char c : line) {
        if (c == ' ' || c == '\t') continue;
        return c == '#';
    }
    return true;
}

bool decodeUtf8(std::string_view bytes, std::wstring& out) {
    out.clear();
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        auto lead = static_cast<unsigned char>(bytes[i]);
        int more = continuationCount(lead);
        if (more < 0 || bytes.size() - i <= static_cast<std::size_t>(more)) return false;
        std::uint32_t cp = more == 0 ? lead : (lead & (0x3Fu >> more));
        for (int k = 1; k <= more; ++k) {
            auto next = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (next & 0x3Fu);
        }
        bool overlong = (more == 2 && cp < 0x800) || (more == 3 && cp < 0x10000);
        if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        out.push_back(static_cast<wchar_t>(cp));
        i += static_cast<std::size_t>(more) + 1;
    }
    return true;
}

bool parseRecord(std::string_view line, Record& out, std::wstring& problem) {
    std::wstring wide;
    if (!decodeUtf8(line, wide)) {
        problem = L"the line is not valid UTF-8";
        return false;
    }
    out.name.clear();
    out.items.clear();
    return RecordScanner(wide).scan(out, problem);
}

} // namespace gridx::sheetfile
