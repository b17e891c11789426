// Interface text tables: any bytes give a table or a list of problems, never a crash, and a
// corrupt file yields no texts.
#include "trk/DialString.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const trkx::DialStringTable table = trkx::parseDialStrings(bytes);
    if (table.corrupt && !table.texts.empty()) std::abort();
    if (table.corrupt && table.problems.isEmpty()) std::abort();
    return 0;
}
