// The host's reader of a library's export table must survive any bytes.
#include "ElfSymbols.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    (void)trkhost::exportedSymbols(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
