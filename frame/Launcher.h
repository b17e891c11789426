// The common contract of the module's launchers: the module's resources are the resource
// source while a launcher runs (restored on every way out), nothing is thrown to the caller,
// and a modal dialog works on its own copy of the caller's record.
#pragma once

#include "trk/KvTempResourceOverride.h"

#include "acutads.h"

#include <windows.h>

#include <exception>
#include <utility>

namespace trkss {

// When a modal dialog's copy of the record goes back to the caller.
enum class CopyBack { OnOk, Always, Never };

// Runs body with the module's resources; an exception is reported on the command line and
// gives fallback. The previous resource source is restored whichever way body ends.
template <class Body, class Result = std::invoke_result_t<Body>>
Result withModuleResources(const wchar_t* launcher, Result fallback, Body&& body) noexcept {
    KvTempResourceOverride resources;
    try {
        return std::forward<Body>(body)();
    } catch (const std::exception& e) {
        acutPrintf(L"*Error* %s: %S\n", launcher, e.what());
    } catch (...) {
        acutPrintf(L"*Error* %s: unexpected failure\n", launcher);
    }
    return fallback;
}

// Runs Dialog modally, without parent, on a copy of record (Dialog::record() gives its copy).
// True when the dialog ended with OK; record takes the dialog's copy as copyBack says.
template <class Dialog, class Record>
bool runModal(const wchar_t* launcher, Record& record, CopyBack copyBack = CopyBack::OnOk) {
    return withModuleResources(launcher, false, [&] {
        Dialog dialog;
        dialog.record() = record;
        const bool ok = dialog.DoModal() == IDOK;
        if (copyBack == CopyBack::Always || (copyBack == CopyBack::OnOk && ok))
            record = dialog.record();
        return ok;
    });
}

} // namespace trkss
