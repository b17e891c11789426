// Serial dates of the desktop spreadsheet's 1900 date system: serial 1 is 1900-01-01 and
// serial 60 the 1900-02-29 that system counts although it never was, so every serial from 61
// (1900-03-01) on counts days since 1899-12-30. Serial 0 is "1900-01-00". The fraction of a
// serial is the time of day.
#pragma once

#include <optional>
#include <string_view>

namespace gridx::fn {

constexpr double kMaxSerial = 2958465.0; // 9999-12-31
constexpr double kSecondsPerDay = 86400.0;

struct CivilDate {
    int year = 1900;
    int month = 1;
    int day = 0;
};

// The serial of a date; months and days outside their range carry over (month 14 is
// February of the next year, day 0 the last day of the previous month). Years 0..1899 mean
// 1900..3799. nullopt when the year is outside 0..9999 or the date outside 1900-01-00 to
// 9999-12-31.
std::optional<double> serialFromDate(double year, double month, double day);

// The date of a whole serial in 0..kMaxSerial.
CivilDate dateFromSerial(long serial);

// A serial rounded to the nearest second, split into whole days and seconds of the day.
// nullopt for negative or too large serials.
struct DayAndSecond {
    long day = 0;
    long second = 0;
};
std::optional<DayAndSecond> splitSerial(double serial);

// Reads a date, a time of day, or both ("2024-03-15", "3/15/2024", "15:30", "3:30:15 PM",
// "2024-03-15 15:30") as a serial.
std::optional<double> parseDateTime(std::wstring_view text);

} // namespace gridx::fn
