// The pool of hidden standards host dialogs: one dialog per nesting level of a standards
// evaluation (a spreadsheet calling a child spreadsheet lends a second dialog, and so on).
#pragma once

#include "frame/TrkSSApi.h"
#include "trk/ErrorStatus.h"

#include <memory>
#include <vector>

class CDlgSSStandards;

class TRKSS_API KvSSDlgsMgr {
public:
    KvSSDlgsMgr();
    // A copy shares the dialogs (a dialog lives while any pool holds it) and copies the marks.
    KvSSDlgsMgr(const KvSSDlgsMgr& other);
    KvSSDlgsMgr& operator=(const KvSSDlgsMgr& other);
    virtual ~KvSSDlgsMgr();

    // Lends a free host dialog, creating one (hidden, parented to the CAD program's main
    // window) when all are lent. Null when creation fails.
    CDlgSSStandards* getDlg();
    // Returns a lent dialog to the pool; eInvalidInput for a dialog the pool does not hold.
    ErrorStatus releaseDlg(CDlgSSStandards* dialog);
    // Destroys every dialog of the pool.
    void destroyAll();

    int dialogCount() const { return static_cast<int>(dialogs.size()); }
    // True while the dialog at index is lent out.
    bool isInUse(int index) const;
    // The dialog at index, or null.
    CDlgSSStandards* dialogAt(int index) const;

private:
    ErrorStatus destroyDlg(int index);

    std::vector<std::shared_ptr<CDlgSSStandards>> dialogs;
    std::vector<unsigned char> inUse;
};

// The module's pool.
extern TRKSS_API KvSSDlgsMgr gSSDlgsMgr;
