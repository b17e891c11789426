// Turns the relative references of a program into the cells they address from a given cell.
#pragma once

#include "engine/Limits.h"
#include "engine/Program.h"
#include "grid/Refs.h"

#include <algorithm>

namespace gridx::engine {

// The cell a Ref instruction at `at` addresses from (col, row); false when it is deleted or
// falls off the sheet.
inline bool resolveRef(const std::uint32_t* at, int col, int row, int& outCol, int& outRow) {
    const std::uint32_t flags = argOf(*at);
    if (flags & kRefDeleted) return false;
    outCol = (flags & kAbsCol) ? static_cast<int>(at[1]) : col + static_cast<int>(at[1]);
    outRow = (flags & kAbsRow) ? static_cast<int>(at[2]) : row + static_cast<int>(at[2]);
    return validCol(outCol) && validRow(outRow);
}

// The block an Area instruction at `at` addresses from (col, row), corners ordered; false
// when it is deleted or falls off the sheet.
inline bool resolveArea(const std::uint32_t* at, int col, int row, RangeRef& out) {
    const std::uint32_t flags = argOf(*at);
    if (flags & kAreaDeleted) return false;
    const int c1 = (flags & kAbsCol1) ? static_cast<int>(at[1]) : col + static_cast<int>(at[1]);
    const int r1 = (flags & kAbsRow1) ? static_cast<int>(at[2]) : row + static_cast<int>(at[2]);
    const int c2 = (flags & kAbsCol2) ? static_cast<int>(at[3]) : col + static_cast<int>(at[3]);
    const int r2 = (flags & kAbsRow2) ? static_cast<int>(at[4]) : row + static_cast<int>(at[4]);
    if (!validCol(c1) || !validCol(c2) || !validRow(r1) || !validRow(r2)) return false;
    out = RangeRef{std::min(c1, c2), std::min(r1, r2), std::max(c1, c2), std::max(r1, r2)};
    return true;
}

// Calls `onRef(at)` for each Ref and `onArea(at)` for each Area instruction of the program.
template <typename OnRef, typename OnArea>
void forEachReference(const Program& program, OnRef&& onRef, OnArea&& onArea) {
    const std::uint32_t* code = program.code();
    for (std::uint32_t pc = 0; pc < program.codeSize; pc += instructionSize(code[pc])) {
        const Op op = opOf(code[pc]);
        if (op == Op::Ref)
            onRef(code + pc);
        else if (op == Op::Area)
            onArea(code + pc);
    }
}

} // namespace gridx::engine
