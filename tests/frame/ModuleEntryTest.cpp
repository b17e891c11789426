#include "FrameTestSupport.h"

#include "frame/Launcher.h"

#include "accmd.h"
#include "aced.h"
#include "rxdlinkr.h"

#include <afxwin.h>

#include <stdexcept>

namespace trkss::test {
namespace {

using ModuleEntryTest = LoadedModule;

TEST_F(ModuleEntryTest, InitialisationUnlocksRegistersAndLoadsTheCheckBoxPictures) {
    auto* linker = acrxDynamicLinkerService();
    EXPECT_FALSE(linker->isApplicationLocked(&appId));
    EXPECT_TRUE(linker->isAppMDIAware(&appId));
    BITMAP checked{}, unchecked{};
    ASSERT_TRUE(moduleState().checkedBitmap.GetSafeHandle());
    ASSERT_TRUE(moduleState().uncheckedBitmap.GetSafeHandle());
    ASSERT_NE(moduleState().checkedBitmap.GetBitmap(&checked), 0);
    ASSERT_NE(moduleState().uncheckedBitmap.GetBitmap(&unchecked), 0);
    EXPECT_EQ(checked.bmWidth, 13);
    EXPECT_EQ(unchecked.bmHeight, 13);
    EXPECT_EQ(acrxEntryPoint(AcRx::kLoadDwgMsg, &appId), AcRx::kRetOK);
    EXPECT_EQ(acrxGetApiVersion(), kAcRxApiVersion);
}

TEST_F(ModuleEntryTest, UnloadRemovesTheCommandGroupAndClosesModelessWindows) {
    acedRegCmds()->addCommand(L"TRUSKA_SS", L"SSCMD", nullptr, 0, nullptr);
    MacroData macro;
    int slot = -1;
    ASSERT_TRUE(StartDlgMacroModeless(true, macro, slot));
    EditConstrData constraints;
    ASSERT_TRUE(StartDlgEditConstraints(constraints));
    const HWND macroWindow = moduleState().macroDialogs.at(0)->m_hWnd;
    const HWND editorWindow = moduleState().constraintsEditor->m_hWnd;

    EXPECT_EQ(acrxEntryPoint(AcRx::kUnloadAppMsg, &appId), AcRx::kRetOK);
    EXPECT_EQ(acedRegCmds()->lookupCmd(L"SSCMD"), nullptr);
    EXPECT_EQ(acedRegCmds()->removedGroups().back(), L"TRUSKA_SS");
    EXPECT_FALSE(IsWindow(macroWindow));
    EXPECT_FALSE(IsWindow(editorWindow));
    EXPECT_TRUE(moduleState().macroDialogs.empty());
    EXPECT_EQ(moduleState().constraintsEditor, nullptr);
}

TEST_F(ModuleEntryTest, LaunchersRestoreTheResourceSourceOnEveryWayOut) {
    const HINSTANCE other = winx::attachModule(L"someOtherModule");
    AfxSetResourceHandle(other);
    HINSTANCE seenInside = nullptr;
    EXPECT_TRUE(withModuleResources(L"test", false, [&] {
        seenInside = AfxGetResourceHandle();
        return true;
    }));
    EXPECT_EQ(seenInside, moduleInstance());
    EXPECT_EQ(AfxGetResourceHandle(), other);

    acadx::clearPrinted();
    EXPECT_EQ(withModuleResources(L"Thrower", 7,
                                  []() -> int { throw std::runtime_error("bad template"); }),
              7);
    EXPECT_EQ(AfxGetResourceHandle(), other);
    EXPECT_EQ(acadx::printedText(), L"*Error* Thrower: bad template\n");
}

TEST_F(ModuleEntryTest, TheSingleConstraintsEditorOpensOnceAndReportsAFailedErase) {
    EditConstrData data;
    data.macroName = L"Base plate";
    ASSERT_TRUE(StartDlgEditConstraints(data));
    CDlgEditMacro* editor = moduleState().constraintsEditor.get();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(GetFocus(), adsw_acadMainWnd());
    data.macroName = L"Other";
    EXPECT_TRUE(StartDlgEditConstraints(data)) << "already open: nothing happens";
    EXPECT_EQ(moduleState().constraintsEditor.get(), editor);
    EXPECT_EQ(editor->data.macroName, Trk_String(L"Base plate"));

    const int prompts = acadx::promptCount();
    EndDlgEditConstraints();
    EXPECT_EQ(moduleState().constraintsEditor, nullptr);
    EXPECT_EQ(acadx::promptCount(), prompts + 1);

    ASSERT_TRUE(StartDlgEditConstraints(data));
    ::DestroyWindow(moduleState().constraintsEditor->m_hWnd); // gone behind the module's back
    acadx::clearPrinted();
    EndDlgEditConstraints();
    EXPECT_EQ(acadx::printedText(), L"Erase window failed\n");
    EXPECT_EQ(moduleState().constraintsEditor, nullptr) << "forgotten all the same";
}

TEST_F(ModuleEntryTest, TheModalConstraintsEditorCopiesTheRecordInOnly) {
    EditConstrData data;
    data.macroName = L"in";
    winx::queueScript(winx::DialogScript()
                          .forTemplate(8715)
                          .call([](HWND hwnd) {
                              auto* dialog = dialogOf<CDlgEditMacro>(hwnd);
                              ASSERT_NE(dialog, nullptr);
                              EXPECT_EQ(dialog->data.macroName, Trk_String(L"in"));
                              dialog->data.macroName = L"changed";
                          })
                          .click(IDOK));
    EXPECT_TRUE(StartDlgEditConstrModal(data));
    EXPECT_EQ(data.macroName, Trk_String(L"in"));
    winx::queueScript(winx::DialogScript().forTemplate(8715).click(IDCANCEL));
    EXPECT_FALSE(StartDlgEditConstrModal(data));
}

TEST_F(ModuleEntryTest, AModalLauncherNobodyDrivesIsCancelledAndRecorded) {
    EditConstrData data;
    EXPECT_FALSE(StartDlgEditConstrModal(data));
    const auto unattended = winx::unattended();
    ASSERT_EQ(unattended.size(), 1u);
    EXPECT_EQ(unattended[0].templateId, 8715);
    winx::resetRecords(); // expected here; the fixture checks that nothing else was left
}

TEST_F(ModuleEntryTest, EveryResourceOfTheModuleParses) {
    EXPECT_TRUE(winx::resourceProblems().empty());
    for (int id : {253, 8131, 8715}) {
        CDialog probe(static_cast<UINT>(id));
        EXPECT_TRUE(probe.Create(static_cast<UINT>(id), nullptr)) << "template " << id;
        probe.DestroyWindow();
    }
}

} // namespace
} // namespace trkss::test
