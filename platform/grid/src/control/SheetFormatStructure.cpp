// The format model's spans and structural operations: what moves, shrinks or is dropped when
// rows and columns are inserted, deleted, copied or swapped.
#include "FormatStore.h"

#include <algorithm>

namespace gridx {

namespace {

int headerToZero(int index) {
    return index == kHeader ? 0 : index;
}

// Where an index goes when `count` indices are inserted or deleted at `at`; nothing when it is
// deleted or pushed beyond `limit`.
struct IndexMove {
    int at = 0;
    int count = 0;
    bool insert = true;
    int limit = 0;

    std::optional<int> operator()(int index) const {
        if (index < at) return index;
        if (!insert) {
            if (index < at + count) return std::nullopt;
            return index - count;
        }
        const long long moved = static_cast<long long>(index) + count;
        if (moved > limit) return std::nullopt;
        return static_cast<int>(moved);
    }

    // A span's extent along the moved axis; false when nothing of it remains.
    bool adjust(int& start, int& length) const {
        const int end = start + length - 1;
        if (insert) {
            if (at <= start) {
                start += count;
            } else if (at <= end) {
                length += count;
            }
            if (start > limit) return false;
            length = std::min(length, limit - start + 1);
            return length > 0;
        }
        const int last = at + count - 1;
        const int overlap = std::max(0, std::min(end, last) - std::max(start, at) + 1);
        length -= overlap;
        if (start > last) {
            start -= count;
        } else if (start >= at) {
            start = at;
        }
        return length > 0;
    }
};

template <typename T>
void remap(std::map<int, T>& entries, const IndexMove& move) {
    std::map<int, T> out;
    for (auto& [index, value] : entries) {
        if (auto to = move(index)) out.emplace(*to, std::move(value));
    }
    entries = std::move(out);
}

void remap(std::set<int>& entries, const IndexMove& move) {
    std::set<int> out;
    for (int index : entries) {
        if (auto to = move(index)) out.insert(*to);
    }
    entries = std::move(out);
}

void remapTags(std::map<std::uint64_t, std::wstring>& tags, const IndexMove& move, bool rows) {
    std::map<std::uint64_t, std::wstring> out;
    for (auto& [key, text] : tags) {
        const int col = keyCol(key);
        const int row = keyRow(key);
        if (auto to = move(rows ? row : col))
            out.emplace(rows ? cellKey(col, *to) : cellKey(*to, row), std::move(text));
    }
    tags = std::move(out);
}

void remapSpans(FormatStore& m, const IndexMove& move, bool rows) {
    std::map<std::uint64_t, Span> out;
    for (auto [key, span] : m.spans) {
        const bool kept =
            rows ? move.adjust(span.row, span.rows) : move.adjust(span.col, span.cols);
        if (kept && span.cols * static_cast<long long>(span.rows) >= 2)
            out.emplace(cellKey(span.col, span.row), span);
    }
    m.spans = std::move(out);
    m.rebuildCoverage();
}

void trimColumn(std::vector<std::uint32_t>& column) {
    while (!column.empty() && column.back() == 0)
        column.pop_back();
}

void moveCellRows(FormatStore& m, int at, int count, bool insert) {
    const auto first = static_cast<std::size_t>(at);
    for (auto& column : m.cells) {
        if (first >= column.size()) continue;
        if (insert) {
            column.insert(column.begin() + static_cast<std::ptrdiff_t>(first),
                          static_cast<std::size_t>(count), 0);
            if (column.size() > static_cast<std::size_t>(m.maxRows) + 1)
                column.resize(static_cast<std::size_t>(m.maxRows) + 1);
        } else {
            const std::size_t last =
                std::min(column.size(), first + static_cast<std::size_t>(count));
            column.erase(column.begin() + static_cast<std::ptrdiff_t>(first),
                         column.begin() + static_cast<std::ptrdiff_t>(last));
        }
        trimColumn(column);
    }
}

void moveCellCols(FormatStore& m, int at, int count, bool insert) {
    const auto first = static_cast<std::size_t>(at);
    if (first >= m.cells.size()) return;
    if (insert) {
        m.cells.insert(m.cells.begin() + static_cast<std::ptrdiff_t>(first),
                       static_cast<std::size_t>(count), {});
        if (m.cells.size() > static_cast<std::size_t>(m.maxCols) + 1)
            m.cells.resize(static_cast<std::size_t>(m.maxCols) + 1);
    } else {
        const std::size_t last = std::min(m.cells.size(), first + static_cast<std::size_t>(count));
        m.cells.erase(m.cells.begin() + static_cast<std::ptrdiff_t>(first),
                      m.cells.begin() + static_cast<std::ptrdiff_t>(last));
    }
}

void moveRows(FormatStore& m, int at, int count, bool insert) {
    if (at < 1 || count <= 0 || at > m.maxRows) return;
    count = std::min(count, m.maxRows - at + 1);
    const IndexMove move{at, count, insert, m.maxRows};
    moveCellRows(m, at, count, insert);
    remap(m.rows, move);
    remap(m.rowHeights, move);
    remap(m.hiddenRows, move);
    remapTags(m.tags, move, true);
    remapSpans(m, move, true);
}

void moveCols(FormatStore& m, int at, int count, bool insert) {
    if (at < 1 || count <= 0 || at > m.maxCols) return;
    count = std::min(count, m.maxCols - at + 1);
    const IndexMove move{at, count, insert, m.maxCols};
    moveCellCols(m, at, count, insert);
    remap(m.cols, move);
    remap(m.colWidths, move);
    remapTags(m.tags, move, false);
    remapSpans(m, move, false);
}

// What one block of cells carries when it is copied or swapped.
struct BlockCopy {
    RangeRef block;
    std::vector<FormatLayer> layers; // row by row
    std::vector<std::optional<std::wstring>> tags;
    std::vector<Span> spans; // anchored and contained in the block, relative to its corner
};

// The part of `block` (already in order) that lies in the sheet, moved to (destCol, destRow) so
// that the destination lies in the sheet too; false when nothing does.
bool clipPair(const FormatStore& m, RangeRef& source, int& destCol, int& destRow) {
    const int dc = destCol - source.col1;
    const int dr = destRow - source.row1;
    RangeRef s = source;
    s.col1 = std::max({s.col1, 0, -dc});
    s.row1 = std::max({s.row1, 0, -dr});
    s.col2 = std::min({s.col2, m.maxCols, m.maxCols - dc});
    s.row2 = std::min({s.row2, m.maxRows, m.maxRows - dr});
    if (s.col1 > s.col2 || s.row1 > s.row2) return false;
    source = s;
    destCol = s.col1 + dc;
    destRow = s.row1 + dr;
    return true;
}

BlockCopy takeBlock(const FormatStore& m, const RangeRef& block) {
    BlockCopy copy{block, {}, {}, {}};
    for (int row = block.row1; row <= block.row2; ++row) {
        for (int col = block.col1; col <= block.col2; ++col) {
            copy.layers.push_back(m.resolved(col, row));
            auto it = m.tags.find(cellKey(col, row));
            copy.tags.push_back(it == m.tags.end() ? std::nullopt
                                                   : std::optional<std::wstring>(it->second));
        }
    }
    for (const auto& [key, span] : m.spans) {
        if (block.contains(span.col, span.row) &&
            block.contains(span.col + span.cols - 1, span.row + span.rows - 1))
            copy.spans.push_back(
                Span{span.col - block.col1, span.row - block.row1, span.cols, span.rows});
    }
    return copy;
}

void removeSpansAnchoredIn(FormatStore& m, const RangeRef& block) {
    for (auto it = m.spans.begin(); it != m.spans.end();) {
        if (block.contains(it->second.col, it->second.row)) {
            m.cover(it->second, false);
            it = m.spans.erase(it);
        } else {
            ++it;
        }
    }
}

void putBlock(FormatStore& m, const BlockCopy& copy, int destCol, int destRow) {
    std::size_t i = 0;
    for (int row = 0; row < copy.block.rows(); ++row) {
        for (int col = 0; col < copy.block.cols(); ++col, ++i) {
            m.setCellId(destCol + col, destRow + row, m.pool.intern(copy.layers[i]));
            const std::uint64_t key = cellKey(destCol + col, destRow + row);
            if (copy.tags[i]) {
                m.tags[key] = *copy.tags[i];
            } else {
                m.tags.erase(key);
            }
        }
    }
}

void putSpans(FormatStore& m, const BlockCopy& copy, int destCol, int destRow) {
    for (const Span& relative : copy.spans) {
        Span span{relative.col + destCol, relative.row + destRow, relative.cols, relative.rows};
        if (!m.spanFits(span, cellKey(span.col, span.row))) continue;
        m.spans[cellKey(span.col, span.row)] = span;
        m.cover(span, true);
    }
}

RangeRef ordered(const RangeRef& block) {
    RangeRef r{headerToZero(block.col1), headerToZero(block.row1), headerToZero(block.col2),
               headerToZero(block.row2)};
    if (r.col1 > r.col2) std::swap(r.col1, r.col2);
    if (r.row1 > r.row2) std::swap(r.row1, r.row2);
    return r;
}

RangeRef movedBlock(const RangeRef& block, int destCol, int destRow) {
    return RangeRef{destCol, destRow, destCol + block.cols() - 1, destRow + block.rows() - 1};
}

} // namespace

// ---- Spans ------------------------------------------------------------------------------------

bool clipSpan(Span& span, int maxCols, int maxRows) {
    if (span.col > maxCols || span.row > maxRows) return false;
    span.cols = std::min(span.cols, maxCols - span.col + 1);
    span.rows = std::min(span.rows, maxRows - span.row + 1);
    return span.cols >= 1 && span.rows >= 1 && static_cast<long long>(span.cols) * span.rows >= 2;
}

void FormatStore::cover(const Span& span, bool on) {
    const std::uint64_t anchor = cellKey(span.col, span.row);
    for (int row = span.row; row < span.row + span.rows; ++row) {
        for (int col = span.col; col < span.col + span.cols; ++col) {
            if (on) {
                covered[cellKey(col, row)] = anchor;
            } else {
                covered.erase(cellKey(col, row));
            }
        }
    }
}

void FormatStore::rebuildCoverage() {
    covered.clear();
    for (const auto& [anchor, span] : spans)
        cover(span, true);
}

bool FormatStore::spanFits(const Span& span, std::uint64_t ignoreAnchor) const {
    if (span.col < 0 || span.row < 0 || span.cols < 1 || span.rows < 1) return false;
    if (static_cast<long long>(span.cols) * span.rows < 2) return false;
    if (span.col + static_cast<long long>(span.cols) - 1 > maxCols) return false;
    if (span.row + static_cast<long long>(span.rows) - 1 > maxRows) return false;
    for (int row = span.row; row < span.row + span.rows; ++row) {
        for (int col = span.col; col < span.col + span.cols; ++col) {
            auto it = covered.find(cellKey(col, row));
            if (it != covered.end() && it->second != ignoreAnchor) return false;
        }
    }
    return true;
}

bool SheetFormat::addSpan(int col, int row, int cols, int rows) {
    const Span span{headerToZero(col), headerToZero(row), cols, rows};
    const std::uint64_t anchor = cellKey(span.col, span.row);
    if (!impl_->spanFits(span, anchor)) return false;
    auto old = impl_->spans.find(anchor);
    if (old != impl_->spans.end()) impl_->cover(old->second, false);
    impl_->spans[anchor] = span;
    impl_->cover(span, true);
    return true;
}

bool SheetFormat::removeSpan(int col, int row) {
    col = headerToZero(col);
    row = headerToZero(row);
    if (col < 0 || row < 0) return false;
    auto it = impl_->spans.find(cellKey(col, row));
    if (it == impl_->spans.end()) return false;
    impl_->cover(it->second, false);
    impl_->spans.erase(it);
    return true;
}

std::optional<Span> SheetFormat::spanAt(int col, int row) const {
    col = headerToZero(col);
    row = headerToZero(row);
    if (col < 0 || row < 0) return std::nullopt;
    auto it = impl_->covered.find(cellKey(col, row));
    if (it == impl_->covered.end()) return std::nullopt;
    return impl_->spans.at(it->second);
}

void SheetFormat::forEachSpan(FunctionRef<void(const Span&)> visit) const {
    for (const auto& [anchor, span] : impl_->spans)
        visit(span);
}

// ---- Structure --------------------------------------------------------------------------------

void SheetFormat::insertRows(int at, int count) {
    moveRows(*impl_, at, count, true);
}

void SheetFormat::deleteRows(int at, int count) {
    moveRows(*impl_, at, count, false);
}

void SheetFormat::insertCols(int at, int count) {
    moveCols(*impl_, at, count, true);
}

void SheetFormat::deleteCols(int at, int count) {
    moveCols(*impl_, at, count, false);
}

void SheetFormat::copyRange(const RangeRef& source, int destCol, int destRow) {
    RangeRef from = ordered(source);
    destCol = headerToZero(destCol);
    destRow = headerToZero(destRow);
    if (!clipPair(*impl_, from, destCol, destRow)) return;
    const BlockCopy copy = takeBlock(*impl_, from);
    removeSpansAnchoredIn(*impl_, movedBlock(from, destCol, destRow));
    putBlock(*impl_, copy, destCol, destRow);
    putSpans(*impl_, copy, destCol, destRow);
}

void SheetFormat::swapRanges(const RangeRef& source, int destCol, int destRow) {
    RangeRef from = ordered(source);
    destCol = headerToZero(destCol);
    destRow = headerToZero(destRow);
    if (!clipPair(*impl_, from, destCol, destRow)) return;
    const RangeRef to = movedBlock(from, destCol, destRow);
    const BlockCopy first = takeBlock(*impl_, from);
    const BlockCopy second = takeBlock(*impl_, to);
    removeSpansAnchoredIn(*impl_, from);
    removeSpansAnchoredIn(*impl_, to);
    putBlock(*impl_, first, to.col1, to.row1);
    putBlock(*impl_, second, from.col1, from.row1);
    putSpans(*impl_, first, to.col1, to.row1);
    putSpans(*impl_, second, from.col1, from.row1);
}

void SheetFormat::clearRange(const RangeRef& block) {
    const RangeRef r = ordered(block);
    FormatStore& m = *impl_;
    for (int col = std::max(r.col1, 0); col <= std::min(r.col2, m.maxCols); ++col) {
        for (int row = std::max(r.row1, 0); row <= std::min(r.row2, m.maxRows); ++row) {
            m.setCellId(col, row, 0);
            m.tags.erase(cellKey(col, row));
        }
    }
}

void SheetFormat::clearAll() {
    const int cols = impl_->maxCols;
    const int rows = impl_->maxRows;
    impl_ = std::make_unique<FormatStore>();
    impl_->maxCols = cols;
    impl_->maxRows = rows;
}

// ---- Truncation -------------------------------------------------------------------------------

void FormatStore::truncate() {
    if (cells.size() > static_cast<std::size_t>(maxCols) + 1)
        cells.resize(static_cast<std::size_t>(maxCols) + 1);
    for (auto& column : cells) {
        if (column.size() > static_cast<std::size_t>(maxRows) + 1)
            column.resize(static_cast<std::size_t>(maxRows) + 1);
        trimColumn(column);
    }
    cols.erase(cols.upper_bound(maxCols), cols.end());
    rows.erase(rows.upper_bound(maxRows), rows.end());
    colWidths.erase(colWidths.upper_bound(maxCols), colWidths.end());
    rowHeights.erase(rowHeights.upper_bound(maxRows), rowHeights.end());
    hiddenRows.erase(hiddenRows.upper_bound(maxRows), hiddenRows.end());
    std::erase_if(tags, [&](const auto& entry) {
        return keyCol(entry.first) > maxCols || keyRow(entry.first) > maxRows;
    });
    std::map<std::uint64_t, Span> kept;
    for (auto [anchor, span] : spans) {
        if (clipSpan(span, maxCols, maxRows)) kept.emplace(anchor, span);
    }
    spans = std::move(kept);
    rebuildCoverage();
}

} // namespace gridx
