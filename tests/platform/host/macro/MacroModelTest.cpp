#include "MacroTestSupport.h"

#include "platform/host/HostTestSupport.h"

#include <dbtrans.h>

#include <gtest/gtest.h>

#include <limits>

namespace {

class MacroModel : public ::testing::Test {
protected:
    MacroModel() {
        macrotest::fillMacro(macro);
        macrotest::fillRecord(record);
    }

    Trk_Module* module(const wchar_t* name) { return macro.findModule(name); }
    Trk_BoltModule* bolts() { return dynamic_cast<Trk_BoltModule*>(module(L"Bolts1")); }

    std::vector<std::wstring> groupNames(const wchar_t* group, ErrorStatus& status) {
        Trk_StringArray names;
        names.append(L"stale");
        status = getModNamesOfGroup(&macro, group, names);
        std::vector<std::wstring> result;
        for (const Trk_String& name : names)
            result.push_back(name.str());
        return result;
    }

    Trk_String varText(const wchar_t* moduleName, const wchar_t* varName) {
        Trk_String value;
        EXPECT_EQ(getSetConstrVarValue(module(moduleName), varName, value, true), eOk);
        return value;
    }

    Trk_DbMacro macro;
    MacroData record;
};

using Names = std::vector<std::wstring>;

TEST_F(MacroModel, ModulesOfAGroupComeInMacroOrderAndAnUngroupedModuleStandsForItself) {
    ErrorStatus status = eOk;
    EXPECT_EQ(groupNames(L"EndPlate", status), (Names{L"Plate1", L"Plate2", L"Bolts1"}));
    EXPECT_EQ(status, eOk);
    EXPECT_EQ(groupNames(L"Stiffener", status), Names{L"Stiffener"});
    EXPECT_EQ(status, eOk);
    EXPECT_EQ(groupNames(L"", status), Names{});
    EXPECT_EQ(status, eOk);
    groupNames(L"Unknown", status);
    EXPECT_EQ(status, eInvalidInput);
    groupNames(L"Plate1", status); // a grouped module is reached only through its group
    EXPECT_EQ(status, eInvalidInput);
    groupNames(L"endplate", status);
    EXPECT_EQ(status, eInvalidInput);
    Trk_StringArray names;
    EXPECT_EQ(getModNamesOfGroup(nullptr, L"EndPlate", names), eInvalidInput);
    ASSERT_EQ(getModuleNames(&macro, names), eOk);
    EXPECT_EQ(names.length(), 4);
    EXPECT_EQ(names[3], L"Stiffener");
    EXPECT_EQ(getModuleNames(nullptr, names), eInvalidInput);
}

TEST_F(MacroModel, OpeningAModuleChecksItsPositionInItsGroupAndTheTransaction) {
    Trk_Module* opened = nullptr;
    EXPECT_EQ(openModule(&macro, L"Plate2", 1, opened), eOk);
    EXPECT_EQ(opened, module(L"Plate2"));
    EXPECT_EQ(openModule(&macro, L"Bolts1", 2, opened), eOk);
    EXPECT_EQ(openModule(&macro, L"Stiffener", 0, opened), eOk);
    EXPECT_EQ(openModule(&macro, L"Plate2", -1, opened), eOk);
    EXPECT_EQ(openModule(&macro, L"Plate2", 0, opened), eInvalidInput);
    EXPECT_EQ(opened, nullptr);
    EXPECT_EQ(openModule(&macro, L"Stiffener", 1, opened), eInvalidInput);
    EXPECT_EQ(openModule(&macro, L"Unknown", 0, opened), eInvalidInput);
    EXPECT_EQ(openModule(nullptr, L"Plate1", 0, opened), eInvalidInput);

    AcTransaction* outer = actrTransactionManager->startTransaction();
    EXPECT_EQ(openModule(&macro, L"Plate1", 0, opened, outer), eOk);
    AcTransaction* inner = actrTransactionManager->startTransaction();
    EXPECT_EQ(openModule(&macro, L"Plate1", 0, opened, inner), eOk);
    EXPECT_EQ(openModule(&macro, L"Plate1", 0, opened, outer), eInvalidInput);
    EXPECT_EQ(actrTransactionManager->endTransaction(), Acad::eOk);
    EXPECT_EQ(actrTransactionManager->endTransaction(), Acad::eOk);
}

TEST_F(MacroModel, ConstraintVariablesReadAsTextAndRefuseTextThatIsNoNumber) {
    EXPECT_EQ(varText(L"Plate1", L"T"), L"20");
    EXPECT_EQ(varText(L"Plate1", L"Width"), L"0.1");
    Trk_String value = L" 12.5 ";
    EXPECT_EQ(getSetConstrVarValue(module(L"Plate1"), L"T", value, false), eOk);
    EXPECT_DOUBLE_EQ(module(L"Plate1")->findConstrVar(L"T")->value, 12.5);
    EXPECT_EQ(varText(L"Plate2", L"T"), L"15"); // the other plate keeps its own value

    value = L"12mm";
    EXPECT_EQ(getSetConstrVarValue(module(L"Plate1"), L"T", value, false), eInvalidInput);
    EXPECT_EQ(varText(L"Plate1", L"T"), L"12.5");
    EXPECT_EQ(getSetConstrVarValue(module(L"Plate1"), L"t", value, true), eInvalidInput);
    EXPECT_EQ(getSetConstrVarValue(nullptr, L"T", value, true), eInvalidInput);

    Trk_StringArray names;
    Trk_Array<bool> inDialog;
    Trk_Array<bool> driving;
    ASSERT_EQ(getDialogVariables(module(L"Plate1"), names, inDialog, driving), eOk);
    EXPECT_EQ(names, (Trk_StringArray{L"T", L"Width", L"Derived"}));
    EXPECT_EQ(inDialog, (Trk_Array<bool>{true, true, false}));
    EXPECT_EQ(driving, (Trk_Array<bool>{true, false, false}));
    EXPECT_EQ(getDialogVariables(nullptr, names, inDialog, driving), eInvalidInput);
}

TEST_F(MacroModel, CutOffsetsAreReadAndWrittenByKindAndAMissingKindFails) {
    Trk_Module* plate = module(L"Plate1");
    Trk_Cut* corner = nullptr;
    ASSERT_EQ(getCutConstraint(plate, L"Corner", corner), eOk);
    Trk_Array<int> kinds;
    ASSERT_EQ(getCutOffsets(corner, kinds), eOk);
    EXPECT_EQ(kinds, (Trk_Array<int>{0, 6, 8}));

    double value = 0;
    EXPECT_EQ(getSetCutValue(plate, corner, 6, value, true), eOk);
    EXPECT_DOUBLE_EQ(value, 12.5);
    value = 4.5;
    EXPECT_EQ(getSetCutValue(plate, corner, 8, value, false), eOk);
    value = 0;
    EXPECT_EQ(getSetCutValue(plate, corner, 8, value, true), eOk);
    EXPECT_DOUBLE_EQ(value, 4.5);

    // Error paths: a kind the cut lacks, a cut of another module, unknown names, null input.
    EXPECT_EQ(getSetCutValue(plate, corner, 2, value, true), eInvalidInput);
    EXPECT_EQ(getSetCutValue(plate, corner, 2, value, false), eInvalidInput);
    EXPECT_EQ(getSetCutValue(module(L"Plate2"), corner, 0, value, true), eInvalidInput);
    EXPECT_EQ(getCutConstraint(plate, L"Snipe", corner), eInvalidInput);
    EXPECT_EQ(corner, nullptr);
    EXPECT_EQ(getCutOffsets(nullptr, kinds), eInvalidInput);

    Trk_Array<Trk_Cut*> cuts;
    ASSERT_EQ(getCutConstraints(module(L"Stiffener"), cuts), eOk);
    ASSERT_EQ(cuts.length(), 1);
    EXPECT_EQ(cuts[0]->name, L"Snipe");
    EXPECT_EQ(getCutConstraints(nullptr, cuts), eInvalidInput);
}

TEST_F(MacroModel, BoltPatternsAreFoundByIdOrNameAndOnlyTwoDirectionPatternsHaveASecondFlag) {
    Trk_Array<int> ids;
    ASSERT_EQ(getPatternIds(bolts(), ids), eOk);
    EXPECT_EQ(ids, (Trk_Array<int>{7, 9}));
    Trk_BoltPattern* p2 = nullptr;
    ASSERT_EQ(getPattern(bolts(), 9, p2), eOk);
    EXPECT_EQ(p2->name, L"P2");
    Trk_BoltPattern* missing = nullptr;
    EXPECT_EQ(getPattern(bolts(), 8, missing), eInvalidInput);
    Trk_BoltPattern* p1 = nullptr;
    ASSERT_EQ(findPattern(bolts(), L"P1", p1), eOk);

    bool reversed = true;
    EXPECT_EQ(getSetBoltPatternReverses(bolts(), p1, true, true, reversed), eOk);
    EXPECT_FALSE(reversed);
    EXPECT_EQ(getSetBoltPatternReverses(bolts(), p1, false, true, reversed), eOk);
    EXPECT_TRUE(reversed);
    reversed = false;
    EXPECT_EQ(getSetBoltPatternReverses(bolts(), p1, false, false, reversed), eOk);
    EXPECT_FALSE(p1->reverses[1]);
    EXPECT_FALSE(p1->reverses[0]); // the first direction is left alone

    // Error paths: the second direction of a one-direction pattern, foreign or unknown patterns.
    reversed = true;
    EXPECT_EQ(getSetBoltPatternReverses(bolts(), p2, false, false, reversed), eInvalidInput);
    EXPECT_FALSE(p2->reverses[1]);
    EXPECT_EQ(getSetBoltPatternReverses(bolts(), p2, false, true, reversed), eInvalidInput);
    Trk_BoltPattern foreign = *p1;
    EXPECT_EQ(getSetBoltPatternReverses(bolts(), &foreign, true, true, reversed), eInvalidInput);
    EXPECT_EQ(findPattern(bolts(), L"p1", p1), eInvalidInput);
    EXPECT_EQ(p1, nullptr);
    EXPECT_EQ(getPatternIds(nullptr, ids), eInvalidInput);
}

TEST_F(MacroModel, SectionPlacementsAreFoundOnlyInSectionModules) {
    Trk_SectionPlacement* rib = nullptr;
    ASSERT_EQ(getNamedPrpl(module(L"Stiffener"), L"Rib", rib), eOk);
    Trk_String text;
    ASSERT_EQ(getSectionName(rib, text), eOk);
    EXPECT_EQ(text, L"FL-100x10");
    ASSERT_EQ(getMaterial(rib, text), eOk);
    EXPECT_EQ(text, L"S235");
    EXPECT_EQ(getNamedPrpl(module(L"Stiffener"), L"Web", rib), eInvalidInput);
    EXPECT_EQ(getNamedPrpl(module(L"Plate1"), L"Rib", rib), eInvalidInput);
    EXPECT_EQ(getNamedPrpl(nullptr, L"Rib", rib), eInvalidInput);
    EXPECT_EQ(getSectionName(static_cast<const Trk_SectionPlacement*>(nullptr), text),
              eInvalidInput);
    EXPECT_EQ(getMaterial(nullptr, text), eInvalidInput);
}

TEST_F(MacroModel, GeneralVariablesReadUnknownNamesAsZeroAndRefuseToSetThem) {
    Trk_StringArray names;
    ASSERT_EQ(getGeneralVariableNames(&macro, names), eOk);
    EXPECT_EQ(names, (Trk_StringArray{L"gen_Gap", L"gen_Weld"}));
    EXPECT_DOUBLE_EQ(generalVariableValue(&macro, L"gen_Gap"), 10.0);
    EXPECT_EQ(setGeneralVariable(&macro, L"gen_Gap", 12.0), eOk);
    EXPECT_DOUBLE_EQ(generalVariableValue(&macro, L"gen_Gap"), 12.0);
    EXPECT_EQ(generalVariableValue(&macro, L"gen_Missing"), 0.0);
    EXPECT_EQ(generalVariableValue(nullptr, L"gen_Gap"), 0.0);
    EXPECT_EQ(setGeneralVariable(&macro, L"gen_Missing", 1.0), eInvalidInput);
    EXPECT_EQ(macro.generalVariables.length(), 2);
    EXPECT_EQ(setGeneralVariable(nullptr, L"gen_Gap", 1.0), eInvalidInput);
    // A value no macro file can hold is refused, as for constraint variables and cuts.
    for (const double notFinite :
         {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()})
        EXPECT_EQ(setGeneralVariable(&macro, L"gen_Gap", notFinite), eInvalidInput);
    EXPECT_DOUBLE_EQ(generalVariableValue(&macro, L"gen_Gap"), 12.0);
}

TEST_F(MacroModel, BaseSectionIdsSurviveCopiesAndAreForgottenWithTheLastMacroHoldingThem) {
    Trk_Array<AcDbObjectId> ids;
    ASSERT_EQ(mapBaseProfIds(&macro, ids), eOk);
    ASSERT_EQ(ids.length(), 2);
    EXPECT_NE(ids[0], ids[1]);
    EXPECT_TRUE(ids[0].isValid());
    AcDbObjectId second;
    ASSERT_EQ(getBaseProf(&macro, 1, second), eOk);
    EXPECT_EQ(second, ids[1]);
    EXPECT_EQ(getBaseProf(&macro, 2, second), eInvalidInput);
    EXPECT_EQ(getBaseProf(&macro, -1, second), eInvalidInput);

    AcDbObjectId copiedId;
    {
        auto original = std::make_unique<Trk_DbMacro>();
        const AcDbObjectId id = original->addBaseSection(L"HEA-200", L"S275");
        EXPECT_NE(id, ids[0]);
        EXPECT_NE(id, ids[1]);
        Trk_DbMacro copy(*original);
        copiedId = copy.baseSections[0].id;
        EXPECT_EQ(copiedId, id);
        original.reset();
        Trk_String name;
        ASSERT_EQ(getSectionName(id, name), eOk);
        EXPECT_EQ(name, L"HEA-200");
        Trk_DbMacro moved(std::move(copy));
        ASSERT_EQ(getSectionName(id, name), eOk);
        EXPECT_EQ(name, L"HEA-200");
    }
    Trk_String name = L"unchanged";
    EXPECT_EQ(getSectionName(copiedId, name), eInvalidInput);
    EXPECT_EQ(name, L"unchanged");
    EXPECT_EQ(getSectionName(AcDbObjectId(), name), eInvalidInput);
    ASSERT_EQ(getSectionName(ids[0], name), eOk);
    EXPECT_EQ(name, L"HEB-300");
}

TEST_F(MacroModel, CopiesOfAMacroAreDeepAndKeepTheModuleKinds) {
    Trk_DbMacro copy(macro);
    ASSERT_EQ(copy.modules.size(), macro.modules.size());
    EXPECT_NE(copy.findModule(L"Plate1"), module(L"Plate1"));
    EXPECT_NE(dynamic_cast<Trk_BoltModule*>(copy.findModule(L"Bolts1")), nullptr);
    EXPECT_NE(dynamic_cast<Trk_ProfModule*>(copy.findModule(L"Stiffener")), nullptr);
    copy.findModule(L"Plate1")->constrVars[0].value = 99;
    EXPECT_EQ(varText(L"Plate1", L"T"), L"20");
    Trk_DbMacro assigned;
    assigned = copy;
    EXPECT_DOUBLE_EQ(assigned.findModule(L"Plate1")->constrVars[0].value, 99.0);
    EXPECT_EQ(assigned.baseSections.length(), 2);
    EXPECT_EQ(macro.addModule(nullptr), nullptr);
    EXPECT_EQ(macro.modules.size(), 4u);
}

TEST_F(MacroModel, TabsAreFoundByExactName) {
    int index = -1;
    ASSERT_EQ(record.findTab(L"Stiffener", index), eOk);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(record.getTab(index)->kind, 2);
    EXPECT_EQ(record.findTab(L"stiffener", index), eInvalidInput);
    EXPECT_EQ(record.getTab(2), nullptr);
    EXPECT_EQ(record.getTab(-1), nullptr);
    EXPECT_EQ(std::as_const(record).getTab(0)->name, L"EndPlate");
}

TEST_F(MacroModel, MergedSectionGroupPropertiesKeepOnlyWhatAllMembersShare) {
    MacroProfData props;
    ASSERT_EQ(record.getMergedPropsOfGroup(L"Ribs", L"", props), eOk);
    EXPECT_EQ(props.groupName, L"Ribs");
    EXPECT_EQ(props.memberName, L"");
    EXPECT_EQ(props.sectionName, L"");
    EXPECT_EQ(props.material, L"S235");
    ASSERT_EQ(record.getMergedPropsOfGroup(L"Ribs", L"Right", props), eOk);
    EXPECT_EQ(props.memberName, L"Right");
    EXPECT_EQ(props.sectionName, L"FL-120x10");

    MacroProfData change;
    change.material = L"S355";
    ASSERT_EQ(record.setMergedPropsOfGroup(L"Ribs", L"", change), eOk);
    ASSERT_EQ(record.getMergedPropsOfGroup(L"Ribs", L"", props), eOk);
    EXPECT_EQ(props.material, L"S355");
    EXPECT_EQ(record.tabs[1].profGroups[0].sectionName, L"FL-100x10"); // empty fields keep
    change.sectionName = L"FL-150x12";
    ASSERT_EQ(record.setMergedPropsOfGroup(L"Ribs", L"Left", change), eOk);
    EXPECT_EQ(record.tabs[1].profGroups[0].sectionName, L"FL-150x12");
    EXPECT_EQ(record.tabs[1].profGroups[1].sectionName, L"FL-120x10");

    // Error paths: no member matches; the out value and the record stay as they were.
    props.material = L"kept";
    EXPECT_EQ(record.getMergedPropsOfGroup(L"Webs", L"", props), eInvalidInput);
    EXPECT_EQ(record.getMergedPropsOfGroup(L"Ribs", L"Middle", props), eInvalidInput);
    EXPECT_EQ(props.material, L"kept");
    EXPECT_EQ(record.setMergedPropsOfGroup(L"Webs", L"", change), eInvalidInput);
}

TEST_F(MacroModel, BoltCountsAreReadAsTextAndSetOnlyAsCountsOfAtLeastOne) {
    MacroTabData* tab = record.getTab(0);
    Trk_String value;
    ASSERT_EQ(getSetNrBolts(tab, L"P1", value, true, true), eOk);
    EXPECT_EQ(value, L"3");
    ASSERT_EQ(getSetNrBolts(tab, L"P1", value, true, false), eOk);
    EXPECT_EQ(value, L"2");
    ASSERT_EQ(getSetNrBolts(tab, L"P2", value, true, false), eOk);
    EXPECT_EQ(value, L"");
    value = L" 5 ";
    ASSERT_EQ(getSetNrBolts(tab, L"P1", value, false, false), eOk);
    EXPECT_EQ(tab->findPattern(L"P1")->nrBolts[1], L"5");
    EXPECT_EQ(tab->findPattern(L"P1")->getCount(1), 5);
    EXPECT_EQ(tab->findPattern(L"P2")->getCount(1), -1);
    EXPECT_EQ(tab->findPattern(L"P2")->getCount(2), -1);
    value = L"3"; // P2 has one direction: a second count is not added
    EXPECT_EQ(getSetNrBolts(tab, L"P2", value, false, false), eInvalidInput);
    EXPECT_EQ(tab->findPattern(L"P2")->nrBolts[1], L"");
    EXPECT_EQ(getSetNrBolts(tab, L"P2", value, false, true), eOk);
    EXPECT_EQ(tab->findPattern(L"P2")->nrBolts[0], L"3");

    // Error paths: not a count, no tab, unknown pattern.
    for (const wchar_t* bad : {L"0", L"-2", L"2.5", L"many", L""}) {
        value = bad;
        EXPECT_EQ(getSetNrBolts(tab, L"P1", value, false, true), eInvalidInput) << bad;
    }
    EXPECT_EQ(tab->findPattern(L"P1")->nrBolts[0], L"3");
    EXPECT_EQ(getSetNrBolts(nullptr, L"P1", value, true, true), eInvalidInput);
    EXPECT_EQ(getSetNrBolts(tab, L"P3", value, true, true), eInvalidInput);
    EXPECT_EQ(tab->findPattern(L"P3"), nullptr);
}

} // namespace
