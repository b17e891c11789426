#include "JsonLine.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace bench {
namespace {

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string numberText(double value) {
    if (!std::isfinite(value)) return "null";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    void skipBlanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t'))
            ++pos_;
    }
    bool take(char c) {
        skipBlanks();
        if (pos_ >= text_.size() || text_[pos_] != c) return false;
        ++pos_;
        return true;
    }
    bool atEnd() {
        skipBlanks();
        return pos_ >= text_.size() || text_[pos_] == '\r' || text_[pos_] == '\n';
    }
    std::optional<std::string> string() {
        if (!take('"')) return std::nullopt;
        std::string out;
        while (pos_ < text_.size() && text_[pos_] != '"') {
            if (text_[pos_] == '\\' && pos_ + 1 < text_.size()) ++pos_;
            out += text_[pos_++];
        }
        if (pos_ >= text_.size()) return std::nullopt;
        ++pos_;
        return out;
    }
    // A bare token: number, true, false or null.
    std::optional<std::string> bare() {
        skipBlanks();
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != ',' && text_[pos_] != '}' &&
               text_[pos_] != ' ')
            ++pos_;
        if (pos_ == start) return std::nullopt;
        return std::string(text_.substr(start, pos_ - start));
    }
    std::optional<std::string> value() {
        skipBlanks();
        if (pos_ < text_.size() && text_[pos_] == '"') return string();
        return bare();
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace

void JsonWriter::key(std::string_view name) {
    if (!body_.empty()) body_ += ',';
    body_ += quoted(name) + ":";
}

JsonWriter& JsonWriter::add(std::string_view name, double value) {
    key(name);
    body_ += numberText(value);
    return *this;
}

JsonWriter& JsonWriter::add(std::string_view name, std::string_view value) {
    key(name);
    body_ += quoted(value);
    return *this;
}

std::optional<JsonRecord> JsonRecord::parse(std::string_view line) {
    Scanner in(line);
    JsonRecord record;
    if (!in.take('{')) return std::nullopt;
    if (in.take('}')) return in.atEnd() ? std::optional(record) : std::nullopt;
    do {
        auto name = in.string();
        if (!name || !in.take(':')) return std::nullopt;
        auto value = in.value();
        if (!value) return std::nullopt;
        record.fields_[*name] = *value;
    } while (in.take(','));
    if (!in.take('}') || !in.atEnd()) return std::nullopt;
    return record;
}

std::string JsonRecord::text(const std::string& name) const {
    const auto found = fields_.find(name);
    return found == fields_.end() ? std::string() : found->second;
}

std::optional<double> JsonRecord::number(const std::string& name) const {
    const auto found = fields_.find(name);
    if (found == fields_.end() || found->second.empty()) return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(found->second.c_str(), &end);
    if (end == found->second.c_str() || *end != '\0') return std::nullopt;
    return value;
}

} // namespace bench
