#include "standards/KvSSMapping.h"

#include "standards/KvDlgStandardsData.h"

#include "trk/MacroData.h"
#include "trk/StringFunctions.h"
#include "trk/Trk_Macro.h"
#include "trk/Trk_SectionTableManager.h"

#include <vector>

namespace {

struct SuffixKind {
    const wchar_t* suffix;
    int kind;
};

// Cut suffixes of the group naming rules, offset kinds 0..8.
constexpr SuffixKind kCutSuffixes[] = {
    {L".Cut", 0},       {L".CutPoly", 1},   {L".CutLength", 2},
    {L".CutCenter", 3}, {L".CutInside", 4}, {L".CutOutside", 5},
    {L".Chamfer1", 6},  {L".Chamfer2", 7},  {L".CutRadius", 8},
};

int cutKindOfName(const Trk_String& name) {
    for (const SuffixKind& cut : kCutSuffixes)
        if (name.endsWith(cut.suffix, false)) return cut.kind;
    return -1;
}

// ".Name" / ".Material" of a named section placement; false when the module has none of that
// name (the rules then go on).
bool placementText(Trk_Module* module, const Trk_String& placement, bool material,
                   Trk_String& value, ErrorStatus& status) {
    Trk_SectionPlacement* found = nullptr;
    if (getNamedPrpl(module, placement, found) != eOk || !found) return false;
    status = material ? getMaterial(found, value) : getSectionName(found, value);
    return true;
}

KvObjectMap baseObject(KvMapType type, const Trk_String& name) {
    KvObjectMap object;
    object.type = type;
    object.objectName = name;
    object.category = 0;
    return object;
}

KvObjectMap moduleObject(KvMapType type, const Trk_String& owner, const Trk_String& name,
                         int category) {
    KvObjectMap object = baseObject(type, name);
    object.owner = owner;
    object.category = category;
    return object;
}

int constraintCategory(bool inDialog, bool driving) {
    if (inDialog) return driving ? 0 : 1;
    return driving ? 2 : 3;
}

void appendConstraintObjects(Trk_Module* module, Trk_Array<KvObjectMap>& objects) {
    Trk_StringArray names;
    Trk_Array<bool> inDialog;
    Trk_Array<bool> driving;
    if (getDialogVariables(module, names, inDialog, driving) != eOk) return;
    for (int i = 0; i < names.length(); ++i)
        objects.append(moduleObject(KvMapType::Distance, module->ownerName(), names[i],
                                    constraintCategory(inDialog.valueAt(i), driving.valueAt(i))));
}

void appendCutObjects(Trk_Module* module, Trk_Array<KvObjectMap>& objects) {
    Trk_Array<Trk_Cut*> cuts;
    if (getCutConstraints(module, cuts) != eOk) return;
    for (Trk_Cut* cut : cuts) {
        Trk_Array<int> kinds;
        if (!cut || getCutOffsets(cut, kinds) != eOk) continue;
        for (int kind : kinds) {
            if (kind < 0 || kind > 8) continue;
            const auto type = static_cast<KvMapType>(static_cast<int>(KvMapType::CutOffset) + kind);
            objects.append(moduleObject(type, module->ownerName(), cut->name, 0));
        }
    }
}

void appendBoltObjects(Trk_BoltModule* module, Trk_Array<KvObjectMap>& objects) {
    const Trk_String& owner = module->ownerName();
    objects.append(moduleObject(KvMapType::BoltsDiameter, owner, Trk_String(), 0));
    objects.append(moduleObject(KvMapType::BoltsHoleOffset, owner, Trk_String(), 0));
    Trk_Array<int> ids;
    if (getPatternIds(module, ids) != eOk) return;
    for (int id : ids) {
        Trk_BoltPattern* pattern = nullptr;
        if (getPattern(module, id, pattern) != eOk || !pattern) continue;
        objects.append(moduleObject(KvMapType::PatternNrBolts1, owner, pattern->name, 0));
        objects.append(moduleObject(KvMapType::PatternReverseStart1, owner, pattern->name, 0));
        if (!pattern->hasSecondDirection) continue;
        objects.append(moduleObject(KvMapType::PatternNrBolts2, owner, pattern->name, 0));
        objects.append(moduleObject(KvMapType::PatternReverseStart2, owner, pattern->name, 0));
    }
}

void appendPlacementObjects(Trk_ProfModule* module, Trk_Array<KvObjectMap>& objects) {
    for (const Trk_SectionPlacement& placement : module->placements)
        if (!placement.name.isEmpty())
            objects.append(
                moduleObject(KvMapType::OwnedMemberName, module->ownerName(), placement.name, 0));
}

void appendModuleObjects(Trk_Module* module, Trk_Array<KvObjectMap>& objects) {
    appendConstraintObjects(module, objects);
    appendCutObjects(module, objects);
    if (auto* bolts = dynamic_cast<Trk_BoltModule*>(module)) appendBoltObjects(bolts, objects);
    if (auto* sections = dynamic_cast<Trk_ProfModule*>(module))
        appendPlacementObjects(sections, objects);
}

void appendBaseSectionObjects(Trk_DbMacro* macro, Trk_Array<KvObjectMap>& objects) {
    Trk_Array<AcDbObjectId> ids;
    if (mapBaseProfIds(macro, ids) != eOk) return;
    for (int i = 0; i < ids.length(); ++i) {
        const Trk_String prof = L"Prof" + Trk_String(i);
        objects.append(baseObject(KvMapType::PrPlName, prof));
        objects.append(baseObject(KvMapType::PrPlMaterial, prof));
        Trk_String section;
        Trk_StringArray columns;
        if (getSectionName(ids[i], section) != eOk ||
            gSectionTables.getColumnNames(section, columns) != eOk)
            continue;
        for (int j = 0; j < columns.length(); ++j) {
            KvObjectMap column =
                baseObject(KvMapType::MemberSectionSize, prof + L";" + Trk_String(j));
            column.columnName = columns[j];
            objects.append(column);
        }
    }
}

void appendGeneralVariableObjects(Trk_DbMacro* macro, Trk_Array<KvObjectMap>& objects) {
    Trk_StringArray names;
    if (getGeneralVariableNames(macro, names) != eOk) return;
    for (const Trk_String& name : names)
        objects.append(baseObject(KvMapType::GenVar, name));
}

} // namespace

