// Trk_Spread: check-box cells and the check column that locks a partner column.
#include "spread/Trk_Spread.h"

#include "spread/RedrawGuard.h"

#include <algorithm>

namespace {

constexpr UINT kCheckedBitmap = 8134;
constexpr UINT kUncheckedBitmap = 8136;
constexpr long kCheckStyle = 0x300;
constexpr WORD kBitmapHandle = 6;
constexpr WORD kCheckBorderType = 2;
constexpr WORD kBorderStyle = 6;

LPCWSTR pictureArgument(const CBitmap& bitmap) {
    return reinterpret_cast<LPCWSTR>(static_cast<HBITMAP>(bitmap));
}

} // namespace

void Trk_Spread::loadCheckBitmaps() {
    if (checkBitmapsLoaded) return;
    checkBitmapsLoaded = true;
    checkedBitmap.LoadBitmap(kCheckedBitmap);
    uncheckedBitmap.LoadBitmap(kUncheckedBitmap);
}

bool Trk_Spread::setCheckType(int col1, int row1, int col2, int row2, bool withBorder) {
    loadCheckBitmaps();
    const LPCWSTR up = pictureArgument(uncheckedBitmap);
    const LPCWSTR down = pictureArgument(checkedBitmap);
    SS_CELLTYPE type{};
    SSSetTypeCheckBox(grid(), &type, kCheckStyle, L"", up, kBitmapHandle, down, kBitmapHandle, up,
                      kBitmapHandle, down, kBitmapHandle, nullptr, 0, nullptr, 0);
    if (!fillPresetType(col1, row1, col2, row2, type)) return false;
    if (withBorder)
        SSSetBorderRange(grid(), col1, row1, col2, row2, kCheckBorderType, kBorderStyle, 0);
    return true;
}

bool Trk_Spread::setCheckColumn(int col, bool withBorder, bool spanHeader) {
    if (!validCol(col) || rowCount() < 1) return false;
    if (spanHeader) SSAddCellSpan(grid(), col, HEADER, 2, 1);
    return setCheckType(col, 1, col, rowCount(), withBorder);
}

bool Trk_Spread::setCheckCell(int col, int row, bool withBorder) {
    return validCol(col) && validRow(row) && setCheckType(col, row, col, row, withBorder);
}

bool Trk_Spread::linkCheckColumn(int checkCol, int dependentCol) {
    if (!validCol(checkCol) || !validCol(dependentCol)) return false;
    checkColumn = checkCol;
    dependentColumn = dependentCol;
    const auto redraw = RedrawGuard::forBulkWork(*this);
    for (int row = 1; row <= rowCount(); ++row)
        applyLockRule(row);
    return true;
}

void Trk_Spread::applyLockRule(int row) {
    if (!validCol(checkColumn) || !validCol(dependentColumn) || !validRow(row)) return;
    Trk_String text;
    getCellText(checkColumn, row, 3, text);
    if (text == L"1") {
        SSSetLock(grid(), dependentColumn, row, FALSE);
    } else if (text == L"0") {
        SSSetLock(grid(), dependentColumn, row, TRUE);
    }
}

// The control flips a check box when it is released, so the lock follows the release: acting
// on the press would lock by the old value and move the active cell away before the release.
void Trk_Spread::onCheckReleased() {
    if (!created || checkColumn < 0) return;
    int col = 0;
    int row = 0;
    if (!getActiveCell(col, row) || col != checkColumn) return;
    applyLockRule(row);
    SSSetActiveCell(grid(), dependentColumn, row);
}

bool Trk_Spread::setChecksInSelection(bool value) {
    if (!created) return false;
    SS_CELLCOORD upperLeft{};
    SS_CELLCOORD lowerRight{};
    if (!SSGetSelectBlock(grid(), &upperLeft, &lowerRight)) {
        int col = 0;
        int row = 0;
        if (!getActiveCell(col, row)) return false;
        upperLeft = lowerRight = SS_CELLCOORD{col, row};
    }
    const int firstCol = std::max<int>(upperLeft.Col, 1);
    const int firstRow = std::max<int>(upperLeft.Row, 1);
    const int lastCol = lowerRight.Col < 0 ? colCount() : std::min<int>(lowerRight.Col, colCount());
    const int lastRow = lowerRight.Row < 0 ? rowCount() : std::min<int>(lowerRight.Row, rowCount());
    const auto redraw = RedrawGuard::forBulkWork(*this);
    for (int col = firstCol; col <= lastCol; ++col) {
        for (int row = firstRow; row <= lastRow; ++row) {
            if (getCellType(col, row) != SS_TYPE_CHECKBOX) continue;
            SSSetData(grid(), col, row, value ? L"1" : L"0");
            if (col == checkColumn) applyLockRule(row);
        }
    }
    markChanged();
    return true;
}
