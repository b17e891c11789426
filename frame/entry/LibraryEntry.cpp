// The shared module's load and unload hooks: give the module an instance handle, register its
// embedded resources and run the library's attach and detach.
#include "frame/ModuleEntry.h"

#include "win/winx.h"

void trkssRegisterResources(HINSTANCE module);

namespace {

HINSTANCE moduleInstance() {
    static HINSTANCE instance = winx::attachModule(L"trkss");
    return instance;
}

__attribute__((constructor)) void attachLibrary() {
    trkssRegisterResources(moduleInstance());
    trkssDllMain(moduleInstance(), kProcessAttach);
}

__attribute__((destructor)) void detachLibrary() {
    trkssDllMain(moduleInstance(), kProcessDetach);
}

} // namespace
