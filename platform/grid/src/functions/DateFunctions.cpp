// DATE, TIME, YEAR, MONTH, DAY, HOUR, MINUTE, SECOND, WEEKDAY, NOW, TODAY.
#include "functions/ArgReader.h"
#include "functions/DateSerial.h"
#include "functions/Library.h"

#include <array>
#include <cmath>

namespace gridx::fn {

namespace {

// TIME refuses parts beyond this, as the desktop spreadsheet does.
constexpr double kLargestTimePart = 32767.0;

// A serial argument: a number, or a text that reads as a date or time.
std::optional<double> serialArg(ArgReader& in, std::size_t i) {
    Value v = in.value(i);
    if (v.isText())
        if (auto serial = parseDateTime(v.asText())) return serial;
    return in.number(i);
}

// Reads the serial argument and hands its day and second to `part`.
Value serialPart(FnContext& ctx, Args args, double (*part)(const DayAndSecond&)) {
    ArgReader in(ctx, args);
    auto serial = serialArg(in, 0);
    if (!serial) return in.failure();
    auto split = splitSerial(*serial);
    if (!split) return Value::error(ErrorCode::Num);
    return Value::number(part(*split));
}

Value fnYear(FnContext& ctx, Args args) {
    return serialPart(ctx, args, [](const DayAndSecond& s) {
        return static_cast<double>(dateFromSerial(s.day).year);
    });
}

Value fnMonth(FnContext& ctx, Args args) {
    return serialPart(ctx, args, [](const DayAndSecond& s) {
        return static_cast<double>(dateFromSerial(s.day).month);
    });
}

Value fnDay(FnContext& ctx, Args args) {
    return serialPart(ctx, args, [](const DayAndSecond& s) {
        return static_cast<double>(dateFromSerial(s.day).day);
    });
}

Value fnHour(FnContext& ctx, Args args) {
    return serialPart(ctx, args,
                      [](const DayAndSecond& s) { return static_cast<double>(s.second / 3600); });
}

Value fnMinute(FnContext& ctx, Args args) {
    return serialPart(
        ctx, args, [](const DayAndSecond& s) { return static_cast<double>(s.second / 60 % 60); });
}

Value fnSecond(FnContext& ctx, Args args) {
    return serialPart(ctx, args,
                      [](const DayAndSecond& s) { return static_cast<double>(s.second % 60); });
}

Value fnDate(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    auto year = in.number(0);
    auto month = in.number(1);
    auto day = in.number(2);
    if (!year || !month || !day) return in.failure();
    auto serial = serialFromDate(*year, *month, *day);
    if (!serial) return Value::error(ErrorCode::Num);
    return Value::number(*serial);
}

// TIME(h, m, s): the time of day of that many seconds, wrapping past midnight.
Value fnTime(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    auto hour = in.integer(0);
    auto minute = in.integer(1);
    auto second = in.integer(2);
    if (!hour || !minute || !second) return in.failure();
    for (double part : {*hour, *minute, *second})
        if (part > kLargestTimePart) return Value::error(ErrorCode::Num);
    double total = *hour * 3600.0 + *minute * 60.0 + *second;
    if (total < 0.0) return Value::error(ErrorCode::Num);
    return Value::number(std::fmod(total, kSecondsPerDay) / kSecondsPerDay);
}

// WEEKDAY(serial, [type]): type 1 counts Sunday = 1 .. Saturday = 7, type 2 Monday = 1 ..
// Sunday = 7, type 3 Monday = 0 .. Sunday = 6. Serial 0 is a Saturday, as in the desktop
// spreadsheet's calendar.
Value fnWeekday(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    auto serial = serialArg(in, 0);
    auto type = in.integer(1, 1.0);
    if (!serial || !type) return in.failure();
    auto split = splitSerial(*serial);
    if (!split) return Value::error(ErrorCode::Num);
    long sundayBased = (split->day + 6) % 7;  // 0 = Sunday
    long mondayBased = (sundayBased + 6) % 7; // 0 = Monday
    if (*type == 1.0) return Value::number(static_cast<double>(sundayBased + 1));
    if (*type == 2.0) return Value::number(static_cast<double>(mondayBased + 1));
    if (*type == 3.0) return Value::number(static_cast<double>(mondayBased));
    return Value::error(ErrorCode::Num);
}

Value fnNow(FnContext& ctx, Args) {
    return numberResult(ctx.now());
}

Value fnToday(FnContext& ctx, Args) {
    return numberResult(std::floor(ctx.now()));
}

constexpr std::array kFunctions = {
    BuiltinInfo{L"DATE", 3, 3, fnDate, 0},           BuiltinInfo{L"DAY", 1, 1, fnDay, 0},
    BuiltinInfo{L"HOUR", 1, 1, fnHour, 0},           BuiltinInfo{L"MINUTE", 1, 1, fnMinute, 0},
    BuiltinInfo{L"MONTH", 1, 1, fnMonth, 0},         BuiltinInfo{L"NOW", 0, 0, fnNow, kVolatile},
    BuiltinInfo{L"SECOND", 1, 1, fnSecond, 0},       BuiltinInfo{L"TIME", 3, 3, fnTime, 0},
    BuiltinInfo{L"TODAY", 0, 0, fnToday, kVolatile}, BuiltinInfo{L"WEEKDAY", 1, 2, fnWeekday, 0},
    BuiltinInfo{L"YEAR", 1, 1, fnYear, 0},
};

} // namespace

std::span<const BuiltinInfo> dateFunctions() {
    return kFunctions;
}

} // namespace gridx::fn
