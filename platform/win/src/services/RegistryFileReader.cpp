// Reads the registry file. The reader is strict: any line it does not understand makes the
// whole file a problem (reported with its line number), so a damaged file is never half-loaded.
#include "services/CaseFold.h"
#include "services/RegistryFile.h"

#include "win/utf8.h"
#include "win/winreg.h"

#include <cstring>
#include <limits>
#include <set>
#include <vector>

namespace winx::services {
namespace {

constexpr std::wstring_view kHeader = L"trk-registry 1";

int hexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

std::vector<BYTE> bytesOf(const std::wstring& units) {
    std::vector<BYTE> bytes(units.size() * sizeof(wchar_t));
    if (!units.empty()) std::memcpy(bytes.data(), units.data(), bytes.size());
    return bytes;
}

// One line being parsed; every parse step returns false with `problem` set on failure.
class LineParser {
public:
    explicit LineParser(std::wstring_view line) : line_(line) {}

    const std::wstring& problem() const { return problem_; }
    bool atEnd() const { return at_ == line_.size(); }

    bool expect(wchar_t c, const wchar_t* what) {
        if (at_ < line_.size() && line_[at_] == c) {
            ++at_;
            return true;
        }
        return fail(std::wstring(L"expected ") + what);
    }

    bool take(std::wstring_view prefix) {
        if (line_.substr(at_).substr(0, prefix.size()) != prefix) return false;
        at_ += prefix.size();
        return true;
    }

    bool next(wchar_t c) const { return at_ < line_.size() && line_[at_] == c; }

    bool quoted(std::wstring& out) {
        if (!expect(L'"', L"'\"'")) return false;
        out.clear();
        while (at_ < line_.size() && line_[at_] != L'"') {
            if (line_[at_] != L'\\') {
                out += line_[at_++];
                continue;
            }
            if (!escape(out)) return false;
        }
        return expect(L'"', L"a closing '\"'");
    }

    template <typename Number>
    bool decimal(Number& value) {
        const std::size_t start = at_;
        value = 0;
        while (at_ < line_.size() && line_[at_] >= L'0' && line_[at_] <= L'9') {
            const auto digit = static_cast<Number>(line_[at_] - L'0');
            if (value > (std::numeric_limits<Number>::max() - digit) / 10)
                return fail(L"number out of range");
            value = static_cast<Number>(value * 10 + digit);
            ++at_;
        }
        if (at_ == start) return fail(L"expected a number");
        if (line_[start] == L'0' && at_ - start > 1) return fail(L"number with leading zeros");
        return true;
    }

    bool hexBytes(std::vector<BYTE>& out) {
        out.clear();
        while (at_ < line_.size()) {
            const int high = hexDigit(line_[at_]);
            const int low = at_ + 1 < line_.size() ? hexDigit(line_[at_ + 1]) : -1;
            if (high < 0 || low < 0) return fail(L"malformed hex bytes");
            out.push_back(static_cast<BYTE>(high * 16 + low));
            at_ += 2;
        }
        return true;
    }

    bool fail(std::wstring text) {
        if (problem_.empty()) problem_ = std::move(text);
        return false;
    }

private:
    bool escape(std::wstring& out) {
        ++at_;
        if (at_ >= line_.size()) return fail(L"unfinished escape");
        const wchar_t c = line_[at_++];
        switch (c) {
        case L'\\':
            out += L'\\';
            return true;
        case L'"':
            out += L'"';
            return true;
        case L'n':
            out += L'\n';
            return true;
        case L'r':
            out += L'\r';
            return true;
        case L't':
            out += L'\t';
            return true;
        case L'0':
            out += L'\0';
            return true;
        case L'u':
            return codeEscape(out);
        default:
            return fail(L"unknown escape");
        }
    }

    // "\u{HEX}" with 1 to 8 digits.
    bool codeEscape(std::wstring& out) {
        if (!expect(L'{', L"'{' after \\u")) return false;
        std::uint32_t code = 0;
        int digits = 0;
        for (; at_ < line_.size() && hexDigit(line_[at_]) >= 0; ++at_, ++digits)
            code = (code << 4) | static_cast<std::uint32_t>(hexDigit(line_[at_]));
        if (digits == 0 || digits > 8) return fail(L"malformed \\u{...} escape");
        out += static_cast<wchar_t>(code);
        return expect(L'}', L"'}' closing \\u{...}");
    }

    std::wstring_view line_;
    std::size_t at_ = 0;
    std::wstring problem_;
};

class RegistryReader {
public:
    RegistryParse run(std::string_view text) {
        if (text.empty()) return RegistryParse{std::move(tree_), {}};
        if (text.size() > kMaxRegistryFileSize) return failure(L"the file is too large");
        if (toUtf8(fromUtf8(text)) != text) return failure(L"the file is not valid UTF-8 text");
        std::wstring wide = fromUtf8(text);
        if (!wide.empty() && wide.front() == L'\uFEFF') wide.erase(0, 1);
        std::size_t lineNumber = 0;
        for (std::size_t start = 0; start <= wide.size();) {
            std::size_t end = wide.find(L'\n', start);
            if (end == std::wstring::npos) end = wide.size();
            std::wstring_view line(wide.data() + start, end - start);
            if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
            ++lineNumber;
            if (!readLine(line, lineNumber == 1))
                return failure(L"line " + std::to_wstring(lineNumber) + L": " + problem_);
            start = end + 1;
        }
        if (lineNumber == 0 || !sawHeader_) return failure(L"line 1: the header is missing");
        return RegistryParse{std::move(tree_), {}};
    }

private:
    static RegistryParse failure(std::wstring problem) {
        return {std::nullopt, std::move(problem)};
    }

