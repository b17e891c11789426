#include "functions/Criteria.h"

#include "functions/DateSerial.h"

#include <array>

namespace gridx::fn {

int compareTextFolded(std::wstring_view a, std::wstring_view b) {
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        wchar_t ca = toLowerChar(a[i]), cb = toLowerChar(b[i]);
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

Criterion::Criterion(const Value& criterion) {
    switch (criterion.kind()) {
    case ValueKind::Empty: // an empty criterion cell reads as 0
        break;
    case ValueKind::Number:
        number_ = criterion.asNumber();
        break;
    case ValueKind::Boolean:
        operand_ = Operand::Boolean;
        boolean_ = criterion.asBoolean();
        break;
    case ValueKind::Error:
        operand_ = Operand::Error;
        error_ = criterion.asError();
        break;
    case ValueKind::Text:
        parseText(criterion.asText());
        break;
    }
}

void Criterion::parseText(std::wstring_view text) {
    struct Prefix {
        std::wstring_view text;
        Op op;
    };
    constexpr std::array<Prefix, 6> kPrefixes = {Prefix{L"<=", Op::Le}, Prefix{L">=", Op::Ge},
                                                 Prefix{L"<>", Op::Ne}, Prefix{L"<", Op::Lt},
                                                 Prefix{L">", Op::Gt},  Prefix{L"=", Op::Eq}};
    for (const Prefix& prefix : kPrefixes) {
        if (text.starts_with(prefix.text)) {
            op_ = prefix.op;
            explicitEquals_ = prefix.op == Op::Eq;
            text.remove_prefix(prefix.text.size());
            break;
        }
    }
    setOperand(text);
}

void Criterion::setOperand(std::wstring_view rest) {
    if (rest.empty()) {
        operand_ = Operand::Blank;
    } else if (auto number = parseNumber(rest)) {
        number_ = *number;
    } else if (auto serial = parseDateTime(rest)) {
        number_ = *serial;
    } else if (equalNoCase(rest, L"TRUE") || equalNoCase(rest, L"FALSE")) {
        operand_ = Operand::Boolean;
        boolean_ = equalNoCase(rest, L"TRUE");
    } else if (auto error = errorFromText(rest)) {
        operand_ = Operand::Error;
        error_ = *error;
    } else {
        operand_ = Operand::Text;
        text_ = rest;
        if (op_ == Op::Eq || op_ == Op::Ne) pattern_.emplace(rest);
    }
}

bool Criterion::holds(int comparison) const {
    switch (op_) {
    case Op::Eq:
        return comparison == 0;
    case Op::Ne:
        return comparison != 0;
    case Op::Lt:
        return comparison < 0;
    case Op::Le:
        return comparison <= 0;
    case Op::Gt:
        return comparison > 0;
    case Op::Ge:
        return comparison >= 0;
    }
    return false;
}

namespace {

int compareNumbers(double a, double b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

} // namespace

// Compares the cell with an operand of its own kind; `comparable` is false when the kinds
// differ, which only "<>" accepts.
bool Criterion::matchesSameKind(const Value& cell, bool& comparable) const {
    comparable = true;
    switch (operand_) {
    case Operand::Number:
        if (cell.isNumber()) return holds(compareNumbers(cell.asNumber(), number_));
        // A numeric text equals its number, but is not ordered among numbers.
        if (cell.isText() && (op_ == Op::Eq || op_ == Op::Ne))
            if (auto n = parseNumber(cell.asText())) return holds(compareNumbers(*n, number_));
        break;
    case Operand::Text:
        if (!cell.isText()) break;
        if (pattern_) return holds(pattern_->matches(cell.asText()) ? 0 : 1);
        return holds(compareTextFolded(cell.asText(), text_));
    case Operand::Boolean:
        if (cell.isBoolean())
            return holds(static_cast<int>(cell.asBoolean()) - static_cast<int>(boolean_));
        break;
    case Operand::Error:
        if (cell.isError()) return holds(cell.asError() == error_ ? 0 : 1);
        break;
    case Operand::Blank:
        break;
    }
    comparable = false;
    return false;
}

bool Criterion::matches(const Value& cell) const {
    if (operand_ == Operand::Blank) {
        bool blank = cell.isEmpty() || (!explicitEquals_ && cell.isText() && cell.asText().empty());
        if (op_ == Op::Eq) return blank;
        if (op_ == Op::Ne) return !cell.isEmpty();
        return false;
    }
    bool comparable = false;
    bool result = matchesSameKind(cell, comparable);
    if (!comparable) return op_ == Op::Ne;
    return result;
}

} // namespace gridx::fn
