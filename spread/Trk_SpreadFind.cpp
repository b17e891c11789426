// Trk_Spread: context menu, keyboard help, find and replace.
#include "spread/CDlgFindReplace.h"
#include "spread/Trk_Spread.h"
#include "spread/dynMenu.h"

#include "trk/DialString.h"

namespace {

constexpr int kWrapText1 = 1142;
constexpr int kWrapText2 = 1143;
constexpr int kWrapCaption = 1144;
constexpr int kNotFoundText = 1145;
constexpr int kNotFoundCaption = 1146;
constexpr int kCountText1 = 1147;
constexpr int kCountText2 = 1148;
constexpr int kCountCaption = 1149;

// Context-menu commands: the first ten ids of the pool.
constexpr int kMenuCommands = 10;

bool shiftHeld() {
    return GetKeyState(VK_SHIFT) < 0;
}

// A cell inside a span stands for the span's anchor, where the active cell sits.
void moveToSpanAnchor(HWND grid, int& col, int& row) {
    SS_COORD anchorCol = 0;
    SS_COORD anchorRow = 0;
    SS_COORD cols = 0;
    SS_COORD rows = 0;
    if (SSGetCellSpan(grid, col, row, &anchorCol, &anchorRow, &cols, &rows) == SS_SPAN_YES) {
        col = anchorCol;
        row = anchorRow;
    }
}

} // namespace

// ---- Context menu -------------------------------------------------------------------------------

void Trk_Spread::OnRButtonDown(UINT flags, CPoint point) {
    if (menuBuilder && !menuEntries.isEmpty() && menuBuilder->buildGridMenu(menuEntries)) {
        POINT cursor{};
        GetCursorPos(&cursor);
        menuBuilder->track(0, cursor.x, cursor.y, this);
    }
    TSpread::OnRButtonDown(flags, point);
}

void Trk_Spread::onMenuCommand(UINT id) {
    const int position = dynMenu::poolPosition(id);
    if (position < 0 || position >= kMenuCommands) return;
    int actions = 0;
    for (int code : menuEntries) {
        if (!dynMenu::isGridAction(code)) continue;
        if (actions++ == position) {
            runMenuEntry(code);
            return;
        }
    }
}

bool Trk_Spread::runMenuEntry(int code) {
    if (!created) return false;
    switch (code) {
    case dynMenu::kCopy:
        return SSClipboardCopy(grid()) != FALSE;
    case dynMenu::kPaste:
        return SSClipboardPaste(grid()) != FALSE;
    case dynMenu::kInsertRow:
        return insertRow(activeRow(), false, true);
    case dynMenu::kDeleteRow:
        return deleteActiveRow();
    case dynMenu::kInsertColumn:
        return insertCol(activeCol(), true, true);
    case dynMenu::kDeleteColumn:
        return deleteCol(activeCol());
    case dynMenu::kCheckAll:
        return setChecksInSelection(true);
    case dynMenu::kUncheckAll:
        return setChecksInSelection(false);
    default:
        return false;
    }
}

// ---- Keyboard -----------------------------------------------------------------------------------

BOOL Trk_Spread::PreTranslateMessage(MSG* msg) {
    if (created && msg->message == WM_KEYDOWN && msg->hwnd == grid()) {
        switch (msg->wParam) {
        case VK_F3:
            if (!findDialogOpen()) {
                openFindDialog();
            } else {
                findNext(true);
            }
            return TRUE;
        case VK_F5:
            if (!findDialogOpen()) {
                openFindDialog();
            } else {
                replaceNext(true);
            }
            return TRUE;
        case VK_F8:
            SSSetBool(grid(), kOptionF8Toggle, !SSGetBool(grid(), kOptionF8Toggle));
            break;
        default:
            break;
        }
    }
    return TSpread::PreTranslateMessage(msg);
}

bool Trk_Spread::isCellEditable(int col, int row) const {
    if (!validCol(col) || !validRow(row) || SSGetLock(grid(), col, row)) return false;
    SS_COORD anchorCol = 0;
    SS_COORD anchorRow = 0;
    SS_COORD cols = 0;
    SS_COORD rows = 0;
    if (SSGetCellSpan(grid(), col, row, &anchorCol, &anchorRow, &cols, &rows) == SS_SPAN_NO)
        return true;
    return !SSGetLock(grid(), anchorCol, anchorRow);
}

bool Trk_Spread::findEditable(bool first, int& col, int& row) const {
    const int step = first ? 1 : -1;
    const int cols = colCount();
    const int rows = rowCount();
    for (int r = first ? 1 : rows; r >= 1 && r <= rows; r += step) {
        for (int c = first ? 1 : cols; c >= 1 && c <= cols; c += step) {
            if (!isCellEditable(c, r)) continue;
            col = c;
            row = r;
            moveToSpanAnchor(grid(), col, row);
            return true;
        }
    }
    return false;
}

bool Trk_Spread::handleTabKey(UINT key, int& code) {
    code = 1;
    if (key != VK_TAB || !created || !(GetStyle() & WS_VISIBLE)) return false;
    if (!isGridWindowClass(::GetFocus())) return false;
    const bool backwards = shiftHeld();
    int col = 0;
    int row = 0;
    int activeCol = 0;
    int activeRow = 0;
    const bool found = findEditable(backwards, col, row);
    const bool onIt =
        found && getActiveCell(activeCol, activeRow) && activeCol == col && activeRow == row;
    code = onIt ? (backwards ? 3 : 2) : 0;
    return true;
}

bool Trk_Spread::focusFirstEditable(bool first) {
    if (!created || !(GetStyle() & WS_VISIBLE)) return false;
    int col = 0;
    int row = 0;
    if (!findEditable(first, col, row)) return false;
    SetFocus();
    return SSSetActiveCell(grid(), col, row) != FALSE;
}

