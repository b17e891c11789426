// Runs of one formula filled down a column. Consecutive rows sharing a program made only of
// numbers, single-cell references and arithmetic are computed in one loop on plain doubles,
// without the dependency walk. A row whose inputs still wait for recalculation ends the run
// (the walk takes over from there); a row whose inputs are not all numbers, or whose result
// is an error, goes to the general evaluator, so every result equals the per-cell one.
#include "engine/Arithmetic.h"
#include "engine/Resolve.h"
#include "engine/SheetImpl.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace gridx {

using namespace engine;

namespace {

// x op y for finite operands; false where the general evaluator gives an error.
bool plainBinary(Op op, double x, double y, double& r) {
    ErrorCode ignored{};
    return arithmetic(op, x, y, r, ignored);
}

// a[i] = a[i] op b[i] for every row; clears `plain` where the general evaluator gives an error.
void blockBinary(Op op, double* a, const double* b, std::size_t n, std::uint8_t* plain) {
    switch (op) {
    case Op::Add:
        for (std::size_t i = 0; i < n; ++i)
            a[i] += b[i];
        break;
    case Op::Subtract:
        for (std::size_t i = 0; i < n; ++i)
            a[i] -= b[i];
        break;
    case Op::Multiply:
        for (std::size_t i = 0; i < n; ++i)
            a[i] *= b[i];
        break;
    default:
        for (std::size_t i = 0; i < n; ++i)
            plain[i] = plainBinary(op, a[i], b[i], a[i]) && plain[i];
        return;
    }
    for (std::size_t i = 0; i < n; ++i)
        plain[i] = std::isfinite(a[i]) && plain[i];
}

} // namespace

bool RunCode::compile(const Program& program) {
    // The same code as last time decodes to the same steps, down to where they point.
    const std::span<const std::uint32_t> code = program.codeSpan();
    if (source == &program && std::equal(code.begin(), code.end(), words.begin(), words.end()))
        return valid;
    source = &program;
    words.assign(code.begin(), code.end());
    valid = decode(program);
    return valid;
}

bool RunCode::decode(const Program& program) {
    count = 0;
    int depth = 0, refs = 0;
    const std::uint32_t* code = program.code();
    for (std::uint32_t pc = 0; pc < program.codeSize; pc += instructionSize(code[pc])) {
        const Op op = opOf(code[pc]);
        if (op == Op::Identity || op == Op::Paren) continue;
        if (count == steps.size()) return false;
        RunStep& step = steps[count++];
        step = RunStep{op, 0.0, code + pc, refs};
        if (op == Op::Number) step.number = numberAt(code + pc + 1);
        // The loop trusts these bounds: operands in reach, stack and cursors large enough.
        if (op == Op::Number || op == Op::Ref) ++depth;
        if (op == Op::Ref && ++refs > kRunRefLimit) return false;
        if (op != Op::Number && op != Op::Ref && op != Op::Negate && op != Op::Percent) --depth;
        if (depth < 1 || depth > kRunStackLimit) return false;
    }
    return depth == 1;
}

RowOutcome Sheet::Impl::runRow(const RunCode& run, int col, int row, std::span<SlotCursor> inputs,
                               double& out) {
    std::array<double, kRunStackLimit + 1> stack{};
    std::size_t top = 0, input = 0;
    bool plain = true;
    for (std::size_t i = 0; i < run.count; ++i) {
        const RunStep& step = run.steps[i];
        if (step.op == Op::Number) {
            stack[top++] = step.number;
        } else if (step.op == Op::Ref) {
            int c = 0, r = 0;
            double& value = stack[top++];
            value = 0.0;
            SlotCursor& cursor = inputs[input++];
            if (!resolveRef(step.at, col, row, c, r))
                plain = false;
            else if (!inputReady(cursor.at(cells, c, r), value, plain))
                return RowOutcome::NotReady;
        } else if (step.op == Op::Negate) {
            stack[top - 1] = -stack[top - 1];
        } else if (step.op == Op::Percent) {
            stack[top - 1] /= 100.0;
        } else {
            --top;
            plain = plainBinary(step.op, stack[top - 1], stack[top], stack[top - 1]) && plain;
        }
    }
    out = stack[0];
    return plain && top == 1 ? RowOutcome::Number : RowOutcome::General;
}

int Sheet::Impl::pendingRows(const Program& program, int col, int row, int limit) {
    SlotCursor own;
    int n = 0;
    for (; n < limit; ++n) {
        const Slot slot = own.at(cells, col, row + n);
        if (!slot || slot.formula() == 0) break;
        const FormulaRec& rec = formulas[slot.formula()];
        if (rec.program != &program || !needsEval(slot.formula())) break;
    }
    return n;
}

