// The built-in function library of the formula language, and what a function may ask of the
// sheet while it runs. Every function, its arguments and edge behaviour are described in
// platform/grid/FUNCTIONS.md.
#pragma once

#include "grid/FunctionRef.h"
#include "grid/Refs.h"
#include "grid/Value.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace gridx {

// One evaluated argument of a function call.
struct FnArg {
    enum class Kind : std::uint8_t {
        Value,   // a computed operand (literal or expression); `value` holds it
        Cell,    // a single-cell reference; `value` holds the cell's value, `range` the cell
        Range,   // a multi-cell reference; `range` holds it, `value` is empty
        Missing, // an omitted argument, as in ROUND(1.5,)
    };
    Kind kind = Kind::Missing;
    Value value;
    RangeRef range;

    bool isReference() const { return kind == Kind::Cell || kind == Kind::Range; }
};

// Sum and count of the numbers in a range (texts, booleans and empty cells are skipped), and
// the first error met in row-major order.
struct RangeStats {
    double sum = 0.0;
    double sumOfSquares = 0.0;
    double count = 0.0;
    bool hasError = false;
    ErrorCode firstError = ErrorCode::Value;
};

// The sheet as a running function sees it.
class FnContext {
public:
    virtual ~FnContext() = default;
    // The computed value of a cell; empty outside the sheet.
    virtual const Value& cell(int col, int row) const = 0;
    // Visits the non-empty cells of the range row by row, left to right; stops when the visitor
    // returns false.
    virtual void
    forEachNonEmpty(const RangeRef& range,
                    FunctionRef<bool(int col, int row, const Value& v)> visit) const = 0;
    // Statistics of the range's numbers; the engine may answer from a cache, with exactly the
    // result a row-major walk would give.
    virtual RangeStats numberStats(const RangeRef& range) const = 0;
    // Current local date and time as a serial number (days since 1899-12-30, fraction = time).
    virtual double now() const = 0;
    // A uniformly distributed number in [0, 1).
    virtual double random() = 0;
};

using BuiltinFn = Value (*)(FnContext& ctx, std::span<const FnArg> args);

enum BuiltinFlags : std::uint8_t {
    kVolatile = 1, // recomputed on every recalculation (NOW, TODAY, RAND)
    kLazy = 2,     // the evaluator evaluates only the arguments it needs (IF, IFERROR, CHOOSE);
                   // `fn` is still a correct eager implementation
};

struct BuiltinInfo {
    std::wstring_view name; // upper case
    int minArgs = 0;
    int maxArgs = 0; // kAnyArgs for a variable count
    BuiltinFn fn = nullptr;
    std::uint8_t flags = 0;
};

constexpr int kAnyArgs = 255;

// The built-in function with that name (case-insensitive), or null.
const BuiltinInfo* findBuiltin(std::wstring_view name);
// Every built-in function, sorted by name.
std::span<const BuiltinInfo> builtins();

} // namespace gridx
