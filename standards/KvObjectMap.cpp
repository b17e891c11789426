#include "standards/KvObjectMap.h"

#include "trk/MacroData.h"
#include "trk/StringFunctions.h"
#include "trk/Trk_Macro.h"
#include "trk/Trk_SectionTableManager.h"

#include <windows.h>

namespace {

// The error values the grid shows for a result it could not compute ("#VALUE!", "#N/A", ...).
// Written into the macro they would become 0 (or the error text), so such outputs are refused
// and the macro keeps its value.
bool isErrorValue(const Trk_String& value) {
    static const wchar_t* const kErrors[] = {L"#NULL!", L"#DIV/0!", L"#VALUE!", L"#REF!",
                                             L"#NAME?", L"#NUM!",   L"#N/A",    L"#CIRC!"};
    for (const wchar_t* error : kErrors)
        if (value.equal(error, false)) return true;
    return false;
}

struct MapTypeInfo {
    const wchar_t* word;
    KvValueType valueType;
};

constexpr MapTypeInfo kMapTypes[kMapTypeCount] = {
    {L"", KvValueType::String},
    {L"Distance", KvValueType::Double},
    {L"GenVar", KvValueType::Double},
    {L"CutOffset", KvValueType::Double},
    {L"CutPolyOffset", KvValueType::Double},
    {L"CutLengthOffset", KvValueType::Double},
    {L"CutCenterOffset", KvValueType::Double},
    {L"CutInsideOffset", KvValueType::Double},
    {L"CutOutsideOffset", KvValueType::Double},
    {L"CutChamferOffset1", KvValueType::Double},
    {L"CutChamferOffset2", KvValueType::Double},
    {L"CutRadius", KvValueType::Double},
    {L"PrPlName", KvValueType::String},
    {L"PrPlMaterial", KvValueType::String},
    {L"OwnedMemberName", KvValueType::String},
    {L"MemberSectionSize", KvValueType::Double},
    {L"PatternNrBolts1", KvValueType::String},
    {L"PatternNrBolts2", KvValueType::String},
    {L"PatternReverseStart1", KvValueType::Int},
    {L"PatternReverseStart2", KvValueType::Int},
    {L"BoltsDiameter", KvValueType::Double},
    {L"BoltsHoleOffset", KvValueType::Double},
};

constexpr int kFirstCutType = static_cast<int>(KvMapType::CutOffset);
constexpr int kLastCutType = static_cast<int>(KvMapType::CutRadius);

bool isKnownType(KvMapType type) {
    const int value = static_cast<int>(type);
    return value > 0 && value < kMapTypeCount;
}

bool isCutType(KvMapType type) {
    const int value = static_cast<int>(type);
    return value >= kFirstCutType && value <= kLastCutType;
}

// "Prof" followed by a number: that number.
bool baseSectionIndex(const Trk_String& text, int& index) {
    if (!text.startsWith(L"Prof")) return false;
    const Trk_String number = text.mid(4);
    return isNumber(number) && number.toInt(index);
}

ErrorStatus baseSectionName(Trk_DbMacro* macro, const Trk_String& baseText, Trk_String& name) {
    int index = 0;
    AcDbObjectId id;
    if (!baseSectionIndex(baseText, index)) return eInvalidInput;
    if (getBaseProf(macro, index, id) != eOk) return eInvalidInput;
    return getSectionName(id, name) == eOk ? eOk : eInvalidInput;
}

} // namespace

const wchar_t* mapTypeWord(KvMapType type) {
    return isKnownType(type) ? kMapTypes[static_cast<int>(type)].word : L"";
}

bool mapTypeValueType(KvMapType type, KvValueType& valueType) {
    if (!isKnownType(type)) return false;
    valueType = kMapTypes[static_cast<int>(type)].valueType;
    return true;
}

// ---- Shared object access (also used by the group naming rules) ----------------------------

MacroTabData* kvobject::moduleTab(MacroData* data, Trk_Module* module) {
    int index = -1;
    if (!data || !module || data->findTab(module->ownerName(), index) != eOk) return nullptr;
    return data->getTab(index);
}

