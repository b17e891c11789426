#include "frame/KvSSDlgsMgr.h"

#include "standards/CDlgSSStandards.h"

#include "aced.h"

namespace {

// Creates a hidden host dialog; null when its window cannot be made.
std::shared_ptr<CDlgSSStandards> createHostDialog() {
    auto dialog = std::make_shared<CDlgSSStandards>();
    if (!dialog->createHidden(CWnd::FromHandle(adsw_acadMainWnd()))) return nullptr;
    return dialog;
}

} // namespace

KvSSDlgsMgr gSSDlgsMgr;

KvSSDlgsMgr::KvSSDlgsMgr() = default;
KvSSDlgsMgr::KvSSDlgsMgr(const KvSSDlgsMgr& other) = default;
KvSSDlgsMgr& KvSSDlgsMgr::operator=(const KvSSDlgsMgr& other) = default;

KvSSDlgsMgr::~KvSSDlgsMgr() {
    destroyAll();
}

CDlgSSStandards* KvSSDlgsMgr::getDlg() {
    for (size_t i = 0; i < inUse.size(); ++i) {
        if (inUse[i]) continue;
        if (i < dialogs.size()) {
            inUse[i] = 1;
            return dialogs[i].get();
        }
        break;
    }
    auto dialog = createHostDialog();
    if (!dialog) return nullptr;
    dialogs.push_back(std::move(dialog));
    inUse.push_back(1);
    return dialogs.back().get();
}

ErrorStatus KvSSDlgsMgr::releaseDlg(CDlgSSStandards* dialog) {
    for (size_t i = 0; i < dialogs.size(); ++i) {
        if (!dialog || dialogs[i].get() != dialog) continue;
        if (i >= inUse.size()) return eInvalidInput;
        inUse[i] = 0;
        return eOk;
    }
    return eInvalidInput;
}

ErrorStatus KvSSDlgsMgr::destroyDlg(int index) {
    if (index < 0 || index >= dialogCount() || !dialogs[static_cast<size_t>(index)])
        return eInvalidInput;
    // The window goes with the last pool that holds the dialog (see the copy constructor).
    dialogs.erase(dialogs.begin() + index);
    return eOk;
}

void KvSSDlgsMgr::destroyAll() {
    for (int i = dialogCount() - 1; i >= 0; --i)
        (void)destroyDlg(i);
    inUse.clear();
}

bool KvSSDlgsMgr::isInUse(int index) const {
    return index >= 0 && static_cast<size_t>(index) < inUse.size() &&
           inUse[static_cast<size_t>(index)] != 0;
}

CDlgSSStandards* KvSSDlgsMgr::dialogAt(int index) const {
    return index >= 0 && index < dialogCount() ? dialogs[static_cast<size_t>(index)].get()
                                               : nullptr;
}
