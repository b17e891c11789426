// Text files of the framework: UTF-8, optionally with a byte-order mark (repeated marks at the
// start are all skipped). Files that are not
// valid UTF-8 were written by older versions in the Western code page and are read as such, so
// their "¿", "ƒ" and "•" survive.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace trkx {

bool isValidUtf8(std::string_view bytes);
std::wstring decodeText(std::string_view bytes);
// Lines of a text; "\n" ends a line and carriage returns before it are dropped ("\r\n" files);
// a last line without an ending counts, an empty text has no lines.
std::vector<std::wstring> splitLines(std::wstring_view text);

} // namespace trkx
