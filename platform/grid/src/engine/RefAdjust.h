// Rewrites the references of programs when rows or columns are inserted or deleted, and marks
// references that fall off the sheet when a formula is copied.
#pragma once

#include "engine/Program.h"

#include <optional>

namespace gridx::engine {

// An insertion or deletion of `count` rows (or columns) starting at `at`.
struct AxisEdit {
    bool rows = true;
    bool insert = true;
    int at = 1;
    int count = 0;

    int limit() const;
    // Where a row (column) goes; nothing when it is deleted or pushed past the limit.
    std::optional<int> move(int index) const;
    // Where the span [lo, hi] goes: a span that gets an insertion inside grows, one that loses
    // part of itself shrinks. False when all of it is deleted.
    bool moveSpan(int& lo, int& hi) const;
};

// The program a formula at (col, row) needs once the edit has moved it to (newCol, newRow):
// references follow the cells they address and become #REF! when those are deleted. Returns
// `program` itself when nothing changes. Either way the caller owns one more reference.
Program* adjustForEdit(ProgramPool& pool, ProgramBuilder& scratch, Program* program, int col,
                       int row, int newCol, int newRow, const AxisEdit& edit);

// The program with each reference that falls off the sheet from (col, row) marked #REF!;
// `program` itself when there is none. The caller owns one more reference.
Program* checkedAt(ProgramPool& pool, ProgramBuilder& scratch, Program* program, int col, int row);

} // namespace gridx::engine
