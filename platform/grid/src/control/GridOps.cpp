#include "GridOps.h"

#include "CellText.h"
#include "win/winuser.h"

#include <algorithm>
#include <climits>

namespace gridx::control {

int indexOf(SS_COORD coord) {
    if (coord == SS_HEADER) return 0;
    if (coord < INT_MIN + 2 || coord > INT_MAX) return -2;
    return static_cast<int>(coord);
}

std::optional<CellRef> cellOf(GridWindow& grid, SS_COORD col, SS_COORD row) {
    const int c = indexOf(col);
    const int r = indexOf(row);
    if (c < 0 || r < 0 || c > grid.sheet().maxCols() || r > grid.sheet().maxRows())
        return std::nullopt;
    return CellRef{c, r};
}

namespace {

int boundOf(SS_COORD coord) {
    return coord == -1 ? kAll : indexOf(coord);
}

} // namespace

RangeRef blockOf(SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2) {
    RangeRef block{boundOf(col), boundOf(row), boundOf(col2), boundOf(row2)};
    if (block.col1 != kAll && block.col2 != kAll && block.col1 > block.col2)
        std::swap(block.col1, block.col2);
    if (block.row1 != kAll && block.row2 != kAll && block.row1 > block.row2)
        std::swap(block.row1, block.row2);
    return block;
}

bool blockInGrid(GridWindow& grid, const RangeRef& block) {
    const auto fits = [](int bound, int max) {
        return bound == kAll || (bound >= 0 && bound <= max);
    };
    const int cols = grid.sheet().maxCols();
    const int rows = grid.sheet().maxRows();
    return fits(block.col1, cols) && fits(block.col2, cols) && fits(block.row1, rows) &&
           fits(block.row2, rows);
}

int copyOut(std::wstring_view text, LPWSTR buffer) {
    const auto length = static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX - 1));
    if (buffer) {
        std::copy_n(text.data(), length, buffer);
        buffer[length] = L'\0';
    }
    return length;
}

// ---- Cell texts
// -----------------------------------------------------------------------------

bool writeData(GridWindow& grid, CellRef cell, std::wstring_view text) {
    const Value value = valueFromData(grid.format().cellType(cell.col, cell.row), text);
    const bool written = value.isEmpty() ? grid.sheet().clearCell(cell.col, cell.row)
                                         : grid.sheet().setConstant(cell.col, cell.row, value);
    refreshEditor(grid, cell);
    return written;
}

std::wstring cellDataText(GridWindow& grid, CellRef cell) {
    return dataText(grid.format().cellType(cell.col, cell.row),
                    grid.sheet().value(cell.col, cell.row));
}

std::wstring cellValueText(GridWindow& grid, CellRef cell) {
    return valueText(grid.format().cellType(cell.col, cell.row),
                     grid.sheet().value(cell.col, cell.row));
}

std::wstring shownText(GridWindow& grid, CellRef cell) {
    const CellType& type = grid.format().cellType(cell.col, cell.row);
    switch (type.kind) {
    case CellKind::CheckBox:
    case CellKind::Button:
        return type.text;
    case CellKind::Picture:
        return {};
    default:
        return cellValueText(grid, cell);
    }
}

void refreshEditor(GridWindow& grid, CellRef cell) {
    if (!grid.editor.on) return;
    const auto active = activeCell(grid);
    if (!active || !(*active == cell)) return;
    grid.editor.text = cellValueText(grid, cell);
    grid.editor.typed = false;
    const int length = static_cast<int>(grid.editor.text.size());
    grid.editor.selStart = std::min(grid.editor.selStart, length);
    grid.editor.selEnd = std::min(grid.editor.selEnd, length);
}

// ---- Active cell and editor
// -------------------------------------------------------------------

std::optional<CellRef> activeCell(GridWindow& grid) {
    const Selection& s = grid.selection;
    if (s.col < 1 || s.row < 1 || s.col > grid.sheet().maxCols() || s.row > grid.sheet().maxRows())
        return std::nullopt;
    return CellRef{s.col, s.row};
}

void setActive(GridWindow& grid, CellRef cell) {
    const bool editing = grid.editor.on;
    closeEditor(grid, true);
    grid.selection.col = cell.col;
    grid.selection.row = cell.row;
    grid.selection.hasBlock = false;
    if (editing) openEditor(grid);
}

