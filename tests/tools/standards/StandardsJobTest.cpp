// trkhost standards: evaluates a connection standard against a macro file and writes the result
// back only when the evaluation succeeds. Runs the host as a process on the example library.
#include "trk/MacroFile.h"
#include "win/utf8.h"
#include "win/winbase.h"

#include "tools/HostRunSupport.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kLibrary = fs::path(TRK_SOURCE_DIR) / "examples" / "library";
const fs::path kShippedMacro = kLibrary / "Macros" / "EndPlate.json";

// The example's inputs: an IPE 300 beam on an HEB 240 column, with the macro's general
// variables gen_WeldSize and gen_Gap.
constexpr const char* kBeamSize = "300";
constexpr const char* kColumnSize = "240";
constexpr double kWeldSize = 6, kGap = 2;
// Results travel through number cells that show seven decimals.
constexpr double kShownPrecision = 1e-6;

double roundTo(double value, double step) {
    return std::round(value / step) * step;
}

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> parts;
    std::istringstream in(line);
    for (std::string part; std::getline(in, part, '\t');)
        parts.push_back(part);
    return parts;
}

// Value column `title` of size `size` in the library's section table of `series`.
double sectionValue(const std::string& series, const std::string& size, const std::string& title) {
    std::ifstream in(kLibrary / "prof" / (series + ".pr"));
    std::string line;
    std::getline(in, line); // the shape
    std::getline(in, line);
    const std::vector<std::string> titles = fields(line);
    const auto column = std::find(titles.begin(), titles.end(), title) - titles.begin();
    while (std::getline(in, line)) {
        const std::vector<std::string> row = fields(line);
        if (!row.empty() && row[0] == size && column < static_cast<long>(row.size()))
            return std::stod(row[static_cast<std::size_t>(column)]);
    }
    return -1;
}

std::vector<std::string> dataLines(const char* table) {
    std::ifstream in(kLibrary / "Connection Standards" / "Data" / table);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && !line.starts_with("//") && !line.starts_with("/*"))
            lines.push_back(line);
    return lines;
}

// The value of `key` in a table of the library's Data folder (key, tab, value).
double tableValue(const char* table, const std::string& key) {
    for (const std::string& line : dataLines(table))
        if (line.starts_with(key + "\t")) return std::stod(line.substr(key.size() + 1));
    return -1;
}

std::string boltSize(double diameter) {
    std::string size(1, 'M');
    return size.append(std::to_string(static_cast<int>(diameter)));
}

// The flats in stock ("width x thickness" lines) as (width, thickness) pairs.
std::vector<std::pair<double, double>> stock() {
    std::vector<std::pair<double, double>> flats;
    for (const std::string& line : dataLines("PlateStock.txt")) {
        const std::size_t x = line.find('x');
        flats.emplace_back(std::stod(line.substr(0, x)), std::stod(line.substr(x + 1)));
    }
    return flats;
}

// The thinnest flat in stock at least `needed` thick (the standard accepts 0.5 mm less).
double stockThicknessAtOrAbove(double needed) {
    double best = -1;
    for (const auto& [width, thickness] : stock())
        if (thickness >= needed - 0.5 && (best < 0 || thickness < best)) best = thickness;
    return best;
}

// The narrowest flat in stock of that thickness at least `needed` wide (the standard accepts
// 1 mm less).
double stockWidthAtOrAbove(double thickness, double needed) {
    double best = -1;
    for (const auto& [width, t] : stock())
        if (t == thickness && width >= needed - 1 && (best < 0 || width < best)) best = width;
    return best;
}

// The depth of a flush end plate's bolt rows: the beam's depth between the toes of its flange
// welds (fillet legs of gen_WeldSize times the square root of 2).
double boltZone(const std::string& beamSize) {
    return sectionValue("IPE", beamSize, "h") -
           2 * (sectionValue("IPE", beamSize, "tf") + kWeldSize * std::sqrt(2.0));
}

