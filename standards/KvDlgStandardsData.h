// A standards evaluation request: which spreadsheet to evaluate against which macro, through
// which mapping, with which general variables. The core fills the members directly.
#pragma once

#include "frame/TrkSSApi.h"
#include "trk/Trk_String.h"
#include "trk/Trk_StringArray.h"

class Trk_DbMacro;
class AcTransaction;
class MacroData;

class TRKSS_API KvDlgStandardsData {
public:
    KvDlgStandardsData() = default;
    KvDlgStandardsData(const KvDlgStandardsData&) = default;
    KvDlgStandardsData& operator=(const KvDlgStandardsData&) = default;
    virtual ~KvDlgStandardsData() = default;

    int mode = 0;           // 0 = main evaluation against a macro, 1 = child evaluation
    Trk_String spreadsheet; // a path, or a name inside the standards folder without extension
    Trk_DbMacro* macro = nullptr;
    Trk_String mappingKey; // the key in the mapping file, or "Module." + module group
    Trk_String moduleGroup;
    AcTransaction* transaction = nullptr;
    MacroData* macroData = nullptr;
    Trk_StringArray genVarNames;
    Trk_StringArray genVarValues;
};
