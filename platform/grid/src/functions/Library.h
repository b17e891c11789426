// The families of built-in functions; the registry merges them into one sorted table.
#pragma once

#include "grid/Functions.h"

#include <span>

namespace gridx::fn {

std::span<const BuiltinInfo> logicalFunctions();
std::span<const BuiltinInfo> infoFunctions();
std::span<const BuiltinInfo> mathFunctions();
std::span<const BuiltinInfo> roundingFunctions();
std::span<const BuiltinInfo> statisticalFunctions();
std::span<const BuiltinInfo> textFunctions();
std::span<const BuiltinInfo> dateFunctions();
std::span<const BuiltinInfo> financialFunctions();
std::span<const BuiltinInfo> lookupFunctions();
std::span<const BuiltinInfo> criteriaFunctions();

} // namespace gridx::fn
