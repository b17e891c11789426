// Command-line options of the host and the set-up of the platform they describe.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace trkhost {

struct HostOptions {
    std::filesystem::path library;  // library folder
    std::filesystem::path install;  // installation folder (texts/ lives there)
    std::filesystem::path registry; // registry file
    std::filesystem::path drives;   // root of drive-letter paths
    std::filesystem::path module;   // the module library
    std::string language = "en";
    bool echo = true;
    bool help = false;
    std::string job;
    std::vector<std::string> jobArguments;
};

// Parses argv; nullopt with problem set on a usage error.
std::optional<HostOptions> parseOptions(int argc, char** argv, const std::filesystem::path& exe,
                                        std::string& problem);
std::string usage();

// Applies the options to the platform: settings, text table, registry file, drive root and
// command-line echo. Problems that leave the host usable (a corrupt registry file or text
// table) are printed on the command line.
void applyOptions(const HostOptions& options);

} // namespace trkhost
