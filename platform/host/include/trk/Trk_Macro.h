// A connection macro: its modules and general variables (Trk_Macro); as placed in the drawing
// (Trk_DbMacro) it also has base sections, the sections of the members it connects.
#pragma once

#include "trk/ErrorStatus.h"
#include "trk/Trk_Array.h"
#include "trk/Trk_Module.h"
#include "trk/Trk_String.h"
#include "trk/Trk_StringArray.h"

#include <dbid.h>

#include <memory>
#include <vector>

class AcTransaction;

struct Trk_GeneralVariable {
    Trk_String name; // "gen_" + a name, e.g. "gen_Gap"
    double value = 0.0;
};

class Trk_Macro {
public:
    Trk_Macro() = default;
    Trk_Macro(const Trk_Macro& other);            // deep: modules are cloned
    Trk_Macro& operator=(const Trk_Macro& other); // deep
    Trk_Macro(Trk_Macro&&) noexcept = default;
    Trk_Macro& operator=(Trk_Macro&&) noexcept = default;
    virtual ~Trk_Macro() = default;

    // The module of that name (exact), or null. Module pointers survive added modules; an
    // assignment to the macro (a copy, a move, a file read into it) replaces every module.
    Trk_Module* findModule(const Trk_String& moduleName) const;
    // Appends a module and returns it.
    Trk_Module* addModule(std::unique_ptr<Trk_Module> module);

    Trk_String name;
    std::vector<std::unique_ptr<Trk_Module>> modules;
    Trk_Array<Trk_GeneralVariable> generalVariables;
};

// A base section of a placed macro: a section object of the drawing.
struct Trk_BaseSection {
    AcDbObjectId id;
    Trk_String sectionName; // full section name, e.g. "HEB-300"
    Trk_String material;
};

// Every live Trk_DbMacro is known to the process, so that getSectionName(id) finds a base
// section by its id; copies keep the ids, a destroyed macro's ids become unknown.
class Trk_DbMacro : public Trk_Macro {
public:
    Trk_DbMacro();
    Trk_DbMacro(const Trk_DbMacro& other);
    Trk_DbMacro& operator=(const Trk_DbMacro& other);
    Trk_DbMacro(Trk_DbMacro&& other) noexcept;
    Trk_DbMacro& operator=(Trk_DbMacro&& other) noexcept;
    ~Trk_DbMacro() override;

    // Appends a base section under a new drawing id and returns that id.
    AcDbObjectId addBaseSection(const Trk_String& sectionName, const Trk_String& material);

    AcDbObjectId id;
    Trk_Array<Trk_BaseSection> baseSections;
};

// Module names in macro order; all, or those of one group.
ErrorStatus getModuleNames(Trk_DbMacro* macro, Trk_StringArray& names);
// The modules of `group`. A name that is no group but the name of a module without group
// gives that module; the empty group gives no modules and succeeds (objects without owner:
// base sections, general variables). Any other name fails.
ErrorStatus getModNamesOfGroup(Trk_DbMacro* macro, const Trk_String& group, Trk_StringArray& names);
// The module of that name for writing; eInvalidInput when there is none.
ErrorStatus findModuleWrite(Trk_DbMacro* macro, const Trk_String& moduleName, Trk_Module*& module);
// Opens module `moduleName`, the index-th of its group, for reading and writing.
ErrorStatus openModule(Trk_Macro* macro, const Trk_String& moduleName, int index,
                       Trk_Module*& module, AcTransaction* transaction = nullptr);

// Base sections: their ids in order, the index-th one, and the section name of a base-section
// id of any macro loaded in this process.
ErrorStatus mapBaseProfIds(Trk_DbMacro* macro, Trk_Array<AcDbObjectId>& ids);
ErrorStatus getBaseProf(Trk_DbMacro* macro, int index, AcDbObjectId& id);
ErrorStatus getSectionName(const AcDbObjectId& id, Trk_String& sectionName);

// General variables. The value of an unknown name is 0; setting an unknown name or a value that
// is not finite fails.
ErrorStatus getGeneralVariableNames(Trk_DbMacro* macro, Trk_StringArray& names);
double generalVariableValue(Trk_DbMacro* macro, const Trk_String& name);
ErrorStatus setGeneralVariable(Trk_DbMacro* macro, const Trk_String& name, double value);
