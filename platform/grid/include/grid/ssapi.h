// The grid control's flat interface: every function takes the grid window's handle first.
// Rows and columns count from 1; row 0 and column 0 are the header row and column, addressed
// as 0 or as SS_HEADER. A function given a handle that is not a grid window, or a cell outside
// the grid, does nothing and returns FALSE (or 0, or -1 for counts).
//
// Text in and out is wchar_t. The get functions copy into the caller's buffer, terminated, and
// return the number of characters without the terminator; given a null buffer they return
// only that number. The caller's buffer must hold length + 1 characters.
#pragma once

#include "win/wingdi.h"
#include "win/wintypes.h"

using SS_COORD = long;
using LPSS_COORD = SS_COORD*;

constexpr SS_COORD SS_HEADER = -32767;
// In range calls: every column, or every row, present and future.
constexpr SS_COORD SS_ALLCOLS = -1;
constexpr SS_COORD SS_ALLROWS = -1;

// ---- Value records of custom functions ------------------------------------------------------
constexpr BYTE SS_VALUE_STATUS_OK = 0;
constexpr BYTE SS_VALUE_STATUS_ERROR = 1;
constexpr BYTE SS_VALUE_STATUS_EMPTY = 2;

constexpr BYTE SS_VALUE_TYPE_LONG = 0;
constexpr BYTE SS_VALUE_TYPE_DOUBLE = 1;
constexpr BYTE SS_VALUE_TYPE_STR = 2; // hValStr: movable global block of terminated wchar_t text
constexpr BYTE SS_VALUE_TYPE_CELL = 3;
constexpr BYTE SS_VALUE_TYPE_RANGE = 4;

struct SS_VALUECELL {
    SS_COORD Col;
    SS_COORD Row;
};

struct SS_VALUERANGE {
    SS_COORD Col;
    SS_COORD Row;
    SS_COORD Col2;
    SS_COORD Row2;
};

struct SSVALUE {
    BYTE Status;
    BYTE Type;
    union {
        long ValLong;
        double ValDouble;
        HGLOBAL hValStr;
        SS_VALUECELL ValCell;
        SS_VALUERANGE ValRange;
    };
};
using LPSSVALUE = SSVALUE*;

// A custom function: fills `result` from `args` (argCount records). Returns FALSE when it could
// not compute (the cell shows #VALUE!). The result starts as status EMPTY, type LONG. Argument
// text blocks belong to the control and are freed after the call; a text result's block is
// allocated by the callback (GlobalAlloc) and freed by the control.
using CALCFUNCPROC = BOOL (*)(LPSSVALUE result, LPSSVALUE args, short argCount);

// Flags of SSAddCustomFunctionExt: without them every argument arrives as its value.
constexpr long SS_CUSTFUNC_WANTCELLREF = 1;  // single-cell references arrive as type CELL
constexpr long SS_CUSTFUNC_WANTRANGEREF = 2; // multi-cell references arrive as type RANGE

// ---- Cell types --------------------------------------------------------------------------
// Cell-type codes (the first byte of a cell-type record).
constexpr BYTE SS_TYPE_EDIT = 1;
constexpr BYTE SS_TYPE_STATICTEXT = 2;
constexpr BYTE SS_TYPE_DATE = 3;
constexpr BYTE SS_TYPE_TIME = 4;
constexpr BYTE SS_TYPE_COMBOBOX = 5;
constexpr BYTE SS_TYPE_COMBOBOXEX = 6;
constexpr BYTE SS_TYPE_BUTTON = 7;
constexpr BYTE SS_TYPE_PICTURE = 8;
constexpr BYTE SS_TYPE_INTEGER = 10;
constexpr BYTE SS_TYPE_CHECKBOX = 12;
constexpr BYTE SS_TYPE_GENERAL = 13;
constexpr BYTE SS_TYPE_NUMBER = 14;
constexpr BYTE SS_TYPE_CURRENCY = 15;
constexpr BYTE SS_TYPE_PERCENT = 16;

