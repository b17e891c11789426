#include "trk/Trk_Settings.h"

#include "trk/DialString.h"

Trk_Settings gSettings;

Trk_String withTrailingSeparator(const Trk_String& folder) {
    if (folder.isEmpty() || folder.endsWith(L"\\") || folder.endsWith(L"/")) return folder;
    return folder + L"\\";
}

void Trk_Settings::setLibDir(const Trk_String& folder) {
    libDir = withTrailingSeparator(folder);
}

void Trk_Settings::setTrkDir(const Trk_String& folder) {
    trkDir = withTrailingSeparator(folder);
    resetDialStrings();
}

void Trk_Settings::setWorkLanguage(const Trk_String& language) {
    workLanguage = language;
    resetDialStrings();
}
