// Runs of one formula filled down a column. Consecutive rows sharing a program made only of
// numbers, single-cell references and arithmetic are computed in one loop on plain doubles,
// without the dependency walk. A row whose inputs still wait for recalculation ends the run
// (the walk takes over from there); a row whose inputs are not all numbers, or whose result
// is an error, goes to the general evaluator, so every result equals the per-cell one.
// Blocks whose inputs each lie in one page are read in sweeps (RunSweep.cpp); this file holds
// the rest: decoding, the row-by-row path, reading inputs cell by cell, computing and storing.
#include "engine/Arithmetic.h"
#include "engine/Resolve.h"
#include "engine/SheetImpl.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

namespace gridx {

using namespace engine;

namespace {

// x op y for finite operands; false where the general evaluator gives an error.
bool plainBinary(Op op, double x, double y, double& r) {
    ErrorCode ignored{};
    return arithmetic(op, x, y, r, ignored);
}

// r[i] = a[i] op b[i] for every row. A non-finite sum, difference or product stays non-finite
// through the sums, differences and products after it, so those are checked once at the end;
// other operators check their operands and result here. Clears `plain` where the general
// evaluator gives an error.
void blockBinary(Op op, const double* a, const double* b, double* r, std::size_t n,
                 std::uint8_t* plain) {
    switch (op) {
    case Op::Add:
        for (std::size_t i = 0; i < n; ++i)
            r[i] = a[i] + b[i];
        break;
    case Op::Subtract:
        for (std::size_t i = 0; i < n; ++i)
            r[i] = a[i] - b[i];
        break;
    case Op::Multiply:
        for (std::size_t i = 0; i < n; ++i)
            r[i] = a[i] * b[i];
        break;
    default:
        for (std::size_t i = 0; i < n; ++i) {
            const bool finite = std::isfinite(a[i]) && std::isfinite(b[i]);
            plain[i] = plainBinary(op, a[i], b[i], r[i]) && finite && plain[i];
        }
        break;
    }
}

bool sameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// Stores one row's result: a cell that already holds it is left alone, so that its memory
// stays clean.
void storeNumber(Page& page, std::size_t at, double result) {
    const Value& value = page.values[at];
    if (!value.isNumber() || !sameBits(value.payloadAsNumber(), result))
        page.setValue(at, Value::number(result));
}

// Stores a block's results where every row came out a finite number; with a number mirror the
// comparison reads plain doubles.
void storeNumbers(Page& page, std::size_t first, const double* results, std::size_t rows) {
    const NumberMirror* mirror = page.mirror.get();
    if (!mirror) {
        for (std::size_t i = 0; i < rows; ++i)
            storeNumber(page, first + i, results[i]);
        return;
    }
    for (std::size_t i = 0; i < rows; ++i) {
        const std::size_t at = first + i;
        if (((mirror->finite[at >> 6] >> (at & 63)) & 1) &&
            sameBits(mirror->numbers[at], results[i]))
            continue;
        page.setValue(at, Value::number(results[i]));
    }
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
    // The rows lie within one page.
    const Page* page = cells.pageAt(col, row);
    if (!page) return 0;
    const std::uint32_t* ids = page->formulas.data() + (row & (kPageSize - 1));
    const auto first = static_cast<std::size_t>(row & (kPageSize - 1));
    int n = 0;
    while (n < limit && states[ids[n]].program == &program &&
           waitsAt(*page, first + static_cast<std::size_t>(n)))
        ++n;
    return n;
}

int Sheet::Impl::gatherInput(const RunStep& step, int col, int row, int n) {
    double* values = runValues.data() + static_cast<std::size_t>(step.input) * kRunChunk;
    std::uint8_t* plain = runPlain.data();
    const std::uint32_t flags = argOf(*step.at);
    const int c =
        (flags & kAbsCol) ? static_cast<int>(step.at[1]) : col + static_cast<int>(step.at[1]);
    const bool fixedRow = flags & kAbsRow;
    const int first = static_cast<int>(step.at[2]) + (fixedRow ? 0 : row);
    if ((flags & kRefDeleted) || !validCol(c)) {
        std::fill_n(plain, n, std::uint8_t{0});
        std::fill_n(values, n, 0.0);
        return n;
    }
    if (fixedRow) {
        // Every row reads the same cell.
        const int ready = gatherSegment(c, first, 1, values, plain);
        if (ready == 0) return 0;
        std::fill_n(values + 1, n - 1, values[0]);
        if (!plain[0]) std::fill_n(plain, n, std::uint8_t{0});
        return n;
    }
    // Rows before the sheet's first row and past its last read nothing the loop handles.
    for (int i = 0; i < n;) {
        const int r = first + i;
        const int count = validRow(r) ? std::min(n - i, kPageSize - (r & (kPageSize - 1))) : 1;
        const int ready = gatherSegment(c, r, count, values + i, plain + i);
        if (ready < count) return i + ready;
        i += count;
    }
    return n;
}

int Sheet::Impl::gatherSegment(int col, int row, int count, double* values, std::uint8_t* plain) {
    const Page* page = validRow(row) ? cells.pageAt(col, row) : nullptr;
    if (!page) {
        // Empty (or off the sheet): the general evaluator knows how it counts.
        std::fill_n(values, count, 0.0);
        std::fill_n(plain, count, std::uint8_t{0});
        return count;
    }
    const auto at = static_cast<std::size_t>(row & (kPageSize - 1));
    const int ready = page->dirtyCount == 0 ? count : readyRows(*page, at, count);
    const Value* source = page->values.data() + at;
    for (int k = 0; k < ready; ++k) {
        // Inputs are read one column after another: fetching ahead keeps the memory busy.
        if (((at + static_cast<std::size_t>(k)) & 3) == 0)
            __builtin_prefetch(source +
                               std::min<std::size_t>(k + kRunFetchAhead, kPageSize - at - 1));
        const Value& value = source[k];
        values[k] = value.asNumber();
        plain[k] &= static_cast<std::uint8_t>(value.isNumber() & std::isfinite(values[k]));
    }
    return ready;
}

int Sheet::Impl::readyRows(const Page& page, std::size_t at, int count) const {
    // Only a cell marked dirty can hold a formula that still waits.
    for (int k = 0; k < count; ++k) {
        const std::size_t i = at + static_cast<std::size_t>(k);
        if (waitsAt(page, i)) return k;
    }
    return count;
}

const double* Sheet::Impl::computeGathered(int n) {
    // Each stack level points at its operand rows: a reference's gathered inputs as they are,
    // or the level's own out rows for what was computed.
    const auto rows = static_cast<std::size_t>(n);
    std::array<const double*, kRunStackLimit + 1> operand{};
    std::size_t top = 0;
    for (std::size_t k = 0; k < runCode.count; ++k) {
        const RunStep& step = runCode.steps[k];
        if (step.op == Op::Ref) {
            operand[top++] = runInputs[static_cast<std::size_t>(step.input)];
            continue;
        }
        const std::size_t level = step.op == Op::Number ? top++ : top - 1;
        double* out = runStack.data() + level * kRunChunk;
        const double* a = operand[level];
        if (step.op == Op::Number) {
            std::fill_n(out, rows, step.number);
        } else if (step.op == Op::Negate) {
            for (std::size_t i = 0; i < rows; ++i)
                out[i] = -a[i];
        } else if (step.op == Op::Percent) {
            for (std::size_t i = 0; i < rows; ++i)
                out[i] = a[i] / 100.0;
        } else {
            --top;
            out -= kRunChunk;
            blockBinary(step.op, operand[top - 1], operand[top], out, rows, runPlain.data());
        }
        operand[top - 1] = out;
    }
    std::uint8_t* plain = runPlain.data();
    unsigned all = 1;
    for (std::size_t i = 0; i < rows; ++i) {
        const auto p = static_cast<std::uint8_t>(plain[i] & std::isfinite(operand[0][i]));
        plain[i] = p;
        all &= p;
    }
    runAllPlain = all != 0;
    return operand[0];
}

int Sheet::Impl::runChunk(const Program& program, int col, int row, int limit, bool& waiting) {
    const int pageLeft = kPageSize - (row & (kPageSize - 1));
    int n = std::min(pageLeft, limit);
    waiting = false;
    if (!sweepTogether(program, col, row, n, waiting)) {
        std::fill_n(runPlain.begin(), n, std::uint8_t{1});
        runFlags = kDirty; // the flags were not read
        n = pendingRows(program, col, row, n);
        const int wanted = n;
        for (std::size_t k = 0; k < runInputs.size(); ++k)
            runInputs[k] = runValues.data() + k * static_cast<std::size_t>(kRunChunk);
        for (std::size_t k = 0; k < runCode.count && n > 0; ++k)
            if (runCode.steps[k].op == Op::Ref) n = gatherInput(runCode.steps[k], col, row, n);
        waiting = n < wanted;
        storeGathered(col, row, n, computeGathered(n));
    }
    cells.clearDirtyRows(col, row, row + n - 1); // what tells that these rows are done
    return n;
}

void Sheet::Impl::storeGathered(int col, int row, int n, const double* results) {
    const int first = row & (kPageSize - 1);
    Page* page = cells.pageAt(col, row);
    const auto rows = static_cast<std::size_t>(n);
    if (page && !(runFlags & kDirty) && runAllPlain) {
        storeNumbers(*page, static_cast<std::size_t>(first), results, rows);
        return;
    }
    for (int i = 0; i < n && page; ++i) {
        const auto at = static_cast<std::size_t>(first + i);
        if ((at & 3) == 0 && at + kRunFetchAhead < kPageSize)
            __builtin_prefetch(&page->values[at + kRunFetchAhead], 1);
        const std::uint32_t f = page->formulas[at];
        if (!runPlain[static_cast<std::size_t>(i)]) {
            // The general evaluator may re-enter and change the sheet: look the page up again.
            evaluateNow(f);
            page = cells.pageAt(col, row);
            continue;
        }
        // No stamp: clearing the cells' marks afterwards tells that these rows are done. A cell
        // that already holds the result is left alone, so that its memory stays clean.
        FormulaState& state = states[f];
        if (state.flags & kDirty) state.flags &= static_cast<std::uint8_t>(~kDirty);
        storeNumber(*page, at, results[i]);
    }
}

int Sheet::Impl::runRows(const Program& program, int col, int row) {
    std::array<SlotCursor, kRunRefLimit> inputs{};
    SlotCursor own;
    for (; validRow(row); ++row) {
        Slot slot = own.at(cells, col, row);
        if (!slot || slot.formula() == 0) break;
        const std::uint32_t f = slot.formula();
        FormulaState& state = states[f];
        if (state.program != &program || !waits(slot)) break;
        double number = 0.0;
        const RowOutcome outcome = runRow(runCode, col, row, inputs, number);
        if (outcome == RowOutcome::NotReady) break;
        if (outcome == RowOutcome::General) {
            evaluateNow(f);
            continue;
        }
        state.evalStamp = passId;
        state.flags &= static_cast<std::uint8_t>(~kDirty);
        slot.setValue(Value::number(number));
    }
    return row;
}

int Sheet::Impl::evaluateRun(std::uint32_t id) {
    const FormulaRec& first = formulas[id];
    const Program* program = states[id].program;
    if (!program->plainArithmetic || !runCode.compile(*program)) return 0;
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
    if (row == firstRow) return 0;
    // The dirty marks of the cells go in one sweep; results were stored above.
    cells.clearDirtyRows(col, firstRow, row - 1);
    for (int r = firstRow; r < row && !stats.empty(); ++r)
        stats.invalidate(col, r);
    return row - firstRow;
}

} // namespace gridx