// A cell-type record, filled by an SSSetType... call and applied by SSSetCellType(Range). The
// parameters live in the control (records with equal parameters share one entry); the record
// itself is plain data that may be copied freely; a record with a code and no entry stands for
// the defaults of that type.
struct SS_CELLTYPE {
    BYTE Type;
    BYTE Reserved[3];
    DWORD Detail; // the control's entry for the parameters; 0 = defaults of the type
};
using LPSS_CELLTYPE = SS_CELLTYPE*;

// Picture-type flags of the picture arguments. With SS_PICTURE_HANDLE the picture argument is
// a bitmap or icon handle cast to text pointer; otherwise it names a file.
constexpr short SS_PICTURE_ICON = 1;
constexpr short SS_PICTURE_BITMAP = 2;
constexpr short SS_PICTURE_HANDLE = 4;

// ---- Other records --------------------------------------------------------------------------
struct SS_CELLCOORD {
    SS_COORD Col;
    SS_COORD Row;
};
using LPSS_CELLCOORD = SS_CELLCOORD*;

// lParam of SSM_LEAVECELL.
struct SS_LEAVECELL {
    SS_COORD ColCurrent;
    SS_COORD RowCurrent;
    SS_COORD ColNew;
    SS_COORD RowNew;
};
using LPSS_LEAVECELL = SS_LEAVECELL*;

// ---- Numbered options (SSSetBool / SSGetBool) ---------------------------------------------------
constexpr short SSB_SHOWCOLHEADERS = 3;
constexpr short SSB_SHOWROWHEADERS = 4;
constexpr short SSB_AUTOCALC = 7;
constexpr short SSB_REDRAW = 8;
constexpr short SSB_CHANGEMADE = 30;

// ---- Notifications to the parent window -------------------------------------------------------
// Sent synchronously: wParam = the grid's control id, lParam = pointer to SS_CELLCOORD (or
// SS_LEAVECELL); the record is valid during the call only.
constexpr UINT SSM_DBLCLK = 0x501;
constexpr UINT SSM_LEAVECELL = 0x509;
constexpr UINT SSM_CLICK = 0x50A;
constexpr UINT SSM_RBUTTON = 0x50D;
// WM_COMMAND codes (HIWORD of wParam; LOWORD the control id; lParam the grid window) when a
// button or check-box cell is pressed and released (a check box has flipped by then).
constexpr WORD SSN_BUTTONDOWN = 59;
constexpr WORD SSN_BUTTONUP = 60;

inline const HCURSOR SS_CURSOR_DEFAULT = reinterpret_cast<HCURSOR>(static_cast<INT_PTR>(-1));

// SSGetCellSpan results.
constexpr WORD SS_SPAN_NO = 0;
constexpr WORD SS_SPAN_YES = 1;    // inside a span, not its anchor
constexpr WORD SS_SPAN_ANCHOR = 2; // the anchor of a span

