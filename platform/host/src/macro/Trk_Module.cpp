#include "trk/Trk_Module.h"

#include <algorithm>
#include <cmath>

namespace {

template <class T>
T* findNamed(Trk_Array<T>& items, const Trk_String& name) {
    for (T& item : items)
        if (item.name == name) return &item;
    return nullptr;
}

template <class T>
bool isElementOf(const Trk_Array<T>& items, const T* item) {
    return std::any_of(items.begin(), items.end(), [item](const T& each) { return &each == item; });
}

Trk_CutOffset* findOffset(Trk_Cut& cut, int kind) {
    for (Trk_CutOffset& offset : cut.offsets)
        if (offset.kind == kind) return &offset;
    return nullptr;
}

} // namespace

std::unique_ptr<Trk_Module> Trk_Module::clone() const {
    return std::make_unique<Trk_Module>(*this);
}

std::unique_ptr<Trk_Module> Trk_BoltModule::clone() const {
    return std::make_unique<Trk_BoltModule>(*this);
}

std::unique_ptr<Trk_Module> Trk_ProfModule::clone() const {
    return std::make_unique<Trk_ProfModule>(*this);
}

Trk_ConstrVar* Trk_Module::findConstrVar(const Trk_String& varName) {
    return findNamed(constrVars, varName);
}

Trk_Cut* Trk_Module::findCut(const Trk_String& cutName) {
    return findNamed(cuts, cutName);
}

ErrorStatus getDialogVariables(Trk_Module* module, Trk_StringArray& names,
                               Trk_Array<bool>& inDialog, Trk_Array<bool>& driving) {
    if (!module) return eInvalidInput;
    names.removeAll();
    inDialog.removeAll();
    driving.removeAll();
    for (const Trk_ConstrVar& var : module->constrVars) {
        names.append(var.name);
        inDialog.append(var.inDialog);
        driving.append(var.driving);
    }
    return eOk;
}

ErrorStatus getSetConstrVarValue(Trk_Module* module, const Trk_String& name, Trk_String& value,
                                 bool get) {
    Trk_ConstrVar* var = module ? module->findConstrVar(name) : nullptr;
    if (!var) return eInvalidInput;
    if (get) {
        value = Trk_String(var->value, 8, false);
        return eOk;
    }
    double number = 0.0;
    if (!value.toDouble(number) || !std::isfinite(number)) return eInvalidInput;
    var->value = number;
    return eOk;
}

ErrorStatus getCutConstraint(Trk_Module* module, const Trk_String& name, Trk_Cut*& cut) {
    cut = module ? module->findCut(name) : nullptr;
    return cut ? eOk : eInvalidInput;
}

ErrorStatus getCutConstraints(Trk_Module* module, Trk_Array<Trk_Cut*>& cuts) {
    if (!module) return eInvalidInput;
    cuts.removeAll();
    for (Trk_Cut& cut : module->cuts)
        cuts.append(&cut);
    return eOk;
}

ErrorStatus getCutOffsets(const Trk_Cut* cut, Trk_Array<int>& kinds) {
    if (!cut) return eInvalidInput;
    kinds.removeAll();
    for (const Trk_CutOffset& offset : cut->offsets)
        kinds.append(offset.kind);
    return eOk;
}

ErrorStatus getSetCutValue(Trk_Module* module, Trk_Cut* cut, int kind, double& value, bool get) {
    if (!module || !cut || !isElementOf(module->cuts, cut)) return eInvalidInput;
    Trk_CutOffset* offset = findOffset(*cut, kind);
    if (!offset) return eInvalidInput;
    if (get) {
        value = offset->value;
        return eOk;
    }
    if (!std::isfinite(value)) return eInvalidInput;
    offset->value = value;
    return eOk;
}

ErrorStatus getPatternIds(Trk_BoltModule* module, Trk_Array<int>& ids) {
    if (!module) return eInvalidInput;
    ids.removeAll();
    for (const Trk_BoltPattern& pattern : module->patterns)
        ids.append(pattern.id);
    return eOk;
}

ErrorStatus getPattern(Trk_BoltModule* module, int id, Trk_BoltPattern*& pattern) {
    pattern = nullptr;
    if (!module) return eInvalidInput;
    for (Trk_BoltPattern& each : module->patterns) {
        if (each.id != id) continue;
        pattern = &each;
        return eOk;
    }
    return eInvalidInput;
}

ErrorStatus findPattern(Trk_BoltModule* module, const Trk_String& name, Trk_BoltPattern*& pattern) {
    pattern = module ? findNamed(module->patterns, name) : nullptr;
    return pattern ? eOk : eInvalidInput;
}

ErrorStatus getSetBoltPatternReverses(Trk_BoltModule* module, Trk_BoltPattern* pattern,
                                      bool firstDirection, bool get, bool& reversed) {
    if (!module || !pattern || !isElementOf(module->patterns, pattern)) return eInvalidInput;
    if (!firstDirection && !pattern->hasSecondDirection) return eInvalidInput;
    bool& stored = pattern->reverses[firstDirection ? 0 : 1];
    if (get)
        reversed = stored;
    else
        stored = reversed;
    return eOk;
}

ErrorStatus getNamedPrpl(Trk_Module* module, const Trk_String& name,
                         Trk_SectionPlacement*& placement) {
    auto* sections = dynamic_cast<Trk_ProfModule*>(module);
    placement = sections ? findNamed(sections->placements, name) : nullptr;
    return placement ? eOk : eInvalidInput;
}

ErrorStatus getSectionName(const Trk_SectionPlacement* placement, Trk_String& sectionName) {
    if (!placement) return eInvalidInput;
    sectionName = placement->sectionName;
    return eOk;
}

ErrorStatus getMaterial(const Trk_SectionPlacement* placement, Trk_String& material) {
    if (!placement) return eInvalidInput;
    material = placement->material;
    return eOk;
}
