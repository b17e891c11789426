// Trk_Spread: transfers of whole columns and rows to and from framework arrays.
#include "spread/Trk_Spread.h"

#include "spread/RedrawGuard.h"

#include <algorithm>
#include <cwchar>

namespace {

constexpr int kValueText = 3;

Trk_StringArray textsOf(const Trk_Array<int>& values, bool clampNegative) {
    Trk_StringArray texts;
    for (const int value : values)
        texts.append(Trk_String(clampNegative ? std::max(value, 0) : value));
    return texts;
}

} // namespace

// Writes texts[i] along a column (alongColumn) or row at position i+1 while it lies in the grid.
bool Trk_Spread::setTextsAt(bool alongColumn, int index, const Trk_StringArray& texts,
                            bool asValue) {
    if (alongColumn ? !colOrHeader(index) : !rowOrHeader(index)) return false;
    const auto redraw = RedrawGuard::forBulkWork(*this);
    const int limit = std::min(texts.length(), alongColumn ? rowCount() : colCount());
    for (int i = 0; i < limit; ++i) {
        const int col = alongColumn ? index : i + 1;
        const int row = alongColumn ? i + 1 : index;
        const wchar_t* text = texts[i].c_str();
        if (asValue) {
            SSSetValue(grid(), col, row, text);
        } else {
            SSSetData(grid(), col, row, text);
        }
    }
    return true;
}

bool Trk_Spread::setColumnTexts(int col, const Trk_StringArray& texts, bool asValue) {
    return setTextsAt(true, col, texts, asValue);
}

bool Trk_Spread::setRowTexts(int row, const Trk_StringArray& texts, bool asValue) {
    return setTextsAt(false, row, texts, asValue);
}

bool Trk_Spread::setColumnHeaders(const Trk_StringArray& texts) {
    return setRowTexts(HEADER, texts, false);
}

bool Trk_Spread::setRowHeaders(const Trk_StringArray& texts) {
    return setColumnTexts(HEADER, texts, false);
}

bool Trk_Spread::setColumnInts(int col, const Trk_Array<int>& values) {
    return setColumnTexts(col, textsOf(values, false), false);
}

bool Trk_Spread::setColumnDoubles(int col, const Trk_Array<double>& values) {
    Trk_StringArray texts;
    for (const double value : values)
        texts.append(Trk_String(value, 2, true));
    return setColumnTexts(col, texts, false);
}

bool Trk_Spread::setColumnBools(int col, const Trk_Array<bool>& values) {
    Trk_StringArray texts;
    for (const bool value : values.items())
        texts.append(value ? L"1" : L"0");
    return setColumnTexts(col, texts, false);
}

bool Trk_Spread::setColumnCounts(int col, const Trk_Array<int>& values) {
    return setColumnTexts(col, textsOf(values, true), true);
}

bool Trk_Spread::getColumnTexts(int col, int kind, Trk_StringArray& out) const {
    out.removeAll();
    if (!colOrHeader(col)) return false;
    const int rows = rowCount();
    Trk_String text;
    for (int row = 1; row <= rows; ++row) {
        getCellText(col, row, kind, text);
        out.append(text);
    }
    return true;
}

bool Trk_Spread::getColumnInts(int col, Trk_Array<int>& out) const {
    out.removeAll();
    Trk_StringArray texts;
    if (!getColumnTexts(col, kValueText, texts)) return false;
    for (const Trk_String& text : texts)
        out.append(_wtoi(text));
    return true;
}

bool Trk_Spread::getColumnDoubles(int col, Trk_Array<double>& out) const {
    out.removeAll();
    Trk_StringArray texts;
    if (!getColumnTexts(col, kValueText, texts)) return false;
    for (const Trk_String& text : texts)
        out.append(std::wcstod(text.c_str(), nullptr));
    return true;
}

bool Trk_Spread::getColumnBools(int col, Trk_Array<bool>& out) const {
    out.removeAll();
    Trk_StringArray texts;
    if (!getColumnTexts(col, kValueText, texts)) return false;
    for (const Trk_String& text : texts)
        out.append(text == L"1");
    return true;
}

bool Trk_Spread::getRowTexts(int row, Trk_StringArray& out) const {
    out.removeAll();
    if (!rowOrHeader(row)) return false;
    const int cols = colCount();
    Trk_String text;
    for (int col = 1; col <= cols; ++col) {
        getCellText(col, row, kValueText, text);
        out.append(text);
    }
    return true;
}

bool Trk_Spread::getColumnHeaders(Trk_StringArray& out) const {
    return getRowTexts(HEADER, out);
}

bool Trk_Spread::getAllRows(Trk_Array<Trk_StringArray>& out) const {
    out.removeAll();
    if (!created) return false;
    const int rows = rowCount();
    Trk_StringArray texts;
    for (int row = 1; row <= rows; ++row) {
        getRowTexts(row, texts);
        out.append(texts);
    }
    return true;
}

bool Trk_Spread::clearRow(int row) {
    return clearRows(row, row);
}

bool Trk_Spread::clearRows(int from, int to) {
    if (!validRow(from) || !validRow(to) || from > to) return false;
    const auto redraw = RedrawGuard::forBulkWork(*this);
    const int cols = colCount();
    for (int row = from; row <= to; ++row) {
        for (int col = 1; col <= cols; ++col)
            SSSetValue(grid(), col, row, L"");
    }
    return true;
}

bool Trk_Spread::setFlagPairs(const Trk_StringArray& names, const Trk_Array<bool>& flags, int row) {
    if (!validRow(row)) return false;
    const auto redraw = RedrawGuard::forBulkWork(*this);
    const int cols = colCount();
    const int pairs = std::min(names.length(), flags.length());
    for (int i = 0; i < pairs && 2 * i + 1 <= cols; ++i) {
        SSSetData(grid(), 2 * i + 1, row, flags.valueAt(i) ? L"1" : L"0");
        if (2 * i + 2 <= cols) SSSetData(grid(), 2 * i + 2, row, names[i].c_str());
    }
    return true;
}
