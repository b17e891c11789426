// The storage behind SheetFormat: a pool of shared layer records and the layers that point
// into it, tags, spans and sizes. Shared by the format model's source files.
#pragma once

#include "grid/Format.h"

#include <cstdint>
#include <map>
#include <set>
#include <unordered_map>
#include <vector>

namespace gridx {

// Layer records shared between cells that look alike. Id 0 is the empty layer.
class LayerPool {
public:
    LayerPool();
    const FormatLayer& at(std::uint32_t id) const { return layers_[id]; }
    // The id of a record equal to `layer`, adding it when it is new.
    std::uint32_t intern(const FormatLayer& layer);
    std::size_t size() const { return layers_.size(); }

private:
    std::vector<FormatLayer> layers_;
    std::unordered_multimap<std::size_t, std::uint32_t> index_;
};

// A hash of every field that tells cell types apart.
std::size_t hashCellType(const CellType& type);

// Key of a cell that orders row by row, left to right.
inline std::uint64_t cellKey(int col, int row) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(row)) << 32) |
           static_cast<std::uint32_t>(col);
}
inline int keyCol(std::uint64_t key) {
    return static_cast<int>(static_cast<std::uint32_t>(key & 0xFFFFFFFFu));
}
inline int keyRow(std::uint64_t key) {
    return static_cast<int>(static_cast<std::uint32_t>(key >> 32));
}

struct FormatStore {
    int maxCols = 0;
    int maxRows = 0;

    LayerPool pool;
    std::uint32_t sheet = 0;
    std::map<int, std::uint32_t> cols;
    std::map<int, std::uint32_t> rows;
    // Cell layers by column, then row; 0 = none. A column's vector ends at its last entry.
    std::vector<std::vector<std::uint32_t>> cells;

    std::map<std::uint64_t, std::wstring> tags;
    // Spans by anchor, and every covered cell's anchor.
    std::map<std::uint64_t, Span> spans;
    std::unordered_map<std::uint64_t, std::uint64_t> covered;

    double defaultColWidth = kDefaultColWidth;
    double defaultRowHeight = kDefaultRowHeight;
    std::map<int, double> colWidths;
    std::map<int, double> rowHeights;
    std::set<int> hiddenRows;

    bool inSheet(int col, int row) const {
        return col >= 0 && col <= maxCols && row >= 0 && row <= maxRows;
    }
    std::uint32_t cellId(int col, int row) const;
    void setCellId(int col, int row, std::uint32_t id);
    // Changes one cell's layer through `change`; empty results are dropped.
    template <typename Change>
    void editCell(int col, int row, Change change) {
        FormatLayer layer = pool.at(cellId(col, row));
        change(layer);
        setCellId(col, row, pool.intern(layer));
    }
    std::uint32_t layerId(const std::map<int, std::uint32_t>& layers, int index) const;
    void setLayerId(std::map<int, std::uint32_t>& layers, int index, std::uint32_t id);

    // The fully resolved attributes of a cell, as a layer that sets all of them.
    FormatLayer resolved(int col, int row) const;

    // Marks (or unmarks) the span's cells as covered by its anchor.
    void cover(const Span& span, bool on);
    void rebuildCoverage();
    bool spanFits(const Span& span, std::uint64_t ignoreAnchor) const;
    // Drops everything outside 0..maxCols x 0..maxRows.
    void truncate();
};

// Cuts a span to the sheet; false when fewer than two cells remain.
bool clipSpan(Span& span, int maxCols, int maxRows);

} // namespace gridx
