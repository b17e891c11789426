// Criteria functions.
#include "functions/ArgReader.h"
#include "functions/Library.h"

namespace gridx::fn {

std::span<const BuiltinInfo> criteriaFunctions() {
    return {};
}

} // namespace gridx::fn
