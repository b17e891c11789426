// Library attach and detach, and the entry point through which the CAD program initialises
// and unloads the module.
#include "frame/ModuleEntry.h"

#include "frame/ModuleState.h"
#include "frame/TrkSS.h"

#include "accmd.h"
#include "rxdlinkr.h"
#include "trk/KvTempResourceOverride.h"

#include <afxwin.h>

namespace {

AFX_EXTENSION_MODULE extensionModule;

void initApplication(void* appId) {
    if (auto* linker = AcRxDynamicLinker::cast(acrxSysRegistry()->at(ACRX_DYNAMIC_LINKER))) {
        linker->unlockApplication(appId);
        linker->registerAppMDIAware(appId);
    }
    trkss::loadCheckBoxBitmaps();
}

void unloadApplication() {
    if (auto* commands = AcEdCommandStack::cast(acrxSysRegistry()->at(ACRX_COMMAND_DOCK)))
        (void)commands->removeGroup(L"TRUSKA_SS");
    DestroyAllMacroDlgs();
    EndDlgEditConstraints();
}

} // namespace

BOOL trkssDllMain(HINSTANCE instance, DWORD reason) {
    if (reason == kProcessAttach) {
        trkss::moduleState().instance = instance;
        KvTempResourceOverride::SaveDefaultResource(instance);
        if (!AfxInitExtensionModule(extensionModule, instance)) return FALSE;
        new CDynLinkLibrary(extensionModule);
    } else if (reason == kProcessDetach) {
        trkss::releaseModuleState();
        AfxTermExtensionModule(extensionModule);
    }
    return TRUE;
}

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode message, void* appId) {
    switch (message) {
    case AcRx::kInitAppMsg:
        initApplication(appId);
        break;
    case AcRx::kUnloadAppMsg:
        unloadApplication();
        break;
    default:
        break;
    }
    return AcRx::kRetOK;
}

extern "C" int acrxGetApiVersion() {
    return kAcRxApiVersion;
}
