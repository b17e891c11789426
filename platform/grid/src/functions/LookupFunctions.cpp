// Lookup functions.
#include "functions/ArgReader.h"
#include "functions/Library.h"

namespace gridx::fn {

std::span<const BuiltinInfo> lookupFunctions() {
    return {};
}

} // namespace gridx::fn
