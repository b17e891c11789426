// Trk_Spread: the module's wrapper around a grid-control window. It creates the grid in place of
// a dialog control, gives it the module's standard look, applies a column-width rule on every
// resize, and offers typed cell access, bulk transfers, cell-type presets, row and column
// editing, check-box columns that lock a partner column, and file load and save.
//
// Cells are addressed (column, row), counting from 1; HEADER addresses the header row or column.
// Before createInDialog every operation does nothing and reports failure (counts read -1).
// Out-of-range rows and columns are rejected before the control is called.
#pragma once

#include "spread/TSpread.h"

#include "trk/Trk_Array.h"
#include "trk/Trk_String.h"
#include "trk/Trk_StringArray.h"

#include "grid/ssapi.h"

#include <memory>
#include <vector>

class CDlgFindReplace;
class dynMenu;

class Trk_Spread : public TSpread {
public:
    static constexpr int HEADER = -32767;

    // Grid-control options the module gives a role.
    static constexpr short kOptionRowHeaders = 4;
    static constexpr short kOptionAutoCalc = 7;
    static constexpr short kOptionRedraw = 8;
    static constexpr short kOptionF8Toggle = 13;
    static constexpr short kOptionChanged = 30;

    // Edit-type presets: (style, maximum length).
    static constexpr long kEditStyleA = 0x110000;
    static constexpr int kEditLengthA = 200;
    static constexpr long kEditStyleB = 0x400000;
    static constexpr int kEditLengthB = 100;

    Trk_Spread();
    ~Trk_Spread() override;

    // ---- Creation and look ------------------------------------------------------------------
    // Replaces the control placeholderId of parent by a grid with the same rectangle and id.
    // Without exactPlacement the rectangle moves 5 left and 20 up (dialog frame and caption).
    // False when parent or placeholder is missing, the grid exists already, or creation fails.
    bool createInDialog(CWnd* parent, int placeholderId, bool exactPlacement);
    bool isCreated() const { return created; }
    HWND parentWindowHandle() const { return parentWindow; }
    int gridControlId() const { return controlId; }
    // Mode 1: F8 toggle on, Enter keeps the cell; mode 0: F8 toggle off, Enter moves on.
    bool applyStandardLook(int mode);
    // Rule applied after every resize: 0 none, 1 equal widths, 2 fit to text, 3 a group of
    // |param1| columns (at the end when negative) sharing param2 percent, 4 column param1
    // (0 or HEADER: the header column) param2 pixels wide.
    void setResizeRule(int mode, int param1 = 0, int param2 = 0);
    // Rule 5: the listed columns (0 or HEADER: the header column) get the listed pixel widths.
    void setResizeRuleColumns(int mode, const Trk_Array<int>& columns,
                              const Trk_Array<int>& widths);
    int resizeRule() const { return resizeMode; }
    // Applies the current rule now (the resize handler calls it).
    void applyResizeRule();
    // Stores the context-menu entry codes in display order.
    void enableContextMenu(const Trk_Array<int>& entries);
    const Trk_Array<int>& contextMenuEntries() const { return menuEntries; }
    // Links a check-box column to the column whose cells it locks ("0") or unlocks ("1") and
    // applies that to every row. False, linking nothing, unless both are columns of the grid.
    // When the user flips a check box of the column, its row follows and the partner cell
    // becomes active; the release notification reaches the wrapper through its dialog's
    // command routing, and the dialog still receives it.
    bool linkCheckColumn(int checkCol, int dependentCol);
    int linkedCheckColumn() const { return checkColumn; }
    int linkedDependentColumn() const { return dependentColumn; }
    // Applies the editor settings of a name to a grid and gives their font; false when they
    // name no font. The editor-settings code installs it; without one the wrapper only
    // remembers the name.
    using EditorSettingsApplier = bool (*)(HWND grid, const Trk_String& name, Trk_String& fontName,
                                           int& fontHeight);
    static void setEditorSettingsApplier(EditorSettingsApplier applier);
    // Applies the editor settings, takes their font and re-applies the fonts (no text tip).
    void applyEditorSettings(const Trk_String& settingsFile);
    const Trk_String& editorSettingsFile() const { return settingsFileName; }

