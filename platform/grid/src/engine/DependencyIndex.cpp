#include "engine/DependencyIndex.h"

#include "engine/Resolve.h"

namespace gridx::engine {

std::uint32_t DependencyIndex::add(CellStore& cells, FormulaKey formula, const Program& program,
                                   int col, int row) {
    const auto base = static_cast<std::uint32_t>(edges_.size());
    edges_.resize(edges_.size() + program.linkedRefs, Edge{formula.id, kUnlinked, kUnlinked});
    std::uint32_t edge = base;
    forEachLinkedRef(program.codeSpan(), [&](const std::uint32_t* at) {
        int c = 0, r = 0;
        if (resolveRef(at, col, row, c, r)) link(cells, edge, c, r);
        ++edge;
    });
    forEachReference(
        program, [](const std::uint32_t*) {},
        [&](const std::uint32_t* at) {
            RangeRef range;
            if (!resolveArea(at, col, row, range)) return;
            const Interval entry{range.row1,
                                 range.row2,
                                 static_cast<std::uint16_t>(range.col1),
                                 static_cast<std::uint16_t>(range.col2),
                                 formula.id,
                                 formula.generation};
            forEachIndex(range, [&](IntervalIndex& index) {
                index.add(entry);
                ++intervals_;
            });
        });
    return program.linkedRefs > 0 ? base : 0;
}

void DependencyIndex::remove(CellStore& cells, const Program& program, int col, int row,
                             std::uint32_t edgeBase) {
    std::uint32_t edge = edgeBase;
    forEachLinkedRef(program.codeSpan(), [&](const std::uint32_t* at) {
        int c = 0, r = 0;
        if (edge != 0 && resolveRef(at, col, row, c, r)) unlink(cells, edge, c, r);
        if (edge != 0) ++edge;
    });
    forEachReference(
        program, [](const std::uint32_t*) {},
        [&](const std::uint32_t* at) {
            RangeRef range;
            if (resolveArea(at, col, row, range))
                forEachIndex(range, [&](IntervalIndex&) { ++staleIntervals_; });
        });
    freedEdges_ += program.linkedRefs;
}

void DependencyIndex::forEachReader(
    const CellStore& cells, int col, int row,
    FunctionRef<void(FormulaKey formula, bool checkGeneration)> visit) const {
    if (const Slot slot = cells.find(col, row))
        for (std::uint32_t e = slot.depHead(); e != 0; e = edges_[e].next)
            visit(FormulaKey{edges_[e].owner, 0}, false);
    auto onInterval = [&](const Interval& iv) {
        visit(FormulaKey{iv.formula, iv.generation}, true);
    };
    if (col >= 0 && static_cast<std::size_t>(col) < columns_.size())
        columns_[static_cast<std::size_t>(col)].stab(col, row, onInterval);
    wide_.stab(col, row, onInterval);
}

bool DependencyIndex::wantsRebuild() const {
    if (freedEdges_ > 4096 && freedEdges_ * 2 > edges_.size()) return true;
    return staleIntervals_ > 1024 && staleIntervals_ * 2 > intervals_;
}

void DependencyIndex::clear() {
    edges_.assign(1, Edge{});
    freedEdges_ = 0;
    intervals_ = 0;
    staleIntervals_ = 0;
    columns_.clear();
    wide_.clear();
}

void DependencyIndex::forEachIndex(const RangeRef& range, FunctionRef<void(IntervalIndex&)> fn) {
    if (range.cols() > kNarrowColumns) return fn(wide_);
    // A narrow block is filed under each of its columns.
    if (static_cast<std::size_t>(range.col2) >= columns_.size())
        columns_.resize(static_cast<std::size_t>(range.col2) + 1);
    for (int col = range.col1; col <= range.col2; ++col)
        fn(columns_[static_cast<std::size_t>(col)]);
}

void DependencyIndex::link(CellStore& cells, std::uint32_t edge, int col, int row) {
    const Slot slot = cells.at(col, row);
    Edge& e = edges_[edge];
    e.prev = 0;
    e.next = slot.depHead();
    if (slot.depHead() != 0) edges_[slot.depHead()].prev = edge;
    slot.depHead() = edge;
}

void DependencyIndex::unlink(CellStore& cells, std::uint32_t edge, int col, int row) {
    Edge& e = edges_[edge];
    if (e.prev == kUnlinked) return;
    if (e.next != 0) edges_[e.next].prev = e.prev;
    if (e.prev != 0) {
        edges_[e.prev].next = e.next;
    } else if (Slot slot = cells.find(col, row)) {
        slot.depHead() = e.next;
    }
    e.prev = e.next = kUnlinked;
}

} // namespace gridx::engine
