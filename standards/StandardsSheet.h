// The layout of a standards spreadsheet: four keyword cells "Input", "Output", "Local" and
// "Calc" (any column; the first match scanning row 1 left to right, then row 2, ...), each
// heading the section of rows below it. A section ends before the first row of the nearest
// section that starts further down; a section with none below holds no declarations.
#pragma once

#include "trk/ErrorStatus.h"
#include "trk/Trk_String.h"

class Trk_Spread;
class KvVarCells;

// Where each keyword was found; row 0 when it was not.
struct StandardsSheetKeywords {
    struct Place {
        int column = 0;
        int row = 0;
        bool found() const { return row > 0; }
    };
    Place input;
    Place output;
    Place local;
    Place calc;
};

// Finds all four keywords in one scan of the sheet (stops once all are found).
StandardsSheetKeywords findKeywords(const Trk_Spread& grid);

// The first cell whose value text equals `keyword` (ignoring case); eInvalidInput when none.
ErrorStatus findKeyword(const Trk_Spread& grid, const Trk_String& keyword, int& column, int& row);

// First and last row of the section under `keyword` (a member of `keywords`); false when the
// keyword is missing or the section holds no rows.
bool sectionRows(const StandardsSheetKeywords& keywords,
                 const StandardsSheetKeywords::Place& keyword, int& firstRow, int& lastRow);

// Empties `cells` and reads the declarations of the Input, Output and Local sections in that
// order. eInvalidInput when "Input" or "Output" is missing; a missing "Local" is fine. The sheet
// is not written.
ErrorStatus readDeclarations(Trk_Spread& grid, KvVarCells& cells);

// When variable names repeat (ignoring case), shows a message box over the grid window (always)
// and removes every later declaration of a name, so the first one survives. True when
// something was removed.
bool removeDuplicateVariables(Trk_Spread& grid, KvVarCells& cells, const Trk_String& loadedPath);
