// UTF-8 conversion of wide text. Every text file and the registry file are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace winx {

// Encodes wide text as UTF-8; code points outside Unicode become U+FFFD.
std::string toUtf8(std::wstring_view text);
// Decodes UTF-8; malformed sequences become U+FFFD, never an error.
std::wstring fromUtf8(std::string_view bytes);

} // namespace winx
