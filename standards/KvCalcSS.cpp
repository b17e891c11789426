#include "standards/KvCalcSS.h"

#include "standards/ChildCall.h"
#include "standards/GenVarReplacement.h"
#include "standards/KvDlgStandardsData.h"
#include "standards/LookupTables.h"
#include "standards/StandardsSheet.h"
#include "standards/StandardsTimers.h"

#include "trk/Trk_Settings.h"

#include "grid/ssapi.h"

#include <algorithm>

namespace {

constexpr int kMainMode = 0;
constexpr int kChildMode = 1;
// Set on before every load together with the F8 toggle; its role is the grid control's.
constexpr short kOptionLoadTwelve = 12;

int gEvaluationDepth = 0;

// Counts one evaluation in progress for as long as it lives.
class EvaluationLevel {
public:
    EvaluationLevel() { ++gEvaluationDepth; }
    ~EvaluationLevel() { --gEvaluationDepth; }
    EvaluationLevel(const EvaluationLevel&) = delete;
    EvaluationLevel& operator=(const EvaluationLevel&) = delete;
};

Trk_String spreadsheetPath(const Trk_String& spreadsheet) {
    if (isExistingFile(spreadsheet)) return spreadsheet;
    return gSettings.libDir + L"Connection Standards\\" + spreadsheet + L".kvs";
}

} // namespace

void appendColumnLetters(std::wstring& text, int column) {
    const size_t start = text.size();
    for (int rest = column; rest > 0; rest = (rest - 1) / 26)
        text.push_back(static_cast<wchar_t>(L'A' + (rest - 1) % 26));
    std::reverse(text.begin() + static_cast<std::ptrdiff_t>(start), text.end());
}

Trk_String getAlfabet(int column) {
    std::wstring letters;
    appendColumnLetters(letters, column);
    return Trk_String(std::move(letters));
}

int KvCalcSS::evaluationDepth() {
    return gEvaluationDepth;
}

bool KvCalcSS::evaluate(KvDlgStandardsData& request) {
    const EvaluationLevel level;
    if (!loadSpreadsheet(request.spreadsheet)) return false;
    if (request.mode == kMainMode) return evaluateMain(request);
    if (request.mode == kChildMode) return evaluateChild(request);
    return true;
}

bool KvCalcSS::loadSpreadsheet(const Trk_String& spreadsheet) {
    const Trk_FunctionTimer timer(gLoadFile);
    if (!isCreated()) return false;
    const Trk_String path = spreadsheetPath(spreadsheet);
    SSSetBool(grid(), kOptionF8Toggle, TRUE);
    SSSetBool(grid(), kOptionRedraw, FALSE);
    SSSetBool(grid(), kOptionLoadTwelve, TRUE);
    SSSetBool(grid(), kOptionAutoCalc, FALSE);
    if (loadFile(path) != 1) return false;
    loadedPath = path;
    return true;
}

bool KvCalcSS::evaluateMain(KvDlgStandardsData& request) {
    if (!request.macro || !request.transaction) return false;
    {
        const Trk_FunctionTimer timer(gInitSSForInput);
        genVarNames = request.genVarNames;
        genVarValues = request.genVarValues;
        if (readDeclarations(*this, variables) != eOk) return false;
    }
    {
        const Trk_FunctionTimer timer(gSSSGetFromMacro);
        if (variables.getFromMacro(request) != eOk) return false;
    }
    {
        const Trk_FunctionTimer timer(gSetMacroValuelsToSS);
        if (variables.setValuesToSS(*this) != eOk) return false;
    }
    {
        const Trk_FunctionTimer timer(gSSSreplaceGenVars);
        replaceGeneralVariables(*this, genVarNames, genVarValues);
    }
    {
        const Trk_FunctionTimer timer(gCalcMain);
        if (!calculate()) return false;
        if (variables.getValuesFromSS(*this) != eOk) return false;
    }
    {
        const Trk_FunctionTimer timer(gSetToMacro);
        (void)variables.setToMacro(request);
    }
    request.cells = variables;
    return true;
}

bool KvCalcSS::evaluateChild(KvDlgStandardsData& request) {
    {
        const Trk_FunctionTimer timer(gGetFromVars);
        genVarNames = request.genVarNames;
        genVarValues = request.genVarValues;
        (void)readDeclarations(*this, variables);
        if (!takePassedValues(request.cells)) return false;
        replaceGeneralVariables(*this, genVarNames, genVarValues);
    }
    {
        const Trk_FunctionTimer timer(gCalcChild);
        if (!calculate()) return false;
    }
    const Trk_FunctionTimer timer(gSetToVars);
    return giveBackOutputs(request.cells);
}

// The n-th non-local variable takes the n-th passed value; locals start empty.
bool KvCalcSS::takePassedValues(const KvVarCells& passed) {
    int position = 0;
    for (int i = 0; i < variables.length(); ++i) {
        KvVarCell& variable = variables[i];
        if (variable.isLocal()) {
            (void)variable.setNewValue(*this, Trk_String());
            continue;
        }
        const int n = position++;
        if (n >= passed.length()) return false;
        if (variable.isOutput() && passed[n].isInput()) return false;
        if (variable.setNewValue(*this, passed[n].value) != eOk) return false;
    }
    return true;
}

// The n-th non-local output gives its value to the n-th passed cell.
bool KvCalcSS::giveBackOutputs(KvVarCells& passed) const {
    int position = 0;
    for (int i = 0; i < variables.length(); ++i) {
        const KvVarCell& variable = variables[i];
        if (variable.isLocal()) continue;
        const int n = position++;
        if (!variable.isOutput()) continue;
        if (n >= passed.length()) return false;
        (void)passed[n].setNewValue(variable.value);
    }
    return true;
}
