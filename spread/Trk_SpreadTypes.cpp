// Trk_Spread: cell-type presets and picture cells.
#include "spread/Trk_Spread.h"

#include "spread/RedrawGuard.h"

#include "trk/StringFunctions.h"

#include "win/shlwapi.h"

#include <algorithm>

namespace {

constexpr long kNumberStyle = 0x10000000;
constexpr long kNumberAlternate = 0x400000;
constexpr long kNumberRegular = 0x100000;
constexpr double kNumberLimit = 99999999999999.0;
constexpr long kComboExStyle = 0x100000;
constexpr long kComboEditable = 2;
constexpr short kComboMaxEdit = 999;
constexpr long kPictureStyle = 36;
constexpr long kIconPictureStyle = 0x211004;
constexpr long kBitmapPictureStyle = 0x210024;
constexpr WORD kPictureBorderType = 18;
constexpr WORD kBorderStyle = 6;
constexpr COLORREF kSystemColour = 0x8000000B;

Trk_String joinedItems(const Trk_StringArray& items) {
    return arrToStr(items, L"\t");
}

short listRows(const Trk_StringArray& items) {
    return static_cast<short>(std::min(items.length(), 32767));
}

} // namespace

bool Trk_Spread::fillPresetType(int col1, int row1, int col2, int row2, const SS_CELLTYPE& type) {
    return created && SSSetCellTypeRange(grid(), col1, row1, col2, row2, &type) != FALSE;
}

bool Trk_Spread::setEditType(int col1, int row1, int col2, int row2, long style, int maxLength) {
    if (!created) return false;
    SS_CELLTYPE type{};
    SSSetTypeEdit(grid(), &type, style, maxLength, 0, 1);
    return fillPresetType(col1, row1, col2, row2, type);
}

bool Trk_Spread::setNumberType(int col1, int row1, int col2, int row2, int decimals,
                               bool alternate) {
    if (!created) return false;
    SS_CELLTYPE type{};
    const long style = kNumberStyle | (alternate ? kNumberAlternate : kNumberRegular);
    SSSetTypeNumber(grid(), &type, style, static_cast<short>(std::clamp(decimals, 0, 15)),
                    -kNumberLimit, kNumberLimit, FALSE);
    return fillPresetType(col1, row1, col2, row2, type);
}

bool Trk_Spread::setStaticText(int col, int row, long style) {
    if (!created) return false;
    SS_CELLTYPE type{};
    SSSetTypeStaticText(grid(), &type, style);
    return SSSetCellType(grid(), col, row, &type) != FALSE;
}

bool Trk_Spread::setColumnStatic(int col, long style) {
    if (!colOrHeader(col)) return false;
    SS_CELLTYPE type{};
    SSSetTypeStaticText(grid(), &type, style);
    if (rowCount() > 0) fillPresetType(col, 1, col, rowCount(), type);
    return SSSetCellType(grid(), col, HEADER, &type) != FALSE;
}

bool Trk_Spread::setComboType(int col1, int row1, int col2, int row2, const Trk_StringArray& items,
                              bool editable) {
    if (!created) return false;
    const int first = std::max(row1, 1);
    const int last = std::min(row2, rowCount());
    if (first > last) return false;
    SS_CELLTYPE type{};
    SSSetTypeComboBoxEx(grid(), &type, kComboExStyle | (editable ? kComboEditable : 0),
                        joinedItems(items).c_str(), listRows(items), kComboMaxEdit, 0, nullptr, 1);
    return fillPresetType(col1, first, col2, last, type);
}

bool Trk_Spread::setComboColumn(int col, const Trk_StringArray& items, bool editable) {
    return validCol(col) && setComboType(col, 1, col, rowCount(), items, editable);
}

bool Trk_Spread::setListType(int col1, int row1, int col2, int row2, const Trk_StringArray& items,
                             bool editable) {
    if (!created) return false;
    SS_CELLTYPE type{};
    SSSetTypeComboBox(grid(), &type, editable ? 2 : 0, joinedItems(items).c_str());
    return fillPresetType(col1, row1, col2, row2, type);
}

bool Trk_Spread::setButtonType(int col1, int row1, int col2, int row2, const Trk_String& label) {
    SS_CELLTYPE type{};
    SSSetTypeButton(grid(), &type, 0, label.c_str(), nullptr, 0, nullptr, 0, 0, 0, nullptr);
    const bool applied = fillPresetType(col1, row1, col2, row2, type);
    if (applied) markChanged();
    return applied;
}

bool Trk_Spread::setButtonColumn(int col, const Trk_String& label, bool spanHeader) {
    if (!validCol(col) || rowCount() < 1) return false;
    if (spanHeader && col > 1) SSAddCellSpan(grid(), col - 1, HEADER, 2, 1);
    return setButtonType(col, 1, col, rowCount(), label);
}

bool Trk_Spread::setButtonCell(int col, int row, const Trk_String& label) {
    return validCol(col) && validRow(row) && setButtonType(col, row, col, row, label);
}

bool Trk_Spread::setPictureRow(const Trk_String& file, int col, int row, int& rowsUsed) {
    if (!validCol(col) || !validRow(row) || !PathFileExists(file.c_str())) return false;
    int height = 0;
    if (HANDLE image = LoadImage(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0,
                                 LR_LOADFROMFILE | LR_CREATEDIBSECTION)) {
        BITMAP info{};
        if (GetObject(image, sizeof(info), &info)) height = info.bmHeight;
        DeleteObject(image);
    }
    rowsUsed = 0;
    const auto redraw = RedrawGuard::forBulkWork(*this);
    SSSetRowHeightInPixels(grid(), row, height);
    // The picture takes the rest of the row: a span from col over every later column.
    const int spanCols = colCount() - col + 1;
    if (spanCols > 1) SSAddCellSpan(grid(), col, row, spanCols, 1);
    if (col > 1) SSSetBorder(grid(), col - 1, row, kPictureBorderType, kBorderStyle, kSystemColour);
    SS_CELLTYPE type{};
    SSSetTypePicture(grid(), &type, kPictureStyle, file.c_str());
    return SSSetCellType(grid(), col, row, &type) != FALSE;
}

bool Trk_Spread::setResourcePicture(int col, int row, int resourceId, bool isIcon) {
    if (!colOrHeader(col) || !rowOrHeader(row)) return false;
    const HANDLE picture =
        LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(resourceId),
                  isIcon ? IMAGE_ICON : IMAGE_BITMAP, 0, 0, isIcon ? LR_DEFAULTSIZE : 0);
    if (!picture) return false;
    resourcePictures.emplace_back(picture, isIcon);
    SS_CELLTYPE type{};
    SSSetTypePictureHandle(grid(), &type, isIcon ? kIconPictureStyle : kBitmapPictureStyle, picture,
                           nullptr, FALSE);
    return SSSetCellType(grid(), col, row, &type) != FALSE;
}
