// What a grid holds and a sheet file saves: contents and formulas (the sheet) with their
// formatting (the format model), kept the same size and moved together.
//
// The reference style, the numbered options, colours of the grid's look, the selection and the
// custom-function registrations belong to the window, not to the document: a load keeps them
// (custom functions are registered again by the caller after a load).
#pragma once

#include "grid/Format.h"
#include "grid/Sheet.h"

namespace gridx {

struct Document {
    Sheet sheet;
    SheetFormat format;

    // Starts with the format model as large as the sheet.
    Document();

    // Size of both models; reducing drops what lies beyond in both.
    void setMaxCols(int cols);
    void setMaxRows(int rows);

    // Structural operations on contents and formatting together.
    void insertRows(int at, int count);
    void deleteRows(int at, int count);
    void insertCols(int at, int count);
    void deleteCols(int at, int count);
    void copyRange(const RangeRef& source, int destCol, int destRow);
    void swapRanges(const RangeRef& source, int destCol, int destRow);
};

} // namespace gridx