// ---- Look ------------------------------------------------------------------------------------
// These settings are kept and returned as given; they take effect on the next paint.
BOOL SSSetAppearance(HWND hwnd, WORD appearance);
BOOL SSSetActionKey(HWND hwnd, WORD action, BOOL shift, BOOL control, WORD key);
// Stores option `option` and returns its previous value. Option 7 switches automatic
// recalculation, option 30 is the changed flag (user edits set it).
BOOL SSSetBool(HWND hwnd, short option, BOOL value);
// The value last set (unset options: 3, 4, 7 and 8 are TRUE, the others FALSE).
BOOL SSGetBool(HWND hwnd, short option);
BOOL SSSetGrayAreaColor(HWND hwnd, COLORREF background, COLORREF foreground);
BOOL SSSetCursor(HWND hwnd, WORD type, HCURSOR cursor);
BOOL SSSetSelColor(HWND hwnd, COLORREF background, COLORREF foreground);
BOOL SSSetLockColor(HWND hwnd, COLORREF background, COLORREF foreground);
BOOL SSSetGridType(HWND hwnd, WORD type);
BOOL SSSetGridColor(HWND hwnd, COLORREF color);
BOOL SSSetBackColorStyle(HWND hwnd, WORD style);
BOOL SSSetActiveCellHighlightStyle(HWND hwnd, WORD style);
BOOL SSSetUserResize(HWND hwnd, WORD userResize);
BOOL SSSetOperationMode(HWND hwnd, WORD mode);
BOOL SSSetUnitType(HWND hwnd, WORD unitType);
// Reference style of formulas shown and accepted: 0 default (A1), 1 A1, 2 R1C1. Returns the
// previous style; other values are refused (the style stays, -1).
short SSSetRefStyle(HWND hwnd, short style);
short SSGetRefStyle(HWND hwnd);
BOOL SSSetAutoSizeVisible(HWND hwnd, SS_COORD visibleCols, SS_COORD visibleRows);
BOOL SSSetEditEnterAction(HWND hwnd, WORD action);
BOOL SSGetTextTip(HWND hwnd, WORD* status, LPDWORD delay, LPLOGFONT font, COLORREF* background,
                  COLORREF* foreground);
BOOL SSSetTextTip(HWND hwnd, WORD status, DWORD delay, const LOGFONT* font, COLORREF background,
                  COLORREF foreground);
BOOL SSSetCellNoteIndicator(HWND hwnd, WORD indicator);
// Back to a new grid: contents, formats, options, styles, selection and custom functions.
BOOL SSReset(HWND hwnd);
// The parent window.
HWND SSGetOwner(HWND hwnd);

// ---- Size ------------------------------------------------------------------------------------
// The visible counts; reducing one drops the rows or columns beyond (contents and formats).
SS_COORD SSGetMaxRows(HWND hwnd);
BOOL SSSetMaxRows(HWND hwnd, SS_COORD rows);
SS_COORD SSGetMaxCols(HWND hwnd);
BOOL SSSetMaxCols(HWND hwnd, SS_COORD cols);
// Column widths in width units (one unit: the average character width of the default font,
// 6 pixels; a column wider than 0 adds 4 pixels of padding). SS_ALLCOLS sets every column.
BOOL SSSetColWidth(HWND hwnd, SS_COORD col, double width);
BOOL SSGetColWidth(HWND hwnd, SS_COORD col, double* width);
BOOL SSSetColWidthInPixels(HWND hwnd, SS_COORD col, int pixels);
BOOL SSGetColWidthInPixels(HWND hwnd, SS_COORD col, int* pixels);
// Pixels to width units.
BOOL SSLogUnitsToColWidth(HWND hwnd, int pixels, double* width);
// Row heights in points (4/3 pixel each). SS_ALLROWS sets every row.
BOOL SSSetRowHeight(HWND hwnd, SS_COORD row, double height);
BOOL SSGetRowHeight(HWND hwnd, SS_COORD row, double* height);
BOOL SSSetRowHeightInPixels(HWND hwnd, SS_COORD row, int pixels);
BOOL SSGetRowHeightInPixels(HWND hwnd, SS_COORD row, int* pixels);
// The width (width units) and height (points) the cell's shown text needs in its font.
BOOL SSGetMaxTextCellSize(HWND hwnd, SS_COORD col, SS_COORD row, double* width, double* height);
// The widest text of the column (header included); FALSE when the column holds no text.
BOOL SSGetMaxTextColWidth(HWND hwnd, SS_COORD col, double* width);
// The tallest text of the row (header included); FALSE when the row holds no text.
BOOL SSGetMaxTextRowHeight(HWND hwnd, SS_COORD row, double* height);
BOOL SSGetClientRect(HWND hwnd, LPRECT rect);
// Widths of the vertical and horizontal scroll bars in pixels.
BOOL SSGetScrollBarSize(HWND hwnd, int* verticalWidth, int* horizontalHeight);
BOOL SSIsRowHidden(HWND hwnd, SS_COORD row);
BOOL SSShowRow(HWND hwnd, SS_COORD row, BOOL show);