// ---- Find window --------------------------------------------------------------------------------

bool Trk_Spread::findDialogOpen() const {
    return findDialog && findDialog->isOpen();
}

CDlgFindReplace* Trk_Spread::findReplaceDialog() const {
    return findDialogOpen() ? findDialog.get() : nullptr;
}

bool Trk_Spread::openFindDialog() {
    if (!created) return false;
    if (findDialogOpen()) return true;
    findDialog = std::make_unique<CDlgFindReplace>(*this);
    if (findDialog->open(CWnd::FromHandle(parentWindow))) return true;
    findDialog.reset();
    return false;
}

void Trk_Spread::closeFindDialog() {
    findDialog.reset(); // its destructor closes the window
}

void Trk_Spread::requestFindDialogRelease() {
    if (created) PostMessage(kReleaseFindDialog);
}

LRESULT Trk_Spread::OnReleaseFindDialog(WPARAM, LPARAM) {
    if (findDialog && !findDialog->isOpen()) findDialog.reset();
    return 0;
}

// ---- Find and replace ---------------------------------------------------------------------------

bool Trk_Spread::findNext(bool wrapQuestion) {
    if (!findDialogOpen()) return false;
    return findText(findDialog->findText(), wrapQuestion);
}

bool Trk_Spread::replaceNext(bool wrapQuestion) {
    if (!findDialogOpen()) return false;
    return replaceText(findDialog->findText(), findDialog->replaceText(), wrapQuestion);
}

int Trk_Spread::replaceAll() {
    if (!findDialogOpen()) return -1;
    return replaceAllText(findDialog->findText(), findDialog->replaceText());
}

HWND Trk_Spread::messageOwner() const {
    return findDialogOpen() ? findDialog->GetSafeHwnd() : parentWindow;
}

bool Trk_Spread::findText(const Trk_String& what, bool wrapQuestion) {
    if (!created) return false;
    SetFocus();
    int col = 0;
    int row = 0;
    if (!getActiveCell(col, row)) return false;
    if (SSGetEditMode(grid()) && findInEditor(what, col, row)) return true;
    if (scanFrom(what, col + 1, row)) return true;
    if (!wrapQuestion) return false;
    const Trk_String question = dialString(kWrapText1) + L"\n" + dialString(kWrapText2) + L"\n";
    if (::MessageBox(messageOwner(), question.c_str(), dialString(kWrapCaption).c_str(),
                     MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    if (scanFrom(what, 1, 1)) return true;
    ::MessageBox(messageOwner(), dialString(kNotFoundText).c_str(),
                 dialString(kNotFoundCaption).c_str(), MB_OK | MB_ICONINFORMATION);
    return false;
}

bool Trk_Spread::findInEditor(const Trk_String& what, int col, int row) {
    Trk_String text;
    int start = 0;
    int end = 0;
    if (!getCellText(col, row, 3, text) || !SSGetSel(grid(), &start, &end)) return false;
    const int at = text.find(what, false, end);
    return at >= 0 && selectMatch(col, row, at, what.length());
}

bool Trk_Spread::nextMatch(const Trk_String& what, int& col, int& row) const {
    const int cols = colCount();
    const int rows = rowCount();
    Trk_String text;
    for (int r = row; r <= rows; ++r) {
        for (int c = r == row ? col : 1; c <= cols; ++c) {
            if (c >= 1 && getCellText(c, r, 3, text) && text.contains(what, false)) {
                col = c;
                row = r;
                return true;
            }
        }
    }
    return false;
}

bool Trk_Spread::scanFrom(const Trk_String& what, int col, int row) {
    if (!nextMatch(what, col, row)) return false;
    Trk_String text;
    getCellText(col, row, 3, text);
    return selectMatch(col, row, text.find(what, false), what.length());
}

bool Trk_Spread::selectMatch(int col, int row, int start, int length) {
    SetFocus();
    if (!SSSetActiveCell(grid(), col, row)) return false;
    if (!SSGetEditMode(grid()) && !SSSetEditMode(grid(), TRUE)) return false;
    return SSSetSel(grid(), start, start + length) != FALSE;
}

bool Trk_Spread::replaceText(const Trk_String& what, const Trk_String& with, bool wrapQuestion) {
    // Only a match just found is replaced, never an older selection.
    if (!findText(what, wrapQuestion) || !SSGetEditMode(grid())) return false;
    int col = 0;
    int row = 0;
    int start = 0;
    int end = 0;
    Trk_String text;
    if (!getActiveCell(col, row) || !SSGetSel(grid(), &start, &end) ||
        !getCellText(col, row, 3, text))
        return false;
    text.removeAt(start, end - start);
    text.insert(start, with);
    SSSetData(grid(), col, row, text.c_str());
    markChanged();
    SetFocus();
    SSSetActiveCell(grid(), col, row);
    // The replacement stays selected, so the next search goes on after it.
    SSSetSel(grid(), start, start + with.length());
    return true;
}

int Trk_Spread::replaceAllText(const Trk_String& what, const Trk_String& with) {
    if (!created) return -1;
    int count = 0;
    int col = 1;
    int row = 1;
    Trk_String text;
    while (nextMatch(what, col, row)) {
        getCellText(col, row, 3, text);
        if (text.replace(what, with, false) > 0) {
            SSSetData(grid(), col, row, text.c_str());
            ++count;
        }
        ++col;
    }
    const Trk_String message =
        dialString(kCountText1) + L" " + Trk_String(count) + L" " + dialString(kCountText2);
    ::MessageBox(messageOwner(), message.c_str(), dialString(kCountCaption).c_str(),
                 MB_OK | MB_ICONINFORMATION);
    markChanged();
    return count;
}
