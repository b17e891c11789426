// Macro files: a placed macro and its dialog record as a versioned, human-writable UTF-8 text
// (the format is described in platform/host/MACROFILE.md).
#pragma once

#include "trk/ErrorStatus.h"
#include "trk/MacroData.h"
#include "trk/Trk_Macro.h"
#include "trk/Trk_String.h"

#include <string>
#include <string_view>

// Reads a macro file. On success the macro and the record are replaced; on failure both are
// left as they were and `error` says what is wrong and where (line:column).
ErrorStatus readMacroFile(const Trk_String& path, Trk_DbMacro& macro, MacroData& data,
                          Trk_String& error);
// The same, from the file's bytes.
ErrorStatus parseMacroText(std::string_view text, Trk_DbMacro& macro, MacroData& data,
                           Trk_String& error);
// Writes a macro file atomically (a temporary file renamed over the target); the text is
// canonical, so writing what was read reproduces an equally canonical file. eInvalidInput, with
// nothing written, for a macro whose text readMacroFile would refuse.
ErrorStatus writeMacroFile(const Trk_String& path, const Trk_DbMacro& macro, const MacroData& data);
std::string macroFileText(const Trk_DbMacro& macro, const MacroData& data);
