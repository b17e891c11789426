// Helpers of the "Formulas" dialog and FROMTABLE tests: sheet files written into a temporary
// folder, argument records as the grid control builds them, results read back, and the
// command-line output.
#pragma once

#include "SpreadTestSupport.h"

#include "spread/CFormula.h"
#include "spread/FromTable.h"
#include "spread/SheetBeingEvaluated.h"

#include "acadx.h"

#include <algorithm>
#include <string>
#include <vector>

namespace formulatest {

// A table of sections: captions Size, Weight (numbers, 2 decimals), Holes (whole numbers),
// Grade (text). HEA-100 weighs twice IPE-200 through a formula.
inline std::string sectionTable() {
    return "gridsheet version=1\n"
           "size cols=4 rows=3\n"
           "col B type=number decimals=2\n"
           "col C type=integer\n"
           "cell A0 text=\"Size\"\n"
           "cell B0 text=\"Weight\"\n"
           "cell C0 text=\"Holes\"\n"
           "cell D0 text=\"Grade\"\n"
           "cell A1 text=\"IPE-200\"\n"
           "cell B1 number=22.4\n"
           "cell C1 number=4\n"
           "cell D1 text=\"S235\"\n"
           "cell A2 text=\"HEA-100\"\n"
           "cell B2 formula=\"B1*2\"\n"
           "cell C2 number=6\n"
           "cell D2 text=\"S355\"\n"
           "cell A3 number=300\n"
           "cell D3 text=\"S275\"\n";
}

// Text as a quoted sheet-file or formula text (quotes doubled).
inline std::string quoted(const std::wstring& text) {
    std::string out = "\"";
    for (const wchar_t c : text) {
        if (c == L'"') out += '"';
        out += static_cast<char>(c);
    }
    return out + "\"";
}

class FormulaTest : public spreadtest::SpreadTest {
protected:
    void SetUp() override {
        spreadtest::SpreadTest::SetUp();
        acadx::clearPrinted();
        setSheetBeingEvaluated(nullptr);
        previousDriveRoot_ = winx::driveRoot();
        winx::setDriveRoot(std::filesystem::path(folder.file(L"drives")));
    }
    void TearDown() override {
        for (HGLOBAL block : blocks_)
            GlobalFree(block);
        setSheetBeingEvaluated(nullptr);
        winx::setDriveRoot(previousDriveRoot_);
        EXPECT_TRUE(winx::problems().empty());
        spreadtest::SpreadTest::TearDown();
    }

    std::wstring writeFile(const std::wstring& name, const std::string& text) {
        const std::wstring path = folder.file(name);
        std::ofstream(std::filesystem::path(path), std::ios::binary) << text;
        return path;
    }
    std::wstring writeTable() { return writeFile(L"sections.sss", sectionTable()); }

    SSVALUE textArg(const std::wstring& text) {
        SSVALUE arg{};
        arg.Type = SS_VALUE_TYPE_STR;
        arg.hValStr = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        auto* chars = static_cast<wchar_t*>(GlobalLock(arg.hValStr));
        std::copy(text.c_str(), text.c_str() + text.size() + 1, chars);
        GlobalUnlock(arg.hValStr);
        blocks_.push_back(arg.hValStr);
        return arg;
    }
    static SSVALUE cellArg(int col, int row) {
        SSVALUE arg{};
        arg.Type = SS_VALUE_TYPE_CELL;
        arg.ValCell = {col, row};
        return arg;
    }
    static SSVALUE numberArg(double value) {
        SSVALUE arg{};
        arg.Type = SS_VALUE_TYPE_DOUBLE;
        arg.ValDouble = value;
        return arg;
    }
    static SSVALUE rangeArg() {
        SSVALUE arg{};
        arg.Type = SS_VALUE_TYPE_RANGE;
        arg.ValRange = {1, 1, 2, 2};
        return arg;
    }

    // The user closes the next `count` "Formulas" dialogs once they have opened.
    static void closeLookupDialogs(int count = 1) {
        for (int i = 0; i < count; ++i)
            winx::queueScript(winx::DialogScript().forTemplate(CFormula::IDD).click(IDOK));
    }

    // Calls FROMTABLE as the grid control would, with the result starting empty; the user
    // closes the `dialogs` lookup dialogs the call opens.
    SSVALUE call(std::vector<SSVALUE> args, int dialogs = 1) {
        closeLookupDialogs(dialogs);
        SSVALUE result{};
        result.Status = SS_VALUE_STATUS_EMPTY;
        EXPECT_TRUE(FromTableCallback(&result, args.data(), static_cast<short>(args.size())));
        EXPECT_EQ(winx::pendingScripts(), 0u) << "every lookup dialog was shown";
        if (result.Status == SS_VALUE_STATUS_OK && result.Type == SS_VALUE_TYPE_STR)
            blocks_.push_back(result.hValStr);
        return result;
    }
    static std::wstring textOf(const SSVALUE& value) {
        if (value.Type != SS_VALUE_TYPE_STR || !value.hValStr) return L"<no text>";
        const auto* chars = static_cast<const wchar_t*>(GlobalLock(value.hValStr));
        std::wstring text = chars ? chars : L"";
        GlobalUnlock(value.hValStr);
        return text;
    }

    // The context sheet: a created grid that is the sheet being evaluated.
    void useContextSheet() {
        create(6, 6);
        setSheetBeingEvaluated(&spread);
    }
    std::wstring data(int col, int row) {
        Trk_String text;
        spread.getCellText(col, row, 0, text);
        return text.str();
    }

    static bool printedLine(const std::wstring& line) {
        const auto& lines = acadx::printed();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    static bool printedResultLine() {
        return acadx::printedText().find(L"Result is") != std::wstring::npos;
    }

    spreadtest::TempFolder folder;

private:
    std::vector<HGLOBAL> blocks_;
    std::filesystem::path previousDriveRoot_;
};

} // namespace formulatest
