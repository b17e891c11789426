#include "engine/RefAdjust.h"

#include "engine/Limits.h"
#include "engine/Resolve.h"

#include <algorithm>
#include <utility>

namespace gridx::engine {

int AxisEdit::limit() const {
    return rows ? kRowLimit : kColLimit;
}

std::optional<int> AxisEdit::move(int index) const {
    if (insert) {
        const int moved = index >= at ? index + count : index;
        if (moved > limit()) return std::nullopt;
        return moved;
    }
    const int end = at + count - 1;
    if (index < at) return index;
    if (index > end) return index - count;
    return std::nullopt;
}

bool AxisEdit::moveSpan(int& lo, int& hi) const {
    if (insert) {
        const int newLo = lo >= at ? lo + count : lo;
        const int newHi = hi >= at ? hi + count : hi;
        if (newLo > limit()) return false;
        lo = newLo;
        hi = std::min(newHi, limit());
        return true;
    }
    const int end = at + count - 1;
    if (lo >= at && hi <= end) return false;
    const int newLo = lo < at ? lo : (lo > end ? lo - count : at);
    const int newHi = hi < at ? hi : (hi > end ? hi - count : at - 1);
    lo = newLo;
    hi = newHi;
    return true;
}

namespace {

// The word index of the edited axis within a reference's (column, row) pair.
int axisWord(const AxisEdit& edit) {
    return edit.rows ? 1 : 0;
}

// One part of a reference before and after the edit.
struct Part {
    int oldPos;
    int newPos;
    bool abs;
    int target(int stored) const { return abs ? stored : oldPos + stored; }
    int stored(int target) const { return abs ? target : target - newPos; }
};

void adjustRef(std::uint32_t* at, const AxisEdit& edit, int oldPos, int newPos) {
    const std::uint32_t flags = argOf(*at);
    if (flags & kRefDeleted) return;
    const Part part{oldPos, newPos, (flags & (edit.rows ? kAbsRow : kAbsCol)) != 0};
    std::uint32_t& word = at[1 + axisWord(edit)];
    const auto moved = edit.move(part.target(static_cast<int>(word)));
    if (!moved) {
        *at = makeWord(Op::Ref, flags | kRefDeleted);
        return;
    }
    word = static_cast<std::uint32_t>(part.stored(*moved));
}

void adjustArea(std::uint32_t* at, const AxisEdit& edit, int oldPos, int newPos) {
    const std::uint32_t flags = argOf(*at);
    if (flags & kAreaDeleted) return;
    const Part first{oldPos, newPos, (flags & (edit.rows ? kAbsRow1 : kAbsCol1)) != 0};
    const Part second{oldPos, newPos, (flags & (edit.rows ? kAbsRow2 : kAbsCol2)) != 0};
    std::uint32_t& w1 = at[1 + axisWord(edit)];
    std::uint32_t& w2 = at[3 + axisWord(edit)];
    const int a = first.target(static_cast<int>(w1));
    const int b = second.target(static_cast<int>(w2));
    int lo = std::min(a, b), hi = std::max(a, b);
    if (!edit.moveSpan(lo, hi)) {
        *at = makeWord(Op::Area, flags | kAreaDeleted);
        return;
    }
    w1 = static_cast<std::uint32_t>(first.stored(a <= b ? lo : hi));
    w2 = static_cast<std::uint32_t>(second.stored(a <= b ? hi : lo));
}

// Interns the scratch code when it differs from the program's, else retains the program.
Program* internIfChanged(ProgramPool& pool, ProgramBuilder& scratch, Program* program) {
    if (std::equal(scratch.code.begin(), scratch.code.end(), program->code())) {
        ProgramPool::retain(program);
        return program;
    }
    std::vector<std::uint32_t> code = std::move(scratch.code);
    scratch.assign(*program);
    scratch.code = std::move(code);
    return pool.intern(scratch);
}

} // namespace

Program* adjustForEdit(ProgramPool& pool, ProgramBuilder& scratch, Program* program, int col,
                       int row, int newCol, int newRow, const AxisEdit& edit) {
    scratch.code.assign(program->code(), program->code() + program->codeSize);
    const int oldPos = edit.rows ? row : col;
    const int newPos = edit.rows ? newRow : newCol;
    for (std::uint32_t pc = 0; pc < scratch.code.size(); pc += instructionSize(scratch.code[pc])) {
        const Op op = opOf(scratch.code[pc]);
        if (op == Op::Ref) adjustRef(&scratch.code[pc], edit, oldPos, newPos);
        if (op == Op::Area) adjustArea(&scratch.code[pc], edit, oldPos, newPos);
    }
    return internIfChanged(pool, scratch, program);
}

Program* checkedAt(ProgramPool& pool, ProgramBuilder& scratch, Program* program, int col, int row) {
    scratch.code.assign(program->code(), program->code() + program->codeSize);
    for (std::uint32_t pc = 0; pc < scratch.code.size(); pc += instructionSize(scratch.code[pc])) {
        std::uint32_t* at = &scratch.code[pc];
        int c = 0, r = 0;
        RangeRef range;
        const std::uint32_t flags = argOf(*at);
        if (opOf(*at) == Op::Ref && !(flags & kRefDeleted) && !resolveRef(at, col, row, c, r))
            *at = makeWord(Op::Ref, flags | kRefDeleted);
        if (opOf(*at) == Op::Area && !(flags & kAreaDeleted) && !resolveArea(at, col, row, range))
            *at = makeWord(Op::Area, flags | kAreaDeleted);
    }
    return internIfChanged(pool, scratch, program);
}

} // namespace gridx::engine