    // ---- Size and fonts ---------------------------------------------------------------------
    int rowCount() const;
    int colCount() const;
    // With copyFormat every new row is a copy of the last old one (contents and formatting);
    // the last old row and the new ones take the wrapper's fonts. Rows beyond n are dropped.
    // False for a negative count.
    bool setRowCount(int n, bool copyFormat);
    bool setColCount(int n, bool copyFormat);
    // Font of fontName / fontHeight on the range; with a text tip the tip takes the font too.
    bool setFontRange(int col1, int row1, int col2, int row2, bool bold, bool withTextTip);
    bool applyHeaderFonts();
    bool applyFonts(bool withTextTip);

    // ---- Cells ------------------------------------------------------------------------------
    // kind 0 data, 1 formula, 2 cell tag, 3 shown value. out is emptied first; true when the
    // cell lies in the grid (HEADER for the header row or column), even if empty.
    bool getCellText(int col, int row, int kind, Trk_String& out) const;
    bool setCellData(int col, int row, const Trk_String& text);
    bool setCellValue(int col, int row, const Trk_String& text);
    // The leading number of the value text; 0 when it starts with none (an empty cell
    // too). False outside the grid.
    bool getInt(int col, int row, int& value) const;
    bool getDouble(int col, int row, double& value) const;
    bool setInt(int col, int row, int value);
    // Writes the value with 2 decimals.
    bool setDouble(int col, int row, double value);
    // "1" true, "0" false, anything else fails.
    bool getBool(int col, int row, bool& value) const;
    bool setBool(int col, int row, bool value);
    // The cell-type code, 0 when it cannot be read.
    int getCellType(int col, int row) const;
    // Makes (1,1) active when no cell is. False when even that is outside the grid.
    bool getActiveCell(int& col, int& row);
    // Top-left of the selected block, or the active cell; -1 when there is none.
    int activeRow();
    int activeCol();
    bool selectBlock(int col1, int row1, int col2, int row2);
    bool selectRow(int row);
    void markChanged();
    bool isChanged() const;

    // ---- Bulk transfers ---------------------------------------------------------------------
    // Item i goes to row i+1 (column i+1 for rows) while that lies in the grid; the rest of
    // the array is ignored and cells beyond the array keep their contents.
    bool setColumnTexts(int col, const Trk_StringArray& texts, bool asValue);
    bool setRowTexts(int row, const Trk_StringArray& texts, bool asValue);
    bool setColumnHeaders(const Trk_StringArray& texts);
    bool setRowHeaders(const Trk_StringArray& texts);
    bool setColumnInts(int col, const Trk_Array<int>& values);
    bool setColumnDoubles(int col, const Trk_Array<double>& values);
    bool setColumnBools(int col, const Trk_Array<bool>& values);
    // Negative numbers are written as 0.
    bool setColumnCounts(int col, const Trk_Array<int>& values);
    // Rows 1..row count; kind as getCellText.
    bool getColumnTexts(int col, int kind, Trk_StringArray& out) const;
    // Text that is no number reads 0.
    bool getColumnInts(int col, Trk_Array<int>& out) const;
    bool getColumnDoubles(int col, Trk_Array<double>& out) const;
    // True only for "1".
    bool getColumnBools(int col, Trk_Array<bool>& out) const;
    // Value texts of columns 1..column count.
    bool getRowTexts(int row, Trk_StringArray& out) const;
    bool getColumnHeaders(Trk_StringArray& out) const;
    bool getAllRows(Trk_Array<Trk_StringArray>& out) const;
    bool clearRow(int row);
    bool clearRows(int from, int to);
    // Name i into column 2i+2, flag i ("1"/"0") into column 2i+1 of the row.
    bool setFlagPairs(const Trk_StringArray& names, const Trk_Array<bool>& flags, int row);

    // ---- Cell types -------------------------------------------------------------------------
    bool setEditType(int col1, int row1, int col2, int row2, long style = kEditStyleA,
                     int maxLength = kEditLengthA);
    bool setNumberType(int col1, int row1, int col2, int row2, int decimals, bool alternate);
    bool setStaticText(int col, int row, long style);
    bool setColumnStatic(int col, long style);
    bool setComboType(int col1, int row1, int col2, int row2, const Trk_StringArray& items,
                      bool editable);
    bool setComboColumn(int col, const Trk_StringArray& items, bool editable);
    bool setListType(int col1, int row1, int col2, int row2, const Trk_StringArray& items,
                     bool editable);
    bool setButtonColumn(int col, const Trk_String& label, bool spanHeader);
    bool setButtonCell(int col, int row, const Trk_String& label);
    bool setCheckColumn(int col, bool withBorder, bool spanHeader);
    bool setCheckCell(int col, int row, bool withBorder);
    // A bitmap file shown in (col, row) over the rest of the row, the row as tall as the
    // picture. False when the file does not exist. rowsUsed is set to 0.
    bool setPictureRow(const Trk_String& file, int col, int row, int& rowsUsed);
    // An icon or bitmap of the current resource module; the grid keeps the picture until it
    // is destroyed. False when the resource is missing.
    bool setResourcePicture(int col, int row, int resourceId, bool isIcon);
    // Writes "1"/"0" into every check box of the selected block (or the active cell), locked
    // ones too; rows of a linked check column follow with their partner's lock.
    bool setChecksInSelection(bool value);

