#include "engine/IntervalIndex.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace gridx::engine {

namespace {

bool contains(const Interval& iv, int col, int row) {
    return row >= iv.row1 && row <= iv.row2 && col >= iv.col1 && col <= iv.col2;
}

bool byFirstRow(const Interval& a, const Interval& b) {
    return a.row1 < b.row1;
}

} // namespace

void IntervalIndex::Run::buildTree() {
    leaves = 1;
    while (leaves < entries.size())
        leaves *= 2;
    maxRow2.assign(2 * leaves, -1);
    for (std::size_t i = 0; i < entries.size(); ++i)
        maxRow2[leaves + i] = entries[i].row2;
    for (std::size_t i = leaves - 1; i >= 1; --i)
        maxRow2[i] = std::max(maxRow2[2 * i], maxRow2[2 * i + 1]);
}

void IntervalIndex::Run::stab(int col, int row, FunctionRef<void(const Interval&)> visit) const {
    // Entries [0, candidates) start at or above the row; the tree finds those that reach it.
    const auto candidates = static_cast<std::size_t>(
        std::upper_bound(entries.begin(), entries.end(), row,
                         [](int r, const Interval& iv) { return r < iv.row1; }) -
        entries.begin());
    struct Node {
        std::size_t index, lo, hi;
    };
    std::array<Node, 128> stack{};
    std::size_t top = 0;
    stack[top++] = Node{1, 0, leaves};
    while (top > 0) {
        const Node node = stack[--top];
        if (node.lo >= candidates || maxRow2[node.index] < row) continue;
        if (node.hi - node.lo == 1) {
            const Interval& iv = entries[node.lo];
            if (contains(iv, col, row)) visit(iv);
            continue;
        }
        const std::size_t mid = (node.lo + node.hi) / 2;
        stack[top++] = Node{2 * node.index + 1, mid, node.hi};
        stack[top++] = Node{2 * node.index, node.lo, mid};
    }
}

void IntervalIndex::add(const Interval& interval) {
    Run run;
    run.entries.push_back(interval);
    // Merge while the newest run is at least as large as the one before it.
    while (!runs_.empty() && runs_.back().entries.size() <= run.entries.size()) {
        // Merged into a vector of the exact size: no spare capacity, no merge buffer.
        Run& last = runs_.back();
        std::vector<Interval> merged;
        merged.reserve(last.entries.size() + run.entries.size());
        std::merge(last.entries.begin(), last.entries.end(), run.entries.begin(), run.entries.end(),
                   std::back_inserter(merged), byFirstRow);
        run.entries = std::move(merged);
        runs_.pop_back();
    }
    run.buildTree();
    runs_.push_back(std::move(run));
    ++size_;
}

void IntervalIndex::stab(int col, int row, FunctionRef<void(const Interval&)> visit) const {
    for (const Run& run : runs_)
        run.stab(col, row, visit);
}

void IntervalIndex::clear() {
    runs_.clear();
    size_ = 0;
}

} // namespace gridx::engine
