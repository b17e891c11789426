// Shared helpers of the file services: platform path texts to native paths, and the mapping of
// file system errors to the platform's status codes.
#pragma once

#include "win/winbase.h"

#include <filesystem>
#include <system_error>

namespace winx::services {

// nativePath of a possibly null text; empty for null.
std::filesystem::path nativeOf(LPCWSTR text);
LONG errorFromCode(const std::error_code& error);
// Sets the last error and returns FALSE, for the failure exits of the file functions.
BOOL fail(LONG error);

} // namespace winx::services
