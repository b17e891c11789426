#include "ModuleLoader.h"

#include "rxentry.h"

#include <dlfcn.h>

namespace trkhost {
namespace {

using EntryPoint = AcRx::AppRetCode (*)(AcRx::AppMsgCode, void*);
using ApiVersion = int (*)();

// The application id the CAD program hands to the entry point.
int applicationId;

} // namespace

ModuleLoader::~ModuleLoader() {
    unload();
}

bool ModuleLoader::load(const std::filesystem::path& library) {
    unload();
    handle_ = dlopen(library.c_str(), RTLD_NOW | RTLD_GLOBAL);
    if (!handle_) {
        const char* why = dlerror();
        error_ = why ? why : "cannot open the library";
        return false;
    }
    path_ = library;
    entryPoint_ = symbol("acrxEntryPoint");
    if (!entryPoint_) {
        error_ = "the library has no entry point acrxEntryPoint";
        dlclose(handle_);
        handle_ = nullptr;
        return false;
    }
    reinterpret_cast<EntryPoint>(entryPoint_)(AcRx::kInitAppMsg, &applicationId);
    return true;
}

void ModuleLoader::unload() {
    if (!handle_) return;
    reinterpret_cast<EntryPoint>(entryPoint_)(AcRx::kUnloadAppMsg, &applicationId);
    dlclose(handle_);
    handle_ = nullptr;
    entryPoint_ = nullptr;
}

void* ModuleLoader::symbol(const char* name) const {
    return handle_ ? dlsym(handle_, name) : nullptr;
}

int ModuleLoader::apiVersion() const {
    auto* version = reinterpret_cast<ApiVersion>(symbol("acrxGetApiVersion"));
    return version ? version() : -1;
}

} // namespace trkhost
