// PMT, PV, FV, NPER (annuities: money paid out is negative, type 1 pays at the start of each
// period) and the depreciation functions SLN, SYD, DB, DDB.
#include "functions/ArgReader.h"
#include "functions/Library.h"

#include <array>
#include <cmath>

namespace gridx::fn {

namespace {

Value num() {
    return Value::error(ErrorCode::Num);
}

// The five numbers of an annuity function, the last two optional (0).
struct Annuity {
    double a = 0, b = 0, c = 0, d = 0, type = 0;
};

std::optional<Annuity> readAnnuity(ArgReader& in) {
    auto a = in.number(0), b = in.number(1), c = in.number(2), d = in.number(3);
    auto type = in.number(4);
    if (!a || !b || !c || !d || !type) return std::nullopt;
    return Annuity{*a, *b, *c, *d, *type != 0.0 ? 1.0 : 0.0};
}

// (1 + rate)^nper and the annuity factor of the payments, (1 + rate * type) * (growth - 1) / rate.
struct Growth {
    double growth;
    double payments;
};

Growth growthOf(double rate, double nper, double type) {
    double growth = std::pow(1.0 + rate, nper);
    return {growth, (1.0 + rate * type) * (growth - 1.0) / rate};
}

// PMT(rate, nper, pv, [fv], [type])
Value fnPmt(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    auto x = readAnnuity(in);
    if (!x) return in.failure();
    double rate = x->a, nper = x->b, pv = x->c, fv = x->d;
    if (nper == 0.0) return num();
    if (rate == 0.0) return numberResult(-(pv + fv) / nper);
    Growth g = growthOf(rate, nper, x->type);
    return numberResult(-(pv * g.growth + fv) / g.payments);
}

// PV(rate, nper, pmt, [fv], [type])
Value fnPv(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    auto x = readAnnuity(in);
    if (!x) return in.failure();
    double rate = x->a, nper = x->b, pmt = x->c, fv = x->d;
    if (rate == 0.0) return numberResult(-(fv + pmt * nper));
    Growth g = growthOf(rate, nper, x->type);
    return numberResult(-(fv + pmt * g.payments) / g.growth);
}

// FV(rate, nper, pmt, [pv], [type])
Value fnFv(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    auto x = readAnnuity(in);
    if (!x) return in.failure();
    double rate = x->a, nper = x->b, pmt = x->c, pv = x->d;
    if (rate == 0.0) return numberResult(-(pv + pmt * nper));
    Growth g = growthOf(rate, nper, x->type);
    return numberResult(-(pv * g.growth + pmt * g.payments));
}

// NPER(rate, pmt, pv, [fv], [type])
Value fnNper(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    auto x = readAnnuity(in);
    if (!x) return in.failure();
    double rate = x->a, pmt = x->b, pv = x->c, fv = x->d;
    if (rate == 0.0) {
        if (pmt == 0.0) return num();
        return numberResult(-(pv + fv) / pmt);
    }
    if (rate <= -1.0) return num();
    double paid = pmt * (1.0 + rate * x->type);
    double ratio = (paid - fv * rate) / (paid + pv * rate);
    if (!(ratio > 0.0)) return num();
    return numberResult(std::log(ratio) / std::log1p(rate));
}

// SLN(cost, salvage, life)
Value fnSln(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    auto cost = in.number(0), salvage = in.number(1), life = in.number(2);
    if (!cost || !salvage || !life) return in.failure();
    if (*life == 0.0) return Value::error(ErrorCode::Div0);
    return numberResult((*cost - *salvage) / *life);
}

// SYD(cost, salvage, life, period)
Value fnSyd(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    auto cost = in.number(0), salvage = in.number(1), life = in.number(2), per = in.number(3);
    if (!cost || !salvage || !life || !per) return in.failure();
    if (*life <= 0.0 || *per <= 0.0 || *per > *life) return num();
    return numberResult((*cost - *salvage) * (*life - *per + 1.0) * 2.0 / (*life * (*life + 1.0)));
}

// DB(cost, salvage, life, period, [month]): fixed-declining balance with the rate rounded to
// three decimals; the first year counts `month` months, the year after the last the rest.
// The balance before a period has a closed form, so a long life costs no loop.
Value fnDb(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    auto cost = in.number(0), salvage = in.number(1), life = in.number(2);
    auto period = in.integer(3), month = in.integer(4, 12.0);
    if (!cost || !salvage || !life || !period || !month) return in.failure();
    double lastPeriod = *month == 12.0 ? *life : *life + 1.0;
    if (*cost < 0.0 || *salvage < 0.0 || *life <= 0.0 || *period < 1.0 || *month < 1.0 ||
        *month > 12.0 || *period > lastPeriod)
        return num();
    if (*cost == 0.0) return Value::number(0.0);
    double rate = std::round((1.0 - std::pow(*salvage / *cost, 1.0 / *life)) * 1000.0) / 1000.0;
    double first = *cost * rate * *month / 12.0;
    if (*period == 1.0) return numberResult(first);
    double remaining = (*cost - first) * std::pow(1.0 - rate, *period - 2.0);
    double current = remaining * rate;
    if (*period > *life) current = current * (12.0 - *month) / 12.0;
    return numberResult(current);
}

// DDB(cost, salvage, life, period, [factor]): declining balance at factor / life per period,
// never below the salvage value; the balance before `period` has a closed form, so fractional
// periods work too.
Value fnDdb(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    auto cost = in.number(0), salvage = in.number(1), life = in.number(2), period = in.number(3);
    auto factor = in.number(4, 2.0);
    if (!cost || !salvage || !life || !period || !factor) return in.failure();
    if (*cost < 0.0 || *salvage < 0.0 || *life <= 0.0 || *period <= 0.0 || *factor <= 0.0 ||
        *period > *life)
        return num();
    double rate = std::fmin(*factor / *life, 1.0);
    double balance = *cost * std::pow(1.0 - rate, *period - 1.0);
    double depreciation = std::fmin(balance * rate, std::fmax(0.0, balance - *salvage));
    return numberResult(depreciation);
}

constexpr std::array kFunctions = {
    BuiltinInfo{L"DB", 4, 5, fnDb, 0},   BuiltinInfo{L"DDB", 4, 5, fnDdb, 0},
    BuiltinInfo{L"FV", 3, 5, fnFv, 0},   BuiltinInfo{L"NPER", 3, 5, fnNper, 0},
    BuiltinInfo{L"PMT", 3, 5, fnPmt, 0}, BuiltinInfo{L"PV", 3, 5, fnPv, 0},
    BuiltinInfo{L"SLN", 3, 3, fnSln, 0}, BuiltinInfo{L"SYD", 4, 4, fnSyd, 0},
};

} // namespace

std::span<const BuiltinInfo> financialFunctions() {
    return kFunctions;
}

} // namespace gridx::fn
