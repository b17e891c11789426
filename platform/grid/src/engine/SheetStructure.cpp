// Structural changes of a sheet: inserting and deleting rows and columns, copying, swapping
// and clearing blocks, and changing the size. Formula references follow the cells they
// address; after a change the dependency index is rebuilt from the formulas and only the
// formulas whose inputs changed are recomputed.
#include "engine/Limits.h"
#include "engine/RefAdjust.h"
#include "engine/SheetImpl.h"

#include <algorithm>

namespace gridx {

using namespace engine;

namespace {

// The block with header indexes mapped to 0, corners ordered, clipped to the sheet.
RangeRef normalizedBlock(const RangeRef& range, int maxCols, int maxRows) {
    const int c1 = headerToZero(range.col1), c2 = headerToZero(range.col2);
    const int r1 = headerToZero(range.row1), r2 = headerToZero(range.row2);
    return RangeRef{std::max(std::min(c1, c2), 0), std::max(std::min(r1, r2), 0),
                    std::min(std::max(c1, c2), maxCols), std::min(std::max(r1, r2), maxRows)};
}

bool isEmptyBlock(const RangeRef& r) {
    return r.col1 > r.col2 || r.row1 > r.row2;
}

std::vector<std::pair<int, int>> usedCells(const CellStore& cells, const RangeRef& range) {
    std::vector<std::pair<int, int>> out;
    cells.forEachUsed(range, [&](int col, int row, Slot) {
        out.emplace_back(col, row);
        return true;
    });
    return out;
}

// Used rows of a column within [from, to], ascending.
std::vector<int> usedRows(const CellStore& cells, int col, int from, int to) {
    std::vector<int> rows;
    for (int row = cells.nextUsedRow(col, from, to); row >= 0;
         row = cells.nextUsedRow(col, row + 1, to))
        rows.push_back(row);
    return rows;
}

} // namespace

// --- rows and columns

// Sets up a structural change: the dependency index is rebuilt once it is done.
void Sheet::Impl::beginStructure() {
    ++epoch;
    stats.clear();
    deps.clear();
    cells.resetHeads();
    structureChanged.clear();
    structureDropped.clear();
}

// Formulas whose references changed, and readers of cells pushed off the sheet, are dirty;
// every other formula reads the same cells as before, only at new places.
void Sheet::Impl::endStructure() {
    rebuildDependencies();
    for (std::uint32_t id : structureChanged)
        if (markDirty(id)) markReadersDirty(formulas[id].col, formulas[id].row);
    for (const auto& [col, row] : structureDropped)
        markReadersDirty(col, row);
    afterEdit(0);
}

// Rewrites every formula's references for the edit, before the cells move.
void Sheet::Impl::adjustPrograms(const AxisEdit& edit, int limit) {
    for (std::uint32_t id = 1; id < formulas.size(); ++id) {
        Program*& program = states[id].program;
        if (!program) continue;
        const FormulaRec& rec = formulas[id];
        const auto moved = edit.move(edit.rows ? rec.row : rec.col);
        if (!moved || *moved > limit) continue; // the formula goes with its cell
        const int newCol = edit.rows ? rec.col : *moved;
        const int newRow = edit.rows ? *moved : rec.row;
        Program* adjusted =
            adjustForEdit(pool, scratch, program, rec.col, rec.row, newCol, newRow, edit);
        if (adjusted != program) {
            structureChanged.push_back(id);
            cells.programChanged(rec.col, rec.row);
        }
        pool.release(program);
        program = adjusted;
    }
}

// Drops a cell pushed past the sheet's size; its readers now read an empty cell at `to`.
void Sheet::Impl::dropCell(int col, int row, int toCol, int toRow) {
    discardContent(col, row);
    structureDropped.emplace_back(toCol, toRow);
}

void Sheet::Impl::moveCell(int col, int row, int toCol, int toRow) {
    cells.moveContent(col, row, toCol, toRow);
    const Slot slot = cells.find(toCol, toRow);
    if (slot && slot.formula() != 0) {
        formulas[slot.formula()].col = toCol;
        formulas[slot.formula()].row = toRow;
    }
}

void Sheet::Impl::insertRows(int at, int count) {
    if (count <= 0 || at < 1 || at > maxRows) return;
    const AxisEdit edit{true, true, at, std::min(count, maxRows)};
    beginStructure();
    adjustPrograms(edit, maxRows);
    for (int col = 0; col < cells.columnsAllocated(); ++col) {
        const std::vector<int> rows = usedRows(cells, col, at, kRowLimit);
        for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
            if (*it + edit.count > maxRows)
                dropCell(col, *it, col, *it + edit.count);
            else
                moveCell(col, *it, col, *it + edit.count);
        }
    }
    endStructure();
}

