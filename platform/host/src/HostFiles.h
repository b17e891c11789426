// File access of the framework: every path text of the platform ("\\" or "/" separated, with
// or without a drive letter) goes through here to the native file system.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace trkx {

std::filesystem::path hostPath(std::wstring_view path);
std::optional<std::string> readBytes(std::wstring_view path);
// Temporary file in the same folder, then a rename: the target is the old or the new file.
[[nodiscard]] bool writeBytesAtomically(std::wstring_view path, std::string_view bytes);
bool fileExists(std::wstring_view path);

} // namespace trkx
