// The standards job: the core's "load from standards" of one macro file, run from the command
// line.
#pragma once

#include <string>
#include <vector>

namespace trkjobs {

// standards <standard> <macro file> <mapping key>: evaluates the connection standard (a name in
// the library's "Connection Standards" folder without extension, or a path) against the macro
// read from the file, through the mapping key (or "Module." + a module group). Prints every
// variable with its value before and after, and the stage timers; on success writes the updated
// macro back into the file (atomically).
// standards --demo: the shipped EndPlate standard against a copy of Macros/EndPlate.json in a
// temporary folder, so the library's own file is never changed.
// 0 on success; 1 when the macro cannot be read, the evaluation fails, the mapping key or module
// group is unknown, an output holds an error value (in these cases the file is left as it was)
// or the result cannot be written; 2 for wrong arguments.
int standards(const std::vector<std::string>& arguments);

} // namespace trkjobs
