#include "engine/StatsCache.h"

namespace gridx::engine {

StatsCache::Entry* StatsCache::extendable(const RangeRef& range, RangeRef& part) {
    for (Entry& e : entries_) {
        if (!e.valid) continue;
        const RangeRef& r = e.range;
        if (r == range) {
            part = RangeRef{0, 0, -1, -1};
            return &e;
        }
        // One more row at the bottom continues the row-major walk.
        if (r.col1 == range.col1 && r.col2 == range.col2 && r.row1 == range.row1 &&
            r.row2 + 1 == range.row2) {
            part = RangeRef{range.col1, range.row2, range.col2, range.row2};
            return &e;
        }
        // In a single row, one more cell at the right does too.
        if (r.row1 == r.row2 && range.row1 == r.row1 && range.row2 == r.row2 &&
            r.col1 == range.col1 && r.col2 + 1 == range.col2) {
            part = RangeRef{range.col2, range.row1, range.col2, range.row1};
            return &e;
        }
    }
    return nullptr;
}

RangeStats StatsCache::get(const RangeRef& range, Accumulate accumulate) {
    RangeRef part;
    if (Entry* e = extendable(range, part)) {
        if (part.col1 <= part.col2) accumulate(part, e->stats);
        e->range = range;
        return e->stats;
    }
    Entry& e = entries_[next_];
    next_ = (next_ + 1) % entries_.size();
    if (!e.valid) ++used_;
    e.valid = true;
    e.range = range;
    e.stats = RangeStats{};
    accumulate(range, e.stats);
    return e.stats;
}

void StatsCache::invalidate(int col, int row) {
    if (used_ == 0) return;
    for (Entry& e : entries_) {
        if (e.valid && e.range.contains(col, row)) {
            e.valid = false;
            --used_;
        }
    }
}

void StatsCache::clear() {
    if (used_ == 0) return;
    for (Entry& e : entries_)
        e.valid = false;
    used_ = 0;
}

} // namespace gridx::engine
