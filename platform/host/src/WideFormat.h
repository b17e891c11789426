// printf-style formatting of wide text with the original platform's conventions: in a wide
// format "%s" and "%c" take wide arguments and "%S" narrow ones.
#pragma once

#include <cstdarg>
#include <string>

namespace trkx {

std::wstring formatWide(const wchar_t* format, va_list args);

} // namespace trkx
