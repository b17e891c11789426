#include "standards/StandardsSheet.h"

#include "spread/Trk_Spread.h"
#include "standards/KvVarCells.h"

#include "trk/StringFunctions.h"

#include <afxwin.h>

#include <algorithm>
#include <vector>

namespace {

using Place = StandardsSheetKeywords::Place;

// The sheet's value texts read once, row by row, as far as the keyword search needed.
struct SheetScan {
    StandardsSheetKeywords keywords;
    std::vector<Trk_StringArray> rows; // rows[0] is row 1
};

bool allFound(const StandardsSheetKeywords& keywords) {
    return keywords.input.found() && keywords.output.found() && keywords.local.found() &&
           keywords.calc.found();
}

void noteKeyword(const Trk_String& text, int column, int row, StandardsSheetKeywords& keywords) {
    struct Candidate {
        const wchar_t* word;
        Place& place;
    };
    Candidate candidates[] = {{L"Input", keywords.input},
                              {L"Output", keywords.output},
                              {L"Local", keywords.local},
                              {L"Calc", keywords.calc}};
    for (Candidate& candidate : candidates) {
        if (!candidate.place.found() && text.equal(candidate.word, false)) {
            candidate.place.column = column;
            candidate.place.row = row;
        }
    }
}

SheetScan scanSheet(const Trk_Spread& grid) {
    SheetScan scan;
    const int rowCount = std::max(grid.rowCount(), 0);
    for (int row = 1; row <= rowCount && !allFound(scan.keywords); ++row) {
        Trk_StringArray texts;
        grid.getRowTexts(row, texts);
        for (int i = 0; i < texts.length(); ++i)
            if (!texts[i].isEmpty()) noteKeyword(texts[i], i + 1, row, scan.keywords);
        scan.rows.push_back(std::move(texts));
    }
    return scan;
}

void readSection(const SheetScan& scan, const Place& keyword, KvCellType kind, KvVarCells& cells) {
    int firstRow = 0;
    int lastRow = 0;
    if (!sectionRows(scan.keywords, keyword, firstRow, lastRow)) return;
    lastRow = std::min(lastRow, static_cast<int>(scan.rows.size()));
    for (int row = firstRow; row <= lastRow; ++row) {
        const Trk_StringArray& texts = scan.rows[static_cast<std::size_t>(row - 1)];
        for (int i = 0; i < texts.length(); ++i) {
            KvVarCell cell;
            if (cell.initializeFromText(texts[i], i + 1, row, kind) == eOk) cells.append(cell);
        }
    }
}

Trk_String duplicateMessage(const Trk_String& loadedPath, const Trk_StringArray& repeated) {
    return L"There were duplicate variable names found in the standards file " + loadedPath +
           L".\nThe duplicates will be ignored. Please correct this file.\n" +
           L"Duplicate variable names:\n\n" + arrToStr(repeated, L"\n");
}

} // namespace

StandardsSheetKeywords findKeywords(const Trk_Spread& grid) {
    return scanSheet(grid).keywords;
}

ErrorStatus findKeyword(const Trk_Spread& grid, const Trk_String& keyword, int& column, int& row) {
    const int rowCount = std::max(grid.rowCount(), 0);
    Trk_StringArray texts;
    for (int r = 1; r <= rowCount; ++r) {
        grid.getRowTexts(r, texts);
        for (int i = 0; i < texts.length(); ++i) {
            if (texts[i].equal(keyword, false)) {
                column = i + 1;
                row = r;
                return eOk;
            }
        }
    }
    return eInvalidInput;
}

bool sectionRows(const StandardsSheetKeywords& keywords, const Place& keyword, int& firstRow,
                 int& lastRow) {
    if (!keyword.found()) return false;
    const int start = keyword.row + 1;
    int nextStart = 0;
    for (const Place* other :
         {&keywords.input, &keywords.output, &keywords.local, &keywords.calc}) {
        const int otherStart = other->row + 1;
        if (other->found() && otherStart > start && (nextStart == 0 || otherStart < nextStart))
            nextStart = otherStart;
    }
    if (nextStart == 0) return false; // nothing below: the section holds no declarations
    firstRow = start;
    lastRow = nextStart - 1;
    return true;
}

ErrorStatus readDeclarations(Trk_Spread& grid, KvVarCells& cells) {
    cells.resetVarCells();
    const SheetScan scan = scanSheet(grid);
    if (!scan.keywords.input.found() || !scan.keywords.output.found()) return eInvalidInput;
    readSection(scan, scan.keywords.input, KvCellType::Input, cells);
    readSection(scan, scan.keywords.output, KvCellType::Output, cells);
    readSection(scan, scan.keywords.local, KvCellType::Local, cells);
    return eOk;
}

bool removeDuplicateVariables(Trk_Spread& grid, KvVarCells& cells, const Trk_String& loadedPath) {
    Trk_StringArray names;
    for (int i = 0; i < cells.length(); ++i)
        names.append(cells[i].name);
    Trk_StringArray repeated;
    if (!hasDuplicates(names, repeated, false)) return false;
    MessageBox(grid.GetSafeHwnd(), duplicateMessage(loadedPath, repeated),
               L"Variable names must be unique", MB_OK | MB_ICONEXCLAMATION);
    Trk_Array<int> indices;
    getDuplicates(names, indices, false);
    for (int i = indices.length() - 1; i >= 0; --i)
        cells.removeAt(indices[i]);
    return true;
}
