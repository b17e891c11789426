// A cell value of the grid engine: empty, number, boolean, text or error, in 16 bytes.
// Text is shared between copies (reference counted, immutable), so copying a value is cheap.
#pragma once

#include <bit>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace gridx {

enum class ValueKind : std::uint8_t { Empty, Number, Boolean, Text, Error };

// Error values a formula can produce; they are ordinary cell values, never a failing status.
enum class ErrorCode : std::uint8_t {
    Null = 1, // "#NULL!"
    Div0,     // "#DIV/0!"
    Value,    // "#VALUE!"
    Ref,      // "#REF!"
    Name,     // "#NAME?"
    Num,      // "#NUM!"
    NA,       // "#N/A"
    Circular, // "#CIRC!" : the cell takes part in a reference cycle
};

// The text an error value shows ("#DIV/0!", ...).
std::wstring_view errorText(ErrorCode code);
// The error whose text is exactly `text` (case-insensitive), if any.
std::optional<ErrorCode> errorFromText(std::wstring_view text);

class Value {
public:
    Value() noexcept : number_(0.0) {}
    Value(const Value& other) noexcept;
    Value(Value&& other) noexcept : number_(other.number_), kind_(other.kind_) {
        other.kind_ = ValueKind::Empty;
    }
    Value& operator=(const Value& other) noexcept;
    Value& operator=(Value&& other) noexcept {
        if (this != &other) {
            release();
            number_ = other.number_;
            kind_ = other.kind_;
            other.kind_ = ValueKind::Empty;
        }
        return *this;
    }
    ~Value() { release(); }

    static Value number(double v) noexcept {
        Value value;
        value.number_ = v;
        value.kind_ = ValueKind::Number;
        return value;
    }
    static Value boolean(bool v) noexcept;
    static Value text(std::wstring_view v);
    static Value error(ErrorCode code) noexcept;

    ValueKind kind() const noexcept { return kind_; }
    bool isEmpty() const noexcept { return kind_ == ValueKind::Empty; }
    bool isNumber() const noexcept { return kind_ == ValueKind::Number; }
    bool isBoolean() const noexcept { return kind_ == ValueKind::Boolean; }
    bool isText() const noexcept { return kind_ == ValueKind::Text; }
    bool isError() const noexcept { return kind_ == ValueKind::Error; }

    // Accessors for the matching kind; other kinds give 0, false, "" or ErrorCode::Value.
    double asNumber() const noexcept { return kind_ == ValueKind::Number ? number_ : 0.0; }
    // The payload read as a number whatever the kind: the number for numbers, meaningless
    // otherwise. For loops that test the kind apart and must not branch on it.
    double payloadAsNumber() const noexcept { return std::bit_cast<double>(payload_); }
    bool asBoolean() const noexcept { return kind_ == ValueKind::Boolean && boolean_; }
    std::wstring_view asText() const noexcept;
    ErrorCode asError() const noexcept {
        return kind_ == ValueKind::Error ? error_ : ErrorCode::Value;
    }

    // Same kind and same content (numbers compare exactly, text case-sensitively).
    bool operator==(const Value& other) const noexcept;

private:
    struct TextBlock;
    // Values are copied and overwritten in the hottest loops: only text needs work.
    void release() noexcept {
        if (kind_ == ValueKind::Text) releaseText();
        kind_ = ValueKind::Empty;
    }
    void releaseText() noexcept;

    union {
        double number_;
        bool boolean_;
        ErrorCode error_;
        TextBlock* text_;
        std::uint64_t payload_; // all of the above as raw bits
    };
    ValueKind kind_ = ValueKind::Empty;
};

// Spreadsheet coercions shared by the operators and the built-in functions.

// Reads a number the way a formula reads text: optional blanks, sign, digits with one decimal
// point, optional exponent, an optional trailing "%" (divides by 100). Nothing else may follow.
std::optional<double> parseNumber(std::wstring_view text);

// Number as a cell shows it without a number format: up to 15 significant digits, no trailing
// zeros, plain notation between 1e-9 and 1e15, else scientific ("1.5E+20"). -0 shows as "0".
std::wstring formatNumber(double v);

// Value to number: empty 0, boolean 0/1, number itself, text parsed (else #VALUE!), error kept.
// Returns the error code in `error` when the result is not a number.
std::optional<double> toNumber(const Value& v, ErrorCode& error);
// Value to text: empty "", number formatNumber, boolean "TRUE"/"FALSE", error its text.
std::wstring toText(const Value& v);
// Value to boolean: empty false, number != 0, boolean itself, text "TRUE"/"FALSE" (any case),
// other text #VALUE!, error kept.
std::optional<bool> toBoolean(const Value& v, ErrorCode& error);

// Comparison as the operators = <> < > <= >= do it: numbers < texts < booleans; texts compare
// case-insensitively; empty compares as 0, "" or FALSE against the other side's kind.
// Returns <0, 0 or >0. Errors must be handled by the caller before comparing.
int compareValues(const Value& a, const Value& b);

// Case-insensitive text equality and ordering used by comparisons and look-ups.
int compareTextNoCase(std::wstring_view a, std::wstring_view b);

} // namespace gridx
