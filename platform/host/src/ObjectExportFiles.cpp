#include "trk/ObjectExport.h"

#include "HostFiles.h"
#include "TextDecoding.h"

#include "trk/Trk_Settings.h"
#include "win/utf8.h"

#include <filesystem>
#include <system_error>

namespace {

bool isWildcardPattern(const Trk_String& pattern) {
    return pattern.find(L'*') >= 0 || pattern.find(L'?') >= 0;
}

// "*.txt" for "txt" and ".txt"; wildcard patterns stay as they are.
Trk_String wildcardOf(const Trk_String& pattern) {
    if (pattern.isEmpty() || isWildcardPattern(pattern)) return pattern.isEmpty() ? L"*" : pattern;
    return pattern.startsWith(L".") ? L"*" + pattern : L"*." + pattern;
}

bool matches(std::wstring_view name, std::wstring_view pattern) {
    if (pattern.empty()) return name.empty();
    if (pattern.front() == L'*') {
        for (std::size_t skip = 0; skip <= name.size(); ++skip)
            if (matches(name.substr(skip), pattern.substr(1))) return true;
        return false;
    }
    if (name.empty()) return false;
    const bool same = pattern.front() == L'?' ||
                      Trk_String(name.substr(0, 1)).equal(Trk_String(pattern.substr(0, 1)), false);
    return same && matches(name.substr(1), pattern.substr(1));
}

Trk_String relativeText(const std::filesystem::path& relative) {
    Trk_String out;
    for (const auto& part : relative) {
        if (!out.isEmpty()) out += L"\\";
        out += part.wstring();
    }
    return out;
}

} // namespace

Trk_StringArray trkx::linesOfText(std::string_view bytes) {
    Trk_StringArray lines;
    for (auto& line : splitLines(decodeText(bytes)))
        lines.append(std::move(line));
    return lines;
}

ErrorStatus ObjectExportReadFile(const Trk_String& path, Trk_StringArray& lines) {
    const auto bytes = trkx::readBytes(path.view());
    if (!bytes) return eInvalidInput;
    lines = trkx::linesOfText(*bytes);
    return eOk;
}

ErrorStatus ObjectExportWriteFile(const Trk_String& path, const Trk_StringArray& lines) {
    std::wstring text;
    for (const auto& line : lines) {
        text += line.str();
        text += L'\n';
    }
    return trkx::writeBytesAtomically(path.view(), winx::toUtf8(text)) ? eOk : eInvalidInput;
}

ErrorStatus ObjectExportFindFilesRecursive(const Trk_String& folder, const Trk_String& pattern,
                                           Trk_StringArray& files) {
    std::error_code error;
    const auto root = trkx::hostPath(folder.view());
    if (!std::filesystem::is_directory(root, error)) return eInvalidInput;
    const Trk_String wildcard = wildcardOf(pattern);
    const Trk_String prefix = withTrailingSeparator(folder);
    Trk_StringArray found;
    const auto options = std::filesystem::directory_options::skip_permission_denied;
    for (auto it = std::filesystem::recursive_directory_iterator(root, options, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        if (!it->is_regular_file(error)) continue;
        if (!matches(it->path().filename().wstring(), wildcard.view())) continue;
        found.append(prefix + relativeText(it->path().lexically_relative(root)));
    }
    ObjectExportSort(found);
    files.appendAll(found);
    return eOk;
}
