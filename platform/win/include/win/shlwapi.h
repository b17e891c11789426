// Path texts of the shell's light-weight utilities. Names, argument order and documented
// behaviour follow the platform's own API. Texts may use "\\" or "/"; the separators these
// functions add are "\\". Buffers passed for changing are MAX_PATH characters long.
#pragma once

#include "win/winbase.h"
#include "win/wintypes.h"

// Through winx::nativePath.
BOOL PathFileExists(LPCWSTR path);
// FILE_ATTRIBUTE_DIRECTORY for a folder, FALSE otherwise.
BOOL PathIsDirectory(LPCWSTR path);
BOOL PathIsRelative(LPCWSTR path);

// Cuts the last part and its separator off ("c:\\a\\b.txt" -> "c:\\a", "c:\\a" -> "c:\\").
// TRUE when something was removed.
BOOL PathRemoveFileSpec(LPWSTR path);
// Joins with one "\\", then resolves "." and ".." parts. FALSE (path unchanged) when the result
// would not fit MAX_PATH.
BOOL PathAppend(LPWSTR path, LPCWSTR more);
// The "." of the last part's extension, or the terminator when there is none.
LPWSTR PathFindExtension(LPCWSTR path);
// The last part of the path (after the last separator that is not the final character).
LPWSTR PathFindFileName(LPCWSTR path);
// Removes the extension in place.
void PathRemoveExtension(LPWSTR path);
// Replaces (or adds) the extension; `extension` starts with ".". FALSE when it does not fit.
BOOL PathRenameExtension(LPWSTR path, LPCWSTR extension);
// Adds a final "\\" unless there is one; a pointer to the terminator, null when it does not fit.
LPWSTR PathAddBackslash(LPWSTR path);
// Removes one final separator (not the one of a drive root "c:\\"); a pointer to the end.
LPWSTR PathRemoveBackslash(LPWSTR path);
// Keeps only the file name part.
void PathStripPath(LPWSTR path);
