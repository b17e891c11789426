// The "Formulas" dialog: reading a sheet file into arrays, evaluating one cell (FROMTABLE
// included), and its buttons for reference styles, save, load and recalculation.
#include "FormulaTestSupport.h"

#include "frame/TrkSS.h"

namespace {

using formulatest::FormulaTest;
using FormulaDialog = FormulaTest;

CFormula* formulaOf(HWND dialog) {
    return dynamic_cast<CFormula*>(CWnd::FromHandlePermanent(dialog));
}

std::wstring formulaIn(HWND grid, int col, int row) {
    std::wstring text(static_cast<std::size_t>(SSGetFormulaLen(grid, col, row)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(SSGetFormula(grid, col, row, text.data())));
    return text;
}

std::wstring dataIn(CFormula& dialog, int col, int row) {
    Trk_String text;
    dialog.spread().getCellText(col, row, 0, text);
    return text.str();
}

TEST_F(FormulaDialog, ReadSSFileGivesTheFirstCellTheCaptionsAndTheDataTextsOfEveryRow) {
    const std::wstring path = writeFile(L"plates.sss", "gridsheet version=1\n"
                                                       "size cols=3 rows=2\n"
                                                       "cell A0 text=\"Name\"\n"
                                                       "cell B0 text=\"Length\"\n"
                                                       "cell C0 text=\"Note\"\n"
                                                       "cell A1 text=\"Plate\"\n"
                                                       "cell B1 number=120\n"
                                                       "cell C1 text=\"cut\"\n"
                                                       "cell B2 formula=\"B1*2\"\n");
    Trk_String first;
    Trk_StringArray headers;
    Trk_Array<Trk_StringArray> rows;
    ASSERT_TRUE(ReadSSFile(path, first, headers, rows));

    EXPECT_EQ(first, Trk_String(L"Plate"));
    EXPECT_EQ(headers, (Trk_StringArray(Trk_Array<Trk_String>{L"Name", L"Length", L"Note"})));
    ASSERT_EQ(rows.length(), 2);
    EXPECT_EQ(rows[0], (Trk_StringArray(Trk_Array<Trk_String>{L"Plate", L"120", L"cut"})));
    EXPECT_EQ(rows[1], (Trk_StringArray(Trk_Array<Trk_String>{L"", L"240", L""})));
    EXPECT_TRUE(printedLine(L"Loading spreadsheet:" + path + L"\n"));
    EXPECT_EQ(sheetBeingEvaluated(), nullptr);
}

TEST_F(FormulaDialog, ReadSSFileOfAMissingEmptyOrMalformedFileFailsAndKeepsTheCallersArrays) {
    const std::wstring malformed = writeFile(L"bad.sss", "gridsheet version=1\nsize cols=x\n");
    for (const std::wstring& path : {folder.file(L"missing.sss"), std::wstring(), malformed}) {
        Trk_String first = L"kept";
        Trk_StringArray headers;
        headers.append(L"kept header");
        Trk_Array<Trk_StringArray> rows;
        rows.append(headers);
        EXPECT_FALSE(ReadSSFile(path, first, headers, rows)) << path;
        EXPECT_EQ(first, Trk_String(L"kept"));
        EXPECT_EQ(headers.length(), 1);
        EXPECT_EQ(rows.length(), 1);
    }
}

TEST_F(FormulaDialog, EvaluatingACellRunsItsLookupsAndRestoresTheSheetBeingEvaluated) {
    const std::wstring table = writeTable();
    const std::wstring calling = writeFile(
        L"calling.sss",
        "gridsheet version=1\nsize cols=2 rows=1\ncell B1 text=\"HEA-100\"\n"
        "cell A1 formula=" +
            formulatest::quoted(L"FROMTABLE(\"" + table + L"\",\"Size\",\"Weight\",B1)") + "\n");
    create(2, 2);
    setSheetBeingEvaluated(&spread); // whatever was current before comes back

    CFormula dialog;
    dialog.filePath = calling;
    dialog.cellColumn = 1;
    dialog.cellRow = 1;
    bool ownGridCurrent = true;
    // The lookup runs in a "Formulas" dialog of its own, opened while this one opens and
    // closed by the user; it takes the first script.
    closeLookupDialogs();
    winx::queueScript(winx::DialogScript()
                          .forTemplate(CFormula::IDD)
                          .call([&](HWND) { ownGridCurrent = sheetBeingEvaluated() != &spread; })
                          .click(IDOK));
    ASSERT_EQ(dialog.DoModal(), IDOK);

    EXPECT_TRUE(dialog.fileLoaded());
    EXPECT_EQ(dialog.cellText.asDouble(), 22.4 * 2);
    EXPECT_TRUE(printedLine(L"Loading spreadsheet:" + calling + L"\n"));
    EXPECT_TRUE(printedLine(L"Result is double: 44.800000\n"));
    EXPECT_FALSE(ownGridCurrent) << "after its first work the dialog gives the sheet back";
    EXPECT_EQ(sheetBeingEvaluated(), &spread);
}

TEST_F(FormulaDialog, EvaluateSSOpensTheDevelopersFileAndEvaluatesItsFirstCell) {
    std::filesystem::create_directories(std::filesystem::path(folder.file(L"drives/c/a")));
    writeFile(L"drives/c/a/t3.sss", "gridsheet version=1\nsize cols=2 rows=2\n"
                                    "cell B2 number=6\ncell A1 formula=\"B2*7\"\n");
    std::wstring evaluated;
    winx::queueScript(winx::DialogScript()
                          .forTemplate(CFormula::IDD)
                          .call([&](HWND dialog) { evaluated = formulaOf(dialog)->cellText.str(); })
                          .click(IDOK));
    EXPECT_TRUE(EvaluateSS());
    EXPECT_EQ(evaluated, std::to_wstring(6 * 7));
    EXPECT_TRUE(printedLine(L"Loading spreadsheet:c:\\a\\t3.sss\n"));

    winx::queueScript(winx::DialogScript().forTemplate(CFormula::IDD).click(IDCANCEL));
    EXPECT_FALSE(EvaluateSS());
}

TEST_F(FormulaDialog, TheGridStartsWithTenRowsEightColumnsAndNumberCellsWhenNoFileIsGiven) {
    int rows = 0, cols = 0;
    BYTE numberType = 0, plainType = 0;
    winx::queueScript(winx::DialogScript()
                          .forTemplate(CFormula::IDD)
                          .call([&](HWND dialog) {
                              Trk_Spread& grid = formulaOf(dialog)->spread();
                              rows = grid.rowCount();
                              cols = grid.colCount();
                              numberType = static_cast<BYTE>(grid.getCellType(6, 6));
                              plainType = static_cast<BYTE>(grid.getCellType(7, 6));
                          })
                          .click(IDCANCEL));
    CFormula dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(rows, 10);
    EXPECT_EQ(cols, 8);
    EXPECT_EQ(numberType, SS_TYPE_NUMBER);
    EXPECT_NE(plainType, SS_TYPE_NUMBER);
    EXPECT_FALSE(dialog.fileLoaded());
    EXPECT_TRUE(printedLine(L"Loading spreadsheet:\n"));
}

TEST_F(FormulaDialog, StyleButtonsShowTheFormulasOfColumnFourInColumnOne) {
    std::wstring a1Formula, r1c1Formula, shownA1, shownR1C1, fifth;
    winx::queueScript(winx::DialogScript()
                          .forTemplate(CFormula::IDD)
                          .call([](HWND dialog) {
                              const HWND grid = formulaOf(dialog)->spread().GetSafeHwnd();
                              for (int row = 1; row <= 4; ++row)
                                  SSSetFormula(grid, 4, row,
                                               (L"B" + std::to_wstring(row) + L"+C1").c_str(),
                                               TRUE);
                              SSSetData(grid, 1, 5, L"untouched");
                          })
                          .click(1006)
                          .call([&](HWND dialog) {
                              CFormula& formula = *formulaOf(dialog);
                              a1Formula = formulaIn(formula.spread().GetSafeHwnd(), 4, 3);
                              shownA1 = dataIn(formula, 1, 3);
                          })
                          .click(1007)
                          .call([&](HWND dialog) {
                              CFormula& formula = *formulaOf(dialog);
                              r1c1Formula = formulaIn(formula.spread().GetSafeHwnd(), 4, 3);
                              shownR1C1 = dataIn(formula, 1, 3);
                              fifth = dataIn(formula, 1, 5);
                          })
                          .click(IDOK));
    CFormula dialog;
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(a1Formula, L"B3+C1");
    EXPECT_EQ(shownA1, a1Formula);
    EXPECT_NE(r1c1Formula, a1Formula);
    EXPECT_EQ(shownR1C1, r1c1Formula);
    EXPECT_EQ(fifth, L"untouched") << "an empty fifth formula is not copied";
}

TEST_F(FormulaDialog, SaveAndLoadUseThePathFieldAndReportFailures) {
    const std::wstring table = writeTable();
    const std::wstring saved = folder.file(L"saved.sss");
    const std::wstring unwritable = folder.file(L"no/such/folder/x.sss");
    std::wstring lookedUp;
    bool autoCalcOn = false, recalcEnabledWhileAuto = true, recalcEnabledAfter = false;
    const std::wstring withLookup = writeFile(
        L"lookup.sss", "gridsheet version=1\nsize cols=1 rows=1\ncell A1 formula=" +
                           formulatest::quoted(L"FROMTABLE(\"" + table + L"\",D2)") + "\n");
    winx::queueScript(
        winx::DialogScript()
            .forTemplate(CFormula::IDD)
            .call([](HWND dialog) { formulaOf(dialog)->spread().setCellData(7, 2, L"kept"); })
            .setText(1000, saved)
            .click(1001)
            .setText(1000, unwritable)
            .click(1001)
            .setText(1000, folder.file(L"missing.sss"))
            .click(1087)
            .setText(1000, withLookup)
            .click(1087)
            .click(1107)
            .call([&](HWND dialog) { lookedUp = dataIn(*formulaOf(dialog), 1, 1); })
            .click(1106)
            .call([&](HWND dialog) {
                CFormula& formula = *formulaOf(dialog);
                autoCalcOn = SSGetBool(formula.spread().GetSafeHwnd(), 7);
                recalcEnabledWhileAuto = formula.GetDlgItem(1107)->IsWindowEnabled();
            })
            .click(1106)
            .call([&](HWND dialog) {
                recalcEnabledAfter = formulaOf(dialog)->GetDlgItem(1107)->IsWindowEnabled();
            })
            .click(IDOK));
    closeLookupDialogs(); // the lookup that Recalculate runs
    CFormula dialog;
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(winx::pendingScripts(), 0u);

    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(saved)));
    EXPECT_TRUE(printedLine(L"Save failed\n"));
    EXPECT_TRUE(printedLine(L"Load failed\n"));
    EXPECT_EQ(lookedUp, L"S355") << "FROMTABLE is registered again after a load";
    EXPECT_TRUE(autoCalcOn);
    EXPECT_FALSE(recalcEnabledWhileAuto);
    EXPECT_TRUE(recalcEnabledAfter);

    // The saved sheet holds what the grid held.
    Trk_String first;
    Trk_StringArray headers;
    Trk_Array<Trk_StringArray> rows;
    ASSERT_TRUE(ReadSSFile(saved, first, headers, rows));
    ASSERT_GE(rows.length(), 2);
    EXPECT_EQ(rows[1][6], Trk_String(L"kept"));
}

} // namespace