// The hand calculation of the EndPlate standard for an IPE beam on an HEB column.
struct ExpectedEndPlate {
    double boltDiameter, edgeDistance, gauge, thickness, width, projection, height, rows, pitch,
        cutBack;
};

ExpectedEndPlate expectedEndPlate(const std::string& beamSize, const std::string& columnSize) {
    const double h = sectionValue("IPE", beamSize, "h"), b = sectionValue("IPE", beamSize, "b");
    const double tf = sectionValue("IPE", beamSize, "tf");
    const double columnWidth = sectionValue("HEB", columnSize, "b");
    ExpectedEndPlate e{};
    e.boltDiameter = h > 425 ? 24 : h > 210 ? 20 : 16;
    e.edgeDistance = tableValue("BoltEdgeDistances.txt", boltSize(e.boltDiameter));
    e.gauge = std::min(tableValue("BeamBoltGauges.txt", "IPE " + beamSize),
                       columnWidth - 2 * e.edgeDistance);
    e.thickness = stockThicknessAtOrAbove(std::max(0.7 * e.boltDiameter, 1.2 * tf));
    e.width = stockWidthAtOrAbove(e.thickness, std::max(b + 2 * 10, e.gauge + 2 * e.edgeDistance));
    const double weldLeg = kWeldSize * std::sqrt(2.0);
    e.projection = roundTo(weldLeg + 5, 1);
    e.height = roundTo(h + 2 * e.projection, 5);
    const double span = boltZone(beamSize) - 2 * e.edgeDistance;
    e.rows = std::max(2.0, std::ceil(span / (5 * e.boltDiameter)) + 1);
    e.pitch =
        std::max(roundTo(2.5 * (e.boltDiameter + 2), 5), std::floor(span / (e.rows - 1) / 5) * 5);
    e.cutBack = e.thickness + kGap;
    return e;
}

using hostrun::HostRun;

// One row of the printed variable table: name, kind, type, before, after.
struct TableRow {
    std::string kind, type, before, after;
    double afterNumber() const { return std::stod(after); }
    double beforeNumber() const { return std::stod(before); }
};

std::string fileBytes(const fs::path& path) {
    return winx::readFile(path).value_or("<unreadable>");
}