// ---- Cells -----------------------------------------------------------------------------------
// Data and values never create formulas; writing one replaces the cell's formula. A general or
// numeric cell turns numeric text into a number; an edit, static-text, combo-box or other text
// cell keeps the text; a check box keeps 1 or 0. Empty text empties the cell.
BOOL SSSetData(HWND hwnd, SS_COORD col, SS_COORD row, LPCWSTR data);
// The cell's contents (a formula's result) as text, formatted by its type (see CONTROL.md).
int SSGetData(HWND hwnd, SS_COORD col, SS_COORD row, LPWSTR buffer);
int SSGetDataLen(HWND hwnd, SS_COORD col, SS_COORD row);
BOOL SSSetValue(HWND hwnd, SS_COORD col, SS_COORD row, LPCWSTR value);
// The value as the cell's type shows it: a number cell with N decimals gives N decimals and
// no separators, a check box "1" or "0", an empty cell "".
int SSGetValue(HWND hwnd, SS_COORD col, SS_COORD row, LPWSTR buffer);
int SSGetValueLen(HWND hwnd, SS_COORD col, SS_COORD row);
// A formula in the current reference style ("=" optional). With `validate`, a formula that does
// not parse or names an unknown function is refused (FALSE, cell unchanged); without it an
// unknown function shows #NAME? until it is registered. Empty text removes the cell's contents.
// The cell's value is computed at once, even with automatic recalculation off.
BOOL SSSetFormula(HWND hwnd, SS_COORD col, SS_COORD row, LPCWSTR formula, BOOL validate);
// The formula without "=", in the current reference style; 0 when the cell has none.
int SSGetFormula(HWND hwnd, SS_COORD col, SS_COORD row, LPWSTR buffer);
int SSGetFormulaLen(HWND hwnd, SS_COORD col, SS_COORD row);
BOOL SSSetFloat(HWND hwnd, SS_COORD col, SS_COORD row, double value);
// FALSE when the cell's value is not a number (numeric text counts as a number).
BOOL SSGetFloat(HWND hwnd, SS_COORD col, SS_COORD row, double* value);
BOOL SSSetCellTag(HWND hwnd, SS_COORD col, SS_COORD row, LPCWSTR tag);
int SSGetCellTag(HWND hwnd, SS_COORD col, SS_COORD row, LPWSTR buffer);
// The cell whose notification is being sent (FALSE when none is).
BOOL SSGetCellSendingMsg(HWND hwnd, LPSS_COORD col, LPSS_COORD row);
// Colours are kept as given, system-colour references included. Ranges take SS_ALLCOLS and
// SS_ALLROWS.
BOOL SSSetColor(HWND hwnd, SS_COORD col, SS_COORD row, COLORREF background, COLORREF foreground);
BOOL SSSetColorRange(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2,
                     COLORREF background, COLORREF foreground);
BOOL SSGetColor(HWND hwnd, SS_COORD col, SS_COORD row, COLORREF* background, COLORREF* foreground);
// The font's description is kept (the handle need not outlive the call). With `deleteFont`
// the control deletes the font when the grid is destroyed.
BOOL SSSetFont(HWND hwnd, SS_COORD col, SS_COORD row, HFONT font, BOOL deleteFont);
BOOL SSSetFontRange(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2, HFONT font,
                    BOOL deleteFont);
// A font of the cell's description, owned by the grid (valid while the grid lives).
HFONT SSGetFont(HWND hwnd, SS_COORD col, SS_COORD row);
BOOL SSSetBorder(HWND hwnd, SS_COORD col, SS_COORD row, WORD type, WORD style, COLORREF color);
BOOL SSSetBorderRange(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2,
                      WORD type, WORD style, COLORREF color);
BOOL SSGetBorder(HWND hwnd, SS_COORD col, SS_COORD row, WORD* type, WORD* style, COLORREF* color);
BOOL SSSetLock(HWND hwnd, SS_COORD col, SS_COORD row, BOOL lock);
BOOL SSSetLockRange(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2, BOOL lock);
BOOL SSGetLock(HWND hwnd, SS_COORD col, SS_COORD row);

