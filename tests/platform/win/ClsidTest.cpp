#include "win/objbase.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <set>
#include <string>

namespace {

const GUID kSample = {0x12345678, 0x9ABC, 0xDEF0, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};

std::wstring text(const GUID& guid) {
    LPOLESTR out = nullptr;
    EXPECT_EQ(StringFromCLSID(guid, &out), S_OK);
    std::wstring result = out ? out : L"";
    CoTaskMemFree(out);
    return result;
}

TEST(ClsidTest, GuidsAreWrittenInTheBracedUpperCaseForm) {
    const std::size_t before = winx::liveTaskMemBlocks();
    EXPECT_EQ(text(kSample), L"{12345678-9ABC-DEF0-0123-456789ABCDEF}");
    EXPECT_EQ(text(GUID_NULL), L"{00000000-0000-0000-0000-000000000000}");
    EXPECT_EQ(winx::liveTaskMemBlocks(), before) << "the caller's CoTaskMemFree releases it";

    wchar_t buffer[39];
    EXPECT_EQ(StringFromGUID2(kSample, buffer, 39), 39);
    EXPECT_EQ(std::wstring(buffer), text(kSample));
    EXPECT_EQ(StringFromGUID2(kSample, buffer, 38), 0);
}

TEST(ClsidTest, TextReadsBackIntoTheSameGuid) {
    winx::setGuidSeed(7);
    for (int i = 0; i < 50; ++i) {
        GUID guid;
        ASSERT_EQ(CoCreateGuid(&guid), S_OK);
        const std::wstring written = text(guid);
        CLSID parsed;
        ASSERT_EQ(CLSIDFromString(written.c_str(), &parsed), NOERROR) << i;
        EXPECT_TRUE(IsEqualGUID(parsed, guid));
        std::wstring lower = written;
        for (auto& c : lower)
            c = static_cast<wchar_t>(std::towlower(c));
        IID iid;
        ASSERT_EQ(IIDFromString(lower.c_str(), &iid), S_OK);
        EXPECT_TRUE(iid == guid);
    }
    CLSID fromNull = kSample;
    EXPECT_EQ(CLSIDFromString(nullptr, &fromNull), NOERROR);
    EXPECT_TRUE(fromNull == GUID_NULL);
}

TEST(ClsidTest, MalformedTextsAreRefusedAndLeaveTheResultAlone) {
    const wchar_t* malformed[] = {
        L"",
        L"12345678-9ABC-DEF0-0123-456789ABCDEF",
        L"{12345678-9ABC-DEF0-0123-456789ABCDEF",
        L"{12345678-9ABC-DEF0-0123-456789ABCDEF}x",
        L"{12345678-9ABC-DEF0-0123-456789ABCDE}",
        L"{12345678-9ABC-DEF0-0123-456789ABCDEG}",
        L"{12345678_9ABC-DEF0-0123-456789ABCDEF}",
        L"{1234567-89ABC-DEF0-0123-456789ABCDEF}",
        L"(12345678-9ABC-DEF0-0123-456789ABCDEF)",
        L"{12345678-9ABC-DEF0-0123-456789ABCD F}",
    };
    for (const wchar_t* candidate : malformed) {
        CLSID clsid = kSample;
        EXPECT_EQ(CLSIDFromString(candidate, &clsid), CO_E_CLASSSTRING) << candidate;
        EXPECT_TRUE(clsid == kSample);
        IID iid = kSample;
        EXPECT_EQ(IIDFromString(candidate, &iid), E_INVALIDARG) << candidate;
        EXPECT_TRUE(iid == kSample);
    }
}

TEST(ClsidTest, FreshGuidsAreVersionFourAndRepeatableWithASeed) {
    auto sequence = [](std::uint64_t seed) {
        winx::setGuidSeed(seed);
        std::vector<std::wstring> texts;
        for (int i = 0; i < 5; ++i) {
            GUID guid;
            CoCreateGuid(&guid);
            EXPECT_EQ(guid.Data3 >> 12, 4);
            EXPECT_EQ(guid.Data4[0] & 0xC0, 0x80);
            texts.push_back(text(guid));
        }
        return texts;
    };
    const auto first = sequence(99);
    EXPECT_EQ(sequence(99), first);
    EXPECT_NE(sequence(100), first);
    EXPECT_EQ(std::set<std::wstring>(first.begin(), first.end()).size(), first.size());
}

TEST(ClsidTest, TaskMemoryIgnoresUnknownBlocks) {
    const std::size_t before = winx::liveTaskMemBlocks();
    void* block = CoTaskMemAlloc(16);
    ASSERT_NE(block, nullptr);
    block = CoTaskMemRealloc(block, 64);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(winx::liveTaskMemBlocks(), before + 1);
    CoTaskMemFree(block);
    CoTaskMemFree(block); // a second free is ignored
    int local = 0;
    CoTaskMemFree(&local);
    EXPECT_EQ(CoTaskMemRealloc(&local, 8), nullptr);
    EXPECT_EQ(winx::liveTaskMemBlocks(), before);
}

TEST(ClsidTest, GuidsCompareByEveryField) {
    GUID other = kSample;
    EXPECT_TRUE(other == kSample);
    other.Data4[7] ^= 1;
    EXPECT_FALSE(IsEqualCLSID(other, kSample));
    other = kSample;
    other.Data2 ^= 1;
    EXPECT_TRUE(other != kSample);
}

} // namespace
