// Helpers shared by the framework tests: a temporary folder removed afterwards, and raw file
// access that bypasses the framework under test.
#pragma once

#include "trk/Trk_String.h"

#include "win/utf8.h"

#include <filesystem>
#include <fstream>
#include <ostream>
#include <random>
#include <string>

// Failure messages show framework texts as UTF-8.
inline void PrintTo(const Trk_String& text, std::ostream* out) {
    *out << '"' << winx::toUtf8(text.view()) << '"';
}

namespace hosttest {

class TempFolder {
public:
    TempFolder() {
        std::random_device seed;
        const auto base = std::filesystem::temp_directory_path();
        do {
            m_path = base / ("trkhost-test-" + std::to_string(seed()));
        } while (!std::filesystem::create_directory(m_path));
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // The folder as the host hands folders to the framework: native, with a trailing separator.
    // Module code appends "\\"-separated parts to it.
    Trk_String text() const { return Trk_String(m_path.wstring() + L"/"); }
    std::filesystem::path file(const std::string& relative) const { return m_path / relative; }

private:
    std::filesystem::path m_path;
};

inline void writeRaw(const std::filesystem::path& file, const std::string& bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// The file's bytes; empty when it cannot be read.
inline std::string readRaw(const std::filesystem::path& file) {
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    if (error) return {};
    std::string bytes(static_cast<std::size_t>(size), '\0');
    std::ifstream in(file, std::ios::binary);
    in.read(bytes.data(), static_cast<std::streamsize>(size));
    return in ? bytes : std::string();
}

} // namespace hosttest