bool moveActiveByUser(GridWindow& grid, CellRef cell) {
    const auto from = activeCell(grid);
    if (from && *from == cell && !grid.selection.hasBlock) return true;
    closeEditor(grid, true);
    if (from && !(*from == cell)) notifyLeave(grid, *from, cell);
    if (grid.destroyed) return false;
    grid.selection.col = cell.col;
    grid.selection.row = cell.row;
    grid.selection.hasBlock = false;
    return true;
}

void openEditor(GridWindow& grid) {
    const auto cell = activeCell(grid);
    if (!cell) return;
    grid.editor.on = true;
    grid.editor.typed = false;
    grid.editor.text = cellValueText(grid, *cell);
    grid.editor.selStart = grid.editor.selEnd = static_cast<int>(grid.editor.text.size());
}

void closeEditor(GridWindow& grid, bool keep) {
    if (!grid.editor.on) return;
    Editor editor = std::move(grid.editor);
    grid.editor = Editor{};
    const auto cell = activeCell(grid);
    if (!keep || !editor.typed || !cell) return;
    writeData(grid, *cell, editor.text);
    grid.markChanged();
}

namespace {

bool lockedForUser(GridWindow& grid, CellRef cell) {
    if (grid.format().locked(cell.col, cell.row)) return true;
    const auto span = grid.format().spanAt(cell.col, cell.row);
    return span && grid.format().locked(span->col, span->row);
}

} // namespace

bool userMayType(GridWindow& grid, CellRef cell) {
    if (cell.col < 1 || cell.row < 1 || lockedForUser(grid, cell)) return false;
    switch (grid.format().cellType(cell.col, cell.row).kind) {
    case CellKind::CheckBox:
    case CellKind::Button:
    case CellKind::Picture:
    case CellKind::StaticText:
        return false;
    default:
        return true;
    }
}

bool userMayPress(GridWindow& grid, CellRef cell) {
    if (cell.col < 1 || cell.row < 1 || lockedForUser(grid, cell)) return false;
    const CellKind kind = grid.format().cellType(cell.col, cell.row).kind;
    return kind == CellKind::CheckBox || kind == CellKind::Button;
}

void toggleCheck(GridWindow& grid, CellRef cell) {
    const bool on = cellValueText(grid, cell) == L"1";
    writeData(grid, cell, on ? L"0" : L"1");
    grid.markChanged();
}

// ---- Notifications
// ---------------------------------------------------------------------------

namespace {

// Remembers the cell a notification is about while it is being sent.
class Sending {
public:
    Sending(GridWindow& grid, CellRef cell) : grid_(grid), previous_(grid.sending) {
        grid.sending = cell;
    }
    ~Sending() { grid_.sending = previous_; }
    Sending(const Sending&) = delete;
    Sending& operator=(const Sending&) = delete;

private:
    GridWindow& grid_;
    std::optional<CellRef> previous_;
};

WPARAM controlId(GridWindow& grid) {
    return static_cast<WPARAM>(static_cast<WORD>(GetDlgCtrlID(grid.hwnd())));
}

} // namespace

void notifyCell(GridWindow& grid, UINT message, CellRef cell) {
    HWND parent = GetParent(grid.hwnd());
    if (!parent || grid.destroyed) return;
    SS_CELLCOORD coord{cell.col, cell.row};
    Sending sending(grid, cell);
    SendMessage(parent, message, controlId(grid), reinterpret_cast<LPARAM>(&coord));
}

void notifyLeave(GridWindow& grid, CellRef from, CellRef to) {
    HWND parent = GetParent(grid.hwnd());
    if (!parent || grid.destroyed) return;
    SS_LEAVECELL leave{from.col, from.row, to.col, to.row};
    Sending sending(grid, from);
    SendMessage(parent, SSM_LEAVECELL, controlId(grid), reinterpret_cast<LPARAM>(&leave));
}

void notifyCommand(GridWindow& grid, WORD code, CellRef cell) {
    HWND parent = GetParent(grid.hwnd());
    if (!parent || grid.destroyed) return;
    Sending sending(grid, cell);
    SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(controlId(grid)), code),
                reinterpret_cast<LPARAM>(grid.hwnd()));
}

} // namespace gridx::control
