// The exported timers of the standards evaluation, one per stage. Each stage calls start before
// and end after; the core reads and prints them.
#pragma once

#include "frame/TrkSSApi.h"
#include "trk/Trk_Timer.h"

extern TRKSS_API Trk_Timer gLoadFile;              // loading the spreadsheet file
extern TRKSS_API Trk_Timer gInitSSForInput;        // main: general variables and declarations
extern TRKSS_API Trk_Timer gSSSGetFromMacro;       // main: reading all values from the macro
extern TRKSS_API Trk_Timer gInitMapping;           // initialising the mapping
extern TRKSS_API Trk_Timer gInitFromMacro;         // the per-variable reads from the macro
extern TRKSS_API Trk_Timer gSetMacroValuelsToSS;   // main: writing all values into the sheet
extern TRKSS_API Trk_Timer gSSSreplaceGenVars;     // main: replacing general-variable names
extern TRKSS_API Trk_Timer gCalcMain;              // main: calculation and reading the outputs
extern TRKSS_API Trk_Timer gSetToMacro;            // main: writing the outputs into the macro
extern TRKSS_API Trk_Timer gGetFromVars;           // child: declarations, passed values, gen vars
extern TRKSS_API Trk_Timer gCalcChild;             // child: calculation
extern TRKSS_API Trk_Timer gSetToVars;             // child: handing the outputs back
extern TRKSS_API Trk_Timer gRegisterFuntions;      // registering the custom functions
extern TRKSS_API Trk_Timer gFindDuplicates;        // the duplicate-name check
extern TRKSS_API Trk_Timer gCalcCells;             // running all calculation lines
extern TRKSS_API Trk_Timer gCalcCellSplitSymbol;   // splitting a line at "="
extern TRKSS_API Trk_Timer gCalcCellFindVarCell;   // finding the line's variable
extern TRKSS_API Trk_Timer gCalcCellFindFunctions; // detecting a child call
extern TRKSS_API Trk_Timer gCalcCellCalcNativeFunctions;  // running a child call
extern TRKSS_API Trk_Timer gCalcCellCalcFunctionsPrepare; // cell type and name substitution
extern TRKSS_API Trk_Timer gCalcCellCalcFunctions;        // reading and storing a line's result
extern TRKSS_API Trk_Timer gCalcCellGetVarNames;          // collecting the variable names
extern TRKSS_API Trk_Timer gCalcCellGetVarCoords;         // computing all cell references
extern TRKSS_API Trk_Timer gCalcCellGetVarCoordName;      // computing one cell reference
extern TRKSS_API Trk_Timer gCalcCellReplaceVariables;     // the name substitution itself
