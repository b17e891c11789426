// Path texts: "\\" and "/" both separate folders; the texts are taken apart as written, the
// file system is not asked.
#pragma once

#include "trk/Trk_String.h"

// The folder part including its trailing separator ("c:\\a\\b.txt" → "c:\\a\\"); empty when
// the path has no separator.
Trk_String getPath(const Trk_String& path);
// The part after the last separator, with or without its extension ("a\\b.tar.gz" → "b.tar.gz"
// or "b.tar").
Trk_String getFileName(const Trk_String& path, bool withExtension = true);
// The path without the extension of its file name (the last "." and what follows it); dots in
// folder names and a leading dot of the file name ("a\\.hidden") do not count.
Trk_String removeExtension(const Trk_String& path);
// The extension of the file name without its dot, or empty.
Trk_String getExtension(const Trk_String& path);
