// A small strict JSON (RFC 8259) reader and a canonical writer, for the framework's own files.
// Values keep the byte offset where they start, so that readers of a format built on it can
// report line:column of a bad value.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace trkx::json {

enum class Type { Null, Bool, Number, String, Array, Object };

struct Member;

struct Value {
    Type type = Type::Null;
    bool boolean = false;
    double number = 0.0;
    std::string text; // UTF-8
    std::vector<Value> items;
    std::vector<Member> members; // in file order; names are unique
    std::size_t offset = 0;      // byte offset of the value's first character
};

struct Member {
    std::string name;
    std::size_t offset = 0; // byte offset of the name
    Value value;
};

struct Error {
    std::size_t offset = 0;
    std::string message;
};

inline constexpr int kMaxDepth = 64;

// Parses one value filling the whole text (blanks around allowed, one leading byte-order mark
// skipped). False with `error` set on any syntax error, invalid UTF-8, a duplicate member name,
// a number out of range or nesting deeper than kMaxDepth.
[[nodiscard]] bool parse(std::string_view text, Value& value, Error& error);

// "line:column" of a byte offset, both from 1; the column counts characters.
std::string location(std::string_view text, std::size_t offset);

// Canonical text: 2-space indentation, one member or item per line, empty containers as [] and
// {}, shortest round-trip numbers, a final line break. Non-finite numbers are written as null.
std::string write(const Value& value);

// Builders for writers.
Value makeString(std::string_view text);
Value makeNumber(double number);
Value makeBool(bool flag);
Value makeArray();
Value makeObject();
void addMember(Value& object, std::string_view name, Value value);

} // namespace trkx::json
