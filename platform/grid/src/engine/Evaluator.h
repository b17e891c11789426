// Runs a program on an explicit operand stack: operators with spreadsheet coercions,
// references read from the cell store, built-in and custom function calls, and the lazy jumps
// of IF, IFERROR, IFNA and CHOOSE.
#pragma once

#include "engine/CellStore.h"
#include "engine/Program.h"
#include "grid/Functions.h"

#include <span>
#include <string_view>
#include <vector>

namespace gridx::engine {

// What a running formula may ask of its sheet besides cell values.
class EvalHost {
public:
    virtual ~EvalHost() = default;
    virtual FnContext& functionContext() = 0;
    // Runs the custom function `name` (upper case) on the arguments; #NAME? when no such
    // function is registered. An empty result means "show an empty cell". The arguments are
    // valid only until the callback runs (it may re-enter the evaluator).
    virtual Value callCustom(std::wstring_view name, std::span<const FnArg> args) = 0;
};

// An operand on the stack. A plain number stays a double, so arithmetic does no Value work;
// anything else is kept as a function sees it.
struct Operand {
    FnArg arg;
    double number = 0.0;
    bool plain = false; // `number` holds the value and `arg.value` is unused
};

// Operands of the evaluations in progress. A nested evaluation (started by a custom function)
// works above the operands of the one it interrupts. Entries are reused, not destroyed.
struct EvalStack {
    std::vector<Operand> entries;
    std::size_t top = 0;
    std::vector<FnArg> args; // the arguments of the function being called
};

// The value of `program` as the formula of cell (col, row). Never throws; leaves the stack as
// it found it.
Value evaluate(const CellStore& cells, EvalHost& host, EvalStack& stack, const Program& program,
               int col, int row);

} // namespace gridx::engine
