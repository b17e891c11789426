#include "spread/CFormula.h"

#include "spread/FromTable.h"
#include "spread/SheetBeingEvaluated.h"

#include "acutads.h"

namespace {

constexpr int kPathEdit = 1000;
constexpr int kSaveButton = 1001;
constexpr int kGridPlaceholder = 1004;
constexpr int kDefaultStyleRadio = 1005;
constexpr int kA1StyleRadio = 1006;
constexpr int kR1C1StyleRadio = 1007;
constexpr int kLoadButton = 1087;
constexpr int kAutoCalcCheck = 1106;
constexpr int kRecalcButton = 1107;

constexpr short kOptionNoTyping = 12;
constexpr int kInitialRows = 10;
constexpr int kInitialCols = 8;
constexpr int kNumberCells = 6; // cells (1,1)..(6,6) are numbers with 2 decimals
constexpr long kNumberStyle = 0x10000200;

// Sets the sheet being evaluated back to the dialog's context sheet on every way out of the
// dialog's initial work.
class ContextRestore {
public:
    explicit ContextRestore(Trk_Spread*& context) : context_(context) {}
    ~ContextRestore() { setSheetBeingEvaluated(context_); }
    ContextRestore(const ContextRestore&) = delete;
    ContextRestore& operator=(const ContextRestore&) = delete;

private:
    Trk_Spread*& context_;
};

} // namespace

BEGIN_MESSAGE_MAP(CFormula, CDialog)
ON_BN_CLICKED(kDefaultStyleRadio, &CFormula::OnDefaultStyle)
ON_BN_CLICKED(kA1StyleRadio, &CFormula::OnA1Style)
ON_BN_CLICKED(kR1C1StyleRadio, &CFormula::OnR1C1Style)
ON_BN_CLICKED(kSaveButton, &CFormula::OnSaveToFile)
ON_BN_CLICKED(kLoadButton, &CFormula::OnLoadFromFile)
ON_BN_CLICKED(kAutoCalcCheck, &CFormula::OnAutoCalculate)
ON_BN_CLICKED(kRecalcButton, &CFormula::OnRecalculate)
END_MESSAGE_MAP()

CFormula::CFormula(CWnd* parent) : CDialog(IDD, parent), contextSheet(sheetBeingEvaluated()) {}

BOOL CFormula::OnInitDialog() {
    CDialog::OnInitDialog();
    comeToFront();
    SetDlgItemText(kPathEdit, filePath.str());
    if (!grid.createInDialog(this, kGridPlaceholder, true)) {
        if (mode != kEvaluateCell) EndDialog(IDCANCEL);
        return TRUE;
    }
    SSSetBool(grid.GetSafeHwnd(), kOptionNoTyping, TRUE);
    SSSetBool(grid.GetSafeHwnd(), Trk_Spread::kOptionAutoCalc, FALSE);
    // Mode 3 (writing a prepared bill table) has no caller and is not built: the dialog only
    // shows its empty grid.
    if (mode == kWriteBillTable) return TRUE;

    ContextRestore restore(contextSheet);
    setSheetBeingEvaluated(&grid);
    prepareGrid();
    loadInitialFile();
    doModeWork();
    return TRUE;
}

// Takes the input focus from whichever window has it, even one of another thread.
void CFormula::comeToFront() {
    const HWND foreground = ::GetForegroundWindow();
    const DWORD ownThread = GetCurrentThreadId();
    const DWORD foregroundThread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    const bool attach = foregroundThread != 0 && foregroundThread != ownThread;
    if (attach) AttachThreadInput(ownThread, foregroundThread, TRUE);
    SetForegroundWindow();
    SetFocus();
    if (attach) AttachThreadInput(ownThread, foregroundThread, FALSE);
}