void Sheet::Impl::deleteRows(int at, int count) {
    if (count <= 0 || at < 1 || at > maxRows) return;
    const AxisEdit edit{true, false, at, std::min(count, maxRows - at + 1)};
    const int end = at + edit.count - 1;
    beginStructure();
    for (int col = 0; col < cells.columnsAllocated(); ++col)
        for (int row : usedRows(cells, col, at, end))
            discardContent(col, row);
    adjustPrograms(edit, maxRows);
    for (int col = 0; col < cells.columnsAllocated(); ++col)
        for (int row : usedRows(cells, col, end + 1, kRowLimit))
            moveCell(col, row, col, row - edit.count);
    endStructure();
}

void Sheet::Impl::insertCols(int at, int count) {
    if (count <= 0 || at < 1 || at > maxCols) return;
    const AxisEdit edit{false, true, at, std::min(count, maxCols)};
    beginStructure();
    adjustPrograms(edit, maxCols);
    cells.insertColumns(at, edit.count, maxCols, [&](int col) {
        for (int row : usedRows(cells, col, 0, kRowLimit))
            dropCell(col, row, col + edit.count, row);
    });
    for (std::uint32_t id = 1; id < formulas.size(); ++id)
        if (states[id].program && formulas[id].col >= at) formulas[id].col += edit.count;
    endStructure();
}

void Sheet::Impl::deleteCols(int at, int count) {
    if (count <= 0 || at < 1 || at > maxCols) return;
    const AxisEdit edit{false, false, at, std::min(count, maxCols - at + 1)};
    const int end = at + edit.count - 1;
    beginStructure();
    for (int col = at; col <= end && col < cells.columnsAllocated(); ++col)
        for (int row : usedRows(cells, col, 0, kRowLimit))
            discardContent(col, row);
    adjustPrograms(edit, maxCols);
    cells.eraseColumns(at, edit.count);
    for (std::uint32_t id = 1; id < formulas.size(); ++id)
        if (states[id].program && formulas[id].col > end) formulas[id].col -= edit.count;
    endStructure();
}

// --- blocks

std::vector<CarriedCell> Sheet::Impl::carry(const RangeRef& block) {
    std::vector<CarriedCell> items;
    cells.forEachUsed(block, [&](int col, int row, Slot slot) {
        CarriedCell item{col - block.col1, row - block.row1, slot.value(), nullptr};
        if (slot.formula() != 0) {
            item.program = states[slot.formula()].program;
            ProgramPool::retain(item.program);
        }
        items.push_back(std::move(item));
        return true;
    });
    return items;
}

// Empties the block, noting the cells that held something.
void Sheet::Impl::clearBlock(const RangeRef& block, CellList& touched) {
    for (const auto& [col, row] : usedCells(cells, block)) {
        clearContent(col, row);
        touched.emplace_back(col, row);
    }
}

