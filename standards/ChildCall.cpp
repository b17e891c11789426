#include "standards/ChildCall.h"

#include "frame/TrkSS.h"
#include "standards/KvCalcSS.h"
#include "standards/KvDlgStandardsData.h"
#include "standards/LookupTables.h"

#include "trk/PathFunctions.h"
#include "trk/StringFunctions.h"
#include "trk/Trk_Settings.h"

namespace {

Trk_String withoutSurroundingQuotes(Trk_String text) {
    if (text.startsWith(L"\"")) text = text.mid(1);
    if (text.endsWith(L"\"")) text = text.left(text.length() - 1);
    return text;
}

} // namespace

bool parseChildCall(const Trk_String& expression, Trk_String& childName,
                    Trk_StringArray& variableNames) {
    const int keyword = expression.find(kCallChild);
    if (keyword < 0) return false;
    const int open = expression.find(L'(', keyword);
    if (open < 0) return false;
    const int close = expression.find(L')', open);
    if (close < 0) return false;
    Trk_StringArray parts;
    (void)splitStringAtSymbol(expression.mid(open + 1, close - open - 1), L",", parts, true);
    if (parts.length() < 2) return false;
    childName = withoutSurroundingQuotes(parts[0]);
    variableNames = parts;
    variableNames.removeFirst();
    return true;
}

Trk_String resolveChildPath(const Trk_String& childName, const Trk_String& callerPath) {
    if (isExistingFile(childName)) return childName;
    Trk_String relative = childName;
    if (relative.startsWith(L"\\")) relative = relative.mid(1);
    const Trk_String standards = gSettings.libDir + L"Connection Standards\\";
    const Trk_String candidates[] = {
        getPath(callerPath) + relative,       standards + childName,
        standards + L"Childs\\" + childName,  standards + L"Data\\" + childName,
        standards + L"Parents\\" + childName,
    };
    for (const Trk_String& candidate : candidates)
        if (isExistingFile(candidate)) return candidate;
    return childName;
}

// ---- The calculator's child call ---------------------------------------------------------------

namespace {

// Paths compare with either separator and ignoring letter case, as the file system does.
Trk_String comparablePath(Trk_String path) {
    path.replace(L'/', L'\\');
    return path;
}

} // namespace

bool KvCalcSS::isOwnPath(const Trk_String& path) const {
    return comparablePath(path).equal(comparablePath(loadedPath), false);
}

bool KvCalcSS::runChildCall(const Trk_String& expression) {
    Trk_String childName;
    Trk_StringArray argumentNames;
    if (!parseChildCall(expression, childName, argumentNames)) return false;
    const Trk_String childPath = resolveChildPath(childName, loadedPath);
    if (!isExistingFile(childPath)) return false;
    KvDlgStandardsData child;
    for (int i = 0; i < argumentNames.length(); ++i) {
        int index = -1;
        if (variables.findVarCell(argumentNames[i], index) != eOk ||
            !variables[index].name.equal(argumentNames[i]))
            return false;
        KvVarCell argument = variables[index];
        argument.column = 0;
        argument.row = 0;
        child.cells.append(argument);
    }
    if (isOwnPath(childPath)) return false;
    if (evaluationDepth() >= kMaxEvaluationDepth) return false;
    child.mode = 1;
    child.spreadsheet = childPath;
    child.genVarNames = genVarNames;
    child.genVarValues = genVarValues;
    if (!StartDlgStandardsSS(child)) return false;
    return takeChildResults(child.cells);
}

// Every returned output of the caller goes into the caller's variable of that name.
bool KvCalcSS::takeChildResults(const KvVarCells& returned) {
    for (int i = 0; i < returned.length(); ++i) {
        const KvVarCell& result = returned[i];
        if (!result.isOutput()) continue;
        int index = -1;
        if (variables.findVarCell(result.name, index) != eOk) continue;
        KvVarCell& variable = variables[index];
        if (variable.isInput()) return false;
        (void)variable.setValueFromOther(*this, result);
    }
    return true;
}
