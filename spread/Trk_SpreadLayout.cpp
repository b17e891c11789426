// Trk_Spread: column-width rules applied on resize, and fitting sizes to text.
//
// The rules share the client width W (pixels) among n column slots: the data columns, plus the
// header column when it is shown. Divisions are integer divisions; a rule that would divide
// by zero slots, or that names a slot the grid does not have, gives every slot W / n; a width
// below zero is set as 0.
#include "spread/Trk_Spread.h"

#include "spread/RedrawGuard.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace {

constexpr long kFitHeaderStyle = 140;
constexpr int kPictureType = 8;

} // namespace

bool Trk_Spread::readSlots(Slots& slots) const {
    if (!created || colCount() <= 0) return false;
    RECT client{};
    SSGetClientRect(grid(), &client);
    slots.width = client.right - client.left;
    slots.header = SSGetBool(grid(), kOptionRowHeaders) != FALSE;
    slots.count = colCount() + (slots.header ? 1 : 0);
    return true;
}

void Trk_Spread::setWidth(int col, int pixels) {
    SSSetColWidthInPixels(grid(), col, std::max(pixels, 0));
}

void Trk_Spread::applyResizeRule() {
    Slots slots;
    if (!readSlots(slots)) return;
    const auto redraw = RedrawGuard::forBulkWork(*this);
    switch (resizeMode) {
    case 1:
        equalWidths(true, 0);
        break;
    case 2:
        fitToText();
        break;
    case 3:
        applyPercentRule(slots);
        break;
    case 4:
        applyFixedColumnRule(slots);
        break;
    case 5:
        applyListedRule(slots);
        break;
    default:
        break;
    }
}

bool Trk_Spread::equalWidths(bool fixedFirst, int fixedWidth) {
    Slots slots;
    if (!readSlots(slots)) return false;
    int scrollWidth = 0;
    int scrollHeight = 0;
    SSGetScrollBarSize(grid(), &scrollWidth, &scrollHeight);
    const int width = scrollWidth > 0 ? slots.width - scrollWidth : slots.width;
    int share = width / slots.count;
    const bool fixed = fixedWidth > 0 && share >= fixedWidth && slots.count > 1;
    if (fixed) share = (width - fixedWidth) / (slots.count - 1);
    const auto redraw = RedrawGuard::forBulkWork(*this);
    setWidth(HEADER, share); // also while hidden, so it fits when shown again
    const int fixedCol = fixedFirst ? 1 : colCount();
    for (int col = 1; col <= colCount(); ++col)
        setWidth(col, fixed && col == fixedCol ? fixedWidth : share);
    return true;
}

void Trk_Spread::applyEqualShare(const Slots& slots) {
    for (int col = slots.header ? 0 : 1; col <= colCount(); ++col)
        setWidth(col == 0 ? HEADER : col, slots.width / slots.count);
}

// Rule 3: |param1| columns at the start (param1 > 0) or end (param1 < 0) share param2 percent.
void Trk_Spread::applyPercentRule(const Slots& slots) {
    const int group = std::min(std::abs(resizeParam1), colCount());
    const int percent = std::clamp(resizeParam2, 0, 100);
    if (group == 0) {
        applyEqualShare(slots);
        return;
    }
    const int groupWidth = (slots.width * percent / 100) / group;
    const int others = slots.count - group;
    const int rest = others > 0 ? (slots.width - groupWidth * group) / others : 0;
    const bool atStart = resizeParam1 > 0;
    if (slots.header) setWidth(HEADER, rest);
    for (int col = 1; col <= colCount(); ++col) {
        const bool inGroup = atStart ? col <= group : col > colCount() - group;
        setWidth(col, inGroup ? groupWidth : rest);
    }
}

// Rule 4: column param1 (HEADER or 0: the header column) is param2 pixels wide.
void Trk_Spread::applyFixedColumnRule(const Slots& slots) {
    const int fixedCol = resizeParam1 == 0 ? HEADER : resizeParam1;
    const bool exists =
        fixedCol == HEADER ? slots.header : (fixedCol >= 1 && fixedCol <= colCount());
    if (!exists) {
        applyEqualShare(slots);
        return;
    }
    const int share = slots.count > 1 ? (slots.width - resizeParam2) / (slots.count - 1) : 0;
    if (slots.header) setWidth(HEADER, fixedCol == HEADER ? resizeParam2 : share);
    for (int col = 1; col <= colCount(); ++col)
        setWidth(col, col == fixedCol ? resizeParam2 : share);
}