    bool readLine(std::wstring_view line, bool first) {
        if (first) return header(line);
        if (line.empty() || line.front() == L';') return true;
        if (line.front() == L'[') return keyLine(line);
        if (line.front() == L'@' || line.front() == L'"') return valueLine(line);
        return fail(L"unexpected text");
    }

    bool header(std::wstring_view line) {
        if (line != kHeader)
            return fail(L"not a registry file (the first line must be \"trk-registry 1\")");
        sawHeader_ = true;
        return true;
    }

    bool keyLine(std::wstring_view line) {
        if (line.size() < 2 || line.back() != L']') return fail(L"a key line must end with ']'");
        const std::wstring_view path = line.substr(1, line.size() - 2);
        const std::size_t cut = path.find(L'\\');
        RegKey* key = rootNamed(path.substr(0, cut));
        if (!key) return fail(L"unknown root key");
        std::size_t depth = 0;
        for (std::size_t start = cut; start != std::wstring_view::npos;) {
            const std::size_t end = path.find(L'\\', start + 1);
            const std::wstring_view name =
                path.substr(start + 1, end == path.npos ? end : end - start - 1);
            if (!isValidKeyName(name)) return fail(L"invalid key name");
            if (++depth > kMaxKeyDepth) return fail(L"keys nested too deeply");
            RegKey* child = findSubkey(*key, name);
            key = child ? child : &addSubkey(*key, name, false);
            start = end;
        }
        if (!declared_.insert(key).second) return fail(L"key listed twice");
        current_ = key;
        return true;
    }

    RegKey* rootNamed(std::wstring_view name) {
        for (std::size_t i = 0; i < kRootCount; ++i)
            if (kRootNames[i] == name) return tree_->roots[i].get();
        return nullptr;
    }

    bool valueLine(std::wstring_view line) {
        if (!current_) return fail(L"a value before any key");
        LineParser parser(line);
        RegValue value;
        const bool parsed = (parser.take(L"@") || parser.quoted(value.name)) &&
                            parser.expect(L'=', L"'='") && data(parser, value);
        if (!parsed) return fail(parser.problem());
        if (!parser.atEnd()) return fail(L"unexpected text after the value");
        if (value.name.size() > kMaxValueNameLength) return fail(L"value name too long");
        const std::wstring folded = foldCase(value.name);
        if (current_->values.contains(folded)) return fail(L"value listed twice");
        current_->values.emplace(folded, std::move(value));
        return true;
    }

    static bool data(LineParser& parser, RegValue& value) {
        std::wstring text;
        if (parser.take(L"sz:")) {
            value.type = REG_SZ;
            if (!parser.quoted(text)) return false;
            value.data = bytesOf(text + L'\0');
            return true;
        }
        if (parser.take(L"expand_sz:")) {
            value.type = REG_EXPAND_SZ;
            if (!parser.quoted(text)) return false;
            value.data = bytesOf(text + L'\0');
            return true;
        }
        if (parser.take(L"multi_sz:")) return multiText(parser, value);
        if (parser.take(L"dword:")) return number<std::uint32_t>(parser, value, REG_DWORD);
        if (parser.take(L"qword:")) return number<std::uint64_t>(parser, value, REG_QWORD);
        if (parser.take(L"hex:")) {
            value.type = REG_BINARY;
            return parser.hexBytes(value.data);
        }
        if (parser.take(L"hex(")) {
            return parser.decimal(value.type) && parser.expect(L')', L"')'") &&
                   parser.expect(L':', L"':'") && parser.hexBytes(value.data);
        }
        return parser.fail(L"unknown value type");
    }

    static bool multiText(LineParser& parser, RegValue& value) {
        value.type = REG_MULTI_SZ;
        std::wstring units;
        for (bool first = true; !parser.atEnd(); first = false) {
            if (!first && !parser.expect(L',', L"','")) return false;
            std::wstring text;
            if (!parser.quoted(text)) return false;
            units += text + L'\0';
        }
        value.data = bytesOf(units + L'\0');
        return true;
    }

    template <typename Number>
    static bool number(LineParser& parser, RegValue& value, DWORD type) {
        value.type = type;
        Number number = 0;
        if (!parser.decimal(number)) return false;
        value.data.resize(sizeof number);
        std::memcpy(value.data.data(), &number, sizeof number);
        return true;
    }

    bool fail(std::wstring text) {
        problem_ = std::move(text);
        return false;
    }

    std::optional<RegTree> tree_{std::in_place};
    RegKey* current_ = nullptr;
    std::set<const RegKey*> declared_;
    bool sawHeader_ = false;
    std::wstring problem_;
};

} // namespace

RegistryParse readRegistryText(std::string_view text) {
    return RegistryReader().run(text);
}

} // namespace winx::services
