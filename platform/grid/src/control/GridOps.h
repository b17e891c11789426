// Operations shared by the SS functions and the grid's own input handling: addressing, cell texts,
// the active cell, the cell editor and notifications to the parent.
#pragma once

#include "GridWindow.h"

#include <optional>
#include <string>
#include <string_view>

namespace gridx::control {

// An SS coordinate as an index: SS_HEADER is 0; values beyond int become -2 (never valid).
int indexOf(SS_COORD coord);
// The cell when it lies in the grid (0..max counts), headers included.
std::optional<CellRef> cellOf(GridWindow& grid, SS_COORD col, SS_COORD row);
// A range call's block: SS_ALLCOLS / SS_ALLROWS become kAll, SS_HEADER 0.
RangeRef blockOf(SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2);
// False when a bound of the block lies beyond the grid (kAll bounds pass).
bool blockInGrid(GridWindow& grid, const RangeRef& block);

// Copies text for a get function: terminated into `buffer` when there is one; returns the number of
// characters without the terminator.
int copyOut(std::wstring_view text, LPWSTR buffer);

// Writes data by the cell type's rules; keeps an open editor on that cell in step.
bool writeData(GridWindow& grid, CellRef cell, std::wstring_view text);
std::wstring cellDataText(GridWindow& grid, CellRef cell);
std::wstring cellValueText(GridWindow& grid, CellRef cell);
// The text a cell shows for measuring: the value text, a check box's or button's label.
std::wstring shownText(GridWindow& grid, CellRef cell);
// Called after a program changed a cell, so that an open editor on it shows the new text.
void refreshEditor(GridWindow& grid, CellRef cell);

// The active cell, when it lies in the grid.
std::optional<CellRef> activeCell(GridWindow& grid);
// Makes a cell active as a program does: no notification, block cleared, the editor follows.
void setActive(GridWindow& grid, CellRef cell);
// Moves the active cell as a user does: SSM_LEAVECELL first when it changes. False when the grid
// went away meanwhile.
bool moveActiveByUser(GridWindow& grid, CellRef cell);

void openEditor(GridWindow& grid);
// Closes the editor; with `keep`, typed text becomes the cell's data and marks the grid changed.
void closeEditor(GridWindow& grid, bool keep);

// A user may change the cell: unlocked, and (for text) a type that takes typing.
bool userMayType(GridWindow& grid, CellRef cell);
bool userMayPress(GridWindow& grid, CellRef cell);

// Flips a check box and marks the grid changed.
void toggleCheck(GridWindow& grid, CellRef cell);

// Notifications to the parent: a cell message with SS_CELLCOORD, the leave-cell message, and
// WM_COMMAND with a code.
void notifyCell(GridWindow& grid, UINT message, CellRef cell);
void notifyLeave(GridWindow& grid, CellRef from, CellRef to);
void notifyCommand(GridWindow& grid, WORD code, CellRef cell);

} // namespace gridx::control
