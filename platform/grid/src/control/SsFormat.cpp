// SS functions of cell formats: colours, fonts, borders, locks and cell types.
#include "SsCommon.h"

#include "CellTypeRecords.h"
#include "win/wingdi.h"

using gridx::Border;
using gridx::CellFont;
using gridx::RangeRef;
using gridx::control::blockInGrid;
using gridx::control::blockOf;
using gridx::control::cellOf;
using gridx::control::GridRef;
using gridx::control::GridWindow;

namespace {

// Runs `change` on a block of the grid; FALSE when the block reaches outside.
template <typename Change>
BOOL changeBlock(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2,
                 Change change) {
    GridRef grid(hwnd);
    if (!grid) return FALSE;
    const RangeRef block = blockOf(col, row, col2, row2);
    if (!blockInGrid(*grid, block)) return FALSE;
    change(*grid, block);
    return TRUE;
}

std::optional<CellFont> describe(HFONT font) {
    LOGFONT record;
    if (!font || GetObject(font, sizeof record, &record) == 0) return std::nullopt;
    record.lfFaceName[LF_FACESIZE - 1] = L'\0';
    CellFont description;
    description.face = record.lfFaceName;
    description.height = record.lfHeight;
    description.weight = record.lfWeight;
    description.italic = record.lfItalic != 0;
    description.underline = record.lfUnderline != 0;
    description.strikeOut = record.lfStrikeOut != 0;
    description.charSet = record.lfCharSet;
    return description;
}

} // namespace

BOOL SSSetColor(HWND hwnd, SS_COORD col, SS_COORD row, COLORREF background, COLORREF foreground) {
    return SSSetColorRange(hwnd, col, row, col, row, background, foreground);
}

BOOL SSSetColorRange(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2,
                     COLORREF background, COLORREF foreground) {
    return changeBlock(hwnd, col, row, col2, row2, [&](GridWindow& g, const RangeRef& block) {
        g.format().setColors(block, background, foreground);
    });
}

BOOL SSGetColor(HWND hwnd, SS_COORD col, SS_COORD row, COLORREF* background, COLORREF* foreground) {
    GridRef grid(hwnd);
    if (!grid) return FALSE;
    const auto cell = cellOf(*grid, col, row);
    if (!cell) return FALSE;
    const gridx::CellFormat format = grid->format().cell(cell->col, cell->row);
    if (background) *background = format.backColor;
    if (foreground) *foreground = format.foreColor;
    return TRUE;
}

BOOL SSSetFont(HWND hwnd, SS_COORD col, SS_COORD row, HFONT font, BOOL deleteFont) {
    return SSSetFontRange(hwnd, col, row, col, row, font, deleteFont);
}

BOOL SSSetFontRange(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2, HFONT font,
                    BOOL deleteFont) {
    const auto description = describe(font);
    if (!description) return FALSE;
    return changeBlock(hwnd, col, row, col2, row2, [&](GridWindow& g, const RangeRef& block) {
        g.format().setFont(block, *description);
        if (deleteFont) g.adoptFont(font);
    });
}

HFONT SSGetFont(HWND hwnd, SS_COORD col, SS_COORD row) {
    GridRef grid(hwnd);
    if (!grid) return nullptr;
    const auto cell = cellOf(*grid, col, row);
    if (!cell) return nullptr;
    return grid->fontFor(grid->format().cell(cell->col, cell->row).font);
}

BOOL SSSetBorder(HWND hwnd, SS_COORD col, SS_COORD row, WORD type, WORD style, COLORREF color) {
    return SSSetBorderRange(hwnd, col, row, col, row, type, style, color);
}

BOOL SSSetBorderRange(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2,
                      WORD type, WORD style, COLORREF color) {
    return changeBlock(hwnd, col, row, col2, row2, [&](GridWindow& g, const RangeRef& block) {
        g.format().setBorder(block, Border{type, style, color});
    });
}

BOOL SSGetBorder(HWND hwnd, SS_COORD col, SS_COORD row, WORD* type, WORD* style, COLORREF* color) {
    GridRef grid(hwnd);
    if (!grid) return FALSE;
    const auto cell = cellOf(*grid, col, row);
    if (!cell) return FALSE;
    const Border border = grid->format().cell(cell->col, cell->row).border;
    if (type) *type = static_cast<WORD>(border.type);
    if (style) *style = static_cast<WORD>(border.style);
    if (color) *color = border.color;
    return TRUE;
}

BOOL SSSetLock(HWND hwnd, SS_COORD col, SS_COORD row, BOOL lock) {
    return SSSetLockRange(hwnd, col, row, col, row, lock);
}

BOOL SSSetLockRange(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2,
                    BOOL lock) {
    return changeBlock(hwnd, col, row, col2, row2, [&](GridWindow& g, const RangeRef& block) {
        g.format().setLocked(block, lock != FALSE);
    });
}

BOOL SSGetLock(HWND hwnd, SS_COORD col, SS_COORD row) {
    GridRef grid(hwnd);
    if (!grid) return FALSE;
    const auto cell = cellOf(*grid, col, row);
    return gridx::control::toBool(cell && grid->format().locked(cell->col, cell->row));
}

BOOL SSSetCellType(HWND hwnd, SS_COORD col, SS_COORD row, const SS_CELLTYPE* cellType) {
    return SSSetCellTypeRange(hwnd, col, row, col, row, cellType);
}

BOOL SSSetCellTypeRange(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2,
                        const SS_CELLTYPE* cellType) {
    if (!cellType) return FALSE;
    const auto type = gridx::control::typeOfRecord(*cellType);
    if (!type) return FALSE;
    return changeBlock(hwnd, col, row, col2, row2, [&](GridWindow& g, const RangeRef& block) {
        g.format().setCellType(block, *type);
    });
}

BOOL SSGetCellType(HWND hwnd, SS_COORD col, SS_COORD row, LPSS_CELLTYPE cellType) {
    GridRef grid(hwnd);
    if (!grid || !cellType) return FALSE;
    const auto cell = cellOf(*grid, col, row);
    if (!cell) return FALSE;
    gridx::control::fillRecord(cellType, grid->format().cellType(cell->col, cell->row));
    return TRUE;
}
