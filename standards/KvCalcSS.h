// KvCalcSS: the calculator of connection standards. A grid that loads a standards spreadsheet,
// takes in the variables' values (from a macro, or passed by a calling spreadsheet), turns the
// "Calc" lines into formulas one by one and hands the results back.
#pragma once

#include "spread/Trk_Spread.h"
#include "standards/KvVarCells.h"

#include "trk/Trk_String.h"
#include "trk/Trk_StringArray.h"

#include <string>
#include <string_view>
#include <vector>

class KvDlgStandardsData;

// Evaluations nest when a spreadsheet calls a child; a child call that would go deeper than this
// fails its line. Real standards nest two or three levels; the bound stops a cycle of
// spreadsheets calling each other before it exhausts the stack (and the dialog pool).
constexpr int kMaxEvaluationDepth = 16;

// The column letters of a 1-based column: 1 "A", 26 "Z", 27 "AA". Empty below 1.
Trk_String getAlfabet(int column);
// The same letters appended to `text`.
void appendColumnLetters(std::wstring& text, int column);

class KvCalcSS : public Trk_Spread {
public:
    // Runs one evaluation of the request on this grid: mode 0 against the request's macro,
    // mode 1 on the passed cells, any other mode loads only. True on success; then the
    // request's cells hold the results (and, in mode 0, the macro has its outputs).
    bool evaluate(KvDlgStandardsData& request);

    // Loads the spreadsheet (a path, or a name in the library's standards folder) with automatic
    // recalculation off. False when the grid refuses the file; loadedPath is set on success.
    bool loadSpreadsheet(const Trk_String& spreadsheet);
    // Registers the custom functions, drops duplicate variables and runs every calculation line
    // below "Calc". False only when there is no "Calc" keyword; failing lines are reported.
    bool calculate();
    // Runs the cell as a calculation line. False when the line failed (reported when standards
    // messages are on); an empty cell is no line and succeeds.
    bool calcLine(int col, int row);

    // Evaluations in progress in this process (a child call nests one more).
    static int evaluationDepth();

    Trk_String loadedPath;
    KvVarCells variables;
    Trk_StringArray genVarNames;
    Trk_StringArray genVarValues;

private:
    bool evaluateMain(KvDlgStandardsData& request);
    bool evaluateChild(KvDlgStandardsData& request);
    bool takePassedValues(const KvVarCells& passed);
    bool giveBackOutputs(KvVarCells& passed) const;

    enum class LineOutcome { Done, Failed, FailedSilently };
    LineOutcome calcFormulaLine(int col, int row, KvVarCell& variable, Trk_String& expression);
    void giveCellType(int col, int row, const KvVarCell& variable);
    void substituteVariableNames(Trk_String& expression);
    bool runChildCall(const Trk_String& expression);
    bool isOwnPath(const Trk_String& path) const;
    bool takeChildResults(const KvVarCells& returned);
    void reportFailedLine(const Trk_String& name, const Trk_String& expression, int row) const;

    // Working storage of the name substitution, kept between lines.
    std::vector<std::wstring_view> names_;
    std::vector<std::wstring> references_;
    std::wstring expression_;
    std::wstring scratch_;
};
