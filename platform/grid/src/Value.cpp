#include "grid/Value.h"

#include "functions/TextUtil.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <new>

namespace gridx {

// Immutable text shared between values; the grid runs on one thread, so the count is plain.
struct Value::TextBlock {
    int refs;
    std::size_t length;
    wchar_t chars[1];

    static TextBlock* make(std::wstring_view text) {
        void* memory = ::operator new(sizeof(TextBlock) + text.size() * sizeof(wchar_t));
        auto* block = new (memory) TextBlock{1, text.size(), {0}};
        std::memcpy(block->chars, text.data(), text.size() * sizeof(wchar_t));
        block->chars[text.size()] = 0;
        return block;
    }
};

namespace {

constexpr std::array<std::wstring_view, 8> kErrorTexts = {
    L"#NULL!", L"#DIV/0!", L"#VALUE!", L"#REF!", L"#NAME?", L"#NUM!", L"#N/A", L"#CIRC!"};

} // namespace

std::wstring_view errorText(ErrorCode code) {
    auto index = static_cast<std::size_t>(code) - 1;
    return index < kErrorTexts.size() ? kErrorTexts[index] : kErrorTexts[2];
}

std::optional<ErrorCode> errorFromText(std::wstring_view text) {
    for (std::size_t i = 0; i < kErrorTexts.size(); ++i)
        if (compareTextNoCase(text, kErrorTexts[i]) == 0) return static_cast<ErrorCode>(i + 1);
    return std::nullopt;
}

Value::Value(const Value& other) noexcept : number_(other.number_), kind_(other.kind_) {
    if (kind_ == ValueKind::Text) ++text_->refs;
}

Value& Value::operator=(const Value& other) noexcept {
    if (this != &other) {
        if (other.kind_ == ValueKind::Text) ++other.text_->refs;
        release();
        number_ = other.number_;
        kind_ = other.kind_;
    }
    return *this;
}

void Value::releaseText() noexcept {
    if (--text_->refs == 0) {
        text_->~TextBlock();
        ::operator delete(text_);
    }
}

Value Value::boolean(bool v) noexcept {
    Value value;
    value.boolean_ = v;
    value.kind_ = ValueKind::Boolean;
    return value;
}

Value Value::text(std::wstring_view v) {
    Value value;
    value.text_ = TextBlock::make(v);
    value.kind_ = ValueKind::Text;
    return value;
}

Value Value::error(ErrorCode code) noexcept {
    Value value;
    value.error_ = code;
    value.kind_ = ValueKind::Error;
    return value;
}

std::wstring_view Value::asText() const noexcept {
    if (kind_ != ValueKind::Text) return {};
    return {text_->chars, text_->length};
}

bool Value::operator==(const Value& other) const noexcept {
    if (kind_ != other.kind_) return false;
    switch (kind_) {
    case ValueKind::Empty:
        return true;
    case ValueKind::Number:
        return number_ == other.number_;
    case ValueKind::Boolean:
        return boolean_ == other.boolean_;
    case ValueKind::Text:
        return asText() == other.asText();
    case ValueKind::Error:
        return error_ == other.error_;
    }
    return false;
}

namespace {

bool isBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

std::wstring_view trimBlanks(std::wstring_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Copies the ASCII number characters of `text` into `out`; false when anything else occurs or
// the shape is not digits [. digits] [e [sign] digits].
bool numberShape(std::wstring_view text, std::string& out) {
    std::size_t i = 0, digits = 0;
    auto takeDigits = [&] {
        std::size_t n = 0;
        while (i < text.size() && text[i] >= L'0' && text[i] <= L'9') {
            out.push_back(static_cast<char>(text[i++]));
            ++n;
        }
        return n;
    };
    digits += takeDigits();
    if (i < text.size() && text[i] == L'.') {
        out.push_back('.');
        ++i;
        digits += takeDigits();
    }
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
        out.push_back('e');
        ++i;
        if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
            out.push_back(static_cast<char>(text[i++]));
        if (takeDigits() == 0) return false;
    }
    return i == text.size();
}

} // namespace

std::optional<double> parseNumber(std::wstring_view text) {
    text = trimBlanks(text);
    bool percent = false;
    if (!text.empty() && text.back() == L'%') {
        percent = true;
        text = trimBlanks(text.substr(0, text.size() - 1));
    }
    bool negative = false;
    if (!text.empty() && (text.front() == L'+' || text.front() == L'-')) {
        negative = text.front() == L'-';
        text.remove_prefix(1);
    }
    std::string narrow;
    if (text.size() > 400 || !numberShape(text, narrow)) return std::nullopt;
    double v = 0.0;
    auto [end, ec] = std::from_chars(narrow.data(), narrow.data() + narrow.size(), v);
    if (ec == std::errc::result_out_of_range) {
        // Underflow reads as 0; overflow is not a number.
        bool tiny = narrow.find("e-") != std::string::npos;
        if (!tiny) return std::nullopt;
        v = 0.0;
    } else if (ec != std::errc() || end != narrow.data() + narrow.size()) {
        return std::nullopt;
    }
    if (negative) v = -v;
    if (percent) v /= 100.0;
    return v;
}

namespace {

// 15 significant digits of |v| as a digit string without trailing zeros, and the decimal
// exponent of the first digit.
void significantDigits(double v, std::string& digits, int& exponent) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(v),
                                std::chars_format::scientific, 14);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    auto e = text.find('e');
    digits.assign(1, text[0]);
    digits.append(text.substr(2, e - 2));
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
}

} // namespace

