#include "acadx.h"
#include "acutads.h"

#include <gtest/gtest.h>

namespace {

class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override { acadx::clearPrinted(); }
};

TEST_F(CommandLineTest, WideTextConversionsFollowTheModulesConvention) {
    const std::wstring path = L"c:\\lib\\t\u00BF3.kvs";
    acutPrintf(L"Loading spreadsheet:%s\n", path.c_str());
    acutPrintf(L"[%-6s|%6s]", L"ab", L"cd");
    acutPrintf(L"%c%c", L'\u0192', L'x');
    acutPrintf(L"%S", "narrow");
    EXPECT_EQ(acadx::printed().at(0), L"Loading spreadsheet:c:\\lib\\t\u00BF3.kvs\n");
    EXPECT_EQ(acadx::printed().at(1), L"[ab    |    cd]");
    EXPECT_EQ(acadx::printed().at(2), L"\u0192x");
    EXPECT_EQ(acadx::printed().at(3), L"narrow");
}

TEST_F(CommandLineTest, NumbersPercentSignsAndLongOutputArePrintedWhole) {
    acutPrintf(L"Result is long: %i\n", 42);
    acutPrintf(L"Result is double: %f\n", 2.5);
    acutPrintf(L"100%% %ld %.2f", 7L, 1.005);
    const std::wstring longText(5000, L'a');
    const int count = acutPrintf(L"%s!", longText.c_str());
    EXPECT_EQ(acadx::printed().at(0), L"Result is long: 42\n");
    EXPECT_EQ(acadx::printed().at(1), L"Result is double: 2.500000\n");
    EXPECT_EQ(acadx::printed().at(2), L"100% 7 1.00");
    EXPECT_EQ(count, 5001);
    EXPECT_EQ(acadx::printed().at(3).size(), 5001u);
    EXPECT_EQ(acutPrintf(nullptr), 0);
    EXPECT_EQ(acadx::printedText().substr(0, 19), L"Result is long: 42\n");
}

} // namespace
