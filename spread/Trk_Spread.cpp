// Trk_Spread: creation, look, messages, files and calculation.
#include "spread/Trk_Spread.h"

#include "spread/CDlgFindReplace.h"
#include "spread/RedrawGuard.h"
#include "spread/Trk_DlgPromptString.h"
#include "spread/dynMenu.h"

#include "trk/DialString.h"

#include "grid/GridInfo.h"

#include <cwchar>

namespace {

constexpr UINT kMessage517 = 0x517;
constexpr int kFrameShiftLeft = 5;
constexpr int kCaptionShiftUp = 20;
constexpr int kInsertCaptionText = 171;

constexpr COLORREF kSystemColour = 0x8000000B;
constexpr COLORREF kSelectionBack = 0x6A240A;
constexpr COLORREF kSelectionText = 0xFFFFFF;
constexpr COLORREF kLockBack = 0xE6E6E6;

// The control window's rectangle relative to its parent's window rectangle.
RECT rectInParent(HWND control, HWND parent) {
    RECT rect{};
    RECT parentRect{};
    GetWindowRect(control, &rect);
    GetWindowRect(parent, &parentRect);
    return RECT{rect.left - parentRect.left, rect.top - parentRect.top,
                rect.right - parentRect.left, rect.bottom - parentRect.top};
}

bool startsWith(const wchar_t* text, const wchar_t* prefix) {
    return std::wcsncmp(text, prefix, std::wcslen(prefix)) == 0;
}

} // namespace

Trk_Spread::Trk_Spread() = default;

Trk_Spread::~Trk_Spread() {
    // The menu builder and the find window go before the window does.
    menuBuilder.reset();
    closeFindDialog();
    for (const auto& [handle, isIcon] : resourcePictures) {
        if (isIcon) {
            DestroyIcon(static_cast<HICON>(handle));
        } else {
            DeleteObject(static_cast<HGDIOBJ>(handle));
        }
    }
}

bool Trk_Spread::createInDialog(CWnd* parent, int placeholderId, bool exactPlacement) {
    if (created || m_hWnd || !parent || !parent->GetSafeHwnd()) return false;
    const HWND placeholder = ::GetDlgItem(parent->GetSafeHwnd(), placeholderId);
    if (!placeholder) return false;
    RECT rect = rectInParent(placeholder, parent->GetSafeHwnd());
    if (!exactPlacement) OffsetRect(&rect, -kFrameShiftLeft, -kCaptionShiftUp);
    ::DestroyWindow(placeholder);
    if (!CreateEx(0, gridx::windowClassName(), L"", WS_CHILD | WS_VISIBLE, rect, parent,
                  static_cast<UINT>(placeholderId)))
        return false;
    SSSetMaxRows(grid(), 0);
    SSSetMaxCols(grid(), 0);
    created = true;
    parentWindow = parent->GetSafeHwnd();
    controlId = placeholderId;
    SSSetAppearance(grid(), 1);
    for (WORD action = 0; action <= 2; ++action)
        SSSetActionKey(grid(), action, FALSE, FALSE, 0);
    return true;
}

bool Trk_Spread::applyStandardLook(int mode) {
    if (!created) return false;
    const HWND h = grid();
    SSSetBool(h, kOptionRedraw, FALSE);
    SSSetBool(h, 12, FALSE);
    SSSetBool(h, kOptionAutoCalc, FALSE);
    SSSetBool(h, 21, TRUE);
    SSSetBool(h, 26, FALSE);
    SSSetBool(h, 34, TRUE);
    SSSetBool(h, 32, TRUE);
    SSSetBool(h, 18, FALSE);
    SSSetBool(h, 21, TRUE);
    SSSetBool(h, 22, TRUE);
    SSSetBool(h, 21, TRUE);
    SSSetGrayAreaColor(h, GetSysColor(COLOR_BTNFACE), kSystemColour);
    SSSetCursor(h, 1, SS_CURSOR_DEFAULT);
    SSSetSelColor(h, kSelectionBack, kSelectionText);
    SSSetBool(h, 11, TRUE);
    SSSetBool(h, 3, TRUE);
    SSSetBool(h, kOptionRowHeaders, TRUE);
    SSSetBool(h, 18, TRUE);
    SSSetLockColor(h, kLockBack, kSystemColour);
    if (mode == 1) {
        SSSetBool(h, kOptionF8Toggle, TRUE);
        SSSetBool(h, 10, FALSE);
        SSSetEditEnterAction(h, 0);
    } else {
        SSSetBool(h, kOptionF8Toggle, FALSE);
        SSSetBool(h, 10, TRUE);
        SSSetEditEnterAction(h, 5);
    }
    SSSetBool(h, kOptionRedraw, TRUE);
    return true;
}

void Trk_Spread::setResizeRule(int mode, int param1, int param2) {
    resizeMode = mode;
    resizeParam1 = param1;
    resizeParam2 = param2;
}

void Trk_Spread::setResizeRuleColumns(int mode, const Trk_Array<int>& columns,
                                      const Trk_Array<int>& widths) {
    resizeMode = mode;
    fixedColumns = columns;
    fixedWidths = widths;
}

