// SS functions of calculation: recalculation and custom functions.
#include "SsCommon.h"

#include "CustomCall.h"

#include <algorithm>

using gridx::control::GridRef;
using gridx::control::GridWindow;
using gridx::control::toBool;

namespace {

constexpr int kNoArgumentBound = 32767;

} // namespace

BOOL SSReCalc(HWND hwnd) {
    GridRef grid(hwnd);
    if (!grid) return FALSE;
    grid->sheet().recalc();
    return TRUE;
}

BOOL SSReCalcCell(HWND hwnd, SS_COORD col, SS_COORD row) {
    GridRef grid(hwnd);
    if (!grid) return FALSE;
    const auto cell = gridx::control::cellOf(*grid, col, row);
    if (!cell) return FALSE;
    grid->sheet().recalcCell(cell->col, cell->row);
    return TRUE;
}

BOOL SSAddCustomFunctionExt(HWND hwnd, LPCWSTR name, short minArgs, short maxArgs,
                            CALCFUNCPROC proc, long flags) {
    GridRef grid(hwnd);
    if (!grid || !name || !*name || !proc) return FALSE;
    const int least = std::max<int>(minArgs, 0);
    const int most = maxArgs < 0 ? kNoArgumentBound : maxArgs;
    if (most < least) return FALSE;
    const unsigned engineFlags =
        static_cast<unsigned>(flags) & (gridx::kCellsAsReferences | gridx::kRangesAsReferences);
    gridx::Sheet& sheet = grid->sheet();
    sheet.addCustomFunction(name, least, most, engineFlags,
                            gridx::control::adaptCallback(sheet, proc));
    return TRUE;
}
