#include "spread/KvLayoutKeeper.h"

#include "trk/Trk_String.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr wchar_t kToolbarClass[] = L"ToolbarWindow32";
constexpr double kCoordinateLimit = 1e9; // keeps scaled coordinates inside int

bool isToolbar(HWND window) {
    wchar_t name[64] = {};
    GetClassName(window, name, 64);
    return Trk_String(name).equal(kToolbarClass, false);
}

RECT rectInClient(HWND parent, HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<LPPOINT>(&rect), 2);
    return rect;
}

int scaled(int coordinate, double ratio) {
    const double value = std::trunc(coordinate * ratio);
    return static_cast<int>(std::clamp(value, -kCoordinateLimit, kCoordinateLimit));
}

// Size ratio of one direction; a recorded size of 0 cannot be scaled from and counts as 1.
double ratioOf(int size, int recordedSize) {
    return recordedSize > 0 ? static_cast<double>(size) / recordedSize : 1.0;
}

struct Edges {
    int nearEdge;
    int farEdge;
};

// One direction of the rectangle rules: size and recordedSize are the dialog's extents.
Edges placeEdges(int nearEdge, int farEdge, int flags, int size, int recordedSize) {
    const int grown = size - recordedSize;
    const double ratio = ratioOf(size, recordedSize);
    const bool keepSize = flags & KvLayoutKeeper::kKeepSize;
    const bool keepFar = flags & KvLayoutKeeper::kKeepFarEdge;
    Edges out{};
    if (flags & KvLayoutKeeper::kKeepNearEdge) {
        out.nearEdge = nearEdge;
    } else if (keepSize && keepFar) {
        out.nearEdge = nearEdge + grown;
    } else {
        out.nearEdge = scaled(nearEdge, ratio);
    }
    if (keepFar) {
        out.farEdge = farEdge + grown;
    } else if (keepSize) {
        out.farEdge = out.nearEdge + (farEdge - nearEdge);
    } else {
        out.farEdge = scaled(farEdge, ratio);
    }
    return out;
}

} // namespace

bool KvLayoutKeeper::record(CWnd* dialog) {
    entries.clear();
    dialogWindow = nullptr;
    recordedRect = RECT{};
    const HWND window = dialog ? dialog->GetSafeHwnd() : nullptr;
    if (!window || !IsWindow(window)) return false;
    dialogWindow = window;
    GetWindowRect(window, &recordedRect);
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (isToolbar(child)) continue;
        entries.push_back({child, rectInClient(window, child), 0, 0});
    }
    return true;
}

bool KvLayoutKeeper::setFlags(int controlId, int horizontal, int vertical) {
    if (!dialogWindow || !IsWindow(dialogWindow)) return false;
    const HWND control = GetDlgItem(dialogWindow, controlId);
    if (!control) return false;
    for (Entry& entry : entries) {
        if (entry.child != control) continue;
        entry.horizontal = horizontal;
        entry.vertical = vertical;
        return true;
    }
    return false;
}

RECT KvLayoutKeeper::placeFor(const Entry& entry, const RECT& current) const {
    const Edges x =
        placeEdges(entry.rect.left, entry.rect.right, entry.horizontal,
                   current.right - current.left, recordedRect.right - recordedRect.left);
    const Edges y =
        placeEdges(entry.rect.top, entry.rect.bottom, entry.vertical, current.bottom - current.top,
                   recordedRect.bottom - recordedRect.top);
    return RECT{x.nearEdge, y.nearEdge, x.farEdge, y.farEdge};
}

bool KvLayoutKeeper::apply() {
    if (!dialogWindow || !IsWindow(dialogWindow)) return false;
    RECT current{};
    GetWindowRect(dialogWindow, &current);
    // A control destroyed since recording would make the whole batch fail: leave it out.
    std::vector<const Entry*> live;
    for (const Entry& entry : entries) {
        if (IsWindow(entry.child) && GetParent(entry.child) == dialogWindow) live.push_back(&entry);
    }
    HDWP batch = BeginDeferWindowPos(static_cast<int>(live.size()));
    for (const Entry* entry : live) {
        if (!batch) break;
        const RECT place = placeFor(*entry, current);
        batch =
            DeferWindowPos(batch, entry->child, nullptr, place.left, place.top,
                           std::max(0, static_cast<int>(place.right - place.left)),
                           std::max(0, static_cast<int>(place.bottom - place.top)), SWP_NOZORDER);
    }
    if (batch) EndDeferWindowPos(batch);
    return true;
}
