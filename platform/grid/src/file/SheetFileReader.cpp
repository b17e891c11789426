// Reads the sheet text format into a document. Records apply in file order, each like the
// control call it stands for; the canonical order (size, sheet, columns, rows, spans, formats,
// cells) makes a written file read back to the same document.

#include "file/RecordView.h"
#include "file/SheetAddress.h"
#include "file/SheetFormatKeys.h"
#include "file/SheetTextLexer.h"
#include "grid/SheetFile.h"

#include <algorithm>
#include <array>
#include <exception>
#include <new>

namespace gridx {

namespace sheetfile {
namespace {

// Cells, rows and columns that ranges of a file may touch one by one, in all: cells of formats
// and spans, rows and columns of "row" and "col" records. It bounds the work and memory a
// small file can ask for; documents of realistic size stay far below it.
constexpr std::int64_t kMaxRangeWork = 4'000'000;

constexpr std::array<const char*, 5> kContentKeys = {"text", "number", "bool", "error", "formula"};

class SheetReader {
public:
    std::unique_ptr<Document> read(std::string_view text, std::wstring& problem);

private:
    bool readLine(std::string_view line, std::wstring& problem);
    bool readRecord(RecordView& view);
    bool readHeader(RecordView& view);
    bool readSize(RecordView& view);
    bool readSheet(RecordView& view);
    bool readColumns(RecordView& view);
    bool readRows(RecordView& view);
    bool readSpan(RecordView& view);
    bool readFormat(RecordView& view);
    bool readCell(RecordView& view);
    bool readContent(RecordView& view, const CellRef& cell);
    bool setFormula(RecordView& view, const CellRef& cell, const std::wstring& formula);

    const std::wstring* address(RecordView& view, std::wstring_view example);
    bool noPositional(RecordView& view);
    bool inside(RecordView& view, const RangeRef& block, const std::wstring& text);
    bool spend(RecordView& view, std::int64_t units);
    bool applyFormat(RecordView& view, const RangeRef& block, const FormatLayer& patch);
    std::int64_t formatCost(const RangeRef& block) const;
    std::wstring sizeText() const;

