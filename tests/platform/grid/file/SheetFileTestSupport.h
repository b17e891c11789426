// Helpers of the sheet file tests: read a text expecting success or failure, and narrow texts
// for failure messages.
#pragma once

#include "grid/SheetFile.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <string_view>

namespace gridx {

// Values in failure messages: the kind and the text a cell would show.
inline void PrintTo(const Value& value, std::ostream* os) {
    static const char* const kKinds[] = {"empty", "number", "boolean", "text", "error"};
    std::string text;
    for (wchar_t c : toText(value))
        text.push_back(c < 128 ? static_cast<char>(c) : '?');
    *os << kKinds[static_cast<int>(value.kind())] << " \"" << text << "\"";
}

} // namespace gridx

namespace gridx::testing {

inline std::string narrowForMessage(std::wstring_view text) {
    std::string out;
    for (wchar_t c : text)
        out.push_back(c < 128 ? static_cast<char>(c) : '?');
    return out;
}

// Parses text that must read; a failure names the problem.
inline std::unique_ptr<Document> readSheet(std::string_view text) {
    std::wstring problem;
    auto doc = parseSheetText(text, problem);
    EXPECT_NE(doc, nullptr) << narrowForMessage(problem);
    EXPECT_TRUE(doc == nullptr || problem.empty());
    return doc;
}

// Parses text that must be refused; returns the problem text.
inline std::wstring refusal(std::string_view text) {
    std::wstring problem;
    auto doc = parseSheetText(text, problem);
    EXPECT_EQ(doc, nullptr) << "accepted:\n" << text;
    EXPECT_FALSE(problem.empty());
    return problem;
}

// The lines of a file's header, for building test inputs.
inline std::string sheetHeader(int cols, int rows) {
    return "gridsheet version=1\nsize cols=" + std::to_string(cols) +
           " rows=" + std::to_string(rows) + "\n";
}

} // namespace gridx::testing
