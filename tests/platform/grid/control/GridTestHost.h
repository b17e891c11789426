// Helpers of the grid control tests: a visible parent window that records what its grid sends,
// a grid created in it, short helpers for cells, and a temporary folder serving as drive root.
#pragma once

#include "grid/GridInfo.h"
#include "grid/ssapi.h"
#include "win/winbase.h"
#include "win/winuser.h"
#include "win/winx_script.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace gridtest {

constexpr int kGridId = 1196;

// One message the parent received from the grid.
struct Notice {
    UINT message = 0;
    WPARAM wParam = 0;
    SS_CELLCOORD cell{};  // SSM_CLICK, SSM_DBLCLK, SSM_RBUTTON
    SS_LEAVECELL leave{}; // SSM_LEAVECELL
    WORD commandCode = 0; // WM_COMMAND
    HWND commandFrom = nullptr;
};

class TempFolder {
public:
    TempFolder() : previousRoot_(winx::driveRoot()) {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path() /
                ("trk-grid-" + std::to_string(seed()) + "-" + std::to_string(seed()));
        std::filesystem::create_directories(path_);
        winx::setDriveRoot(path_);
    }
    ~TempFolder() {
        winx::setDriveRoot(previousRoot_);
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // A native path inside the folder, as platform text.
    std::wstring file(const std::wstring& name) const { return (path_ / name).wstring(); }

private:
    std::filesystem::path previousRoot_;
    std::filesystem::path path_;
};

class GridHost {
public:
    GridHost() {
        registerClass();
        parent = CreateWindowEx(0, kClassName, L"Grid host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                800, 600, nullptr, nullptr, nullptr, this);
        grid = createGrid(kGridId);
    }
    ~GridHost() {
        if (IsWindow(parent)) DestroyWindow(parent);
    }
    GridHost(const GridHost&) = delete;
    GridHost& operator=(const GridHost&) = delete;

    HWND createGrid(int id) {
        return CreateWindowEx(0, gridx::windowClassName(), L"", WS_CHILD | WS_VISIBLE, 10, 10, 600,
                              400, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                              nullptr, nullptr);
    }

    std::vector<UINT> messages() const {
        std::vector<UINT> out;
        for (const Notice& notice : notices)
            out.push_back(notice.message);
        return out;
    }
    std::vector<WORD> commandCodes() const {
        std::vector<WORD> out;
        for (const Notice& notice : notices) {
            if (notice.message == WM_COMMAND) out.push_back(notice.commandCode);
        }
        return out;
    }

    HWND parent = nullptr;
    HWND grid = nullptr;
    std::vector<Notice> notices;
    // Runs after a notice is recorded (the grid is still in its handler).
    std::function<void(const Notice&)> onNotice;

private:
    static constexpr const wchar_t* kClassName = L"TrkGridTestHost";

    static void registerClass() {
        WNDCLASSEXW existing;
        if (GetClassInfoEx(nullptr, kClassName, &existing)) return;
        WNDCLASSEXW wc;
        wc.lpfnWndProc = &GridHost::proc;
        wc.lpszClassName = kClassName;
        RegisterClassEx(&wc);
    }

    static LRESULT proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            SetWindowLongPtr(hwnd, GWLP_USERDATA,
                             reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* host = reinterpret_cast<GridHost*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
        if (host && host->record(msg, wParam, lParam)) return 0;
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }

    bool record(UINT msg, WPARAM wParam, LPARAM lParam) {
        Notice notice;
        notice.message = msg;
        notice.wParam = wParam;
        switch (msg) {
        case SSM_CLICK:
        case SSM_DBLCLK:
        case SSM_RBUTTON:
            notice.cell = *reinterpret_cast<const SS_CELLCOORD*>(lParam);
            break;
        case SSM_LEAVECELL:
            notice.leave = *reinterpret_cast<const SS_LEAVECELL*>(lParam);
            break;
        case WM_COMMAND:
            notice.commandCode = HIWORD(wParam);
            notice.commandFrom = reinterpret_cast<HWND>(lParam);
            break;
        default:
            return false;
        }
        notices.push_back(notice);
        if (onNotice) onNotice(notice);
        return true;
    }
};

// A fixture with one grid in a recording parent, and helpers that read like the calls.
class GridTest : public ::testing::Test {
protected:
    HWND grid() const { return host.grid; }

    void set(int col, int row, const std::wstring& text) {
        ASSERT_TRUE(SSSetData(grid(), col, row, text.c_str()));
    }
    void formula(int col, int row, const std::wstring& text) {
        ASSERT_TRUE(SSSetFormula(grid(), col, row, text.c_str(), TRUE)) << "refused: " << text;
    }
    std::wstring data(int col, int row, HWND on = nullptr) const {
        return read(SSGetDataLen, SSGetData, on ? on : grid(), col, row);
    }
    std::wstring value(int col, int row, HWND on = nullptr) const {
        return read(SSGetValueLen, SSGetValue, on ? on : grid(), col, row);
    }
    std::wstring formulaText(int col, int row) const {
        return read(SSGetFormulaLen, SSGetFormula, grid(), col, row);
    }
    std::wstring tag(int col, int row) const {
        return read([](HWND h, SS_COORD c, SS_COORD r) { return SSGetCellTag(h, c, r, nullptr); },
                    SSGetCellTag, grid(), col, row);
    }
    void setType(int col, int row, LPSS_CELLTYPE type) {
        ASSERT_TRUE(SSSetCellType(grid(), col, row, type));
    }
    BYTE typeCode(int col, int row) const {
        SS_CELLTYPE type{};
        return SSGetCellType(grid(), col, row, &type) ? type.Type : BYTE{0};
    }

    winx::TestSession session;
    GridHost host;

private:
    template <typename Len, typename Get>
    static std::wstring read(Len len, Get get, HWND hwnd, int col, int row) {
        const int length = len(hwnd, col, row);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'#');
        const int copied = get(hwnd, col, row, text.data());
        EXPECT_EQ(copied, length) << "the length function agrees with the copy";
        text.resize(static_cast<std::size_t>(copied));
        return text;
    }
};

} // namespace gridtest
