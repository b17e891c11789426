// Trk_Spread: inserting, appending, deleting, moving and merging rows and columns.
#include "spread/Trk_Spread.h"

#include "spread/RedrawGuard.h"

// Copies one row (or column), header cell included, onto another: contents and formatting.
void Trk_Spread::copyLine(bool rows, int from, int to) {
    if (rows) {
        SSCopyRange(grid(), HEADER, from, colCount(), from, HEADER, to);
    } else {
        SSCopyRange(grid(), from, HEADER, from, rowCount(), to, HEADER);
    }
}

bool Trk_Spread::insertLine(bool rows, int at, bool askCaption, bool copyFormat) {
    const int count = rows ? rowCount() : colCount();
    if (!created || at < 1 || at > count + 1) return false;
    const auto redraw = RedrawGuard::forBulkWork(*this);
    if (!(rows ? setRowCount(count + 1, false) : setColCount(count + 1, false))) return false;
    if (!(rows ? SSInsRow(grid(), at) : SSInsCol(grid(), at))) return false;
    if (rows) {
        setFontRange(HEADER, at, HEADER, at, true, true);
        if (colCount() > 0) setFontRange(1, at, colCount(), at, false, false);
    } else {
        setFontRange(at, HEADER, at, HEADER, true, true);
        if (rowCount() > 0) setFontRange(at, 1, at, rowCount(), false, false);
    }
    markChanged();
    if (copyFormat && at + 1 <= count + 1) copyLine(rows, at + 1, at);
    Trk_String caption;
    if (askCaption && this->askCaption(rows, caption)) {
        if (rows) {
            SSSetData(grid(), HEADER, at, caption.c_str());
        } else {
            SSSetData(grid(), at, HEADER, caption.c_str());
        }
    }
    return true;
}

bool Trk_Spread::insertRow(int at, bool askCaption, bool copyFormat) {
    return insertLine(true, at, askCaption, copyFormat);
}

bool Trk_Spread::insertCol(int at, bool askCaption, bool copyFormat) {
    return insertLine(false, at, askCaption, copyFormat);
}

int Trk_Spread::appendRow(bool copyFormat) {
    if (!created) return -1;
    const auto redraw = RedrawGuard::forBulkWork(*this);
    const int row = rowCount() + 1;
    if (!setRowCount(row, false)) return -1;
    clearRow(row); // growing set the new row's fonts
    markChanged();
    if (copyFormat && row > 1) copyLine(true, row - 1, row);
    return row;
}

bool Trk_Spread::insertRowAfterActive(bool copyFormat) {
    const int row = activeRow();
    return row >= 0 && insertRow(row + 1, false, copyFormat);
}

bool Trk_Spread::deleteLine(bool rows, int at) {
    if (rows ? !validRow(at) : !validCol(at)) return false;
    if (!(rows ? SSDelRow(grid(), at) : SSDelCol(grid(), at))) return false;
    const bool shrunk =
        rows ? setRowCount(rowCount() - 1, false) : setColCount(colCount() - 1, false);
    markChanged();
    return shrunk;
}

bool Trk_Spread::deleteRow(int at) {
    return deleteLine(true, at);
}

bool Trk_Spread::deleteCol(int at) {
    return deleteLine(false, at);
}

bool Trk_Spread::deleteActiveRow() {
    return deleteRow(activeRow());
}

bool Trk_Spread::moveActiveRow(int step) {
    if (!created) return false;
    int col = 0;
    int row = 0;
    if (!getActiveCell(col, row)) return false;
    const int target = row + step;
    if (!validRow(row) || !validRow(target) || colCount() < 1) return false;
    if (!SSSwapRange(grid(), 1, row, colCount(), row, 1, target)) return false;
    SSSetActiveCell(grid(), col, target);
    markChanged();
    return true;
}

bool Trk_Spread::moveActiveRowUp() {
    return moveActiveRow(-1);
}

bool Trk_Spread::moveActiveRowDown() {
    return moveActiveRow(1);
}

bool Trk_Spread::spanRun(int col, int lastRow, int length) {
    return length > 1 && SSAddCellSpan(grid(), col, lastRow - length + 1, 1, length) != FALSE;
}

bool Trk_Spread::mergeEqualRuns(int col) {
    if (!created || col < 0 || col > colCount()) return false;
    const auto redraw = RedrawGuard::forBulkWork(*this);
    unspanColumn(col);
    const int rows = rowCount();
    Trk_String previous;
    Trk_String text;
    int run = 0;
    for (int row = 1; row <= rows; ++row) {
        getCellText(col, row, 3, text);
        if (!text.isEmpty() && text.equal(previous, false)) {
            ++run;
            continue;
        }
        spanRun(col, row - 1, run);
        previous = text;
        run = 1;
    }
    spanRun(col, rows, run);
    return true;
}

bool Trk_Spread::unspanColumn(int col) {
    if (!colOrHeader(col)) return false;
    const auto redraw = RedrawGuard::forBulkWork(*this);
    for (int row = 0; row <= rowCount(); ++row) {
        SS_COORD anchorCol = 0;
        SS_COORD anchorRow = 0;
        if (SSGetCellSpan(grid(), col, row, &anchorCol, &anchorRow, nullptr, nullptr) ==
            SS_SPAN_ANCHOR)
            SSRemoveCellSpan(grid(), col, row);
    }
    return true;
}

bool Trk_Spread::unspanAll() {
    if (!created) return false;
    const auto redraw = RedrawGuard::forBulkWork(*this);
    for (int col = 0; col <= colCount(); ++col)
        unspanColumn(col);
    return true;
}

bool Trk_Spread::setColumnLocked(int col) {
    return validCol(col) && rowCount() > 0 &&
           SSSetLockRange(grid(), col, 1, col, rowCount(), TRUE) != FALSE;
}
