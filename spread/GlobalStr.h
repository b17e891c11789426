// Texts in movable global memory blocks, as the grid control's custom-function value records
// carry them.
#pragma once

#include "win/wintypes.h"

#include <optional>
#include <string>

// The block's text up to its terminator (or its end); none for a null block or one that cannot
// be locked.
std::optional<std::wstring> getGlobalStr(HGLOBAL block);
// A new movable block holding the text and its terminator, owned by the caller; null when it
// cannot be had.
HGLOBAL setGlobalStr(const std::wstring& text);
