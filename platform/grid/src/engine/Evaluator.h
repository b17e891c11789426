// Runs a program on an explicit value stack: operators with spreadsheet coercions, references
// read from the cell store, built-in and custom function calls, and the lazy jumps of IF,
// IFERROR, IFNA and CHOOSE.
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

// The value of `program` as the formula of cell (col, row). Never throws. `stack` holds the
// operands; a nested evaluation (started by a custom function) works above the entries of the
// one it interrupts and leaves the stack as it found it.
Value evaluate(const CellStore& cells, EvalHost& host, std::vector<FnArg>& stack,
               const Program& program, int col, int row);

} // namespace gridx::engine
