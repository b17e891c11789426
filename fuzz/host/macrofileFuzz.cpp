// Macro files: any input either fails and leaves the model alone, or reads into a model whose
// canonical text reads back to the identical text.
#include "trk/MacroFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void fillSentinel(Trk_DbMacro& macro, MacroData& data) {
    macro.name = L"sentinel";
    macro.generalVariables.append(Trk_GeneralVariable{L"gen_Keep", 1.5});
    data.name = L"sentinel";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    Trk_DbMacro macro;
    MacroData record;
    fillSentinel(macro, record);
    const std::string before = macroFileText(macro, record);
    Trk_String error;
    if (parseMacroText(input, macro, record, error) != eOk) {
        if (error.isEmpty() || macroFileText(macro, record) != before) std::abort();
        return 0;
    }
    const std::string first = macroFileText(macro, record);
    Trk_DbMacro again;
    MacroData againRecord;
    if (parseMacroText(first, again, againRecord, error) != eOk) std::abort();
    if (macroFileText(again, againRecord) != first) std::abort();
    return 0;
}
