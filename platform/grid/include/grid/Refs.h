// Cell and range addresses of the grid engine.
#pragma once

namespace gridx {

// The index that addresses the header row or the header column, besides 0.
constexpr int kHeader = -32767;

// A cell: column and row count from 1; 0 is the header column or row.
struct CellRef {
    int col = 0;
    int row = 0;
    bool operator==(const CellRef&) const = default;
};

// An inclusive block of cells with col1 <= col2 and row1 <= row2.
struct RangeRef {
    int col1 = 0;
    int row1 = 0;
    int col2 = 0;
    int row2 = 0;
    bool operator==(const RangeRef&) const = default;
    bool contains(int col, int row) const {
        return col >= col1 && col <= col2 && row >= row1 && row <= row2;
    }
    int cols() const { return col2 - col1 + 1; }
    int rows() const { return row2 - row1 + 1; }
};

// Reference style of formulas shown and accepted: A1 ("$B$3", "B3:C4") or R1C1 ("R3C2",
// "R[-1]C", "R1C1:R2C2"). The grid control's style 0 (default) behaves as A1.
enum class RefStyle : unsigned char { A1, R1C1 };

} // namespace gridx
