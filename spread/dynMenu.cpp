#include "spread/dynMenu.h"

#include "trk/DialString.h"

#include <array>

namespace {

// Runs of consecutive ids: (first pool position, first id, count).
struct IdRun {
    int position;
    UINT firstId;
    int count;
};

constexpr std::array<IdRun, 8> kIdRuns{{
    {0, 32811, 2},
    {2, 32816, 3},
    {5, 32800, 5},
    {10, 33100, 6},
    {16, 33117, 47},
    {63, 33164, 27},
    // Position 90 takes 33191: a repeat of 33190 would make two items of one menu answer as one.
    {90, 33191, 1},
    {91, 33192, 9},
}};

// Host texts of the grid actions, codes 2..9.
constexpr std::array<int, 8> kEntryTexts{1154, 1155, 774, 775, 1156, 1157, 1400, 1401};

} // namespace

UINT dynMenu::commandId(int position) {
    for (const IdRun& run : kIdRuns) {
        if (position >= run.position && position < run.position + run.count)
            return run.firstId + static_cast<UINT>(position - run.position);
    }
    return 0;
}

int dynMenu::poolPosition(UINT id) {
    for (const IdRun& run : kIdRuns) {
        if (id >= run.firstId && id < run.firstId + static_cast<UINT>(run.count))
            return run.position + static_cast<int>(id - run.firstId);
    }
    return -1;
}

bool dynMenu::isGridAction(int code) {
    return code >= kCopy && code <= kUncheckAll;
}

int dynMenu::entryTextNumber(int code) {
    return isGridAction(code) ? kEntryTexts[static_cast<std::size_t>(code - kCopy)] : 0;
}

bool dynMenu::begin() {
    popup.DestroyMenu();
    nextPosition = 0;
    return popup.CreatePopupMenu() != FALSE;
}

bool dynMenu::addSeparator() {
    return popup.GetSafeHmenu() && popup.AppendMenu(MF_SEPARATOR) != FALSE;
}

UINT dynMenu::addItem(const Trk_String& text) {
    const UINT id = commandId(nextPosition);
    if (!popup.GetSafeHmenu() || id == 0) return 0;
    if (!popup.AppendMenu(MF_STRING, id, text.c_str())) return 0;
    ++nextPosition;
    return id;
}

bool dynMenu::buildGridMenu(const Trk_Array<int>& entries) {
    if (!begin()) return false;
    for (int code : entries) {
        if (code == kSeparator) {
            addSeparator();
        } else if (isGridAction(code)) {
            addItem(dialString(entryTextNumber(code)));
        }
    }
    return true;
}

bool dynMenu::track(UINT flags, int x, int y, CWnd* owner) {
    if (!popup.GetSafeHmenu() || !owner) return false;
    return popup.TrackPopupMenu(flags, x, y, owner) != FALSE;
}
