// Line files: any bytes decode to lines without line breaks, and the lines written back as
// UTF-8 read back unchanged.
#include "trk/ObjectExport.h"

#include "win/utf8.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Trk_StringArray lines =
        trkx::linesOfText(std::string_view(reinterpret_cast<const char*>(data), size));
    std::wstring text;
    for (const auto& line : lines) {
        if (line.find(L'\n') >= 0) std::abort();
        text += line.str() + L"\n";
    }
    if (trkx::linesOfText(winx::toUtf8(text)) != lines) std::abort();
    return 0;
}
