#include "MappingTestSupport.h"

#include "standards/StandardsTimers.h"

namespace mappingtest {
namespace {

class ObjectValueTest : public MappingTest {
public:
    ErrorStatus getValue(KvObjectMap object, Trk_String& value) { return get(object, value); }
};

Trk_String valueOf(ObjectValueTest& test, KvMapType type, const wchar_t* owner,
                   const wchar_t* name) {
    Trk_String value = L"unset";
    EXPECT_EQ(test.getValue(object(type, owner, name, L"V"), value), eOk);
    return value;
}

TEST_F(ObjectValueTest, ModuleObjectsReadAndWriteThroughTheModulesOfTheirGroup) {
    EXPECT_EQ(valueOf(*this, KvMapType::Distance, L"EndPlate", L"T"), L"10");
    EXPECT_EQ(valueOf(*this, KvMapType::Distance, L"EndPlate", L"Pitch"), L"70");
    EXPECT_EQ(valueOf(*this, KvMapType::CutOffset, L"EndPlate", L"Cut1"), L"5");
    EXPECT_EQ(valueOf(*this, KvMapType::CutRadius, L"EndPlate", L"Cut1"), L"3");
    EXPECT_EQ(valueOf(*this, KvMapType::PatternNrBolts1, L"EndPlate", L"P1"), L"3");
    EXPECT_EQ(valueOf(*this, KvMapType::PatternNrBolts2, L"EndPlate", L"P1"), L"2");
    EXPECT_EQ(valueOf(*this, KvMapType::BoltsDiameter, L"EndPlate", L""), L"20");
    EXPECT_EQ(valueOf(*this, KvMapType::BoltsHoleOffset, L"EndPlate", L""), L"2");
    EXPECT_EQ(valueOf(*this, KvMapType::OwnedMemberName, L"Beam1", L"Rafter"), L"R1");

    ASSERT_EQ(put(object(KvMapType::Distance, L"EndPlate", L"T", L"V"), L"12.5"), eOk);
    EXPECT_EQ(module(L"Plate1")->findConstrVar(L"T")->value, 12.5);
    ASSERT_EQ(put(object(KvMapType::CutRadius, L"EndPlate", L"Cut1", L"V"), L"4.25"), eOk);
    EXPECT_EQ(valueOf(*this, KvMapType::CutRadius, L"EndPlate", L"Cut1"), L"4.25");
    ASSERT_EQ(put(object(KvMapType::PatternNrBolts1, L"EndPlate", L"P1", L"V"), L"4"), eOk);
    EXPECT_EQ(data.tabs[0].patterns[0].nrBolts[0], L"4");
    ASSERT_EQ(put(object(KvMapType::BoltsDiameter, L"EndPlate", L"", L"V"), L"24"), eOk);
    EXPECT_EQ(data.tabs[0].boltData.diameter, L"24");
    ASSERT_EQ(put(object(KvMapType::OwnedMemberName, L"Beam1", L"Rafter", L"V"), L"R2"), eOk);
    EXPECT_EQ(data.tabs[1].profGroups[0].memberName, L"R2");
}

TEST_F(ObjectValueTest, AModuleObjectThatNoModuleOfItsOwnerHasFailsAndLeavesTheValue) {
    Trk_String value = L"unset";
    EXPECT_EQ(get(object(KvMapType::CutPolyOffset, L"EndPlate", L"Cut1", L"V"), value),
              eInvalidInput)
        << "Cut1 has no offset of kind 1";
    EXPECT_EQ(get(object(KvMapType::Distance, L"EndPlate", L"Missing", L"V"), value),
              eInvalidInput);
    EXPECT_EQ(get(object(KvMapType::PatternNrBolts1, L"EndPlate", L"P9", L"V"), value),
              eInvalidInput);
    EXPECT_EQ(value, L"unset");
    EXPECT_EQ(put(object(KvMapType::Distance, L"EndPlate", L"Missing", L"V"), L"1"), eInvalidInput);
    EXPECT_EQ(put(object(KvMapType::Distance, L"EndPlate", L"T", L"V"), L"thick"), eInvalidInput)
        << "a text that is no number is refused by the module";
    EXPECT_EQ(module(L"Plate1")->findConstrVar(L"T")->value, 10.0);
}

TEST_F(ObjectValueTest, AnOutputTheGridCouldNotComputeNeverReachesTheMacro) {
    for (const KvMapType type : {KvMapType::CutOffset, KvMapType::BoltsDiameter})
        EXPECT_EQ(put(object(type, L"EndPlate", type == KvMapType::CutOffset ? L"Cut1" : L"", L"V"),
                      L"#VALUE!"),
                  eInvalidInput);
    EXPECT_EQ(put(object(KvMapType::GenVar, L"", L"gen_Gap", L"V"), L"#N/A"), eInvalidInput);
    EXPECT_EQ(put(object(KvMapType::CutRadius, L"EndPlate", L"Cut1", L"V"), L"#DIV/0!"),
              eInvalidInput);
    EXPECT_EQ(valueOf(*this, KvMapType::CutOffset, L"EndPlate", L"Cut1"), L"5");
    EXPECT_EQ(data.tabs[0].boltData.diameter, L"20");
    EXPECT_EQ(valueOf(*this, KvMapType::GenVar, L"", L"gen_Gap"), L"12.5");
}

TEST_F(ObjectValueTest, ReadingAReverseStartFlagAndWritingItBackKeepsTheFlag) {
    EXPECT_EQ(valueOf(*this, KvMapType::PatternReverseStart1, L"EndPlate", L"P1"), L"0")
        << "a reversed direction reads 0";
    EXPECT_EQ(valueOf(*this, KvMapType::PatternReverseStart2, L"EndPlate", L"P1"), L"1");
    for (KvMapType type : {KvMapType::PatternReverseStart1, KvMapType::PatternReverseStart2}) {
        const Trk_String before = valueOf(*this, type, L"EndPlate", L"P1");
        ASSERT_EQ(put(object(type, L"EndPlate", L"P1", L"V"), before.c_str()), eOk);
        EXPECT_EQ(valueOf(*this, type, L"EndPlate", L"P1"), before);
    }
    EXPECT_TRUE(bolts().patterns[0].reverses[0]);
    EXPECT_FALSE(bolts().patterns[0].reverses[1]);

    ASSERT_EQ(put(object(KvMapType::PatternReverseStart1, L"EndPlate", L"P1", L"V"), L"1"), eOk);
    EXPECT_FALSE(bolts().patterns[0].reverses[0]);
    ASSERT_EQ(put(object(KvMapType::PatternReverseStart2, L"EndPlate", L"P1", L"V"), L"0"), eOk);
    EXPECT_TRUE(bolts().patterns[0].reverses[1]);
}

TEST_F(ObjectValueTest, GeneralVariablesReadWithPrecisionEightAndAnUnknownOneFails) {
    EXPECT_EQ(valueOf(*this, KvMapType::GenVar, L"", L"gen_Edge"), L"0.12345679");
    EXPECT_EQ(valueOf(*this, KvMapType::GenVar, L"", L"GEN_GAP"), L"12.5")
        << "the name is matched ignoring case";
    ASSERT_EQ(put(object(KvMapType::GenVar, L"", L"gen_gap", L"V"), L"7.5mm"), eOk);
    EXPECT_EQ(generalVariableValue(&macro, L"gen_Gap"), 7.5) << "the leading number is written";

    Trk_String value = L"unset";
    EXPECT_EQ(get(object(KvMapType::GenVar, L"", L"gen_Missing", L"V"), value), eInvalidInput)
        << "an unknown variable is not read as 0";
    EXPECT_EQ(value, L"unset");
    EXPECT_EQ(put(object(KvMapType::GenVar, L"", L"gen_Missing", L"V"), L"1"), eInvalidInput);
}

TEST_F(ObjectValueTest, BaseSectionsReadTheirSectionNameAndTableValuesOnly) {
    EXPECT_EQ(valueOf(*this, KvMapType::PrPlName, L"", L"Prof1"), L"HEA-200");
    EXPECT_EQ(valueOf(*this, KvMapType::PrPlMaterial, L"", L"Prof0"), L"IPE-300")
        << "the material type reads the section name";
    EXPECT_EQ(valueOf(*this, KvMapType::MemberSectionSize, L"", L"Prof0;1"), L"150");
    EXPECT_EQ(valueOf(*this, KvMapType::MemberSectionSize, L"", L"Prof1;0"), L"190");

    Trk_String value;
    EXPECT_EQ(get(object(KvMapType::PrPlName, L"", L"Prof7", L"V"), value), eInvalidInput);
    EXPECT_EQ(get(object(KvMapType::PrPlName, L"", L"ProfX", L"V"), value), eInvalidInput);
    EXPECT_EQ(get(object(KvMapType::PrPlName, L"", L"Base0", L"V"), value), eInvalidInput);
    EXPECT_EQ(put(object(KvMapType::PrPlName, L"", L"Prof0", L"V"), L"HEB-300"), eInvalidInput);
    EXPECT_EQ(put(object(KvMapType::PrPlMaterial, L"", L"Prof0", L"V"), L"S355"), eInvalidInput);
    EXPECT_EQ(put(object(KvMapType::MemberSectionSize, L"", L"Prof0;0", L"V"), L"1"),
              eInvalidInput);
}

TEST_F(ObjectValueTest, AnUnknownOwnerOrNoMacroFails) {
    Trk_String value;
    EXPECT_EQ(get(object(KvMapType::Distance, L"Plate1", L"T", L"V"), value), eInvalidInput)
        << "a module of a group is addressed by its group";
    EXPECT_EQ(get(object(KvMapType::Distance, L"Nowhere", L"T", L"V"), value), eInvalidInput);
    KvObjectMap distance = object(KvMapType::Distance, L"EndPlate", L"T", L"V");
    EXPECT_EQ(distance.getMacroVarValue(nullptr, &data, value, nullptr), eInvalidInput);
}

// ---- Group mode -----------------------------------------------------------------------------

class GroupModeTest : public MappingTest {
protected:
    void SetUp() override {
        MappingTest::SetUp();
        useGroup(L"EndPlate");
    }
    void useGroup(const wchar_t* group) {
        request.moduleGroup = group;
        request.mappingKey = Trk_String(L"Module.") + group;
        ASSERT_EQ(mapping.initFromModuleGroup(group), eOk);
    }
    Trk_String read(const wchar_t* ssVar, KvValueType type) {
        Trk_String value = L"unset";
        EXPECT_EQ(mapping.getMacroVarValue(ssVar, type, value, request), eOk) << ssVar;
        return value;
    }
    bool fails(const wchar_t* ssVar, KvValueType type) {
        Trk_String value;
        return mapping.getMacroVarValue(ssVar, type, value, request) == eInvalidInput;
    }

