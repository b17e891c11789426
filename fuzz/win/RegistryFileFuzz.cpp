// The registry file reader on arbitrary text. Whatever it accepts must be written back in a
// form that reads again into the very same registry.
#include "win/winreg.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!winx::loadRegistryText(text).ok) return 0;
    const std::string written = winx::registryText();
    if (!winx::loadRegistryText(written).ok) std::abort();
    if (winx::registryText() != written) std::abort();
    return 0;
}
