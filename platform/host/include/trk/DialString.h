// Numbered interface texts of the working language.
//
// Table file: UTF-8, one text a line.
//   line   => blank | "#" comment | number [(" " | "\t")+ text]
//   number => decimal digits (0 .. 2147483647)
//   text   => the rest of the line; "\n" stands for a line break, "\\" for a backslash, any
//             other backslash is kept as it is
// Leading blanks before the number are allowed; a number alone gives an empty text. A line of
// any other form, or a number seen before, is reported with its line number and skipped (the
// first text of a number wins). A file holding control characters other than tabs and line
// ends is corrupt: reported and treated as empty.
#pragma once

#include "trk/ErrorStatus.h"
#include "trk/Trk_StringArray.h"

#include <map>
#include <string_view>

// The text with that number; "[text <number>]" when the table has none. The first call reads
// the working language's table (dialStringsFile) and prints its problems on the command line.
Trk_String dialString(int number);

// Replaces the table by the file's. eOk when the file was read: `problems` then lists the
// skipped lines ("line 7: ...", one a line, empty when there were none). eInvalidInput when the
// file is missing, unreadable or corrupt: the table is empty and `problems` says why.
ErrorStatus loadDialStrings(const Trk_String& path, Trk_String& problems);
// Forgets the table; the next dialString reads the working language's file again.
void resetDialStrings();
// gSettings.trkDir + "texts\\" + gSettings.workLanguage + ".txt".
Trk_String dialStringsFile();

namespace trkx {

struct DialStringTable {
    std::map<int, Trk_String> texts;
    Trk_StringArray problems; // one per skipped line, or the reason the file is corrupt
    bool corrupt = false;     // then texts is empty
};

// Reads the table format from the file's bytes.
DialStringTable parseDialStrings(std::string_view bytes);

} // namespace trkx
