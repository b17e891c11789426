// The format model of the grid control: cell types, locks, colours, fonts, borders, cell tags,
// spans, column widths, row heights and hidden rows of one sheet.
//
// Formats are kept in four layers: the whole sheet, each column, each row and each cell. A
// layer holds only the attributes set on it; a cell shows, attribute by attribute, the first one
// set in cell, row, column, sheet order. Applying an attribute to whole columns, rows or the
// sheet clears it from the layers below so that the last change wins, and costs no record per
// cell. Records are shared between cells that look alike.
#pragma once

#include "grid/FunctionRef.h"
#include "grid/Refs.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace gridx {

// In a range, every column or every row, including those added later.
constexpr int kAll = -1;

// Colour as the platform writes it: 0x00BBGGRR, or a system-colour reference (0x80000000 | n)
// that is stored and returned unchanged.
using Color = std::uint32_t;
constexpr Color kDefaultBackColor = 0x00FFFFFF;
constexpr Color kDefaultForeColor = 0x00000000;

// Cell-type codes: the first byte of a cell-type record.
enum class CellKind : std::uint8_t {
    Edit = 1,
    StaticText = 2,
    Date = 3,
    Time = 4,
    ComboBox = 5,
    ComboBoxEx = 6,
    Button = 7,
    Picture = 8,
    Integer = 10,  // reads as a whole number
    CheckBox = 12, // reads "1" or "0"
    General = 13,  // the default: numeric text becomes a number, other text stays text
    Number = 14,
    Currency = 15,
    Percent = 16,
};

// Whether `code` is one of the codes above.
bool isCellKind(int code);
// Integer, Number, Currency and Percent cells hold numbers.
bool isNumericKind(CellKind kind);

// A picture given by file or resource name, or by the handle of a bitmap or icon. A handle lives
// only as long as the process: files keep the name and type and leave the handle out.
struct PictureRef {
    std::wstring name;
    std::uintptr_t handle = 0;
    int type = 0; // the picture-type argument of the call that set it
    bool operator==(const PictureRef&) const = default;
};

// Check-box pictures, in the order the check-box call takes them.
enum class CheckPicture : std::uint8_t { Up, Down, FocusUp, FocusDown, DisabledUp, DisabledDown };
constexpr int kCheckPictureCount = 6;

// A cell-type record: the code, then the parameters of that type as given. Fields a type does
// not use keep their defaults.
struct CellType {
    CellKind kind = CellKind::General;
    std::int32_t style = 0; // style flags of the type, passed through unchanged

    // Edit: maximum length, character set and case conversion.
    int maxLength = 0;
    int charSet = 0;
    int charCase = 0;

    // Integer, Number, Currency, Percent, Date, Time: decimals, bounds, thousands separator.
    int decimals = 0;
    double minimum = 0.0;
    double maximum = 0.0;
    bool separator = false;

    // StaticText: the style is enough. Button: label. CheckBox: text beside the box.
    std::wstring text;

    // ComboBox, ComboBoxEx: items separated by TAB characters, list height in items, maximum
    // edit length, list width, automatic search. The drop-down window is a handle (not saved).
    std::wstring items;
    int listRows = 0;
    int maxEditLength = 0;
    int listWidth = 0;
    bool autoSearch = false;
    std::uintptr_t dropWindow = 0;

    // Picture: pictures[0]. CheckBox: indexed by CheckPicture. Button: pictures[0], [1] (down).
    std::array<PictureRef, kCheckPictureCount> pictures;

    bool operator==(const CellType&) const = default;
};

// The description of a font (not a font object).
struct CellFont {
    std::wstring face = L"Sans Serif";
    int height = -11; // logical units; negative: character height, positive: cell height
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::uint8_t charSet = 1;
    bool operator==(const CellFont&) const = default;
};

// A cell border: `type` says which edges (the border-type flags as given), then line style and
// colour. Type 0 is no border.
struct Border {
    int type = 0;
    int style = 0;
    Color color = 0;
    bool operator==(const Border&) const = default;
};

// One layer's attributes; an unset attribute lets the next layer show through.
struct FormatLayer {
    std::optional<CellType> type;
    std::optional<bool> locked;
    std::optional<Color> backColor;
    std::optional<Color> foreColor;
    std::optional<CellFont> font;
    std::optional<Border> border;

    bool empty() const;
    // Sets every attribute that `patch` sets.
    void merge(const FormatLayer& patch);
    // Unsets every attribute that `mask` sets.
    void unset(const FormatLayer& mask);
    bool operator==(const FormatLayer&) const = default;
};

// The attributes a cell shows after the layers are resolved.
struct CellFormat {
    CellType type;
    bool locked = false;
    Color backColor = kDefaultBackColor;
    Color foreColor = kDefaultForeColor;
    CellFont font;
    Border border;
};

// A block of cells shown as one; every cell in it reports the anchor (top-left).
struct Span {
    int col = 0;
    int row = 0;
    int cols = 1;
    int rows = 1;
    bool contains(int c, int r) const {
        return c >= col && c < col + cols && r >= row && r < row + rows;
    }
    bool operator==(const Span&) const = default;
};

