// Calculation lines of a sheet evaluated in child mode: names become references, results go
// into the declaration cells, general variables are replaced, failing lines are reported.
#include "EvaluationTestSupport.h"

#include <string>

namespace evaltest {
namespace {

constexpr const wchar_t* kTip =
    L"Here's a tip for finding the cause :\nIf this equation contains variable names, then the "
    L"translator does not know the value of the variable. Make sure the variable exists either "
    L"in input, output, local declarations or among the gen_ variables.";

class CalculationTest : public EvaluationTest {
protected:
    // Thickness in B3, Width in B6; the calculation lines start in row 9.
    void plateSheet(std::initializer_list<SheetCell> lines, const std::string& extraOutput = "") {
        std::vector<SheetCell> cells = {{"A2", "Input"},
                                        {"B3", "Double Thickness"},
                                        {"A5", "Output"},
                                        {"B6", "Double Width"},
                                        {"A8", "Calc"}};
        if (!extraOutput.empty()) cells.push_back({"C6", extraOutput});
        cells.insert(cells.end(), lines.begin(), lines.end());
        writeFile(library.standards() / "Plate.kvs", sheetText(4, 14, cells));
    }
    // Thickness in B2, Width in B4, one local declared in B6; the lines start in row 9.
    void sheetWithLocal(const std::string& localDeclaration, const std::string& line9,
                        const std::string& line10) {
        writeFile(library.standards() / "Plate.kvs", sheetText(3, 12,
                                                               {{"A1", "Input"},
                                                                {"B2", "Double Thickness"},
                                                                {"A3", "Output"},
                                                                {"B4", "Double Width"},
                                                                {"A5", "Local"},
                                                                {"B6", localDeclaration},
                                                                {"A8", "Calc"},
                                                                {"A9", line9},
                                                                {"A10", line10}}));
    }
    KvDlgStandardsData run(std::initializer_list<KvVarCell> cells, bool expectOk = true) {
        KvDlgStandardsData request = childRequest(L"Plate", cells);
        request.genVarNames = genNames;
        request.genVarValues = genValues;
        EXPECT_EQ(StartDlgStandardsSS(request), expectOk);
        return request;
    }
    KvDlgStandardsData runPlate(const wchar_t* thickness, bool expectOk = true) {
        return run({passed(L"Thickness", KvCellType::Input, thickness),
                    passed(L"Width", KvCellType::Output, L"0")},
                   expectOk);
    }
    Trk_String platePath() const { return gSettings.libDir + L"Connection Standards\\Plate.kvs"; }

