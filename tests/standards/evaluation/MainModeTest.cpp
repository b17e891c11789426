// Main evaluations against a macro: values come from the macro's module group, the outputs go
// back into it, and nothing is written when the evaluation fails.
#include "EvaluationTestSupport.h"

#include "trk/MacroData.h"
#include "trk/Trk_Macro.h"

#include "dbtrans.h"

#include <memory>
#include <string>

namespace evaltest {
namespace {

class MainModeTest : public EvaluationTest {
protected:
    void SetUp() override {
        EvaluationTest::SetUp();
        auto module = std::make_unique<Trk_Module>();
        module->name = L"Plate1";
        module->groupName = L"Plate";
        module->constrVars.append({L"Thickness", 10.0, true, true});
        module->constrVars.append({L"Width", 0.0, true, false});
        macro.addModule(std::move(module));
        MacroTabData tab;
        tab.name = L"Plate";
        data.tabs.append(tab);
        ASSERT_EQ(request.initialize(&macro, L"Plate", L"Module.Plate", &data), eOk);
        request.transaction = &transaction;
    }
    void plateSheet(const std::string& line, bool withCalc = true) {
        std::vector<SheetCell> cells = {
            {"A1", "Input"}, {"B2", "Double Thickness"}, {"A3", "Output"}, {"B4", "Double Width"}};
        if (withCalc) {
            cells.push_back({"A6", "Calc"});
            cells.push_back({"A7", line});
        }
        sheet("Plate", 3, 10, cells);
    }
    double macroValue(const wchar_t* name) const {
        return macro.modules.front()->findConstrVar(name)->value;
    }

    Trk_DbMacro macro;
    MacroData data;
    AcTransaction transaction;
    KvDlgStandardsData request;
};

TEST_F(MainModeTest, TheOutputsAreComputedFromTheMacroAndWrittenBackIntoIt) {
    plateSheet("Width = Thickness * 2 + gen_Gap");
    request.genVarNames = {L"gen_Gap"};
    request.genVarValues = {L"1.5"};
    const int mainCalcs = gCalcMain.callCount();
    const int writes = gSetToMacro.callCount();
    const int reads = gSSSGetFromMacro.callCount();
    const int childCalcs = gCalcChild.callCount();
    ASSERT_TRUE(StartDlgStandardsSS(request));
    EXPECT_DOUBLE_EQ(macroValue(L"Width"), 10.0 * 2 + 1.5);
    EXPECT_DOUBLE_EQ(macroValue(L"Thickness"), 10.0);
    ASSERT_EQ(request.cells.length(), 2);
    EXPECT_EQ(request.cells[0].name, L"Thickness");
    EXPECT_RESULT(request.cells[0].value.str(), 10.0);
    EXPECT_EQ(request.cells[1].name, L"Width");
    EXPECT_RESULT(request.cells[1].value.str(), 21.5);
    EXPECT_EQ(gCalcMain.callCount() - mainCalcs, 1);
    EXPECT_EQ(gSetToMacro.callCount() - writes, 1);
    EXPECT_EQ(gSSSGetFromMacro.callCount() - reads, 1);
    EXPECT_EQ(gCalcChild.callCount(), childCalcs);
    EXPECT_TRUE(allFree());
    EXPECT_TRUE(messages().empty());
}

TEST_F(MainModeTest, ARequestWithoutTransactionOrMacroFailsBeforeAnythingIsRead) {
    plateSheet("Width = Thickness * 2");
    const int reads = gSSSGetFromMacro.callCount();
    const int declarations = gInitSSForInput.callCount();
    request.transaction = nullptr;
    EXPECT_FALSE(StartDlgStandardsSS(request));
    request.transaction = &transaction;
    request.macro = nullptr;
    EXPECT_FALSE(StartDlgStandardsSS(request));
    EXPECT_EQ(gSSSGetFromMacro.callCount(), reads);
    EXPECT_EQ(gInitSSForInput.callCount(), declarations);
    EXPECT_DOUBLE_EQ(macroValue(L"Width"), 0.0);
    EXPECT_EQ(request.cells.length(), 0);
    EXPECT_TRUE(allFree());
}

TEST_F(MainModeTest, AFailedEvaluationLeavesTheMacroAndTheRequestUntouched) {
    plateSheet("", false); // no "Calc"
    EXPECT_FALSE(StartDlgStandardsSS(request));
    EXPECT_DOUBLE_EQ(macroValue(L"Width"), 0.0);
    EXPECT_EQ(request.cells.length(), 0);
    EXPECT_EQ(request.spreadsheet, L"Plate");
    EXPECT_EQ(request.mode, 0);

    sheet("Plate", 3, 10, {{"A1", "Input"}, {"B2", "Double Thickness"}, {"A6", "Calc"}});
    EXPECT_FALSE(StartDlgStandardsSS(request)); // no "Output"
    EXPECT_DOUBLE_EQ(macroValue(L"Width"), 0.0);
    EXPECT_EQ(request.cells.length(), 0);
    EXPECT_TRUE(allFree());
}

TEST_F(MainModeTest, InitializeFillsAMainRequestAndRefusesAMissingMacroOrRecord) {
    KvDlgStandardsData fresh;
    fresh.mode = 1;
    EXPECT_EQ(fresh.initialize(nullptr, L"Plate", L"Module.Plate", &data), eInvalidInput);
    EXPECT_EQ(fresh.initialize(&macro, L"Plate", L"Module.Plate", nullptr), eInvalidInput);
    EXPECT_EQ(fresh.mode, 1);
    EXPECT_TRUE(fresh.spreadsheet.isEmpty());

    ASSERT_EQ(fresh.initialize(&macro, L"Plate", L"Module.Plate", &data), eOk);
    EXPECT_EQ(fresh.mode, 0);
    EXPECT_EQ(fresh.moduleGroup, L"Plate");
    EXPECT_EQ(fresh.mappingKey, L"Module.Plate");
    EXPECT_EQ(fresh.macro, &macro);
    EXPECT_EQ(fresh.macroData, &data);
    EXPECT_EQ(fresh.transaction, nullptr);

    ASSERT_EQ(fresh.initialize(&macro, L"Plate", L"Left", &data), eOk);
    EXPECT_TRUE(fresh.moduleGroup.isEmpty());
}

} // namespace
} // namespace evaltest
