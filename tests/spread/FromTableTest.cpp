// FROMTABLE answered by a "Formulas" dialog that the user closes: the three call forms, the
// lookup rules, the sheet being evaluated, and the calls that give no value.
#include "FormulaTestSupport.h"

namespace {

using formulatest::FormulaTest;
using FromTable = FormulaTest;

CFormula* formulaOf(HWND dialog) {
    return dynamic_cast<CFormula*>(CWnd::FromHandlePermanent(dialog));
}

TEST_F(FromTable, FourArgumentsLookTheValueUpByCaptionsAndKeyWithoutRegardToCase) {
    useContextSheet();
    const std::wstring table = writeTable();

    const SSVALUE grade =
        call({textArg(table), textArg(L"size"), textArg(L"GRADE"), textArg(L"hea-100")});
    ASSERT_EQ(grade.Status, SS_VALUE_STATUS_OK);
    ASSERT_EQ(grade.Type, SS_VALUE_TYPE_STR);
    EXPECT_EQ(textOf(grade), L"S355");
    EXPECT_TRUE(printedLine(L"Result is string: S355\n"));

    // Number cells give doubles, computed when looked up; whole-number cells give longs.
    const SSVALUE weight =
        call({textArg(table), textArg(L"Size"), textArg(L"Weight"), textArg(L"HEA-100")});
    ASSERT_EQ(weight.Status, SS_VALUE_STATUS_OK);
    ASSERT_EQ(weight.Type, SS_VALUE_TYPE_DOUBLE);
    EXPECT_DOUBLE_EQ(weight.ValDouble, 22.4 * 2);
    EXPECT_TRUE(printedLine(L"Result is double: 44.800000\n"));

    const SSVALUE holes =
        call({textArg(table), textArg(L"Size"), textArg(L"Holes"), textArg(L"IPE-200")});
    ASSERT_EQ(holes.Status, SS_VALUE_STATUS_OK);
    ASSERT_EQ(holes.Type, SS_VALUE_TYPE_LONG);
    EXPECT_EQ(holes.ValLong, 4);
    EXPECT_TRUE(printedLine(L"Result is long: 4\n"));
    EXPECT_EQ(sheetBeingEvaluated(), &spread) << "the calling sheet is current again";
}

TEST_F(FromTable, KeysAreNumbersCutToWholeNumbersCellsOfTheCallingSheetOrThePreviousText) {
    useContextSheet();
    const std::wstring table = writeTable();

    // 300.7 is looked up as "300".
    SSVALUE found = call({textArg(table), textArg(L"Size"), textArg(L"Grade"), numberArg(300.7)});
    EXPECT_EQ(textOf(found), L"S275");

    // A cell reference stands for that cell's text in the calling sheet.
    set(2, 1, L"IPE-200");
    found = call({textArg(table), textArg(L"Size"), textArg(L"Grade"), cellArg(2, 1)});
    EXPECT_EQ(textOf(found), L"S235");

    // A range repeats the text before it: the value column is the key column here.
    found = call({textArg(table), textArg(L"Size"), rangeArg(), textArg(L"HEA-100")});
    EXPECT_EQ(textOf(found), L"HEA-100");

    // As the first key a range stands for empty text, which captions no column.
    found = call({textArg(table), rangeArg(), textArg(L"Grade"), textArg(L"HEA-100")});
    EXPECT_EQ(found.Status, SS_VALUE_STATUS_EMPTY);
}

TEST_F(FromTable, AMissingCaptionOrKeyGivesNoValueAndPrintsNoResult) {
    useContextSheet();
    const std::wstring table = writeTable();

    SSVALUE missing = call({textArg(table), textArg(L"Mass"), textArg(L"Grade"), textArg(L"x")});
    EXPECT_EQ(missing.Status, SS_VALUE_STATUS_EMPTY);
    missing = call({textArg(table), textArg(L"Size"), textArg(L"Mass"), textArg(L"IPE-200")});
    EXPECT_EQ(missing.Status, SS_VALUE_STATUS_EMPTY);
    missing = call({textArg(table), textArg(L"Size"), textArg(L"Grade"), textArg(L"UPN-80")});
    EXPECT_EQ(missing.Status, SS_VALUE_STATUS_EMPTY);

    EXPECT_FALSE(printedResultLine());
    // The only lines are the dialogs' own loading lines (they are given no file to load).
    for (const auto& line : acadx::printed())
        EXPECT_EQ(line, L"Loading spreadsheet:\n");
}

TEST_F(FromTable, TwoArgumentsReadTheTableCellTheReferenceNames) {
    useContextSheet();
    const std::wstring table = writeTable();

    const SSVALUE grade = call({textArg(table), cellArg(4, 1)});
    EXPECT_EQ(textOf(grade), L"S235");
    const SSVALUE weight = call({textArg(table), cellArg(2, 2)});
    ASSERT_EQ(weight.Type, SS_VALUE_TYPE_DOUBLE);
    EXPECT_DOUBLE_EQ(weight.ValDouble, 22.4 * 2);

    // The second argument must be a cell.
    const SSVALUE notACell = call({textArg(table), textArg(L"D1")});
    EXPECT_EQ(notACell.Status, SS_VALUE_STATUS_EMPTY);
}

TEST_F(FromTable, ThreeArgumentsWriteTheFoundTextIntoTheCallingSheetAndGiveNoValue) {
    useContextSheet();
    const std::wstring table = writeTable();

    const SSVALUE result = call({textArg(table), cellArg(4, 2), cellArg(3, 3)});
    EXPECT_EQ(result.Status, SS_VALUE_STATUS_EMPTY);
    EXPECT_EQ(data(3, 3), L"S355");
    EXPECT_FALSE(printedResultLine());

    // Without a cell to write into nothing is written.
    const SSVALUE nowhere = call({textArg(table), cellArg(4, 1), textArg(L"C3")});
    EXPECT_EQ(nowhere.Status, SS_VALUE_STATUS_EMPTY);
    EXPECT_EQ(data(3, 3), L"S355");
}

TEST_F(FromTable, ATableLookingIntoAnotherReadsItsReferencesFromItselfAndEveryoneIsRestored) {
    useContextSheet();
    const std::wstring inner = writeTable();
    // The outer table's B1 asks the inner table for the grade of the size in the outer A1.
    const std::wstring outer = writeFile(
        L"outer.sss", "gridsheet version=1\nsize cols=2 rows=1\ncell A1 text=\"HEA-100\"\n"
                      "cell B1 formula=" +
                          formulatest::quoted(L"FROMTABLE(" + std::wstring(L"\"") + inner +
                                              L"\",\"Size\",\"Grade\",A1)") +
                          "\n");
    set(1, 1, L"IPE-200"); // the calling sheet's A1 must not be the one read

    const SSVALUE result = call({textArg(outer), cellArg(2, 1)}, 2);
    EXPECT_EQ(textOf(result), L"S355");
    EXPECT_EQ(sheetBeingEvaluated(), &spread);
}

TEST_F(FromTable, TheLookupDialogShowsItsTableWithTheAnswerGivenUntilTheUserClosesIt) {
    useContextSheet();
    const std::wstring table = writeTable();
    SSVALUE args[] = {textArg(table), cellArg(3, 2)};
    SSVALUE result{};
    result.Status = SS_VALUE_STATUS_EMPTY;
    bool shownWithAnswer = false;
    std::wstring shownCell;
    winx::queueScript(winx::DialogScript()
                          .forTemplate(CFormula::IDD)
                          .call([&](HWND dialog) {
                              shownWithAnswer = IsWindowVisible(dialog) &&
                                                result.Status == SS_VALUE_STATUS_OK &&
                                                result.ValLong == 6;
                              Trk_String text;
                              formulaOf(dialog)->spread().getCellText(4, 2, 0, text);
                              shownCell = text.str();
                          })
                          .click(IDCANCEL));
    EXPECT_TRUE(FromTableCallback(&result, args, 2));
    EXPECT_EQ(winx::pendingScripts(), 0u) << "the dialog waited for the user";
    EXPECT_TRUE(shownWithAnswer);
    EXPECT_EQ(shownCell, L"S355") << "the looked-up table is on show";
    EXPECT_EQ(result.ValLong, 6) << "closing with Cancel keeps the answer";
}

// ---- Calls that give nothing ------------------------------------------------------------------

TEST_F(FromTable, WithoutASheetBeingEvaluatedTheResultIsLeftAsItWas) {
    const std::wstring table = writeTable();
    SSVALUE result{};
    result.Status = SS_VALUE_STATUS_OK;
    result.Type = SS_VALUE_TYPE_LONG;
    result.ValLong = 7;
    SSVALUE args[] = {textArg(table), cellArg(4, 1)};
    closeLookupDialogs();
    EXPECT_TRUE(FromTableCallback(&result, args, 2));
    EXPECT_EQ(result.Status, SS_VALUE_STATUS_OK);
    EXPECT_EQ(result.ValLong, 7);
    EXPECT_EQ(sheetBeingEvaluated(), nullptr);
}

TEST_F(FromTable, BadArgumentsOrAnUnreadableTableGiveNoValue) {
    useContextSheet();
    const std::wstring table = writeTable();

    SSVALUE failed = cellArg(4, 1);
    failed.Status = SS_VALUE_STATUS_ERROR;
    EXPECT_EQ(call({textArg(table), failed}).Status, SS_VALUE_STATUS_EMPTY);
    EXPECT_EQ(call({numberArg(1), cellArg(4, 1)}).Status, SS_VALUE_STATUS_EMPTY);
    EXPECT_EQ(call({textArg(folder.file(L"missing.sss")), cellArg(4, 1)}).Status,
              SS_VALUE_STATUS_EMPTY);
    const std::wstring broken = writeFile(L"broken.sss", "gridsheet version=1\ncel A1\n");
    EXPECT_EQ(call({textArg(broken), cellArg(1, 1)}).Status, SS_VALUE_STATUS_EMPTY);
    // A cell outside the table cannot be read.
    EXPECT_EQ(call({textArg(table), cellArg(40, 1)}).Status, SS_VALUE_STATUS_ERROR);
    EXPECT_FALSE(printedResultLine());
    EXPECT_EQ(sheetBeingEvaluated(), &spread);
}

TEST_F(FromTable, AFailedTextBlockIsReportedAndGivesAnErrorInsteadOfAValue) {
    useContextSheet();
    const std::wstring table = writeTable();
    SSVALUE args[] = {textArg(table), cellArg(4, 1)};
    SSVALUE result{};
    result.Status = SS_VALUE_STATUS_EMPTY;
    closeLookupDialogs();
    winx::failNextGlobalAllocs(1);
    EXPECT_TRUE(FromTableCallback(&result, args, 2));
    EXPECT_TRUE(printedLine(L"Reallocate failed\n"));
    EXPECT_EQ(result.Status, SS_VALUE_STATUS_ERROR);
    EXPECT_FALSE(printedResultLine());
}

TEST_F(FromTable, ATableThatLooksIntoItselfEndsInsteadOfNestingForever) {
    useContextSheet();
    const std::wstring self = folder.file(L"self.sss");
    // B1 looks up the value captioned V of key k in the same file, which is B1 again.
    writeFile(L"self.sss",
              "gridsheet version=1\nsize cols=2 rows=1\ncell A0 text=\"K\"\n"
              "cell B0 text=\"V\"\ncell A1 text=\"k\"\ncell B1 formula=" +
                  formulatest::quoted(L"FROMTABLE(\"" + self + L"\",\"K\",\"V\",\"k\")") + "\n");
    // Sixteen lookup dialogs nest; the call below the deepest opens none.
    const SSVALUE result = call({textArg(self), cellArg(2, 1)}, 16);
    // The deepest call gives nothing, so every level above reads an empty cell.
    EXPECT_EQ(result.Status, SS_VALUE_STATUS_OK);
    EXPECT_EQ(textOf(result), L"");
    const auto& lines = acadx::printed();
    const auto dialogs = std::count(lines.begin(), lines.end(), L"Loading spreadsheet:\n");
    EXPECT_EQ(dialogs, 16);
    EXPECT_EQ(sheetBeingEvaluated(), &spread);
    EXPECT_TRUE(winx::unattended().empty());
}

} // namespace
