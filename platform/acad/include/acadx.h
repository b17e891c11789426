// Extras of the CAD stand-in that only the host process and tests use: what was printed,
// posted and updated, and the pick-first selection. Nothing here exists in the CAD program.
#pragma once

#include "dbid.h"

#include <string>
#include <vector>

namespace acadx {

// Everything printed on the command line since the last clear, one entry per acutPrintf call.
const std::vector<std::wstring>& printed();
// All printed text joined.
std::wstring printedText();
void clearPrinted();
// When on (the host turns it on) printed text is also written to standard output as UTF-8.
void setEcho(bool on);

// Commands posted with acedPostCommand, in order.
const std::vector<std::wstring>& postedCommands();
int promptCount();
int displayUpdateCount();

// The objects selected before a command (the pick-first set).
void setPickFirst(const std::vector<AcDbObjectId>& ids);
// Selection sets still allocated (a leak shows here).
int openSelectionSets();

// Forgets the records above and the pick-first set, ends open transactions, and empties the
// command stack and the dynamic linker's lists.
void reset();

} // namespace acadx
