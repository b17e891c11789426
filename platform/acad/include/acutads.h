// The CAD program's command line: formatted output as the program prints it.
#pragma once

#include "adesk.h"

// Prints formatted text on the command line. "%s" and "%c" take wide arguments, as on the
// platform the module was written for. Returns the number of characters printed.
int acutPrintf(const ACHAR* format, ...);
