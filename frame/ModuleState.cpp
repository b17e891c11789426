#include "frame/ModuleState.h"

namespace trkss {

namespace {
constexpr UINT kCheckedBitmap = 8134;
constexpr UINT kUncheckedBitmap = 8136;
} // namespace

ModuleState& moduleState() {
    static ModuleState state;
    return state;
}

void loadCheckBoxBitmaps() {
    auto& state = moduleState();
    if (!state.checkedBitmap.GetSafeHandle()) state.checkedBitmap.LoadBitmap(kCheckedBitmap);
    if (!state.uncheckedBitmap.GetSafeHandle()) state.uncheckedBitmap.LoadBitmap(kUncheckedBitmap);
}

void releaseModuleState() {
    auto& state = moduleState();
    for (const auto& [timer, slot] : state.pendingCloses)
        KillTimer(nullptr, timer);
    state.pendingCloses.clear();
    state.macroDialogs.clear();
    state.constraintsEditor.reset();
    state.checkedBitmap.DeleteObject();
    state.uncheckedBitmap.DeleteObject();
}

} // namespace trkss
