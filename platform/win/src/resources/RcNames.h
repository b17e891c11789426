// Predefined names of resource scripts.
#pragma once

#include <cstdint>
#include <string_view>

namespace winx::rc {

// False for a name that is not predefined.
bool lookupConstant(std::wstring_view name, std::int64_t& value);

} // namespace winx::rc
