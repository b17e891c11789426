#include "trk/Trk_Array.h"
#include "trk/Trk_StringArray.h"

#include "trk/ObjectExport.h"

#include "acutads.h"

namespace trkx {

void reportInvalidIndex(bool forInsert) {
    acutPrintf(forInsert ? L"*Error* Invalid index passed to insert.\n"
                         : L"*Error* Invalid index passed to remove.\n");
}

} // namespace trkx

int Trk_StringArray::find(const Trk_String& text, bool caseSensitive, int start) const {
    for (int i = std::max(start, 0); i < length(); ++i)
        if (at(i).equal(text, caseSensitive)) return i;
    return -1;
}

bool Trk_StringArray::contains(const Trk_String& text, bool caseSensitive) const {
    return find(text, caseSensitive) >= 0;
}

void Trk_StringArray::sort() {
    ObjectExportSort(*this);
}