    Trk_StringArray genNames;
    Trk_StringArray genValues;
};

TEST_F(CalculationTest, ALineTurnsNamesIntoReferencesAndPutsItsResultIntoTheDeclarationCell) {
    plateSheet({{"A9", "Width = Thickness * 2"}});
    const KvDlgStandardsData result = runPlate(L"10");
    EXPECT_RESULT(valueOf(result, L"Width"), 20.0);
    KvCalcSS& calc = calculatorOf(0);
    EXPECT_EQ(calc.loadedPath, platePath());
    const std::wstring formula = cellFormula(calc, 1, 9);
    EXPECT_NE(formula.find(L"B3"), std::wstring::npos) << formula;
    EXPECT_EQ(formula.find(L"Thickness"), std::wstring::npos) << formula;
    EXPECT_RESULT(cellValue(calc, 2, 6), 20.0);
    EXPECT_RESULT(cellValue(calc, 2, 3), 10.0);
    EXPECT_TRUE(messages().empty());
}

TEST_F(CalculationTest, LinesSeeTheResultsOfTheLinesAboveThemRowByRowAndLeftToRight) {
    plateSheet({{"A9", "Width = Thickness * 2"},
                {"B9", "Width = Width + 1"},
                {"A10", "Width = Width * 10"}});
    const KvDlgStandardsData result = runPlate(L"4");
    EXPECT_RESULT(valueOf(result, L"Width"), (4.0 * 2 + 1) * 10);
}

TEST_F(CalculationTest, AVariableUsedBeforeTheLineThatComputesItHasItsPassedValue) {
    plateSheet({{"A9", "Thickness = Width + 1"}, {"A10", "Width = Thickness * 3"}});
    const KvDlgStandardsData result = run({passed(L"Thickness", KvCellType::Input, L"1"),
                                           passed(L"Width", KvCellType::Output, L"5")});
    EXPECT_RESULT(valueOf(result, L"Width"), (5.0 + 1) * 3);
}

TEST_F(CalculationTest, AVariableNamedLikeACellIsSubstitutedAfterTheNamesDeclaredBeforeIt) {
    // Order: Thickness (B3), Width (B6), B3 (C6). Thickness becomes B3, which the later
    // variable B3 then turns into C6.
    plateSheet({{"A9", "Width = Thickness * 2"}}, "Double B3");
    const KvDlgStandardsData result =
        run({passed(L"Thickness", KvCellType::Input, L"10"),
             passed(L"Width", KvCellType::Output, L"0"), passed(L"B3", KvCellType::Output, L"7")});
    EXPECT_RESULT(valueOf(result, L"Width"), 14.0);
    EXPECT_NE(cellFormula(calculatorOf(0), 1, 9).find(L"C6"), std::wstring::npos);
}

TEST_F(CalculationTest, GeneralVariablesAreReplacedInEveryCellAsWholeWords) {
    plateSheet({{"A9", "Width = Thickness + gen_Gap * 2"}, {"D1", "xgen_Gap"}, {"D2", "gen_Gap"}});
    genNames = {L"gen_Gap"};
    genValues = {L"12.5"};
    const KvDlgStandardsData result = runPlate(L"10");
    EXPECT_RESULT(valueOf(result, L"Width"), 10.0 + 12.5 * 2);
    KvCalcSS& calc = calculatorOf(0);
    EXPECT_EQ(cellValue(calc, 4, 1), L"xgen_Gap");
    EXPECT_RESULT(cellValue(calc, 4, 2), 12.5);
}

TEST_F(CalculationTest, AGeneralVariableThatIsNoNumberArrivesAsQuotedText) {
    std::string text = sheetText(3, 10,
                                 {{"A1", "Input"},
                                  {"B2", "String Grade"},
                                  {"A3", "Output"},
                                  {"B4", "String Label"},
                                  {"A6", "Calc"},
                                  {"A7", "Label = gen_Mat & \"-\" & Grade"}});
    writeFile(library.standards() / "Label.kvs", text);
    KvDlgStandardsData request =
        childRequest(L"Label", {passed(L"Grade", KvCellType::Input, L"8.8"),
                                passed(L"Label", KvCellType::Output, L"")});
    request.genVarNames = {L"gen_Mat"};
    request.genVarValues = {L"abc"};
    ASSERT_TRUE(StartDlgStandardsSS(request));
    EXPECT_EQ(valueOf(request, L"Label"), L"abc-8.8");
    EXPECT_TRUE(messages().empty());
}

TEST_F(CalculationTest, RepeatedNamesAreReportedEvenWithMessagesOffAndTheFirstDeclarationWins) {
    gSettings.current.showStandardsMessages = false;
    plateSheet({{"C3", "Double Width"}, {"A9", "Width = Thickness * 2"}});
    const KvDlgStandardsData result = run({passed(L"Thickness", KvCellType::Input, L"10"),
                                           passed(L"First", KvCellType::Input, L"1"),
                                           passed(L"Second", KvCellType::Output, L"2")});
    ASSERT_EQ(winx::messageBoxes().size(), 1u);
    EXPECT_EQ(winx::messageBoxes()[0].caption, L"Variable names must be unique");
    // The input Width (C3) took the result; the dropped output gives nothing back.
    EXPECT_RESULT(cellValue(calculatorOf(0), 3, 3), 20.0);
    EXPECT_EQ(valueOf(result, L"Second"), L"2");
}

TEST_F(CalculationTest, TheSheetIsLoadedWithF8AndTwelveOnRedrawAndAutomaticRecalculationOff) {
    plateSheet({{"A9", "Width = Thickness * 2"}});
    runPlate(L"10");
    const HWND grid = calculatorOf(0).GetSafeHwnd();
    EXPECT_TRUE(SSGetBool(grid, 13));
    EXPECT_TRUE(SSGetBool(grid, 12));
    EXPECT_FALSE(SSGetBool(grid, SSB_REDRAW));
    EXPECT_FALSE(SSGetBool(grid, SSB_AUTOCALC));
    // With automatic recalculation off the line's own cell keeps the result of its time.
    ASSERT_TRUE(SSSetValue(grid, 2, 3, L"50"));
    EXPECT_RESULT(cellValue(calculatorOf(0), 1, 9), 20.0);
}

// ---- Failing lines ------------------------------------------------------------------------

TEST_F(CalculationTest, ALineWithoutEqualsSignIsReportedWordForWordAndItsCellIsLeftAsItWas) {
    plateSheet({{"A9", "Width = Thickness * 2"}, {"B10", "Thickness * 3"}});
    const KvDlgStandardsData result = runPlate(L"10");
    EXPECT_RESULT(valueOf(result, L"Width"), 20.0);
    const std::wstring expected = L"The following equation failed:\nThickness * 3\nSpreadsheet : " +
                                  platePath().str() + L" (line: 10)\n" + kTip;
    ASSERT_EQ(failedLineReports().size(), 1u);
    EXPECT_EQ(failedLineReports()[0], expected);
    EXPECT_EQ(winx::messageBoxes()[0].flags & MB_ICONEXCLAMATION, UINT{MB_ICONEXCLAMATION});
    EXPECT_EQ(cellValue(calculatorOf(0), 2, 10), L"Thickness * 3");
    EXPECT_TRUE(cellFormula(calculatorOf(0), 2, 10).empty());
}

TEST_F(CalculationTest, ALineForAnUndeclaredVariableIsReportedWithItsNameAndTheLinesGoOn) {
    plateSheet({{"A9", "Height = Thickness"}, {"A11", "Width = Thickness + 1"}});
    const KvDlgStandardsData result = runPlate(L"10");
    EXPECT_RESULT(valueOf(result, L"Width"), 11.0);
    ASSERT_EQ(failedLineReports().size(), 1u);
    EXPECT_EQ(failedLineReports()[0],
              L"The following equation failed:\nHeight = Thickness\nSpreadsheet : " +
                  platePath().str() + L" (line: 9)\n" + kTip);
}

TEST_F(CalculationTest, ALineWithoutEqualsSignNeverFeedsAVariableWithoutName) {
    // "Double" alone declares a local with an empty name; a line without "=" has no name part
    // and so no variable, whatever the list holds.
    sheetWithLocal("Double", "Thickness * 3", "Width = Thickness");
    const KvDlgStandardsData result = runPlate(L"10");
    EXPECT_RESULT(valueOf(result, L"Width"), 10.0);
    ASSERT_EQ(failedLineReports().size(), 1u);
    EXPECT_NE(failedLineReports()[0].find(L"failed:\nThickness * 3\n"), std::wstring::npos);
    EXPECT_EQ(cellValue(calculatorOf(0), 1, 9), L"Thickness * 3");
    EXPECT_EQ(cellValue(calculatorOf(0), 2, 6), L"");
}

TEST_F(CalculationTest, AFormulaTheGridRefusesIsReportedInItsSubstitutedForm) {
    plateSheet({{"A9", "Width = Thickness * (2"}});
    runPlate(L"10");
    ASSERT_EQ(failedLineReports().size(), 1u);
    EXPECT_NE(failedLineReports()[0].find(L"Width = B3 * (2\n"), std::wstring::npos)
        << failedLineReports()[0];
}

TEST_F(CalculationTest, WithStandardsMessagesOffAFailingLineShowsNothing) {
    gSettings.current.showStandardsMessages = false;
    plateSheet({{"A9", "Thickness * 3"}, {"A10", "Height = 1"}, {"A11", "Width = Thickness"}});
    const KvDlgStandardsData result = runPlate(L"10");
    EXPECT_RESULT(valueOf(result, L"Width"), 10.0);
    EXPECT_TRUE(winx::messageBoxes().empty());
}

TEST_F(CalculationTest, ASheetWithoutCalcKeywordFailsAndLeavesTheRequestAsItWas) {
    writeFile(library.standards() / "Plate.kvs", sheetText(3, 8,
                                                           {{"A1", "Input"},
                                                            {"B2", "Double Thickness"},
                                                            {"A3", "Output"},
                                                            {"B4", "Double Width"}}));
    const KvDlgStandardsData result = runPlate(L"10", false);
    EXPECT_EQ(valueOf(result, L"Width"), L"0");
    EXPECT_TRUE(allFree());
}

TEST_F(CalculationTest, AMissingOrUnreadableSheetFailsTheEvaluation) {
    runPlate(L"10", false);
    writeFile(library.standards() / "Plate.kvs", "gridsheet version=1\nsize cols=-4\n");
    runPlate(L"10", false);
    EXPECT_TRUE(allFree());
}

// ---- Matching the passed cells ------------------------------------------------------------

TEST_F(CalculationTest, FewerPassedCellsThanNonLocalVariablesFailMoreAreIgnored) {
    plateSheet({{"A9", "Width = Thickness * 2"}});
    const KvDlgStandardsData tooFew = run({passed(L"Thickness", KvCellType::Input, L"10")}, false);
    EXPECT_EQ(tooFew.cells.length(), 1);
    const KvDlgStandardsData more = run({passed(L"Thickness", KvCellType::Input, L"3"),
                                         passed(L"Width", KvCellType::Output, L"0"),
                                         passed(L"Extra", KvCellType::Output, L"x")});
    EXPECT_RESULT(valueOf(more, L"Width"), 6.0);
    EXPECT_EQ(valueOf(more, L"Extra"), L"x");
}

TEST_F(CalculationTest, PassedCellsMatchByPositionNotByName) {
    plateSheet({{"A9", "Width = Thickness * 2"}});
    const KvDlgStandardsData result =
        run({passed(L"T", KvCellType::Input, L"8"), passed(L"W", KvCellType::Output, L"0")});
    EXPECT_RESULT(valueOf(result, L"W"), 16.0);
    EXPECT_EQ(valueOf(result, L"T"), L"8");
}

TEST_F(CalculationTest, AnOutputMatchedWithTheCallersInputFailsTheChild) {
    plateSheet({{"A9", "Width = Thickness * 2"}});
    run({passed(L"Thickness", KvCellType::Input, L"10"), passed(L"Width", KvCellType::Input, L"0")},
        false);
    EXPECT_TRUE(allFree());
}

TEST_F(CalculationTest, LocalsStartEmptyAndTakeNoPassedCell) {
    sheetWithLocal("Double Twice", "Twice = Thickness * 2", "Width = Twice + 1");
    const KvDlgStandardsData result = runPlate(L"5");
    EXPECT_RESULT(valueOf(result, L"Width"), 11.0);
    EXPECT_EQ(result.cells.length(), 2);
}

TEST_F(CalculationTest, ARequestOfAnotherModeOnlyLoadsTheSheet) {
    plateSheet({{"A9", "Width = Thickness * 2"}});
    KvDlgStandardsData request = childRequest(L"Plate", {});
    request.mode = 2;
    EXPECT_TRUE(StartDlgStandardsSS(request));
    EXPECT_EQ(cellValue(calculatorOf(0), 1, 9), L"Width = Thickness * 2");
    request.spreadsheet = L"Missing";
    EXPECT_FALSE(StartDlgStandardsSS(request));
}

} // namespace
} // namespace evaltest
