// Program code back to formula text.
#pragma once

#include "engine/Program.h"
#include "grid/Refs.h"

#include <string>

namespace gridx::engine {

// The formula of `program` held by cell (col, row), without "=", in the given style.
// References into deleted cells show as "#REF!".
std::wstring formulaText(const Program& program, int col, int row, RefStyle style);

} // namespace gridx::engine
