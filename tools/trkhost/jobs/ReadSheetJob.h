// The read-sheet job: what ReadSSFile gives for one sheet file.
#pragma once

#include <string>
#include <vector>

namespace trkjobs {

// Prints the first cell, the column captions and every row of the sheet file named by the one
// argument. 0 on success; 1 with a message on standard error when the file cannot be read; 2
// when the argument is missing.
int readSheet(const std::vector<std::string>& arguments);

} // namespace trkjobs
