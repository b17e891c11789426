// trkhost: plays the CAD program and the core application around the module.
#include "ElfSymbols.h"
#include "HostOptions.h"
#include "ModuleLoader.h"

#include "win/winbase.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdio>

namespace {

using trkhost::HostOptions;

constexpr int kJobFailed = 1;
constexpr int kUsageError = 2;
constexpr int kLoadFailed = 3;

std::filesystem::path executablePath(const char* argv0) {
    std::error_code error;
    auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::absolute(argv0) : path;
}

// Prints the module's exported functions, classes and objects.
int reportOffer(const trkhost::ModuleLoader& module) {
    std::printf("Module: %s (interface version %d)\n", module.path().c_str(), module.apiVersion());
    const auto image = winx::readFile(module.path());
    const auto symbols = image ? trkhost::exportedSymbols(*image) : std::nullopt;
    if (!symbols) {
        std::fprintf(stderr, "trkhost: cannot read the export table of %s\n",
                     module.path().c_str());
        return kJobFailed;
    }
    std::vector<std::string> functions, classes, objects;
    for (const auto& s : *symbols) {
        if (s.demangled.starts_with("typeinfo for std::") ||
            s.demangled.starts_with("typeinfo for __gnu"))
            continue; // instantiations of the standard library, not the module's own
        if (s.demangled.starts_with("typeinfo for "))
            classes.push_back(s.demangled.substr(13));
        else if (s.isFunction && s.demangled.find("::") == std::string::npos)
            functions.push_back(s.demangled);
        else if (!s.isFunction && s.demangled.find(' ') == std::string::npos)
            objects.push_back(s.demangled);
    }
    for (auto* list : {&functions, &classes, &objects})
        std::sort(list->begin(), list->end());
    std::printf("Exported functions (%zu):\n", functions.size());
    for (const auto& f : functions)
        std::printf("  %s\n", f.c_str());
    std::printf("Exported classes (%zu):\n", classes.size());
    for (const auto& c : classes)
        std::printf("  %s\n", c.c_str());
    std::printf("Exported objects (%zu):\n", objects.size());
    for (const auto& o : objects)
        std::printf("  %s\n", o.c_str());
    return 0;
}

using RunJob = int (*)(const char* job, int argc, const char* const* argv);

// Runs a job of the core's job library, which calls the module's launchers.
int runCoreJob(const HostOptions& options) {
    const auto library = options.module.parent_path() / "libtrkjobs.so";
    void* jobs = dlopen(library.c_str(), RTLD_NOW);
    if (!jobs) {
        const char* why = dlerror();
        std::fprintf(stderr, "trkhost: cannot load the job library: %s\n", why ? why : "");
        return kLoadFailed;
    }
    auto* run = reinterpret_cast<RunJob>(dlsym(jobs, "trkRunJob"));
    std::vector<const char*> args;
    for (const auto& a : options.jobArguments)
        args.push_back(a.c_str());
    const int result =
        run ? run(options.job.c_str(), static_cast<int>(args.size()), args.data()) : kLoadFailed;
    dlclose(jobs);
    if (result < 0) {
        std::fprintf(stderr, "trkhost: unknown job '%s'\n%s", options.job.c_str(),
                     trkhost::usage().c_str());
        return kUsageError;
    }
    return result;
}

} // namespace

int main(int argc, char** argv) {
    std::string problem;
    const auto options = trkhost::parseOptions(argc, argv, executablePath(argv[0]), problem);
    if (!options) {
        std::fprintf(stderr, "trkhost: %s\n%s", problem.c_str(), trkhost::usage().c_str());
        return kUsageError;
    }
    if (options->help || options->job.empty()) {
        std::fputs(trkhost::usage().c_str(), options->help ? stdout : stderr);
        return options->help ? 0 : kUsageError;
    }
    trkhost::applyOptions(*options);

    trkhost::ModuleLoader module;
    if (!module.load(options->module)) {
        std::fprintf(stderr, "trkhost: cannot load the module %s: %s\n", options->module.c_str(),
                     module.error().c_str());
        return kLoadFailed;
    }
    int result = 0;
    if (options->job == "info") {
        result = reportOffer(module);
    } else {
        if (options->job == "demo") result = reportOffer(module);
        if (result == 0) result = runCoreJob(*options);
    }
    module.unload();
    return result;
}
