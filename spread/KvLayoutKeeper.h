// KvLayoutKeeper: keeps the child controls of a resizable dialog in place. record() takes the
// dialog's layout once; apply() places every control again from that recorded layout and the
// control's anchoring flags, so repeated resizing never accumulates rounding errors.
#pragma once

#include <afxwin.h>

#include <vector>

class KvLayoutKeeper {
public:
    // Anchoring bits, the same for both directions (near edge: left or top).
    static constexpr int kKeepSize = 1;
    static constexpr int kKeepNearEdge = 2;
    static constexpr int kKeepFarEdge = 4; // at its distance from the dialog's far edge

    // Forgets earlier entries and records the dialog's window rectangle and every child window
    // except toolbars, with flags 0. False, recording nothing, when dialog is no window.
    bool record(CWnd* dialog);
    // False when no recorded control of the dialog has that id.
    bool setFlags(int controlId, int horizontal, int vertical);
    // Places all recorded controls for the dialog's current size in one deferred batch. False
    // when the dialog window no longer exists (or was never recorded).
    bool apply();

private:
    struct Entry {
        HWND child = nullptr;
        RECT rect{}; // in the dialog's client coordinates at recording time
        int horizontal = 0;
        int vertical = 0;
    };

    RECT placeFor(const Entry& entry, const RECT& current) const;

    HWND dialogWindow = nullptr;
    RECT recordedRect{};
    std::vector<Entry> entries;
};
