// Remembers the number statistics of the last few ranges read, so that a range one row longer
// than a remembered one (SUM(A$1:A9) after SUM(A$1:A8)) costs one row. Only extensions that
// continue the row-major walk are taken from the cache, so results equal a fresh walk exactly.
#pragma once

#include "grid/FunctionRef.h"
#include "grid/Functions.h"

#include <array>
#include <cstddef>

namespace gridx::engine {

class StatsCache {
public:
    using Accumulate = FunctionRef<void(const RangeRef& part, RangeStats& stats)>;

    // The statistics of `range`, adding the parts it does not know with `accumulate`.
    RangeStats get(const RangeRef& range, Accumulate accumulate);
    // Forgets the ranges that contain the cell.
    void invalidate(int col, int row);
    void clear();
    bool empty() const { return used_ == 0; }

private:
    struct Entry {
        RangeRef range;
        RangeStats stats;
        bool valid = false;
    };
    Entry* extendable(const RangeRef& range, RangeRef& part);

    std::array<Entry, 8> entries_{};
    std::size_t next_ = 0;
    std::size_t used_ = 0;
};

} // namespace gridx::engine
