// Mapping lines and files: every line either parses or is refused; a parsed line rebuilt from
// its objects parses to the same objects; reading and writing the lines as a mapping file never
// fails on the file's content.
#include "standards/KvSSMapping.h"

#include "trk/ObjectExport.h"
#include "trk/Trk_Settings.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

bool sameObject(const KvObjectMap& a, const KvObjectMap& b) {
    return a.type == b.type && a.owner == b.owner && a.objectName == b.objectName &&
           a.ssVarName == b.ssVarName;
}

void checkLine(const Trk_String& line) {
    KvSSMapping mapping;
    if (mapping.initMappingFromLine(line) != eOk) {
        if (line.find(L'=') >= 0 || !mapping.objects.isEmpty()) std::abort();
        return;
    }
    const Trk_String key = line.left(line.find(L'='));
    KvSSMapping again;
    if (again.initMappingFromLine(mapping.mappingLine(key)) != eOk) std::abort();
    if (again.objects.length() != mapping.objects.length()) std::abort();
    for (int i = 0; i < mapping.objects.length(); ++i)
        if (!sameObject(mapping.objects[i], again.objects[i])) std::abort();
}

// A library folder of this process, so that file operations stay in a temporary place.
const std::filesystem::path& library() {
    static const std::filesystem::path folder = [] {
        const auto path = std::filesystem::temp_directory_path() /
                          ("trk-fuzz-mapping-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path / "Connection Standards");
        gSettings.setLibDir(Trk_String(path.wstring()));
        return path;
    }();
    return folder;
}

void checkFile(const Trk_StringArray& lines) {
    library();
    const Trk_String sheet = L"Fuzz";
    if (ObjectExportWriteFile(KvSSMapping::mappingFilePath(sheet), lines) != eOk) std::abort();
    KvSSMapping mapping;
    Trk_String key = lines.isEmpty() ? Trk_String() : lines[lines.length() - 1];
    key = key.left(std::max(key.find(L'='), 0));
    (void)mapping.getMappingFromFile(sheet, key);
    if (mapping.setMappingToFile(sheet, key) != eOk) std::abort();
    KvSSMapping reread;
    const ErrorStatus status = reread.getMappingFromFile(sheet, key);
    if (!key.isEmpty() && status != eOk) std::abort(); // a line with the key was just written
    Trk_String found;
    (void)mapping.hasSameMapping(sheet, found);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Trk_StringArray lines = trkx::linesOfText(bytes);
    for (const Trk_String& line : lines)
        checkLine(line);
    checkFile(lines);
    return 0;
}
