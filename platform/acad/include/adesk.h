// Basic types of the CAD program's interface.
#pragma once

#include <cstdint>

using ACHAR = wchar_t;

namespace Adesk {
using Int32 = std::int32_t;
using UInt32 = std::uint32_t;
using Int64 = std::int64_t;
using IntPtr = std::intptr_t;
using Boolean = bool;
constexpr Boolean kFalse = false;
constexpr Boolean kTrue = true;
} // namespace Adesk
