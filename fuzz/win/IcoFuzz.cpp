// The icon reader on arbitrary bytes, asked for a few sizes: it refuses or decodes, never reads
// outside the input, and a decoded icon has width x height pixels (none for PNG entries).
#include "win/wingdi.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (const int wanted : {0, 16, 48}) {
        HICON icon = winx::iconFromBytes(data, size, wanted);
        if (!icon) continue;
        const auto image = winx::iconPixels(icon);
        const std::size_t area =
            image ? static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height)
                  : 0;
        if (!image || area == 0 || (!image->pixels.empty() && image->pixels.size() != area))
            std::abort();
        if (!DestroyIcon(icon)) std::abort();
    }
    return 0;
}
