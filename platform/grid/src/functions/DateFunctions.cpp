// Date functions.
#include "functions/ArgReader.h"
#include "functions/Library.h"

namespace gridx::fn {

std::span<const BuiltinInfo> dateFunctions() {
    return {};
}

} // namespace gridx::fn
