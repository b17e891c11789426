// The bitmap decoder on arbitrary bytes: it refuses or decodes, never reads outside the input,
// and a decoded bitmap has exactly width x height pixels.
#include "win/wingdi.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    HBITMAP bitmap = winx::bitmapFromBytes(data, size);
    if (!bitmap) return 0;
    const auto image = winx::bitmapPixels(bitmap);
    if (!image || image->width < 1 || image->height < 1 ||
        image->pixels.size() !=
            static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height))
        std::abort();
    if (!DeleteObject(bitmap)) std::abort();
    return 0;
}