ErrorStatus kvobject::getSetGeneralVariable(Trk_DbMacro* macro, const Trk_String& name,
                                            int precision, Trk_String& value, bool get) {
    Trk_StringArray names;
    if (getGeneralVariableNames(macro, names) != eOk) return eInvalidInput;
    const int index = names.find(name, false);
    if (index < 0) return eInvalidInput; // an unknown name would read as 0
    if (!get) {
        if (isErrorValue(value)) return eInvalidInput;
        return setGeneralVariable(macro, names[index], _wtof(value.c_str()));
    }
    value = Trk_String(generalVariableValue(macro, names[index]), precision, false);
    return eOk;
}

ErrorStatus kvobject::getSetCutOffset(Trk_Module* module, const Trk_String& cutName, int kind,
                                      Trk_String& value, bool get) {
    Trk_Cut* cut = nullptr;
    if (getCutConstraint(module, cutName, cut) != eOk) return eInvalidInput;
    if (!get && isErrorValue(value)) return eInvalidInput;
    double offset = _wtof(value.c_str());
    if (getSetCutValue(module, cut, kind, offset, get) != eOk) return eInvalidInput;
    if (get) value = Trk_String(offset, 7, false);
    return eOk;
}

ErrorStatus kvobject::getSetBoltData(MacroTabData* tab, bool diameter, Trk_String& value,
                                     bool get) {
    if (!tab || !tab->hasBoltData) return eInvalidInput;
    Trk_String& field = diameter ? tab->boltData.diameter : tab->boltData.holeOffset;
    if (get) {
        value = field;
        return eOk;
    }
    if (isErrorValue(value)) return eInvalidInput;
    field = value;
    return eOk;
}

// The flag reads "0" when the direction starts reversed and "1" when not; writing is the
// inverse, so a value read and written back leaves the flag as it was.
ErrorStatus kvobject::getSetReverseStart(Trk_BoltModule* module, const Trk_String& patternName,
                                         bool firstDirection, Trk_String& value, bool get) {
    Trk_BoltPattern* pattern = nullptr;
    if (!module || findPattern(module, patternName, pattern) != eOk) return eInvalidInput;
    bool reversed = value.equal(L"0");
    if (getSetBoltPatternReverses(module, pattern, firstDirection, get, reversed) != eOk)
        return eInvalidInput;
    if (get) value = reversed ? L"0" : L"1";
    return eOk;
}

ErrorStatus kvobject::getSetMemberName(MacroData* data, const Trk_String& group, Trk_String& value,
                                       bool get) {
    MacroProfData props;
    if (!data || data->getMergedPropsOfGroup(group, Trk_String(), props) != eOk)
        return eInvalidInput;
    if (get) {
        value = props.memberName;
        return eOk;
    }
    props.memberName = value;
    (void)data->setMergedPropsOfGroup(group, Trk_String(), props);
    return eOk;
}

// ---- KvObjectMap --------------------------------------------------------------------------

ErrorStatus KvObjectMap::getMappingFromStrs(const Trk_String& ssVar, const Trk_String& objectText) {
    const int separator = objectText.find(Trk_String(kObjectSeparator));
    if (separator < 0) return eInvalidInput;
    const Trk_String rest = objectText.mid(separator + 1).trimLeft();
    for (int i = 1; i < kMapTypeCount; ++i) {
        if (!rest.startsWith(kMapTypes[i].word, false)) continue;
        const int blank = rest.find(L' ');
        owner = objectText.left(separator);
        objectName = blank < 0 ? Trk_String() : rest.mid(blank + 1);
        type = static_cast<KvMapType>(i);
        ssVarName = ssVar;
        return eOk;
    }
    return eInvalidInput;
}

ErrorStatus KvObjectMap::setMappingToStrs(Trk_String& objectText, Trk_String& ssVar) const {
    if (!isKnownType(type)) return eInvalidInput;
    objectText = owner + kObjectSeparator + mapTypeWord(type) + L" " + objectName;
    ssVar = ssVarName;
    return eOk;
}

ErrorStatus KvObjectMap::mapFromArrays(const Trk_StringArray& ssVars,
                                       const Trk_StringArray& objectTexts, const KvVarCell& cell) {
    const int index = ssVars.find(cell.name, false);
    if (index < 0 || !objectTexts.isValid(index)) return eInvalidInput;
    return getMappingFromStrs(ssVars[index], objectTexts[index]);
}

ErrorStatus KvObjectMap::isCompatible(const KvObjectMap& other) const {
    const bool same = type == other.type && owner.equal(other.owner, false) &&
                      objectName.equal(other.objectName, false);
    return same ? eOk : eInvalidInput;
}

