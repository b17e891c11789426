// The modal loop: messages first, then (when idle) the next script step; a dialog nobody drives
// any more is cancelled and recorded as unattended.
#include "dialogs/Dialogs.h"
#include "scripts/Records.h"
#include "scripts/ScriptRun.h"

#include "win/winctrl.h"

namespace winx::dialogs {
namespace {

std::wstring captionOf(HWND hwnd) {
    const int length = GetWindowTextLength(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowText(hwnd, text.data(), length + 1)));
    return text;
}

bool running(HWND dialog) {
    kernel::DialogState* st = stateOf(dialog);
    return st && !st->ended;
}

void cancelUnattended(HWND dialog) {
    kernel::DialogState* st = stateOf(dialog);
    UnattendedRecord record;
    record.kind = UnattendedRecord::Kind::Dialog;
    record.templateId = st->templateId;
    record.caption = captionOf(dialog);
    records::unattended(record);
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
    pumpMessages();
    if (running(dialog)) {
        records::problem(L"dialog " + std::to_wstring(record.templateId) +
                         L" stayed open after Cancel; it was ended");
        EndDialog(dialog, IDCANCEL);
    }
}

} // namespace

INT_PTR runModalLoop(HWND dialog) {
    scripts::ScriptRun script(dialog);
    MSG msg;
    while (running(dialog)) {
        if (kernel::peekAny(msg, true)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                EndDialog(dialog, IDCANCEL);
                break;
            }
            kernel::processMessage(msg);
            continue;
        }
        if (!script.runNextStep()) cancelUnattended(dialog);
    }
    kernel::DialogState* st = stateOf(dialog);
    if (!st) {
        records::problem(L"a modal dialog was destroyed before it ended");
        return -1;
    }
    return st->result;
}

} // namespace winx::dialogs
