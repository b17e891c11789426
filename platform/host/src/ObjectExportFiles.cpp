#include "trk/ObjectExport.h"

#include "HostFiles.h"
#include "TextDecoding.h"

#include "trk/Trk_Settings.h"
#include "win/utf8.h"
#include "win/winbase.h"

#include <sys/stat.h>

#include <ctime>
#include <filesystem>
#include <mutex>
#include <optional>
#include <system_error>
#include <unordered_map>

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
        out += winx::fromUtf8(part.native());
    }
    return out;
}

bool sameStatus(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

// Text files read again and again (a connection standard reads its look-up tables at every
// evaluation) are kept decoded while their status says they are unchanged: the same file, size
// and modification time, that time at least two seconds back, so that a rewrite within the same
// clock tick cannot go unnoticed.
class LineFileCache {
public:
    std::optional<Trk_StringArray> find(const std::filesystem::path& file,
                                        const struct stat& info) {
        const std::lock_guard lock(mutex_);
        const auto it = entries_.find(file.native());
        if (it == entries_.end() || !sameStatus(it->second.info, info)) return std::nullopt;
        return it->second.lines;
    }

    void keep(const std::filesystem::path& file, const struct stat& info,
              const Trk_StringArray& lines) {
        if (!settled(info) || info.st_size > kMaxFileBytes) return;
        const std::lock_guard lock(mutex_);
        if (entries_.size() >= kMaxFiles) entries_.clear();
        entries_.insert_or_assign(file.native(), Entry{info, lines});
    }

private:
    static constexpr std::size_t kMaxFiles = 64;
    static constexpr off_t kMaxFileBytes = 1 << 20;
    struct Entry {
        struct stat info;
        Trk_StringArray lines;
    };

    static bool settled(const struct stat& info) {
        return info.st_mtim.tv_sec + 2 < std::time(nullptr);
    }

    std::mutex mutex_;
    std::unordered_map<std::string, Entry> entries_;
};

LineFileCache& lineFileCache() {
    static LineFileCache cache;
    return cache;
}

} // namespace

Trk_StringArray trkx::linesOfText(std::string_view bytes) {
    Trk_StringArray lines;
    for (auto& line : splitLines(decodeText(bytes)))
        lines.append(std::move(line));
    return lines;
}

ErrorStatus ObjectExportReadFile(const Trk_String& path, Trk_StringArray& lines) {
    const auto file = trkx::hostPath(path.view());
    struct stat before {};
    const bool known = ::stat(file.c_str(), &before) == 0 && S_ISREG(before.st_mode);
    if (known) {
        if (auto cached = lineFileCache().find(file, before)) {
            lines = std::move(*cached);
            return eOk;
        }
    }
    const auto bytes = winx::readFile(file);
    if (!bytes) return eInvalidInput;
    lines = trkx::linesOfText(*bytes);
    struct stat after {};
    if (known && ::stat(file.c_str(), &after) == 0 && sameStatus(before, after) &&
        after.st_size == static_cast<off_t>(bytes->size()))
        lineFileCache().keep(file, after, lines);
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
        if (!matches(winx::fromUtf8(it->path().filename().native()), wildcard.view())) continue;
        found.append(prefix + relativeText(it->path().lexically_relative(root)));
    }
    ObjectExportSort(found);
    files.appendAll(found);
    return eOk;
}
