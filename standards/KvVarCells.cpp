#include "standards/KvVarCells.h"

#include "standards/KvDlgStandardsData.h"
#include "standards/StandardsTimers.h"

#include "trk/Trk_Settings.h"

#include <afxwin.h>

namespace {

// Sets up the mapping of a request: group mode for a module group, else the mapping file. The
// mapping starts empty, so that objects of an earlier evaluation (the calculator is reused) are
// never read or written for this one.
ErrorStatus initMapping(KvSSMapping& mapping, KvDlgStandardsData& request) {
    mapping = KvSSMapping();
    if (!request.moduleGroup.isEmpty()) return mapping.initFromModuleGroup(request.moduleGroup);
    return mapping.initFromMacro(request);
}

void reportUnreadVariable(const KvVarCell& cell, const KvDlgStandardsData& request) {
    if (!gSettings.current.showStandardsMessages) return;
    const bool input = cell.isInput();
    const Trk_String text = Trk_String(L"The following ") + (input ? L"Input" : L"Output") +
                            L" variable couldn't be " + (input ? L"retrieved" : L"set") + L" : \n" +
                            cell.name +
                            L"\nMake sure the variable exists in the macro or module.\n" +
                            L"Spreadsheet : " + request.spreadsheet;
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}

} // namespace

ErrorStatus KvVarCells::findVarCell(const Trk_String& name, int& index) const {
    for (int i = 0; i < m_cells.length(); ++i) {
        if (m_cells[i].name.equal(name, false)) {
            index = i;
            return eOk;
        }
    }
    return eInvalidInput;
}

ErrorStatus KvVarCells::getFromMacro(KvDlgStandardsData& request) {
    if (request.moduleGroup.isEmpty() && !request.macro) return eInvalidInput;
    gInitMapping.start();
    const ErrorStatus mapped = initMapping(m_mapping, request);
    gInitMapping.end();
    if (mapped != eOk) return eOk; // the sheet keeps its stored values
    gInitFromMacro.start();
    for (KvVarCell& cell : m_cells) {
        if (cell.isLocal()) {
            cell.setNewValue(Trk_String());
            continue;
        }
        if (cell.setValueFromMacro(m_mapping, request) != eOk) reportUnreadVariable(cell, request);
    }
    gInitFromMacro.end();
    return eOk;
}

ErrorStatus KvVarCells::setToMacro(KvDlgStandardsData& request) {
    for (KvVarCell& cell : m_cells)
        if (cell.isOutput()) (void)cell.setValueToMacro(m_mapping, request);
    return eOk;
}

ErrorStatus KvVarCells::getValuesFromSS(Trk_Spread& grid) {
    for (KvVarCell& cell : m_cells) {
        if (!cell.isOutput()) continue;
        Trk_String current;
        if (cell.getCurrentValue(grid, current) != eOk) return eInvalidInput;
        cell.setNewValue(current);
    }
    return eOk;
}

ErrorStatus KvVarCells::setValuesToSS(Trk_Spread& grid) {
    for (KvVarCell& cell : m_cells)
        if (cell.setValueToSS(grid) != eOk) return eInvalidInput;
    return eOk;
}

bool KvVarCells::hasSameInput(const KvVarCells& other) const {
    for (const KvVarCell& cell : m_cells) {
        if (!cell.isInput()) continue;
        int index = -1;
        if (other.findVarCell(cell.name, index) != eOk) return false;
        const KvVarCell& match = other[index];
        if (match.valueType != cell.valueType || !match.value.equal(cell.value, false))
            return false;
    }
    return true;
}