    // ---- Rows and columns -------------------------------------------------------------------
    // Nothing (false) when at is outside 1..count + 1. With copyFormat the new row becomes a
    // copy of the row after it; with askCaption it gets a caption in its header cell.
    bool insertRow(int at, bool askCaption, bool copyFormat);
    bool insertCol(int at, bool askCaption, bool copyFormat);
    // The new row's number, -1 when not created.
    int appendRow(bool copyFormat);
    bool insertRowAfterActive(bool copyFormat);
    bool deleteRow(int at);
    bool deleteCol(int at);
    bool deleteActiveRow();
    bool moveActiveRowUp();
    bool moveActiveRowDown();
    // Spans each run of equal non-empty value texts down the column. False unless
    // 0 <= col <= column count.
    bool mergeEqualRuns(int col);
    bool unspanColumn(int col);
    bool unspanAll();
    bool setColumnLocked(int col);

    // ---- Widths -----------------------------------------------------------------------------
    // Equal shares of the client width less the scroll bar, the header column included. A
    // fixedWidth > 0 that fits the share goes to the first (or last) data column and the
    // others share the rest.
    bool equalWidths(bool fixedFirst, int fixedWidth);
    bool autofitColumn(int col, bool skipType8);
    bool autofitColumns(bool skipType8);
    bool autofitRow(int row);
    bool autofitRows();
    bool autofitAll();
    bool stretchColumn(int col);
    // Width units the cell's text needs; 0 when unknown.
    double maxTextWidth(int col, int row) const;
    double maxColumnTextWidth(int col) const;
    // Header column plus columns 1..column count, in pixels; -1 when not created.
    int totalColumnWidthPixels() const;

    // ---- Files and calculation --------------------------------------------------------------
    // The control's result: 1 on success, 0 on failure.
    int loadFile(const Trk_String& path);
    int saveFile(const Trk_String& path);
    // Registrations end with every load: register again after loadFile.
    bool addCustomFunction(const Trk_String& name, int minArgs, int maxArgs, CALCFUNCPROC callback,
                           long flags);
    bool recalc();
    bool recalcCell(int col, int row);
    // 0 default, 1 A1, 2 R1C1. False for another style.
    bool setRefStyle(int style);

    // True for a window of the grid control's class (or of its older class names).
    static bool isGridWindowClass(HWND window);
    bool showGrid();
    bool hideGrid();