ErrorStatus KvObjectMap::getMacroVarValue(Trk_DbMacro* macro, MacroData* data, Trk_String& value,
                                          AcTransaction* transaction) {
    return getSetMacroVarValue(macro, data, value, true, transaction);
}

ErrorStatus KvObjectMap::setMacroVarValue(Trk_DbMacro* macro, MacroData* data, Trk_String& value,
                                          AcTransaction* transaction) {
    return getSetMacroVarValue(macro, data, value, false, transaction);
}

ErrorStatus KvObjectMap::getSetMacroVarValue(Trk_DbMacro* macro, MacroData* data, Trk_String& value,
                                             bool get, AcTransaction* transaction) {
    Trk_StringArray modules;
    if (!macro || getModNamesOfGroup(macro, owner, modules) != eOk) return eInvalidInput;
    bool answered = false;
    for (int i = 0; i < modules.length(); ++i)
        if (getSetModuleVarValue(macro, data, modules[i], i, value, get, transaction) == eOk)
            answered = true;
    switch (type) {
    case KvMapType::GenVar:
        return kvobject::getSetGeneralVariable(macro, objectName, 8, value, get);
    case KvMapType::PrPlName:
    case KvMapType::PrPlMaterial:
        if (!get) return eInvalidInput;
        return baseSectionName(macro, objectName, value);
    case KvMapType::MemberSectionSize:
        if (!get) return eInvalidInput;
        return getBaseSectionValue(macro, value);
    default:
        // A module object that no module of its owner has is missing, not read.
        return answered ? eOk : eInvalidInput;
    }
}

ErrorStatus KvObjectMap::getBaseSectionValue(Trk_DbMacro* macro, Trk_String& value) const {
    Trk_String basePart = objectName;
    Trk_String columnPart;
    const int separator = objectName.find(L';');
    if (separator >= 0) {
        basePart = objectName.left(separator);
        columnPart = objectName.mid(separator + 1);
    }
    Trk_String section;
    if (baseSectionName(macro, basePart, section) != eOk) return eInvalidInput;
    return getSectionValue(section, _wtoi(columnPart.c_str()), value);
}

ErrorStatus KvObjectMap::getSetModuleVarValue(Trk_Macro* macro, MacroData* data,
                                              Trk_String& moduleName, int index, Trk_String& value,
                                              bool get, AcTransaction* transaction) {
    if (!macro || !data) return eInvalidInput;
    if (!isKnownType(type) || type == KvMapType::GenVar || type == KvMapType::PrPlName ||
        type == KvMapType::PrPlMaterial || type == KvMapType::MemberSectionSize)
        return eInvalidInput;
    Trk_Module* module = nullptr;
    if (openModule(macro, moduleName, index, module, transaction) != eOk || !module)
        return eInvalidInput;
    auto* boltModule = dynamic_cast<Trk_BoltModule*>(module);
    const bool needsBolts =
        type >= KvMapType::PatternNrBolts1 && type <= KvMapType::PatternReverseStart2;
    if (needsBolts && !boltModule) return eInvalidInput;
    MacroTabData* tab = kvobject::moduleTab(data, module);
    if (!tab) return eInvalidInput;
    if (isCutType(type))
        return kvobject::getSetCutOffset(module, objectName, static_cast<int>(type) - kFirstCutType,
                                         value, get);
    switch (type) {
    case KvMapType::Distance:
        return getSetConstrVarValue(module, objectName, value, get) == eOk ? eOk : eInvalidInput;
    case KvMapType::BoltsDiameter:
    case KvMapType::BoltsHoleOffset:
        return kvobject::getSetBoltData(tab, type == KvMapType::BoltsDiameter, value, get);
    case KvMapType::PatternReverseStart1:
    case KvMapType::PatternReverseStart2:
        return kvobject::getSetReverseStart(boltModule, objectName,
                                            type == KvMapType::PatternReverseStart1, value, get);
    case KvMapType::PatternNrBolts1:
    case KvMapType::PatternNrBolts2:
        return getSetNrBolts(tab, objectName, value, get, type == KvMapType::PatternNrBolts1) == eOk
                   ? eOk
                   : eInvalidInput;
    case KvMapType::OwnedMemberName:
        return kvobject::getSetMemberName(data, objectName, value, get);
    default:
        return eOk;
    }
}
