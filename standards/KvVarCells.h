// KvVarCells: the variables of a standards spreadsheet in declaration order (inputs, outputs,
// locals; within a section row by row, left to right), with the mapping that ties them to a
// connection macro.
#pragma once

#include "frame/TrkSSApi.h"
#include "standards/KvSSMapping.h"
#include "standards/KvVarCell.h"

#include "trk/ErrorStatus.h"
#include "trk/Trk_Array.h"

class Trk_Spread;
class KvDlgStandardsData;

class TRKSS_API KvVarCells {
public:
    KvVarCells() = default;
    KvVarCells(const KvVarCells&) = default;
    KvVarCells& operator=(const KvVarCells&) = default;
    virtual ~KvVarCells() = default;

    int length() const { return m_cells.length(); }
    KvVarCell& operator[](int index) { return m_cells[index]; }
    const KvVarCell& operator[](int index) const { return m_cells[index]; }
    int append(const KvVarCell& cell) { return m_cells.append(cell); }
    bool removeAt(int index) { return m_cells.removeAt(index); }
    // Empties the list; the mapping stays.
    void resetVarCells() { m_cells.removeAll(); }
    KvSSMapping& mapping() { return m_mapping; }
    const KvSSMapping& mapping() const { return m_mapping; }

    // The first variable named `name` (ignoring case); eInvalidInput when there is none.
    ErrorStatus findVarCell(const Trk_String& name, int& index) const;
    // Fills every variable's value from the request's macro through the mapping, which is set up
    // anew from the request. A mapping that cannot be set up gives eOk with no value read (and
    // leaves no object to write to); a variable that cannot be read keeps its value (with a
    // message when standards messages are on). eInvalidInput only for a request without macro
    // that names no module group.
    ErrorStatus getFromMacro(KvDlgStandardsData& request);
    // Writes every output variable into the macro; failures are ignored, always eOk.
    ErrorStatus setToMacro(KvDlgStandardsData& request);
    // Reads every output variable's value from its cell; eInvalidInput at the first failure.
    ErrorStatus getValuesFromSS(Trk_Spread& grid);
    // Writes every variable's value into its cell; eInvalidInput at the first failure.
    ErrorStatus setValuesToSS(Trk_Spread& grid);
    // True when every input of this list has a variable of the same name in `other` with the same
    // value type and an equal value (names and values ignoring case).
    bool hasSameInput(const KvVarCells& other) const;

private:
    Trk_Array<KvVarCell> m_cells;
    KvSSMapping m_mapping;
};
