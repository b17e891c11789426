// The grid functions of connection standards: look-ups in text tables, section properties,
// nearest standard size within tolerance, list and type functions.
#pragma once

#include "grid/ssapi.h"

class Trk_Spread;

// Registers, in this order, ROUNDTO, GETCELL, GETPROFCELL, SECTIONSIZE, GETSYSNAME,
// STDWIDTHWITHTOLERANCE, STDTHICKNESSWITHTOLERANCE, STDSIZEWITHTOLERANCE, GETARRAYITEM,
// TONUMBER, ISNULL and ISPOSITIVE on the grid (no flags: references arrive as values). To be
// repeated after every load into the grid. False when any registration was refused.
bool registerStandardsFunctions(Trk_Spread& grid);

// The callback registered under `name` (upper case, as listed above); null for another name.
// Lets callers run a function on value records of their own.
CALCFUNCPROC standardsFunction(const wchar_t* name);