// ---- Cell types --------------------------------------------------------------------------------
// Each fills `cellType` and returns it (null for a null record).
LPSS_CELLTYPE SSSetTypeEdit(HWND hwnd, LPSS_CELLTYPE cellType, long style, int maxLength,
                            short charSet, short charCase);
LPSS_CELLTYPE SSSetTypeNumber(HWND hwnd, LPSS_CELLTYPE cellType, long style, short decimals,
                              double minimum, double maximum, BOOL separator);
LPSS_CELLTYPE SSSetTypeInteger(HWND hwnd, LPSS_CELLTYPE cellType, long minimum, long maximum);
LPSS_CELLTYPE SSSetTypeCurrency(HWND hwnd, LPSS_CELLTYPE cellType, long style, short decimals,
                                double minimum, double maximum, BOOL separator);
LPSS_CELLTYPE SSSetTypePercent(HWND hwnd, LPSS_CELLTYPE cellType, long style, short decimals,
                               double minimum, double maximum);
LPSS_CELLTYPE SSSetTypeGeneral(HWND hwnd, LPSS_CELLTYPE cellType);
LPSS_CELLTYPE SSSetTypeDate(HWND hwnd, LPSS_CELLTYPE cellType, long style);
LPSS_CELLTYPE SSSetTypeTime(HWND hwnd, LPSS_CELLTYPE cellType, long style);
LPSS_CELLTYPE SSSetTypeStaticText(HWND hwnd, LPSS_CELLTYPE cellType, long style);
// Items separated by TAB characters.
LPSS_CELLTYPE SSSetTypeComboBox(HWND hwnd, LPSS_CELLTYPE cellType, long style, LPCWSTR items);
LPSS_CELLTYPE SSSetTypeComboBoxEx(HWND hwnd, LPSS_CELLTYPE cellType, long style, LPCWSTR items,
                                  short listRows, short maxEditLength, short listWidth,
                                  HWND dropWindow, BYTE autoSearch);
// The button kind, shadow size and colours only change the look; they are not kept.
LPSS_CELLTYPE SSSetTypeButton(HWND hwnd, LPSS_CELLTYPE cellType, long style, LPCWSTR text,
                              LPCWSTR picture, short pictureType, LPCWSTR pictureDown,
                              short pictureDownType, short buttonType, short shadowSize,
                              LPVOID colors);
LPSS_CELLTYPE SSSetTypeCheckBox(HWND hwnd, LPSS_CELLTYPE cellType, long style, LPCWSTR text,
                                LPCWSTR pictureUp, WORD pictureUpType, LPCWSTR pictureDown,
                                WORD pictureDownType, LPCWSTR pictureFocusUp,
                                WORD pictureFocusUpType, LPCWSTR pictureFocusDown,
                                WORD pictureFocusDownType, LPCWSTR pictureDisabledUp,
                                WORD pictureDisabledUpType, LPCWSTR pictureDisabledDown,
                                WORD pictureDisabledDownType);
LPSS_CELLTYPE SSSetTypePicture(HWND hwnd, LPSS_CELLTYPE cellType, long style, LPCWSTR picture);
LPSS_CELLTYPE SSSetTypePictureHandle(HWND hwnd, LPSS_CELLTYPE cellType, long style, HANDLE picture,
                                     HANDLE palette, BOOL deleteHandle);
// FALSE for a record no SSSetType... call filled.
BOOL SSSetCellType(HWND hwnd, SS_COORD col, SS_COORD row, const SS_CELLTYPE* cellType);
BOOL SSSetCellTypeRange(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2,
                        const SS_CELLTYPE* cellType);
BOOL SSGetCellType(HWND hwnd, SS_COORD col, SS_COORD row, LPSS_CELLTYPE cellType);