// Puts carried cells at the block whose top-left is (col, row), noting the formulas placed.
// The carried programs are released.
void Sheet::Impl::place(std::vector<CarriedCell>& items, int col, int row, CellList& touched,
                        std::vector<std::uint32_t>& placed) {
    for (CarriedCell& item : items) {
        const int c = col + item.dCol, r = row + item.dRow;
        if (item.program && inFormulaArea(c, r)) {
            Program* program = checkedAt(pool, scratch, item.program, c, r);
            placed.push_back(placeFormula(c, r, program));
            touched.emplace_back(c, r);
        } else if (!item.program && inSheet(c, r)) {
            placeConstant(c, r, std::move(item.value));
            touched.emplace_back(c, r);
        }
        if (item.program) pool.release(item.program);
        item.program = nullptr;
    }
}

void Sheet::Impl::finishBlocks(const CellList& touched, std::span<const std::uint32_t> placed) {
    for (const auto& [col, row] : touched)
        markReadersDirty(col, row);
    if (autoRecalc)
        runPass(PassKind::All, {});
    else if (!placed.empty())
        runPass(PassKind::Roots, placed);
}

void Sheet::Impl::copyRange(const RangeRef& source, int destCol, int destRow) {
    const RangeRef from = normalizedBlock(source, maxCols, maxRows);
    destCol = headerToZero(destCol);
    destRow = headerToZero(destRow);
    if (isEmptyBlock(from) || !inSheet(destCol, destRow)) return;
    std::vector<CarriedCell> items = carry(from);
    const RangeRef to = normalizedBlock(
        RangeRef{destCol, destRow, destCol + from.cols() - 1, destRow + from.rows() - 1}, maxCols,
        maxRows);
    CellList touched;
    std::vector<std::uint32_t> placed;
    clearBlock(to, touched);
    place(items, destCol, destRow, touched, placed);
    finishBlocks(touched, placed);
}

void Sheet::Impl::swapRanges(const RangeRef& source, int destCol, int destRow) {
    const RangeRef a = normalizedBlock(source, maxCols, maxRows);
    destCol = headerToZero(destCol);
    destRow = headerToZero(destRow);
    if (isEmptyBlock(a) || !inSheet(destCol, destRow)) return;
    const RangeRef b =
        normalizedBlock(RangeRef{destCol, destRow, destCol + a.cols() - 1, destRow + a.rows() - 1},
                        maxCols, maxRows);
    std::vector<CarriedCell> fromA = carry(a);
    std::vector<CarriedCell> fromB = carry(b);
    CellList touched;
    std::vector<std::uint32_t> placed;
    clearBlock(a, touched);
    clearBlock(b, touched);
    place(fromB, a.col1, a.row1, touched, placed);
    place(fromA, destCol, destRow, touched, placed);
    finishBlocks(touched, placed);
}

void Sheet::Impl::clearRange(const RangeRef& range) {
    const RangeRef block = normalizedBlock(range, maxCols, maxRows);
    if (isEmptyBlock(block)) return;
    CellList touched;
    clearBlock(block, touched);
    finishBlocks(touched, {});
}

void Sheet::Impl::clearAll() {
    ++epoch;
    stats.clear();
    for (std::uint32_t id = 1; id < formulas.size(); ++id)
        freeFormula(id, false);
    cells.clear();
    deps.clear();
    dirtyList.clear();
    volatileList.clear();
    customs.clear();
    if (passDepth == 0) {
        // No pass holds formula ids: start numbering afresh.
        formulas.resize(1);
        states.resize(1);
        freeIds.clear();
    }
}

// --- size

void Sheet::Impl::setMaxRows(int rows) {
    rows = std::clamp(rows, 0, kRowLimit);
    CellList touched;
    if (rows < maxRows) clearBlock(RangeRef{0, rows + 1, kColLimit, kRowLimit}, touched);
    maxRows = rows;
    finishBlocks(touched, {});
}

void Sheet::Impl::setMaxCols(int cols) {
    cols = std::clamp(cols, 0, kColLimit);
    CellList touched;
    if (cols < maxCols) clearBlock(RangeRef{cols + 1, 0, kColLimit, kRowLimit}, touched);
    maxCols = cols;
    finishBlocks(touched, {});
}

} // namespace gridx
