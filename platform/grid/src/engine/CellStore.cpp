#include "engine/CellStore.h"

#include <algorithm>
#include <bit>
#include <iterator>
#include <queue>

namespace gridx::engine {

namespace {

std::size_t pageIndex(int row) {
    return static_cast<std::size_t>(row) >> kPageShift;
}

int slotIndex(int row) {
    return row & (kPageSize - 1);
}

std::uint64_t bit(int index) {
    return std::uint64_t{1} << (index & 63);
}

// Mask of the bits of word `w` whose slots lie in [from, to] (slot indices within a page).
std::uint64_t wordMask(int w, int from, int to) {
    const int lo = std::max(from - w * 64, 0);
    const int hi = std::min(to - w * 64, 63);
    if (lo > hi) return 0;
    const std::uint64_t upper = hi == 63 ? ~std::uint64_t{0} : (bit(hi + 1) - 1);
    return upper & ~(bit(lo) - 1);
}

} // namespace

const Value CellStore::emptyValue_;

Slot CellStore::at(int col, int row) {
    if (static_cast<std::size_t>(col) >= cols_.size())
        cols_.resize(static_cast<std::size_t>(col) + 1);
    auto& pages = cols_[static_cast<std::size_t>(col)].pages;
    const std::size_t p = pageIndex(row);
    if (p >= pages.size()) pages.resize(p + 1);
    if (!pages[p]) pages[p] = std::make_unique<Page>();
    return Slot(pages[p].get(), slotIndex(row));
}

bool CellStore::isUsed(int col, int row) const {
    const Page* p = page(col, row);
    const int i = slotIndex(row);
    return p && (p->used[static_cast<std::size_t>(i >> 6)] & bit(i));
}

void CellStore::setUsed(int col, int row, bool used) {
    Page* p = page(col, row);
    if (!p) return;
    const int i = slotIndex(row);
    std::uint64_t& word = p->used[static_cast<std::size_t>(i >> 6)];
    if (((word & bit(i)) != 0) == used) return;
    word ^= bit(i);
    const int delta = used ? 1 : -1;
    p->usedCount += static_cast<std::uint32_t>(delta);
    cols_[static_cast<std::size_t>(col)].usedCount += static_cast<std::uint32_t>(delta);
    usedCount_ += static_cast<std::size_t>(delta);
}

bool CellStore::isDirty(int col, int row) const {
    const Page* p = page(col, row);
    const int i = slotIndex(row);
    return p && (p->dirty[static_cast<std::size_t>(i >> 6)] & bit(i));
}

void CellStore::setDirty(int col, int row, bool dirty) {
    Page* p = page(col, row);
    if (!p) return;
    const int i = slotIndex(row);
    std::uint64_t& word = p->dirty[static_cast<std::size_t>(i >> 6)];
    if (((word & bit(i)) != 0) == dirty) return;
    word ^= bit(i);
    const int delta = dirty ? 1 : -1;
    p->dirtyCount += static_cast<std::uint32_t>(delta);
    cols_[static_cast<std::size_t>(col)].dirtyCount += static_cast<std::uint32_t>(delta);
}

void CellStore::clearDirtyRows(int col, int row1, int row2) {
    if (col < 0 || static_cast<std::size_t>(col) >= cols_.size() || row1 < 0 || row2 < row1) return;
    Column& column = cols_[static_cast<std::size_t>(col)];
    for (std::size_t p = pageIndex(row1); p <= pageIndex(row2) && p < column.pages.size(); ++p) {
        Page* page = column.pages[p].get();
        if (!page || page->dirtyCount == 0) continue;
        const int base = static_cast<int>(p) << kPageShift;
        const int from = std::max(row1 - base, 0);
        const int to = std::min(row2 - base, kPageSize - 1);
        for (int w = from >> 6; w <= to >> 6; ++w) {
            std::uint64_t& word = page->dirty[static_cast<std::size_t>(w)];
            const std::uint64_t cleared = word & wordMask(w, from, to);
            const auto count = static_cast<std::uint32_t>(std::popcount(cleared));
            word &= ~cleared;
            page->dirtyCount -= count;
            column.dirtyCount -= count;
        }
    }
}

void CellStore::setFormula(int col, int row, std::uint32_t id, const void* program) {
    Page* p = page(col, row);
    if (!p) return;
    const int i = slotIndex(row);
    p->formulas[static_cast<std::size_t>(i)] = id;
    std::uint64_t& word = p->hasFormula[static_cast<std::size_t>(i >> 6)];
    if (((word & bit(i)) != 0) != (id != 0)) {
        word ^= bit(i);
        const int delta = id != 0 ? 1 : -1;
        p->formulaCount += static_cast<std::uint32_t>(delta);
        cols_[static_cast<std::size_t>(col)].formulaCount += static_cast<std::uint32_t>(delta);
    }
    if (id != 0)
        p->sharedProgram = p->formulaCount == 1 || p->sharedProgram == program ? program : nullptr;
    else if (p->formulaCount == 0)
        p->sharedProgram = nullptr;
}

void CellStore::programChanged(int col, int row) {
    if (Page* p = page(col, row)) p->sharedProgram = nullptr;
}

void CellStore::markFormulasDirty() {
    for (Column& column : cols_) {
        if (column.formulaCount == 0) continue;
        for (const auto& pg : column.pages) {
            if (!pg || pg->formulaCount == 0) continue;
            pg->dirtyBeforeAll = pg->dirtyCount > 0;
            std::uint32_t count = 0;
            for (int w = 0; w < kPageWords; ++w) {
                const auto i = static_cast<std::size_t>(w);
                pg->dirty[i] |= pg->hasFormula[i];
                count += static_cast<std::uint32_t>(std::popcount(pg->dirty[i]));
            }
            column.dirtyCount += count - pg->dirtyCount;
            pg->dirtyCount = count;
        }
    }
}

int CellStore::nextUsedRow(int col, int row, int last) const {
    if (col < 0 || static_cast<std::size_t>(col) >= cols_.size()) return -1;
    const Column& column = cols_[static_cast<std::size_t>(col)];
    if (column.usedCount == 0) return -1;
    while (row <= last) {
        const std::size_t p = pageIndex(row);
        if (p >= column.pages.size()) return -1;
        const Page* pg = column.pages[p].get();
        const int base = static_cast<int>(p) << kPageShift;
        if (pg && pg->usedCount > 0) {
            const int from = row - base;
            for (int w = from >> 6; w < kPageWords; ++w) {
                const std::uint64_t bits =
                    pg->used[static_cast<std::size_t>(w)] & wordMask(w, from, kPageSize - 1);
                if (bits) {
                    const int found = base + w * 64 + std::countr_zero(bits);
                    return found <= last ? found : -1;
                }
            }
        }
        row = base + kPageSize;
    }
    return -1;
}

// Row-major merge of the used cells of several columns.
struct CellStore::Walker {
    const CellStore& store;
    RangeRef range;
    FunctionRef<bool(int, int, Slot)> visit;

