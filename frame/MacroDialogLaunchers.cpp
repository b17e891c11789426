// Launchers of the macro dialog: modal, and modeless in numbered slots with a postponed close
// while the core is busy with the dialog's macro.
#include "frame/Launcher.h"
#include "frame/ModuleState.h"
#include "frame/TrkSS.h"

#include "aced.h"

namespace {

using trkss::moduleState;

constexpr UINT kBusyRetryMs = 50;

auto& slots() {
    return moduleState().macroDialogs;
}

bool isOccupied(int slot) {
    return slot >= 0 && slot < static_cast<int>(slots().size()) &&
           slots()[static_cast<size_t>(slot)] != nullptr;
}

// The last empty slot, or a new slot at the end.
int chooseSlot() {
    int slot = -1;
    for (size_t i = 0; i < slots().size(); ++i)
        if (!slots()[i]) slot = static_cast<int>(i);
    if (slot >= 0) return slot;
    slots().emplace_back();
    return static_cast<int>(slots().size()) - 1;
}

void dropTrailingEmptySlots() {
    while (!slots().empty() && !slots().back())
        slots().pop_back();
}

// A postponed close that outlived its dialog must not close a later dialog of the same slot.
void forgetPendingClosesOf(int slot) {
    std::erase_if(moduleState().pendingCloses, [slot](const auto& entry) {
        if (entry.second != slot) return false;
        KillTimer(nullptr, entry.first);
        return true;
    });
}

void delayedCloseProc(HWND, UINT, UINT_PTR timer, DWORD) {
    acutPrintf(L"Delayed timer called.\n");
    auto& pending = moduleState().pendingCloses;
    const auto it = std::find_if(pending.begin(), pending.end(),
                                 [timer](const auto& entry) { return entry.first == timer; });
    if (it == pending.end()) return;
    const int slot = it->second;
    KillTimer(nullptr, timer);
    EndDlgMacroModeless(slot);
    std::erase_if(pending, [timer](const auto& entry) { return entry.first == timer; });
}

} // namespace

void StartDlgMacro(MacroData& data) {
    (void)trkss::runModal<CDlgMacro>(L"StartDlgMacro", data, trkss::CopyBack::Always);
}

bool StartDlgMacroModeless(bool keepFocus, MacroData& data, int& slot) {
    return trkss::withModuleResources(L"StartDlgMacroModeless", false, [&] {
        slot = chooseSlot();
        CWnd* main = CWnd::FromHandle(adsw_acadMainWnd());
        auto dialog = std::make_unique<CDlgMacro>(main);
        dialog->registryPos = slot;
        dialog->data = data;
        if (!dialog->createModeless(main)) return false;
        slots()[static_cast<size_t>(slot)] = std::move(dialog);
        if (!keepFocus) SetFocus(adsw_acadMainWnd());
        return true;
    });
}

bool GetDlgMacroData(int slot, MacroData& data) {
    if (!isOccupied(slot)) return false;
    data = slots()[static_cast<size_t>(slot)]->data;
    return true;
}

bool EndDlgMacroModeless(int slot) {
    if (!isOccupied(slot)) return false;
    auto& dialog = slots()[static_cast<size_t>(slot)];
    if (dialog->data.isBusy) {
        const UINT_PTR timer = SetTimer(nullptr, 0, kBusyRetryMs, delayedCloseProc);
        moduleState().pendingCloses.emplace_back(timer, slot);
        return true;
    }
    if (!dialog->DestroyWindow()) return false;
    dialog.reset();
    forgetPendingClosesOf(slot);
    if (slot == static_cast<int>(slots().size()) - 1) dropTrailingEmptySlots();
    acedPostCommandPrompt();
    return true;
}

void DestroyAllMacroDlgs() {
    for (int slot = static_cast<int>(slots().size()) - 1; slot >= 0; --slot)
        EndDlgMacroModeless(slot);
}
