// Writes a document in the sheet text format, in canonical order: size, sheet defaults,
// columns, rows, spans, blocks of equal cell formats, then cell contents and tags, each group
// sorted by position. Equal runs of columns, rows and cell formats are merged into ranges.

#include "file/SheetAddress.h"
#include "file/SheetFormatKeys.h"
#include "file/SheetTextValues.h"
#include "grid/SheetFile.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace gridx {

namespace sheetfile {
namespace {

constexpr std::uint32_t kNoLayer = UINT32_MAX;

// Distinct format layers by their written keys. The written form is canonical, so equal texts
// stand for layers that read back equal.
class LayerPalette {
public:
    std::uint32_t add(const FormatLayer& layer) {
        if (layer.empty()) return kNoLayer;
        std::string keys;
        appendFormatKeys(keys, layer);
        auto [it, added] = index_.try_emplace(std::move(keys), 0);
        if (added) {
            it->second = static_cast<std::uint32_t>(keys_.size());
            keys_.push_back(&it->first);
        }
        return it->second;
    }
    void append(std::string& out, std::uint32_t layer) const {
        if (layer != kNoLayer) out += *keys_[layer];
    }

private:
    std::unordered_map<std::string, std::uint32_t> index_;
    std::vector<const std::string*> keys_;
};

// What the record of one column or row carries.
struct LineEntry {
    int index = 0;
    std::optional<double> size;
    bool hidden = false;
    std::uint32_t layer = kNoLayer;

    bool sameLook(const LineEntry& other) const {
        return size == other.size && hidden == other.hidden && layer == other.layer;
    }
};

struct CellEntry {
    int row = 0;
    int col = 0;
    std::uint32_t layer = kNoLayer;
};

struct Block {
    RangeRef range;
    std::uint32_t layer = kNoLayer;
};

// Sizes of a file are finite; anything else is left out.
std::optional<double> finiteSize(double units) {
    if (!std::isfinite(units)) return std::nullopt;
    return units;
}

// Sorts the entries by index and folds entries of the same index into one.
std::vector<LineEntry> foldEntries(std::vector<LineEntry> entries) {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const LineEntry& a, const LineEntry& b) { return a.index < b.index; });
    std::vector<LineEntry> folded;
    for (const LineEntry& entry : entries) {
        if (folded.empty() || folded.back().index != entry.index) {
            folded.push_back(entry);
            continue;
        }
        LineEntry& into = folded.back();
        if (entry.size) into.size = entry.size;
        into.hidden = into.hidden || entry.hidden;
        if (entry.layer != kNoLayer) into.layer = entry.layer;
    }
    return folded;
}

// Merges horizontal runs of equal layers, then stacks equal runs of consecutive rows. Blocks
// come out ordered by their top-left cell, row first.
std::vector<Block> mergeBlocks(std::vector<CellEntry> cells) {
    std::sort(cells.begin(), cells.end(), [](const CellEntry& a, const CellEntry& b) {
        return std::tie(a.row, a.col) < std::tie(b.row, b.col);
    });
    using RunKey = std::tuple<int, int, std::uint32_t>;
    std::vector<Block> blocks;
    std::map<RunKey, std::size_t> open, next;
    for (std::size_t i = 0; i < cells.size();) {
        const CellEntry& first = cells[i];
        std::size_t end = i + 1;
        while (end < cells.size() && cells[end].row == first.row &&
               cells[end].col == cells[end - 1].col + 1 && cells[end].layer == first.layer)
            ++end;
        RunKey key{first.col, cells[end - 1].col, first.layer};
        auto found = open.find(key);
        if (found != open.end() && blocks[found->second].range.row2 == first.row - 1) {
            blocks[found->second].range.row2 = first.row;
            next[key] = found->second;
        } else {
            blocks.push_back(
                Block{RangeRef{first.col, first.row, cells[end - 1].col, first.row}, first.layer});
            next[key] = blocks.size() - 1;
        }
        i = end;
        if (i == cells.size() || cells[i].row != first.row) {
            open.swap(next);
            next.clear();
        }
    }
    return blocks;
}

class SheetWriter {
public:
    explicit SheetWriter(const Document& doc) : sheet_(doc.sheet), format_(doc.format) {}
    std::string text();

private:
    void writeSheetDefaults();
    void writeColumns();
    void writeRows();
    void writeLines(const char* record, const char* sizeKey, const std::vector<LineEntry>& lines,
                    std::string (*name)(int));
    void writeSpans();
    void writeFormats();
    void writeCells();
    void appendContent(int col, int row);

    const Sheet& sheet_;
    const SheetFormat& format_;
    LayerPalette palette_;
    std::string out_;
};

std::string SheetWriter::text() {
    out_ = "gridsheet version=" + std::to_string(kSheetFileVersion) + "\n";
    out_ += "size cols=" + std::to_string(sheet_.maxCols()) +
            " rows=" + std::to_string(sheet_.maxRows()) + "\n";
    writeSheetDefaults();
    writeColumns();
    writeRows();
    writeSpans();
    writeFormats();
    writeCells();
    return std::move(out_);
}

void SheetWriter::writeSheetDefaults() {
    std::string keys;
    auto width = finiteSize(format_.defaultColWidth());
    auto height = finiteSize(format_.defaultRowHeight());
    if (width && *width != kDefaultColWidth) appendNumberKey(keys, "width", *width);
    if (height && *height != kDefaultRowHeight) appendNumberKey(keys, "height", *height);
    appendFormatKeys(keys, format_.sheetLayer());
    if (!keys.empty()) out_ += "sheet" + keys + "\n";
}

