// Launchers of the constraints editor: modal, or one modeless instance at a time.
#include "frame/Launcher.h"
#include "frame/ModuleState.h"
#include "frame/TrkSS.h"

#include "aced.h"

bool StartDlgEditConstrModal(EditConstrData& data) {
    return trkss::runModal<CDlgEditMacro>(L"StartDlgEditConstrModal", data, trkss::CopyBack::Never);
}

bool StartDlgEditConstraints(EditConstrData& data) {
    auto& editor = trkss::moduleState().constraintsEditor;
    if (editor) return true;
    return trkss::withModuleResources(L"StartDlgEditConstraints", false, [&] {
        CWnd* main = CWnd::FromHandle(adsw_acadMainWnd());
        auto dialog = std::make_unique<CDlgEditMacro>(main);
        dialog->data = data;
        if (!dialog->createModeless(main)) return false;
        editor = std::move(dialog);
        SetFocus(adsw_acadMainWnd());
        return true;
    });
}

void EndDlgEditConstraints() {
    auto& editor = trkss::moduleState().constraintsEditor;
    if (editor) {
        if (!editor->DestroyWindow()) acutPrintf(L"Erase window failed\n");
        editor.reset();
    }
    acedPostCommandPrompt();
}
