// Info functions.
#include "functions/ArgReader.h"
#include "functions/Library.h"

namespace gridx::fn {

std::span<const BuiltinInfo> infoFunctions() {
    return {};
}

} // namespace gridx::fn
