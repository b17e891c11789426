// Storage of a sheet's cells: columns of fixed-size pages of slots, created on first use, with
// bitmaps of the cells that hold something and of the formulas waiting for recalculation, so
// that walks over large, sparse ranges touch only what is there.
#pragma once

#include "engine/Limits.h"
#include "grid/FunctionRef.h"
#include "grid/Refs.h"
#include "grid/Value.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

namespace gridx::engine {

constexpr int kPageShift = 10;
constexpr int kPageSize = 1 << kPageShift;
constexpr int kPageWords = kPageSize / 64;

// The numbers of a page as plain doubles, kept beside its values once a column run has read
// the page, so that runs compute straight from (and compare with) plain arrays.
struct NumberMirror {
    std::array<double, kPageSize> numbers;        // the number, where `finite` is set
    std::array<std::uint64_t, kPageWords> finite; // the cell holds a finite number

    explicit NumberMirror(const std::array<Value, kPageSize>& values) {
        for (std::size_t w = 0; w < kPageWords; ++w) {
            std::uint64_t bits = 0;
            for (std::size_t j = 0; j < 64; ++j) {
                bool isFinite = false;
                numbers[w * 64 + j] = finiteNumber(values[w * 64 + j], isFinite);
                bits |= std::uint64_t{isFinite} << j;
            }
            finite[w] = bits;
        }
    }

    void note(std::size_t i, const Value& value) {
        bool isFinite = false;
        numbers[i] = finiteNumber(value, isFinite);
        const std::uint64_t bit = std::uint64_t{1} << (i & 63);
        finite[i >> 6] = isFinite ? finite[i >> 6] | bit : finite[i >> 6] & ~bit;
    }

private:
    // The value when it is a finite number (then `isFinite`), else 0.
    static double finiteNumber(const Value& value, bool& isFinite) {
        const double x = value.payloadAsNumber();
        isFinite = value.isNumber() & std::isfinite(x);
        return isFinite ? x : 0.0;
    }
};

// A page keeps each part of its cells in an array of its own, so that walks over values (the
// hot loops of recalculation) read values only. Values are written through setValue, which
// keeps the number mirror current.
struct Page {
    std::uint32_t usedCount = 0;
    std::uint32_t dirtyCount = 0;
    std::uint32_t formulaCount = 0;
    // The program every formula of the page has, when one is known to (filled-down formulas).
    const void* sharedProgram = nullptr;
    bool dirtyBeforeAll = false; // some formula was dirty when the last mark of all began
    std::array<std::uint64_t, kPageWords> used{};       // holds a constant or a formula
    std::array<std::uint64_t, kPageWords> hasFormula{}; // holds a formula
    std::array<std::uint64_t, kPageWords> dirty{};      // formula waiting for recalculation
    std::array<Value, kPageSize> values;             // the constant, or the formula's last result
    std::array<std::uint32_t, kPageSize> formulas{}; // formula id; 0 when the cell holds none
    std::array<std::uint32_t, kPageSize> depHeads{}; // first edge of the formulas reading it
    std::unique_ptr<NumberMirror> mirror;            // made on first use by a column run

    void setValue(std::size_t i, Value value) {
        values[i] = std::move(value);
        if (mirror) mirror->note(i, values[i]);
    }
    // The mirror, made from the values when the page has none yet.
    NumberMirror& numberMirror() {
        if (!mirror) mirror = std::make_unique<NumberMirror>(values);
        return *mirror;
    }
};

// One cell of a page: a handle to its value, formula id and dependency head. A default handle
// stands for a cell whose page was never created.
class Slot {
public:
    Slot() = default;
    Slot(Page* page, int index) : page_(page), index_(static_cast<std::size_t>(index)) {}
    explicit operator bool() const { return page_ != nullptr; }
    const Value& value() const { return page_->values[index_]; }
    void setValue(Value value) const { page_->setValue(index_, std::move(value)); }
    std::uint32_t formula() const { return page_->formulas[index_]; }
    // The cell's formula is marked for recalculation.
    bool marked() const { return (page_->dirty[index_ >> 6] >> (index_ & 63)) & 1; }
    std::uint32_t& depHead() const { return page_->depHeads[index_]; }

private:
    Page* page_ = nullptr;
    std::size_t index_ = 0;
};

struct Column {
    std::vector<std::unique_ptr<Page>> pages;
    std::uint32_t usedCount = 0;
    std::uint32_t dirtyCount = 0;
    std::uint32_t formulaCount = 0;
};

class CellStore;

// Reads slots of one column after another, looking the page up only when it changes.
class SlotCursor {
public:
    inline Slot at(CellStore& cells, int col, int row);

private:
    Page* page_ = nullptr;
    int col_ = -1;
    int pageIndex_ = -1;
};

class CellStore {
public:
    // Column 0 and row 0 are the header column and row; both go up to the hard limits.
    Slot find(int col, int row) const {
        Page* p = const_cast<CellStore*>(this)->page(col, row);
        return p ? Slot(p, row & (kPageSize - 1)) : Slot();
    }
    // The slot, created with its page when needed. Coordinates must lie within the limits.
    Slot at(int col, int row);
    // The cell's value; empty when nothing is stored there.
    const Value& value(int col, int row) const {
        const Page* p = page(col, row);
        return p ? p->values[static_cast<std::size_t>(row & (kPageSize - 1))] : emptyValue_;
    }

