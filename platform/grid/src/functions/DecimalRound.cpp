#include "functions/DecimalRound.h"

#include <charconv>
#include <cmath>
#include <string>

namespace gridx::fn {

namespace {

constexpr int kSignificant = 15;

// The 15 significant digits of |x| and the decimal exponent of the first one.
struct Digits {
    std::string mantissa;
    int exponent = 0;
};

Digits digitsOf(double x) {
    char buffer[64];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(x),
                             std::chars_format::scientific, kSignificant - 1)
                   .ptr;
    std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
    auto e = text.find('e');
    Digits digits;
    digits.mantissa.assign(1, text[0]);
    digits.mantissa.append(text.substr(2, e - 2));
    int exponent = 0;
    std::string_view expText = text.substr(e + 1);
    if (!expText.empty() && expText.front() == '+') expText.remove_prefix(1);
    std::from_chars(expText.data(), expText.data() + expText.size(), exponent);
    digits.exponent = exponent;
    return digits;
}

// Adds one to a decimal digit string ("199" -> "200", "99" -> "100").
void increment(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

double parseScaled(const std::string& digits, long exponent) {
    std::string text = digits + "e" + std::to_string(exponent);
    double v = 0.0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), v);
    if (result.ec == std::errc::result_out_of_range) return exponent > 0 ? HUGE_VAL : 0.0;
    return v;
}

bool roundsAway(const std::string& dropped, RoundMode mode) {
    switch (mode) {
    case RoundMode::HalfAwayFromZero:
        return !dropped.empty() && dropped.front() >= '5';
    case RoundMode::AwayFromZero:
        return dropped.find_first_not_of('0') != std::string::npos;
    case RoundMode::TowardZero:
        break;
    }
    return false;
}

} // namespace

double roundDecimal(double x, int digits, RoundMode mode) {
    if (!std::isfinite(x) || x == 0.0) return x;
    Digits d = digitsOf(x);
    long kept = static_cast<long>(d.exponent) + 1 + digits;
    if (kept >= kSignificant) return x;
    double sign = x < 0 ? -1.0 : 1.0;
    if (kept < 0) {
        if (mode != RoundMode::AwayFromZero) return 0.0;
        return sign * parseScaled("1", -static_cast<long>(digits));
    }
    std::string keep = d.mantissa.substr(0, static_cast<std::size_t>(kept));
    std::string dropped = d.mantissa.substr(static_cast<std::size_t>(kept));
    if (keep.empty()) keep.assign(1, '0');
    if (roundsAway(dropped, mode)) increment(keep);
    return sign * parseScaled(keep, -static_cast<long>(digits));
}

double toSignificant15(double x) {
    if (!std::isfinite(x) || x == 0.0) return x;
    Digits d = digitsOf(x);
    double sign = x < 0 ? -1.0 : 1.0;
    return sign * parseScaled(d.mantissa, static_cast<long>(d.exponent) - (kSignificant - 1));
}

} // namespace gridx::fn
