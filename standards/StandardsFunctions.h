// The grid functions of connection standards: look-ups in text tables, section properties,
// nearest standard size within tolerance, list and type functions.
#pragma once

class Trk_Spread;

// Registers, in this order, ROUNDTO, GETCELL, GETPROFCELL, SECTIONSIZE, GETSYSNAME,
// STDWIDTHWITHTOLERANCE, STDTHICKNESSWITHTOLERANCE, STDSIZEWITHTOLERANCE, GETARRAYITEM,
// TONUMBER, ISNULL and ISPOSITIVE on the grid (no flags: references arrive as values). To be
// repeated after every load into the grid. False when any registration was refused.
bool registerStandardsFunctions(Trk_Spread& grid);
