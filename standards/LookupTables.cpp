#include "standards/LookupTables.h"

#include "trk/ObjectExport.h"
#include "trk/Trk_Settings.h"

#include "win/winbase.h"

#include <string_view>

namespace {

std::wstring_view withoutLineComment(std::wstring_view line) {
    const auto comment = line.find(L"//");
    return comment == std::wstring_view::npos ? line : line.substr(0, comment);
}

void addRow(std::wstring_view line, LookupTable& table) {
    const auto firstTab = line.find(L'\t');
    table.keys.append(Trk_String(line.substr(0, firstTab)));
    if (firstTab == std::wstring_view::npos) {
        table.values.emplace_back();
        return;
    }
    const auto rest = line.substr(firstTab + 1);
    table.values.emplace_back(Trk_String(rest.substr(0, rest.find(L'\t'))));
}

} // namespace

bool isExistingFile(const Trk_String& path) {
    if (path.isEmpty()) return false;
    const DWORD attributes = GetFileAttributes(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<Trk_String> resolveStandardsDataFile(const Trk_String& name) {
    const Trk_String& lib = gSettings.libDir;
    const Trk_String candidates[] = {
        name,
        lib + L"Connection Standards\\Data\\" + name,
        lib + L"Connection Standards\\" + name,
        lib + name,
    };
    for (const Trk_String& path : candidates)
        if (isExistingFile(path)) return path;
    return std::nullopt;
}

LookupTable parseLookupTable(const Trk_StringArray& lines) {
    LookupTable table;
    table.values.reserve(static_cast<std::size_t>(lines.length()));
    for (int i = 0; i < lines.length(); ++i) {
        const std::wstring_view line = withoutLineComment(lines[i].view());
        if (!line.empty()) addRow(line, table);
    }
    return table;
}

std::optional<LookupTable> readLookupTable(const Trk_String& path) {
    Trk_StringArray lines;
    if (ObjectExportReadFile(path, lines) != eOk) return std::nullopt;
    return parseLookupTable(lines);
}
