// Blocks of cells that formulas read, indexed by their rows so that the formulas reading a
// given cell are found without walking every block: a sorted array with a max-tree of the
// last rows, plus a short unsorted tail of recent additions.
#pragma once

#include "grid/FunctionRef.h"

#include <cstdint>
#include <vector>

namespace gridx::engine {

struct Interval {
    int row1 = 0;
    int row2 = 0;
    int col1 = 0;
    int col2 = 0;
    std::uint32_t formula = 0;
    std::uint32_t generation = 0; // of the formula when it registered the block
};

class IntervalIndex {
public:
    void add(const Interval& interval);
    // Counts an entry that no longer belongs to a live formula.
    void noteStale() { ++stale_; }
    bool wantsCompaction() const { return stale_ > 64 && stale_ * 2 > size(); }
    // Keeps only the entries `keep` accepts.
    void compact(FunctionRef<bool(const Interval&)> keep);
    // Visits every entry whose block contains the cell, stale ones included.
    void stab(int col, int row, FunctionRef<void(const Interval&)> visit) const;
    std::size_t size() const { return sorted_.size() + pending_.size(); }
    bool empty() const { return size() == 0; }
    void clear();

private:
    void rebuild();

    std::vector<Interval> sorted_; // by first row
    std::vector<int> maxRow2_;     // max-tree over sorted_, leaves from index cap_
    std::size_t cap_ = 0;
    std::vector<Interval> pending_;
    std::size_t stale_ = 0;
};

} // namespace gridx::engine
