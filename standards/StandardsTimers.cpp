#include "standards/StandardsTimers.h"

// Each timer carries its own variable name, so that printed summaries say which stage they time.
#define TRK_STANDARDS_TIMER(name) Trk_Timer name(L## #name)

TRK_STANDARDS_TIMER(gLoadFile);
TRK_STANDARDS_TIMER(gInitSSForInput);
TRK_STANDARDS_TIMER(gSSSGetFromMacro);
TRK_STANDARDS_TIMER(gInitMapping);
TRK_STANDARDS_TIMER(gInitFromMacro);
TRK_STANDARDS_TIMER(gSetMacroValuelsToSS);
TRK_STANDARDS_TIMER(gSSSreplaceGenVars);
TRK_STANDARDS_TIMER(gCalcMain);
TRK_STANDARDS_TIMER(gSetToMacro);
TRK_STANDARDS_TIMER(gGetFromVars);
TRK_STANDARDS_TIMER(gCalcChild);
TRK_STANDARDS_TIMER(gSetToVars);
TRK_STANDARDS_TIMER(gRegisterFuntions);
TRK_STANDARDS_TIMER(gFindDuplicates);
TRK_STANDARDS_TIMER(gCalcCells);
TRK_STANDARDS_TIMER(gCalcCellSplitSymbol);
TRK_STANDARDS_TIMER(gCalcCellFindVarCell);
TRK_STANDARDS_TIMER(gCalcCellFindFunctions);
TRK_STANDARDS_TIMER(gCalcCellCalcNativeFunctions);
TRK_STANDARDS_TIMER(gCalcCellCalcFunctionsPrepare);
TRK_STANDARDS_TIMER(gCalcCellCalcFunctions);
TRK_STANDARDS_TIMER(gCalcCellGetVarNames);
TRK_STANDARDS_TIMER(gCalcCellGetVarCoords);
TRK_STANDARDS_TIMER(gCalcCellGetVarCoordName);
TRK_STANDARDS_TIMER(gCalcCellReplaceVariables);
