// Writes a macro file (see platform/host/MACROFILE.md): the model becomes a JSON tree with the
// members in their fixed order, which the JSON writer turns into canonical text.
#include "Json.h"
#include "MacroFileFormat.h"

#include "HostFiles.h"
#include "trk/MacroFile.h"
#include "win/utf8.h"

using trkx::json::addMember;
using trkx::json::makeArray;
using trkx::json::makeBool;
using trkx::json::makeNumber;
using trkx::json::makeObject;
using trkx::json::Value;

namespace {

Value text(const Trk_String& value) {
    return trkx::json::makeString(winx::toUtf8(value.view()));
}

template <class Items, class Write>
Value arrayOf(const Items& items, Write write) {
    Value array = makeArray();
    for (const auto& item : items)
        array.items.push_back(write(item));
    return array;
}

Value generalVariable(const Trk_GeneralVariable& variable) {
    Value object = makeObject();
    addMember(object, "name", text(variable.name));
    addMember(object, "value", makeNumber(variable.value));
    return object;
}

Value baseSection(const Trk_BaseSection& section) {
    Value object = makeObject();
    addMember(object, "section", text(section.sectionName));
    addMember(object, "material", text(section.material));
    return object;
}

Value constrVar(const Trk_ConstrVar& var) {
    Value object = makeObject();
    addMember(object, "name", text(var.name));
    addMember(object, "value", makeNumber(var.value));
    addMember(object, "inDialog", makeBool(var.inDialog));
    addMember(object, "driving", makeBool(var.driving));
    return object;
}

Value cutOffset(const Trk_CutOffset& offset) {
    Value object = makeObject();
    addMember(object, "kind", makeNumber(offset.kind));
    addMember(object, "value", makeNumber(offset.value));
    return object;
}

Value cut(const Trk_Cut& item) {
    Value object = makeObject();
    addMember(object, "name", text(item.name));
    addMember(object, "offsets", arrayOf(item.offsets, cutOffset));
    return object;
}

Value boltPattern(const Trk_BoltPattern& pattern) {
    Value object = makeObject();
    addMember(object, "id", makeNumber(pattern.id));
    addMember(object, "name", text(pattern.name));
    addMember(object, "twoDirections", makeBool(pattern.hasSecondDirection));
    Value reverses = makeArray();
    reverses.items.push_back(makeBool(pattern.reverses[0]));
    if (pattern.hasSecondDirection) reverses.items.push_back(makeBool(pattern.reverses[1]));
    addMember(object, "reverses", std::move(reverses));
    return object;
}

Value placement(const Trk_SectionPlacement& item) {
    Value object = makeObject();
    addMember(object, "name", text(item.name));
    addMember(object, "section", text(item.sectionName));
    addMember(object, "material", text(item.material));
    return object;
}

const char* kindName(const Trk_Module& item) {
    if (dynamic_cast<const Trk_BoltModule*>(&item)) return "bolts";
    if (dynamic_cast<const Trk_ProfModule*>(&item)) return "sections";
    return "plain";
}

Value module(const std::unique_ptr<Trk_Module>& item) {
    Value object = makeObject();
    addMember(object, "name", text(item->name));
    addMember(object, "group", text(item->groupName));
    addMember(object, "kind", trkx::json::makeString(kindName(*item)));
    addMember(object, "constraintVariables", arrayOf(item->constrVars, constrVar));
    addMember(object, "cuts", arrayOf(item->cuts, cut));
    if (auto* bolts = dynamic_cast<const Trk_BoltModule*>(item.get()))
        addMember(object, "patterns", arrayOf(bolts->patterns, boltPattern));
    if (auto* sections = dynamic_cast<const Trk_ProfModule*>(item.get()))
        addMember(object, "placements", arrayOf(sections->placements, placement));
    return object;
}

Value patternProps(const MacroPatternProps& pattern) {
    Value object = makeObject();
    addMember(object, "name", text(pattern.name));
    addMember(object, "nrBolts1", text(pattern.nrBolts[0]));
    addMember(object, "nrBolts2", text(pattern.nrBolts[1]));
    return object;
}

Value boltData(const MacroBoltData& data) {
    Value object = makeObject();
    addMember(object, "assembly", text(data.assembly));
    addMember(object, "diameter", text(data.diameter));
    addMember(object, "holeOffset", text(data.holeOffset));
    addMember(object, "grade", text(data.grade));
    addMember(object, "extraLength", text(data.extraLength));
    return object;
}

Value profGroup(const MacroProfData& member) {
    Value object = makeObject();
    addMember(object, "group", text(member.groupName));
    addMember(object, "member", text(member.memberName));
    addMember(object, "section", text(member.sectionName));
    addMember(object, "material", text(member.material));
    return object;
}

Value tab(const MacroTabData& item) {
    Value object = makeObject();
    addMember(object, "name", text(item.name));
    addMember(object, "kind", makeNumber(item.kind));
    addMember(object, "dialogFile", text(item.dialogFile));
    addMember(object, "patterns", arrayOf(item.patterns, patternProps));
    if (item.hasBoltData) addMember(object, "boltData", boltData(item.boltData));
    addMember(object, "profGroups", arrayOf(item.profGroups, profGroup));
    return object;
}

Value dialog(const MacroData& data) {
    Value object = makeObject();
    addMember(object, "name", text(data.name));
    addMember(object, "tabs", arrayOf(data.tabs, tab));
    return object;
}

// A macro the reader would refuse (a number that is not finite, a kind out of range, two
// modules, tabs, variables or offsets of one name or kind...) is not written: it would be lost.
bool readsBack(const std::string& text) {
    Trk_DbMacro macro;
    MacroData data;
    Trk_String error;
    return parseMacroText(text, macro, data, error) == eOk;
}

} // namespace

std::string macroFileText(const Trk_DbMacro& macro, const MacroData& data) {
    Value root = makeObject();
    addMember(root, "format", trkx::json::makeString(trkx::macrofile::kFormat));
    addMember(root, "version", makeNumber(trkx::macrofile::kVersion));
    addMember(root, "name", text(macro.name));
    addMember(root, "generalVariables", arrayOf(macro.generalVariables, generalVariable));
    addMember(root, "baseSections", arrayOf(macro.baseSections, baseSection));
    addMember(root, "modules", arrayOf(macro.modules, module));
    addMember(root, "dialog", dialog(data));
    return trkx::json::write(root);
}

ErrorStatus writeMacroFile(const Trk_String& path, const Trk_DbMacro& macro,
                           const MacroData& data) {
    const std::string text = macroFileText(macro, data);
    if (!readsBack(text)) return eInvalidInput;
    return trkx::writeBytesAtomically(path.view(), text) ? eOk : eInvalidInput;
}
