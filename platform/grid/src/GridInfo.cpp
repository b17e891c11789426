#include "grid/GridInfo.h"

namespace gridx {

const wchar_t* windowClassName() {
    return L"fpUSpread70";
}

} // namespace gridx
