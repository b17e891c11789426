// Standard-size lists and the search of the tolerance functions (STDWIDTHWITHTOLERANCE,
// STDTHICKNESSWITHTOLERANCE, STDSIZEWITHTOLERANCE).
//
// Size-list grammar, per line: "/*...*/" comments are removed (an unclosed one runs to the end
// of the line), then everything from "//" on; a line left blank is skipped. The rest is
// "first x second" split at its first "x", or "first" alone (second 0); each value is read as
// _wtof reads it (0 when there is none). "100x10" is a flat of width 100, thickness 10.
#pragma once

#include "trk/Trk_Array.h"
#include "trk/Trk_String.h"
#include "trk/Trk_StringArray.h"

#include <optional>

struct StandardSizeList {
    Trk_Array<double> first;  // in file order
    Trk_Array<double> second; // parallel to `first`
};

StandardSizeList parseStandardSizes(const Trk_StringArray& lines);
// Resolves the name as the look-up tables do and reads the list; empty lists when the file is
// missing or unreadable.
StandardSizeList readStandardSizes(const Trk_String& name);

// The first values of the lines whose second value is 0 or equals `thickness`, ascending.
Trk_Array<double> widthCandidates(const StandardSizeList& sizes, double thickness);

// The size nearest to `target` within `down` below and `up` above; on equal distance the
// earlier of two sizes on the same side, and the lower side over the upper. None when no size
// fits.
std::optional<double> findStandardSize(const Trk_Array<double>& sizes, double target, double down,
                                       double up);
// The target rounded to a multiple of `step` inside [target - down, target + up], preferring the
// nearer of the multiples above and below (below on a tie); the target clamped into that band
// when neither fits.
double roundToStepWithinTolerance(double target, double step, double up, double down);
// findStandardSize, else roundToStepWithinTolerance.
double standardSizeOrRounded(const Trk_Array<double>& sizes, double target, double step,
                             double down, double up);

// Shows the exclamation box about tolerances that add up to nothing (down + up <= 0) when the
// current settings show standards messages. True when the tolerances were invalid.
bool warnAboutInvalidTolerances(double down, double up);
