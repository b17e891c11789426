#include "functions/DateSerial.h"

#include <cmath>
#include <string>

namespace gridx::fn {

namespace {

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar (eras of 400 years).
constexpr long daysFromCivil(long y, long m, long d) {
    y -= m <= 2 ? 1 : 0;
    long era = (y >= 0 ? y : y - 399) / 400;
    long yoe = y - era * 400;
    long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CivilDate civilFromDays(long z) {
    z += 719468;
    long era = (z >= 0 ? z : z - 146096) / 146097;
    long doe = z - era * 146097;
    long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long mp = (5 * doy + 2) / 153;
    long d = doy - (153 * mp + 2) / 5 + 1;
    long m = mp < 10 ? mp + 3 : mp - 9;
    long y = yoe + era * 400 + (m <= 2 ? 1 : 0);
    return {static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)};
}

constexpr long kEpoch = daysFromCivil(1899, 12, 30);

// The serial of the first day of a month, counting the phantom 1900-02-29.
long serialOfMonthStart(long year, long month) {
    long days = daysFromCivil(year, month, 1) - kEpoch;
    bool beforeMarch1900 = year == 1900 && month <= 2;
    return beforeMarch1900 ? days - 1 : days;
}

} // namespace

std::optional<double> serialFromDate(double year, double month, double day) {
    year = std::trunc(year);
    month = std::trunc(month);
    day = std::trunc(day);
    if (year < 0.0 || year >= 10000.0) return std::nullopt;
    if (year < 1900.0) year += 1900.0;
    if (std::fabs(month) > 1e6 || std::fabs(day) > 1e8) return std::nullopt;
    double monthIndex = year * 12.0 + (month - 1.0);
    double normalisedYear = std::floor(monthIndex / 12.0);
    double normalisedMonth = monthIndex - normalisedYear * 12.0 + 1.0;
    if (normalisedYear < 1900.0 || normalisedYear > 9999.0) return std::nullopt;
    double serial = static_cast<double>(serialOfMonthStart(static_cast<long>(normalisedYear),
                                                           static_cast<long>(normalisedMonth))) +
                    day - 1.0;
    if (serial < 0.0 || serial > kMaxSerial) return std::nullopt;
    return serial;
}

CivilDate dateFromSerial(long serial) {
    if (serial <= 0) return {1900, 1, 0};
    if (serial == 60) return {1900, 2, 29};
    long days = serial < 60 ? serial + 1 : serial;
    return civilFromDays(kEpoch + days);
}

std::optional<DayAndSecond> splitSerial(double serial) {
    if (!(serial >= 0.0) || serial >= kMaxSerial + 1.0) return std::nullopt;
    auto seconds = static_cast<long long>(std::llround(serial * kSecondsPerDay));
    auto perDay = static_cast<long long>(kSecondsPerDay);
    return DayAndSecond{static_cast<long>(seconds / perDay), static_cast<long>(seconds % perDay)};
}

namespace {

// A small cursor over the text being read.
struct Reader {
    std::wstring_view text;
    std::size_t at = 0;

    void skipBlanks() {
        while (at < text.size() && text[at] == L' ')
            ++at;
    }
    bool done() const { return at >= text.size(); }
    bool take(wchar_t c) {
        if (at < text.size() && text[at] == c) {
            ++at;
            return true;
        }
        return false;
    }
    // Up to `maxDigits` digits; nullopt when there is none.
    std::optional<long> integer(std::size_t maxDigits) {
        long value = 0;
        std::size_t n = 0;
        while (at < text.size() && n < maxDigits && text[at] >= L'0' && text[at] <= L'9') {
            value = value * 10 + (text[at++] - L'0');
            ++n;
        }
        if (n == 0) return std::nullopt;
        return value;
    }
    // Seconds with an optional fraction ("05.25").
    std::optional<double> seconds() {
        auto whole = integer(2);
        if (!whole) return std::nullopt;
        double value = static_cast<double>(*whole), scale = 0.1;
        if (take(L'.'))
            while (at < text.size() && text[at] >= L'0' && text[at] <= L'9') {
                value += scale * (text[at++] - L'0');
                scale /= 10.0;
            }
        return value;
    }
    // "AM" or "PM" in any case; 0 none, 1 AM, 2 PM.
    int meridiem() {
        skipBlanks();
        if (text.size() - at < 2) return 0;
        wchar_t first = text[at] | 0x20, second = text[at + 1] | 0x20;
        if (second != L'm' || (first != L'a' && first != L'p')) return 0;
        at += 2;
        return first == L'a' ? 1 : 2;
    }
};

// "yyyy-mm-dd" or "m/d/yyyy".
std::optional<double> readDate(Reader& r) {
    std::size_t start = r.at;
    auto first = r.integer(4);
    if (!first) return std::nullopt;
    if (r.at - start == 4 && r.take(L'-')) {
        auto month = r.integer(2);
        if (!month || !r.take(L'-')) return std::nullopt;
        auto day = r.integer(2);
        if (!day || *month < 1 || *month > 12 || *day < 1 || *day > 31) return std::nullopt;
        return serialFromDate(static_cast<double>(*first), static_cast<double>(*month),
                              static_cast<double>(*day));
    }
    if (r.at - start > 2 || !r.take(L'/')) return std::nullopt;
    auto day = r.integer(2);
    if (!day || !r.take(L'/')) return std::nullopt;
    auto year = r.integer(4);
    if (!year || *first < 1 || *first > 12 || *day < 1 || *day > 31) return std::nullopt;
    return serialFromDate(static_cast<double>(*year), static_cast<double>(*first),
                          static_cast<double>(*day));
}

// "h:mm", "h:mm:ss" with an optional fraction of a second and AM/PM, as a fraction of a day.
std::optional<double> readTime(Reader& r) {
    auto hour = r.integer(2);
    if (!hour || !r.take(L':')) return std::nullopt;
    auto minute = r.integer(2);
    if (!minute || *minute > 59) return std::nullopt;
    double second = 0.0;
    if (r.take(L':')) {
        auto s = r.seconds();
        if (!s || *s >= 60.0) return std::nullopt;
        second = *s;
    }
    int meridiem = r.meridiem();
    if (meridiem != 0 && (*hour < 1 || *hour > 12)) return std::nullopt;
    if (meridiem == 0 && *hour > 23) return std::nullopt;
    long h = meridiem == 0 ? *hour : (*hour % 12) + (meridiem == 2 ? 12 : 0);
    return (static_cast<double>(h) * 3600.0 + static_cast<double>(*minute) * 60.0 + second) /
           kSecondsPerDay;
}

} // namespace

std::optional<double> parseDateTime(std::wstring_view text) {
    Reader r{text};
    r.skipBlanks();
    std::size_t start = r.at;
    double serial = 0.0;
    if (auto date = readDate(r)) {
        serial = *date;
        r.skipBlanks();
        if (r.done()) return serial;
    } else {
        r.at = start;
    }
    auto time = readTime(r);
    if (!time) return std::nullopt;
    r.skipBlanks();
    if (!r.done()) return std::nullopt;
    return serial + *time;
}

} // namespace gridx::fn
