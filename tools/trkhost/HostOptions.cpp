#include "HostOptions.h"

#include "acadx.h"
#include "acutads.h"
#include "trk/DialString.h"
#include "trk/Trk_Settings.h"
#include "win/utf8.h"
#include "win/winbase.h"
#include "win/winreg.h"

#include <cstdlib>
#include <map>

namespace trkhost {
namespace {

std::filesystem::path userFolder(const char* xdgVariable, const char* fallback) {
    if (const char* xdg = std::getenv(xdgVariable); xdg && *xdg)
        return std::filesystem::path(xdg) / "trkss";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::filesystem::path(home) / fallback / "trkss";
    return std::filesystem::temp_directory_path() / "trkss";
}

HostOptions defaults(const std::filesystem::path& exe) {
    HostOptions options;
    options.library = std::filesystem::path(TRK_SOURCE_DIR) / "examples" / "library";
    options.install = std::filesystem::path(TRK_SOURCE_DIR) / "resources";
    options.registry = userFolder("XDG_CONFIG_HOME", ".config") / "registry.txt";
    options.drives = userFolder("XDG_DATA_HOME", ".local/share") / "drives";
    options.module = exe.parent_path().parent_path() / "lib" / "libtrkss.so";
    return options;
}

// A folder as an absolute path; the settings add the trailing separator.
Trk_String folderSetting(const std::filesystem::path& folder) {
    return Trk_String(std::filesystem::absolute(folder).lexically_normal().wstring().c_str());
}

} // namespace

std::string usage() {
    return "usage: trkhost [options] <job> [arguments]\n"
           "\n"
           "Plays the CAD program and the core application: loads the module, sends it the\n"
           "initialisation message, runs one job, and sends the unload message on exit.\n"
           "\n"
           "options:\n"
           "  --library DIR    library folder (default: the shipped examples/library)\n"
           "  --install DIR    installation folder holding texts/<language>.txt\n"
           "                   (default: the source tree's resources/)\n"
           "  --registry FILE  registry file (default: ~/.config/trkss/registry.txt)\n"
           "  --drives DIR     folder under which drive-letter paths live, one folder per drive\n"
           "                   (default: ~/.local/share/trkss/drives)\n"
           "  --language LANG  interface language (default: en)\n"
           "  --module FILE    the module to load (default: lib/libtrkss.so beside bin/)\n"
           "  --quiet          do not echo the command line of the CAD program\n"
           "  --help           this text\n"
           "\n"
           "jobs:\n"
           "  info             load the module and report what it offers\n"
           "  demo             the main job on the library folder\n"
           "  read-sheet PATH  print the first cell, captions and rows of a sheet file\n"
           "  standards STANDARD MACRO KEY\n"
           "                   evaluate a connection standard of the library against a macro\n"
           "                   file through mapping KEY (or Module.GROUP); the macro file is\n"
           "                   updated only when the evaluation succeeds\n"
           "  standards --demo the shipped example on a copy of its macro\n";
}

std::optional<HostOptions> parseOptions(int argc, char** argv, const std::filesystem::path& exe,
                                        std::string& problem) {
    HostOptions options = defaults(exe);
    const std::map<std::string, std::filesystem::path HostOptions::*> paths = {
        {"--library", &HostOptions::library},
        {"--install", &HostOptions::install},
        {"--registry", &HostOptions::registry},
        {"--drives", &HostOptions::drives},
        {"--module", &HostOptions::module}};
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (!options.job.empty()) {
            options.jobArguments.push_back(arg);
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--quiet") {
            options.echo = false;
        } else if (paths.count(arg) || arg == "--language") {
            if (i + 1 >= argc) {
                problem = arg + " needs a value";
                return std::nullopt;
            }
            if (arg == "--language")
                options.language = argv[++i];
            else
                options.*paths.at(arg) = argv[++i];
        } else if (arg.starts_with("-")) {
            problem = "unknown option " + arg;
            return std::nullopt;
        } else {
            options.job = arg;
        }
    }
    return options;
}

void applyOptions(const HostOptions& options) {
    acadx::setEcho(options.echo);
    gSettings.setLibDir(folderSetting(options.library));
    gSettings.setTrkDir(folderSetting(options.install));
    gSettings.setWorkLanguage(Trk_String(winx::fromUtf8(options.language).c_str()));
    winx::setDriveRoot(options.drives);

    std::error_code ignored;
    std::filesystem::create_directories(options.registry.parent_path(), ignored);
    const auto registry = winx::setRegistryFile(options.registry);
    if (!registry.ok)
        acutPrintf(L"*Warning* registry file %s: %s; starting with an empty registry\n",
                   options.registry.wstring().c_str(), registry.problem.c_str());

    Trk_String problems;
    const Trk_String texts = dialStringsFile();
    if (loadDialStrings(texts, problems) != eOk || !problems.isEmpty())
        acutPrintf(L"*Warning* interface texts %s:\n%s\n", texts.c_str(), problems.c_str());
}

} // namespace trkhost
