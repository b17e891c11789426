#include "standards/KvDlgStandardsData.h"

namespace {
constexpr const wchar_t* kModulePrefix = L"Module.";
}

ErrorStatus KvDlgStandardsData::initialize(Trk_DbMacro* newMacro, Trk_String newSpreadsheet,
                                           Trk_String newMappingKey, MacroData* data) {
    if (!newMacro || !data) return eInvalidInput;
    const Trk_String prefix = kModulePrefix;
    moduleGroup =
        newMappingKey.startsWith(prefix) ? newMappingKey.mid(prefix.length()) : Trk_String();
    mode = 0;
    spreadsheet = std::move(newSpreadsheet);
    mappingKey = std::move(newMappingKey);
    macro = newMacro;
    macroData = data;
    return eOk;
}
