// Blocks of cells that formulas read, indexed by their rows so that the formulas reading a
// given cell are found without walking every block. Entries live in a few sorted runs whose
// sizes are distinct powers of two (a new entry is a run of one; equal runs merge), each with
// a max-tree of last rows: adding costs O(log n) amortised, a lookup O(log² n) plus the hits.
#pragma once

#include "grid/FunctionRef.h"

#include <cstdint>
#include <vector>

namespace gridx::engine {

struct Interval {
    int row1 = 0;
    int row2 = 0;
    std::uint16_t col1 = 0; // columns fit: a sheet has at most 18,278
    std::uint16_t col2 = 0;
    std::uint32_t formula = 0;
    std::uint32_t generation = 0; // of the formula when it registered the block
};
static_assert(sizeof(Interval) == 20, "an entry per range a formula reads: keep it small");

class IntervalIndex {
public:
    void add(const Interval& interval);
    // Visits every entry whose block contains the cell, stale ones included.
    void stab(int col, int row, FunctionRef<void(const Interval&)> visit) const;
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    void clear();

private:
    struct Run {
        std::vector<Interval> entries; // by first row
        std::vector<int> maxRow2;      // max-tree, leaves from index `leaves`
        std::size_t leaves = 0;

        void buildTree();
        void stab(int col, int row, FunctionRef<void(const Interval&)> visit) const;
    };

    std::vector<Run> runs_; // sizes decrease from front to back
    std::size_t size_ = 0;
};

} // namespace gridx::engine
