// Math functions.
#include "functions/ArgReader.h"
#include "functions/Library.h"

namespace gridx::fn {

std::span<const BuiltinInfo> mathFunctions() {
    return {};
}

} // namespace gridx::fn
