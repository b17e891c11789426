#include "HostFiles.h"

#include "win/winbase.h"

#include <system_error>

namespace trkx {

std::filesystem::path hostPath(std::wstring_view path) {
    return winx::nativePath(path);
}

std::optional<std::string> readBytes(std::wstring_view path) {
    return winx::readFile(hostPath(path));
}

bool writeBytesAtomically(std::wstring_view path, std::string_view bytes) {
    return winx::writeFileAtomically(hostPath(path), bytes);
}

bool fileExists(std::wstring_view path) {
    std::error_code error;
    return std::filesystem::is_regular_file(hostPath(path), error);
}

} // namespace trkx
