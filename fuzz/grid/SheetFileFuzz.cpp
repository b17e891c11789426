// Sheet files: any bytes read to a document or are refused with a problem; a document that
// reads writes a canonical text, and that text reads back and writes the same text again.
#include "grid/SheetFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::wstring problem;
    auto doc = gridx::parseSheetText(input, problem);
    if (!doc) {
        if (problem.empty()) std::abort();
        return 0;
    }
    if (!problem.empty()) std::abort();
    const std::string first = gridx::sheetText(*doc);
    auto again = gridx::parseSheetText(first, problem);
    if (!again) std::abort();
    if (gridx::sheetText(*again) != first) std::abort();
    return 0;
}
