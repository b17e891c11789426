// A standards evaluation request: which spreadsheet to evaluate against which macro, through
// which mapping, with which general variables. The core fills the members directly.
#pragma once

#include "frame/TrkSSApi.h"
#include "standards/KvVarCells.h"
#include "trk/ErrorStatus.h"
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

    // A main request for the macro: mode 0, the spreadsheet, the mapping key and the module
    // group it names ("Module." + group), the macro and its dialog data. eInvalidInput, with the
    // request unchanged, for a null macro or data. Transaction and general variables are the
    // caller's to set.
    ErrorStatus initialize(Trk_DbMacro* macro, Trk_String spreadsheet, Trk_String mappingKey,
                           MacroData* data);

    int mode = 0;           // 0 = main evaluation against a macro, 1 = child evaluation
    Trk_String spreadsheet; // a path, or a name inside the standards folder without extension
    Trk_DbMacro* macro = nullptr;
    Trk_String mappingKey; // the key in the mapping file, or "Module." + module group
    Trk_String moduleGroup;
    AcTransaction* transaction = nullptr;
    MacroData* macroData = nullptr;
    Trk_StringArray genVarNames;
    Trk_StringArray genVarValues;
    // Child mode: the passed variables in, their results out. Main mode: every variable of the
    // sheet after the evaluation.
    KvVarCells cells;
};
