#include "grid/Document.h"

namespace gridx {

Document::Document() {
    format.setMaxCols(sheet.maxCols());
    format.setMaxRows(sheet.maxRows());
}

void Document::setMaxCols(int cols) {
    sheet.setMaxCols(cols);
    format.setMaxCols(sheet.maxCols());
}

void Document::setMaxRows(int rows) {
    sheet.setMaxRows(rows);
    format.setMaxRows(sheet.maxRows());
}

void Document::insertRows(int at, int count) {
    sheet.insertRows(at, count);
    format.insertRows(at, count);
}

void Document::deleteRows(int at, int count) {
    sheet.deleteRows(at, count);
    format.deleteRows(at, count);
}

void Document::insertCols(int at, int count) {
    sheet.insertCols(at, count);
    format.insertCols(at, count);
}

void Document::deleteCols(int at, int count) {
    sheet.deleteCols(at, count);
    format.deleteCols(at, count);
}

void Document::copyRange(const RangeRef& source, int destCol, int destRow) {
    sheet.copyRange(source, destCol, destRow);
    format.copyRange(source, destCol, destRow);
}

void Document::swapRanges(const RangeRef& source, int destCol, int destRow) {
    sheet.swapRanges(source, destCol, destRow);
    format.swapRanges(source, destCol, destRow);
}

} // namespace gridx
