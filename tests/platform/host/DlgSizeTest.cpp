#include "trk/DlgSize.h"

#include "afxwin.h"

#include "win/winreg.h"
#include "win/winuser.h"

#include "HostTestSupport.h"

#include <gtest/gtest.h>

namespace {

class DlgSizeTest : public ::testing::Test {
protected:
    void SetUp() override {
        winx::resetRegistry();
        ASSERT_TRUE(winx::setRegistryFile(m_folder.file("registry.trk")).ok);
    }
    void TearDown() override {
        for (HWND window : m_windows)
            if (IsWindow(window)) DestroyWindow(window);
        winx::resetRegistry();
    }

    HWND window(RECT rect) {
        HWND hwnd = CreateWindowEx(0, L"STATIC", L"Dialog", WS_POPUP, rect.left, rect.top,
                                   rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                                   nullptr, nullptr);
        m_windows.push_back(hwnd);
        return hwnd;
    }
    static RECT rectOf(HWND hwnd) {
        RECT rect;
        GetWindowRect(hwnd, &rect);
        return rect;
    }
    static void setValue(const wchar_t* name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, L"Software\\Korvasten\\Dialog Sizes\\DLG_T", 0,
                                 nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key,
                                 nullptr),
                  ERROR_SUCCESS);
        RegSetValueEx(key, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }
    static void setDword(const wchar_t* name, DWORD value) {
        setValue(name, REG_DWORD, &value, sizeof value);
    }
    static void expectRect(RECT rect, LONG left, LONG top, LONG right, LONG bottom) {
        EXPECT_EQ(rect.left, left);
        EXPECT_EQ(rect.top, top);
        EXPECT_EQ(rect.right, right);
        EXPECT_EQ(rect.bottom, bottom);
    }

    hosttest::TempFolder m_folder;
    std::vector<HWND> m_windows;
};

TEST_F(DlgSizeTest, AStoredSizeIsRestoredAndTheWindowKeepsItsPosition) {
    ASSERT_TRUE(WriteDlgSize(window(RECT{30, 40, 330, 240}), L"DLG_T"));
    EXPECT_NE(winx::registryText().find("Dialog Sizes\\DLG_T]"), std::string::npos);
    SIZE size{};
    ASSERT_TRUE(GetDlgSize(L"DLG_T", size));
    EXPECT_EQ(size.cx, 300);
    EXPECT_EQ(size.cy, 200);

    HWND reopened = window(RECT{5, 6, 105, 106});
    ASSERT_TRUE(ChangeDlgSize(reopened, L"DLG_T"));
    expectRect(rectOf(reopened), 5, 6, 305, 206);
}

TEST_F(DlgSizeTest, ClassLibraryWindowsAreStoredAndRestoredLikeTheirHandles) {
    CWnd* designer = CWnd::FromHandle(window(RECT{0, 0, 500, 400}));
    ASSERT_NE(designer, nullptr);
    ASSERT_TRUE(WriteDlgSize(designer, L"DLG_DLGDESIGNER"));
    CWnd* reopened = CWnd::FromHandle(window(RECT{20, 30, 120, 130}));
    ASSERT_TRUE(ChangeDlgSize(reopened, L"DLG_DLGDESIGNER"));
    expectRect(rectOf(reopened->GetSafeHwnd()), 20, 30, 520, 430);
    EXPECT_FALSE(ChangeDlgSize(static_cast<CWnd*>(nullptr), L"DLG_DLGDESIGNER"));
    EXPECT_FALSE(WriteDlgSize(static_cast<CWnd*>(nullptr), L"DLG_DLGDESIGNER"));
}

TEST_F(DlgSizeTest, SizesAndFlagsSurviveReloadingTheRegistryFile) {
    ASSERT_TRUE(WriteDlgSize(window(RECT{0, 0, 640, 480}), L"DLG_SELECT_MACRO"));
    ASSERT_TRUE(writeDlgRegBool(L"DLG_SELECT_MACRO", L"LARGE_DLG", true));
    winx::resetRegistry();
    ASSERT_TRUE(winx::setRegistryFile(m_folder.file("registry.trk")).ok);
    SIZE size{};
    ASSERT_TRUE(GetDlgSize(L"DLG_SELECT_MACRO", size));
    EXPECT_EQ(size.cx, 640);
    EXPECT_TRUE(readDlgRegBool(L"DLG_SELECT_MACRO", L"LARGE_DLG", false));
    ASSERT_TRUE(writeDlgRegBool(L"DLG_SELECT_MACRO", L"LARGE_DLG", false));
    EXPECT_FALSE(readDlgRegBool(L"DLG_SELECT_MACRO", L"LARGE_DLG", true));
    EXPECT_TRUE(readDlgRegBool(L"DLG_SELECT_MACRO", L"OTHER", true));
    EXPECT_FALSE(readDlgRegBool(L"DLG_UNKNOWN", L"LARGE_DLG", false));
}

// Failure paths.

TEST_F(DlgSizeTest, MissingOrImplausibleValuesLeaveTheWindowAsItIs) {
    HWND hwnd = window(RECT{10, 10, 110, 60});
    EXPECT_FALSE(ChangeDlgSize(hwnd, L"DLG_T")); // nothing stored
    setDword(L"Width", 0);
    setDword(L"Height", 200);
    EXPECT_FALSE(ChangeDlgSize(hwnd, L"DLG_T"));
    setDword(L"Width", 20000);
    EXPECT_FALSE(ChangeDlgSize(hwnd, L"DLG_T"));
    setValue(L"Width", REG_SZ, L"300", sizeof L"300");
    EXPECT_FALSE(ChangeDlgSize(hwnd, L"DLG_T"));
    setDword(L"Width", 300);
    setValue(L"Height", REG_BINARY, "\x01", 1);
    EXPECT_FALSE(ChangeDlgSize(hwnd, L"DLG_T"));
    expectRect(rectOf(hwnd), 10, 10, 110, 60);
    SIZE size{7, 8};
    EXPECT_FALSE(GetDlgSize(L"DLG_T", size));
    EXPECT_EQ(size.cx, 7);
    setDword(L"Height", 150);
    EXPECT_TRUE(ChangeDlgSize(hwnd, L"DLG_T"));
    expectRect(rectOf(hwnd), 10, 10, 310, 160);
}

TEST_F(DlgSizeTest, BadWindowsAndEmptyKeysAreRefused) {
    HWND gone = window(RECT{0, 0, 100, 100});
    DestroyWindow(gone);
    EXPECT_FALSE(WriteDlgSize(gone, L"DLG_T"));
    EXPECT_FALSE(ChangeDlgSize(gone, L"DLG_T"));
    EXPECT_FALSE(WriteDlgSize(static_cast<HWND>(nullptr), L"DLG_T"));
    EXPECT_FALSE(WriteDlgSize(window(RECT{0, 0, 100, 100}), L""));
    EXPECT_FALSE(WriteDlgSize(window(RECT{0, 0, 0, 100}), L"DLG_T")); // zero width
    EXPECT_FALSE(writeDlgRegBool(L"DLG_T", L"", true));
    EXPECT_EQ(winx::registryText().find("DLG_T"), std::string::npos);
}

} // namespace
