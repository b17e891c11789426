// The format model: layered attributes, tags, spans and sizes.
#include "FormatStore.h"

#include <algorithm>

namespace gridx {

namespace {

constexpr int kDefaultMaxCols = 500;
constexpr int kDefaultMaxRows = 500;
// Largest count the model accepts; matches what an index can address.
constexpr int kMaxCount = 2000000000;

int headerToZero(int index) {
    return index == kHeader ? 0 : index;
}

const CellType& defaultType() {
    static const CellType type;
    return type;
}

const CellFont& defaultFont() {
    static const CellFont font;
    return font;
}

// A block with its header indices mapped to 0 and its corners in order.
RangeRef normalized(const RangeRef& block) {
    RangeRef r{headerToZero(block.col1), headerToZero(block.row1), headerToZero(block.col2),
               headerToZero(block.row2)};
    if (r.col1 > r.col2) std::swap(r.col1, r.col2);
    if (r.row1 > r.row2) std::swap(r.row1, r.row2);
    return r;
}

bool allCols(const RangeRef& block) {
    return block.col1 == kAll || block.col2 == kAll;
}

bool allRows(const RangeRef& block) {
    return block.row1 == kAll || block.row2 == kAll;
}

} // namespace

// ---- Store helpers--------------------------------------------------------------------------

std::uint32_t FormatStore::cellId(int col, int row) const {
    if (col < 0 || row < 0 || static_cast<std::size_t>(col) >= cells.size()) return 0;
    const auto& column = cells[static_cast<std::size_t>(col)];
    return static_cast<std::size_t>(row) < column.size() ? column[static_cast<std::size_t>(row)]
                                                         : 0;
}

void FormatStore::setCellId(int col, int row, std::uint32_t id) {
    if (!inSheet(col, row)) return;
    const auto c = static_cast<std::size_t>(col);
    const auto r = static_cast<std::size_t>(row);
    if (id == 0 && (c >= cells.size() || r >= cells[c].size())) return;
    if (c >= cells.size()) cells.resize(c + 1);
    auto& column = cells[c];
    if (r >= column.size()) column.resize(r + 1, 0);
    column[r] = id;
    if (id == 0) {
        while (!column.empty() && column.back() == 0)
            column.pop_back();
    }
}

std::uint32_t FormatStore::layerId(const std::map<int, std::uint32_t>& layers, int index) const {
    auto it = layers.find(index);
    return it == layers.end() ? 0 : it->second;
}

void FormatStore::setLayerId(std::map<int, std::uint32_t>& layers, int index, std::uint32_t id) {
    if (id == 0) {
        layers.erase(index);
    } else {
        layers[index] = id;
    }
}

FormatLayer FormatStore::resolved(int col, int row) const {
    const FormatLayer* order[] = {&pool.at(cellId(col, row)), &pool.at(layerId(rows, row)),
                                  &pool.at(layerId(cols, col)), &pool.at(sheet)};
    FormatLayer result;
    for (auto it = std::rbegin(order); it != std::rend(order); ++it)
        result.merge(**it);
    if (!result.type) result.type = defaultType();
    if (!result.locked) result.locked = false;
    if (!result.backColor) result.backColor = kDefaultBackColor;
    if (!result.foreColor) result.foreColor = kDefaultForeColor;
    if (!result.font) result.font = defaultFont();
    if (!result.border) result.border = Border{};
    return result;
}

// ---- Construction -----------------------------------------------------------------------------

SheetFormat::SheetFormat() : impl_(std::make_unique<FormatStore>()) {
    impl_->maxCols = kDefaultMaxCols;
    impl_->maxRows = kDefaultMaxRows;
}

SheetFormat::~SheetFormat() = default;
SheetFormat::SheetFormat(const SheetFormat& other)
    : impl_(std::make_unique<FormatStore>(*other.impl_)) {}
SheetFormat& SheetFormat::operator=(const SheetFormat& other) {
    if (this != &other) impl_ = std::make_unique<FormatStore>(*other.impl_);
    return *this;
}
SheetFormat::SheetFormat(SheetFormat&&) noexcept = default;
SheetFormat& SheetFormat::operator=(SheetFormat&&) noexcept = default;

int SheetFormat::maxCols() const {
    return impl_->maxCols;
}

int SheetFormat::maxRows() const {
    return impl_->maxRows;
}

void SheetFormat::setMaxCols(int cols) {
    impl_->maxCols = std::clamp(cols, 0, kMaxCount);
    impl_->truncate();
}

void SheetFormat::setMaxRows(int rows) {
    impl_->maxRows = std::clamp(rows, 0, kMaxCount);
    impl_->truncate();
}

// ---- Lookup -----------------------------------------------------------------------------------

CellFormat SheetFormat::cell(int col, int row) const {
    col = headerToZero(col);
    row = headerToZero(row);
    CellFormat out;
    if (!impl_->inSheet(col, row)) return out;
    FormatLayer layer = impl_->resolved(col, row);
    out.type = std::move(*layer.type);
    out.locked = *layer.locked;
    out.backColor = *layer.backColor;
    out.foreColor = *layer.foreColor;
    out.font = std::move(*layer.font);
    out.border = *layer.border;
    return out;
}

const CellType& SheetFormat::cellType(int col, int row) const {
    col = headerToZero(col);
    row = headerToZero(row);
    if (!impl_->inSheet(col, row)) return defaultType();
    const FormatStore& m = *impl_;
    for (std::uint32_t id :
         {m.cellId(col, row), m.layerId(m.rows, row), m.layerId(m.cols, col), m.sheet}) {
        if (const auto& type = m.pool.at(id).type) return *type;
    }
    return defaultType();
}

bool SheetFormat::locked(int col, int row) const {
    col = headerToZero(col);
    row = headerToZero(row);
    if (!impl_->inSheet(col, row)) return false;
    const FormatStore& m = *impl_;
    for (std::uint32_t id :
         {m.cellId(col, row), m.layerId(m.rows, row), m.layerId(m.cols, col), m.sheet}) {
        if (const auto& lock = m.pool.at(id).locked) return *lock;
    }
    return false;
}

// ---- Changes ----------------------------------------------------------------------------------

namespace {

void unsetInCellRange(FormatStore& m, int col, int row1, int row2, const FormatLayer& mask) {
    if (col < 0 || static_cast<std::size_t>(col) >= m.cells.size()) return;
    const int last =
        std::min(row2, static_cast<int>(m.cells[static_cast<std::size_t>(col)].size()) - 1);
    for (int row = std::max(row1, 0); row <= last; ++row) {
        if (m.cellId(col, row) != 0) m.editCell(col, row, [&](FormatLayer& l) { l.unset(mask); });
    }
}

void applyToSheet(FormatStore& m, const FormatLayer& patch) {
    FormatLayer sheet = m.pool.at(m.sheet);
    sheet.merge(patch);
    m.sheet = m.pool.intern(sheet);
    for (auto* layers : {&m.cols, &m.rows}) {
        for (auto it = layers->begin(); it != layers->end();) {
            FormatLayer layer = m.pool.at(it->second);
            layer.unset(patch);
            it->second = m.pool.intern(layer);
            it = it->second == 0 ? layers->erase(it) : std::next(it);
        }
    }
    for (int col = 0; col < static_cast<int>(m.cells.size()); ++col)
        unsetInCellRange(m, col, 0, m.maxRows, patch);
}

void applyToColumn(FormatStore& m, int col, const FormatLayer& patch) {
    FormatLayer layer = m.pool.at(m.layerId(m.cols, col));
    layer.merge(patch);
    m.setLayerId(m.cols, col, m.pool.intern(layer));
    unsetInCellRange(m, col, 0, m.maxRows, patch);
    // Row layers outrank column layers: where a row sets the same attributes, the cell takes
    // the new value so that the column change still shows.
    for (const auto& [row, id] : m.rows) {
        FormatLayer rowLayer = m.pool.at(id);
        FormatLayer overlap = patch;
        if (!rowLayer.type) overlap.type.reset();
        if (!rowLayer.locked) overlap.locked.reset();
        if (!rowLayer.backColor) overlap.backColor.reset();
        if (!rowLayer.foreColor) overlap.foreColor.reset();
        if (!rowLayer.font) overlap.font.reset();
        if (!rowLayer.border) overlap.border.reset();
        if (!overlap.empty() && row <= m.maxRows)
            m.editCell(col, row, [&](FormatLayer& l) { l.merge(overlap); });
    }
}

void applyToRow(FormatStore& m, int row, const FormatLayer& patch) {
    FormatLayer layer = m.pool.at(m.layerId(m.rows, row));
    layer.merge(patch);
    m.setLayerId(m.rows, row, m.pool.intern(layer));
    for (int col = 0; col < static_cast<int>(m.cells.size()); ++col)
        unsetInCellRange(m, col, row, row, patch);
}

} // namespace

void SheetFormat::apply(const RangeRef& block, const FormatLayer& patch) {
    if (patch.empty()) return;
    FormatStore& m = *impl_;
    const RangeRef r = normalized(block);
    const bool everyCol = allCols(block);
    const bool everyRow = allRows(block);
    if (everyCol && everyRow) return applyToSheet(m, patch);
    if (everyRow) {
        for (int col = std::max(r.col1, 0); col <= std::min(r.col2, m.maxCols); ++col)
            applyToColumn(m, col, patch);
        return;
    }
    if (everyCol) {
        for (int row = std::max(r.row1, 0); row <= std::min(r.row2, m.maxRows); ++row)
            applyToRow(m, row, patch);
        return;
    }
    for (int col = std::max(r.col1, 0); col <= std::min(r.col2, m.maxCols); ++col) {
        for (int row = std::max(r.row1, 0); row <= std::min(r.row2, m.maxRows); ++row)
            m.editCell(col, row, [&](FormatLayer& l) { l.merge(patch); });
    }
}

void SheetFormat::setCellType(const RangeRef& block, const CellType& type) {
    FormatLayer patch;
    patch.type = type;
    apply(block, patch);
}

void SheetFormat::setLocked(const RangeRef& block, bool locked) {
    FormatLayer patch;
    patch.locked = locked;
    apply(block, patch);
}

void SheetFormat::setColors(const RangeRef& block, std::optional<Color> back,
                            std::optional<Color> fore) {
    FormatLayer patch;
    patch.backColor = back;
    patch.foreColor = fore;
    apply(block, patch);
}

void SheetFormat::setFont(const RangeRef& block, const CellFont& font) {
    FormatLayer patch;
    patch.font = font;
    apply(block, patch);
}

void SheetFormat::setBorder(const RangeRef& block, const Border& border) {
    FormatLayer patch;
    patch.border = border;
    apply(block, patch);
}

// ---- Tags ------------------------------------------------------------------------------------

void SheetFormat::setTag(int col, int row, std::wstring_view tag) {
    col = headerToZero(col);
    row = headerToZero(row);
    if (!impl_->inSheet(col, row)) return;
    if (tag.empty()) {
        impl_->tags.erase(cellKey(col, row));
    } else {
        impl_->tags[cellKey(col, row)] = std::wstring(tag);
    }
}

std::wstring_view SheetFormat::tag(int col, int row) const {
    col = headerToZero(col);
    row = headerToZero(row);
    if (!impl_->inSheet(col, row)) return {};
    auto it = impl_->tags.find(cellKey(col, row));
    return it == impl_->tags.end() ? std::wstring_view() : std::wstring_view(it->second);
}

void SheetFormat::forEachTag(FunctionRef<void(int, int, std::wstring_view)> visit) const {
    for (const auto& [key, text] : impl_->tags)
        visit(keyCol(key), keyRow(key), text);
}

// ---- Sizes -----------------------------------------------------------------------------------

namespace {

double sane(double units) {
    return units > 0.0 ? std::min(units, 100000.0) : 0.0;
}

} // namespace

double SheetFormat::colWidth(int col) const {
    auto it = impl_->colWidths.find(headerToZero(col));
    return it == impl_->colWidths.end() ? impl_->defaultColWidth : it->second;
}

void SheetFormat::setColWidth(int col, double units) {
    if (col == kAll) {
        impl_->defaultColWidth = sane(units);
        impl_->colWidths.clear();
        return;
    }
    col = headerToZero(col);
    if (col >= 0 && col <= impl_->maxCols) impl_->colWidths[col] = sane(units);
}

double SheetFormat::rowHeight(int row) const {
    auto it = impl_->rowHeights.find(headerToZero(row));
    return it == impl_->rowHeights.end() ? impl_->defaultRowHeight : it->second;
}

void SheetFormat::setRowHeight(int row, double units) {
    if (row == kAll) {
        impl_->defaultRowHeight = sane(units);
        impl_->rowHeights.clear();
        return;
    }
    row = headerToZero(row);
    if (row >= 0 && row <= impl_->maxRows) impl_->rowHeights[row] = sane(units);
}

double SheetFormat::defaultColWidth() const {
    return impl_->defaultColWidth;
}

double SheetFormat::defaultRowHeight() const {
    return impl_->defaultRowHeight;
}

void SheetFormat::forEachColWidth(FunctionRef<void(int, double)> visit) const {
    for (const auto& [col, units] : impl_->colWidths)
        visit(col, units);
}

void SheetFormat::forEachRowHeight(FunctionRef<void(int, double)> visit) const {
    for (const auto& [row, units] : impl_->rowHeights)
        visit(row, units);
}

bool SheetFormat::rowHidden(int row) const {
    return impl_->hiddenRows.count(headerToZero(row)) != 0;
}

void SheetFormat::setRowHidden(int row, bool hidden) {
    row = headerToZero(row);
    if (row < 0 || row > impl_->maxRows) return;
    if (hidden) {
        impl_->hiddenRows.insert(row);
    } else {
        impl_->hiddenRows.erase(row);
    }
}

void SheetFormat::forEachHiddenRow(FunctionRef<void(int)> visit) const {
    for (int row : impl_->hiddenRows)
        visit(row);
}

// ---- Layers as stored -------------------------------------------------------------------------

const FormatLayer& SheetFormat::sheetLayer() const {
    return impl_->pool.at(impl_->sheet);
}

void SheetFormat::setSheetLayer(const FormatLayer& layer) {
    impl_->sheet = impl_->pool.intern(layer);
}

void SheetFormat::forEachColLayer(FunctionRef<void(int, const FormatLayer&)> visit) const {
    for (const auto& [col, id] : impl_->cols)
        visit(col, impl_->pool.at(id));
}

void SheetFormat::forEachRowLayer(FunctionRef<void(int, const FormatLayer&)> visit) const {
    for (const auto& [row, id] : impl_->rows)
        visit(row, impl_->pool.at(id));
}

void SheetFormat::forEachCellLayer(FunctionRef<void(int, int, const FormatLayer&)> visit) const {
    std::vector<std::pair<std::uint64_t, std::uint32_t>> entries;
    for (std::size_t col = 0; col < impl_->cells.size(); ++col) {
        const auto& column = impl_->cells[col];
        for (std::size_t row = 0; row < column.size(); ++row) {
            if (column[row] != 0)
                entries.emplace_back(cellKey(static_cast<int>(col), static_cast<int>(row)),
                                     column[row]);
        }
    }
    std::sort(entries.begin(), entries.end());
    for (const auto& [key, id] : entries)
        visit(keyCol(key), keyRow(key), impl_->pool.at(id));
}

void SheetFormat::setColLayer(int col, const FormatLayer& layer) {
    col = headerToZero(col);
    if (col >= 0 && col <= impl_->maxCols)
        impl_->setLayerId(impl_->cols, col, impl_->pool.intern(layer));
}

void SheetFormat::setRowLayer(int row, const FormatLayer& layer) {
    row = headerToZero(row);
    if (row >= 0 && row <= impl_->maxRows)
        impl_->setLayerId(impl_->rows, row, impl_->pool.intern(layer));
}

void SheetFormat::setCellLayer(int col, int row, const FormatLayer& layer) {
    impl_->setCellId(headerToZero(col), headerToZero(row), impl_->pool.intern(layer));
}

} // namespace gridx
