// Text functions: positions count from 1; every text built is at most kMaxTextLength long.
#include "functions/ArgReader.h"
#include "functions/DateSerial.h"
#include "functions/Library.h"
#include "functions/TextUtil.h"

#include <array>
#include <cmath>

namespace gridx::fn {

namespace {

Value fail(ErrorCode code = ErrorCode::Value) {
    return Value::error(code);
}

// A count or position argument as a size; nullopt (and #VALUE! recorded) below `least`.
std::optional<std::size_t> sizeArg(ArgReader& in, std::size_t i, double fallback, double least) {
    auto n = in.integer(i, fallback);
    if (!n) return std::nullopt;
    if (*n < least) return in.fail(ErrorCode::Value);
    // Anything beyond the longest text behaves like the longest text.
    return static_cast<std::size_t>(std::fmin(*n, 2.0 * kMaxTextLength + 2.0));
}

Value fnConcatenate(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    std::wstring joined;
    for (std::size_t i = 0; i < args.size(); ++i) {
        auto part = in.text(i);
        if (!part) return in.failure();
        if (joined.size() + part->size() > kMaxTextLength) return fail();
        joined += *part;
    }
    return textResult(joined);
}

Value fnLen(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    auto text = in.text(0);
    if (!text) return in.failure();
    return Value::number(static_cast<double>(text->size()));
}

Value mapText(FnContext& ctx, Args args, std::wstring (*op)(std::wstring_view)) {
    ArgReader in(ctx, args);
    auto text = in.text(0);
    if (!text) return in.failure();
    return textResult(op(*text));
}

Value fnLower(FnContext& ctx, Args args) {
    return mapText(ctx, args, toLower);
}

Value fnUpper(FnContext& ctx, Args args) {
    return mapText(ctx, args, toUpper);
}

// Upper case for a letter that follows a non-letter, lower case for the others.
std::wstring properCase(std::wstring_view text) {
    std::wstring out(text);
    bool afterLetter = false;
    for (wchar_t& c : out) {
        c = afterLetter ? toLowerChar(c) : toUpperChar(c);
        afterLetter = isLetter(c);
    }
    return out;
}

Value fnProper(FnContext& ctx, Args args) {
    return mapText(ctx, args, properCase);
}

// Leading and trailing spaces removed, inner runs of spaces reduced to one.
std::wstring trimmed(std::wstring_view text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L' ' && (out.empty() || out.back() == L' ')) continue;
        out.push_back(c);
    }
    if (!out.empty() && out.back() == L' ') out.pop_back();
    return out;
}

Value fnTrim(FnContext& ctx, Args args) {
    return mapText(ctx, args, trimmed);
}

// The text without the control characters 0..31.
std::wstring cleaned(std::wstring_view text) {
    std::wstring out;
    for (wchar_t c : text)
        if (static_cast<unsigned>(c) >= 32) out.push_back(c);
    return out;
}

Value fnClean(FnContext& ctx, Args args) {
    return mapText(ctx, args, cleaned);
}

Value fnExact(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    auto a = in.text(0);
    auto b = in.text(1);
    if (!a || !b) return in.failure();
    return Value::boolean(*a == *b);
}

Value fnLeft(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    auto text = in.text(0);
    auto count = sizeArg(in, 1, 1.0, 0.0);
    if (!text || !count) return in.failure();
    return textResult(std::wstring_view(*text).substr(0, *count));
}

Value fnRight(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    auto text = in.text(0);
    auto count = sizeArg(in, 1, 1.0, 0.0);
    if (!text || !count) return in.failure();
    std::size_t n = std::min(*count, text->size());
    return textResult(std::wstring_view(*text).substr(text->size() - n));
}

Value fnMid(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    auto text = in.text(0);
    auto start = sizeArg(in, 1, 1.0, 1.0);
    auto count = sizeArg(in, 2, 0.0, 0.0);
    if (!text || !start || !count) return in.failure();
    if (*start > text->size()) return Value::text(L"");
    return textResult(std::wstring_view(*text).substr(*start - 1, *count));
}

Value fnReplace(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    auto text = in.text(0);
    auto start = sizeArg(in, 1, 1.0, 1.0);
    auto count = sizeArg(in, 2, 0.0, 0.0);
    auto insert = in.text(3);
    if (!text || !start || !count || !insert) return in.failure();
    std::size_t from = std::min(*start - 1, text->size());
    std::size_t n = std::min(*count, text->size() - from);
    std::wstring out = text->substr(0, from) + *insert + text->substr(from + n);
    return textResult(out);
}

Value fnRept(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    auto text = in.text(0);
    auto times = in.integer(1);
    if (!text || !times) return in.failure();
    if (*times < 0.0) return fail();
    if (text->empty() || *times == 0.0) return Value::text(L"");
    if (*times * static_cast<double>(text->size()) > kMaxTextLength) return fail();
    std::wstring out;
    for (double i = 0; i < *times; i += 1.0)
        out += *text;
    return textResult(out);
}

