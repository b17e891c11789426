// Helpers of the windowing services tests: a temporary folder that also serves as drive root,
// and little-endian byte writers for building image files.
#pragma once

#include "win/winbase.h"

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace services_test {

class TempFolder {
public:
    TempFolder() {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path() /
                ("trk-services-" + std::to_string(seed()) + "-" + std::to_string(seed()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code error;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
        std::filesystem::remove_all(path_, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Makes the temporary folder the drive root for one test and restores the old root after.
class DriveRootScope {
public:
    explicit DriveRootScope(const std::filesystem::path& root) : previous_(winx::driveRoot()) {
        winx::setDriveRoot(root);
    }
    ~DriveRootScope() { winx::setDriveRoot(previous_); }
    DriveRootScope(const DriveRootScope&) = delete;
    DriveRootScope& operator=(const DriveRootScope&) = delete;

private:
    std::filesystem::path previous_;
};

using ByteVector = std::vector<std::uint8_t>;

inline void put8(ByteVector& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value));
}
inline void put16(ByteVector& out, unsigned value) {
    put8(out, value & 0xFF);
    put8(out, (value >> 8) & 0xFF);
}
inline void put32(ByteVector& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}
inline void put32At(ByteVector& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline std::string asText(const ByteVector& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// Whether a folder holds any entry whose name contains `part` (temporary files left behind).
inline bool folderHasEntryContaining(const std::filesystem::path& folder, const std::string& part) {
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().find(part) != std::string::npos) return true;
    return false;
}

} // namespace services_test
