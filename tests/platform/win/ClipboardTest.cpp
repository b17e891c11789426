#include "win/utf8.h"
#include "win/winbase.h"
#include "win/winclip.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

bool lastErrorIs(LONG code) {
    return GetLastError() == static_cast<DWORD>(code);
}

HWND fakeWindow(std::uintptr_t id) {
    return reinterpret_cast<HWND>(id);
}

class ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        winx::resetClipboard();
        liveBefore = winx::liveGlobalBlocks();
    }
    void TearDown() override {
        winx::resetClipboard();
        EXPECT_EQ(winx::liveGlobalBlocks(), liveBefore);
    }

    static HGLOBAL block(const void* bytes, std::size_t size) {
        HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE, size);
        std::memcpy(GlobalLock(handle), bytes, size);
        GlobalUnlock(handle);
        return handle;
    }

    static HGLOBAL wideText(const std::wstring& text) {
        return block(text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    }

    static std::vector<UINT> enumerated() {
        std::vector<UINT> formats;
        for (UINT format = EnumClipboardFormats(0); format != 0;
             format = EnumClipboardFormats(format))
            formats.push_back(format);
        return formats;
    }

    std::size_t liveBefore = 0;
};

TEST_F(ClipboardTest, ReadingAndChangingNeedTheClipboardOpen) {
    HGLOBAL data = wideText(L"x");
    EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, data), nullptr);
    EXPECT_TRUE(lastErrorIs(ERROR_CLIPBOARD_NOT_OPEN));
    EXPECT_EQ(GetClipboardData(CF_UNICODETEXT), nullptr);
    EXPECT_EQ(EmptyClipboard(), FALSE);
    EXPECT_EQ(EnumClipboardFormats(0), 0u);
    EXPECT_TRUE(lastErrorIs(ERROR_CLIPBOARD_NOT_OPEN));
    EXPECT_EQ(CloseClipboard(), FALSE);
    GlobalFree(data); // refused, so still the caller's

    ASSERT_TRUE(winx::setClipboardText(L"shared"));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT)) << "works with the clipboard closed";
    EXPECT_EQ(CountClipboardFormats(), 2);
}

TEST_F(ClipboardTest, DataHandedOverBelongsToTheClipboard) {
    HWND window = fakeWindow(0x100);
    ASSERT_TRUE(OpenClipboard(window));
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_EQ(GetClipboardOwner(), window);
    HGLOBAL first = wideText(L"first");
    EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, first), first);
    EXPECT_EQ(GetClipboardData(CF_UNICODETEXT), first);

    // Setting the format again frees the earlier block.
    HGLOBAL second = wideText(L"second");
    EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, second), second);
    EXPECT_EQ(GlobalSize(first), 0u);
    EXPECT_EQ(winx::liveGlobalBlocks(), liveBefore + 1);

    const unsigned char marker = 1;
    const UINT dragging = RegisterClipboardFormat(L"Korvasten dragging format");
    HGLOBAL one = block(&marker, 1);
    EXPECT_EQ(SetClipboardData(dragging, one), one);
    EXPECT_EQ(SetClipboardData(CF_HDROP, one), nullptr) << "a block has one owner";
    ASSERT_TRUE(CloseClipboard());
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr);

    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_EQ(winx::liveGlobalBlocks(), liveBefore);
    EXPECT_EQ(CountClipboardFormats(), 0);
    EXPECT_EQ(GetClipboardData(dragging), nullptr);
    HGLOBAL freed = wideText(L"gone");
    GlobalFree(freed);
    EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, freed), nullptr);
    EXPECT_TRUE(lastErrorIs(ERROR_INVALID_HANDLE));
    CloseClipboard();
}

TEST_F(ClipboardTest, RegisteredFormatsShareOneIdPerNameWithoutRegardToCase) {
    const UINT id = RegisterClipboardFormat(L"Korvasten dragging format");
    EXPECT_GE(id, 0xC000u);
    EXPECT_EQ(RegisterClipboardFormat(L"KORVASTEN Dragging Format"), id);
    const UINT other = RegisterClipboardFormat(L"Drawing.r18");
    EXPECT_GE(other, 0xC000u);
    EXPECT_NE(other, id);
    EXPECT_EQ(RegisterClipboardFormat(L""), 0u);
    EXPECT_EQ(RegisterClipboardFormat(nullptr), 0u);

    wchar_t name[64];
    EXPECT_EQ(GetClipboardFormatName(id, name, 64), 25);
    EXPECT_STREQ(name, L"Korvasten dragging format");
    EXPECT_EQ(GetClipboardFormatName(id, name, 5), 4);
    EXPECT_STREQ(name, L"Korv");
    EXPECT_EQ(GetClipboardFormatName(CF_TEXT, name, 64), 0);
}

TEST_F(ClipboardTest, TextIsOfferedInBothTextFormats) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, wideText(L"¿ƒ• 1"));
    const UINT custom = RegisterClipboardFormat(L"custom");
    const char byte = 0;
    SetClipboardData(custom, block(&byte, 1));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(CountClipboardFormats(), 3);
    EXPECT_EQ(enumerated(), (std::vector<UINT>{CF_UNICODETEXT, custom, CF_TEXT}));

    HANDLE narrow = GetClipboardData(CF_TEXT);
    ASSERT_NE(narrow, nullptr);
    EXPECT_EQ(std::string(static_cast<const char*>(GlobalLock(narrow))), winx::toUtf8(L"¿ƒ• 1"));
    GlobalUnlock(narrow);
    EXPECT_EQ(enumerated(), (std::vector<UINT>{CF_UNICODETEXT, custom, CF_TEXT}));

    // New text replaces the conversion made from the old one.
    SetClipboardData(CF_UNICODETEXT, wideText(L"new"));
    HANDLE renewed = GetClipboardData(CF_TEXT);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(renewed)), "new");
    GlobalUnlock(renewed);

    // And the other way round.
    EmptyClipboard();
    const std::string utf8 = winx::toUtf8(L"ƒ text");
    SetClipboardData(CF_TEXT, block(utf8.c_str(), utf8.size() + 1));
    HANDLE wide = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(wide, nullptr);
    EXPECT_STREQ(static_cast<const wchar_t*>(GlobalLock(wide)), L"ƒ text");
    GlobalUnlock(wide);
    CloseClipboard();
    EXPECT_EQ(winx::clipboardText(), std::wstring(L"ƒ text"));
}

TEST_F(ClipboardTest, AClipboardHeldOpenByOneWindowIsRefusedToAnother) {
    ASSERT_TRUE(OpenClipboard(fakeWindow(0x10)));
    EXPECT_EQ(GetOpenClipboardWindow(), fakeWindow(0x10));
    EXPECT_FALSE(OpenClipboard(fakeWindow(0x20)));
    EXPECT_TRUE(OpenClipboard(fakeWindow(0x10)));
    EXPECT_FALSE(winx::setClipboardText(L"blocked"));
    EXPECT_EQ(winx::clipboardText(), std::nullopt);
    ASSERT_TRUE(CloseClipboard());
    EXPECT_TRUE(OpenClipboard(fakeWindow(0x20)));
    CloseClipboard();
}

TEST_F(ClipboardTest, TextHelpersRoundTrip) {
    EXPECT_EQ(winx::clipboardText(), std::nullopt);
    ASSERT_TRUE(winx::setClipboardText(L"A1\tB1\r\n¿ƒ•"));
    EXPECT_EQ(winx::clipboardText(), std::wstring(L"A1\tB1\r\n¿ƒ•"));
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
}

} // namespace