// ---- Structure -------------------------------------------------------------------------------
// FALSE for a block of fewer than two cells, reaching outside the grid or overlapping another
// span; a span at the same anchor is replaced.
BOOL SSAddCellSpan(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD numCols, SS_COORD numRows);
BOOL SSRemoveCellSpan(HWND hwnd, SS_COORD col, SS_COORD row);
// SS_SPAN_NO, SS_SPAN_YES or SS_SPAN_ANCHOR; the out values give the span (anchor and size).
WORD SSGetCellSpan(HWND hwnd, SS_COORD col, SS_COORD row, LPSS_COORD anchorCol,
                   LPSS_COORD anchorRow, LPSS_COORD numCols, LPSS_COORD numRows);
// Copies contents and formatting of the block to the block whose top-left is (destCol,
// destRow); formulas move their relative references. Overlapping blocks copy as through a
// buffer.
BOOL SSCopyRange(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2,
                 SS_COORD destCol, SS_COORD destRow);
BOOL SSSwapRange(HWND hwnd, SS_COORD col, SS_COORD row, SS_COORD col2, SS_COORD row2,
                 SS_COORD destCol, SS_COORD destRow);
// Insert or delete one row or column; the counts stay (what is pushed beyond is dropped).
BOOL SSInsRow(HWND hwnd, SS_COORD row);
BOOL SSDelRow(HWND hwnd, SS_COORD row);
BOOL SSInsCol(HWND hwnd, SS_COORD col);
BOOL SSDelCol(HWND hwnd, SS_COORD col);

// ---- Selection ------------------------------------------------------------------------------
BOOL SSGetActiveCell(HWND hwnd, LPSS_COORD col, LPSS_COORD row);
BOOL SSSetActiveCell(HWND hwnd, SS_COORD col, SS_COORD row);
// FALSE when no block of more than one cell is selected. A corner of -1 means every column or
// row.
BOOL SSGetSelectBlock(HWND hwnd, LPSS_CELLCOORD upperLeft, LPSS_CELLCOORD lowerRight);
// Selects the block and makes its first cell active (SS_HEADER and -1 select whole rows or
// columns).
BOOL SSSetSelectBlock(HWND hwnd, const SS_CELLCOORD* upperLeft, const SS_CELLCOORD* lowerRight);
// The text selection [start, end) of the cell editor; FALSE outside edit mode.
BOOL SSGetSel(HWND hwnd, int* selStart, int* selEnd);
BOOL SSSetSel(HWND hwnd, int selStart, int selEnd);
BOOL SSGetEditMode(HWND hwnd);
// Edit mode on opens the editor on the active cell with its value text; off closes it, keeping
// what the user typed (as data).
BOOL SSSetEditMode(HWND hwnd, BOOL on);
// The selected block (or the active cell) as lines of TAB-separated data texts.
BOOL SSClipboardCopy(HWND hwnd);
// Writes the clipboard's lines and TAB-separated fields as data from the top-left of the
// selection; what falls outside the grid is dropped. Sets the changed flag.
BOOL SSClipboardPaste(HWND hwnd);

// ---- Calculation and files ------------------------------------------------------------------
BOOL SSReCalc(HWND hwnd);
BOOL SSReCalcCell(HWND hwnd, SS_COORD col, SS_COORD row);
// Registers a function for this grid's formulas (name compared without regard to case; a name
// registered again is replaced). minArgs/maxArgs bound the argument count (maxArgs -1: no
// bound). Registrations end with a successful load or SSReset.
BOOL SSAddCustomFunctionExt(HWND hwnd, LPCWSTR name, short minArgs, short maxArgs,
                            CALCFUNCPROC proc, long flags);
// Replaces the whole document from a sheet file; on failure nothing changes. 1 on success.
BOOL SSLoadFromFile(HWND hwnd, LPCWSTR path);
// Writes contents and formatting (dataOnly: contents only), atomically. 1 on success.
BOOL SSSaveToFile(HWND hwnd, LPCWSTR path, BOOL dataOnly);
