// The modules of a connection macro: each holds constraint variables and cuts; bolt modules
// add bolt patterns, section modules add section placements. Module kinds are told apart with
// dynamic_cast (Trk_BoltModule, Trk_ProfModule).
#pragma once

#include "trk/ErrorStatus.h"
#include "trk/Trk_Array.h"
#include "trk/Trk_String.h"
#include "trk/Trk_StringArray.h"

#include <memory>

// A constraint variable: a named dimension of the module. The two flags sort it for the
// mapping tab: shown in the macro dialog, and driving (set by the user rather than derived).
struct Trk_ConstrVar {
    Trk_String name;
    double value = 0.0;
    bool inDialog = false;
    bool driving = false;
};

// One offset of a cut: kind 0 offset, 1 polygon offset, 2 length, 3 centre, 4 inside,
// 5 outside, 6 chamfer 1, 7 chamfer 2, 8 radius.
struct Trk_CutOffset {
    int kind = 0;
    double value = 0.0;
};

struct Trk_Cut {
    Trk_String name;
    Trk_Array<Trk_CutOffset> offsets; // at most one per kind
};

// A bolt pattern with one or two directions; each direction can start reversed.
struct Trk_BoltPattern {
    int id = 0; // unique within its module
    Trk_String name;
    bool hasSecondDirection = false;
    bool reverses[2] = {false, false};
};

// A placed section of a section module.
struct Trk_SectionPlacement {
    Trk_String name;
    Trk_String sectionName; // full section name, e.g. "IPE-300"
    Trk_String material;    // e.g. "S355"
};

class Trk_Module {
public:
    Trk_Module() = default;
    Trk_Module(const Trk_Module&) = default;
    Trk_Module& operator=(const Trk_Module&) = default;
    virtual ~Trk_Module() = default;
    virtual std::unique_ptr<Trk_Module> clone() const;

    // The module's group, or its own name when it has none.
    const Trk_String& ownerName() const { return groupName.isEmpty() ? name : groupName; }
    Trk_ConstrVar* findConstrVar(const Trk_String& varName);
    Trk_Cut* findCut(const Trk_String& cutName);

    Trk_String name;
    Trk_String groupName; // empty when the module belongs to no group
    Trk_Array<Trk_ConstrVar> constrVars;
    Trk_Array<Trk_Cut> cuts;
};

class Trk_BoltModule : public Trk_Module {
public:
    std::unique_ptr<Trk_Module> clone() const override;

    Trk_Array<Trk_BoltPattern> patterns;
};

class Trk_ProfModule : public Trk_Module {
public:
    std::unique_ptr<Trk_Module> clone() const override;

    Trk_Array<Trk_SectionPlacement> placements;
};

// Constraint variables: names with their two flags, in module order.
ErrorStatus getDialogVariables(Trk_Module* module, Trk_StringArray& names,
                               Trk_Array<bool>& inDialog, Trk_Array<bool>& driving);
// Reads (get) or writes the variable `name` as text: get gives Trk_String(value, 8, false),
// set reads the text as a number (a text that is not a number is refused).
ErrorStatus getSetConstrVarValue(Trk_Module* module, const Trk_String& name, Trk_String& value,
                                 bool get);

// Cuts. A cut pointer stays valid until the module's cut list changes.
ErrorStatus getCutConstraint(Trk_Module* module, const Trk_String& name, Trk_Cut*& cut);
ErrorStatus getCutConstraints(Trk_Module* module, Trk_Array<Trk_Cut*>& cuts);
// The offset kinds the cut has, in its order.
ErrorStatus getCutOffsets(const Trk_Cut* cut, Trk_Array<int>& kinds);
// Reads or writes the offset of `kind`; eInvalidInput when the cut has no such offset.
ErrorStatus getSetCutValue(Trk_Module* module, Trk_Cut* cut, int kind, double& value, bool get);

// Bolt patterns. A pattern pointer stays valid until the module's pattern list changes.
ErrorStatus getPatternIds(Trk_BoltModule* module, Trk_Array<int>& ids);
ErrorStatus getPattern(Trk_BoltModule* module, int id, Trk_BoltPattern*& pattern);
ErrorStatus findPattern(Trk_BoltModule* module, const Trk_String& name, Trk_BoltPattern*& pattern);
// Reads or writes whether a direction of the pattern starts reversed; the second direction of
// a pattern that has none is refused.
ErrorStatus getSetBoltPatternReverses(Trk_BoltModule* module, Trk_BoltPattern* pattern,
                                      bool firstDirection, bool get, bool& reversed);

// Section placements of a section module.
ErrorStatus getNamedPrpl(Trk_Module* module, const Trk_String& name,
                         Trk_SectionPlacement*& placement);
ErrorStatus getSectionName(const Trk_SectionPlacement* placement, Trk_String& sectionName);
ErrorStatus getMaterial(const Trk_SectionPlacement* placement, Trk_String& material);
