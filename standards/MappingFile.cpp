// Reading and writing of mapping files (the line grammar is at the top of KvSSMapping.h).
#include "standards/KvSSMapping.h"

#include "trk/ObjectExport.h"
#include "trk/StringFunctions.h"
#include "trk/Trk_Settings.h"

#include <windows.h>

#include <cstddef>

namespace {

constexpr const wchar_t* kHeader = L"Mapping version 1.0";
constexpr std::size_t kReservedLines = 1024;
constexpr std::size_t kLineGrowth = 512;

bool isHeader(const Trk_String& line) {
    return line.contains(L"Mapping") && line.contains(L"version");
}

// The file's lines without its header; false when the file cannot be read. The list holds
// room for 1024 lines and grows by 512.
bool readMappingLines(const Trk_String& path, Trk_StringArray& lines) {
    Trk_StringArray read;
    if (ObjectExportReadFile(path, read) != eOk) return false;
    const std::size_t count = read.items().size();
    std::size_t capacity = kReservedLines;
    while (capacity < count)
        capacity += kLineGrowth;
    lines.removeAll();
    lines.items().reserve(capacity);
    for (int i = 0; i < read.length(); ++i)
        if (i > 0 || !isHeader(read[i])) lines.append(read[i]);
    return true;
}

// The key of a line: the text before its first "=", empty without one.
Trk_String lineKey(const Trk_String& line) {
    const int equals = line.find(L'=');
    return equals < 0 ? Trk_String() : line.left(equals);
}

int findKeyLine(const Trk_StringArray& lines, const Trk_String& key) {
    for (int i = 0; i < lines.length(); ++i)
        if (lineKey(lines[i]).equal(key, true)) return i;
    return -1;
}

struct Pairs {
    Trk_StringArray objectTexts;
    Trk_StringArray ssVars;

    void removeAt(int index) {
        objectTexts.removeAt(index);
        ssVars.removeAt(index);
    }
};

// The pairs of the objects that have a type word, in object order.
Pairs typedPairs(const Trk_Array<KvObjectMap>& objects) {
    Pairs pairs;
    for (const KvObjectMap& object : objects) {
        Trk_String objectText;
        Trk_String ssVar;
        if (object.setMappingToStrs(objectText, ssVar) != eOk) continue;
        pairs.objectTexts.append(objectText);
        pairs.ssVars.append(ssVar);
    }
    return pairs;
}

// The pairs a mapping file stores: each variable once, and only variables that could name a
// file.
Pairs storablePairs(const Trk_Array<KvObjectMap>& objects) {
    Pairs pairs = typedPairs(objects);
    Trk_Array<int> repeats;
    getDuplicates(pairs.ssVars, repeats, false);
    for (int i = repeats.length() - 1; i >= 0; --i)
        pairs.removeAt(repeats[i]);
    for (int i = pairs.ssVars.length() - 1; i >= 0; --i)
        if (hasInvalidFileNameChars(pairs.ssVars[i])) pairs.removeAt(i);
    return pairs;
}

Trk_String lineOf(const Trk_String& key, const Pairs& pairs) {
    Trk_String line = key + L"=";
    for (int i = 0; i < pairs.ssVars.length(); ++i) {
        if (i > 0) line += kPairSeparator;
        line += pairs.ssVars[i] + kVarSeparator + pairs.objectTexts[i];
    }
    return line;
}

} // namespace

Trk_String KvSSMapping::mappingFilePath(const Trk_String& spreadsheet) {
    return gSettings.libDir + L"Connection Standards\\" + spreadsheet + L".map";
}

ErrorStatus KvSSMapping::initMappingFromLine(const Trk_String& line) {
    objects.removeAll();
    const int equals = line.find(L'=');
    if (equals < 0) return eInvalidInput;
    const Trk_StringArray parts = strToArr(line.mid(equals + 1), kPairSeparator);
    const Trk_String varSeparator(kVarSeparator);
    for (const Trk_String& part : parts) {
        const int separator = part.find(varSeparator);
        if (separator < 0) continue;
        KvObjectMap object;
        if (object.getMappingFromStrs(part.left(separator), part.mid(separator + 1)) == eOk)
            objects.append(object);
    }
    return eOk;
}

Trk_String KvSSMapping::mappingLine(const Trk_String& key) const {
    return lineOf(key, typedPairs(objects));
}

ErrorStatus KvSSMapping::getMappingFromFile(Trk_String spreadsheet, const Trk_String& key) {
    Trk_StringArray lines;
    if (!readMappingLines(mappingFilePath(spreadsheet), lines)) return eInvalidInput;
    if (lines.isEmpty()) return eOk;
    const int index = findKeyLine(lines, key);
    if (index < 0) return eInvalidInput;
    return initMappingFromLine(lines[index]);
}

ErrorStatus KvSSMapping::setMappingToFile(Trk_String spreadsheet, Trk_String& key) {
    const Pairs pairs = storablePairs(objects);
    const Trk_String path = mappingFilePath(spreadsheet);
    Trk_StringArray lines;
    if (!readMappingLines(path, lines)) {
        // A file that is there but cannot be read would lose its other keys when rewritten.
        if (PathFileExists(path.c_str())) return eInvalidInput;
        lines.removeAll();
    }
    const int index = findKeyLine(lines, key);
    if (index >= 0) {
        KvSSMapping stored;
        if (stored.initMappingFromLine(lines[index]) == eOk && isEqual(stored)) return eOk;
        lines.removeAt(index);
    }
    lines.append(lineOf(key, pairs));
    lines.insertAt(0, kHeader);
    return ObjectExportWriteFile(path, lines) == eOk ? eOk : eInvalidInput;
}

bool KvSSMapping::hasSameMapping(const Trk_String& spreadsheet, Trk_String& key) const {
    Trk_StringArray lines;
    if (!readMappingLines(mappingFilePath(spreadsheet), lines)) return false;
    for (const Trk_String& line : lines) {
        KvSSMapping stored;
        if (stored.initMappingFromLine(line) == eOk && isEqual(stored)) {
            key = lineKey(line);
            return true;
        }
    }
    return false;
}
