// dynMenu: builds a popup menu item by item, each item taking the next command id of a fixed
// pool of 100 ids, and tracks it. The grid wrapper's context menu and the tree grid's menus
// are built with it.
#pragma once

#include <afxwin.h>

#include "trk/Trk_Array.h"
#include "trk/Trk_String.h"

class dynMenu {
public:
    static constexpr int kPoolSize = 100;
    // Grid context-menu entry codes.
    static constexpr int kSeparator = 1;
    static constexpr int kCopy = 2;
    static constexpr int kPaste = 3;
    static constexpr int kInsertRow = 4;
    static constexpr int kDeleteRow = 5;
    static constexpr int kInsertColumn = 6;
    static constexpr int kDeleteColumn = 7;
    static constexpr int kCheckAll = 8;
    static constexpr int kUncheckAll = 9;

    // The pool's command id at a position; 0 outside 0..kPoolSize-1.
    static UINT commandId(int position);
    // The first pool position holding the id; -1 for an id outside the pool.
    static int poolPosition(UINT id);
    // True for the codes of grid actions (2..9); separators and unknown codes are none.
    static bool isGridAction(int code);
    // The host text number of a grid action's item; 0 for other codes.
    static int entryTextNumber(int code);

    // Starts a new empty popup in place of the previous one. False when none can be made.
    bool begin();
    bool addSeparator();
    // Appends an item with the next pool id and returns that id; 0 when no popup was begun or
    // the pool is used up.
    UINT addItem(const Trk_String& text);
    // A new popup of grid entries in their order: a separator for code 1, an item with the
    // host's text for codes 2..9; other codes are left out.
    bool buildGridMenu(const Trk_Array<int>& entries);
    // Shows the popup at (x, y); the chosen item reaches owner as WM_COMMAND with its id.
    // False when nothing was chosen or there is no popup.
    bool track(UINT flags, int x, int y, CWnd* owner);

    // Items with a command id in the current popup.
    int itemCount() const { return nextPosition; }
    HMENU popupHandle() const { return popup.GetSafeHmenu(); }

private:
    CMenu popup;
    int nextPosition = 0;
};
