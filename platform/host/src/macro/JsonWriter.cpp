#include "Json.h"

#include <charconv>
#include <cmath>

namespace trkx::json {
namespace {

void writeText(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                static constexpr char kHex[] = "0123456789abcdef";
                out += "\\u00";
                out += kHex[(c >> 4) & 0xF];
                out += kHex[c & 0xF];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

void writeNumber(std::string& out, double number) {
    if (!std::isfinite(number)) {
        out += "null";
        return;
    }
    char buffer[32];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, number);
    out.append(buffer, ec == std::errc() ? end : buffer);
}

void indent(std::string& out, int level) {
    out.append(static_cast<std::size_t>(level) * 2, ' ');
}

void writeValue(std::string& out, const Value& value, int level);

void writeArray(std::string& out, const Value& value, int level) {
    if (value.items.empty()) {
        out += "[]";
        return;
    }
    out += "[\n";
    for (std::size_t i = 0; i < value.items.size(); ++i) {
        indent(out, level + 1);
        writeValue(out, value.items[i], level + 1);
        out += i + 1 < value.items.size() ? ",\n" : "\n";
    }
    indent(out, level);
    out += ']';
}

void writeObject(std::string& out, const Value& value, int level) {
    if (value.members.empty()) {
        out += "{}";
        return;
    }
    out += "{\n";
    for (std::size_t i = 0; i < value.members.size(); ++i) {
        indent(out, level + 1);
        writeText(out, value.members[i].name);
        out += ": ";
        writeValue(out, value.members[i].value, level + 1);
        out += i + 1 < value.members.size() ? ",\n" : "\n";
    }
    indent(out, level);
    out += '}';
}

void writeValue(std::string& out, const Value& value, int level) {
    switch (value.type) {
    case Type::Null:
        out += "null";
        break;
    case Type::Bool:
        out += value.boolean ? "true" : "false";
        break;
    case Type::Number:
        writeNumber(out, value.number);
        break;
    case Type::String:
        writeText(out, value.text);
        break;
    case Type::Array:
        writeArray(out, value, level);
        break;
    case Type::Object:
        writeObject(out, value, level);
        break;
    }
}

} // namespace

std::string write(const Value& value) {
    std::string out;
    writeValue(out, value, 0);
    out += '\n';
    return out;
}

Value makeString(std::string_view text) {
    Value value;
    value.type = Type::String;
    value.text = text;
    return value;
}

Value makeNumber(double number) {
    Value value;
    value.type = Type::Number;
    value.number = number;
    return value;
}

Value makeBool(bool flag) {
    Value value;
    value.type = Type::Bool;
    value.boolean = flag;
    return value;
}

Value makeArray() {
    Value value;
    value.type = Type::Array;
    return value;
}

Value makeObject() {
    Value value;
    value.type = Type::Object;
    return value;
}

void addMember(Value& object, std::string_view name, Value value) {
    object.members.push_back(Member{std::string(name), 0, std::move(value)});
}

} // namespace trkx::json
