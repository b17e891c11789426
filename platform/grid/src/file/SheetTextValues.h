// Scalar values of the sheet text format: numbers, integers, flags, colours and quoted texts,
// read from the decoded words of a record and appended to the UTF-8 text being written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace gridx::sheetfile {

// A finite decimal number: optional sign, digits with an optional point, optional exponent.
std::optional<double> parseDecimal(std::wstring_view text);
// A decimal integer with optional sign, or "0x" followed by hex digits; within [min, max].
std::optional<std::int64_t> parseInteger(std::wstring_view text, std::int64_t min,
                                         std::int64_t max);
// "yes"/"no", "true"/"false", "1"/"0", in any case.
std::optional<bool> parseFlag(std::wstring_view text);
// "#RRGGBB" (red first) or a raw colour reference "0x..." (0x00BBGGRR, or a system colour
// reference such as 0x8000000B).
std::optional<std::uint32_t> parseColour(std::wstring_view text);

// " key=": a blank, the key and "=", ready for the value.
void appendKey(std::string& out, std::string_view key);
// The shortest decimal text that reads back as exactly `v`. Requires a finite `v`.
void appendNumber(std::string& out, double v);
// Decimal integer.
void appendInteger(std::string& out, std::int64_t v);
// "0x" and upper-case hex digits.
void appendHex(std::string& out, std::uint32_t v);
// "#RRGGBB" for a plain colour, the raw "0x........" form for anything with a high byte.
void appendColour(std::string& out, std::uint32_t colour);
void appendFlag(std::string& out, bool v);
// The text between double quotes: '"' doubled, "`" as "``", line feed, carriage return and tab as
// "`n", "`r", "`t", other control characters and lone surrogates as "`u{...}", characters beyond
// U+10FFFF as U+FFFD; everything else as UTF-8.
void appendQuoted(std::string& out, std::wstring_view text);

// " key=value" with the value written as above.
void appendNumberKey(std::string& out, std::string_view key, double v);
void appendIntegerKey(std::string& out, std::string_view key, std::int64_t v);
void appendFlagKey(std::string& out, std::string_view key, bool v);
void appendColourKey(std::string& out, std::string_view key, std::uint32_t colour);
void appendTextKey(std::string& out, std::string_view key, std::wstring_view text);
// " key=word" for a word of ASCII characters (an error text, a type name).
void appendWordKey(std::string& out, std::string_view key, std::wstring_view word);

} // namespace gridx::sheetfile
