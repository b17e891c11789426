// The framework's global settings: folders, working language and the current drawing's
// settings. Folders end in a separator; paths below them are written with "\\" and the file
// functions map separators to the native ones.
#pragma once

#include "trk/Trk_String.h"

// Settings that belong to the drawing being worked on.
struct Trk_DrawingSettings {
    // Whether the standards evaluation shows its warning and failure messages.
    bool showStandardsMessages = true;
};

class Trk_Settings {
public:
    Trk_String libDir;               // library folder, ends in a separator
    Trk_String trkDir;               // installation folder, ends in a separator
    Trk_String workLanguage = L"en"; // language code of the interface texts
    Trk_DrawingSettings current;

    // Set the folders, appending "\\" unless the text is empty or already ends in "\\" or "/".
    void setLibDir(const Trk_String& folder);
    void setTrkDir(const Trk_String& folder);
    // Sets the language; the interface texts of the new language are read on their next use.
    void setWorkLanguage(const Trk_String& language);
};

extern Trk_Settings gSettings;

// The folder with a trailing separator ("\\" appended unless it ends in "\\" or "/"); empty
// stays empty.
Trk_String withTrailingSeparator(const Trk_String& folder);
