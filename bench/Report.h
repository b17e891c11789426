// The side-by-side comparison as Markdown: times, memory, ratios and the targets each engine
// meets or misses, from the JSON lines that the measuring processes printed.
#pragma once

#include "JsonLine.h"

#include <string>
#include <vector>

namespace bench {

std::string renderReport(const std::vector<JsonRecord>& records);

} // namespace bench
