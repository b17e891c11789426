#include "CellText.h"

#include "functions/DecimalRound.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace gridx::control {

namespace {

constexpr int kMaxDecimals = 15;

std::wstring withoutSeparators(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        if (c != L',') out.push_back(c);
    }
    return out;
}

bool isTrueText(std::wstring_view text) {
    return compareTextNoCase(text, L"TRUE") == 0;
}

Value checkValue(std::wstring_view text) {
    if (auto number = parseNumber(text)) return Value::number(*number != 0.0 ? 1.0 : 0.0);
    return Value::number(isTrueText(text) ? 1.0 : 0.0);
}

bool checked(const Value& value) {
    if (value.isNumber()) return value.asNumber() != 0.0;
    if (value.isBoolean()) return value.asBoolean();
    if (value.isText()) return checkValue(value.asText()).asNumber() != 0.0;
    return false;
}

std::wstring groupThousands(const std::wstring& text) {
    const std::size_t start = (!text.empty() && text[0] == L'-') ? 1 : 0;
    std::size_t end = text.find(L'.');
    if (end == std::wstring::npos) end = text.size();
    std::wstring out = text.substr(0, start);
    for (std::size_t i = start; i < end; ++i) {
        out.push_back(text[i]);
        const std::size_t left = end - i - 1;
        if (left > 0 && left % 3 == 0) out.push_back(L',');
    }
    out.append(text, end, std::wstring::npos);
    return out;
}

} // namespace

std::wstring fixedText(double v, int decimals) {
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    if (!std::isfinite(v)) return std::wstring(errorText(ErrorCode::Num));
    // Rounded on the 15-digit decimal form, so 2.675 shows 2.68 and 180 shows 180.0000000.
    double rounded = fn::roundDecimal(v, decimals, fn::RoundMode::HalfAwayFromZero);
    if (rounded == 0.0) rounded = 0.0; // drops the sign of -0
    char digits[400];                  // the longest fixed form of a double with 15 decimals fits
    const auto end =
        std::to_chars(digits, digits + sizeof digits, rounded, std::chars_format::fixed, decimals)
            .ptr;
    std::wstring out(digits, end); // digits, sign and point only
    return out;
}

Value valueFromData(const CellType& type, std::wstring_view text) {
    if (text.empty()) return Value();
    if (type.kind == CellKind::CheckBox) return checkValue(text);
    if (type.kind == CellKind::General) {
        if (auto number = parseNumber(text)) return Value::number(*number);
        return Value::text(text);
    }
    if (isNumericKind(type.kind)) {
        if (auto number = parseNumber(withoutSeparators(text))) return Value::number(*number);
    }
    return Value::text(text);
}

std::wstring valueText(const CellType& type, const Value& value) {
    if (type.kind == CellKind::CheckBox) return checked(value) ? L"1" : L"0";
    if (!value.isNumber()) return toText(value);
    switch (type.kind) {
    case CellKind::Integer:
        return fixedText(value.asNumber(), 0);
    case CellKind::Number:
    case CellKind::Currency:
    case CellKind::Percent:
        return fixedText(value.asNumber(), type.decimals);
    default:
        return toText(value);
    }
}

std::wstring dataText(const CellType& type, const Value& value) {
    std::wstring text = valueText(type, value);
    const bool grouped = type.separator && value.isNumber() &&
                         (type.kind == CellKind::Number || type.kind == CellKind::Currency);
    return grouped ? groupThousands(text) : text;
}

std::optional<double> numberFrom(const Value& value) {
    if (value.isNumber()) return value.asNumber();
    if (value.isText()) return parseNumber(value.asText());
    return std::nullopt;
}

} // namespace gridx::control
