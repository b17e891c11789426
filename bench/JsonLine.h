// Flat JSON objects on one line: how each measuring process reports its numbers.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace bench {

// Writes {"key":value,...} in the order the fields are added.
class JsonWriter {
public:
    JsonWriter& add(std::string_view key, double value);
    JsonWriter& add(std::string_view key, std::string_view value);
    std::string str() const { return "{" + body_ + "}"; }

private:
    void key(std::string_view name);
    std::string body_;
};

// One parsed flat object: string and number fields (nested values are not supported).
class JsonRecord {
public:
    // Empty when the line is not a flat JSON object.
    static std::optional<JsonRecord> parse(std::string_view line);

    bool has(const std::string& key) const { return fields_.count(key) != 0; }
    std::string text(const std::string& key) const;
    // Empty when the field is missing or not a number.
    std::optional<double> number(const std::string& key) const;

private:
    std::map<std::string, std::string> fields_;
};

} // namespace bench
