// KvVarCell: one variable declared in a standards spreadsheet — its name, section, value type,
// current value as text and the grid cell of its declaration.
#pragma once

#include "frame/TrkSSApi.h"

#include "trk/ErrorStatus.h"
#include "trk/Trk_String.h"

class Trk_Spread;
class KvSSMapping;
class KvDlgStandardsData;

// Value type of a variable, from its declaration word "Int", "Double" or "String".
enum class KvValueType : int { Int = 0, Double = 1, String = 2 };
// Section a variable was declared in.
enum class KvCellType : int { Input = 0, Output = 1, Local = 2 };

// Int and Double are numeric; String is not.
inline bool isNumericValueType(KvValueType type) {
    return type == KvValueType::Int || type == KvValueType::Double;
}

class TRKSS_API KvVarCell {
public:
    KvVarCell() = default;
    KvVarCell(const KvVarCell&) = default;
    KvVarCell& operator=(const KvVarCell&) = default;
    virtual ~KvVarCell() = default;

    // Reads the value text of (column, row) as a declaration. eInvalidInput when the cell cannot
    // be read or holds no declaration; the value is left as it was.
    ErrorStatus initialize(Trk_Spread& grid, const int& column, const int& row,
                           const KvCellType& kind);
    // The same from a text already read from the cell.
    ErrorStatus initializeFromText(const Trk_String& text, int column, int row, KvCellType kind);

    bool isInput() const { return kind == KvCellType::Input; }
    bool isOutput() const { return kind == KvCellType::Output; }
    bool isLocal() const { return kind == KvCellType::Local; }

    // Reads / writes the value through the mapping; eInvalidInput when the mapping fails.
    ErrorStatus setValueFromMacro(KvSSMapping& mapping, KvDlgStandardsData& request);
    ErrorStatus setValueToMacro(KvSSMapping& mapping, KvDlgStandardsData& request);
    // Takes the other cell's value and writes it into this cell's declaration cell.
    ErrorStatus setValueFromOther(Trk_Spread& grid, const KvVarCell& other);

    // The calculator stores results with these, so they are public.
    // Sets the value only; always eOk.
    ErrorStatus setNewValue(const Trk_String& newValue);
    // Sets the value, then setValueToSS.
    ErrorStatus setNewValue(Trk_Spread& grid, const Trk_String& newValue);
    // Gives the declaration cell the cell type of the value type and writes the value into it.
    // eInvalidInput when the value cannot be written.
    ErrorStatus setValueToSS(Trk_Spread& grid);
    // Reads the declaration cell's value text; eInvalidInput when it cannot be read.
    ErrorStatus getCurrentValue(Trk_Spread& grid, Trk_String& current) const;

    Trk_String name;
    KvCellType kind = KvCellType::Input;
    Trk_String value;
    KvValueType valueType = KvValueType::String;
    int column = 0; // 1-based; column and row 0: a detached copy, never written to a sheet
    int row = 0;
};

// The value type a declaration text starts with (leading blanks ignored); false when it starts
// with none of "Int", "Double", "String".
bool declarationValueType(const Trk_String& text, KvValueType& type);
