// FROMTABLE(table file, cell) / (table file, cell, cell of the calling sheet) / (table file,
// key caption, value caption, key): a value looked up in another sheet file. Registered only
// on the grids of "Formulas" dialogs.
#pragma once

#include "grid/ssapi.h"

class Trk_Spread;

// Registers FROMTABLE (2 to 4 arguments, single-cell references as cells) on a grid; to be
// repeated after every load into it.
bool registerFromTable(Trk_Spread& grid);

// The grid control's callback: answers the call in a "Formulas" dialog of mode 2, which is
// given the sheet being evaluated as its context. Always TRUE; a failed lookup leaves the
// result empty (status 2).
BOOL FromTableCallback(LPSSVALUE result, LPSSVALUE args, short argCount);

// The lookup itself, run by the mode-2 dialog on its own grid: loads the table file named by
// the first argument into `table` and fills `result` from it. Nothing at all happens without
// a context sheet.
void evaluateFromTable(Trk_Spread& table, Trk_Spread* context, SSVALUE& result, const SSVALUE* args,
                       int argCount);
