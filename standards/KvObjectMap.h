// KvObjectMap: one macro object that a spreadsheet variable stands for — a constraint variable,
// a cut offset, a bolt pattern count or flag, a section placement, a base section or a general
// variable — and the reading and writing of its value through the framework.
//
// Object text (as stored in mapping files): owner + "•" + type word + " " + objectName.
#pragma once

#include "frame/TrkSSApi.h"
#include "standards/KvVarCell.h"

#include "trk/ErrorStatus.h"
#include "trk/Trk_String.h"
#include "trk/Trk_StringArray.h"

class AcTransaction;
class MacroData;
class MacroTabData;
class Trk_BoltModule;
class Trk_DbMacro;
class Trk_Macro;
class Trk_Module;

enum class KvMapType : int {
    None = 0,
    Distance = 1,  // constraint variable of a module
    GenVar = 2,    // general variable of the macro
    CutOffset = 3, // cut offset kinds 0..8 are types 3..11
    CutPolyOffset = 4,
    CutLengthOffset = 5,
    CutCenterOffset = 6,
    CutInsideOffset = 7,
    CutOutsideOffset = 8,
    CutChamferOffset1 = 9,
    CutChamferOffset2 = 10,
    CutRadius = 11,
    PrPlName = 12,     // section name of a base section
    PrPlMaterial = 13, // base section, read as its section name too
    OwnedMemberName = 14,
    MemberSectionSize = 15, // one value column of a base section's section
    PatternNrBolts1 = 16,
    PatternNrBolts2 = 17,
    PatternReverseStart1 = 18,
    PatternReverseStart2 = 19,
    BoltsDiameter = 20,
    BoltsHoleOffset = 21,
};

constexpr int kMapTypeCount = 22;

// The type word of a type ("Distance", ...); empty for None and values outside the table.
const wchar_t* mapTypeWord(KvMapType type);
// The value type of a type's object; false for None and values outside the table.
bool mapTypeValueType(KvMapType type, KvValueType& valueType);

// The separators of object texts and mapping lines.
inline constexpr const wchar_t* kObjectSeparator = L"\u2022"; // between owner and type word
inline constexpr const wchar_t* kPairSeparator = L"\u00BF";   // between pairs of a line
inline constexpr const wchar_t* kVarSeparator = L"\u0192";    // between variable and object

// Reading and writing of macro objects shared by the mapped objects and the group naming rules.
// Each returns eInvalidInput when the object is missing or the framework refuses.
namespace kvobject {
// General variable `name` of the macro (matched ignoring case); get gives it with `precision`
// decimals. eInvalidInput when the macro has no such variable.
ErrorStatus getSetGeneralVariable(Trk_DbMacro* macro, const Trk_String& name, int precision,
                                  Trk_String& value, bool get);
// The macro data's tab of a module (its group's, or its own name's); null when there is none.
MacroTabData* moduleTab(MacroData* data, Trk_Module* module);
// Offset `kind` (0..8) of cut `cutName`; get gives it with 7 decimals.
ErrorStatus getSetCutOffset(Trk_Module* module, const Trk_String& cutName, int kind,
                            Trk_String& value, bool get);
// The tab's bolt diameter or hole offset text.
ErrorStatus getSetBoltData(MacroTabData* tab, bool diameter, Trk_String& value, bool get);
// The reverse-start flag of a pattern direction: "0" when reversed, "1" when not.
ErrorStatus getSetReverseStart(Trk_BoltModule* module, const Trk_String& patternName,
                               bool firstDirection, Trk_String& value, bool get);
// The member name of a section placement group; a set writes it into every member.
ErrorStatus getSetMemberName(MacroData* data, const Trk_String& group, Trk_String& value, bool get);
} // namespace kvobject

class TRKSS_API KvObjectMap {
public:
    KvObjectMap() = default;
    KvObjectMap(const KvObjectMap&) = default;
    KvObjectMap& operator=(const KvObjectMap&) = default;
    virtual ~KvObjectMap() = default;

    // Parses an object text for the spreadsheet variable ssVar. eInvalidInput without "•" or
    // without a known type word after it.
    ErrorStatus getMappingFromStrs(const Trk_String& ssVar, const Trk_String& objectText);
    // Builds the object text and hands out ssVarName; eInvalidInput for type None.
    ErrorStatus setMappingToStrs(Trk_String& objectText, Trk_String& ssVar) const;
    // The pair of ssVars/objectTexts whose variable is the cell's name (ignoring case).
    ErrorStatus mapFromArrays(const Trk_StringArray& ssVars, const Trk_StringArray& objectTexts,
                              const KvVarCell& cell);
    // eOk when owner, objectName (ignoring case) and type are equal; ssVarName is not compared.
    ErrorStatus isCompatible(const KvObjectMap& other) const;

    // Reads / writes the object's value as text. eInvalidInput without macro, for an object the
    // macro lacks (a module object that no module of its owner answers), or for a type that
    // cannot be written (12, 13, 15).
    ErrorStatus getMacroVarValue(Trk_DbMacro* macro, MacroData* data, Trk_String& value,
                                 AcTransaction* transaction);
    ErrorStatus setMacroVarValue(Trk_DbMacro* macro, MacroData* data, Trk_String& value,
                                 AcTransaction* transaction);

    Trk_String owner;      // group name, or module name without group; empty for 2, 12, 13, 15
    Trk_String objectName; // see the object types; "Prof<i>" or "Prof<i>;<j>" for base sections
    Trk_String ssVarName;
    KvMapType type = KvMapType::None;
    int category = 3;      // sorting group of the mapping tab, 0..3
    Trk_String columnName; // column title, type 15 only

private:
    ErrorStatus getSetMacroVarValue(Trk_DbMacro* macro, MacroData* data, Trk_String& value,
                                    bool get, AcTransaction* transaction);
    ErrorStatus getSetModuleVarValue(Trk_Macro* macro, MacroData* data, Trk_String& moduleName,
                                     int index, Trk_String& value, bool get,
                                     AcTransaction* transaction);
    ErrorStatus getBaseSectionValue(Trk_DbMacro* macro, Trk_String& value) const;
};
