// Hard limits of the engine: the largest sheet it accepts and the largest formula it parses.
#pragma once

#include <cstddef>

namespace gridx::engine {

constexpr int kRowLimit = 2'000'000; // rows of the largest sheet
constexpr int kColLimit = 18'278;    // columns of the largest sheet ("ZZZ")
constexpr int kDefaultSize = 500;    // rows and columns of a new sheet

constexpr std::size_t kMaxFormulaLength = 8192; // characters of formula text
constexpr int kMaxNesting = 100; // parentheses, calls and unary signs nested in one formula

// Custom functions whose callbacks start further calculations nest; past this depth a call
// gives #CIRC! instead of running, so that mutual re-entry cannot exhaust the stack.
constexpr int kMaxCustomDepth = 32;

inline bool validCol(int col) {
    return col >= 1 && col <= kColLimit;
}
inline bool validRow(int row) {
    return row >= 1 && row <= kRowLimit;
}

} // namespace gridx::engine
