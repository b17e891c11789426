// Trk_Spread: typed cell access and selection.
#include "spread/Trk_Spread.h"

#include <algorithm>
#include <climits>
#include <cwchar>
#include <string>

namespace {

enum TextKind { kData = 0, kFormula = 1, kTag = 2, kValue = 3 };

using LengthFn = int (*)(HWND, SS_COORD, SS_COORD);
using ReadFn = int (*)(HWND, SS_COORD, SS_COORD, LPWSTR);

int tagLength(HWND grid, SS_COORD col, SS_COORD row) {
    return SSGetCellTag(grid, col, row, nullptr);
}

// Asks for the length first and reads exactly that many characters; empty when unreadable.
std::wstring readText(HWND grid, int col, int row, LengthFn length, ReadFn read) {
    const int size = length(grid, col, row);
    if (size <= 0) return {};
    std::wstring text(static_cast<std::size_t>(size) + 1, L'\0');
    const int copied = read(grid, col, row, text.data());
    if (copied <= 0) return {};
    text.resize(static_cast<std::size_t>(std::min(copied, size)));
    return text;
}

} // namespace

bool Trk_Spread::getCellText(int col, int row, int kind, Trk_String& out) const {
    out.clear();
    if (!colOrHeader(col) || !rowOrHeader(row)) return false;
    switch (kind) {
    case kData:
        out = readText(grid(), col, row, SSGetDataLen, SSGetData);
        return true;
    case kFormula:
        out = readText(grid(), col, row, SSGetFormulaLen, SSGetFormula);
        return true;
    case kTag:
        out = readText(grid(), col, row, tagLength, SSGetCellTag);
        return true;
    case kValue:
        out = readText(grid(), col, row, SSGetValueLen, SSGetValue);
        return true;
    default:
        return false;
    }
}

bool Trk_Spread::setCellData(int col, int row, const Trk_String& text) {
    return created && SSSetData(grid(), col, row, text.c_str()) != FALSE;
}

bool Trk_Spread::setCellValue(int col, int row, const Trk_String& text) {
    return created && SSSetValue(grid(), col, row, text.c_str()) != FALSE;
}

// The leading number of the value text, as the standard conversions read it: text that does
// not start with a number (an empty cell included) reads 0; an integer beyond the int range
// reads as the nearest limit.
bool Trk_Spread::getInt(int col, int row, int& value) const {
    Trk_String text;
    if (!getCellText(col, row, kValue, text)) return false;
    value = _wtoi(text.c_str());
    return true;
}

bool Trk_Spread::getDouble(int col, int row, double& value) const {
    Trk_String text;
    if (!getCellText(col, row, kValue, text)) return false;
    value = _wtof(text.c_str());
    return true;
}

bool Trk_Spread::setInt(int col, int row, int value) {
    return created && SSSetValue(grid(), col, row, Trk_String(value).c_str()) != FALSE;
}

bool Trk_Spread::setDouble(int col, int row, double value) {
    return created && SSSetData(grid(), col, row, Trk_String(value, 2, true).c_str()) != FALSE;
}

bool Trk_Spread::getBool(int col, int row, bool& value) const {
    Trk_String text;
    if (!getCellText(col, row, kValue, text)) return false;
    if (text == L"1") {
        value = true;
        return true;
    }
    if (text == L"0") {
        value = false;
        return true;
    }
    return false;
}

bool Trk_Spread::setBool(int col, int row, bool value) {
    return created && SSSetData(grid(), col, row, value ? L"1" : L"0") != FALSE;
}

int Trk_Spread::getCellType(int col, int row) const {
    if (!created) return 0;
    SS_CELLTYPE type{};
    return SSGetCellType(grid(), col, row, &type) ? type.Type : 0;
}

bool Trk_Spread::getActiveCell(int& col, int& row) {
    if (!created) return false;
    SS_COORD c = 0;
    SS_COORD r = 0;
    if (!SSGetActiveCell(grid(), &c, &r)) {
        if (!SSSetActiveCell(grid(), 1, 1)) return false;
        c = 1;
        r = 1;
    }
    col = static_cast<int>(c);
    row = static_cast<int>(r);
    return true;
}

int Trk_Spread::activeRow() {
    if (!created) return -1;
    SS_CELLCOORD upperLeft{};
    SS_CELLCOORD lowerRight{};
    if (SSGetSelectBlock(grid(), &upperLeft, &lowerRight)) return static_cast<int>(upperLeft.Row);
    int col = 0;
    int row = 0;
    return getActiveCell(col, row) ? row : -1;
}

int Trk_Spread::activeCol() {
    if (!created) return -1;
    SS_CELLCOORD upperLeft{};
    SS_CELLCOORD lowerRight{};
    if (SSGetSelectBlock(grid(), &upperLeft, &lowerRight)) return static_cast<int>(upperLeft.Col);
    int col = 0;
    int row = 0;
    return getActiveCell(col, row) ? col : -1;
}

bool Trk_Spread::selectBlock(int col1, int row1, int col2, int row2) {
    if (!created) return false;
    const SS_CELLCOORD upperLeft{col1, row1};
    const SS_CELLCOORD lowerRight{col2, row2};
    return SSSetSelectBlock(grid(), &upperLeft, &lowerRight) != FALSE;
}

bool Trk_Spread::selectRow(int row) {
    return validRow(row) && selectBlock(HEADER, row, colCount(), row);
}
