// The framework's file and list helpers: text files as lists of lines, recursive file search,
// sorting and rounding.
#pragma once

#include "trk/ErrorStatus.h"
#include "trk/Trk_Array.h"
#include "trk/Trk_StringArray.h"

#include <string_view>

// Reads a text file into its lines. UTF-8 with or without byte-order mark (files that are not
// valid UTF-8 are read in the Western code page); lines end in "\r\n" or "\n"; a final line
// ending adds no empty line. eInvalidInput, with `lines` unchanged, when the file cannot be read.
ErrorStatus ObjectExportReadFile(const Trk_String& path, Trk_StringArray& lines);
// Writes the lines as UTF-8, each ended by "\n", atomically (temporary file, then rename).
// eInvalidInput, with the old file untouched, when the file cannot be written.
ErrorStatus ObjectExportWriteFile(const Trk_String& path, const Trk_StringArray& lines);

// Appends the files below `folder` (recursively) whose names match `pattern`: a wildcard pattern
// ("*.txt", "Stock?.shp"; "*" and "?", ignoring case) or a bare extension ("txt" or ".txt").
// Each path is `folder` with a trailing separator, followed by the path below it with "\\"
// between the parts. Files come sorted (ObjectExportSort order). eInvalidInput when the folder
// does not exist.
ErrorStatus ObjectExportFindFilesRecursive(const Trk_String& folder, const Trk_String& pattern,
                                           Trk_StringArray& files);

// Sorts texts ignoring letter case, with runs of digits compared by their value ("Stock2"
// before "Stock10"); texts that are equal that way keep their order.
void ObjectExportSort(Trk_StringArray& texts);
// Sorts numbers ascending.
void ObjectExportSort(Trk_Array<double>& values);
// Sorts numbers ascending and applies the same reordering to `payload` (stable; a payload of
// another length is left as it is).
void ObjectExportSort(Trk_Array<double>& values, Trk_Array<int>& payload);
// The same order as ObjectExportSort for texts.
void sortArray(Trk_StringArray& texts);
// Inserts `text` into the sorted list at its sorted place (after equal texts) and returns that
// index.
int ObjectExportAddToSorted(Trk_StringArray& sorted, const Trk_String& text);

namespace trkx {
// The lines of a text file's bytes, decoded and split as ObjectExportReadFile does.
Trk_StringArray linesOfText(std::string_view bytes);
} // namespace trkx

// The multiple of `step` nearest to `value`; halves go away from zero (RoundTo(2.5, 1) = 3,
// RoundTo(-2.5, 1) = -3). A step that is not positive (or not finite) returns the value.
double ObjectExportRoundTo(double value, double step);
// The smallest multiple of `step` that is not below value − tolerance: a value at most
// `tolerance` above a multiple rounds down to it (negative tolerances count as 0). A step that
// is not positive (or not finite) returns the value.
double ObjectExportRoundUp(double value, double step, double tolerance);
