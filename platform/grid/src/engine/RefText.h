// Reading and writing cell addresses in formula text: column letters, A1 and R1C1 forms.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace gridx::engine {

// Appends the column's letters (1 -> "A", 27 -> "AA").
void appendColumnLetters(std::wstring& out, int col);

// One reference as written: a part is absolute ($ in A1, R3 in R1C1) or relative. For A1 text
// `col`/`row` are the target; for R1C1 text a relative part is the offset.
struct RefMatch {
    std::size_t end = 0; // position after the reference
    int col = 0;
    int row = 0;
    bool absCol = false;
    bool absRow = false;
};

// Matches an A1 reference ([$]letters[$]digits) at `pos` that lies inside the largest sheet and
// is not followed by a name character or "(". False when there is none.
bool matchA1(std::wstring_view text, std::size_t pos, RefMatch& out);
// Matches an R1C1 reference (R, R3 or R[-1], then C, C2 or C[1]) at `pos` likewise.
bool matchR1C1(std::wstring_view text, std::size_t pos, RefMatch& out);
// Whether the whole text reads as a reference in either style (such names are refused).
bool looksLikeReference(std::wstring_view text);

// Characters that may continue a name or a reference.
bool isNameChar(wchar_t c);
bool isNameStart(wchar_t c);

} // namespace gridx::engine
