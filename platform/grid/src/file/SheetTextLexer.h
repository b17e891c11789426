// Lexical layer of the sheet text format: lines, records of keyword arguments, quoted texts.
//
// One record per line; blanks are spaces and tabs:
//   line    => blank* [ "#" comment | name { blank+ item } ] blank*
//   item    => word | key "=" value
//   value   => quoted { "," quoted } | word
//   quoted  => '"' { character | '""' | escape } '"'
//   escape  => "`" ( "`" | "n" | "r" | "t" | "0" | "u{" hex-digits "}" )
//   name, key => ASCII letters, digits, "_", "-" and ".", starting with a letter
//   word    => a run of characters other than blanks and '"' (a positional word has no "=")
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace gridx::sheetfile {

// Longest text a file may hold in one quoted value, in characters.
constexpr std::size_t kMaxTextLength = 1u << 20;

// One item of a record: a positional word, or a key with its value.
struct Item {
    std::string key;                  // empty for a positional word
    std::vector<std::wstring> values; // a word or one text; several texts for a quoted list
    bool quoted = false;
};

struct Record {
    std::size_t line = 0;
    std::string name;
    std::vector<Item> items;
};

// Walks the lines of a file. Lines end at "\n"; a "\r" before it is dropped; a byte order mark
// at the very start is skipped.
class LineReader {
public:
    explicit LineReader(std::string_view text);
    // The next line and its number (from 1); false at the end of the text.
    bool next(std::string_view& line, std::size_t& number);

private:
    std::string_view rest_;
    std::size_t number_ = 0;
    bool done_ = false;
};

// True when the line holds no record (blank or a comment).
bool isEmptyLine(std::string_view line);

// Splits a line into a record. False with a problem text (without the line number) when the
// line is malformed: invalid UTF-8, a bad name or key, an unterminated or over-long text, an
// unknown escape.
bool parseRecord(std::string_view line, Record& out, std::wstring& problem);

// Strict UTF-8 decoding: false on any malformed, overlong or surrogate sequence.
bool decodeUtf8(std::string_view bytes, std::wstring& out);

} // namespace gridx::sheetfile
