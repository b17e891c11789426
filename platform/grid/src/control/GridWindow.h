// One grid window: its document and the window state around it (options, look, reference style,
// selection, cell editor), found from the window handle by every SS function.
#pragma once

#include <cstdint>

#include "grid/Document.h"
#include "grid/ssapi.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace gridx::control {

// Settings that only change how the grid looks; kept and returned as given.
struct Look {
    WORD appearance = 0;
    std::map<WORD, std::vector<WORD>> actionKeys;
    COLORREF grayBack = 0x00C0C0C0;
    COLORREF grayFore = 0;
    WORD cursorType = 0;
    HCURSOR cursor = nullptr;
    COLORREF selBack = 0x00800000;
    COLORREF selFore = 0x00FFFFFF;
    COLORREF lockBack = 0x00FFFFFF;
    COLORREF lockFore = 0;
    WORD gridType = 0;
    COLORREF gridColor = 0x00C0C0C0;
    WORD backColorStyle = 0;
    WORD highlightStyle = 0;
    WORD userResize = 0;
    WORD operationMode = 0;
    WORD unitType = 0;
    SS_COORD visibleCols = 0;
    SS_COORD visibleRows = 0;
    WORD editEnterAction = 0;
    WORD noteIndicator = 1;
    WORD tipStatus = 0;
    DWORD tipDelay = 500;
    LOGFONT tipFont{};
    COLORREF tipBack = 0x00E1FFFF;
    COLORREF tipFore = 0;
};

// The cell editor of edit mode.
struct Editor {
    bool on = false;
    bool typed = false; // the user changed the text: leaving keeps it
    std::wstring text;
    int selStart = 0;
    int selEnd = 0;
};

struct Selection {
    int col = 1;
    int row = 1;
    bool hasBlock = false;
    RangeRef block; // corners in order; -1 means every column or row
};

class GridWindow {
public:
    explicit GridWindow(HWND hwnd);
    ~GridWindow();
    GridWindow(const GridWindow&) = delete;
    GridWindow& operator=(const GridWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    Document& doc() { return *doc_; }
    Sheet& sheet() { return doc_->sheet; }
    SheetFormat& format() { return doc_->format; }

    // Replaces the document (a load or a reset); keeps the window state, which the new document
    // follows (automatic recalculation). The old document stays alive until no call into the grid
    // runs, as a callback may replace the document its own sheet is computing.
    void replaceDocument(std::unique_ptr<Document> doc);
    void releaseRetired() { retired_.clear(); }
    // Back to a new grid: document, options, look, style, selection.
    void reset();

    bool option(short number) const;
    // Stores an option and applies what it drives; returns the previous value.
    bool setOption(short number, bool value);
    void markChanged() { options_[SSB_CHANGEMADE] = true; }

    RefStyle refStyle() const { return refStyleCode_ == 2 ? RefStyle::R1C1 : RefStyle::A1; }
    short refStyleCode() const { return refStyleCode_; }
    void setRefStyleCode(short code) { refStyleCode_ = code; }

    Look look;
    Selection selection;
    Editor editor;
    int topRow = 1;                   // first row shown below the header row
    int leftCol = 1;                  // first column shown right of the header column
    std::optional<CellRef> pressed;   // a button or check box held down
    std::optional<CellRef> mouseDown; // the cell of the last left button down
    std::optional<CellRef> sending;   // the cell of the notification being sent

    // Fonts given with their deletion left to the grid, and fonts handed out by SSGetFont.
    void adoptFont(HFONT font);
    HFONT fontFor(const CellFont& font);

    // Nesting of calls into this grid; a grid destroyed meanwhile is deleted when the last one
    // returns.
    int busy = 0;
    bool destroyed = false;

private:
    void releaseFonts();

    HWND hwnd_;
    std::unique_ptr<Document> doc_;
    std::vector<std::unique_ptr<Document>> retired_;
    std::map<short, bool> options_;
    short refStyleCode_ = 0;
    std::vector<HFONT> adoptedFonts_;
    std::vector<std::pair<CellFont, HFONT>> handedFonts_;
};

// Holds a grid for the length of a call: null when the handle is no live grid window.
class GridRef {
public:
    explicit GridRef(HWND hwnd);
    ~GridRef();
    GridRef(const GridRef&) = delete;
    GridRef& operator=(const GridRef&) = delete;

    explicit operator bool() const { return grid_ != nullptr; }
    GridWindow* operator->() const { return grid_; }
    GridWindow& operator*() const { return *grid_; }

private:
    GridWindow* grid_;
};

// How many GridRefs were taken so far, on any thread: every call into a grid (SS functions,
// window messages, user actions) takes one, so an unchanged count means no call came between.
std::uint64_t gridCallCount();

// Registers the window class once; called before any grid window is created.
void registerGridClass();

} // namespace gridx::control