// Replaces every occurrence of `from`, or only the instance-th one.
Value fnSubstitute(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    auto text = in.text(0);
    auto from = in.text(1);
    auto to = in.text(2);
    auto instance = in.integer(3, 0.0);
    if (!text || !from || !to || !instance) return in.failure();
    bool all = args.size() < 4;
    if (!all && *instance < 1.0) return fail();
    if (from->empty()) return textResult(*text);
    std::wstring out;
    std::size_t at = 0, found = 0;
    double seen = 0.0;
    while ((found = text->find(*from, at)) != std::wstring::npos) {
        seen += 1.0;
        out.append(*text, at, found - at);
        out += (all || seen == *instance) ? *to : *from;
        at = found + from->size();
        if (out.size() > kMaxTextLength) return fail();
    }
    out.append(*text, at);
    return textResult(out);
}

// FIND and SEARCH: the 1-based position of the first match at or after start.
Value locate(FnContext& ctx, Args args, bool search) {
    ArgReader in(ctx, args);
    auto needle = in.text(0);
    auto haystack = in.text(1);
    auto start = in.integer(2, 1.0);
    if (!needle || !haystack || !start) return in.failure();
    if (*start < 1.0 || *start > static_cast<double>(haystack->size()) + 1.0) return fail();
    auto from = static_cast<std::size_t>(*start) - 1;
    std::optional<std::size_t> at;
    if (search) {
        at = Wildcard(*needle).findIn(*haystack, from);
    } else if (auto found = haystack->find(*needle, from); found != std::wstring::npos) {
        at = found;
    }
    if (!at) return fail();
    return Value::number(static_cast<double>(*at + 1));
}

Value fnFind(FnContext& ctx, Args args) {
    return locate(ctx, args, false);
}

Value fnSearch(FnContext& ctx, Args args) {
    return locate(ctx, args, true);
}

// Characters 0x80..0x9F of the windowing platform's Western code page.
constexpr std::array<wchar_t, 32> kWesternHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

Value fnChar(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    auto code = in.integer(0);
    if (!code) return in.failure();
    if (*code < 1.0 || *code > 255.0) return fail();
    auto n = static_cast<unsigned>(*code);
    wchar_t c = (n >= 0x80 && n <= 0x9F) ? kWesternHigh[n - 0x80] : static_cast<wchar_t>(n);
    return Value::text(std::wstring(1, c));
}

// The code page number of a character; "?" (63) for characters the code page lacks.
double westernCode(wchar_t c) {
    auto u = static_cast<unsigned>(c);
    for (std::size_t i = 0; i < kWesternHigh.size(); ++i)
        if (kWesternHigh[i] == c) return static_cast<double>(0x80 + i);
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<double>(u);
    return 63.0;
}

Value fnCode(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    auto text = in.text(0);
    if (!text) return in.failure();
    if (text->empty()) return fail();
    return Value::number(westernCode(text->front()));
}

// A number written with thousands separators and an optional leading currency sign.
std::optional<double> parseGroupedNumber(std::wstring_view text) {
    std::wstring plain;
    for (wchar_t c : text)
        if (c != L',' && c != L'$') plain.push_back(c);
    if (plain.size() == text.size()) return std::nullopt;
    return parseNumber(plain);
}

Value fnValue(FnContext& ctx, Args args) {
    ArgReader in(ctx, args);
    Value v = in.value(0);
    if (v.isError()) return v;
    if (v.isNumber()) return v;
    if (v.isEmpty()) return Value::number(0.0);
    if (!v.isText()) return fail();
    if (auto n = parseNumber(v.asText())) return numberResult(*n);
    if (auto n = parseGroupedNumber(v.asText())) return numberResult(*n);
    if (auto n = parseDateTime(v.asText())) return numberResult(*n);
    return fail();
}

constexpr std::array kFunctions = {
    BuiltinInfo{L"CHAR", 1, 1, fnChar, 0},
    BuiltinInfo{L"CLEAN", 1, 1, fnClean, 0},
    BuiltinInfo{L"CODE", 1, 1, fnCode, 0},
    BuiltinInfo{L"CONCATENATE", 1, kAnyArgs, fnConcatenate, 0},
    BuiltinInfo{L"EXACT", 2, 2, fnExact, 0},
    BuiltinInfo{L"FIND", 2, 3, fnFind, 0},
    BuiltinInfo{L"LEFT", 1, 2, fnLeft, 0},
    BuiltinInfo{L"LEN", 1, 1, fnLen, 0},
    BuiltinInfo{L"LOWER", 1, 1, fnLower, 0},
    BuiltinInfo{L"MID", 3, 3, fnMid, 0},
    BuiltinInfo{L"PROPER", 1, 1, fnProper, 0},
    BuiltinInfo{L"REPLACE", 4, 4, fnReplace, 0},
    BuiltinInfo{L"REPT", 2, 2, fnRept, 0},
    BuiltinInfo{L"RIGHT", 1, 2, fnRight, 0},
    BuiltinInfo{L"SEARCH", 2, 3, fnSearch, 0},
    BuiltinInfo{L"SUBSTITUTE", 3, 4, fnSubstitute, 0},
    BuiltinInfo{L"TRIM", 1, 1, fnTrim, 0},
    BuiltinInfo{L"UPPER", 1, 1, fnUpper, 0},
    BuiltinInfo{L"VALUE", 1, 1, fnValue, 0},
};

} // namespace

std::span<const BuiltinInfo> textFunctions() {
    return kFunctions;
}

} // namespace gridx::fn
