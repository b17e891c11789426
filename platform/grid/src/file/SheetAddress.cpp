#include "file/SheetAddress.h"

#include <algorithm>

namespace gridx::sheetfile {

std::string columnName(int col) {
    if (col <= 0) return "@";
    std::string letters;
    for (; col > 0; col = (col - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (col - 1) % 26));
    return letters;
}

std::string cellName(int col, int row) {
    return columnName(col) + std::to_string(row);
}

std::string rangeName(const RangeRef& range) {
    std::string first = cellName(range.col1, range.row1);
    if (range.col1 == range.col2 && range.row1 == range.row2) return first;
    return first + ":" + cellName(range.col2, range.row2);
}

std::optional<int> parseColumn(std::wstring_view text) {
    if (text == L"@") return 0;
    if (text.empty() || text.size() > 3) return std::nullopt;
    int col = 0;
    for (wchar_t c : text) {
        wchar_t upper = c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
        if (upper < L'A' || upper > L'Z') return std::nullopt;
        col = col * 26 + (upper - L'A' + 1);
    }
    if (col > kMaxCols) return std::nullopt;
    return col;
}

std::optional<int> parseRow(std::wstring_view text) {
    if (text.empty() || text.size() > 7) return std::nullopt;
    int row = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        row = row * 10 + (c - L'0');
    }
    if (row > kMaxRows) return std::nullopt;
    return row;
}

std::optional<CellRef> parseCell(std::wstring_view text) {
    std::size_t digits = text.find_first_of(L"0123456789");
    if (digits == std::wstring_view::npos || digits == 0) return std::nullopt;
    auto col = parseColumn(text.substr(0, digits));
    auto row = parseRow(text.substr(digits));
    if (!col || !row) return std::nullopt;
    return CellRef{*col, *row};
}

std::optional<RangeRef> parseRange(std::wstring_view text) {
    std::size_t colon = text.find(L':');
    auto first = parseCell(text.substr(0, colon));
    if (!first) return std::nullopt;
    CellRef last = *first;
    if (colon != std::wstring_view::npos) {
        auto second = parseCell(text.substr(colon + 1));
        if (!second) return std::nullopt;
        last = *second;
    }
    return RangeRef{std::min(first->col, last.col), std::min(first->row, last.row),
                    std::max(first->col, last.col), std::max(first->row, last.row)};
}

namespace {

template <typename ParseOne>
std::optional<IndexSpan> parseSpan(std::wstring_view text, ParseOne parseOne) {
    std::size_t colon = text.find(L':');
    auto first = parseOne(text.substr(0, colon));
    if (!first) return std::nullopt;
    int last = *first;
    if (colon != std::wstring_view::npos) {
        auto second = parseOne(text.substr(colon + 1));
        if (!second) return std::nullopt;
        last = *second;
    }
    return IndexSpan{std::min(*first, last), std::max(*first, last)};
}

} // namespace

std::optional<IndexSpan> parseColumnSpan(std::wstring_view text) {
    return parseSpan(text, parseColumn);
}

std::optional<IndexSpan> parseRowSpan(std::wstring_view text) {
    return parseSpan(text, parseRow);
}

} // namespace gridx::sheetfile
