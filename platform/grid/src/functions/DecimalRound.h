// Rounding on the decimal form a cell shows (15 significant digits), so that 2.675 rounds to
// 2.68 although the nearest double lies just below 2.675.
#pragma once

namespace gridx::fn {

enum class RoundMode { HalfAwayFromZero, AwayFromZero, TowardZero };

// `x` rounded to `digits` decimal places; negative digits round to tens, hundreds, ...
// Values with no more digits than that are returned unchanged; non-finite ones too.
double roundDecimal(double x, int digits, RoundMode mode);

// `x` read back from its 15-significant-digit form: 0.1 + 0.2 gives 0.3.
double toSignificant15(double x);

} // namespace gridx::fn
