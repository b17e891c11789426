// CFormula: the "Formulas" worker dialog (template 133). It hosts one grid and works on sheet
// files: mode 1 evaluates one cell of a file, mode 2 answers a FROMTABLE call, mode 4 reads a
// file into arrays. Mode 4 closes by itself once its work is done; modes 1 and 2 stay open
// until the user closes them, as a small formula tester (reference styles, save, load,
// recalculation).
#pragma once

#include "spread/Trk_Spread.h"

#include "grid/ssapi.h"
#include "trk/Trk_Array.h"
#include "trk/Trk_String.h"
#include "trk/Trk_StringArray.h"

#include <afxwin.h>

class CFormula : public CDialog {
public:
    enum { IDD = 133 };
    enum Mode { kEvaluateCell = 1, kEvaluateFromTable = 2, kWriteBillTable = 3, kReadArrays = 4 };

    // The sheet being evaluated now becomes the context sheet.
    explicit CFormula(CWnd* parent = nullptr);

    Trk_String filePath; // shown in the path field and loaded on opening
    int mode = kEvaluateCell;
    // Mode 2: the FROMTABLE call being answered.
    LPSSVALUE result = nullptr;
    LPSSVALUE arguments = nullptr;
    int argumentCount = 0;
    // The sheet being evaluated when the dialog was opened; it is current again once the
    // dialog's initial work is done.
    Trk_Spread* contextSheet = nullptr;
    // Mode 1: the cell to evaluate and its data text afterwards.
    int cellColumn = 1;
    int cellRow = 1;
    Trk_String cellText;
    // Mode 4: data texts of cell (1,1), of the column captions and of every row.
    Trk_String firstCellText;
    Trk_StringArray headerTexts;
    Trk_Array<Trk_StringArray> rows;

    // Whether the file named by filePath was loaded on opening.
    bool fileLoaded() const { return loaded; }
    Trk_Spread& spread() { return grid; }

protected:
    BOOL OnInitDialog() override;

    afx_msg void OnDefaultStyle();
    afx_msg void OnA1Style();
    afx_msg void OnR1C1Style();
    afx_msg void OnSaveToFile();
    afx_msg void OnLoadFromFile();
    afx_msg void OnAutoCalculate();
    afx_msg void OnRecalculate();

private:
    void comeToFront();
    void prepareGrid();
    void loadInitialFile();
    void doModeWork();
    void evaluateCell();
    void readArrays();
    void applyRefStyle(int style);
    Trk_String pathField() const;

    Trk_Spread grid;
    bool loaded = false;

    DECLARE_MESSAGE_MAP()
};
