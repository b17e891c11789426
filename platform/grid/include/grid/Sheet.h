// The windowless sheet model of the grid control: cell contents, formulas and recalculation.
// Formatting (cell types, locks, colours, spans, sizes) lives in the format model; the control's
// window layer drives both.
#pragma once

#include "grid/FunctionRef.h"
#include "grid/Refs.h"
#include "grid/Value.h"

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace gridx {

// One argument as a custom function receives it.
struct CustomArg {
    enum class Kind : unsigned char {
        Value,   // an operand passed by value (also a reference when the flags ask for values)
        Cell,    // a single-cell reference (flag kCellsAsReferences)
        Range,   // a multi-cell reference (flag kRangesAsReferences)
        Missing, // an omitted argument
    };
    Kind kind = Kind::Missing;
    Value value; // Value: the operand; Cell: the cell's current value
    RangeRef ref;
};

// Flags of a custom function.
constexpr unsigned kCellsAsReferences = 1;
constexpr unsigned kRangesAsReferences = 2;

// A custom function's callback. It runs synchronously during recalculation and may read, change
// and recalculate this or other sheets. Its result becomes the cell's value (an empty value
// shows an empty cell; the caller maps a failure to an error value).
using CustomFunction = std::function<Value(std::span<const CustomArg> args)>;

enum class FormulaStatus : unsigned char {
    Ok,
    SyntaxError,     // the text does not parse
    UnknownFunction, // names neither a built-in nor a registered custom function
    TooComplex,      // nested too deeply or too long; refused before it can exhaust the stack
    OutOfRange,      // the cell lies outside the sheet
};

class Sheet {
public:
    Sheet();
    ~Sheet();
    Sheet(const Sheet&) = delete;
    Sheet& operator=(const Sheet&) = delete;

    // Size. Reducing a count drops the cells beyond it; formulas that refer there read empty.
    int maxCols() const;
    int maxRows() const;
    void setMaxCols(int cols);
    void setMaxRows(int rows);

    // Contents. Columns and rows count from 1; column 0 and row 0 are the header column and row,
    // which hold constants only. Writes outside 0..max are ignored (false). Writing a constant
    // replaces the cell's formula. With automatic recalculation on, dependants are recomputed.
    bool setConstant(int col, int row, Value value);
    bool clearCell(int col, int row);
    // Sets a formula; a leading "=" is optional. With `validate`, a formula that does not parse
    // or names an unknown function is refused and the cell is left as it was. Without it, an
    // unknown function is kept and evaluates to #NAME? until a custom function of that name is
    // registered; a syntax error is still refused.
    FormulaStatus setFormula(int col, int row, std::wstring_view text, RefStyle style,
                             bool validate);

    bool hasFormula(int col, int row) const;
    // The formula without a leading "=", shown in the given style; "" when the cell has none.
    std::wstring formulaText(int col, int row, RefStyle style) const;
    // The constant, or the formula's last computed result; empty outside the sheet.
    const Value& value(int col, int row) const;
    // Visits every cell that has a constant or a formula, row by row, left to right.
    void forEachCell(FunctionRef<void(int col, int row)> visit) const;
    // Number of cells holding a constant or a formula.
    std::size_t cellCount() const;

    // Recalculation. Automatic recalculation recomputes what depends on each change, in
    // dependency order; with it off, values change only through recalc()/recalcCell().
    // (Either way a formula just set is computed at once, after any stale cells it reads.)
    // Volatile formulas (NOW, TODAY, RAND) are recomputed by every recalculation. Members of a
    // reference cycle show #CIRC!. A recalculation asked for from inside a custom function on
    // the same sheet is folded into the one running. Switching automatic recalculation on
    // recomputes what changed while it was off.
    void setAutoRecalc(bool on);
    bool autoRecalc() const;
    // Recomputes every formula of the sheet.
    void recalc();
    // Recomputes the formula of one cell, after the stale formulas it reads.
    void recalcCell(int col, int row);

    // Custom functions, called by name from formulas (case-insensitive). Registering a name
    // again replaces it; formulas that name it are recomputed at the next recalculation.
    void addCustomFunction(std::wstring_view name, int minArgs, int maxArgs, unsigned flags,
                           CustomFunction callback);
    void clearCustomFunctions();

    // Structure. Formula references follow the moved cells; references into a deleted area
    // become #REF!. Rows and columns pushed beyond the maximum are dropped.
    void insertRows(int at, int count);
    void deleteRows(int at, int count);
    void insertCols(int at, int count);
    void deleteCols(int at, int count);
    // Copies contents to the block whose top-left is (destCol, destRow); relative references
    // move with the copy as in a fill. Overlapping blocks copy as if through a buffer.
    void copyRange(const RangeRef& source, int destCol, int destRow);
    // Exchanges the contents of the source block and the equally sized destination block.
    void swapRanges(const RangeRef& source, int destCol, int destRow);
    void clearRange(const RangeRef& range);
    // Removes every cell and custom function; keeps the size and the recalculation mode.
    void clearAll();

    // Source of NOW() and TODAY(): local date-time as a serial number. Defaults to the system
    // clock; the window layer points it at the platform's clock so that tests can fix time.
    void setClock(std::function<double()> now);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Serial number (days since 1899-12-30) of a local calendar date and time.
double serialFromDateTime(int year, int month, int day, int hour, int minute, double second);

} // namespace gridx