class StandardsJob : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device seed;
        folder_ = fs::temp_directory_path() /
                  ("trk-standards-" + std::to_string(seed()) + "-" + std::to_string(seed()));
        fs::create_directories(folder_);
        shippedBytes_ = fileBytes(kShippedMacro);
    }
    void TearDown() override {
        EXPECT_EQ(fileBytes(kShippedMacro), shippedBytes_) << "the shipped macro was changed";
        std::error_code error;
        fs::remove_all(folder_, error);
    }

    // Runs the host on the example library with its registry and drives in the temporary
    // folder.
    HostRun host(const std::string& arguments) {
        const std::string command = std::string("'") + TRKHOST + "' --quiet --library '" +
                                    kLibrary.string() + "' --registry '" +
                                    (folder_ / "registry.txt").string() + "' --drives '" +
                                    (folder_ / "drives").string() + "' " + arguments + " 2>&1";
        return hostrun::runCommand(command);
    }

    // The example macro, changed by `change`, written to `name` in the temporary folder.
    fs::path exampleVariant(const std::string& name,
                            const std::function<void(Trk_DbMacro&)>& change) {
        const fs::path file = folder_ / name;
        Trk_DbMacro macro;
        MacroData data;
        Trk_String error;
        EXPECT_EQ(readMacroFile(Trk_String(kShippedMacro.wstring()), macro, data, error), eOk);
        change(macro);
        EXPECT_EQ(writeMacroFile(Trk_String(file.wstring()), macro, data), eOk);
        return file;
    }

    fs::path copyOfExampleMacro() {
        const fs::path copy = folder_ / "EndPlate.json";
        fs::copy_file(kShippedMacro, copy);
        return copy;
    }

    // The table row of a variable (a line of name, kind, type, before and after); an empty kind
    // when the table has none.
    static TableRow row(const std::string& output, const std::string& name) {
        std::istringstream lines(output);
        for (std::string line; std::getline(lines, line);) {
            std::istringstream words(line);
            std::string first;
            TableRow found;
            if (words >> first && first == name &&
                words >> found.kind >> found.type >> found.before >> found.after &&
                (found.kind == "Input" || found.kind == "Output" || found.kind == "Local"))
                return found;
        }
        return {};
    }

    // The "after" column of every output of the end plate standard against the hand calculation.
    static void expectComputed(const std::string& output, const ExpectedEndPlate& expected) {
        const std::pair<const char*, double> outputs[] = {
            {"BoltDiameter", expected.boltDiameter}, {"EdgeDistance", expected.edgeDistance},
            {"BoltGauge", expected.gauge},           {"PlateThickness", expected.thickness},
            {"PlateWidth", expected.width},          {"PlateProjection", expected.projection},
            {"PlateHeight", expected.height},        {"BoltRowCount", expected.rows},
            {"BoltPitch", expected.pitch},           {"BeamCutBack", expected.cutBack}};
        for (const auto& [name, value] : outputs) {
            const TableRow found = row(output, name);
            ASSERT_EQ(found.kind, "Output") << name;
            EXPECT_NEAR(found.afterNumber(), value, kShownPrecision) << name;
        }
    }

    static Trk_ConstrVar* variable(Trk_DbMacro& macro, const wchar_t* module, const wchar_t* name) {
        Trk_Module* found = macro.findModule(module);
        return found ? found->findConstrVar(name) : nullptr;
    }
    static double variableValue(Trk_DbMacro& macro, const wchar_t* module, const wchar_t* name) {
        const Trk_ConstrVar* found = variable(macro, module, name);
        return found ? found->value : -1;
    }

    fs::path folder_;
    std::string shippedBytes_;
};

