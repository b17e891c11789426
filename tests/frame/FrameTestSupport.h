// A loaded module for frame tests: the module's resources are registered, the library's attach
// has run and the CAD program has sent the initialisation message; everything is unloaded and
// reset at the end.
#pragma once

#include "frame/ModuleEntry.h"
#include "frame/ModuleState.h"
#include "frame/TrkSS.h"

#include "acadx.h"
#include "win/winx.h"
#include "win/winx_script.h"

#include <gtest/gtest.h>

void trkssRegisterResources(HINSTANCE module);

namespace trkss::test {

// The module instance, registered once per process as the library loader does.
inline HINSTANCE moduleInstance() {
    static const HINSTANCE instance = [] {
        const HINSTANCE h = winx::attachModule(L"trkss");
        trkssRegisterResources(h);
        return h;
    }();
    return instance;
}

// The module's dialog object behind a dialog window a script is driving.
template <class Dialog>
Dialog* dialogOf(HWND hwnd) {
    return dynamic_cast<Dialog*>(CWnd::FromHandlePermanent(hwnd));
}

class LoadedModule : public ::testing::Test {
protected:
    void SetUp() override {
        acadx::reset();
        ASSERT_TRUE(trkssDllMain(moduleInstance(), kProcessAttach));
        acrxEntryPoint(AcRx::kInitAppMsg, &appId);
    }
    void TearDown() override {
        acrxEntryPoint(AcRx::kUnloadAppMsg, &appId);
        gSSDlgsMgr.destroyAll();
        trkssDllMain(moduleInstance(), kProcessDetach);
        EXPECT_TRUE(winx::unattended().empty()) << "a dialog was left unattended";
        EXPECT_TRUE(winx::problems().empty());
    }

    // Number of slots in the modeless macro-dialog table, empty ones included.
    static int slotCount() { return static_cast<int>(moduleState().macroDialogs.size()); }
    static CDlgMacro* dialogIn(int slot) {
        return moduleState().macroDialogs.at(static_cast<size_t>(slot)).get();
    }

    winx::TestSession session;
    int appId = 0;
};

} // namespace trkss::test