void SheetWriter::writeColumns() {
    std::vector<LineEntry> entries;
    format_.forEachColWidth([&](int col, double units) {
        if (auto size = finiteSize(units)) entries.push_back(LineEntry{col, size, false, kNoLayer});
    });
    format_.forEachColLayer([&](int col, const FormatLayer& layer) {
        if (!layer.empty()) entries.push_back(LineEntry{col, {}, false, palette_.add(layer)});
    });
    writeLines("col", "width", foldEntries(std::move(entries)), columnName);
}

std::string rowName(int row) {
    return std::to_string(row);
}

void SheetWriter::writeRows() {
    std::vector<LineEntry> entries;
    format_.forEachRowHeight([&](int row, double units) {
        if (auto size = finiteSize(units)) entries.push_back(LineEntry{row, size, false, kNoLayer});
    });
    format_.forEachHiddenRow([&](int row) {
        entries.push_back(LineEntry{row, {}, true, kNoLayer});
    });
    format_.forEachRowLayer([&](int row, const FormatLayer& layer) {
        if (!layer.empty()) entries.push_back(LineEntry{row, {}, false, palette_.add(layer)});
    });
    writeLines("row", "height", foldEntries(std::move(entries)), rowName);
}

// One record per run of consecutive columns or rows that look the same.
void SheetWriter::writeLines(const char* record, const char* sizeKey,
                             const std::vector<LineEntry>& lines, std::string (*name)(int)) {
    for (std::size_t i = 0; i < lines.size();) {
        std::size_t end = i + 1;
        while (end < lines.size() && lines[end].index == lines[end - 1].index + 1 &&
               lines[end].sameLook(lines[i]))
            ++end;
        const LineEntry& entry = lines[i];
        out_ += record;
        out_.append(" ").append(name(entry.index));
        if (end - i > 1) out_.append(":").append(name(lines[end - 1].index));
        if (entry.size) appendNumberKey(out_, sizeKey, *entry.size);
        if (entry.hidden) appendFlagKey(out_, "hidden", true);
        palette_.append(out_, entry.layer);
        out_ += "\n";
        i = end;
    }
}

void SheetWriter::writeSpans() {
    std::vector<Span> spans;
    format_.forEachSpan([&](const Span& span) { spans.push_back(span); });
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) {
        return std::tie(a.row, a.col) < std::tie(b.row, b.col);
    });
    for (const Span& span : spans)
        out_ += "span " +
                rangeName(RangeRef{span.col, span.row, span.col + span.cols - 1,
                                   span.row + span.rows - 1}) +
                "\n";
}

void SheetWriter::writeFormats() {
    std::vector<CellEntry> cells;
    format_.forEachCellLayer([&](int col, int row, const FormatLayer& layer) {
        if (!layer.empty()) cells.push_back(CellEntry{row, col, palette_.add(layer)});
    });
    for (const Block& block : mergeBlocks(std::move(cells))) {
        out_ += "format " + rangeName(block.range);
        palette_.append(out_, block.layer);
        out_ += "\n";
    }
}

void SheetWriter::writeCells() {
    std::vector<CellRef> cells;
    sheet_.forEachCell([&](int col, int row) { cells.push_back(CellRef{col, row}); });
    format_.forEachTag([&](int col, int row, std::wstring_view) {
        cells.push_back(CellRef{col, row});
    });
    std::sort(cells.begin(), cells.end(), [](const CellRef& a, const CellRef& b) {
        return std::tie(a.row, a.col) < std::tie(b.row, b.col);
    });
    cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
    for (const CellRef& cell : cells) {
        std::size_t start = out_.size();
        out_ += "cell " + cellName(cell.col, cell.row);
        std::size_t bare = out_.size();
        appendContent(cell.col, cell.row);
        std::wstring_view tag = format_.tag(cell.col, cell.row);
        if (!tag.empty()) appendTextKey(out_, "tag", tag);
        if (out_.size() == bare)
            out_.resize(start);
        else
            out_ += "\n";
    }
}

void SheetWriter::appendContent(int col, int row) {
    if (sheet_.hasFormula(col, row)) {
        appendTextKey(out_, "formula", sheet_.formulaText(col, row, RefStyle::A1));
        return;
    }
    const Value& value = sheet_.value(col, row);
    switch (value.kind()) {
    case ValueKind::Empty:
        return;
    case ValueKind::Number:
        if (!std::isfinite(value.asNumber())) break;
        appendNumberKey(out_, "number", value.asNumber());
        return;
    case ValueKind::Boolean:
        appendWordKey(out_, "bool", value.asBoolean() ? L"TRUE" : L"FALSE");
        return;
    case ValueKind::Text:
        appendTextKey(out_, "text", value.asText());
        return;
    case ValueKind::Error:
        break;
    }
    // Errors, and numbers a file cannot hold, which show as #NUM!.
    appendWordKey(out_, "error", value.isError() ? errorText(value.asError()) : L"#NUM!");
}

} // namespace
} // namespace sheetfile

std::string sheetText(const Document& doc) {
    return sheetfile::SheetWriter(doc).text();
}

} // namespace gridx