ErrorStatus KvSSMapping::initFromMacro(KvDlgStandardsData& request) {
    if (!request.macro || !request.moduleGroup.isEmpty()) return eInvalidInput;
    mode = kFileMode;
    return getMappingFromFile(request.spreadsheet, request.mappingKey);
}

ErrorStatus KvSSMapping::initFromModuleGroup(Trk_String group) {
    if (group.isEmpty()) return eInvalidInput;
    mode = kGroupMode;
    return eOk;
}

ErrorStatus KvSSMapping::getMacroVarValue(const Trk_String& ssVar, const KvValueType& t,
                                          Trk_String& value, KvDlgStandardsData& request) {
    if (!request.macro) return eInvalidInput;
    if (mode == kGroupMode) {
        Trk_StringArray modules;
        if (getModNamesOfGroup(request.macro, request.moduleGroup, modules) != eOk)
            return eInvalidInput;
        for (const Trk_String& name : modules) {
            Trk_Module* module = nullptr;
            if (findModuleWrite(request.macro, name, module) != eOk || !module) continue;
            if (groupVarValue(request.macro, request.macroData, module, ssVar, t, value, true,
                              request.transaction) == eOk)
                return eOk;
        }
        return eInvalidInput;
    }
    int index = -1;
    if (findSSVar(ssVar, t, index) != eOk) return eInvalidInput;
    return objects[index].getMacroVarValue(request.macro, request.macroData, value,
                                           request.transaction);
}

ErrorStatus KvSSMapping::setMacroVarValue(const Trk_String& ssVar, const KvValueType& t,
                                          Trk_String& value, KvDlgStandardsData& request) {
    if (!request.macro) return eInvalidInput;
    if (mode == kGroupMode) {
        Trk_StringArray modules;
        if (getModNamesOfGroup(request.macro, request.moduleGroup, modules) == eOk) {
            for (const Trk_String& name : modules) {
                Trk_Module* module = nullptr;
                if (findModuleWrite(request.macro, name, module) != eOk || !module) continue;
                (void)groupVarValue(request.macro, request.macroData, module, ssVar, t, value,
                                    false, request.transaction);
            }
        }
    }
    int index = -1;
    if (findSSVar(ssVar, t, index) != eOk) return eInvalidInput;
    return objects[index].setMacroVarValue(request.macro, request.macroData, value,
                                           request.transaction);
}