    std::unique_ptr<Document> doc_ = std::make_unique<Document>();
    bool sawHeader_ = false;
    bool sawSize_ = false;
    std::int64_t work_ = 0;
    // What the format model holds so far, for the cost of the next change: rows and columns
    // given layers, cells given formats, and the columns those cells reach.
    std::int64_t rowLayers_ = 0;
    std::int64_t colLayers_ = 0;
    std::int64_t cellLayers_ = 0;
    std::int64_t cellCols_ = 0;
};

std::unique_ptr<Document> SheetReader::read(std::string_view text, std::wstring& problem) {
    const bool autoRecalc = doc_->sheet.autoRecalc();
    doc_->sheet.setAutoRecalc(false);
    LineReader lines(text);
    std::string_view line;
    std::size_t number = 0, last = 1;
    while (lines.next(line, number)) {
        last = number;
        if (isEmptyLine(line)) continue;
        if (!readLine(line, problem)) {
            problem = L"line " + std::to_wstring(number) + L": " + problem;
            return nullptr;
        }
    }
    if (!sawHeader_ || !sawSize_) {
        problem = L"line " + std::to_wstring(last) + L": " +
                  (sawHeader_ ? std::wstring(L"the 'size' record is missing")
                              : std::wstring(L"not a grid sheet file: it must begin with "
                                             L"'gridsheet version=1'"));
        return nullptr;
    }
    doc_->sheet.recalc();
    doc_->sheet.setAutoRecalc(autoRecalc);
    return std::move(doc_);
}

bool SheetReader::readLine(std::string_view line, std::wstring& problem) {
    Record record;
    if (!parseRecord(line, record, problem)) return false;
    RecordView view(record);
    if (!readRecord(view) || !view.finish()) {
        problem = view.problem();
        return false;
    }
    return true;
}

bool SheetReader::readRecord(RecordView& view) {
    using Read = bool (SheetReader::*)(RecordView&);
    struct Kind {
        std::string_view name;
        Read read;
    };
    static constexpr std::array<Kind, 8> kKinds = {{
        {"gridsheet", &SheetReader::readHeader},
        {"size", &SheetReader::readSize},
        {"sheet", &SheetReader::readSheet},
        {"col", &SheetReader::readColumns},
        {"row", &SheetReader::readRows},
        {"span", &SheetReader::readSpan},
        {"format", &SheetReader::readFormat},
        {"cell", &SheetReader::readCell},
    }};
    const std::string& name = view.name();
    if (!sawHeader_ && name != "gridsheet")
        return view.fail(L"not a grid sheet file: it must begin with 'gridsheet version=1'");
    auto kind =
        std::find_if(kKinds.begin(), kKinds.end(), [&](const Kind& k) { return k.name == name; });
    if (kind == kKinds.end()) return view.fail(L"unknown record '" + widen(name) + L"'");
    if (!sawSize_ && kind->name != "gridsheet" && kind->name != "size")
        return view.fail(L"'size' must come before '" + widen(name) + L"'");
    return (this->*kind->read)(view);
}

bool SheetReader::readHeader(RecordView& view) {
    if (sawHeader_) return view.fail(L"'gridsheet' is given twice");
    sawHeader_ = true;
    if (!noPositional(view)) return false;
    if (!view.has("version")) return view.fail(L"'gridsheet' needs a version");
    auto version = view.takeInteger("version", 0, INT32_MAX);
    if (!version) return false;
    if (*version != kSheetFileVersion)
        return view.fail(L"version " + std::to_wstring(*version) +
                         L" is not supported (this program reads version " +
                         std::to_wstring(kSheetFileVersion) + L")");
    return true;
}

bool SheetReader::readSize(RecordView& view) {
    if (sawSize_) return view.fail(L"'size' is given twice");
    if (!noPositional(view)) return false;
    if (!view.has("cols") || !view.has("rows"))
        return view.fail(L"'size' needs cols and rows, as in size cols=8 rows=10");
    auto cols = view.takeInteger("cols", 0, kMaxCols);
    auto rows = view.takeInteger("rows", 0, kMaxRows);
    if (!cols || !rows) return false;
    doc_->setMaxCols(static_cast<int>(*cols));
    doc_->setMaxRows(static_cast<int>(*rows));
    sawSize_ = true;
    return true;
}

bool SheetReader::readSheet(RecordView& view) {
    if (!noPositional(view)) return false;
    auto width = view.takeNumber("width");
    auto height = view.takeNumber("height");
    FormatLayer patch;
    if (!readFormatKeys(view, patch)) return false;
    if (width) doc_->format.setColWidth(kAll, *width);
    if (height) doc_->format.setRowHeight(kAll, *height);
    return applyFormat(view, RangeRef{kAll, kAll, kAll, kAll}, patch);
}

bool SheetReader::readColumns(RecordView& view) {
    const std::wstring* text = address(view, L"col B or col B:D");
    if (!text) return false;
    auto span = parseColumnSpan(*text);
    if (!span) return view.fail(L"bad column '" + *text + L"'");
    if (!inside(view, RangeRef{span->first, 0, span->last, 0}, *text)) return false;
    auto width = view.takeNumber("width");
    FormatLayer patch;
    if (!readFormatKeys(view, patch)) return false;
    if (width && !spend(view, span->last - span->first + 1)) return false;
    for (int col = span->first; width && col <= span->last; ++col)
        doc_->format.setColWidth(col, *width);
    return applyFormat(view, RangeRef{span->first, kAll, span->last, kAll}, patch);
}

bool SheetReader::readRows(RecordView& view) {
    const std::wstring* text = address(view, L"row 3 or row 3:5");
    if (!text) return false;
    auto span = parseRowSpan(*text);
    if (!span) return view.fail(L"bad row '" + *text + L"'");
    if (!inside(view, RangeRef{0, span->first, 0, span->last}, *text)) return false;
    auto height = view.takeNumber("height");
    auto hidden = view.takeFlag("hidden");
    FormatLayer patch;
    if (!readFormatKeys(view, patch)) return false;
    const bool sizes = height || hidden;
    if (sizes && !spend(view, span->last - span->first + 1)) return false;
    for (int row = span->first; sizes && row <= span->last; ++row) {
        if (height) doc_->format.setRowHeight(row, *height);
        if (hidden) doc_->format.setRowHidden(row, *hidden);
    }
    return applyFormat(view, RangeRef{kAll, span->first, kAll, span->last}, patch);
}

bool SheetReader::readSpan(RecordView& view) {
    const std::wstring* text = address(view, L"span B2:D3");
    if (!text) return false;
    auto block = parseRange(*text);
    if (!block) return view.fail(L"bad range '" + *text + L"'");
    if (!inside(view, *block, *text)) return false;
    if (!spend(view, std::int64_t{block->cols()} * block->rows())) return false;
    if (!doc_->format.addSpan(block->col1, block->row1, block->cols(), block->rows()))
        return view.fail(L"span " + *text + L" is a single cell or overlaps another span");
    return true;
}

bool SheetReader::readFormat(RecordView& view) {
    const std::wstring* text = address(view, L"format B2:D3");
    if (!text) return false;
    auto block = parseRange(*text);
    if (!block) return view.fail(L"bad range '" + *text + L"'");
    if (!inside(view, *block, *text)) return false;
    FormatLayer patch;
    if (!readFormatKeys(view, patch)) return false;
    return applyFormat(view, *block, patch);
}

bool SheetReader::readCell(RecordView& view) {
    const std::wstring* text = address(view, L"cell B3");
    if (!text) return false;
    auto cell = parseCell(*text);
    if (!cell) {
        if (parseRange(*text)) return view.fail(L"'cell' takes one cell; 'format' takes blocks");
        return view.fail(L"bad cell '" + *text + L"'");
    }
    if (!inside(view, RangeRef{cell->col, cell->row, cell->col, cell->row}, *text)) return false;
    if (!readContent(view, *cell)) return false;
    if (auto tag = view.takeText("tag")) doc_->format.setTag(cell->col, cell->row, *tag);
    FormatLayer patch;
    if (!readFormatKeys(view, patch)) return false;
    return applyFormat(view, RangeRef{cell->col, cell->row, cell->col, cell->row}, patch);
}

bool SheetReader::readContent(RecordView& view, const CellRef& cell) {
    int given = 0;
    for (const char* key : kContentKeys)
        given += view.has(key) ? 1 : 0;
    if (given > 1) return view.fail(L"a cell holds one of text, number, bool, error or formula");
    Value value;
    if (auto text = view.takeText("text")) value = Value::text(*text);
    if (auto number = view.takeNumber("number")) value = Value::number(*number);
    if (auto flag = view.takeFlag("bool")) value = Value::boolean(*flag);
    if (auto error = view.takeText("error")) {
        auto code = errorFromText(*error);
        if (!code) return view.fail(L"unknown error value '" + *error + L"'");
        value = Value::error(*code);
    }
    if (auto formula = view.takeText("formula")) return setFormula(view, cell, *formula);
    if (view.failed()) return false;
    if (given == 1) doc_->sheet.setConstant(cell.col, cell.row, std::move(value));
    return true;
}

bool SheetReader::setFormula(RecordView& view, const CellRef& cell, const std::wstring& formula) {
    if (cell.col == 0 || cell.row == 0) return view.fail(L"a header cell holds no formula");
    switch (doc_->sheet.setFormula(cell.col, cell.row, formula, RefStyle::A1, false)) {
    case FormulaStatus::Ok:
    case FormulaStatus::UnknownFunction:
        return true;
    case FormulaStatus::TooComplex:
        return view.fail(L"the formula is nested too deeply or too long");
    case FormulaStatus::OutOfRange:
        return view.fail(L"the formula's cell lies outside the sheet");
    case FormulaStatus::SyntaxError:
        break;
    }
    std::wstring shown = formula.size() > 60 ? formula.substr(0, 60) + L"..." : formula;
    return view.fail(L"the formula '" + shown + L"' does not parse");
}

// The record's single address word; null (with a problem) when there is none or more than one.
const std::wstring* SheetReader::address(RecordView& view, std::wstring_view example) {
    const auto& words = view.positional();
    if (words.size() == 1) return &words.front()->values.front();
    if (words.empty())
        view.fail(L"'" + widen(view.name()) + L"' needs an address, as in " +
                  std::wstring(example));
    else
        view.fail(L"unexpected '" + words[1]->values.front() + L"' in '" + widen(view.name()) +
                  L"'");
    return nullptr;
}

bool SheetReader::noPositional(RecordView& view) {
    const auto& words = view.positional();
    if (words.empty()) return true;
    return view.fail(L"unexpected '" + words.front()->values.front() + L"' in '" +
                     widen(view.name()) + L"'");
}

// Whether the block lies inside the sheet; `text` is the address as the file writes it.
bool SheetReader::inside(RecordView& view, const RangeRef& block, const std::wstring& text) {
    if (block.col2 <= doc_->sheet.maxCols() && block.row2 <= doc_->sheet.maxRows()) return true;
    return view.fail(text + L" lies outside the sheet (" + sizeText() + L")");
}

bool SheetReader::spend(RecordView& view, std::int64_t units) {
    work_ += units;
    if (work_ <= kMaxRangeWork) return true;
    return view.fail(L"more than " + std::to_wstring(kMaxRangeWork) +
                     L" cells, rows and columns are set one by one; use whole columns, rows "
                     L"or the sheet");
}

// Applies a patch to cells, whole columns or rows (kAll rows or columns), or the sheet, after
// paying for the work the format model does for it.
bool SheetReader::applyFormat(RecordView& view, const RangeRef& block, const FormatLayer& patch) {
    if (patch.empty()) return true;
    if (!spend(view, formatCost(block))) return false;
    const std::int64_t cols = std::int64_t{block.col2} - block.col1 + 1;
    const std::int64_t rows = std::int64_t{block.row2} - block.row1 + 1;
    if (block.row1 == kAll && block.col1 != kAll) colLayers_ += cols;
    if (block.col1 == kAll && block.row1 != kAll) rowLayers_ += rows;
    if (block.col1 != kAll && block.row1 != kAll) {
        cellLayers_ += cols * rows;
        cellCols_ = std::max<std::int64_t>(cellCols_, block.col2 + 1);
    }
    doc_->format.apply(block, patch);
    return true;
}

// The model's work for a patch: a whole column visits every row layer, a whole row every
// column holding cell formats, the sheet every layer; cells cost one each.
std::int64_t SheetReader::formatCost(const RangeRef& block) const {
    const std::int64_t cols = std::int64_t{block.col2} - block.col1 + 1;
    const std::int64_t rows = std::int64_t{block.row2} - block.row1 + 1;
    if (block.col1 == kAll && block.row1 == kAll) return 1 + rowLayers_ + colLayers_ + cellLayers_;
    if (block.row1 == kAll) return cols * (1 + rowLayers_);
    if (block.col1 == kAll) return rows * (1 + cellCols_);
    return cols * rows;
}

std::wstring SheetReader::sizeText() const {
    return std::to_wstring(doc_->sheet.maxCols()) + L" columns, " +
           std::to_wstring(doc_->sheet.maxRows()) + L" rows";
}

} // namespace
} // namespace sheetfile

std::unique_ptr<Document> parseSheetText(std::string_view utf8, std::wstring& problem) {
    problem.clear();
    try {
        return sheetfile::SheetReader().read(utf8, problem);
    } catch (const std::bad_alloc&) {
        problem = L"not enough memory to read the file";
    } catch (const std::exception&) {
        problem = L"the file could not be read";
    }
    return nullptr;
}

} // namespace gridx
