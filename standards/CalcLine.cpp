// The calculation of a standards spreadsheet: every non-empty cell below "Calc" is a line
// "Name = expression" whose variable names become cell references before the expression is set
// as the cell's formula; the result goes into the variable's declaration cell, so later lines
// see it.
#include "standards/ChildCall.h"
#include "standards/GenVarReplacement.h"
#include "standards/KvCalcSS.h"
#include "standards/StandardsFunctions.h"
#include "standards/StandardsSheet.h"
#include "standards/StandardsTimers.h"

#include "trk/Trk_Settings.h"

#include "grid/ssapi.h"

#include <afxwin.h>

#include <charconv>

namespace {

constexpr int kValueText = 3; // getCellText kind: the value as the cell shows it
constexpr int kNumberDecimals = 7;

// Appends a row number in decimal (to_wstring goes through the wide printf machinery).
void appendDecimal(std::wstring& text, int number) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    text.append(digits, end);
}

// The text of a failing line's report.
Trk_String failedLineText(const Trk_String& name, const Trk_String& expression,
                          const Trk_String& path, int row) {
    Trk_String text = L"The following equation failed:\n";
    if (!name.isEmpty()) text += name + L" = ";
    text += expression + L"\n";
    text += L"Spreadsheet : " + path + L" (line: " + Trk_String(row) + L")\n";
    text += L"Here's a tip for finding the cause :\n";
    text += L"If this equation contains variable names, then the translator does not know the "
            L"value of the variable. Make sure the variable exists either in input, output, "
            L"local declarations or among the gen_ variables.";
    return text;
}

// A line's variable name (before the first "=") and expression, both without the blanks
// around them. False without "=": the whole text is the expression and there is no name.
bool splitLine(const Trk_String& text, Trk_String& name, Trk_String& expression) {
    const int equals = text.find(L'=');
    if (equals < 0) {
        name.clear();
        expression = text.trimmed();
        return false;
    }
    name = text.left(equals).trim();
    expression = text.mid(equals + 1).trim();
    return true;
}

} // namespace

bool KvCalcSS::calculate() {
    {
        const Trk_FunctionTimer timer(gRegisterFuntions);
        (void)registerStandardsFunctions(*this);
    }
    {
        const Trk_FunctionTimer timer(gFindDuplicates);
        (void)removeDuplicateVariables(*this, variables, loadedPath);
    }
    const Trk_FunctionTimer timer(gCalcCells);
    int calcCol = 0;
    int calcRow = 0;
    if (findKeyword(*this, L"Calc", calcCol, calcRow) != eOk) return false;
    const int rows = rowCount();
    const int cols = colCount();
    for (int row = calcRow + 1; row <= rows; ++row)
        for (int col = 1; col <= cols; ++col)
            (void)calcLine(col, row);
    return true;
}

bool KvCalcSS::calcLine(int col, int row) {
    Trk_String text;
    if (!getCellText(col, row, kValueText, text) || text.isEmpty()) return true;
    Trk_String name;
    Trk_String expression;
    gCalcCellSplitSymbol.start();
    const bool named = splitLine(text, name, expression);
    gCalcCellSplitSymbol.end();
    int index = -1;
    gCalcCellFindVarCell.start();
    const bool hasVariable = named && variables.findVarCell(name, index) == eOk;
    gCalcCellFindVarCell.end();
    gCalcCellFindFunctions.start();
    const bool isChildCall = expression.contains(kCallChild);
    gCalcCellFindFunctions.end();
    LineOutcome outcome = LineOutcome::Failed;
    if (isChildCall) {
        const Trk_FunctionTimer timer(gCalcCellCalcNativeFunctions);
        if (runChildCall(expression)) outcome = LineOutcome::Done;
    } else if (hasVariable) {
        outcome = calcFormulaLine(col, row, variables[index], expression);
    }
    if (outcome == LineOutcome::Failed) reportFailedLine(name, expression, row);
    return outcome == LineOutcome::Done;
}

// Sets the expression, with names turned into references, as the cell's formula and stores the
// result in the variable. A refused formula or an unreadable result is to be reported; a result
// that cannot be written into the declaration cell fails the line silently.
KvCalcSS::LineOutcome KvCalcSS::calcFormulaLine(int col, int row, KvVarCell& variable,
                                                Trk_String& expression) {
    {
        const Trk_FunctionTimer timer(gCalcCellCalcFunctionsPrepare);
        giveCellType(col, row, variable);
        substituteVariableNames(expression);
    }
    if (!SSSetFormula(grid(), col, row, expression.c_str(), TRUE)) return LineOutcome::Failed;
    const Trk_FunctionTimer timer(gCalcCellCalcFunctions);
    Trk_String result;
    if (!getCellText(col, row, kValueText, result)) return LineOutcome::Failed;
    if (variable.setNewValue(*this, result) != eOk) return LineOutcome::FailedSilently;
    return LineOutcome::Done;
}

void KvCalcSS::giveCellType(int col, int row, const KvVarCell& variable) {
    if (variable.valueType == KvValueType::String)
        (void)setEditType(col, row, col, row, kEditStyleA, kEditLengthA);
    else
        (void)setNumberType(col, row, col, row, kNumberDecimals, false);
}

// Each variable name, in variable order, becomes the reference of its declaration cell.
void KvCalcSS::substituteVariableNames(Trk_String& expression) {
    const int count = variables.length();
    {
        const Trk_FunctionTimer timer(gCalcCellGetVarNames);
        names_.clear();
        for (int i = 0; i < count; ++i)
            names_.push_back(variables[i].name.view());
    }
    {
        const Trk_FunctionTimer timer(gCalcCellGetVarCoords);
        references_.resize(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) {
            const Trk_FunctionTimer one(gCalcCellGetVarCoordName);
            const KvVarCell& variable = variables[i];
            std::wstring& reference = references_[static_cast<size_t>(i)];
            reference.clear(); // keeps its storage from line to line
            appendColumnLetters(reference, variable.column);
            appendDecimal(reference, variable.row);
        }
    }
    const Trk_FunctionTimer timer(gCalcCellReplaceVariables);
    expression_ = expression.str();
    bool replaced = false;
    for (size_t i = 0; i < names_.size(); ++i)
        replaced |= replaceWholeWord(expression_, names_[i], references_[i], scratch_);
    if (replaced) expression = Trk_String(expression_);
}

void KvCalcSS::reportFailedLine(const Trk_String& name, const Trk_String& expression,
                                int row) const {
    if (!gSettings.current.showStandardsMessages) return;
    AfxMessageBox(failedLineText(name, expression, loadedPath, row), MB_OK | MB_ICONEXCLAMATION);
}
