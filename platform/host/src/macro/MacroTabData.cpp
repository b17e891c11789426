#include "trk/MacroTabData.h"

int MacroPatternProps::getCount(int direction) const {
    if (direction < 0 || direction > 1) return -1;
    int count = 0;
    if (!nrBolts[direction].toInt(count)) return -1;
    return count;
}

MacroPatternProps* MacroTabData::findPattern(const Trk_String& patternName) {
    for (MacroPatternProps& pattern : patterns)
        if (pattern.name == patternName) return &pattern;
    return nullptr;
}

ErrorStatus getSetNrBolts(MacroTabData* tab, const Trk_String& name, Trk_String& value, bool get,
                          bool firstDirection) {
    MacroPatternProps* pattern = tab ? tab->findPattern(name) : nullptr;
    if (!pattern) return eInvalidInput;
    Trk_String& stored = pattern->nrBolts[firstDirection ? 0 : 1];
    if (get) {
        value = stored;
        return eOk;
    }
    // An empty second count marks a pattern with one direction; a count does not add one.
    if (!firstDirection && stored.isEmpty()) return eInvalidInput;
    int count = 0;
    if (!value.toInt(count) || count < 1) return eInvalidInput;
    stored = Trk_String(count);
    return eOk;
}