    bool visitCell(int col, int row) const {
        const Slot slot = store.find(col, row);
        return !slot || visit(col, row, slot);
    }

    void singleColumn() const {
        for (int row = store.nextUsedRow(range.col1, range.row1, range.row2); row >= 0;
             row = store.nextUsedRow(range.col1, row + 1, range.row2))
            if (!visitCell(range.col1, row)) return;
    }

    // Few columns: the next row is the smallest of the columns' next rows.
    void fewColumns() const {
        std::array<int, 16> next{};
        const int n = range.cols();
        for (int i = 0; i < n; ++i)
            next[static_cast<std::size_t>(i)] =
                store.nextUsedRow(range.col1 + i, range.row1, range.row2);
        for (;;) {
            int row = -1;
            for (int i = 0; i < n; ++i) {
                const int r = next[static_cast<std::size_t>(i)];
                if (r >= 0 && (row < 0 || r < row)) row = r;
            }
            if (row < 0) return;
            for (int i = 0; i < n; ++i) {
                int& r = next[static_cast<std::size_t>(i)];
                if (r != row) continue;
                if (!visitCell(range.col1 + i, row)) return;
                r = store.nextUsedRow(range.col1 + i, row + 1, range.row2);
            }
        }
    }

    // Many columns: a heap ordered by row, then column.
    void manyColumns() const {
        using Entry = std::pair<int, int>; // row, col
        std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> heap;
        for (int col = range.col1; col <= range.col2; ++col) {
            const int r = store.nextUsedRow(col, range.row1, range.row2);
            if (r >= 0) heap.emplace(r, col);
        }
        while (!heap.empty()) {
            const auto [row, col] = heap.top();
            heap.pop();
            if (!visitCell(col, row)) return;
            const int r = store.nextUsedRow(col, row + 1, range.row2);
            if (r >= 0) heap.emplace(r, col);
        }
    }
};

void CellStore::forEachUsed(const RangeRef& range, FunctionRef<bool(int, int, Slot)> visit) const {
    RangeRef r{std::max(range.col1, 0), std::max(range.row1, 0),
               std::min(range.col2, static_cast<int>(cols_.size()) - 1),
               std::min(range.row2, kRowLimit)};
    if (r.col1 > r.col2 || r.row1 > r.row2) return;
    Walker walker{*this, r, visit};
    if (r.col1 == r.col2)
        walker.singleColumn();
    else if (r.cols() <= 16)
        walker.fewColumns();
    else
        walker.manyColumns();
}

void CellStore::forEachDirty(const RangeRef& range, FunctionRef<void(Slot)> visit) const {
    const int lastCol = std::min(range.col2, static_cast<int>(cols_.size()) - 1);
    const int row1 = std::max(range.row1, 0), row2 = std::min(range.row2, kRowLimit);
    for (int col = std::max(range.col1, 0); col <= lastCol; ++col) {
        const Column& column = cols_[static_cast<std::size_t>(col)];
        if (column.dirtyCount == 0) continue;
        const std::size_t lastPage = std::min(pageIndex(row2) + 1, column.pages.size());
        for (std::size_t p = pageIndex(row1); p < lastPage; ++p) {
            Page* pg = column.pages[p].get();
            if (!pg || pg->dirtyCount == 0) continue;
            const int base = static_cast<int>(p) << kPageShift;
            const int from = std::max(row1 - base, 0), to = std::min(row2 - base, kPageSize - 1);
            for (int w = from >> 6; w <= to >> 6; ++w) {
                std::uint64_t bits = pg->dirty[static_cast<std::size_t>(w)] & wordMask(w, from, to);
                while (bits) {
                    const int i = w * 64 + std::countr_zero(bits);
                    bits &= bits - 1;
                    visit(Slot(pg, i));
                }
            }
        }
    }
}

void CellStore::forEachSlot(FunctionRef<void(int, int, Slot)> visit) {
    for (std::size_t c = 0; c < cols_.size(); ++c) {
        auto& pages = cols_[c].pages;
        for (std::size_t p = 0; p < pages.size(); ++p) {
            if (!pages[p]) continue;
            for (int i = 0; i < kPageSize; ++i)
                visit(static_cast<int>(c), static_cast<int>(p << kPageShift) + i,
                      Slot(pages[p].get(), i));
        }
    }
}

void CellStore::moveContent(int fromCol, int fromRow, int toCol, int toRow) {
    const Slot from = find(fromCol, fromRow);
    if (!from) return;
    const bool used = isUsed(fromCol, fromRow), dirty = isDirty(fromCol, fromRow);
    const Slot to = at(toCol, toRow); // pages never move, so `from` stays valid
    to.setValue(from.value());
    from.setValue(Value());
    setFormula(toCol, toRow, from.formula());
    setFormula(fromCol, fromRow, 0);
    setUsed(fromCol, fromRow, false);
    setDirty(fromCol, fromRow, false);
    setUsed(toCol, toRow, used);
    setDirty(toCol, toRow, dirty);
}

void CellStore::insertColumns(int at, int count, int limit, FunctionRef<void(int)> dropped) {
    if (static_cast<std::size_t>(at) >= cols_.size()) return;
    const int last = static_cast<int>(cols_.size()) - 1;
    for (int col = std::max(at, limit - count + 1); col <= last; ++col)
        if (cols_[static_cast<std::size_t>(col)].usedCount > 0) dropped(col);
    std::vector<Column> fresh(static_cast<std::size_t>(count));
    cols_.insert(cols_.begin() + at, std::make_move_iterator(fresh.begin()),
                 std::make_move_iterator(fresh.end()));
    if (cols_.size() > static_cast<std::size_t>(limit) + 1) {
        for (std::size_t c = static_cast<std::size_t>(limit) + 1; c < cols_.size(); ++c)
            usedCount_ -= cols_[c].usedCount;
        cols_.resize(static_cast<std::size_t>(limit) + 1);
    }
}

void CellStore::eraseColumns(int at, int count) {
    if (static_cast<std::size_t>(at) >= cols_.size()) return;
    const std::size_t end = std::min(cols_.size(), static_cast<std::size_t>(at + count));
    for (std::size_t c = static_cast<std::size_t>(at); c < end; ++c)
        usedCount_ -= cols_[c].usedCount;
    cols_.erase(cols_.begin() + at, cols_.begin() + static_cast<std::ptrdiff_t>(end));
}

void CellStore::resetHeads() {
    for (Column& column : cols_) {
        for (auto& pg : column.pages) {
            if (!pg) continue;
            if (pg->usedCount == 0) {
                pg.reset();
                continue;
            }
            pg->depHeads.fill(0);
        }
        while (!column.pages.empty() && !column.pages.back())
            column.pages.pop_back();
    }
}

void CellStore::clear() {
    cols_.clear();
    usedCount_ = 0;
}

} // namespace gridx::engine
