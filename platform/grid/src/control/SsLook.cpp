// SS functions of the grid's look and options: kept as given, returned as set.
#include "SsCommon.h"

#include "win/winuser.h"

using gridx::control::GridRef;
using gridx::control::GridWindow;
using gridx::control::toBool;
using gridx::control::withGrid;

BOOL SSSetAppearance(HWND hwnd, WORD appearance) {
    return withGrid(hwnd, [&](GridWindow& g) { g.look.appearance = appearance; });
}

BOOL SSSetActionKey(HWND hwnd, WORD action, BOOL shift, BOOL control, WORD key) {
    return withGrid(hwnd, [&](GridWindow& g) {
        g.look.actionKeys[action] = {static_cast<WORD>(shift != FALSE),
                                     static_cast<WORD>(control != FALSE), key};
    });
}

BOOL SSSetBool(HWND hwnd, short option, BOOL value) {
    GridRef grid(hwnd);
    if (!grid) return FALSE;
    return toBool(grid->setOption(option, value != FALSE));
}

BOOL SSGetBool(HWND hwnd, short option) {
    GridRef grid(hwnd);
    return grid ? toBool(grid->option(option)) : FALSE;
}

BOOL SSSetGrayAreaColor(HWND hwnd, COLORREF background, COLORREF foreground) {
    return withGrid(hwnd, [&](GridWindow& g) {
        g.look.grayBack = background;
        g.look.grayFore = foreground;
    });
}

BOOL SSSetCursor(HWND hwnd, WORD type, HCURSOR cursor) {
    return withGrid(hwnd, [&](GridWindow& g) {
        g.look.cursorType = type;
        g.look.cursor = cursor;
    });
}

BOOL SSSetSelColor(HWND hwnd, COLORREF background, COLORREF foreground) {
    return withGrid(hwnd, [&](GridWindow& g) {
        g.look.selBack = background;
        g.look.selFore = foreground;
    });
}

BOOL SSSetLockColor(HWND hwnd, COLORREF background, COLORREF foreground) {
    return withGrid(hwnd, [&](GridWindow& g) {
        g.look.lockBack = background;
        g.look.lockFore = foreground;
    });
}

BOOL SSSetGridType(HWND hwnd, WORD type) {
    return withGrid(hwnd, [&](GridWindow& g) { g.look.gridType = type; });
}

BOOL SSSetGridColor(HWND hwnd, COLORREF color) {
    return withGrid(hwnd, [&](GridWindow& g) { g.look.gridColor = color; });
}

BOOL SSSetBackColorStyle(HWND hwnd, WORD style) {
    return withGrid(hwnd, [&](GridWindow& g) { g.look.backColorStyle = style; });
}

BOOL SSSetActiveCellHighlightStyle(HWND hwnd, WORD style) {
    return withGrid(hwnd, [&](GridWindow& g) { g.look.highlightStyle = style; });
}

BOOL SSSetUserResize(HWND hwnd, WORD userResize) {
    return withGrid(hwnd, [&](GridWindow& g) { g.look.userResize = userResize; });
}

BOOL SSSetOperationMode(HWND hwnd, WORD mode) {
    return withGrid(hwnd, [&](GridWindow& g) { g.look.operationMode = mode; });
}

BOOL SSSetUnitType(HWND hwnd, WORD unitType) {
    return withGrid(hwnd, [&](GridWindow& g) { g.look.unitType = unitType; });
}

short SSSetRefStyle(HWND hwnd, short style) {
    GridRef grid(hwnd);
    if (!grid || style < 0 || style > 2) return -1;
    const short previous = grid->refStyleCode();
    grid->setRefStyleCode(style);
    return previous;
}

short SSGetRefStyle(HWND hwnd) {
    GridRef grid(hwnd);
    return grid ? grid->refStyleCode() : static_cast<short>(-1);
}

BOOL SSSetAutoSizeVisible(HWND hwnd, SS_COORD visibleCols, SS_COORD visibleRows) {
    return withGrid(hwnd, [&](GridWindow& g) {
        g.look.visibleCols = visibleCols;
        g.look.visibleRows = visibleRows;
    });
}

BOOL SSSetEditEnterAction(HWND hwnd, WORD action) {
    return withGrid(hwnd, [&](GridWindow& g) { g.look.editEnterAction = action; });
}

BOOL SSGetTextTip(HWND hwnd, WORD* status, DWORD* delay, LOGFONT* font, COLORREF* background,
                  COLORREF* foreground) {
    return withGrid(hwnd, [&](GridWindow& g) {
        if (status) *status = g.look.tipStatus;
        if (delay) *delay = g.look.tipDelay;
        if (font) *font = g.look.tipFont;
        if (background) *background = g.look.tipBack;
        if (foreground) *foreground = g.look.tipFore;
    });
}

BOOL SSSetTextTip(HWND hwnd, WORD status, DWORD delay, const LOGFONT* font, COLORREF background,
                  COLORREF foreground) {
    return withGrid(hwnd, [&](GridWindow& g) {
        g.look.tipStatus = status;
        g.look.tipDelay = delay;
        if (font) {
            g.look.tipFont = *font;
            g.look.tipFont.lfFaceName[LF_FACESIZE - 1] = L'\0';
        }
        g.look.tipBack = background;
        g.look.tipFore = foreground;
    });
}

BOOL SSSetCellNoteIndicator(HWND hwnd, WORD indicator) {
    return withGrid(hwnd, [&](GridWindow& g) { g.look.noteIndicator = indicator; });
}

BOOL SSReset(HWND hwnd) {
    return withGrid(hwnd, [](GridWindow& g) { g.reset(); });
}

HWND SSGetOwner(HWND hwnd) {
    GridRef grid(hwnd);
    return grid ? GetParent(hwnd) : nullptr;
}
