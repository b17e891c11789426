#include "standards/KvVarCell.h"

#include "spread/Trk_Spread.h"
#include "standards/KvDlgStandardsData.h"
#include "standards/KvSSMapping.h"

namespace {

constexpr int kIntDecimals = 0;
constexpr int kDoubleDecimals = 7;
constexpr long kTextStyle = 0;
constexpr int kValueText = 3; // the grid wrapper's read of the shown value
constexpr int kTextMaxLength = 9999;

struct DeclarationWord {
    const wchar_t* word;
    KvValueType type;
};
constexpr DeclarationWord kDeclarationWords[] = {
    {L"Int", KvValueType::Int},
    {L"Double", KvValueType::Double},
    {L"String", KvValueType::String},
};

bool isDetached(const KvVarCell& cell) {
    return cell.column == 0 && cell.row == 0;
}

bool setCellTypeFor(Trk_Spread& grid, int column, int row, KvValueType type) {
    switch (type) {
    case KvValueType::Int:
        return grid.setNumberType(column, row, column, row, kIntDecimals, false);
    case KvValueType::Double:
        return grid.setNumberType(column, row, column, row, kDoubleDecimals, false);
    case KvValueType::String:
        return grid.setEditType(column, row, column, row, kTextStyle, kTextMaxLength);
    }
    return false;
}

} // namespace

bool declarationValueType(const Trk_String& text, KvValueType& type) {
    const Trk_String start = Trk_String(text).trimLeft();
    for (const DeclarationWord& word : kDeclarationWords) {
        if (start.startsWith(word.word, false)) {
            type = word.type;
            return true;
        }
    }
    return false;
}

ErrorStatus KvVarCell::initialize(Trk_Spread& grid, const int& cellColumn, const int& cellRow,
                                  const KvCellType& cellKind) {
    Trk_String text;
    if (!grid.getCellText(cellColumn, cellRow, kValueText, text)) return eInvalidInput;
    return initializeFromText(text, cellColumn, cellRow, cellKind);
}

ErrorStatus KvVarCell::initializeFromText(const Trk_String& text, int newColumn, int newRow,
                                          KvCellType newKind) {
    KvValueType type = KvValueType::String;
    if (!declarationValueType(text, type)) return eInvalidInput;
    const Trk_String declaration = Trk_String(text).trimLeft();
    const int blank = declaration.find(L' ');
    name = blank < 0 ? Trk_String() : declaration.mid(blank + 1);
    valueType = type;
    column = newColumn;
    row = newRow;
    kind = newKind;
    return eOk;
}

ErrorStatus KvVarCell::setValueFromMacro(KvSSMapping& mapping, KvDlgStandardsData& request) {
    return mapping.getMacroVarValue(name, valueType, value, request) == eOk ? eOk : eInvalidInput;
}

ErrorStatus KvVarCell::setValueToMacro(KvSSMapping& mapping, KvDlgStandardsData& request) {
    return mapping.setMacroVarValue(name, valueType, value, request) == eOk ? eOk : eInvalidInput;
}

ErrorStatus KvVarCell::setValueFromOther(Trk_Spread& grid, const KvVarCell& other) {
    return setNewValue(grid, other.value);
}

ErrorStatus KvVarCell::setNewValue(const Trk_String& newValue) {
    value = newValue;
    return eOk;
}

ErrorStatus KvVarCell::setNewValue(Trk_Spread& grid, const Trk_String& newValue) {
    value = newValue;
    return setValueToSS(grid);
}

ErrorStatus KvVarCell::setValueToSS(Trk_Spread& grid) {
    if (isDetached(*this)) return eInvalidInput;
    setCellTypeFor(grid, column, row, valueType);
    return grid.setCellValue(column, row, value) ? eOk : eInvalidInput;
}

ErrorStatus KvVarCell::getCurrentValue(Trk_Spread& grid, Trk_String& current) const {
    if (isDetached(*this)) return eInvalidInput;
    return grid.getCellText(column, row, kValueText, current) ? eOk : eInvalidInput;
}
