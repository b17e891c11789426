// Grid windows: the window class, the table that finds a grid from its handle, and the state each
// grid keeps.
#include "GridWindow.h"

#include "GridInput.h"
#include "grid/GridInfo.h"
#include "win/winbase.h"
#include "win/winuser.h"

#include <algorithm>
#include <atomic>
#include <unordered_map>

namespace gridx::control {

namespace {

std::unordered_map<HWND, GridWindow*>& liveGrids() {
    static auto* grids = new std::unordered_map<HWND, GridWindow*>; // outlives exit handlers
    return *grids;
}

bool defaultOption(short number) {
    return number == SSB_SHOWCOLHEADERS || number == SSB_SHOWROWHEADERS || number == SSB_AUTOCALC ||
           number == SSB_REDRAW;
}

void destroyGrid(HWND hwnd) {
    auto& grids = liveGrids();
    auto it = grids.find(hwnd);
    if (it == grids.end()) return;
    GridWindow* grid = it->second;
    grids.erase(it);
    SetWindowLongPtr(hwnd, 0, 0);
    grid->destroyed = true;
    if (grid->busy == 0) delete grid;
}

LRESULT gridProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        if (!liveGrids().count(hwnd)) {
            auto* grid = new GridWindow(hwnd);
            liveGrids()[hwnd] = grid;
            SetWindowLongPtr(hwnd, 0, reinterpret_cast<LONG_PTR>(grid));
        }
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        destroyGrid(hwnd);
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    GridRef grid(hwnd);
    if (!grid) return DefWindowProc(hwnd, msg, wParam, lParam);
    return handleGridMessage(*grid, msg, wParam, lParam);
}

// Grid windows can be created as soon as the library is loaded.
const bool classRegistered = (registerGridClass(), true);

} // namespace

void registerGridClass() {
    WNDCLASSEXW wc;
    if (GetClassInfoEx(nullptr, windowClassName(), &wc)) return;
    wc = WNDCLASSEXW();
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
    wc.lpfnWndProc = gridProc;
    wc.cbWndExtra = static_cast<int>(sizeof(void*));
    wc.lpszClassName = windowClassName();
    RegisterClassEx(&wc);
}

// ---- GridRef
// ----------------------------------------------------------------------------------

namespace {
std::atomic<std::uint64_t> gridCalls{0};
} // namespace

std::uint64_t gridCallCount() {
    return gridCalls.load(std::memory_order_relaxed);
}

GridRef::GridRef(HWND hwnd) : grid_(nullptr) {
    gridCalls.fetch_add(1, std::memory_order_relaxed);
    if (!hwnd) return;
    auto& grids = liveGrids();
    auto it = grids.find(hwnd);
    if (it == grids.end()) return;
    grid_ = it->second;
    ++grid_->busy;
}

GridRef::~GridRef() {
    if (!grid_) return;
    if (--grid_->busy != 0) return;
    if (grid_->destroyed) {
        delete grid_;
    } else {
        grid_->releaseRetired();
    }
}

namespace {

// NOW() and TODAY() read the platform's local time, so tests running on the test clock see a
// fixed, advancing date.
double platformNow() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return serialFromDateTime(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                              t.wSecond + t.wMilliseconds / 1000.0);
}

} // namespace

// ---- GridWindow
// -------------------------------------------------------------------------------

GridWindow::GridWindow(HWND hwnd) : hwnd_(hwnd), doc_(std::make_unique<Document>()) {
    doc_->sheet.setAutoRecalc(true);
    doc_->sheet.setClock(platformNow);
}

GridWindow::~GridWindow() {
    releaseFonts();
}

void GridWindow::replaceDocument(std::unique_ptr<Document> doc) {
    if (!doc) return;
    doc->sheet.setAutoRecalc(option(SSB_AUTOCALC));
    doc->sheet.setClock(platformNow);
    retired_.push_back(std::move(doc_));
    doc_ = std::move(doc);
    if (busy == 0) releaseRetired();
    editor = Editor{};
    pressed.reset();
    mouseDown.reset();
    selection.col = std::clamp(selection.col, 1, std::max(1, doc_->sheet.maxCols()));
    selection.row = std::clamp(selection.row, 1, std::max(1, doc_->sheet.maxRows()));
    selection.hasBlock = false;
}

void GridWindow::reset() {
    options_.clear();
    refStyleCode_ = 0;
    look = Look{};
    selection = Selection{};
    topRow = 1;
    leftCol = 1;
    replaceDocument(std::make_unique<Document>());
}

bool GridWindow::option(short number) const {
    auto it = options_.find(number);
    return it == options_.end() ? defaultOption(number) : it->second;
}

bool GridWindow::setOption(short number, bool value) {
    const bool previous = option(number);
    options_[number] = value;
    if (number == SSB_AUTOCALC) doc_->sheet.setAutoRecalc(value);
    return previous;
}

void GridWindow::adoptFont(HFONT font) {
    if (font && std::find(adoptedFonts_.begin(), adoptedFonts_.end(), font) == adoptedFonts_.end())
        adoptedFonts_.push_back(font);
}

HFONT GridWindow::fontFor(const CellFont& font) {
    for (const auto& [description, handle] : handedFonts_) {
        if (description == font) return handle;
    }
    HFONT handle = CreateFont(font.height, 0, 0, 0, font.weight, font.italic, font.underline,
                              font.strikeOut, font.charSet, 0, 0, 0, 0, font.face.c_str());
    if (handle) handedFonts_.emplace_back(font, handle);
    return handle;
}

void GridWindow::releaseFonts() {
    for (HFONT font : adoptedFonts_)
        DeleteObject(font);
    for (const auto& [description, handle] : handedFonts_)
        DeleteObject(handle);
    adoptedFonts_.clear();
    handedFonts_.clear();
}

} // namespace gridx::control
