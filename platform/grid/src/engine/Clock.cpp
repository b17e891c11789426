// Calendar serial numbers: days since 1899-12-30, the fraction being the time of day.
#include "engine/SheetImpl.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace gridx {

namespace {

// Days from 1970-01-01 to a proleptic Gregorian date.
long long daysFromCivil(long long y, long long m, long long d) {
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long mp = m > 2 ? m - 3 : m + 9;
    const long long doy = (153 * mp + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

} // namespace

double serialFromDateTime(int year, int month, int day, int hour, int minute, double second) {
    // Months outside 1..12 roll into neighbouring years, days and times simply add up.
    long long y = year;
    long long m = month - 1;
    y += m >= 0 ? m / 12 : (m - 11) / 12;
    m = ((m % 12) + 12) % 12 + 1;
    const long long days = daysFromCivil(y, m, 1) + (day - 1) - daysFromCivil(1899, 12, 30);
    const double time = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
    return static_cast<double>(days) + time;
}

namespace engine {

double systemNow() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto fraction =
        std::chrono::duration<double>(now - std::chrono::system_clock::from_time_t(seconds));
    std::tm local{};
    if (const std::tm* tm = std::localtime(&seconds)) local = *tm;
    return serialFromDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                              local.tm_min, local.tm_sec + fraction.count());
}

} // namespace engine

} // namespace gridx
