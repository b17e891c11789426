// The CAD program's command line: formatted output as the program prints it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

using ACHAR = wchar_t;

// Prints formatted text on the command line. "%s" and "%c" take wide arguments, as on the
// platform the module was written for. Returns the number of characters printed.
int acutPrintf(const ACHAR* format, ...);

namespace acadx {

// Everything printed since the last clear, one entry per acutPrintf call.
const std::vector<std::wstring>& printed();
// All printed text joined.
std::wstring printedText();
void clearPrinted();
// When on (the host turns it on) printed text is also written to standard output as UTF-8.
void setEcho(bool on);

} // namespace acadx
