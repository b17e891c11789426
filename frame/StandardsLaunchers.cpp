// Launchers of standards spreadsheets: an evaluation runs in a dialog lent by the pool, one
// dialog per nesting level (a child spreadsheet is evaluated while its caller's dialog is lent).
#include "frame/Launcher.h"
#include "frame/TrkSS.h"

#include "standards/CDlgSSStandards.h"
#include "standards/KvDlgStandardsData.h"

namespace {

// The developer entry's child request: a test sheet with two inputs and two outputs.
KvDlgStandardsData developerTestRequest() {
    KvDlgStandardsData request;
    request.mode = 1;
    request.spreadsheet = L"c:\\a\\a\\a\\test.kvs";
    const struct {
        const wchar_t* name;
        KvCellType kind;
        const wchar_t* value;
    } passed[] = {
        {L"Column", KvCellType::Input, L"IPE-200"},
        {L"Thickness", KvCellType::Input, L"10"},
        {L"Width", KvCellType::Output, L"212"},
        {L"Length", KvCellType::Output, L"356"},
    };
    for (const auto& variable : passed) {
        KvVarCell cell;
        cell.name = variable.name;
        cell.kind = variable.kind;
        cell.value = variable.value;
        request.cells.append(cell);
    }
    return request;
}

// Returns a lent dialog to the pool on every way out.
class LentDialog {
public:
    explicit LentDialog(CDlgSSStandards* dialog) : dialog_(dialog) {}
    ~LentDialog() {
        if (dialog_) (void)gSSDlgsMgr.releaseDlg(dialog_);
    }
    LentDialog(const LentDialog&) = delete;
    LentDialog& operator=(const LentDialog&) = delete;
    CDlgSSStandards* get() const { return dialog_; }

private:
    CDlgSSStandards* dialog_;
};

} // namespace

bool StartDlgStandardsSS(KvDlgStandardsData& request) {
    return trkss::withModuleResources(L"StartDlgStandardsSS", false, [&] {
        const LentDialog lent(gSSDlgsMgr.getDlg());
        CDlgSSStandards* dialog = lent.get();
        if (!dialog) return false;
        dialog->request = request;
        if (!dialog->evaluate()) return false;
        request = dialog->request;
        return true;
    });
}

bool StartDlgStandardsSStest() {
    KvDlgStandardsData request = developerTestRequest();
    return StartDlgStandardsSS(request);
}