int Sheet::Impl::gatherInput(const RunStep& step, int col, int row, int n) {
    double* values = runValues.data() + static_cast<std::size_t>(step.input) * kRunChunk;
    const std::uint32_t flags = argOf(*step.at);
    if (flags & kRefDeleted) {
        std::fill_n(runPlain.begin(), n, std::uint8_t{0});
        return n;
    }
    SlotCursor cursor;
    for (int i = 0; i < n; ++i) {
        int c = 0, r = 0;
        values[i] = 0.0;
        if (!resolveRef(step.at, col, row + i, c, r)) {
            runPlain[static_cast<std::size_t>(i)] = 0;
            continue;
        }
        bool plain = true;
        if (!inputReady(cursor.at(cells, c, r), values[i], plain)) return i;
        if (!plain) runPlain[static_cast<std::size_t>(i)] = 0;
    }
    return n;
}

void Sheet::Impl::computeGathered(int n) {
    const auto rows = static_cast<std::size_t>(n);
    std::size_t top = 0;
    for (std::size_t k = 0; k < runCode.count; ++k) {
        const RunStep& step = runCode.steps[k];
        double* a = runStack.data() + top * kRunChunk;
        if (step.op == Op::Number) {
            std::fill_n(a, rows, step.number);
            ++top;
        } else if (step.op == Op::Ref) {
            std::copy_n(runValues.data() + static_cast<std::size_t>(step.input) * kRunChunk, rows,
                        a);
            ++top;
        } else if (step.op == Op::Negate) {
            a -= kRunChunk;
            for (std::size_t i = 0; i < rows; ++i)
                a[i] = -a[i];
        } else if (step.op == Op::Percent) {
            a -= kRunChunk;
            for (std::size_t i = 0; i < rows; ++i)
                a[i] /= 100.0;
        } else {
            --top;
            blockBinary(step.op, a - 2 * kRunChunk, a - kRunChunk, rows, runPlain.data());
        }
    }
}

int Sheet::Impl::runChunk(const Program& program, int col, int row, int limit, bool& waiting) {
    const int pageLeft = kPageSize - (row & (kPageSize - 1));
    int n = pendingRows(program, col, row, std::min(pageLeft, limit));
    const int wanted = n;
    std::fill_n(runPlain.begin(), n, std::uint8_t{1});
    for (std::size_t k = 0; k < runCode.count && n > 0; ++k)
        if (runCode.steps[k].op == Op::Ref) n = gatherInput(runCode.steps[k], col, row, n);
    waiting = n < wanted;
    computeGathered(n);
    SlotCursor own;
    for (int i = 0; i < n; ++i) {
        Slot slot = own.at(cells, col, row + i);
        if (!slot) break; // never: the rows were checked above
        const std::uint32_t f = slot.formula();
        if (!runPlain[static_cast<std::size_t>(i)]) {
            evaluateNow(f);
            continue;
        }
        FormulaRec& rec = formulas[f];
        rec.evalStamp = passId;
        rec.flags &= static_cast<std::uint8_t>(~kDirty);
        slot.value() = Value::number(runStack[static_cast<std::size_t>(i)]);
    }
    return n;
}

int Sheet::Impl::runRows(const Program& program, int col, int row) {
    std::array<SlotCursor, kRunRefLimit> inputs{};
    SlotCursor own;
    for (; validRow(row); ++row) {
        Slot slot = own.at(cells, col, row);
        if (!slot || slot.formula() == 0) break;
        const std::uint32_t f = slot.formula();
        FormulaRec& rec = formulas[f];
        if (rec.program != &program || !needsEval(f)) break;
        double number = 0.0;
        const RowOutcome outcome = runRow(runCode, col, row, inputs, number);
        if (outcome == RowOutcome::NotReady) break;
        if (outcome == RowOutcome::General) {
            evaluateNow(f);
            continue;
        }
        rec.evalStamp = passId;
        rec.flags &= static_cast<std::uint8_t>(~kDirty);
        slot.value() = Value::number(number);
    }
    return row;
}

bool Sheet::Impl::evaluateRun(std::uint32_t id) {
    const FormulaRec& first = formulas[id];
    const Program* program = first.program;
    if (!program->plainArithmetic || !runCode.compile(*program)) return false;
    const int col = first.col, firstRow = first.row;
    runValues.resize(static_cast<std::size_t>(kRunRefLimit) * kRunChunk);
    runPlain.resize(kRunChunk);
    runStack.resize(static_cast<std::size_t>(kRunStackLimit + 1) * kRunChunk);
    // Blocks of rows first: their inputs are read in tight loops. A run that reads its own
    // rows just above waits after every row; it goes on row by row.
    // Blocks start small, so that a run cut short at once costs little, and grow while whole.
    int row = firstRow, limit = 2;
    bool waiting = false;
    while (validRow(row) && !waiting) {
        const int n = runChunk(*program, col, row, limit, waiting);
        if (n == 0) break;
        row += n;
        limit = std::min(limit * 2, kRunChunk);
    }
    if (waiting) row = runRows(*program, col, row);
    if (row == firstRow) return false;
    // The dirty marks of the cells go in one sweep; results were stored above.
    cells.clearDirtyRows(col, firstRow, row - 1);
    for (int r = firstRow; r < row && !stats.empty(); ++r)
        stats.invalidate(col, r);
    return true;
}

} // namespace gridx
