// Reads the exported symbols of a shared library file, to report what a module offers.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trkhost {

struct ExportedSymbol {
    std::string name;      // as stored (mangled)
    std::string demangled; // readable form, or name when it is not mangled
    bool isFunction = false;
};

// The defined, globally visible functions and objects of an ELF64 little-endian image.
// Nullopt when the bytes are not such an image or its tables are damaged.
std::optional<std::vector<ExportedSymbol>> exportedSymbols(std::string_view image);

} // namespace trkhost
