// Cell addresses in A1 notation as the sheet text format writes them. Column 0 (the header
// column) is written "@", row 0 (the header row) as 0: "@0" is the corner cell, "C0" the header
// of column C, "@7" the header of row 7.
#pragma once

#include "grid/Refs.h"

#include <optional>
#include <string>
#include <string_view>

namespace gridx::sheetfile {

// Largest sheet the format accepts, the engine's limits: 2,000,000 rows, columns up to "ZZZ".
constexpr int kMaxRows = 2'000'000;
constexpr int kMaxCols = 18'278;

// "A" for 1, "AA" for 27, "@" for 0. Requires 0 <= col <= kMaxCols.
std::string columnName(int col);
// "B3", "@0", "C0". Requires both parts in range.
std::string cellName(int col, int row);
// "B3" or "B3:D5"; a one-cell range is written as the cell.
std::string rangeName(const RangeRef& range);

// Letters in any case, or "@"; nullopt when malformed or beyond kMaxCols.
std::optional<int> parseColumn(std::wstring_view text);
// Decimal digits, 0 to kMaxRows.
std::optional<int> parseRow(std::wstring_view text);
std::optional<CellRef> parseCell(std::wstring_view text);
// "B3" or "B3:D5"; corners in any order, the result has col1 <= col2 and row1 <= row2.
std::optional<RangeRef> parseRange(std::wstring_view text);

// Inclusive first and last index of a run of columns ("B", "B:D") or rows ("3", "3:5").
struct IndexSpan {
    int first = 0;
    int last = 0;
};
std::optional<IndexSpan> parseColumnSpan(std::wstring_view text);
std::optional<IndexSpan> parseRowSpan(std::wstring_view text);

} // namespace gridx::sheetfile
