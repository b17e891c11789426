// Trk_Spread: row and column counts and fonts.
#include "spread/Trk_Spread.h"

#include "spread/RedrawGuard.h"

#include <algorithm>

namespace {

constexpr int kWeightBold = 700;
constexpr int kWeightRegular = 400;

} // namespace

int Trk_Spread::rowCount() const {
    return created ? static_cast<int>(SSGetMaxRows(grid())) : -1;
}

int Trk_Spread::colCount() const {
    return created ? static_cast<int>(SSGetMaxCols(grid())) : -1;
}

bool Trk_Spread::setRowCount(int n, bool copyFormat) {
    return growCount(true, n, copyFormat);
}

bool Trk_Spread::setColCount(int n, bool copyFormat) {
    return growCount(false, n, copyFormat);
}

// Lines old+1..n are new: with copyFormat each becomes a copy of line old (contents and
// formatting, header cell included). The captions of lines old..n become bold and their cells
// take the regular font. A grid growing from nothing copies no header line into its cells.
bool Trk_Spread::growCount(bool rows, int n, bool copyFormat) {
    if (!created || n < 0) return false;
    const int old = rows ? rowCount() : colCount();
    if (old == n) return true;
    const auto redraw = RedrawGuard::forBulkWork(*this);
    if (!(rows ? SSSetMaxRows(grid(), n) : SSSetMaxCols(grid(), n))) return false;
    if (old > n) return true;
    if (copyFormat && old > 0) {
        for (int line = old + 1; line <= n; ++line) {
            copyLine(rows, old, line);
            markChanged();
        }
    }
    if (old > 0) {
        if (rows) {
            setFontRange(HEADER, old, HEADER, n, true, true);
        } else {
            setFontRange(old, HEADER, n, HEADER, true, true);
        }
    } else {
        applyHeaderFonts();
    }
    const int first = std::max(old, 1);
    if (rows) {
        if (colCount() > 0) setFontRange(1, first, colCount(), n, false, false);
    } else {
        if (rowCount() > 0) setFontRange(first, 1, n, rowCount(), false, false);
    }
    return true;
}

bool Trk_Spread::setFontRange(int col1, int row1, int col2, int row2, bool bold, bool withTextTip) {
    if (!created) return false;
    LOGFONT description{};
    description.lfHeight = fontHeight;
    description.lfWeight = bold ? kWeightBold : kWeightRegular;
    description.lfCharSet = 1;
    description.lfOutPrecision = 2;
    description.lfClipPrecision = 1;
    const std::wstring& face = fontName.str();
    const std::size_t faceLength = std::min<std::size_t>(face.size(), LF_FACESIZE - 1);
    std::copy_n(face.begin(), faceLength, description.lfFaceName);
    description.lfFaceName[faceLength] = L'\0';
    // The control keeps the font's description, so the font object can go after the call.
    CFont font;
    if (!font.CreateFontIndirect(&description)) return false;
    const bool applied =
        SSSetFontRange(grid(), col1, row1, col2, row2, static_cast<HFONT>(font), FALSE) != FALSE;
    if (applied && withTextTip) {
        WORD status = 0;
        DWORD delay = 0;
        LOGFONT tipFont{};
        COLORREF background = 0;
        COLORREF foreground = 0;
        SSGetTextTip(grid(), &status, &delay, &tipFont, &background, &foreground);
        SSSetTextTip(grid(), 1, 0, &description, background, foreground);
    }
    return applied;
}

bool Trk_Spread::applyHeaderFonts() {
    if (!created) return false;
    const int cols = colCount();
    const int rows = rowCount();
    if (cols > 0) setFontRange(1, HEADER, cols, HEADER, true, true);
    if (rows > 0) setFontRange(HEADER, 1, HEADER, rows, true, true);
    return true;
}

bool Trk_Spread::applyFonts(bool withTextTip) {
    if (!created) return false;
    const auto redraw = RedrawGuard::forBulkWork(*this);
    applyHeaderFonts();
    if (colCount() > 0 && rowCount() > 0)
        setFontRange(1, 1, colCount(), rowCount(), false, withTextTip);
    return true;
}
