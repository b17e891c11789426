#include "win/utf8.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf8, RoundTripsTheSeparatorsAndBulletsOfLibraryFiles) {
    const std::wstring text = L"a\u00BFb \u0192 \u2022 \U0001F600 plain";
    const std::string bytes = winx::toUtf8(text);
    EXPECT_EQ(bytes, "a\xC2\xBF"
                     "b \xC6\x92 \xE2\x80\xA2 \xF0\x9F\x98\x80 plain");
    EXPECT_EQ(winx::fromUtf8(bytes), text);
}

TEST(Utf8, MalformedInputBecomesReplacementCharacters) {
    EXPECT_EQ(winx::fromUtf8("\xC0\xAF"), L"\uFFFD\uFFFD");           // overlong
    EXPECT_EQ(winx::fromUtf8("\xED\xA0\x80"), L"\uFFFD\uFFFD\uFFFD"); // surrogate
    EXPECT_EQ(winx::fromUtf8("ab\xE2\x80"), L"ab\uFFFD\uFFFD");       // truncated
    EXPECT_EQ(winx::fromUtf8("\xFF"
                             "x"),
              L"\uFFFDx");
    EXPECT_EQ(winx::toUtf8(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");
}

} // namespace