TEST_F(StandardsJob, TheDemoPrintsEveryVariableWithTheValuesTheStandardComputes) {
    const HostRun run = host("standards --demo");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const ExpectedEndPlate expected = expectedEndPlate(kBeamSize, kColumnSize);

    EXPECT_EQ(row(run.output, "BeamSection").after, "IPE-300") << run.output;
    EXPECT_EQ(row(run.output, "BeamSection").kind, "Input");
    EXPECT_EQ(row(run.output, "ColumnSection").after, "HEB-240");
    EXPECT_EQ(row(run.output, "BoltIndex").kind, "Local");
    // Whole numbers show without the fixed decimals of the number cells they passed through.
    EXPECT_EQ(row(run.output, "PlateThickness").after,
              std::to_string(static_cast<int>(expected.thickness)));
    EXPECT_EQ(row(run.output, "BoltSize").after, boltSize(expected.boltDiameter));

    const TableRow thickness = row(run.output, "PlateThickness");
    EXPECT_EQ(thickness.kind, "Output");
    EXPECT_EQ(thickness.type, "Double");
    Trk_DbMacro shipped;
    MacroData shippedData;
    Trk_String error;
    ASSERT_EQ(readMacroFile(Trk_String(kShippedMacro.wstring()), shipped, shippedData, error), eOk);
    EXPECT_NEAR(thickness.beforeNumber(), variableValue(shipped, L"Plate1", L"Thickness"),
                kShownPrecision);
    expectComputed(run.output, expected);
    EXPECT_EQ(row(run.output, "BoltRows").type, "String");
    EXPECT_EQ(row(run.output, "BoltRows").after, std::to_string(static_cast<int>(expected.rows)));

    // Every stage timer is printed; the child ran once and both sheets were loaded.
    EXPECT_NE(run.output.find("gCalcCellReplaceVariables:"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("gCalcChild: 1 calls"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("gLoadFile: 2 calls"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("Message box"), std::string::npos) << run.output;
}

TEST_F(StandardsJob, AnEvaluationWritesTheComputedDimensionsIntoTheMacroFile) {
    const fs::path macroFile = copyOfExampleMacro();
    const HostRun run = host("standards EndPlate '" + macroFile.string() + "' Standard");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("Macro file updated"), std::string::npos) << run.output;

    Trk_DbMacro macro;
    MacroData data;
    Trk_String error;
    ASSERT_EQ(readMacroFile(Trk_String(macroFile.wstring()), macro, data, error), eOk)
        << error.str();
    const ExpectedEndPlate expected = expectedEndPlate(kBeamSize, kColumnSize);
    EXPECT_NEAR(variableValue(macro, L"Plate1", L"Thickness"), expected.thickness, kShownPrecision);
    EXPECT_NEAR(variableValue(macro, L"Plate1", L"Width"), expected.width, kShownPrecision);
    EXPECT_NEAR(variableValue(macro, L"Plate1", L"Height"), expected.height, kShownPrecision);
    EXPECT_NEAR(variableValue(macro, L"Plate1", L"Projection"), expected.projection,
                kShownPrecision);
    EXPECT_NEAR(variableValue(macro, L"Bolts1", L"Pitch"), expected.pitch, kShownPrecision);
    EXPECT_NEAR(variableValue(macro, L"Bolts1", L"EdgeDistance"), expected.edgeDistance,
                kShownPrecision);

    int tab = -1;
    ASSERT_EQ(data.findTab(L"Bolts", tab), eOk);
    MacroPatternProps* pattern = data.getTab(tab)->findPattern(L"Main");
    ASSERT_NE(pattern, nullptr);
    EXPECT_EQ(pattern->getCount(0), static_cast<int>(expected.rows));
    EXPECT_EQ(pattern->getCount(1), 2);
    EXPECT_NEAR(data.getTab(tab)->boltData.diameter.asDouble(), expected.boltDiameter,
                kShownPrecision);

    Trk_Cut* cut = macro.findModule(L"Beam1")->findCut(L"BeamEnd");
    ASSERT_NE(cut, nullptr);
    double cutBack = -1;
    ASSERT_EQ(getSetCutValue(macro.findModule(L"Beam1"), cut, 0, cutBack, true), eOk);
    EXPECT_NEAR(cutBack, expected.cutBack, kShownPrecision);

    // Evaluating the updated macro again changes nothing: every output depends on inputs only.
    const std::string once = fileBytes(macroFile);
    EXPECT_EQ(host("standards EndPlate '" + macroFile.string() + "' Standard").exitCode, 0);
    EXPECT_EQ(fileBytes(macroFile), once);
}

TEST_F(StandardsJob, OtherBeamAndColumnSizesGetTheirOwnBoltsAndPlate) {
    // The smallest and the largest bolt size, and a narrower column that limits the gauge.
    for (const auto& [beam, column] : {std::pair<std::string, std::string>{"200", "240"},
                                       {"300", "240"},
                                       {"450", "300"},
                                       {"600", "160"}}) {
        const fs::path macroFile =
            exampleVariant("IPE" + beam + "-HEB" + column + ".json", [&](Trk_DbMacro& macro) {
                macro.baseSections[0].sectionName = Trk_String(L"IPE-") + winx::fromUtf8(beam);
                macro.baseSections[1].sectionName = Trk_String(L"HEB-") + winx::fromUtf8(column);
            });

        const HostRun run = host("standards EndPlate '" + macroFile.string() + "' Standard");
        ASSERT_EQ(run.exitCode, 0) << run.output;
        const ExpectedEndPlate expected = expectedEndPlate(beam, column);
        SCOPED_TRACE("IPE " + beam + " on HEB " + column + "\n" + run.output);
        expectComputed(run.output, expected);
        // The rows of a flush end plate, each an edge distance clear of the welds, fit between
        // the beam's flanges.
        const double rowsDepth = (row(run.output, "BoltRowCount").afterNumber() - 1) *
                                     row(run.output, "BoltPitch").afterNumber() +
                                 2 * row(run.output, "EdgeDistance").afterNumber();
        EXPECT_LE(rowsDepth, boltZone(beam));
    }
}

TEST_F(StandardsJob, TheMessagesOfAnEvaluationAppearOnStandardError) {
    // A macro without the column's base section: the variable is reported, the rest runs.
    const fs::path macroFile = exampleVariant(
        "no-column.json", [](Trk_DbMacro& macro) { macro.baseSections.removeAt(1); });

    const std::string before = fileBytes(macroFile);

    const HostRun run = host("standards EndPlate '" + macroFile.string() + "' Standard");
    EXPECT_NE(run.output.find("Message box"), std::string::npos) << run.output;
    EXPECT_NE(
        run.output.find("The following Input variable couldn't be retrieved : \nColumnSection"),
        std::string::npos)
        << run.output;
    EXPECT_EQ(row(run.output, "ColumnSection").before, "-");
    EXPECT_NEAR(row(run.output, "PlateThickness").afterNumber(),
                expectedEndPlate(kBeamSize, kColumnSize).thickness, kShownPrecision);
    // What depends on the column has no value, so the file is kept.
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_NE(run.output.find("outputs without a value: PlateWidth BoltGauge;"), std::string::npos)
        << run.output;
    EXPECT_EQ(fileBytes(macroFile), before);
}

TEST_F(StandardsJob, InGroupModeTheVariableNamesAddressTheObjectsOfTheModuleGroup) {
    // A bolt group whose edge distance and pitch are too small for its bolts.
    const fs::path macroFile = copyOfExampleMacro();
    Trk_DbMacro macro;
    MacroData data;
    Trk_String error;
    ASSERT_EQ(readMacroFile(Trk_String(macroFile.wstring()), macro, data, error), eOk);
    variable(macro, L"Bolts1", L"EdgeDistance")->value = 20;
    variable(macro, L"Bolts1", L"Pitch")->value = 35;
    const double gauge = variableValue(macro, L"Bolts1", L"Gauge");
    ASSERT_EQ(writeMacroFile(Trk_String(macroFile.wstring()), macro, data), eOk);
    int tab = -1;
    ASSERT_EQ(data.findTab(L"Bolts", tab), eOk);
    const double hole = data.getTab(tab)->boltData.diameter.asDouble() + 2;

    const HostRun run = host("standards BoltSpacing '" + macroFile.string() + "' Module.Bolts");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NEAR(row(run.output, "Bolts.Diameter").afterNumber(), hole - 2, kShownPrecision);
    const TableRow edge = row(run.output, "EdgeDistance");
    EXPECT_NEAR(edge.beforeNumber(), 20, kShownPrecision);
    EXPECT_NEAR(edge.afterNumber(), std::ceil(1.2 * hole / 5) * 5, kShownPrecision);
    EXPECT_NEAR(row(run.output, "Pitch").afterNumber(), std::ceil(2.2 * hole / 5) * 5,
                kShownPrecision);

    ASSERT_EQ(readMacroFile(Trk_String(macroFile.wstring()), macro, data, error), eOk);
    EXPECT_NEAR(variableValue(macro, L"Bolts1", L"EdgeDistance"), std::ceil(1.2 * hole / 5) * 5,
                kShownPrecision);
    EXPECT_EQ(variableValue(macro, L"Bolts1", L"Gauge"), gauge) << "not in the standard";
}

// ---- Failures: the macro file stays byte-identical ------------------------------------------

TEST_F(StandardsJob, AFailingEvaluationExitsWithOneAndLeavesTheMacroFileAsItWas) {
    const fs::path macroFile = copyOfExampleMacro();
    const std::string before = fileBytes(macroFile);

    HostRun run = host("standards NoSuchStandard '" + macroFile.string() + "' Standard");
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_NE(run.output.find("evaluation of NoSuchStandard failed"), std::string::npos)
        << run.output;
    EXPECT_EQ(run.output.find("Macro file updated"), std::string::npos);
    EXPECT_EQ(fileBytes(macroFile), before);

    const fs::path broken = folder_ / "broken.json";
    std::ofstream(broken, std::ios::binary) << "{\"format\": \"trk-macro\", \"version\": 7}";
    const std::string brokenBytes = fileBytes(broken);
    run = host("standards EndPlate '" + broken.string() + "' Standard");
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_NE(run.output.find("cannot read the macro file"), std::string::npos) << run.output;
    EXPECT_EQ(fileBytes(broken), brokenBytes);
}

TEST_F(StandardsJob, AnUnknownMappingKeyOrModuleGroupFailsAndLeavesTheMacroFileAsItWas) {
    const fs::path macroFile = copyOfExampleMacro();
    const std::string before = fileBytes(macroFile);

    HostRun run = host("standards EndPlate '" + macroFile.string() + "' NoSuchKey");
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_NE(run.output.find("cannot read the key NoSuchKey from the mapping file"),
              std::string::npos)
        << run.output;
    EXPECT_EQ(run.output.find("Macro file updated"), std::string::npos);
    EXPECT_EQ(fileBytes(macroFile), before);

    run = host("standards BoltSpacing '" + macroFile.string() + "' Module.NoSuchGroup");
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_NE(run.output.find("no module of the group NoSuchGroup"), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("the evaluation of BoltSpacing failed"), std::string::npos)
        << run.output;
    EXPECT_EQ(fileBytes(macroFile), before);
}

TEST_F(StandardsJob, OutputsLeftWithAnErrorValueKeepTheMacroFileAsItWas) {
    // A beam section the tables do not know: its sizes, and every output computed from them,
    // come out as the grid's error value.
    const fs::path macroFile = exampleVariant("unknown-beam.json", [](Trk_DbMacro& macro) {
        macro.baseSections[0].sectionName = L"IPE-999";
    });
    const std::string before = fileBytes(macroFile);

    const HostRun run = host("standards EndPlate '" + macroFile.string() + "' Standard");
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_EQ(row(run.output, "PlateThickness").after, "#VALUE!") << run.output;
    EXPECT_NE(run.output.find("outputs without a value: PlateThickness PlateWidth"),
              std::string::npos)
        << run.output;
    EXPECT_EQ(run.output.find("Macro file updated"), std::string::npos);
    EXPECT_EQ(fileBytes(macroFile), before);
}

TEST_F(StandardsJob, PathsWithSpacesAndQuotesAreReadAndWritten) {
    const fs::path folder = folder_ / "Job's macros";
    fs::create_directories(folder);
    const fs::path macroFile = folder / "End plate \"A\".json";
    fs::copy_file(kShippedMacro, macroFile);
    const std::string before = fileBytes(macroFile);
    std::string quoted;
    for (const char c : macroFile.string())
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);

    const HostRun run = host("standards EndPlate '" + quoted + "' Standard");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("Macro file updated: " + macroFile.string()), std::string::npos)
        << run.output;
    EXPECT_NE(fileBytes(macroFile), before);
    EXPECT_EQ(fs::directory_iterator(folder)->path(), macroFile) << "no temporary file left";
}

TEST_F(StandardsJob, WrongArgumentsExitWithTwoAndShowTheUsage) {
    const fs::path macroFile = copyOfExampleMacro();
    for (const std::string& arguments :
         {std::string("standards"), "standards EndPlate '" + macroFile.string() + "'",
          "standards EndPlate '" + macroFile.string() + "' Standard extra",
          std::string("standards --demonstrate")}) {
        const HostRun run = host(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments << "\n" << run.output;
        EXPECT_NE(run.output.find("usage: standards"), std::string::npos) << run.output;
    }
    const HostRun help = host("--help");
    EXPECT_NE(help.output.find("standards STANDARD MACRO KEY"), std::string::npos) << help.output;
}

} // namespace