void Trk_Spread::enableContextMenu(const Trk_Array<int>& entries) {
    if (!menuBuilder) menuBuilder = std::make_unique<dynMenu>();
    menuEntries = entries;
}

namespace {

Trk_Spread::EditorSettingsApplier editorSettingsApplier = nullptr;

} // namespace

void Trk_Spread::setEditorSettingsApplier(EditorSettingsApplier applier) {
    editorSettingsApplier = applier;
}

void Trk_Spread::applyEditorSettings(const Trk_String& settingsFile) {
    settingsFileName = settingsFile;
    if (!created || !editorSettingsApplier) return;
    Trk_String face;
    int height = 0;
    if (editorSettingsApplier(grid(), settingsFile, face, height)) {
        fontName = face;
        fontHeight = height;
    }
    applyFonts(false);
}

// ---- Messages ---------------------------------------------------------------------------------

void Trk_Spread::OnSize(UINT type, int cx, int cy) {
    TSpread::OnSize(type, cx, cy);
    applyResizeRule();
}

LRESULT Trk_Spread::OnMessage517(WPARAM, LPARAM) {
    return 0;
}

BOOL Trk_Spread::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND && HIWORD(wParam) == SSN_BUTTONUP) onCheckReleased();
    // The dialog still sees the notification.
    return TSpread::OnChildNotify(message, wParam, lParam, result);
}

bool Trk_Spread::askCaption(bool forRow, Trk_String& caption) {
    Trk_DlgPromptString prompt(this);
    prompt.title = dialString(1150);
    prompt.label = dialString(1151) + L" " + dialString(forRow ? 1152 : 1153) + L":";
    prompt.value = dialString(kInsertCaptionText);
    prompt.okText = L"Ok";
    prompt.DoModal();
    caption = prompt.value; // the initial text when cancelled
    return true;
}

// ---- Helpers ----------------------------------------------------------------------------------

bool Trk_Spread::validCol(int col) const {
    return created && col >= 1 && col <= colCount();
}

bool Trk_Spread::validRow(int row) const {
    return created && row >= 1 && row <= rowCount();
}

bool Trk_Spread::colOrHeader(int col) const {
    return created && (col == HEADER || (col >= 0 && col <= colCount()));
}

bool Trk_Spread::rowOrHeader(int row) const {
    return created && (row == HEADER || (row >= 0 && row <= rowCount()));
}

void Trk_Spread::markChanged() {
    if (created) SSSetBool(grid(), kOptionChanged, TRUE);
}

bool Trk_Spread::isChanged() const {
    return created && SSGetBool(grid(), kOptionChanged);
}

// ---- Files and calculation --------------------------------------------------------------------

int Trk_Spread::loadFile(const Trk_String& path) {
    if (!created) return 0;
    return SSLoadFromFile(grid(), path.c_str()) == 1 ? 1 : 0;
}

int Trk_Spread::saveFile(const Trk_String& path) {
    if (!created) return 0;
    return SSSaveToFile(grid(), path.c_str(), FALSE) == 1 ? 1 : 0;
}

bool Trk_Spread::addCustomFunction(const Trk_String& name, int minArgs, int maxArgs,
                                   CALCFUNCPROC callback, long flags) {
    if (!created || !callback || name.isEmpty()) return false;
    return SSAddCustomFunctionExt(grid(), name.c_str(), static_cast<short>(minArgs),
                                  static_cast<short>(maxArgs), callback, flags) != FALSE;
}

bool Trk_Spread::recalc() {
    return created && SSReCalc(grid()) != FALSE;
}

bool Trk_Spread::recalcCell(int col, int row) {
    return validCol(col) && validRow(row) && SSReCalcCell(grid(), col, row) != FALSE;
}

bool Trk_Spread::setRefStyle(int style) {
    if (!created || style < 0 || style > 2) return false;
    return SSSetRefStyle(grid(), static_cast<short>(style)) != -1;
}

bool Trk_Spread::isGridWindowClass(HWND window) {
    if (!window || !IsWindow(window)) return false;
    wchar_t name[64] = {};
    if (GetClassName(window, name, 64) <= 0) return false;
    return std::wcscmp(name, gridx::windowClassName()) == 0 || startsWith(name, L"SPR32") ||
           startsWith(name, L"fpSpr");
}

bool Trk_Spread::showGrid() {
    if (!created) return false;
    ShowWindow(SW_SHOW);
    return true;
}

bool Trk_Spread::hideGrid() {
    if (!created) return false;
    ShowWindow(SW_HIDE);
    return true;
}

BEGIN_MESSAGE_MAP(Trk_Spread, TSpread)
ON_WM_SIZE()
ON_MESSAGE(kMessage517, &Trk_Spread::OnMessage517)
// Context menu and find window (Trk_SpreadFind.cpp).
ON_WM_RBUTTONDOWN()
ON_COMMAND_RANGE(32800, 32818, &Trk_Spread::onMenuCommand)
ON_MESSAGE(kReleaseFindDialog, &Trk_Spread::OnReleaseFindDialog)
END_MESSAGE_MAP()
