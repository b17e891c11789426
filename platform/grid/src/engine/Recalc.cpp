// Recalculation passes. A pass evaluates dirty formulas in dependency order: a depth-first walk
// over dirty precedents on explicit stacks (Tarjan's strongly connected components), so that a
// formula is evaluated after everything it reads, each formula once, and every member of a
// reference cycle gets #CIRC!. Nothing recurses on the machine stack with the sheet's size.
//
// A custom function may change the sheet while a pass runs. Such changes bump `epoch`; the
// pass then drops its walk and starts again from the current root, skipping what it has
// already evaluated, so the walk never uses stale state and each formula still runs once.
#include "engine/Resolve.h"
#include "engine/SheetImpl.h"

#include <algorithm>
#include <bit>

namespace gridx {

using namespace engine;

namespace {

// Keeps a pass from nesting on the same sheet.
class PassScope {
public:
    explicit PassScope(int& depth) : depth_(depth) { ++depth_; }
    ~PassScope() { --depth_; }
    PassScope(const PassScope&) = delete;
    PassScope& operator=(const PassScope&) = delete;

private:
    int& depth_;
};

// The first slot >= `from` of the page whose cell is marked dirty, or kPageSize.
int nextMarkedSlot(const Page& page, int from) {
    for (int w = from >> 6; w < kPageWords; ++w) {
        std::uint64_t bits = page.dirty[static_cast<std::size_t>(w)];
        if (w == from >> 6) bits &= ~std::uint64_t{0} << (from & 63);
        if (bits) return w * 64 + std::countr_zero(bits);
    }
    return kPageSize;
}

} // namespace

void Sheet::Impl::runPass(PassKind kind, std::span<const std::uint32_t> roots) {
    if (passDepth > 0) {
        // Started from a custom function during a pass: the running pass picks up the
        // changes; a formula set meanwhile is computed at once from the current values.
        if (kind == PassKind::Roots)
            for (std::uint32_t id : std::vector<std::uint32_t>(roots.begin(), roots.end()))
                if (id < states.size() && states[id].program) evaluateNow(id);
        return;
    }
    if (kind == PassKind::All && dirtyList.empty() && volatileList.empty()) return;
    PassScope scope(passDepth);
    if (++passId == 0) passId = 1;
    if (kind == PassKind::Everything) {
        if (evaluateEverything()) return;
        // The sheet changed meanwhile: what was left out goes on the usual way in this pass.
        markUnevaluatedDirty();
    } else if (kind == PassKind::All) {
        markVolatileDirty();
    }
    const bool all = kind != PassKind::Roots;
    std::vector<std::uint32_t>& work = passWork;
    work.clear();
    if (all)
        work.swap(dirtyList);
    else
        work.assign(roots.begin(), roots.end());
    const std::uint64_t startEpoch = epoch;
    for (std::size_t i = 0; i < work.size();) {
        if (!needsEval(work[i]) || (all && evaluateRun(work[i])) || visit(work[i])) {
            ++i;
            continue;
        }
        abortVisit();
        if (all) {
            work.insert(work.end(), dirtyList.begin(), dirtyList.end());
            dirtyList.clear();
        }
    }
    if (epoch == startEpoch) return; // nothing was marked dirty again while the pass ran
    if (all) {
        for (std::uint32_t id : work)
            if (id < states.size() && (states[id].flags & kDirty)) dirtyList.push_back(id);
    }
    keepDirtyClosed(work);
}

bool Sheet::Impl::evaluateEverything() {
    // Every formula cell is marked dirty in bulk (the marks tell the runs and the range walks
    // what still waits); the formulas' own flags stay as they are.
    cells.markFormulasDirty();
    everything = true;
    const std::uint64_t startEpoch = epoch;
    everythingEpoch = epoch;
    for (int col = 0; col < cells.columnsAllocated(); ++col)
        for (int page = 0; page < cells.pageCount(col); ++page)
            evaluatePage(col, page << kPageShift);
    everything = false;
    std::erase_if(dirtyList, [&](std::uint32_t id) {
        return id >= states.size() || !(states[id].flags & kDirty);
    });
    return epoch == startEpoch;
}

void Sheet::Impl::evaluatePage(int col, int firstRow) {
    for (int slot = 0; slot < kPageSize;) {
        // An evaluation may change the sheet: the page is looked up again every time.
        const Page* page = cells.pageAt(col, firstRow);
        if (!page || page->dirtyCount == 0) return;
        slot = nextMarkedSlot(*page, slot);
        if (slot == kPageSize) return;
        const auto at = static_cast<std::size_t>(slot);
        const std::uint32_t id = page->formulas[at];
        if (!waitsAt(*page, at)) {
            ++slot;
        } else if (const int done = evaluateRun(id); done > 0) {
            slot += done; // rows past this page are no longer marked
        } else if (visit(id)) {
            ++slot;
        } else {
            abortVisit();
        }
    }
}

void Sheet::Impl::markUnevaluatedDirty() {
    // A custom function changed the sheet during the pass: formulas may have moved past the
    // walk, and cells may carry the bulk mark without their formula's dirty flag.
    for (std::uint32_t id = 1; id < states.size(); ++id) {
        FormulaState& state = states[id];
        if (!state.program || (state.flags & kDirty)) continue;
        // Still carries the mark the pass began with: never evaluated.
        if (!cells.isDirty(formulas[id].col, formulas[id].row)) continue;
        state.flags |= kDirty;
        dirtyList.push_back(id);
    }
    std::vector<std::uint32_t> stillDirty = dirtyList;
    keepDirtyClosed(stillDirty);
}

bool Sheet::Impl::visit(std::uint32_t root) {
    low.clear();
    if (!startVisit(root)) return false;
    while (!frames.empty()) {
        const std::size_t fi = frames.size() - 1;
        if (frames[fi].pos < frames[fi].end) {
            const std::uint32_t child = children[frames[fi].pos++];
            const FormulaState& state = states[child];
            if (child == frames[fi].id) {
                frames[fi].selfLoop = true;
            } else if (state.program && (state.flags & kVisiting)) {
                std::uint32_t& mine = low[formulas[frames[fi].id].visitIndex];
                mine = std::min(mine, formulas[child].visitIndex);
            } else if (needsEval(child) && !startVisit(child)) {
                return false;
            }
            continue;
        }
        const std::uint32_t index = formulas[frames[fi].id].visitIndex;
        const std::uint32_t myLow = low[index];
        if (myLow == index && !finishComponent(fi)) return false;
        children.resize(frames[fi].begin);
        frames.pop_back();
        if (!frames.empty()) {
            std::uint32_t& parent = low[formulas[frames.back().id].visitIndex];
            parent = std::min(parent, myLow);
        }
    }
    return true;
}

bool Sheet::Impl::startVisit(std::uint32_t id) {
    const auto begin = static_cast<std::uint32_t>(children.size());
    collectChildren(id);
    const auto end = static_cast<std::uint32_t>(children.size());
    // Most formulas read nothing that still waits: they are evaluated at once.
    bool leaf = true;
    for (std::uint32_t i = begin; i < end && leaf; ++i) {
        const std::uint32_t child = children[i];
        leaf = child != id && !(states[child].flags & kVisiting) && !needsEval(child);
    }
    if (leaf) {
        children.resize(begin);
        return evaluateInPass(id);
    }
    states[id].flags |= kVisiting;
    FormulaRec& rec = formulas[id];
    rec.visitIndex = static_cast<std::uint32_t>(low.size());
    low.push_back(rec.visitIndex);
    componentStack.push_back(id);
    frames.push_back(Frame{id, begin, begin, end, false});
    return true;
}

void Sheet::Impl::collectChildren(std::uint32_t id) {
    const FormulaRec& rec = formulas[id];
    forEachReference(
        *states[id].program,
        [&](const std::uint32_t* at) {
            int c = 0, r = 0;
            if (!resolveRef(at, rec.col, rec.row, c, r)) return;
            const Slot slot = cells.find(c, r);
            if (slot && slot.formula() != 0) children.push_back(slot.formula());
        },
        [&](const std::uint32_t* at) {
            RangeRef range;
            if (!resolveArea(at, rec.col, rec.row, range)) return;
            cells.forEachDirty(range, [&](Slot slot) {
                if (slot.formula() != 0) children.push_back(slot.formula());
            });
        });
}

bool Sheet::Impl::finishComponent(std::size_t frame) {
    const std::uint32_t id = frames[frame].id;
    if (componentStack.back() == id && !frames[frame].selfLoop) {
        componentStack.pop_back();
        states[id].flags &= static_cast<std::uint8_t>(~kVisiting);
        return evaluateInPass(id);
    }
    // A cycle: every member shows #CIRC!.
    std::uint32_t member = 0;
    do {
        member = componentStack.back();
        componentStack.pop_back();
        FormulaState& state = states[member];
        state.flags &= static_cast<std::uint8_t>(~kVisiting);
        state.evalStamp = passId;
        setClean(member);
        storeResult(member, formulas[member].generation, Value::error(ErrorCode::Circular));
    } while (member != id);
    return true;
}

void Sheet::Impl::abortVisit() {
    for (std::uint32_t id : componentStack)
        if (id < states.size()) states[id].flags &= static_cast<std::uint8_t>(~kVisiting);
    componentStack.clear();
    frames.clear();
    children.clear();
    low.clear();
}

bool Sheet::Impl::evaluateInPass(std::uint32_t id) {
    const std::uint64_t before = epoch;
    evaluateNow(id);
    return epoch == before;
}

void Sheet::Impl::evaluateNow(std::uint32_t id) {
    states[id].evalStamp = passId;
    setClean(id);
    const std::uint32_t generation = formulas[id].generation;
    Value result = evaluateFormula(id);
    storeResult(id, generation, std::move(result));
}

Value Sheet::Impl::evaluateFormula(std::uint32_t id) {
    const FormulaRec& rec = formulas[id];
    Program* program = states[id].program;
    const int col = rec.col, row = rec.row;
    // A custom function may replace this very formula while it runs.
    const bool mayReenter = program->flags & kProgNames;
    if (mayReenter) ProgramPool::retain(program);
    Value result = evaluate(cells, *this, valueStack, *program, col, row);
    if (mayReenter) pool.release(program);
    return result;
}

void Sheet::Impl::storeResult(std::uint32_t id, std::uint32_t generation, Value value) {
    if (id >= formulas.size()) return;
    const FormulaRec& rec = formulas[id];
    if (!states[id].program || rec.generation != generation) return;
    Slot slot = cells.find(rec.col, rec.row);
    if (!slot || slot.formula() != id) return;
    slot.setValue(std::move(value));
    stats.invalidate(rec.col, rec.row);
}

void Sheet::Impl::setClean(std::uint32_t id) {
    FormulaState& state = states[id];
    if (!(state.flags & kDirty) && !everything) return;
    state.flags &= static_cast<std::uint8_t>(~kDirty);
    cells.setDirty(formulas[id].col, formulas[id].row, false);
}

void Sheet::Impl::markVolatileDirty() {
    std::erase_if(volatileList, [&](std::uint32_t id) {
        const Program* program = states[id].program;
        return !program || !(program->flags & kProgVolatile);
    });
    // Duplicates appear when an id is freed and given to another volatile formula.
    std::sort(volatileList.begin(), volatileList.end());
    volatileList.erase(std::unique(volatileList.begin(), volatileList.end()), volatileList.end());
    for (std::uint32_t id : volatileList)
        if (markDirty(id)) markReadersDirty(formulas[id].col, formulas[id].row);
}

void Sheet::Impl::keepDirtyClosed(std::span<const std::uint32_t> ids) {
    // A formula evaluated in this pass and changed again afterwards stays dirty; its readers
    // must be dirty too, or a later change would stop at it and leave them stale.
    for (std::uint32_t id : ids)
        if (id < states.size() && (states[id].flags & kDirty))
            markReadersDirty(formulas[id].col, formulas[id].row);
}

} // namespace gridx
