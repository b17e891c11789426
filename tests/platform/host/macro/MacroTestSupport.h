// A realistic end-plate connection for the macro model tests: two plates and a bolt module in
// group "EndPlate", a section module without group, base sections, general variables, and
// the dialog record with a bolt tab and a section tab.
#pragma once

#include "trk/MacroData.h"
#include "trk/Trk_Macro.h"

namespace macrotest {

inline Trk_ConstrVar constrVar(const wchar_t* name, double value, bool inDialog, bool driving) {
    Trk_ConstrVar var;
    var.name = name;
    var.value = value;
    var.inDialog = inDialog;
    var.driving = driving;
    return var;
}

inline Trk_Cut cut(const wchar_t* name, std::initializer_list<Trk_CutOffset> offsets) {
    Trk_Cut result;
    result.name = name;
    for (const Trk_CutOffset& offset : offsets)
        result.offsets.append(offset);
    return result;
}

inline Trk_BoltPattern pattern(int id, const wchar_t* name, bool twoDirections, bool reverse1,
                               bool reverse2) {
    Trk_BoltPattern result;
    result.id = id;
    result.name = name;
    result.hasSecondDirection = twoDirections;
    result.reverses[0] = reverse1;
    result.reverses[1] = reverse2;
    return result;
}

inline void addPlate(Trk_DbMacro& macro, const wchar_t* name, double thickness) {
    auto plate = std::make_unique<Trk_Module>();
    plate->name = name;
    plate->groupName = L"EndPlate";
    plate->constrVars.append(constrVar(L"T", thickness, true, true));
    plate->constrVars.append(constrVar(L"Width", 0.1, true, false));
    plate->constrVars.append(constrVar(L"Derived", -1e-7, false, false));
    plate->cuts.append(cut(L"Corner", {{0, 5.0}, {6, 12.5}, {8, -3.25}}));
    macro.addModule(std::move(plate));
}

inline void addBolts(Trk_DbMacro& macro) {
    auto bolts = std::make_unique<Trk_BoltModule>();
    bolts->name = L"Bolts1";
    bolts->groupName = L"EndPlate";
    bolts->constrVars.append(constrVar(L"Pitch", 70, true, true));
    bolts->patterns.append(pattern(7, L"P1", true, false, true));
    bolts->patterns.append(pattern(9, L"P2", false, true, false));
    macro.addModule(std::move(bolts));
}

inline void addStiffeners(Trk_DbMacro& macro) {
    auto stiffeners = std::make_unique<Trk_ProfModule>();
    stiffeners->name = L"Stiffener";
    Trk_SectionPlacement placement;
    placement.name = L"Rib";
    placement.sectionName = L"FL-100x10";
    placement.material = L"S235";
    stiffeners->placements.append(placement);
    stiffeners->cuts.append(cut(L"Snipe", {{3, 15.0}, {1, 2.0}}));
    macro.addModule(std::move(stiffeners));
}

inline void fillMacro(Trk_DbMacro& macro) {
    macro.name = L"EndPlate \u00c4\"quoted\"\n";
    macro.generalVariables.append(Trk_GeneralVariable{L"gen_Gap", 10.0});
    macro.generalVariables.append(Trk_GeneralVariable{L"gen_Weld", 1.0 / 3.0});
    macro.addBaseSection(L"HEB-300", L"S355");
    macro.addBaseSection(L"IPE-300", L"S235");
    addPlate(macro, L"Plate1", 20);
    addPlate(macro, L"Plate2", 15);
    addBolts(macro);
    addStiffeners(macro);
}

inline MacroProfData profMember(const wchar_t* group, const wchar_t* member, const wchar_t* section,
                                const wchar_t* material) {
    MacroProfData result;
    result.groupName = group;
    result.memberName = member;
    result.sectionName = section;
    result.material = material;
    return result;
}

inline MacroTabData boltTab() {
    MacroTabData tab;
    tab.name = L"EndPlate";
    tab.kind = 1;
    tab.dialogFile = L"Dialog Templates\\Dialog Design\\EndPlate.txt";
    MacroPatternProps first;
    first.name = L"P1";
    first.nrBolts[0] = L"3";
    first.nrBolts[1] = L"2";
    MacroPatternProps second;
    second.name = L"P2";
    second.nrBolts[0] = L"4";
    tab.patterns.append(first);
    tab.patterns.append(second);
    tab.hasBoltData = true;
    tab.boltData.assembly = L"Hexagon bolt";
    tab.boltData.diameter = L"20";
    tab.boltData.holeOffset = L"2";
    tab.boltData.grade = L"8.8";
    tab.boltData.extraLength = L"10";
    return tab;
}

inline MacroTabData sectionTab() {
    MacroTabData tab;
    tab.name = L"Stiffener";
    tab.kind = 2;
    tab.profGroups.append(profMember(L"Ribs", L"Left", L"FL-100x10", L"S235"));
    tab.profGroups.append(profMember(L"Ribs", L"Right", L"FL-120x10", L"S235"));
    return tab;
}

inline void fillRecord(MacroData& data) {
    data.name = L"EndPlate";
    data.tabs.append(boltTab());
    data.tabs.append(sectionTab());
}

} // namespace macrotest
