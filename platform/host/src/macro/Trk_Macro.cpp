#include "trk/Trk_Macro.h"

#include <dbtrans.h>

#include <algorithm>
#include <cmath>

namespace {

// The live placed macros, so that a base-section id can be resolved to its section. One
// thread only; a macro joins at construction and leaves at destruction.
std::vector<const Trk_DbMacro*>& liveMacros() {
    static std::vector<const Trk_DbMacro*> macros;
    return macros;
}

void join(const Trk_DbMacro* macro) {
    liveMacros().push_back(macro);
}

void leave(const Trk_DbMacro* macro) {
    auto& macros = liveMacros();
    macros.erase(std::remove(macros.begin(), macros.end(), macro), macros.end());
}

// Base-section ids are drawing ids unique in the process; they start high so that they never
// meet the small ids the drawing stand-in hands out for its own objects.
AcDbObjectId nextBaseSectionId() {
    static Adesk::Int64 next = Adesk::Int64(1) << 40;
    return AcDbObjectId(++next);
}

std::vector<std::unique_ptr<Trk_Module>> cloneModules(const Trk_Macro& macro) {
    std::vector<std::unique_ptr<Trk_Module>> copies;
    copies.reserve(macro.modules.size());
    for (const auto& module : macro.modules)
        copies.push_back(module->clone());
    return copies;
}

// The position of `module` among the modules of its group (an ungrouped module is alone).
int positionInGroup(const Trk_Macro& macro, const Trk_Module& module) {
    int position = 0;
    for (const auto& each : macro.modules) {
        if (each.get() == &module) return position;
        if (each->groupName == module.groupName && !module.groupName.isEmpty()) ++position;
    }
    return -1;
}

bool isAcceptedTransaction(const AcTransaction* transaction) {
    return !transaction || transaction == actrTransactionManager->topTransaction();
}

Trk_GeneralVariable* findGeneralVariable(Trk_DbMacro* macro, const Trk_String& name) {
    if (!macro) return nullptr;
    for (Trk_GeneralVariable& variable : macro->generalVariables)
        if (variable.name == name) return &variable;
    return nullptr;
}

} // namespace

Trk_Macro::Trk_Macro(const Trk_Macro& other)
    : name(other.name), modules(cloneModules(other)), generalVariables(other.generalVariables) {}

Trk_Macro& Trk_Macro::operator=(const Trk_Macro& other) {
    if (this == &other) return *this;
    modules = cloneModules(other);
    name = other.name;
    generalVariables = other.generalVariables;
    return *this;
}

Trk_Module* Trk_Macro::findModule(const Trk_String& moduleName) const {
    for (const auto& module : modules)
        if (module->name == moduleName) return module.get();
    return nullptr;
}

Trk_Module* Trk_Macro::addModule(std::unique_ptr<Trk_Module> module) {
    if (!module) return nullptr;
    modules.push_back(std::move(module));
    return modules.back().get();
}

Trk_DbMacro::Trk_DbMacro() {
    join(this);
}

Trk_DbMacro::Trk_DbMacro(const Trk_DbMacro& other)
    : Trk_Macro(other), id(other.id), baseSections(other.baseSections) {
    join(this);
}

Trk_DbMacro& Trk_DbMacro::operator=(const Trk_DbMacro& other) {
    if (this == &other) return *this;
    Trk_Macro::operator=(other);
    id = other.id;
    baseSections = other.baseSections;
    return *this;
}

Trk_DbMacro::Trk_DbMacro(Trk_DbMacro&& other) noexcept
    : Trk_Macro(std::move(other)), id(other.id), baseSections(std::move(other.baseSections)) {
    join(this);
}

Trk_DbMacro& Trk_DbMacro::operator=(Trk_DbMacro&& other) noexcept {
    if (this == &other) return *this;
    Trk_Macro::operator=(std::move(other));
    id = other.id;
    baseSections = std::move(other.baseSections);
    return *this;
}

Trk_DbMacro::~Trk_DbMacro() {
    leave(this);
}

AcDbObjectId Trk_DbMacro::addBaseSection(const Trk_String& sectionName,
                                         const Trk_String& material) {
    Trk_BaseSection section;
    section.id = nextBaseSectionId();
    section.sectionName = sectionName;
    section.material = material;
    baseSections.append(section);
    return section.id;
}

ErrorStatus getModuleNames(Trk_DbMacro* macro, Trk_StringArray& names) {
    if (!macro) return eInvalidInput;
    names.removeAll();
    for (const auto& module : macro->modules)
        names.append(module->name);
    return eOk;
}

ErrorStatus getModNamesOfGroup(Trk_DbMacro* macro, const Trk_String& group,
                               Trk_StringArray& names) {
    if (!macro) return eInvalidInput;
    names.removeAll();
    if (group.isEmpty()) return eOk;
    for (const auto& module : macro->modules)
        if (module->groupName == group) names.append(module->name);
    if (!names.isEmpty()) return eOk;
    const Trk_Module* single = macro->findModule(group);
    if (!single || !single->groupName.isEmpty()) return eInvalidInput;
    names.append(single->name);
    return eOk;
}

ErrorStatus findModuleWrite(Trk_DbMacro* macro, const Trk_String& moduleName, Trk_Module*& module) {
    module = macro ? macro->findModule(moduleName) : nullptr;
    return module ? eOk : eInvalidInput;
}

ErrorStatus openModule(Trk_Macro* macro, const Trk_String& moduleName, int index,
                       Trk_Module*& module, AcTransaction* transaction) {
    module = nullptr;
    if (!macro || !isAcceptedTransaction(transaction)) return eInvalidInput;
    Trk_Module* found = macro->findModule(moduleName);
    if (!found) return eInvalidInput;
    if (index >= 0 && positionInGroup(*macro, *found) != index) return eInvalidInput;
    module = found;
    return eOk;
}

ErrorStatus mapBaseProfIds(Trk_DbMacro* macro, Trk_Array<AcDbObjectId>& ids) {
    if (!macro) return eInvalidInput;
    ids.removeAll();
    for (const Trk_BaseSection& section : macro->baseSections)
        ids.append(section.id);
    return eOk;
}

ErrorStatus getBaseProf(Trk_DbMacro* macro, int index, AcDbObjectId& id) {
    if (!macro || !macro->baseSections.isValid(index)) return eInvalidInput;
    id = macro->baseSections[index].id;
    return eOk;
}

ErrorStatus getSectionName(const AcDbObjectId& id, Trk_String& sectionName) {
    if (id.isNull()) return eInvalidInput;
    for (const Trk_DbMacro* macro : liveMacros()) {
        for (const Trk_BaseSection& section : macro->baseSections) {
            if (section.id != id) continue;
            sectionName = section.sectionName;
            return eOk;
        }
    }
    return eInvalidInput;
}

ErrorStatus getGeneralVariableNames(Trk_DbMacro* macro, Trk_StringArray& names) {
    if (!macro) return eInvalidInput;
    names.removeAll();
    for (const Trk_GeneralVariable& variable : macro->generalVariables)
        names.append(variable.name);
    return eOk;
}

double generalVariableValue(Trk_DbMacro* macro, const Trk_String& name) {
    const Trk_GeneralVariable* variable = findGeneralVariable(macro, name);
    return variable ? variable->value : 0.0;
}

ErrorStatus setGeneralVariable(Trk_DbMacro* macro, const Trk_String& name, double value) {
    Trk_GeneralVariable* variable = findGeneralVariable(macro, name);
    if (!variable || !std::isfinite(value)) return eInvalidInput;
    variable->value = value;
    return eOk;
}
