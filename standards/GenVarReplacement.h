// Whole-word replacement of names in formula texts: general-variable names by their values and
// variable names by cell references.
//
// An occurrence of a name counts when neither the character before it nor the one after it is
// an ASCII letter, a digit or "_". Names are searched exactly (letter case matters), one name
// after the other, so a later name may hit what an earlier one inserted. The search goes on
// after an inserted value (it is never searched again) or after an occurrence that did not count.
#pragma once

#include "trk/Trk_String.h"
#include "trk/Trk_StringArray.h"

#include <string>
#include <string_view>

class Trk_Spread;

// Upper bound on the occurrences examined per name and text.
constexpr long kMaxOccurrencesPerName = 99999999;

// Replaces names[i] by values[i] for every i below the shorter list's length. With quoting a
// value that is not a number goes between double quotes. True when anything was replaced.
// Empty names are skipped.
bool replaceWholeWords(Trk_String& text, const Trk_StringArray& names,
                       const Trk_StringArray& values, bool quoting);

// One name, replaced in place by `value` as given. `scratch` is working storage the caller may
// keep between calls to avoid allocations. True when anything was replaced.
bool replaceWholeWord(std::wstring& text, std::wstring_view name, std::wstring_view value,
                      std::wstring& scratch);

// The value as inserted for a general variable: a number as it is, anything else quoted.
std::wstring quotedUnlessNumber(const Trk_String& value);

// Applies the replacement (quoting on) to the value text of every cell of the grid (columns and
// rows from 1 to the counts) and writes each changed text back as the cell's data.
void replaceGeneralVariables(Trk_Spread& grid, const Trk_StringArray& names,
                             const Trk_StringArray& values);
