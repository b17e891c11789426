// The core's jobs: what the core application asks of the module, run from the host's command
// line. Each job returns the process exit code.
#include "ReadSheetJob.h"
#include "StandardsJob.h"

#include "frame/TrkSS.h"

#include "trk/MacroData.h"

#include <cstdio>
#include <functional>
#include <map>
#include <string>

namespace {

using Arguments = std::vector<std::string>;
using Job = std::function<int(const Arguments&)>;

// Opens and closes a modeless macro dialog and lends a standards host dialog: the module's
// frame at work.
int demo(const Arguments&) {
    MacroData data;
    int slot = -1;
    const bool opened = StartDlgMacroModeless(true, data, slot);
    const bool closed = opened && EndDlgMacroModeless(slot);
    std::printf("Modeless macro dialog: %s in slot %d, %s\n", opened ? "opened" : "not opened",
                slot, closed ? "closed" : "not closed");
    CDlgSSStandards* host = gSSDlgsMgr.getDlg();
    const bool released = host && gSSDlgsMgr.releaseDlg(host) == eOk;
    std::printf("Standards host dialogs: %d in the pool, lending %s\n", gSSDlgsMgr.dialogCount(),
                released ? "works" : "failed");
    return opened && closed && released ? 0 : 1;
}

const std::map<std::string, Job>& jobs() {
    static const std::map<std::string, Job> table = {{"demo", demo},
                                                     {"read-sheet", trkjobs::readSheet},
                                                     {"standards", trkjobs::standards}};
    return table;
}

} // namespace

// Runs the named job; -1 when there is no such job.
extern "C" __attribute__((visibility("default"))) int trkRunJob(const char* job, int argc,
                                                                const char* const* argv) {
    const auto it = jobs().find(job ? job : "");
    if (it == jobs().end()) return -1;
    return it->second(Arguments(argv, argv + argc));
}