    bool isUsed(int col, int row) const;
    void setUsed(int col, int row, bool used);
    bool isDirty(int col, int row) const;
    // Sets the formula id of an existing slot (0: none) and, when known, its program.
    void setFormula(int col, int row, std::uint32_t id, const void* program = nullptr);
    // The formula of the cell got another program.
    void programChanged(int col, int row);
    void setDirty(int col, int row, bool dirty);
    // Clears the dirty marks of rows [row1, row2] of the column.
    void clearDirtyRows(int col, int row1, int row2);
    // The page holding the cell, or null when none was created.
    Page* pageAt(int col, int row) { return page(col, row); }
    std::size_t usedCount() const { return usedCount_; }
    int columnsAllocated() const { return static_cast<int>(cols_.size()); }
    // Pages allocated for the column (some may be missing in between).
    int pageCount(int col) const {
        return col >= 0 && static_cast<std::size_t>(col) < cols_.size()
                   ? static_cast<int>(cols_[static_cast<std::size_t>(col)].pages.size())
                   : 0;
    }

    // Visits the used cells of the range row by row, left to right, until `visit` says stop.
    void forEachUsed(const RangeRef& range,
                     FunctionRef<bool(int col, int row, Slot slot)> visit) const;
    // Visits the dirty formula cells of the range, column by column.
    void forEachDirty(const RangeRef& range, FunctionRef<void(Slot slot)> visit) const;
    // The first used row >= `row` and <= `last` of the column, or -1.
    int nextUsedRow(int col, int row, int last) const;
    // Marks every formula cell dirty.
    void markFormulasDirty();
    // Visits every allocated slot (used or not) of every column.
    void forEachSlot(FunctionRef<void(int col, int row, Slot slot)> visit);

    // Moves the content (value, formula, used and dirty marks) of one cell to another, whose
    // content must be empty. Dependency heads stay where they are.
    void moveContent(int fromCol, int fromRow, int toCol, int toRow);
    // Inserts `count` empty columns before `at`; columns pushed past `limit` are returned to
    // `dropped` before they go.
    void insertColumns(int at, int count, int limit, FunctionRef<void(int col)> dropped);
    // Removes columns [at, at + count); the caller has emptied them.
    void eraseColumns(int at, int count);
    // Clears every dependency head and frees pages that hold nothing.
    void resetHeads();
    void clear();

private:
    struct Walker;
    Page* page(int col, int row) {
        if (col < 0 || row < 0 || static_cast<std::size_t>(col) >= cols_.size()) return nullptr;
        const auto& pages = cols_[static_cast<std::size_t>(col)].pages;
        const auto p = static_cast<std::size_t>(row) >> kPageShift;
        return p < pages.size() ? pages[p].get() : nullptr;
    }
    const Page* page(int col, int row) const {
        return const_cast<CellStore*>(this)->page(col, row);
    }

    static const Value emptyValue_;

    std::vector<Column> cols_;
    std::size_t usedCount_ = 0;
};

inline Slot SlotCursor::at(CellStore& cells, int col, int row) {
    const int index = row >> kPageShift;
    if (col != col_ || index != pageIndex_) {
        page_ = cells.pageAt(col, row);
        col_ = col;
        pageIndex_ = index;
    }
    return page_ ? Slot(page_, row & (kPageSize - 1)) : Slot();
}

} // namespace gridx::engine