    KvSSMapping mapping;
};

TEST_F(GroupModeTest, NamesAddressTheObjectsOfTheGroupsModules) {
    EXPECT_EQ(mapping.mode, KvSSMapping::kGroupMode);
    EXPECT_EQ(read(L"T", KvValueType::Double), L"10");
    EXPECT_EQ(read(L"Pitch", KvValueType::Int), L"70") << "found in the second module";
    EXPECT_EQ(read(L"Cut1.Cut", KvValueType::Double), L"5");
    EXPECT_EQ(read(L"Cut1.CutRadius", KvValueType::Double), L"3");
    EXPECT_EQ(read(L"Any.Diameter", KvValueType::Double), L"20");
    EXPECT_EQ(read(L"Any.HoleOffset", KvValueType::Double), L"2");
    EXPECT_EQ(read(L"P1.NrBolts2", KvValueType::String), L"2");
    EXPECT_EQ(read(L"P1.NrBolts1", KvValueType::Double), L"3");
    EXPECT_EQ(read(L"P1.ReverseStart1", KvValueType::Int), L"0");
    EXPECT_EQ(read(L"P1.ReverseStart2", KvValueType::Int), L"1");
    EXPECT_TRUE(fails(L"T", KvValueType::String)) << "text names need a text rule";
    EXPECT_TRUE(fails(L"Cut1.CutPoly", KvValueType::Double));
    EXPECT_TRUE(fails(L"Missing", KvValueType::Double));
}

TEST_F(GroupModeTest, EveryCutSuffixAndEveryCutTypeAddressesItsOwnOffsetKind) {
    Trk_Cut* cut = module(L"Plate1")->findCut(L"Cut1");
    ASSERT_NE(cut, nullptr);
    cut->offsets.removeAll();
    for (int kind = 0; kind <= 8; ++kind)
        cut->offsets.append(Trk_CutOffset{kind, kind + 0.25});
    const wchar_t* suffixes[] = {L".Cut",       L".CutPoly",   L".CutLength",
                                 L".CutCenter", L".CutInside", L".CutOutside",
                                 L".Chamfer1",  L".Chamfer2",  L".CutRadius"};
    for (int kind = 0; kind <= 8; ++kind) {
        const std::wstring expected = std::to_wstring(kind) + L".25";
        const std::wstring name = L"Cut1" + std::wstring(suffixes[kind]);
        EXPECT_EQ(read(name.c_str(), KvValueType::Double), expected) << name;
        const auto type = static_cast<KvMapType>(static_cast<int>(KvMapType::CutOffset) + kind);
        Trk_String value;
        ASSERT_EQ(object(type, L"EndPlate", L"Cut1", L"V")
                      .getMacroVarValue(&macro, &data, value, nullptr),
                  eOk)
            << kind;
        EXPECT_EQ(value, expected) << mapTypeWord(type);
    }
}

TEST_F(GroupModeTest, GeneralVariablesReadWithPrecisionFourThroughGenDot) {
    EXPECT_EQ(read(L"gen.Gap", KvValueType::Double), L"12.5");
    EXPECT_EQ(read(L"gen.Edge", KvValueType::Double), L"0.1235");
    EXPECT_EQ(read(L"gen.EDGE", KvValueType::Int), L"0.1235") << "matched ignoring case";
    EXPECT_TRUE(fails(L"gen.Missing", KvValueType::Double));
    EXPECT_TRUE(fails(L"gen.Gap", KvValueType::String)) << "text variables are no gen. names";
    Trk_String value = L"3.5";
    ASSERT_EQ(mapping.setMacroVarValue(L"gen.Gap", KvValueType::Int, value, request), eInvalidInput)
        << "group writes report no object";
    EXPECT_EQ(generalVariableValue(&macro, L"gen_Gap"), 3.5);
}

TEST_F(GroupModeTest, SectionModulesAnswerNameMaterialAndMemberName) {
    useGroup(L"Beam1");
    EXPECT_EQ(read(L"Rafter.Name", KvValueType::String), L"IPE-300");
    EXPECT_EQ(read(L"Rafter.Material", KvValueType::String), L"S355");
    EXPECT_EQ(read(L"Rafter.MemberName", KvValueType::String), L"R1");
    EXPECT_TRUE(fails(L"Other.Name", KvValueType::String));
    Trk_String value = L"R9";
    (void)mapping.setMacroVarValue(L"Rafter.MemberName", KvValueType::String, value, request);
    EXPECT_EQ(data.tabs[1].profGroups[0].memberName, L"R9");
}

TEST_F(GroupModeTest, WritesGoToEveryModuleAndThenToAMatchingObject) {
    Trk_String value = L"15";
    EXPECT_EQ(mapping.setMacroVarValue(L"T", KvValueType::Double, value, request), eInvalidInput);
    EXPECT_EQ(module(L"Plate1")->findConstrVar(L"T")->value, 15.0);
    value = L"1";
    (void)mapping.setMacroVarValue(L"P1.ReverseStart1", KvValueType::Int, value, request);
    EXPECT_FALSE(bolts().patterns[0].reverses[0]);

    mapping.objects.append(object(KvMapType::Distance, L"EndPlate", L"W", L"T"));
    value = L"230";
    EXPECT_EQ(mapping.setMacroVarValue(L"T", KvValueType::Double, value, request), eOk);
    EXPECT_EQ(module(L"Plate1")->findConstrVar(L"W")->value, 230.0);
}

TEST_F(GroupModeTest, AGroupOrRequestWithoutMacroFails) {
    KvSSMapping other;
    EXPECT_EQ(other.initFromModuleGroup(L""), eInvalidInput);
    EXPECT_EQ(other.mode, KvSSMapping::kNone);
    request.macro = nullptr;
    EXPECT_TRUE(fails(L"T", KvValueType::Double));
}

// ---- File mode ------------------------------------------------------------------------------

TEST_F(MappingTest, FileModeReadsGeneralVariablesWithPrecisionEight) {
    KvSSMapping stored;
    stored.objects = {object(KvMapType::GenVar, L"", L"gen_Edge", L"Edge"),
                      object(KvMapType::Distance, L"EndPlate", L"T", L"Thick")};
    Trk_String key = L"Left";
    ASSERT_EQ(stored.setMappingToFile(L"EndPlate", key), eOk);

    KvSSMapping mapping;
    ASSERT_EQ(mapping.initFromMacro(request), eOk);
    EXPECT_EQ(mapping.mode, KvSSMapping::kFileMode);
    Trk_String value;
    ASSERT_EQ(mapping.getMacroVarValue(L"Edge", KvValueType::Double, value, request), eOk);
    EXPECT_EQ(value, L"0.12345679");
    EXPECT_EQ(mapping.getMacroVarValue(L"Edge", KvValueType::Int, value, request), eInvalidInput);
    value = L"11";
    ASSERT_EQ(mapping.setMacroVarValue(L"thick", KvValueType::Double, value, request), eOk);
    EXPECT_EQ(module(L"Plate1")->findConstrVar(L"T")->value, 11.0);

    request.moduleGroup = L"EndPlate";
    EXPECT_EQ(mapping.initFromMacro(request), eInvalidInput);
    request.moduleGroup = L"";
    request.macro = nullptr;
    EXPECT_EQ(mapping.initFromMacro(request), eInvalidInput);
}

// ---- All objects of a macro -----------------------------------------------------------------

std::vector<std::wstring> describe(const KvSSMapping& mapping) {
    std::vector<std::wstring> out;
    for (const KvObjectMap& object : mapping.objects)
        out.push_back(textOf(object) + L"|" + std::to_wstring(object.category) +
                      (object.columnName.isEmpty() ? L"" : L"|" + object.columnName.str()));
    return out;
}

TEST_F(MappingTest, AllVariablesOfTheMacroComeInModuleBaseSectionGeneralOrder) {
    KvSSMapping mapping;
    mapping.objects.append(object(KvMapType::Distance, L"Kept", L"K", L"K"));
    ASSERT_EQ(mapping.initAllVarsFromMacro(&macro, nullptr), eOk);
    const std::wstring b = L"\u2022";
    const std::vector<std::wstring> expected = {
        L"Kept" + b + L"Distance K|3",
        L"EndPlate" + b + L"Distance T|0",
        L"EndPlate" + b + L"Distance W|1",
        L"EndPlate" + b + L"Distance X|2",
        L"EndPlate" + b + L"Distance Y|3",
        L"EndPlate" + b + L"CutOffset Cut1|0",
        L"EndPlate" + b + L"CutRadius Cut1|0",
        L"EndPlate" + b + L"Distance Pitch|0",
        L"EndPlate" + b + L"BoltsDiameter |0",
        L"EndPlate" + b + L"BoltsHoleOffset |0",
        L"EndPlate" + b + L"PatternNrBolts1 P1|0",
        L"EndPlate" + b + L"PatternReverseStart1 P1|0",
        L"EndPlate" + b + L"PatternNrBolts2 P1|0",
        L"EndPlate" + b + L"PatternReverseStart2 P1|0",
        L"EndPlate" + b + L"PatternNrBolts1 P2|0",
        L"EndPlate" + b + L"PatternReverseStart1 P2|0",
        L"Beam1" + b + L"OwnedMemberName Rafter|0",
        b + L"PrPlName Prof0|0",
        b + L"PrPlMaterial Prof0|0",
        b + L"MemberSectionSize Prof0;0|0|h",
        b + L"MemberSectionSize Prof0;1|0|b",
        b + L"MemberSectionSize Prof0;2|0|tw",
        b + L"PrPlName Prof1|0",
        b + L"PrPlMaterial Prof1|0",
        b + L"MemberSectionSize Prof1;0|0|h",
        b + L"MemberSectionSize Prof1;1|0|b",
        b + L"GenVar gen_Gap|0",
        b + L"GenVar gen_Edge|0",
    };
    EXPECT_EQ(describe(mapping), expected);
    EXPECT_EQ(KvSSMapping().initAllVarsFromMacro(nullptr, nullptr), eInvalidInput);
}

TEST_F(MappingTest, ValidVariablesSplitIntoNumericAndText) {
    KvSSMapping mapping;
    mapping.objects = {object(KvMapType::Distance, L"A", L"T", L""),
                       object(KvMapType::PrPlName, L"", L"Prof0", L""),
                       object(KvMapType::None, L"A", L"T", L""),
                       object(KvMapType::PatternReverseStart1, L"A", L"P", L""),
                       object(KvMapType::PatternNrBolts1, L"A", L"P", L"")};
    AcArray<int> indices{9};
    ASSERT_EQ(mapping.getValidVars(true, KvValueType::Int, indices), eOk);
    EXPECT_EQ(indices, (AcArray<int>{0, 3}));
    ASSERT_EQ(mapping.getValidVars(false, KvValueType::String, indices), eOk);
    EXPECT_EQ(indices, (AcArray<int>{1, 4}));
}

TEST_F(MappingTest, SortingPutsEachIndexInTheGroupOfItsCategory) {
    KvSSMapping mapping;
    mapping.objects = {object(KvMapType::Distance, L"A", L"a", L"", 3),
                       object(KvMapType::Distance, L"A", L"b", L"", 0),
                       object(KvMapType::Distance, L"A", L"c", L"", 1)};
    AcArray<int> indices{0, 1, 2};
    ASSERT_EQ(mapping.sortValidVars(indices, AcArray<int>{0, 1}), eOk);
    EXPECT_EQ(indices, (AcArray<int>{-1, 1, -1, 0, 2}));

    indices = AcArray<int>{2, 0, 1};
    ASSERT_EQ(mapping.sortValidVars(indices, AcArray<int>{3, 1, 0}), eOk);
    EXPECT_EQ(indices, (AcArray<int>{-1, 0, -1, 2, -1, 1}));

    indices = AcArray<int>{0, 1};
    EXPECT_EQ(mapping.sortValidVars(indices, AcArray<int>()), eInvalidInput);
    EXPECT_TRUE(indices.isEmpty());
}

// ---- Values of a variable list --------------------------------------------------------------

class VariablesFromMacroTest : public MappingTest {
protected:
    void SetUp() override {
        MappingTest::SetUp();
        KvSSMapping stored;
        stored.objects = {object(KvMapType::Distance, L"EndPlate", L"T", L"Thick"),
                          object(KvMapType::Distance, L"EndPlate", L"W", L"Width")};
        Trk_String key = L"Left";
        ASSERT_EQ(stored.setMappingToFile(L"EndPlate", key), eOk);
        add(L"Thick", KvCellType::Input, L"old");
        add(L"Missing", KvCellType::Input, L"old");
        add(L"Width", KvCellType::Output, L"old");
        add(L"Bolts", KvCellType::Output, L"old");
        add(L"Tmp", KvCellType::Local, L"old");
        winx::resetRecords();
    }
    void add(const wchar_t* name, KvCellType kind, const wchar_t* value) {
        KvVarCell cell;
        cell.name = name;
        cell.kind = kind;
        cell.valueType = KvValueType::Double;
        cell.value = value;
        cells.append(cell);
    }
    std::vector<std::wstring> values() const {
        std::vector<std::wstring> out;
        for (int i = 0; i < cells.length(); ++i)
            out.push_back(cells[i].value.str());
        return out;
    }

