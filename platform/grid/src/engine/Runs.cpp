// Runs of one formula filled down a column. Consecutive rows sharing a program made only of
// numbers, single-cell references and arithmetic are computed in one loop on plain doubles,
// without the dependency walk. A row whose inputs still wait for recalculation ends the run
// (the walk takes over from there); a row whose inputs are not all numbers, or whose result
// is an error, goes to the general evaluator, so every result equals the per-cell one.
#include "engine/Resolve.h"
#include "engine/SheetImpl.h"

#include <array>
#include <cmath>

namespace gridx {

using namespace engine;

namespace {

// x op y for finite operands; false where the general evaluator gives an error.
bool plainBinary(Op op, double x, double y, double& r) {
    switch (op) {
    case Op::Add:
        r = x + y;
        break;
    case Op::Subtract:
        r = x - y;
        break;
    case Op::Multiply:
        r = x * y;
        break;
    case Op::Divide:
        if (y == 0.0) return false;
        r = x / y;
        break;
    default:
        if (x == 0.0 && y <= 0.0) return false;
        r = std::pow(x, y);
        break;
    }
    return std::isfinite(r);
}

} // namespace

bool RunCode::compile(const Program& program) {
    count = 0;
    int depth = 0, refs = 0;
    const std::uint32_t* code = program.code();
    for (std::uint32_t pc = 0; pc < program.codeSize; pc += instructionSize(code[pc])) {
        const Op op = opOf(code[pc]);
        if (op == Op::Identity || op == Op::Paren) continue;
        if (count == steps.size()) return false;
        RunStep& step = steps[count++];
        step = RunStep{op, 0.0, code + pc};
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

bool Sheet::Impl::evaluateRun(std::uint32_t id) {
    const FormulaRec& first = formulas[id];
    const Program* program = first.program;
    if (!program->plainArithmetic || !runCode.compile(*program)) return false;
    const int col = first.col, firstRow = first.row;
    std::array<SlotCursor, kRunRefLimit> inputs{};
    SlotCursor own;
    int row = firstRow;
    for (; validRow(row); ++row) {
        Slot* slot = own.at(cells, col, row);
        if (!slot || slot->formula == 0) break;
        const std::uint32_t f = slot->formula;
        FormulaRec& rec = formulas[f];
        if (rec.program != program || !needsEval(f)) break;
        double number = 0.0;
        const RowOutcome outcome = runRow(runCode, col, row, inputs, number);
        if (outcome == RowOutcome::NotReady) break;
        if (outcome == RowOutcome::General) {
            evaluateNow(f);
            continue;
        }
        rec.evalStamp = passId;
        rec.flags &= static_cast<std::uint8_t>(~kDirty);
        slot->value = Value::number(number);
    }
    if (row == firstRow) return false;
    // The dirty marks of the cells go in one sweep; results were stored above.
    cells.clearDirtyRows(col, firstRow, row - 1);
    for (int r = firstRow; r < row && !stats.empty(); ++r)
        stats.invalidate(col, r);
    return true;
}

} // namespace gridx
