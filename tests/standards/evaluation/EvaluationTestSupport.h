// Helpers of the standards evaluation tests: a loaded module with a temporary library folder,
// sheets written there as grid-file text, child requests and their results, and the reports
// shown.
#pragma once

#include "frame/FrameTestSupport.h"
#include "frame/KvSSDlgsMgr.h"
#include "frame/TrkSS.h"
#include "standards/CDlgSSStandards.h"
#include "standards/KvDlgStandardsData.h"
#include "standards/StandardsTimers.h"

#include "trk/Trk_Settings.h"

#include "win/winx_script.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

namespace evaltest {

// A result text read as a number; results are compared to a millionth, the last of the seven
// decimals that number cells show being the grid's rounding.
inline double number(const std::wstring& text) {
    return text.empty() ? -1e300 : std::stod(text);
}
#define EXPECT_RESULT(text, expected) EXPECT_NEAR(::evaltest::number(text), (expected), 1e-6)

// A library folder of its own, with the standards folders, removed at the end.
class TempLibrary {
public:
    TempLibrary() {
        std::random_device seed;
        root_ = std::filesystem::temp_directory_path() /
                ("trk-eval-" + std::to_string(seed()) + "-" + std::to_string(seed()));
        for (const char* sub : {"", "Childs", "Data", "Parents"})
            std::filesystem::create_directories(root_ / "Connection Standards" / sub);
    }
    ~TempLibrary() {
        std::error_code error;
        std::filesystem::remove_all(root_, error);
    }
    TempLibrary(const TempLibrary&) = delete;
    TempLibrary& operator=(const TempLibrary&) = delete;

    std::filesystem::path root() const { return root_; }
    std::filesystem::path standards() const { return root_ / "Connection Standards"; }

private:
    std::filesystem::path root_;
};

// One cell record of a sheet: address and text.
struct SheetCell {
    const char* address;
    std::string text;
};

// Grid-file text of a sheet of `cols` x `rows` holding the texts.
inline std::string sheetText(int cols, int rows, const std::vector<SheetCell>& cells) {
    std::string text = "gridsheet version=1\nsize cols=" + std::to_string(cols) +
                       " rows=" + std::to_string(rows) + "\n";
    for (const SheetCell& cell : cells) {
        std::string quoted;
        for (char c : cell.text)
            quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
        text += std::string("cell ") + cell.address + " text=\"" + quoted + "\"\n";
    }
    return text;
}

inline void writeFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class EvaluationTest : public trkss::test::LoadedModule {
protected:
    void SetUp() override {
        LoadedModule::SetUp();
        previousLibDir_ = gSettings.libDir;
        previousMessages_ = gSettings.current.showStandardsMessages;
        gSettings.setLibDir(Trk_String(library.root().wstring()));
        gSettings.current.showStandardsMessages = true;
    }
    void TearDown() override {
        gSettings.libDir = previousLibDir_;
        gSettings.current.showStandardsMessages = previousMessages_;
        LoadedModule::TearDown();
    }

    // Writes a sheet into the standards folder (or a sub folder) under name + ".kvs".
    std::filesystem::path sheet(const std::string& name, int cols, int rows,
                                const std::vector<SheetCell>& cells,
                                const std::string& subFolder = "") {
        const std::filesystem::path path = library.standards() / subFolder / (name + ".kvs");
        writeFile(path, sheetText(cols, rows, cells));
        return path;
    }

    static KvVarCell passed(const wchar_t* name, KvCellType kind, const wchar_t* value) {
        KvVarCell cell;
        cell.name = name;
        cell.kind = kind;
        cell.value = value;
        return cell;
    }
    static KvDlgStandardsData childRequest(const Trk_String& spreadsheet,
                                           std::initializer_list<KvVarCell> cells) {
        KvDlgStandardsData request;
        request.mode = 1;
        request.spreadsheet = spreadsheet;
        for (const KvVarCell& cell : cells)
            request.cells.append(cell);
        return request;
    }
    // The value of the passed cell named `name`, or "<none>".
    static std::wstring valueOf(const KvDlgStandardsData& request, const wchar_t* name) {
        for (int i = 0; i < request.cells.length(); ++i)
            if (request.cells[i].name == name) return request.cells[i].value.str();
        return L"<none>";
    }
    // Texts of the message boxes shown so far.
    static std::vector<std::wstring> messages() {
        std::vector<std::wstring> texts;
        for (const auto& box : winx::messageBoxes())
            texts.push_back(box.text);
        return texts;
    }
    static std::vector<std::wstring> failedLineReports() {
        std::vector<std::wstring> texts;
        for (const std::wstring& text : messages())
            if (text.starts_with(L"The following equation failed:\n")) texts.push_back(text);
        return texts;
    }
    // The calculator of the pool's dialog at index.
    static KvCalcSS& calculatorOf(int index) {
        CDlgSSStandards* dialog = gSSDlgsMgr.dialogAt(index);
        EXPECT_NE(dialog, nullptr);
        return dialog->calculator;
    }
    static std::wstring cellValue(KvCalcSS& grid, int col, int row) {
        Trk_String text;
        grid.getCellText(col, row, 3, text);
        return text.str();
    }
    static std::wstring cellFormula(KvCalcSS& grid, int col, int row) {
        Trk_String text;
        grid.getCellText(col, row, 1, text);
        return text.str();
    }
    static bool allFree() {
        for (int i = 0; i < gSSDlgsMgr.dialogCount(); ++i)
            if (gSSDlgsMgr.isInUse(i)) return false;
        return true;
    }

    TempLibrary library;

private:
    Trk_String previousLibDir_;
    bool previousMessages_ = true;
};

} // namespace evaltest
