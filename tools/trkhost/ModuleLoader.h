// Loads the module the way the CAD program loads an application: the library is opened, the
// entry point receives the initialisation message, and on unload the unload message before the
// library is closed.
#pragma once

#include <filesystem>
#include <string>

namespace trkhost {

class ModuleLoader {
public:
    ModuleLoader() = default;
    ModuleLoader(const ModuleLoader&) = delete;
    ModuleLoader& operator=(const ModuleLoader&) = delete;
    // Unloads when still loaded.
    ~ModuleLoader();

    // Opens the library and sends the initialisation message. False with error() set when the
    // library cannot be opened or has no entry point.
    bool load(const std::filesystem::path& library);
    // Sends the unload message and closes the library.
    void unload();
    // The address of an exported symbol, or null.
    void* symbol(const char* name) const;
    int apiVersion() const;
    const std::string& error() const { return error_; }
    const std::filesystem::path& path() const { return path_; }

private:
    void* handle_ = nullptr;
    void* entryPoint_ = nullptr;
    std::filesystem::path path_;
    std::string error_;
};

} // namespace trkhost
