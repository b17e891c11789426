// Who reads which cell: an edge per single-cell reference, linked into a list headed in the
// referenced cell's slot, and the blocks read through ranges in interval indexes (one per
// column for narrow blocks, one for wide blocks), so a range never turns into an edge per cell.
#pragma once

#include "engine/CellStore.h"
#include "engine/IntervalIndex.h"
#include "engine/Program.h"

#include <cstdint>
#include <vector>

namespace gridx::engine {

// The identity a formula registers with.
struct FormulaKey {
    std::uint32_t id = 0;
    std::uint32_t generation = 0;
};

class DependencyIndex {
public:
    // Registers the references of a formula at (col, row); returns the first of its edges.
    std::uint32_t add(CellStore& cells, FormulaKey formula, const Program& program, int col,
                      int row);
    // Removes what `add` registered; the program and the cell must be the ones it was given.
    void remove(CellStore& cells, const Program& program, int col, int row, std::uint32_t edgeBase);
    // Visits the formulas that read the cell. Range entries may be stale: the visitor gets
    // the generation they were registered with and compares it with the formula's.
    void forEachReader(const CellStore& cells, int col, int row,
                       FunctionRef<void(FormulaKey formula, bool checkGeneration)> visit) const;
    // False when certainly nothing reads the cell (a cheap test before forEachReader).
    bool mayHaveReaders(const CellStore& cells, int col, int row) const {
        if (!wide_.empty()) return true;
        if (col >= 0 && static_cast<std::size_t>(col) < columns_.size() &&
            !columns_[static_cast<std::size_t>(col)].empty())
            return true;
        const Slot slot = cells.find(col, row);
        return slot && slot.depHead() != 0;
    }
    // True when so much has been removed that registering everything again pays off.
    bool wantsRebuild() const;
    // Forgets everything; the caller also resets the heads in the cell store.
    void clear();

private:
    struct Edge {
        std::uint32_t owner = 0;
        std::uint32_t next = 0;
        std::uint32_t prev = 0; // 0: first of its list
    };
    static constexpr std::uint32_t kUnlinked = 0xFFFFFFFF;
    static constexpr int kNarrowColumns = 4; // wider blocks go to the wide index

    // The indexes a block is filed under: one per column when narrow, else the wide one.
    void forEachIndex(const RangeRef& range, FunctionRef<void(IntervalIndex&)> fn);
    void link(CellStore& cells, std::uint32_t edge, int col, int row);
    void unlink(CellStore& cells, std::uint32_t edge, int col, int row);

    std::vector<Edge> edges_{Edge{}};
    std::size_t freedEdges_ = 0;
    std::size_t intervals_ = 0;      // entries filed, counting each column of a narrow block
    std::size_t staleIntervals_ = 0; // entries of formulas removed since

    std::vector<IntervalIndex> columns_;
    IntervalIndex wide_;
};

} // namespace gridx::engine
