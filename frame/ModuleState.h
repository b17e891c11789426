// Module-wide state, created at load and owned by the module: the instance handle, the
// check-box pictures of grids, the modeless macro dialogs and the constraints editor.
#pragma once

#include "macro/CDlgEditMacro.h"
#include "macro/CDlgMacro.h"

#include <afxwin.h>

#include <memory>
#include <utility>
#include <vector>

namespace trkss {

struct ModuleState {
    HINSTANCE instance = nullptr;
    CBitmap checkedBitmap;   // bitmap resource 8134
    CBitmap uncheckedBitmap; // bitmap resource 8136
    // Modeless macro dialogs by slot; an empty slot holds null. The slot is the dialog's
    // identity towards the core.
    std::vector<std::unique_ptr<CDlgMacro>> macroDialogs;
    // Postponed closes: (timer id, slot).
    std::vector<std::pair<UINT_PTR, int>> pendingCloses;
    std::unique_ptr<CDlgEditMacro> constraintsEditor;
};

ModuleState& moduleState();

// Loads the check-box pictures from the module's resources.
void loadCheckBoxBitmaps();
// Closes what the module still holds when the library goes away: postponed closes are
// abandoned (their timers would call into unloaded code) and every window is destroyed.
void releaseModuleState();

} // namespace trkss
