// Custom functions of the flat interface: the engine's arguments become the control's value
// records, and the record the callback fills becomes the cell's value.
#pragma once

#include "grid/Sheet.h"
#include "grid/ssapi.h"

namespace gridx::control {

// A callback for Sheet::addCustomFunction that calls `proc`. `sheet` is the sheet the function is
// registered with (a result of type CELL reads it).
CustomFunction adaptCallback(const Sheet& sheet, CALCFUNCPROC proc);

} // namespace gridx::control
