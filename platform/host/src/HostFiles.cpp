#include "HostFiles.h"

#include <fstream>
#include <system_error>

namespace trkx {

std::filesystem::path hostPath(std::wstring_view path) {
    std::wstring text(path);
    for (auto& c : text)
        if (c == L'\\') c = L'/';
    return std::filesystem::path(text);
}

std::optional<std::string> readBytes(std::wstring_view path) {
    std::error_code error;
    const auto file = hostPath(path);
    if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
    const auto size = std::filesystem::file_size(file, error);
    std::ifstream in(file, std::ios::binary);
    if (error || !in) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in.read(bytes.data(), static_cast<std::streamsize>(size))) return std::nullopt;
    return bytes;
}

bool writeBytesAtomically(std::wstring_view path, std::string_view bytes) {
    const auto file = hostPath(path);
    auto temporary = file;
    temporary += ".tmp~";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            out.close();
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, file, error);
    if (!error) return true;
    std::filesystem::remove(temporary, error);
    return false;
}

bool fileExists(std::wstring_view path) {
    std::error_code error;
    return std::filesystem::is_regular_file(hostPath(path), error);
}

} // namespace trkx
