// Case folding for names that the platform compares without regard to case (registry keys and
// values, clipboard formats, file names in searches). Covers Latin, Greek and Cyrillic letters,
// independent of the process locale so results never vary between runs.
#pragma once

#include <string>
#include <string_view>

namespace winx::services {

wchar_t foldCase(wchar_t c);
std::wstring foldCase(std::wstring_view text);
bool equalNoCase(std::wstring_view a, std::wstring_view b);

} // namespace winx::services