    // ---- Context menu, keys, find and replace -----------------------------------------------
    // The context menu's builder; null until enableContextMenu.
    dynMenu* contextMenuBuilder() const { return menuBuilder.get(); }
    // Runs a context-menu action (entry codes 2..9 of dynMenu); false for other codes or when
    // the action fails.
    bool runMenuEntry(int code);
    // Tab help for dialogs hosting grids: code 2 when Tab leaves the last editable cell, 3 when
    // Shift+Tab leaves the first, else 0. False, with code 1, unless key is Tab, the grid is
    // created and visible, and a grid window has the focus.
    bool handleTabKey(UINT key, int& code);
    // Focuses the grid with its first (or last) editable cell active. False when the grid is
    // hidden or no cell is editable.
    bool focusFirstEditable(bool first);
    // Neither the cell nor the anchor of a span it lies in is locked.
    bool isCellEditable(int col, int row) const;
    // Opens the find window, or keeps the open one. False when it cannot be created.
    bool openFindDialog();
    // The open find window; null while there is none.
    CDlgFindReplace* findReplaceDialog() const;
    void closeFindDialog();
    // Asked by the find window once it has closed: the grid deletes it from its message queue.
    void requestFindDialogRelease();
    // Looks for the find window's text after the active cell (in edit mode: after the selection
    // of the edited cell first) and selects the match in the cell editor. With wrapQuestion the
    // user may go on from the first cell. False without a find window.
    bool findNext(bool wrapQuestion);
    // Finds the next match and puts the replace text in its place.
    bool replaceNext(bool wrapQuestion);
    // Replaces every occurrence in every cell and shows the count of cells changed; returns
    // it, -1 without a find window. The grid is marked changed in any case.
    int replaceAll();
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    // ---- Context menu, keys, find and replace (Trk_SpreadFind.cpp) ---------------------------
    static constexpr UINT kReleaseFindDialog = WM_APP + 0x2B4;
    afx_msg void OnRButtonDown(UINT flags, CPoint point);
    afx_msg void onMenuCommand(UINT id);
    afx_msg LRESULT OnReleaseFindDialog(WPARAM wParam, LPARAM lParam);
    bool findDialogOpen() const;
    HWND messageOwner() const;
    bool findEditable(bool first, int& col, int& row) const;
    bool findText(const Trk_String& what, bool wrapQuestion);
    bool findInEditor(const Trk_String& what, int col, int row);
    bool nextMatch(const Trk_String& what, int& col, int& row) const;
    bool scanFrom(const Trk_String& what, int col, int row);
    bool selectMatch(int col, int row, int start, int length);
    bool replaceText(const Trk_String& what, const Trk_String& with, bool wrapQuestion);
    int replaceAllText(const Trk_String& what, const Trk_String& with);

    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg LRESULT OnMessage517(WPARAM wParam, LPARAM lParam);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // The caption an insert asks for: a modal prompt, the initial text when it is cancelled.
    virtual bool askCaption(bool forRow, Trk_String& caption);

    HWND grid() const { return m_hWnd; }
    bool validCol(int col) const;               // 1..column count
    bool validRow(int row) const;               // 1..row count
    bool colOrHeader(int col) const;            // HEADER, 0..column count
    bool rowOrHeader(int row) const;            // HEADER, 0..row count
    void copyLine(bool rows, int from, int to); // contents and formatting, header cell included
    void applyLockRule(int row);
    void onCheckReleased();
    void loadCheckBitmaps();
    bool setTextsAt(bool alongColumn, int index, const Trk_StringArray& texts, bool asValue);
    bool setColumnOf(int col, const Trk_StringArray& texts, bool asValue);
    bool fillPresetType(int col1, int row1, int col2, int row2, const SS_CELLTYPE& type);
    bool setCheckType(int col1, int row1, int col2, int row2, bool withBorder);
    bool setButtonType(int col1, int row1, int col2, int row2, const Trk_String& label);
    bool growCount(bool rows, int n, bool copyFormat);
    bool insertLine(bool rows, int at, bool askCaption, bool copyFormat);
    bool deleteLine(bool rows, int at);
    bool moveActiveRow(int step);
    bool spanRun(int col, int lastRow, int length);

    // Column slots of the width rules: data columns, plus the header column when shown.
    struct Slots {
        int width = 0;       // client width in pixels
        int count = 0;       // slots
        bool header = false; // the header column is shown
    };
    bool readSlots(Slots& slots) const;
    void setWidth(int col, int pixels);
    void applyEqualShare(const Slots& slots);
    void applyPercentRule(const Slots& slots);
    void applyFixedColumnRule(const Slots& slots);
    void applyListedRule(const Slots& slots);
    void fitToText();

public:
    Trk_String fontName = L"Tahoma";
    int fontHeight = 15;

protected:
    bool created = false;
    HWND parentWindow = nullptr;
    int controlId = 0;
    int resizeMode = 0;
    CBitmap checkedBitmap;   // check-box picture, resource 8134
    CBitmap uncheckedBitmap; // resource 8136
    bool checkBitmapsLoaded = false;
    std::unique_ptr<dynMenu> menuBuilder;
    Trk_Array<int> menuEntries;
    std::unique_ptr<CDlgFindReplace> findDialog; // the find window while it lives
    int resizeParam1 = 0;
    int resizeParam2 = 0;
    Trk_Array<int> fixedColumns;
    Trk_Array<int> fixedWidths;
    int checkColumn = -1;
    int dependentColumn = -1;
    Trk_String settingsFileName;
    std::vector<std::pair<HANDLE, bool>> resourcePictures; // (handle, is icon), owned

    DECLARE_MESSAGE_MAP()
};
