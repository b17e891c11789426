// KvSSMapping: which macro object each spreadsheet variable stands for. In file mode the objects
// come from the mapping file beside the spreadsheet (one line per mapping key); in group mode
// the variable names themselves address the objects of one module group.
//
// Mapping file: line 1 "Mapping version 1.0", then one line per key:
//   line => key "=" [pair ("¿" pair)*]      pair => ssVarName "ƒ" objectText
#pragma once

#include "frame/TrkSSApi.h"
#include "standards/KvObjectMap.h"
#include "standards/KvVarCell.h"

#include "trk/ErrorStatus.h"
#include "trk/Trk_Array.h"
#include "trk/Trk_String.h"

#include <acarray.h>

class AcTransaction;
class KvDlgStandardsData;
class MacroTabData;
class Trk_DbMacro;
class Trk_Module;

class TRKSS_API KvSSMapping {
public:
    enum Mode { kNone = 0, kGroupMode = 1, kFileMode = 2 };

    KvSSMapping() = default;
    KvSSMapping(const KvSSMapping&) = default;
    KvSSMapping& operator=(const KvSSMapping&) = default;
    virtual ~KvSSMapping() = default;

    // File mode from the mapping file of the request's spreadsheet under its mapping key.
    // eInvalidInput without macro, with a module group, or when the file or key is missing.
    ErrorStatus initFromMacro(KvDlgStandardsData& request);
    // Group mode for `group`; eInvalidInput for an empty group.
    ErrorStatus initFromModuleGroup(Trk_String group);

    // Reads / writes the value of spreadsheet variable ssVar of value type t in the request's
    // macro. eInvalidInput without macro or when no object answers.
    ErrorStatus getMacroVarValue(const Trk_String& ssVar, const KvValueType& t, Trk_String& value,
                                 KvDlgStandardsData& request);
    ErrorStatus setMacroVarValue(const Trk_String& ssVar, const KvValueType& t, Trk_String& value,
                                 KvDlgStandardsData& request);

    // The first object whose value type is exactly t and whose ssVarName is ssVar (ignoring
    // case); eInvalidInput when none.
    ErrorStatus findSSVar(const Trk_String& ssVar, const KvValueType& t, int& index) const;
    // The first own object compatible with `object`; eInvalidInput when none.
    ErrorStatus findCompatible(const KvObjectMap& object, int& index) const;
    // Always eOk; count = own objects without a compatible object in `other`.
    ErrorStatus isCompatible(const KvSSMapping& other, int& count) const;
    // True when every own object has a counterpart in `other` (same variable and value type,
    // compatible object). Extra objects of `other` do not matter.
    bool isEqual(const KvSSMapping& other) const;

    // Appends every mappable object of the macro; eInvalidInput without macro.
    ErrorStatus initAllVarsFromMacro(Trk_DbMacro* macro, AcTransaction* transaction);
    // Indices of the objects whose value type is numeric exactly when t is. Always eOk.
    ErrorStatus getValidVars(const bool& unused, const KvValueType& t, AcArray<int>& indices) const;
    // Regroups indices by the position of their object's category in categoryOrder (unlisted
    // categories join the last group), each group preceded by -1. eInvalidInput, indices
    // emptied, for an empty categoryOrder.
    ErrorStatus sortValidVars(AcArray<int>& indices, const AcArray<int>& categoryOrder) const;

    // Reads the mapping of `key` from the spreadsheet's mapping file. eOk with nothing changed
    // for an empty file; eInvalidInput when the file cannot be read or lacks the key.
    ErrorStatus getMappingFromFile(Trk_String spreadsheet, const Trk_String& key);
    // Stores this mapping under `key`, replacing the key's line (moved to the end). Nothing is
    // written when the stored mapping is equal. eInvalidInput, the file untouched, when it is
    // there but cannot be read, or cannot be written.
    ErrorStatus setMappingToFile(Trk_String spreadsheet, Trk_String& key);
    // Replaces the objects by those of one mapping line; eInvalidInput for a line without "=".
    ErrorStatus initMappingFromLine(const Trk_String& line);
    // The mapping line for `key` built from the objects that have a type word.
    Trk_String mappingLine(const Trk_String& key) const;
    // True, with its key, for the first line of the mapping file this mapping is equal to.
    bool hasSameMapping(const Trk_String& spreadsheet, Trk_String& key) const;

    const Trk_Array<KvObjectMap>& mappedObjects() const { return objects; }
    Trk_Array<KvObjectMap>& mappedObjectsWrite() { return objects; }

    // The mapping file of a spreadsheet name: the standards folder + name with extension "map".
    static Trk_String mappingFilePath(const Trk_String& spreadsheet);

    int mode = kNone;
    Trk_Array<KvObjectMap> objects;

private:
    ErrorStatus groupVarValue(Trk_DbMacro* macro, MacroData* data, Trk_Module* module,
                              const Trk_String& ssVar, KvValueType t, Trk_String& value, bool get,
                              AcTransaction* transaction);
};
