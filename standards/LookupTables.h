// Data files of the standards functions: where a named file is found, and the key/value table
// files of GETCELL and GETPROFCELL.
//
// Table grammar, per line: everything from "//" on is a comment; a line that is then empty is
// dropped; the rest splits at every tab into fields: key, value, ignored fields...
#pragma once

#include "trk/Trk_String.h"
#include "trk/Trk_StringArray.h"

#include <optional>
#include <vector>

// True for an existing file (a folder is none).
bool isExistingFile(const Trk_String& path);

// The first existing file among: the name itself, then below the library folder
// "Connection Standards\\Data\\" + name, "Connection Standards\\" + name and name. Folders do
// not count. None when no such file exists.
std::optional<Trk_String> resolveStandardsDataFile(const Trk_String& name);

struct LookupTable {
    Trk_StringArray keys;                          // field 1 of every row, in file order
    std::vector<std::optional<Trk_String>> values; // field 2 of every row; none for one field
};

LookupTable parseLookupTable(const Trk_StringArray& lines);
// Reads a table file (already resolved); none when it cannot be read.
std::optional<LookupTable> readLookupTable(const Trk_String& path);
