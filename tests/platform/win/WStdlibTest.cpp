#include "windows.h"

#include <gtest/gtest.h>

#include <climits>

TEST(WStdlib, LeadingNumbersAreReadAndEverythingElseIsZero) {
    EXPECT_EQ(_wtof(L"  12.5mm"), 12.5);
    EXPECT_EQ(_wtof(L"-3e2"), -300.0);
    EXPECT_EQ(_wtof(L"abc"), 0.0);
    EXPECT_EQ(_wtof(L""), 0.0);
    EXPECT_EQ(_wtof(nullptr), 0.0);

    EXPECT_EQ(_wtoi(L" 42 bolts"), 42);
    EXPECT_EQ(_wtoi(L"7.9"), 7);
    EXPECT_EQ(_wtoi(L"-x"), 0);
    EXPECT_EQ(_wtoi(nullptr), 0);
    EXPECT_EQ(_wtoi(L"99999999999"), INT_MAX);
    EXPECT_EQ(_wtoi(L"-99999999999"), INT_MIN);
}
