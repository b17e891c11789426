// Financial functions.
#include "functions/ArgReader.h"
#include "functions/Library.h"

namespace gridx::fn {

std::span<const BuiltinInfo> financialFunctions() {
    return {};
}

} // namespace gridx::fn
