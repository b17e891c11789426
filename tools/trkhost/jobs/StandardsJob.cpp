#include "StandardsJob.h"

#include "frame/TrkSS.h"
#include "standards/KvDlgStandardsData.h"
#include "standards/KvSSMapping.h"
#include "standards/StandardsTimers.h"

#include "dbtrans.h"
#include "grid/Value.h"
#include "trk/MacroFile.h"
#include "trk/Trk_Settings.h"
#include "trk/Trk_Timer.h"
#include "win/utf8.h"
#include "win/winbase.h"
#include "win/winx_script.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

namespace trkjobs {
namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

constexpr const wchar_t* kDemoStandard = L"EndPlate";
constexpr const wchar_t* kDemoMacro = L"Macros\\EndPlate.json";
constexpr const wchar_t* kDemoMappingKey = L"Standard";

struct StandardsRun {
    Trk_String standard;
    Trk_String macroFile;
    Trk_String mappingKey;
};

// The macro as read from its file, kept apart from the one the evaluation changes, so that the
// "before" column comes from the file and not from anything the evaluation did.
struct MacroCopy {
    Trk_DbMacro macro;
    MacroData data;
};

std::string utf8(const Trk_String& text) {
    return winx::toUtf8(text.view());
}

int usageError() {
    std::fprintf(stderr, "standards: usage: standards <standard> <macro file> <mapping key>\n"
                         "           or:    standards --demo\n");
    return kUsage;
}

const char* kindWord(KvCellType kind) {
    switch (kind) {
    case KvCellType::Input:
        return "Input";
    case KvCellType::Output:
        return "Output";
    case KvCellType::Local:
        return "Local";
    }
    return "?";
}

const char* typeWord(KvValueType type) {
    switch (type) {
    case KvValueType::Int:
        return "Int";
    case KvValueType::Double:
        return "Double";
    case KvValueType::String:
        return "String";
    }
    return "?";
}

// A number cell's text without the trailing zeros of its fixed decimals ("15.0000000" as "15").
std::string withoutTrailingZeros(std::string number) {
    const bool plainDecimal = number.find('.') != std::string::npos &&
                              number.find_first_not_of("-0123456789.") == std::string::npos;
    if (!plainDecimal) return number;
    number.erase(number.find_last_not_of('0') + 1);
    if (number.back() == '.') number.pop_back();
    return number;
}

// An empty value shows as "-" so that every column of the table holds a word.
std::string shown(const Trk_String& value, KvValueType type) {
    if (value.isEmpty()) return "-";
    return isNumericValueType(type) ? withoutTrailingZeros(utf8(value)) : utf8(value);
}

// The general variables of the macro as the sheet sees them: names and values as texts.
void takeGeneralVariables(Trk_DbMacro& macro, KvDlgStandardsData& request) {
    Trk_StringArray names;
    if (getGeneralVariableNames(&macro, names) != eOk) return;
    for (const auto& name : names) {
        request.genVarNames.append(name);
        request.genVarValues.append(Trk_String(generalVariableValue(&macro, name), 8, false));
    }
}

// A variable's value in the unchanged macro, read through the mapping the evaluation used.
// Locals and variables the mapping cannot read have no value before.
Trk_String valueBefore(const KvVarCell& cell, KvSSMapping& mapping, KvDlgStandardsData& before) {
    Trk_String value;
    if (cell.isLocal()) return value;
    if (mapping.getMacroVarValue(cell.name, cell.valueType, value, before) != eOk)
        value = Trk_String();
    return value;
}

int nameColumnWidth(const KvVarCells& cells) {
    std::size_t width = 8;
    for (int i = 0; i < cells.length(); ++i)
        width = std::max(width, utf8(cells[i].name).size());
    return static_cast<int>(width);
}

void printRow(int nameWidth, const std::string& name, const char* kind, const char* type,
              const std::string& before, const std::string& after) {
    std::printf("%-*s  %-6s  %-6s  %-14s  %s\n", nameWidth, name.c_str(), kind, type,
                before.c_str(), after.c_str());
}

// The table of every variable of the evaluated standard, "before" read from the unchanged copy
// of the macro in a reading transaction of its own.
void printVariables(const KvVarCells& cells, MacroCopy& original, const StandardsRun& run) {
    KvDlgStandardsData before;
    (void)before.initialize(&original.macro, run.standard, run.mappingKey, &original.data);
    before.transaction = actrTransactionManager->startTransaction();
    KvSSMapping mapping = cells.mapping();
    const int width = nameColumnWidth(cells);
    printRow(width, "Variable", "Kind", "Type", "Before", "After");
    for (int i = 0; i < cells.length(); ++i) {
        const KvVarCell& cell = cells[i];
        printRow(width, utf8(cell.name), kindWord(cell.kind), typeWord(cell.valueType),
                 shown(valueBefore(cell, mapping, before), cell.valueType),
                 shown(cell.value, cell.valueType));
    }
    (void)actrTransactionManager->endTransaction();
}

void printTimers() {
    const Trk_Timer* timers[] = {&gLoadFile,
                                 &gInitSSForInput,
                                 &gSSSGetFromMacro,
                                 &gInitMapping,
                                 &gInitFromMacro,
                                 &gSetMacroValuelsToSS,
                                 &gSSSreplaceGenVars,
                                 &gCalcMain,
                                 &gSetToMacro,
                                 &gGetFromVars,
                                 &gCalcChild,
                                 &gSetToVars,
                                 &gRegisterFuntions,
                                 &gFindDuplicates,
                                 &gCalcCells,
                                 &gCalcCellSplitSymbol,
                                 &gCalcCellFindVarCell,
                                 &gCalcCellFindFunctions,
                                 &gCalcCellCalcNativeFunctions,
                                 &gCalcCellCalcFunctionsPrepare,
                                 &gCalcCellCalcFunctions,
                                 &gCalcCellGetVarNames,
                                 &gCalcCellGetVarCoords,
                                 &gCalcCellGetVarCoordName,
                                 &gCalcCellReplaceVariables};
    std::printf("Timers:\n");
    for (const Trk_Timer* timer : timers)
        std::printf("  %s\n", utf8(timer->summary()).c_str());
}

// Message boxes are recorded by the windowing stand-in, not shown; the job passes the ones the
// evaluation showed on to standard error.
void printMessageBoxesFrom(std::size_t first) {
    std::fflush(stdout);
    const auto boxes = winx::messageBoxes();
    for (std::size_t i = first; i < boxes.size(); ++i)
        std::fprintf(stderr, "Message box \"%s\":\n%s\n", winx::toUtf8(boxes[i].caption).c_str(),
                     winx::toUtf8(boxes[i].text).c_str());
}

// The evaluation treats a mapping it cannot set up as "nothing to read or write" and succeeds;
// from the command line that is a mistyped key or group, so it is reported as a failure.
bool mappingKnown(KvDlgStandardsData& request) {
    if (request.moduleGroup.isEmpty()) {
        KvSSMapping mapping;
        if (mapping.getMappingFromFile(request.spreadsheet, request.mappingKey) == eOk) return true;
        const auto file =
            winx::nativePath(KvSSMapping::mappingFilePath(request.spreadsheet).view());
        std::fprintf(stderr, "standards: cannot read the key %s from the mapping file %s\n",
                     utf8(request.mappingKey).c_str(), file.string().c_str());
        return false;
    }
    Trk_StringArray modules;
    if (getModNamesOfGroup(request.macro, request.moduleGroup, modules) == eOk &&
        !modules.isEmpty())
        return true;
    std::fprintf(stderr, "standards: the macro has no module of the group %s\n",
                 utf8(request.moduleGroup).c_str());
    return false;
}

// Runs StartDlgStandardsSS on the macro inside one transaction, committed only on success.
bool evaluate(MacroCopy& working, const StandardsRun& run, KvDlgStandardsData& request) {
    if (request.initialize(&working.macro, run.standard, run.mappingKey, &working.data) != eOk)
        return false;
    takeGeneralVariables(working.macro, request);
    request.transaction = actrTransactionManager->startTransaction();
    const std::size_t boxesBefore = winx::messageBoxes().size();
    const bool ok = StartDlgStandardsSS(request) && mappingKnown(request);
    printMessageBoxesFrom(boxesBefore);
    if (ok)
        (void)actrTransactionManager->endTransaction();
    else
        (void)actrTransactionManager->abortTransaction();
    return ok;
}

bool readMacro(const Trk_String& file, MacroCopy& copy) {
    Trk_String error;
    if (readMacroFile(file, copy.macro, copy.data, error) == eOk) return true;
    std::fprintf(stderr, "standards: cannot read the macro file %s: %s\n", utf8(file).c_str(),
                 utf8(error).c_str());
    return false;
}

// The grid's error values: a line that failed leaves one in its variable.
bool isErrorValue(const Trk_String& value) {
    return gridx::errorFromText(value.view()).has_value();
}

// The evaluation succeeds with failed lines; their outputs would write zeros or stale values into
// the macro, so the job keeps the file as it was and names them.
bool outputsHaveValues(const KvVarCells& cells, const StandardsRun& run) {
    std::string failed;
    for (int i = 0; i < cells.length(); ++i)
        if (cells[i].isOutput() && isErrorValue(cells[i].value))
            failed.append(" ").append(utf8(cells[i].name));
    if (failed.empty()) return true;
    std::fprintf(stderr, "standards: outputs without a value:%s; %s is left as it was\n",
                 failed.c_str(), utf8(run.macroFile).c_str());
    return false;
}

int runStandard(const StandardsRun& run) {
    MacroCopy working;
    if (!readMacro(run.macroFile, working)) return kFailed;
    MacroCopy original = working;
    std::printf("Standard: %s\nMacro file: %s\nMapping key: %s\n", utf8(run.standard).c_str(),
                utf8(run.macroFile).c_str(), utf8(run.mappingKey).c_str());

    KvDlgStandardsData request;
    const bool ok = evaluate(working, run, request);
    if (ok) printVariables(request.cells, original, run);
    printTimers();
    if (!ok) {
        std::fprintf(stderr, "standards: the evaluation of %s failed; %s is left as it was\n",
                     utf8(run.standard).c_str(), utf8(run.macroFile).c_str());
        return kFailed;
    }
    if (!outputsHaveValues(request.cells, run)) return kFailed;
    if (writeMacroFile(run.macroFile, working.macro, working.data) != eOk) {
        std::fprintf(stderr, "standards: cannot write the macro file %s\n",
                     utf8(run.macroFile).c_str());
        return kFailed;
    }
    std::printf("Macro file updated: %s\n", utf8(run.macroFile).c_str());
    return 0;
}

// A fresh folder of this process under the system's temporary folder.
std::filesystem::path demoFolder() {
    return std::filesystem::temp_directory_path() /
           ("trkhost-standards-" + std::to_string(::getpid()));
}

int runDemo() {
    const auto shipped = winx::nativePath((gSettings.libDir + kDemoMacro).view());
    const auto folder = demoFolder();
    const auto copy = folder / shipped.filename();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!error)
        std::filesystem::copy_file(shipped, copy, std::filesystem::copy_options::overwrite_existing,
                                   error);
    if (error) {
        std::fprintf(stderr, "standards: cannot copy the example macro %s: %s\n",
                     shipped.string().c_str(), error.message().c_str());
        std::filesystem::remove_all(folder, error);
        return kFailed;
    }
    const int result =
        runStandard({kDemoStandard, Trk_String(copy.wstring().c_str()), kDemoMappingKey});
    std::filesystem::remove_all(folder, error);
    std::printf("The copy is removed with its temporary folder; %s is unchanged.\n",
                shipped.string().c_str());
    return result;
}

} // namespace

int standards(const std::vector<std::string>& arguments) {
    if (arguments.size() == 1 && arguments.front() == "--demo") return runDemo();
    if (arguments.size() != 3) return usageError();
    for (const auto& argument : arguments)
        if (argument.empty() || argument.starts_with("--")) return usageError();
    return runStandard({Trk_String(winx::fromUtf8(arguments[0]).c_str()),
                        Trk_String(winx::fromUtf8(arguments[1]).c_str()),
                        Trk_String(winx::fromUtf8(arguments[2]).c_str())});
}

} // namespace trkjobs
