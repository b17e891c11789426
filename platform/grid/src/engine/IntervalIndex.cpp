#include "engine/IntervalIndex.h"

#include <algorithm>
#include <array>

namespace gridx::engine {

namespace {

bool contains(const Interval& iv, int col, int row) {
    return row >= iv.row1 && row <= iv.row2 && col >= iv.col1 && col <= iv.col2;
}

} // namespace

void IntervalIndex::add(const Interval& interval) {
    pending_.push_back(interval);
    if (pending_.size() > 32 + sorted_.size() / 4) rebuild();
}

void IntervalIndex::compact(FunctionRef<bool(const Interval&)> keep) {
    auto drop = [&](const Interval& iv) { return !keep(iv); };
    sorted_.erase(std::remove_if(sorted_.begin(), sorted_.end(), drop), sorted_.end());
    pending_.erase(std::remove_if(pending_.begin(), pending_.end(), drop), pending_.end());
    stale_ = 0;
    rebuild();
}

void IntervalIndex::rebuild() {
    sorted_.insert(sorted_.end(), pending_.begin(), pending_.end());
    pending_.clear();
    std::sort(sorted_.begin(), sorted_.end(),
              [](const Interval& a, const Interval& b) { return a.row1 < b.row1; });
    cap_ = 1;
    while (cap_ < sorted_.size())
        cap_ *= 2;
    maxRow2_.assign(2 * cap_, -1);
    for (std::size_t i = 0; i < sorted_.size(); ++i)
        maxRow2_[cap_ + i] = sorted_[i].row2;
    for (std::size_t i = cap_ - 1; i >= 1; --i)
        maxRow2_[i] = std::max(maxRow2_[2 * i], maxRow2_[2 * i + 1]);
}

void IntervalIndex::stab(int col, int row, FunctionRef<void(const Interval&)> visit) const {
    for (const Interval& iv : pending_)
        if (contains(iv, col, row)) visit(iv);
    if (sorted_.empty()) return;
    // Entries [0, candidates) start at or above the row; the tree finds those that reach it.
    const auto candidates = static_cast<std::size_t>(
        std::upper_bound(sorted_.begin(), sorted_.end(), row,
                         [](int r, const Interval& iv) { return r < iv.row1; }) -
        sorted_.begin());
    struct Node {
        std::size_t index, lo, hi;
    };
    std::array<Node, 128> stack{};
    std::size_t top = 0;
    stack[top++] = Node{1, 0, cap_};
    while (top > 0) {
        const Node node = stack[--top];
        if (node.lo >= candidates || maxRow2_[node.index] < row) continue;
        if (node.hi - node.lo == 1) {
            const Interval& iv = sorted_[node.lo];
            if (contains(iv, col, row)) visit(iv);
            continue;
        }
        const std::size_t mid = (node.lo + node.hi) / 2;
        stack[top++] = Node{2 * node.index + 1, mid, node.hi};
        stack[top++] = Node{2 * node.index, node.lo, mid};
    }
}

void IntervalIndex::clear() {
    sorted_.clear();
    maxRow2_.clear();
    pending_.clear();
    cap_ = 0;
    stale_ = 0;
}

} // namespace gridx::engine
