// Cell contents of a sheet: constants and formulas in their slots, formula records and their
// registration with the dependency index, and the dirty marks that recalculation consumes.
#include "engine/Limits.h"
#include "engine/Resolve.h"
#include "engine/SheetImpl.h"

namespace gridx {

using namespace engine;

Sheet::Impl::Impl() : maxCols(kDefaultSize), maxRows(kDefaultSize) {}

Sheet::Impl::~Impl() {
    for (FormulaState& state : states)
        if (state.program) pool.release(state.program);
}

bool Sheet::Impl::inSheet(int col, int row) const {
    return col >= 0 && row >= 0 && col <= maxCols && row <= maxRows;
}

bool Sheet::Impl::inFormulaArea(int col, int row) const {
    return col >= 1 && row >= 1 && col <= maxCols && row <= maxRows;
}

std::uint32_t Sheet::Impl::allocateFormula(Program* program, int col, int row) {
    std::uint32_t id = 0;
    if (!freeIds.empty()) {
        id = freeIds.back();
        freeIds.pop_back();
    } else {
        id = static_cast<std::uint32_t>(formulas.size());
        formulas.emplace_back();
        states.emplace_back();
    }
    states[id] = FormulaState{program, 0, 0};
    FormulaRec& rec = formulas[id];
    rec.col = col;
    rec.row = row;
    rec.edgeBase = 0;
    ++rec.generation;
    ++liveFormulas_;
    if (program->flags & kProgVolatile) volatileList.push_back(id);
    return id;
}

void Sheet::Impl::registerFormula(std::uint32_t id) {
    FormulaRec& rec = formulas[id];
    rec.edgeBase =
        deps.add(cells, FormulaKey{id, rec.generation}, *states[id].program, rec.col, rec.row);
}

void Sheet::Impl::freeFormula(std::uint32_t id, bool unregister) {
    FormulaState& state = states[id];
    if (!state.program) return;
    const FormulaRec& rec = formulas[id];
    if (unregister) deps.remove(cells, *state.program, rec.col, rec.row, rec.edgeBase);
    cells.setDirty(rec.col, rec.row, false); // also a bulk mark of a pass over everything
    pool.release(state.program);
    state.program = nullptr;
    state.flags = 0;
    freeIds.push_back(id);
    --liveFormulas_;
}

void Sheet::Impl::rebuildDependencies() {
    deps.clear();
    cells.resetHeads();
    for (std::uint32_t id = 1; id < formulas.size(); ++id)
        if (states[id].program) registerFormula(id);
}

void Sheet::Impl::maybeRebuildDependencies() {
    if (deps.wantsRebuild()) rebuildDependencies();
}

void Sheet::Impl::clearContent(int col, int row) {
    Slot slot = cells.find(col, row);
    if (!slot || !cells.isUsed(col, row)) return;
    ++epoch;
    stats.invalidate(col, row);
    const std::uint32_t id = slot.formula();
    cells.setFormula(col, row, 0);
    slot.setValue(Value());
    cells.setUsed(col, row, false);
    if (id != 0) {
        freeFormula(id, true);
        maybeRebuildDependencies();
    }
}

void Sheet::Impl::discardContent(int col, int row) {
    Slot slot = cells.find(col, row);
    if (!slot) return;
    const std::uint32_t id = slot.formula();
    cells.setFormula(col, row, 0);
    slot.setValue(Value());
    cells.setUsed(col, row, false);
    if (id != 0) freeFormula(id, false);
}

void Sheet::Impl::placeConstant(int col, int row, Value value) {
    Slot slot = cells.find(col, row);
    if (value.isEmpty() || (slot && slot.formula() != 0)) {
        clearContent(col, row);
        if (value.isEmpty()) return;
        slot = Slot(); // clearing may have rebuilt the index and freed pages
    }
    ++epoch;
    stats.invalidate(col, row);
    if (!slot) slot = cells.at(col, row);
    slot.setValue(std::move(value));
    cells.setUsed(col, row, true);
}

std::uint32_t Sheet::Impl::placeFormula(int col, int row, Program* program) {
    clearContent(col, row);
    ++epoch;
    stats.invalidate(col, row);
    const std::uint32_t id = allocateFormula(program, col, row);
    cells.at(col, row); // creates the page
    cells.setFormula(col, row, id, program);
    cells.setUsed(col, row, true);
    registerFormula(id);
    markDirty(id);
    return id;
}

bool Sheet::Impl::markDirty(std::uint32_t id) {
    FormulaState& state = states[id];
    if (!state.program || (state.flags & kDirty)) return false;
    // Compact before flagging this record: a reused id (a formula set again on the same cell)
    // leaves clean copies of itself in the list, and they must be dropped here.
    if (dirtyList.size() > 2 * static_cast<std::size_t>(liveFormulas_) + 1024) {
        std::erase_if(dirtyList, [&](std::uint32_t d) {
            return d >= states.size() || !(states[d].flags & kDirty);
        });
    }
    state.flags |= kDirty;
    const FormulaRec& rec = formulas[id];
    cells.setDirty(rec.col, rec.row, true);
    ++epoch;
    dirtyList.push_back(id);
    return true;
}

void Sheet::Impl::markReadersDirty(int col, int row) {
    if (!deps.mayHaveReaders(cells, col, row)) return;
    markWork.clear();
    markWork.emplace_back(col, row);
    while (!markWork.empty()) {
        const auto [c, r] = markWork.back();
        markWork.pop_back();
        deps.forEachReader(cells, c, r, [&](FormulaKey key, bool checkGeneration) {
            if (key.id >= formulas.size()) return;
            const FormulaRec& rec = formulas[key.id];
            if (checkGeneration && rec.generation != key.generation) return;
            if (markDirty(key.id)) markWork.emplace_back(rec.col, rec.row);
        });
    }
}

void Sheet::Impl::markAllDirty() {
    for (std::uint32_t id = 1; id < formulas.size(); ++id)
        markDirty(id);
}

void Sheet::Impl::afterEdit(std::uint32_t root) {
    if (autoRecalc) {
        runPass(PassKind::All, {});
    } else if (root != 0) {
        runPass(PassKind::Roots, std::span<const std::uint32_t>(&root, 1));
    }
}

const CustomEntry* Sheet::Impl::findCustom(std::wstring_view upperName) const {
    for (const CustomEntry& entry : customs)
        if (entry.name == upperName) return &entry;
    return nullptr;
}

void Sheet::Impl::markCallersDirty(std::wstring_view upperName) {
    auto namesIt = [&](const Program& program) {
        const std::uint32_t* code = program.code();
        for (std::uint32_t pc = 0; pc < program.codeSize; pc += instructionSize(code[pc]))
            if (opOf(code[pc]) == Op::CallName && code[pc + 1] < program.constCount &&
                (upperName.empty() || program.constants()[code[pc + 1]].asText() == upperName))
                return true;
        return false;
    };
    for (std::uint32_t id = 1; id < formulas.size(); ++id) {
        const Program* program = states[id].program;
        if (program && (program->flags & kProgNames) && namesIt(*program) && markDirty(id))
            markReadersDirty(formulas[id].col, formulas[id].row);
    }
}

} // namespace gridx
