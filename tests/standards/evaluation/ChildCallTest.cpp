// Child calls: a calculation line CallChild("file", Var, ...) evaluates another sheet in a
// second pooled dialog and takes its outputs back.
#include "EvaluationTestSupport.h"

#include "standards/ChildCall.h"
#include "standards/KvCalcSS.h"

#include "trk/PathFunctions.h"

#include <string>

namespace evaltest {
namespace {

class ChildCallTest : public EvaluationTest {
protected:
    // Frame: Thickness in, Width and Height out; one child call line, then Height from Width.
    void frameSheet(const std::string& callLine) {
        sheet("Frame", 3, 12,
              {{"A1", "Input"},
               {"B2", "Double Thickness"},
               {"A3", "Output"},
               {"B4", "Double Width"},
               {"C4", "Double Height"},
               {"A6", "Calc"},
               {"A7", callLine},
               {"A8", "Height = Width + 1"}});
    }
    // A child with one input and one output: Out = In * factor (plus an optional extra line).
    void timesSheet(const std::string& name, const std::string& factor,
                    const std::string& subFolder = "Childs", const std::string& extraLine = "") {
        sheet(name, 3, 10,
              {{"A1", "Input"},
               {"B2", "Double In"},
               {"A3", "Output"},
               {"B4", "Double Out"},
               {"A6", "Calc"},
               {"A7", "Out = In * " + factor},
               {"A8", extraLine}},
              subFolder);
    }
    // Each call line, in a fresh frame, fails once and leaves `name` at `expected`.
    void expectEachCallFails(std::initializer_list<const char*> lines, const wchar_t* name,
                             double expected) {
        for (const char* line : lines) {
            winx::resetRecords();
            frameSheet(line);
            const KvDlgStandardsData result = runFrame();
            EXPECT_RESULT(valueOf(result, name), expected) << line;
            EXPECT_EQ(failedLineReports().size(), 1u) << line;
        }
        EXPECT_EQ(gSSDlgsMgr.dialogCount(), 1) << "no child was evaluated";
    }
    KvDlgStandardsData runFrame(bool expectOk = true) {
        KvDlgStandardsData request =
            childRequest(L"Frame", {passed(L"Thickness", KvCellType::Input, L"10"),
                                    passed(L"Width", KvCellType::Output, L"0"),
                                    passed(L"Height", KvCellType::Output, L"0")});
        EXPECT_EQ(StartDlgStandardsSS(request), expectOk);
        return request;
    }
};

TEST_F(ChildCallTest, TheChildTakesTheArgumentsByPositionAndItsOutputsComeBackToTheCaller) {
    timesSheet("Times3", "3");
    frameSheet("CallChild(\"Times3.kvs\", Thickness, Width)");
    const KvDlgStandardsData result = runFrame();
    EXPECT_RESULT(valueOf(result, L"Width"), 30.0);
    EXPECT_RESULT(valueOf(result, L"Height"), 31.0);
    EXPECT_RESULT(cellValue(calculatorOf(0), 2, 4), 30.0);
    EXPECT_EQ(gSSDlgsMgr.dialogCount(), 2);
    EXPECT_TRUE(allFree());
    EXPECT_TRUE(messages().empty());
}

TEST_F(ChildCallTest, TheChildFileIsFoundBesideTheCallerAndInEachStandardsFolder) {
    for (const std::string folder : {"", "Childs", "Data", "Parents"}) {
        const std::string name = "In" + (folder.empty() ? std::string("Standards") : folder);
        timesSheet(name, "2", folder);
        frameSheet("CallChild(" + name + ".kvs, Thickness, Width)");
        EXPECT_RESULT(valueOf(runFrame(), L"Width"), 20.0) << folder;
    }
    // A full path, with or without quotes.
    timesSheet("Full", "4", "Data");
    const std::wstring full = (library.standards() / "Data" / "Full.kvs").wstring();
    frameSheet("CallChild(\"" + std::string(full.begin(), full.end()) + "\", Thickness, Width)");
    EXPECT_RESULT(valueOf(runFrame(), L"Width"), 40.0);
    EXPECT_TRUE(failedLineReports().empty());
}

TEST_F(ChildCallTest, ANameWithALeadingBackslashIsFoundInTheCallersOwnFolder) {
    // The caller lives in a folder of its own that no other rule searches.
    std::filesystem::create_directories(library.standards() / "Custom");
    timesSheet("Sibling", "6", "Custom");
    timesSheet("Sibling", "9", "Childs");
    sheet("Frame", 3, 12,
          {{"A1", "Input"},
           {"B2", "Double Thickness"},
           {"A3", "Output"},
           {"B4", "Double Width"},
           {"C4", "Double Height"},
           {"A6", "Calc"},
           {"A7", "CallChild(\"\\Sibling.kvs\", Thickness, Width)"}},
          "Custom");
    KvDlgStandardsData request = childRequest(
        Trk_String((library.standards() / "Custom" / "Frame.kvs").wstring()),
        {passed(L"Thickness", KvCellType::Input, L"10"), passed(L"Width", KvCellType::Output, L"0"),
         passed(L"Height", KvCellType::Output, L"0")});
    ASSERT_TRUE(StartDlgStandardsSS(request));
    EXPECT_RESULT(valueOf(request, L"Width"), 60.0) << "the caller's folder before Childs";
    EXPECT_TRUE(failedLineReports().empty());
}

TEST_F(ChildCallTest, TheChildSeesTheCallersGeneralVariables) {
    timesSheet("Scaled", "gen_Factor");
    frameSheet("CallChild(\"Scaled.kvs\", Thickness, Width)");
    KvDlgStandardsData request =
        childRequest(L"Frame", {passed(L"Thickness", KvCellType::Input, L"10"),
                                passed(L"Width", KvCellType::Output, L"0"),
                                passed(L"Height", KvCellType::Output, L"0")});
    request.genVarNames = {L"gen_Factor"};
    request.genVarValues = {L"4"};
    ASSERT_TRUE(StartDlgStandardsSS(request));
    EXPECT_RESULT(valueOf(request, L"Width"), 40.0);
    EXPECT_TRUE(failedLineReports().empty());
}

TEST_F(ChildCallTest, ChildPathsResolveInTheDesignedOrderAndFoldersDoNotCount) {
    const std::filesystem::path root = library.standards();
    std::filesystem::create_directories(root / "Custom");
    const Trk_String caller((root / "Custom" / "Frame.kvs").wstring());
    const Trk_String standards = gSettings.libDir + L"Connection Standards\\";
    for (const char* folder : {"Custom", "", "Childs", "Data", "Parents"})
        writeFile(root / folder / "C.kvs", "x");
    std::filesystem::create_directories(root / "Custom" / "D.kvs");
    writeFile(root / "Childs" / "D.kvs", "x");

    EXPECT_EQ(resolveChildPath(L"\\C.kvs", caller), getPath(caller) + L"C.kvs");
    std::filesystem::remove(root / "Custom" / "C.kvs");
    EXPECT_EQ(resolveChildPath(L"C.kvs", caller), standards + L"C.kvs");
    std::filesystem::remove(root / "C.kvs");
    EXPECT_EQ(resolveChildPath(L"C.kvs", caller), standards + L"Childs\\C.kvs");
    std::filesystem::remove(root / "Childs" / "C.kvs");
    EXPECT_EQ(resolveChildPath(L"C.kvs", caller), standards + L"Data\\C.kvs");
    std::filesystem::remove(root / "Data" / "C.kvs");
    EXPECT_EQ(resolveChildPath(L"C.kvs", caller), standards + L"Parents\\C.kvs");
    std::filesystem::remove(root / "Parents" / "C.kvs");
    EXPECT_EQ(resolveChildPath(L"C.kvs", caller), L"C.kvs") << "the name itself, missing";
    EXPECT_EQ(resolveChildPath(L"D.kvs", caller), standards + L"Childs\\D.kvs")
        << "a folder beside the caller is no child";
    const Trk_String existing((root / "Childs" / "D.kvs").wstring());
    EXPECT_EQ(resolveChildPath(existing, caller), existing) << "an existing path is taken as it is";
}

TEST_F(ChildCallTest, TheVariableNameBeforeTheEqualsSignOfAChildCallIsIgnored) {
    timesSheet("Times3", "3");
    frameSheet("Height = CallChild(\"Times3.kvs\", Thickness, Width)");
    const KvDlgStandardsData result = runFrame();
    EXPECT_RESULT(valueOf(result, L"Width"), 30.0);
    EXPECT_RESULT(valueOf(result, L"Height"), 31.0);
}

TEST_F(ChildCallTest, AChildTwoLevelsDeepLeavesThreeFreeDialogsAndALaterRunReusesDialogZero) {
    timesSheet("Inner", "5");
    sheet("Middle", 3, 10,
          {{"A1", "Input"},
           {"B2", "Double In"},
           {"A3", "Output"},
           {"B4", "Double Out"},
           {"A6", "Calc"},
           {"A7", "CallChild(\"Inner.kvs\", In, Out)"},
           {"A8", "Out = Out + 1"}},
          "Childs");
    frameSheet("CallChild(\"Middle.kvs\", Thickness, Width)");
    const KvDlgStandardsData result = runFrame();
    EXPECT_RESULT(valueOf(result, L"Width"), 51.0);
    ASSERT_EQ(gSSDlgsMgr.dialogCount(), 3);
    EXPECT_TRUE(allFree());

    timesSheet("Alone", "2", "");
    KvDlgStandardsData alone = childRequest(
        L"Alone", {passed(L"a", KvCellType::Input, L"1"), passed(L"b", KvCellType::Output, L"")});
    ASSERT_TRUE(StartDlgStandardsSS(alone));
    EXPECT_EQ(calculatorOf(0).loadedPath, gSettings.libDir + L"Connection Standards\\Alone.kvs");
    EXPECT_EQ(gSSDlgsMgr.dialogCount(), 3);
    EXPECT_TRUE(allFree());
}

TEST_F(ChildCallTest, ThreeHundredEvaluationsKeepOneDialogPerNestingLevel) {
    timesSheet("Times3", "3");
    frameSheet("CallChild(\"Times3.kvs\", Thickness, Width)");
    for (int i = 0; i < 300; ++i) {
        KvDlgStandardsData request =
            childRequest(L"Frame", {passed(L"Thickness", KvCellType::Input, L"1"),
                                    passed(L"Width", KvCellType::Output, L"0"),
                                    passed(L"Height", KvCellType::Output, L"0")});
        ASSERT_TRUE(StartDlgStandardsSS(request));
        ASSERT_EQ(gSSDlgsMgr.dialogCount(), 2);
    }
    EXPECT_TRUE(allFree());
    EXPECT_EQ(KvCalcSS::evaluationDepth(), 0);
}

TEST_F(ChildCallTest, TheStageTimersCountTheirCalls) {
    timesSheet("Times3", "3");
    frameSheet("CallChild(\"Times3.kvs\", Thickness, Width)");
    const int loads = gLoadFile.callCount();
    const int children = gCalcChild.callCount();
    const int childCalls = gCalcCellCalcNativeFunctions.callCount();
    const int lines = gCalcCellSplitSymbol.callCount();
    const int formulas = gCalcCellCalcFunctions.callCount();
    const int coordNames = gCalcCellGetVarCoordName.callCount();
    const int registrations = gRegisterFuntions.callCount();
    const int mainCalcs = gCalcMain.callCount();
    runFrame();
    EXPECT_EQ(gLoadFile.callCount() - loads, 2);
    // The child's calculation runs inside the caller's: nested stages count once.
    EXPECT_EQ(gCalcChild.callCount() - children, 1);
    EXPECT_EQ(gRegisterFuntions.callCount() - registrations, 2);
    EXPECT_EQ(gCalcCellCalcNativeFunctions.callCount() - childCalls, 1);
    EXPECT_EQ(gCalcCellSplitSymbol.callCount() - lines, 3);      // two frame lines, one child
    EXPECT_EQ(gCalcCellCalcFunctions.callCount() - formulas, 2); // the two formula lines
    // One reference per variable for each formula line: 3 in the frame, 2 in the child.
    EXPECT_EQ(gCalcCellGetVarCoordName.callCount() - coordNames, 3 + 2);
    EXPECT_EQ(gCalcMain.callCount(), mainCalcs);
    EXPECT_FALSE(gLoadFile.isRunning());
}

// ---- Failing child calls --------------------------------------------------------------------

TEST_F(ChildCallTest, ACallOfItsOwnFileFailsTheLineWithoutNesting) {
    sheet("Frame", 3, 12,
          {{"A1", "Input"},
           {"B2", "Double Thickness"},
           {"A3", "Output"},
           {"B4", "Double Width"},
           {"C4", "Double Height"},
           {"A6", "Calc"},
           {"A7", "CallChild(\"Frame.kvs\", Thickness, Width)"},
           {"A8", "Width = 5"}});
    const KvDlgStandardsData result = runFrame();
    EXPECT_RESULT(valueOf(result, L"Width"), 5.0);
    EXPECT_EQ(gSSDlgsMgr.dialogCount(), 1);
    ASSERT_EQ(failedLineReports().size(), 1u);
    EXPECT_NE(failedLineReports()[0].find(L"\nCallChild(\"Frame.kvs\", Thickness, Width)\n"),
              std::wstring::npos);
}

TEST_F(ChildCallTest, SpreadsheetsCallingEachOtherStopAtTheNestingBound) {
    sheet("PingPong", 3, 10,
          {{"A1", "Input"},
           {"B2", "Double In"},
           {"A3", "Output"},
           {"B4", "Double Out"},
           {"C4", "Double Out2"},
           {"A6", "Calc"},
           {"A7", "Out = In * 1"},
           {"A8", "CallChild(\"Frame.kvs\", In, Out, Out2)"}});
    frameSheet("CallChild(\"PingPong.kvs\", Thickness, Width, Height)");
    const KvDlgStandardsData result = runFrame();
    EXPECT_RESULT(valueOf(result, L"Width"), 10.0);
    EXPECT_RESULT(valueOf(result, L"Height"), 11.0);
    EXPECT_EQ(gSSDlgsMgr.dialogCount(), kMaxEvaluationDepth);
    EXPECT_TRUE(allFree());
    EXPECT_EQ(KvCalcSS::evaluationDepth(), 0);
    // Only the line that would have gone one level deeper failed.
    ASSERT_EQ(failedLineReports().size(), 1u);
    EXPECT_NE(failedLineReports()[0].find(L"PingPong.kvs (line: 8)"), std::wstring::npos);
}

TEST_F(ChildCallTest, AnArgumentThatIsNoExactVariableNameFailsTheLine) {
    timesSheet("Times3", "3");
    expectEachCallFails({"CallChild(\"Times3.kvs\", Thickness, Depth)",
                         "CallChild(\"Times3.kvs\", thickness, Width)"},
                        L"Width", 0.0);
}

TEST_F(ChildCallTest, AMalformedCallOrAMissingChildFailsTheLine) {
    timesSheet("Times3", "3");
    expectEachCallFails(
        {"CallChild \"Times3.kvs\", Thickness, Width", "CallChild(\"Times3.kvs\", Thickness",
         "CallChild(\"Times3.kvs\")", "CallChild(\"Nowhere.kvs\", Thickness, Width)",
         "CallChild(\"Times3\", Thickness, Width)", "CallChild(\"Childs\", Thickness, Width)"},
        L"Height", 1.0);
}

TEST_F(ChildCallTest, AChildOutputGivenTheCallersInputFailsTheLineAndLeavesTheCaller) {
    sheet("OutOnly", 3, 10,
          {{"A1", "Input"},
           {"A3", "Output"},
           {"B4", "Double Out"},
           {"A6", "Calc"},
           {"A7", "Out = 99"}},
          "Childs");
    frameSheet("CallChild(\"OutOnly.kvs\", Thickness)");
    const KvDlgStandardsData result = runFrame();
    EXPECT_RESULT(valueOf(result, L"Thickness"), 10.0);
    EXPECT_RESULT(cellValue(calculatorOf(0), 2, 2), 10.0);
    EXPECT_EQ(failedLineReports().size(), 1u);
    EXPECT_TRUE(allFree());
}

TEST_F(ChildCallTest, OnlyTheCallersOutputsTakeTheChildsResults) {
    // The frame's local is passed to the child's output: the child computes it, but a local of
    // the caller does not take results back.
    timesSheet("Times3", "3");
    sheet("Frame", 3, 12,
          {{"A1", "Input"},
           {"B2", "Double Thickness"},
           {"A3", "Output"},
           {"B4", "Double Width"},
           {"A5", "Local"},
           {"B6", "Double Scratch"},
           {"A8", "Calc"},
           {"A9", "CallChild(\"Times3.kvs\", Thickness, Scratch)"},
           {"A10", "Width = Scratch + 1"}});
    KvDlgStandardsData request =
        childRequest(L"Frame", {passed(L"Thickness", KvCellType::Input, L"10"),
                                passed(L"Width", KvCellType::Output, L"0")});
    ASSERT_TRUE(StartDlgStandardsSS(request));
    EXPECT_RESULT(valueOf(request, L"Width"), 1.0);
    EXPECT_TRUE(failedLineReports().empty());
}

TEST_F(ChildCallTest, TheDeveloperEntryFailsWithoutItsTestSheetAndReleasesItsDialog) {
    EXPECT_FALSE(StartDlgStandardsSStest());
    EXPECT_TRUE(allFree());
}

TEST_F(ChildCallTest, TheHostDialogsGridTakesThePlaceOfItsPlaceholder) {
    timesSheet("Times3", "3");
    frameSheet("CallChild(\"Times3.kvs\", Thickness, Width)");
    runFrame();
    for (int i = 0; i < gSSDlgsMgr.dialogCount(); ++i) {
        KvCalcSS& calc = calculatorOf(i);
        EXPECT_TRUE(calc.isCreated());
        EXPECT_EQ(calc.gridControlId(), CDlgSSStandards::kGridPlaceholder);
        EXPECT_EQ(::GetParent(calc.GetSafeHwnd()), gSSDlgsMgr.dialogAt(i)->GetSafeHwnd());
    }
}

} // namespace
} // namespace evaltest