    KvVarCells cells;
};

TEST_F(VariablesFromMacroTest, ValuesComeFromTheMacroAndEachFailureIsReported) {
    gSettings.current.showStandardsMessages = true;
    ASSERT_EQ(cells.getFromMacro(request), eOk);
    EXPECT_EQ(values(), (std::vector<std::wstring>{L"10", L"old", L"200", L"old", L""}));
    const auto boxes = winx::messageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, L"The following Input variable couldn't be retrieved : \nMissing\n"
                             L"Make sure the variable exists in the macro or module.\n"
                             L"Spreadsheet : EndPlate");
    EXPECT_EQ(boxes[1].text, L"The following Output variable couldn't be set : \nBolts\n"
                             L"Make sure the variable exists in the macro or module.\n"
                             L"Spreadsheet : EndPlate");
    EXPECT_EQ(boxes[0].flags & MB_ICONEXCLAMATION, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(cells.mapping().mode, KvSSMapping::kFileMode);
}

TEST_F(VariablesFromMacroTest, WithMessagesOffFailuresAreSilent) {
    gSettings.current.showStandardsMessages = false;
    ASSERT_EQ(cells.getFromMacro(request), eOk);
    EXPECT_EQ(values(), (std::vector<std::wstring>{L"10", L"old", L"200", L"old", L""}));
    EXPECT_TRUE(winx::messageBoxes().empty());
}

TEST_F(VariablesFromMacroTest, AMappingThatCannotBeSetUpKeepsEveryValue) {
    request.mappingKey = L"NoSuchKey";
    ASSERT_EQ(cells.getFromMacro(request), eOk);
    EXPECT_EQ(values(), (std::vector<std::wstring>(5, L"old")));
    EXPECT_TRUE(winx::messageBoxes().empty());

    request.macro = nullptr;
    EXPECT_EQ(cells.getFromMacro(request), eInvalidInput);
    EXPECT_EQ(values(), (std::vector<std::wstring>(5, L"old")));
}

TEST_F(VariablesFromMacroTest, AMappedObjectTheMacroLacksIsReportedAndKeepsTheValue) {
    KvSSMapping stored;
    stored.objects = {object(KvMapType::Distance, L"EndPlate", L"Gone", L"Thick")};
    Trk_String key = L"Ghost";
    ASSERT_EQ(stored.setMappingToFile(L"EndPlate", key), eOk);
    request.mappingKey = key;
    gSettings.current.showStandardsMessages = true;

    ASSERT_EQ(cells.getFromMacro(request), eOk);
    EXPECT_EQ(cells[0].value, L"old");
    const auto boxes = winx::messageBoxes();
    ASSERT_EQ(boxes.size(), 4u) << "every input and output fails";
    EXPECT_EQ(boxes[0].text, L"The following Input variable couldn't be retrieved : \nThick\n"
                             L"Make sure the variable exists in the macro or module.\n"
                             L"Spreadsheet : EndPlate");
}

TEST_F(VariablesFromMacroTest, AnEvaluationNeverWritesThroughTheMappingOfAnEarlierOne) {
    ASSERT_EQ(cells.getFromMacro(request), eOk);
    request.mappingKey = L"NoSuchKey";
    ASSERT_EQ(cells.getFromMacro(request), eOk);
    cells[2].value = L"250";
    EXPECT_EQ(cells.setToMacro(request), eOk);
    EXPECT_EQ(module(L"Plate1")->findConstrVar(L"W")->value, 200.0)
        << "a mapping that cannot be loaded leaves no object to write to";

    request.mappingKey = L"Left";
    ASSERT_EQ(cells.getFromMacro(request), eOk);
    ASSERT_EQ(cells.mapping().objects.length(), 2);
    request.moduleGroup = L"EndPlate";
    request.mappingKey = L"Module.EndPlate";
    ASSERT_EQ(cells.getFromMacro(request), eOk);
    EXPECT_EQ(cells.mapping().mode, KvSSMapping::kGroupMode);
    EXPECT_TRUE(cells.mapping().objects.isEmpty());
    cells[2].value = L"250";
    EXPECT_EQ(cells.setToMacro(request), eOk);
    EXPECT_EQ(module(L"Plate1")->findConstrVar(L"W")->value, 200.0)
        << "group mode has no constraint named Width";
}

TEST_F(VariablesFromMacroTest, SettingUpTheMappingAndReadingTheValuesAreTimedApart) {
    const int mappings = gInitMapping.callCount();
    const int reads = gInitFromMacro.callCount();
    ASSERT_EQ(cells.getFromMacro(request), eOk);
    EXPECT_EQ(gInitMapping.callCount(), mappings + 1);
    EXPECT_EQ(gInitFromMacro.callCount(), reads + 1);
    EXPECT_FALSE(gInitMapping.isRunning());
    EXPECT_FALSE(gInitFromMacro.isRunning());

    request.mappingKey = L"NoSuchKey";
    ASSERT_EQ(cells.getFromMacro(request), eOk);
    EXPECT_EQ(gInitMapping.callCount(), mappings + 2);
    EXPECT_EQ(gInitFromMacro.callCount(), reads + 1) << "no value is read";
}

TEST_F(VariablesFromMacroTest, OnlyOutputsAreWrittenToTheMacro) {
    ASSERT_EQ(cells.getFromMacro(request), eOk);
    cells[0].value = L"99";
    cells[2].value = L"250";
    EXPECT_EQ(cells.setToMacro(request), eOk);
    EXPECT_EQ(module(L"Plate1")->findConstrVar(L"T")->value, 10.0);
    EXPECT_EQ(module(L"Plate1")->findConstrVar(L"W")->value, 250.0);
}

} // namespace
} // namespace mappingtest
