// Launchers of the "Formulas" worker dialog: reading a sheet file into arrays and the
// developer's one-cell evaluation.
#include "frame/Launcher.h"
#include "frame/TrkSS.h"

#include "spread/CFormula.h"

bool ReadSSFile(const Trk_String& path, Trk_String& firstCellText, Trk_StringArray& headerTexts,
                Trk_Array<Trk_StringArray>& rows) {
    return trkss::withModuleResources(L"ReadSSFile", false, [&] {
        CFormula dialog;
        dialog.mode = CFormula::kReadArrays;
        dialog.filePath = path;
        if (dialog.DoModal() != IDOK) return false;
        firstCellText = dialog.firstCellText;
        headerTexts = dialog.headerTexts;
        rows = dialog.rows;
        return true;
    });
}

bool EvaluateSS() {
    return trkss::withModuleResources(L"EvaluateSS", false, [&] {
        CFormula dialog;
        dialog.mode = CFormula::kEvaluateCell;
        dialog.filePath = L"c:\\a\\t3.sss";
        dialog.cellColumn = 1;
        dialog.cellRow = 1;
        return dialog.DoModal() == IDOK;
    });
}
