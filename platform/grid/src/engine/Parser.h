// Formula text to program code.
#pragma once

#include "engine/Program.h"
#include "grid/FunctionRef.h"
#include "grid/Refs.h"
#include "grid/Sheet.h"

#include <string_view>

namespace gridx::engine {

struct ParseRequest {
    std::wstring_view text;
    RefStyle style = RefStyle::A1;
    int col = 1; // the cell that holds the formula; relative references are kept as offsets
    int row = 1;
    bool validate = false; // refuse names that are neither functions nor custom functions
    // Whether a custom function of that (upper-case) name is registered.
    FunctionRef<bool(std::wstring_view)> isCustom;
};

// Parses the formula into `out` (cleared first). Ok, or why the text is refused; `out` is
// meaningful only on Ok.
FormulaStatus parseFormula(const ParseRequest& request, ProgramBuilder& out);

} // namespace gridx::engine
