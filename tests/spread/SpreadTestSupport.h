// Helpers of the grid wrapper tests: a dialog-like parent window with a placeholder control, a
// wrapper created in its place, the module's resources as resource source, the interface texts
// of the source tree, short cell helpers and a temporary folder.
#pragma once

#include "frame/FrameTestSupport.h"
#include "spread/Trk_Spread.h"

#include "trk/DialString.h"

#include "grid/gridx_user.h"
#include "grid/ssapi.h"
#include "win/winbase.h"
#include "win/winx.h"
#include "win/winx_script.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace spreadtest {

constexpr int kPlaceholderId = 1200;
const RECT kPlaceholderRect{40, 60, 640, 460};

using trkss::test::moduleInstance;

class TempFolder {
public:
    TempFolder() {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path() /
                ("trk-spread-" + std::to_string(seed()) + "-" + std::to_string(seed()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::wstring file(const std::wstring& name) const { return (path_ / name).wstring(); }

private:
    std::filesystem::path path_;
};

// Writes a 24-bit bitmap file of the given size.
inline void writeBitmapFile(const std::wstring& path, int width, int height) {
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const std::uint32_t imageBytes = static_cast<std::uint32_t>(rowBytes * height);
    std::string bytes;
    auto put = [&bytes](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    };
    bytes += "BM";
    put(54 + imageBytes, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(static_cast<std::uint32_t>(width), 4);
    put(static_cast<std::uint32_t>(height), 4);
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(imageBytes, 4);
    put(2835, 4);
    put(2835, 4);
    put(0, 4);
    put(0, 4);
    bytes.append(imageBytes, '\x7F');
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

// A window object standing for the dialog that hosts the grid.
class HostWindow : public CWnd {
public:
    bool create() {
        if (!CreateEx(0, AfxRegisterWndClass(0), L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                      900, 700, nullptr, nullptr))
            return false;
        placeholder = CreateWindowEx(
            0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, kPlaceholderRect.left, kPlaceholderRect.top,
            kPlaceholderRect.right - kPlaceholderRect.left,
            kPlaceholderRect.bottom - kPlaceholderRect.top, m_hWnd,
            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kPlaceholderId)), nullptr, nullptr);
        return placeholder != nullptr;
    }
    HWND placeholder = nullptr;
    int commandCount = 0;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        ++commandCount;
        return CWnd::OnCommand(wParam, lParam);
    }
};

// A wrapper (Trk_Spread or a class derived from it) over a created grid of `cols` x `rows`.
template <typename Spread>
class SpreadTestWith : public ::testing::Test {
protected:
    void SetUp() override {
        previousResources_ = AfxGetResourceHandle();
        AfxSetResourceHandle(moduleInstance());
        Trk_String problems;
        ASSERT_EQ(loadDialStrings(TRK_SOURCE_DIR L"/resources/texts/en.txt", problems), eOk);
        ASSERT_TRUE(host.create());
    }
    void TearDown() override {
        AfxSetResourceHandle(previousResources_);
        resetDialStrings();
        EXPECT_TRUE(winx::unattended().empty()) << "a dialog was left unattended";
    }

    void create(int cols, int rows) {
        ASSERT_TRUE(spread.createInDialog(&host, kPlaceholderId, true));
        ASSERT_TRUE(spread.setColCount(cols, false));
        ASSERT_TRUE(spread.setRowCount(rows, false));
    }
    HWND grid() const { return spread.GetSafeHwnd(); }

    void set(int col, int row, const wchar_t* text) {
        ASSERT_TRUE(SSSetData(grid(), col, row, text));
    }
    std::wstring value(int col, int row) const {
        const int length = SSGetValueLen(grid(), col, row);
        std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
        text.resize(
            static_cast<std::size_t>(std::max(SSGetValue(grid(), col, row, text.data()), 0)));
        return text;
    }
    int pixels(int col) const {
        int width = -1;
        SSGetColWidthInPixels(grid(), col, &width);
        return width;
    }
    int clientWidth() const {
        RECT rect{};
        SSGetClientRect(grid(), &rect);
        return rect.right - rect.left;
    }
    BYTE typeCode(int col, int row) const {
        SS_CELLTYPE type{};
        return SSGetCellType(grid(), col, row, &type) ? type.Type : BYTE{0};
    }
    bool bold(int col, int row) const {
        LOGFONT font{};
        const HFONT handle = SSGetFont(grid(), col, row);
        return handle && GetObject(handle, sizeof(font), &font) && font.lfWeight == 700;
    }

    winx::TestSession session;
    HostWindow host;
    Spread spread;

private:
    HINSTANCE previousResources_ = nullptr;
};

using SpreadTest = SpreadTestWith<Trk_Spread>;

} // namespace spreadtest