// Column widths are in width units: one unit is the average character width of the default
// font (6 pixels), plus 4 pixels of padding for a column wider than 0. Row heights are in
// points at 96 dpi (one unit = 4/3 pixel).
constexpr double kDefaultColWidth = 8.0;   // 52 pixels
constexpr double kDefaultRowHeight = 12.0; // 16 pixels
int colWidthToPixels(double units);
double pixelsToColWidth(int pixels);
int rowHeightToPixels(double units);
double pixelsToRowHeight(int pixels);

struct FormatStore; // the storage, private to the library

class SheetFormat {
public:
    SheetFormat();
    ~SheetFormat();
    SheetFormat(const SheetFormat& other);
    SheetFormat& operator=(const SheetFormat& other);
    SheetFormat(SheetFormat&&) noexcept;
    SheetFormat& operator=(SheetFormat&&) noexcept;

    // Size, mirroring the sheet's. Reducing a count drops what lies beyond (cell and row or
    // column layers, tags, sizes, hidden rows; spans are cut to fit or removed).
    int maxCols() const;
    int maxRows() const;
    void setMaxCols(int cols);
    void setMaxRows(int rows);

    // ---- Formats. Columns and rows count from 1, 0 is the header column or row (kHeader is
    // taken as 0). Cells outside 0..max are ignored; a range is clipped to the sheet.

    // What the cell shows; defaults outside the sheet.
    CellFormat cell(int col, int row) const;
    const CellType& cellType(int col, int row) const;
    bool locked(int col, int row) const;

    // Sets every attribute of `patch` on the block. A bound of kAll in both col1 and col2 (or
    // row1 and row2) means every column (row): the change goes to the row, column or sheet
    // layer, and the same attributes of the layers below it inside the block are cleared.
    void apply(const RangeRef& block, const FormatLayer& patch);
    void setCellType(const RangeRef& block, const CellType& type);
    void setLocked(const RangeRef& block, bool locked);
    void setColors(const RangeRef& block, std::optional<Color> back, std::optional<Color> fore);
    void setFont(const RangeRef& block, const CellFont& font);
    void setBorder(const RangeRef& block, const Border& border);

    // ---- Cell tags: free text per cell, headers and the corner cell included.
    void setTag(int col, int row, std::wstring_view tag);
    // "" when the cell has none.
    std::wstring_view tag(int col, int row) const;
    void forEachTag(FunctionRef<void(int col, int row, std::wstring_view tag)> visit) const;

    // ---- Spans. False for a block smaller than two cells, reaching outside the sheet or
    // overlapping a span with another anchor; a span at the same anchor is replaced.
    bool addSpan(int col, int row, int cols, int rows);
    // Removes the span anchored at the cell; false when none is.
    bool removeSpan(int col, int row);
    // The span that covers the cell, if any.
    std::optional<Span> spanAt(int col, int row) const;
    void forEachSpan(FunctionRef<void(const Span&)> visit) const;

    // ---- Sizes. kAll sets the default and clears the individual values.
    double colWidth(int col) const;
    void setColWidth(int col, double units);
    int colWidthPixels(int col) const { return colWidthToPixels(colWidth(col)); }
    double rowHeight(int row) const;
    void setRowHeight(int row, double units);
    int rowHeightPixels(int row) const { return rowHeightToPixels(rowHeight(row)); }
    double defaultColWidth() const;
    double defaultRowHeight() const;
    void forEachColWidth(FunctionRef<void(int col, double units)> visit) const;
    void forEachRowHeight(FunctionRef<void(int row, double units)> visit) const;

    bool rowHidden(int row) const;
    void setRowHidden(int row, bool hidden);
    void forEachHiddenRow(FunctionRef<void(int row)> visit) const;

    // ---- Layers as stored, for files. The setters replace a layer without touching others.
    const FormatLayer& sheetLayer() const;
    void setSheetLayer(const FormatLayer& layer);
    void forEachColLayer(FunctionRef<void(int col, const FormatLayer&)> visit) const;
    void forEachRowLayer(FunctionRef<void(int row, const FormatLayer&)> visit) const;
    // Row by row, left to right.
    void forEachCellLayer(FunctionRef<void(int col, int row, const FormatLayer&)> visit) const;
    void setColLayer(int col, const FormatLayer& layer);
    void setRowLayer(int row, const FormatLayer& layer);
    void setCellLayer(int col, int row, const FormatLayer& layer);

    // ---- Structure, as the sheet does it: formats, tags, sizes and spans move with the cells;
    // what is pushed beyond the maximum is dropped; spans over a deleted area shrink or vanish.
    void insertRows(int at, int count);
    void deleteRows(int at, int count);
    void insertCols(int at, int count);
    void deleteCols(int at, int count);
    // Copies what the source cells show (and their tags and the spans inside the source) to
    // the block whose top-left is (destCol, destRow); overlapping blocks copy as through a
    // buffer.
    void copyRange(const RangeRef& source, int destCol, int destRow);
    void swapRanges(const RangeRef& source, int destCol, int destRow);
    // Removes the cell formats and tags of the block (layers of whole rows and columns stay).
    void clearRange(const RangeRef& block);
    // Back to the defaults; keeps the size.
    void clearAll();

private:
    std::unique_ptr<FormatStore> impl_;
};

} // namespace gridx