void CFormula::prepareGrid() {
    CheckDlgButton(kAutoCalcCheck, BST_UNCHECKED);
    CheckRadioButton(kDefaultStyleRadio, kR1C1StyleRadio, kDefaultStyleRadio);
    registerFromTable(grid);
    grid.setRowCount(kInitialRows, false);
    grid.setColCount(kInitialCols, false);
    const HWND hwnd = grid.GetSafeHwnd();
    SSSetAutoSizeVisible(hwnd, 4, 5);
    SS_CELLTYPE number{};
    SSSetTypeNumber(hwnd, &number, kNumberStyle, 2, -9999, 9999, TRUE);
    SSSetCellTypeRange(hwnd, 1, 1, kNumberCells, kNumberCells, &number);
}

void CFormula::loadInitialFile() {
    if (!filePath.isEmpty()) loaded = grid.loadFile(filePath) == 1;
    acutPrintf(L"Loading spreadsheet:%s\n", filePath.c_str());
    registerFromTable(grid);
}

void CFormula::doModeWork() {
    switch (mode) {
    case kEvaluateCell:
        evaluateCell();
        break;
    case kEvaluateFromTable:
        // The looked-up table stays on show until the user closes the dialog.
        if (result) evaluateFromTable(grid, contextSheet, *result, arguments, argumentCount);
        break;
    case kReadArrays:
        // A file that could not be loaded reads as nothing: the caller keeps its arrays.
        if (!loaded) {
            EndDialog(IDCANCEL);
            break;
        }
        readArrays();
        EndDialog(IDOK);
        break;
    default:
        break;
    }
}

void CFormula::evaluateCell() {
    grid.recalcCell(cellColumn, cellRow);
    grid.getCellText(cellColumn, cellRow, 0, cellText);
}

void CFormula::readArrays() {
    headerTexts.removeAll();
    rows.removeAll();
    grid.getCellText(1, 1, 0, firstCellText);
    const int cols = grid.colCount();
    const int rowCount = grid.rowCount();
    Trk_String text;
    for (int col = 1; col <= cols; ++col) {
        grid.getCellText(col, Trk_Spread::HEADER, 0, text);
        headerTexts.append(text);
    }
    for (int row = 1; row <= rowCount; ++row) {
        Trk_StringArray line;
        for (int col = 1; col <= cols; ++col) {
            grid.getCellText(col, row, 0, text);
            line.append(text);
        }
        rows.append(line);
    }
}

// Shows the formulas of column 4 in the new style as texts of column 1.
void CFormula::applyRefStyle(int style) {
    grid.setRefStyle(style);
    Trk_String formula;
    for (int row = 1; row <= 5; ++row) {
        grid.getCellText(4, row, 1, formula);
        if (row == 5 && formula.isEmpty()) break;
        grid.setCellData(1, row, formula);
    }
    double width = 0;
    if (SSGetMaxTextColWidth(grid.GetSafeHwnd(), 1, &width))
        SSSetColWidth(grid.GetSafeHwnd(), 1, width);
}

void CFormula::OnDefaultStyle() {
    applyRefStyle(0);
}

void CFormula::OnA1Style() {
    applyRefStyle(1);
}

void CFormula::OnR1C1Style() {
    applyRefStyle(2);
}

Trk_String CFormula::pathField() const {
    std::wstring path;
    GetDlgItemText(kPathEdit, path);
    return path;
}

void CFormula::OnSaveToFile() {
    if (grid.saveFile(pathField()) != 1) acutPrintf(L"Save failed\n");
}

void CFormula::OnLoadFromFile() {
    if (grid.loadFile(pathField()) != 1) acutPrintf(L"Load failed\n");
    registerFromTable(grid);
}

void CFormula::OnAutoCalculate() {
    const bool automatic = IsDlgButtonChecked(kAutoCalcCheck) == BST_CHECKED;
    SSSetBool(grid.GetSafeHwnd(), Trk_Spread::kOptionAutoCalc, automatic);
    if (CWnd* recalculate = GetDlgItem(kRecalcButton)) recalculate->EnableWindow(!automatic);
}

// Cell references of FROMTABLE calls in this grid point into this grid while it recalculates.
void CFormula::OnRecalculate() {
    SheetBeingEvaluatedScope scope(&grid);
    grid.recalc();
}