ErrorStatus KvSSMapping::groupVarValue(Trk_DbMacro* macro, MacroData* data, Trk_Module* module,
                                       const Trk_String& ssVar, KvValueType t, Trk_String& value,
                                       bool get, AcTransaction* transaction) {
    MacroTabData* tab = kvobject::moduleTab(data, module);
    if (!tab) return eInvalidInput;
    const bool numeric = isNumericValueType(t);
    if (numeric && ssVar.startsWith(L"gen.", false))
        return kvobject::getSetGeneralVariable(macro, L"gen_" + ssVar.mid(4), 4, value, get);
    Trk_String part; // the name before its "."
    getSubstrBefore(ssVar, L".", part, true);
    const bool text = t == KvValueType::String;
    if (text && get) {
        const bool name = ssVar.endsWith(L".Name", false);
        ErrorStatus status = eInvalidInput;
        if ((name || ssVar.endsWith(L".Material", false)) &&
            placementText(module, part, !name, value, status))
            return status;
    }
    const int cutKind = cutKindOfName(ssVar);
    if (numeric && cutKind >= 0)
        return kvobject::getSetCutOffset(module, part, cutKind, value, get);
    const bool diameter = ssVar.endsWith(L".Diameter", false);
    if (numeric && (diameter || ssVar.endsWith(L".HoleOffset", false)))
        return kvobject::getSetBoltData(tab, diameter, value, get);
    const bool nrBolts1 = ssVar.endsWith(L".NrBolts1", false);
    if (nrBolts1 || ssVar.endsWith(L".NrBolts2", false))
        return getSetNrBolts(tab, part, value, get, nrBolts1) == eOk ? eOk : eInvalidInput;
    const bool reverse1 = ssVar.endsWith(L".ReverseStart1", false);
    if (numeric && (reverse1 || ssVar.endsWith(L".ReverseStart2", false)))
        return kvobject::getSetReverseStart(dynamic_cast<Trk_BoltModule*>(module), part, reverse1,
                                            value, get);
    if (text && ssVar.endsWith(L".MemberName", false))
        return kvobject::getSetMemberName(data, part, value, get);
    if (numeric)
        return getSetConstrVarValue(module, ssVar, value, get) == eOk ? eOk : eInvalidInput;
    return eInvalidInput;
}

ErrorStatus KvSSMapping::findSSVar(const Trk_String& ssVar, const KvValueType& t,
                                   int& index) const {
    for (int i = 0; i < objects.length(); ++i) {
        KvValueType type = KvValueType::String;
        if (mapTypeValueType(objects[i].type, type) && type == t &&
            objects[i].ssVarName.equal(ssVar, false)) {
            index = i;
            return eOk;
        }
    }
    return eInvalidInput;
}

ErrorStatus KvSSMapping::findCompatible(const KvObjectMap& object, int& index) const {
    for (int i = 0; i < objects.length(); ++i) {
        if (objects[i].isCompatible(object) == eOk) {
            index = i;
            return eOk;
        }
    }
    return eInvalidInput;
}

ErrorStatus KvSSMapping::isCompatible(const KvSSMapping& other, int& count) const {
    count = 0;
    for (const KvObjectMap& object : objects) {
        int index = -1;
        if (other.findCompatible(object, index) != eOk) ++count;
    }
    return eOk;
}

bool KvSSMapping::isEqual(const KvSSMapping& other) const {
    for (const KvObjectMap& object : objects) {
        KvValueType type = KvValueType::String;
        int index = -1;
        if (!mapTypeValueType(object.type, type)) return false;
        if (other.findSSVar(object.ssVarName, type, index) != eOk) return false;
        if (other.objects[index].isCompatible(object) != eOk) return false;
    }
    return true;
}

ErrorStatus KvSSMapping::initAllVarsFromMacro(Trk_DbMacro* macro, AcTransaction* transaction) {
    if (!macro) return eInvalidInput;
    Trk_StringArray names;
    if (getModuleNames(macro, names) == eOk) {
        for (const Trk_String& name : names) {
            Trk_Module* module = nullptr;
            if (findModuleWrite(macro, name, module) == eOk && module)
                appendModuleObjects(module, objects);
        }
    }
    appendBaseSectionObjects(macro, objects);
    appendGeneralVariableObjects(macro, objects);
    return eOk;
}

ErrorStatus KvSSMapping::getValidVars(const bool& unused, const KvValueType& t,
                                      AcArray<int>& indices) const {
    indices.removeAll();
    for (int i = 0; i < objects.length(); ++i) {
        KvValueType type = KvValueType::String;
        if (mapTypeValueType(objects[i].type, type) &&
            isNumericValueType(type) == isNumericValueType(t))
            indices.append(i);
    }
    return eOk;
}

ErrorStatus KvSSMapping::sortValidVars(AcArray<int>& indices,
                                       const AcArray<int>& categoryOrder) const {
    if (categoryOrder.isEmpty()) {
        indices.removeAll();
        return eInvalidInput;
    }
    std::vector<AcArray<int>> buckets(static_cast<std::size_t>(categoryOrder.length()));
    for (int index : indices) {
        const int category = objects.isValid(index) ? objects[index].category : -1;
        int position = categoryOrder.find(category);
        if (position < 0) position = categoryOrder.length() - 1;
        buckets[static_cast<std::size_t>(position)].append(index);
    }
    indices.removeAll();
    for (const AcArray<int>& bucket : buckets) {
        indices.append(-1);
        for (int index : bucket)
            indices.append(index);
    }
    return eOk;
}
