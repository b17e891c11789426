// Launchers of standards spreadsheets: an evaluation runs in a dialog lent by the pool.
#include "frame/Launcher.h"
#include "frame/TrkSS.h"

#include "standards/CDlgSSStandards.h"

namespace {

// Runs the evaluation of the request held by a lent dialog. The calculator arrives with the
// standards evaluation; until then no spreadsheet can be evaluated.
bool evaluate(CDlgSSStandards&) {
    return false;
}

} // namespace

bool StartDlgStandardsSS(KvDlgStandardsData& request) {
    return trkss::withModuleResources(L"StartDlgStandardsSS", false, [&] {
        CDlgSSStandards* dialog = gSSDlgsMgr.getDlg();
        if (!dialog) return false;
        dialog->request = request;
        const bool ok = evaluate(*dialog);
        if (ok) request = dialog->request;
        (void)gSSDlgsMgr.releaseDlg(dialog);
        return ok;
    });
}
