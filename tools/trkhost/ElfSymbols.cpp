#include "ElfSymbols.h"

#include <cxxabi.h>
#include <elf.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace trkhost {
namespace {

// Copies a record out of the image when it lies wholly inside; false otherwise.
template <class T>
bool readAt(std::string_view image, std::uint64_t offset, T& out) {
    if (offset > image.size() || image.size() - offset < sizeof(T)) return false;
    std::memcpy(&out, image.data() + offset, sizeof(T));
    return true;
}

std::string demangle(const std::string& name) {
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> text(
        abi::__cxa_demangle(name.c_str(), nullptr, nullptr, &status), &std::free);
    return status == 0 && text ? std::string(text.get()) : name;
}

bool isElf64LittleEndian(const Elf64_Ehdr& header) {
    return std::memcmp(header.e_ident, ELFMAG, SELFMAG) == 0 &&
           header.e_ident[EI_CLASS] == ELFCLASS64 && header.e_ident[EI_DATA] == ELFDATA2LSB &&
           header.e_shentsize == sizeof(Elf64_Shdr);
}

std::optional<Elf64_Shdr> sectionAt(std::string_view image, const Elf64_Ehdr& header,
                                    std::uint32_t index) {
    Elf64_Shdr section{};
    if (index >= header.e_shnum) return std::nullopt;
    if (!readAt(image, header.e_shoff + std::uint64_t{index} * sizeof(Elf64_Shdr), section))
        return std::nullopt;
    return section;
}

// The name at offset in a string table section, bounded by the section's end.
std::optional<std::string> nameAt(std::string_view image, const Elf64_Shdr& strings,
                                  std::uint32_t offset) {
    if (strings.sh_offset > image.size() || strings.sh_size > image.size() - strings.sh_offset ||
        offset >= strings.sh_size)
        return std::nullopt;
    const std::string_view table = image.substr(strings.sh_offset, strings.sh_size);
    const auto end = table.find('\0', offset);
    if (end == std::string_view::npos) return std::nullopt;
    return std::string(table.substr(offset, end - offset));
}

bool isExported(const Elf64_Sym& symbol) {
    const auto type = ELF64_ST_TYPE(symbol.st_info);
    const auto binding = ELF64_ST_BIND(symbol.st_info);
    return symbol.st_shndx != SHN_UNDEF && (type == STT_FUNC || type == STT_OBJECT) &&
           (binding == STB_GLOBAL || binding == STB_WEAK) &&
           ELF64_ST_VISIBILITY(symbol.st_other) == STV_DEFAULT;
}

} // namespace

std::optional<std::vector<ExportedSymbol>> exportedSymbols(std::string_view image) {
    Elf64_Ehdr header{};
    if (!readAt(image, 0, header) || !isElf64LittleEndian(header)) return std::nullopt;
    std::vector<ExportedSymbol> symbols;
    for (std::uint32_t i = 0; i < header.e_shnum; ++i) {
        const auto section = sectionAt(image, header, i);
        if (!section) return std::nullopt;
        if (section->sh_type != SHT_DYNSYM) continue;
        const auto strings = sectionAt(image, header, section->sh_link);
        if (!strings || section->sh_entsize != sizeof(Elf64_Sym)) return std::nullopt;
        const std::uint64_t count = section->sh_size / sizeof(Elf64_Sym);
        for (std::uint64_t k = 1; k < count; ++k) {
            Elf64_Sym symbol{};
            if (!readAt(image, section->sh_offset + k * sizeof(Elf64_Sym), symbol))
                return std::nullopt;
            if (!isExported(symbol)) continue;
            auto name = nameAt(image, *strings, symbol.st_name);
            if (!name) return std::nullopt;
            const bool function = ELF64_ST_TYPE(symbol.st_info) == STT_FUNC;
            symbols.push_back({*name, demangle(*name), function});
        }
    }
    return symbols;
}

} // namespace trkhost