std::wstring formatNumber(double v) {
    if (std::isnan(v)) return L"#NUM!";
    if (std::isinf(v)) return L"#NUM!";
    if (v == 0.0) return L"0";
    std::string digits;
    int exponent = 0;
    significantDigits(v, digits, exponent);
    std::string out = v < 0 ? "-" : "";
    if (exponent >= -9 && exponent < 15) {
        if (exponent < 0) {
            out += "0.";
            out.append(static_cast<std::size_t>(-exponent - 1), '0');
            out += digits;
        } else if (static_cast<int>(digits.size()) <= exponent + 1) {
            out += digits;
            out.append(static_cast<std::size_t>(exponent + 1) - digits.size(), '0');
        } else {
            out += digits.substr(0, static_cast<std::size_t>(exponent + 1));
            out += '.';
            out += digits.substr(static_cast<std::size_t>(exponent + 1));
        }
    } else {
        out += digits.substr(0, 1);
        if (digits.size() > 1) out.append(".").append(digits, 1);
        char exp[16];
        std::snprintf(exp, sizeof exp, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        out += exp;
    }
    return std::wstring(out.begin(), out.end());
}

std::optional<double> toNumber(const Value& v, ErrorCode& error) {
    switch (v.kind()) {
    case ValueKind::Empty:
        return 0.0;
    case ValueKind::Number:
        return v.asNumber();
    case ValueKind::Boolean:
        return v.asBoolean() ? 1.0 : 0.0;
    case ValueKind::Text:
        if (auto number = parseNumber(v.asText())) return number;
        error = ErrorCode::Value;
        return std::nullopt;
    case ValueKind::Error:
        error = v.asError();
        return std::nullopt;
    }
    error = ErrorCode::Value;
    return std::nullopt;
}

std::wstring toText(const Value& v) {
    switch (v.kind()) {
    case ValueKind::Empty:
        return {};
    case ValueKind::Number:
        return formatNumber(v.asNumber());
    case ValueKind::Boolean:
        return v.asBoolean() ? L"TRUE" : L"FALSE";
    case ValueKind::Text:
        return std::wstring(v.asText());
    case ValueKind::Error:
        return std::wstring(errorText(v.asError()));
    }
    return {};
}

std::optional<bool> toBoolean(const Value& v, ErrorCode& error) {
    switch (v.kind()) {
    case ValueKind::Empty:
        return false;
    case ValueKind::Number:
        return v.asNumber() != 0.0;
    case ValueKind::Boolean:
        return v.asBoolean();
    case ValueKind::Text:
        if (compareTextNoCase(v.asText(), L"TRUE") == 0) return true;
        if (compareTextNoCase(v.asText(), L"FALSE") == 0) return false;
        error = ErrorCode::Value;
        return std::nullopt;
    case ValueKind::Error:
        error = v.asError();
        return std::nullopt;
    }
    error = ErrorCode::Value;
    return std::nullopt;
}

int compareTextNoCase(std::wstring_view a, std::wstring_view b) {
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        // The same letter folding as the text functions, so that "=" and look-ups agree.
        wchar_t ca = fn::toLowerChar(a[i]);
        wchar_t cb = fn::toLowerChar(b[i]);
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

namespace {

// Rank of a kind in comparisons: numbers < texts < booleans.
int kindRank(ValueKind kind) {
    switch (kind) {
    case ValueKind::Text:
        return 1;
    case ValueKind::Boolean:
        return 2;
    default:
        return 0;
    }
}

// An empty operand takes the other side's kind: 0, "" or FALSE.
Value emptyAs(const Value& other) {
    switch (other.kind()) {
    case ValueKind::Text:
        return Value::text(L"");
    case ValueKind::Boolean:
        return Value::boolean(false);
    default:
        return Value::number(0.0);
    }
}

} // namespace

int compareValues(const Value& a, const Value& b) {
    if (a.isEmpty() && b.isEmpty()) return 0;
    if (a.isEmpty()) return compareValues(emptyAs(b), b);
    if (b.isEmpty()) return compareValues(a, emptyAs(a));
    int ra = kindRank(a.kind()), rb = kindRank(b.kind());
    if (ra != rb) return ra < rb ? -1 : 1;
    switch (a.kind()) {
    case ValueKind::Number:
        return a.asNumber() < b.asNumber() ? -1 : (a.asNumber() > b.asNumber() ? 1 : 0);
    case ValueKind::Boolean:
        return static_cast<int>(a.asBoolean()) - static_cast<int>(b.asBoolean());
    case ValueKind::Text:
        return compareTextNoCase(a.asText(), b.asText());
    default:
        return 0;
    }
}

} // namespace gridx