// Rule 5: listed slots get their widths; the others share what is left.
void Trk_Spread::applyListedRule(const Slots& slots) {
    const int listed = std::min(fixedColumns.length(), fixedWidths.length());
    std::map<int, int> widths; // slot (0: header column) -> pixels
    for (int i = 0; i < listed; ++i) {
        const int slot = fixedColumns[i] == HEADER ? 0 : fixedColumns[i];
        const bool exists = slot == 0 ? slots.header : (slot >= 1 && slot <= colCount());
        if (exists) widths[slot] = fixedWidths[i];
    }
    int fixedTotal = 0;
    for (const auto& [slot, pixels] : widths)
        fixedTotal += pixels;
    const int free = slots.count - static_cast<int>(widths.size());
    const int share = free > 0 ? (slots.width - fixedTotal) / free : 0;
    for (int slot = slots.header ? 0 : 1; slot <= colCount(); ++slot) {
        const auto found = widths.find(slot);
        setWidth(slot == 0 ? HEADER : slot, found != widths.end() ? found->second : share);
    }
}

// Rule 2: header cells become static text and every column and row fits its text.
void Trk_Spread::fitToText() {
    for (int col = 1; col <= colCount(); ++col)
        setStaticText(col, HEADER, kFitHeaderStyle);
    autofitColumns(false);
    for (int row = 1; row <= rowCount(); ++row)
        setStaticText(HEADER, row, kFitHeaderStyle);
    autofitRows();
}

// ---- Fitting ----------------------------------------------------------------------------------

double Trk_Spread::maxTextWidth(int col, int row) const {
    if (!created) return 0;
    double width = 0;
    double height = 0;
    return SSGetMaxTextCellSize(grid(), col, row, &width, &height) ? width : 0;
}

double Trk_Spread::maxColumnTextWidth(int col) const {
    if (!created) return 0;
    double width = 0;
    return SSGetMaxTextColWidth(grid(), col, &width) ? width : 0;
}

// A column whose cells hold no text keeps its width instead of collapsing to nothing.
bool Trk_Spread::autofitColumn(int col, bool skipType8) {
    if (!colOrHeader(col)) return false;
    double widest = 0;
    for (int row = 0; row <= rowCount(); ++row) {
        if (skipType8 && getCellType(col, row) == kPictureType) continue;
        widest = std::max(widest, maxTextWidth(col, row == 0 ? HEADER : row));
    }
    if (widest > 0) SSSetColWidth(grid(), col, widest);
    return true;
}

bool Trk_Spread::autofitColumns(bool skipType8) {
    if (!created) return false;
    const auto redraw = RedrawGuard::forBulkWork(*this);
    for (int col = 1; col <= colCount(); ++col)
        autofitColumn(col, skipType8);
    return true;
}

bool Trk_Spread::autofitRow(int row) {
    if (!rowOrHeader(row)) return false;
    double tallest = 0;
    for (int col = 0; col <= colCount(); ++col) {
        double width = 0;
        double height = 0;
        if (SSGetMaxTextCellSize(grid(), col == 0 ? HEADER : col, row, &width, &height))
            tallest = std::max(tallest, height);
    }
    if (tallest > 0) SSSetRowHeight(grid(), row, tallest);
    return true;
}

bool Trk_Spread::autofitRows() {
    if (!created) return false;
    const auto redraw = RedrawGuard::forBulkWork(*this);
    for (int row = 1; row <= rowCount(); ++row)
        autofitRow(row);
    return true;
}

bool Trk_Spread::autofitAll() {
    if (!created) return false;
    const auto redraw = RedrawGuard::forBulkWork(*this);
    fitToText();
    autofitRow(HEADER);
    autofitColumn(HEADER, false);
    return true;
}

int Trk_Spread::totalColumnWidthPixels() const {
    if (!created) return -1;
    int total = 0;
    const int first = SSGetBool(grid(), kOptionRowHeaders) ? 0 : 1;
    for (int col = first; col <= colCount(); ++col) {
        int pixels = 0;
        if (SSGetColWidthInPixels(grid(), col == 0 ? HEADER : col, &pixels)) total += pixels;
    }
    return total;
}

bool Trk_Spread::stretchColumn(int col) {
    if (!validCol(col)) return false;
    RECT client{};
    SSGetClientRect(grid(), &client);
    int scrollWidth = 0;
    int scrollHeight = 0;
    SSGetScrollBarSize(grid(), &scrollWidth, &scrollHeight);
    int own = 0;
    SSGetColWidthInPixels(grid(), col, &own);
    int target = client.right - client.left - totalColumnWidthPixels() + own;
    if (scrollWidth > 0) target -= scrollWidth;
    if (target <= 0) return false;
    double units = 0;
    if (!SSLogUnitsToColWidth(grid(), target, &units)) return false;
    return SSSetColWidth(grid(), col, units) != FALSE;
}
