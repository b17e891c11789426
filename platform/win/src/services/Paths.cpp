// Path texts of the platform mapped to this system, and whole-file reads and atomic writes.
#include "services/Paths.h"

#include "services/CaseFold.h"
#include "win/utf8.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <mutex>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

namespace fs = std::filesystem;

namespace winx {
namespace {

fs::path& driveRootSetting() {
    static fs::path root = [] {
        std::error_code error;
        const fs::path temp = fs::temp_directory_path(error);
        return (error ? fs::path("/tmp") : temp) / "trk-drives";
    }();
    return root;
}

int fileWriteFailuresToInject = 0;

bool isSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool isDriveLetter(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

bool hasDrive(std::wstring_view text) {
    return text.size() >= 2 && isDriveLetter(text[0]) && text[1] == L':';
}

fs::path fromWide(std::wstring_view text) {
    return fs::path(toUtf8(text));
}

std::wstring wideName(const fs::path& part) {
    return fromUtf8(part.native());
}

std::vector<std::wstring> splitParts(std::wstring_view text) {
    std::vector<std::wstring> parts;
    std::wstring current;
    for (const wchar_t c : text) {
        if (!isSeparator(c)) {
            current += c;
            continue;
        }
        parts.push_back(current);
        current.clear();
    }
    parts.push_back(current);
    return parts;
}

// "c:\\a\\..\\b" -> <root>/c/b; ".." stops at the drive, as on the platform.
fs::path drivePath(std::wstring_view text) {
    const wchar_t letter = static_cast<wchar_t>(services::foldCase(text[0]));
    std::vector<std::wstring> kept;
    for (const auto& part : splitParts(text.substr(2))) {
        if (part.empty() || part == L".") continue;
        if (part == L"..") {
            if (!kept.empty()) kept.pop_back();
            continue;
        }
        kept.push_back(part);
    }
    fs::path result = driveRootSetting() / fromWide(std::wstring(1, letter));
    // A drive's root always exists on the platform.
    std::error_code error;
    fs::create_directories(result, error);
    for (const auto& part : kept)
        result /= fromWide(part);
    if (!text.empty() && isSeparator(text.back()) && !kept.empty()) result += "/";
    return result;
}

fs::path separatorsMapped(std::wstring_view text) {
    std::wstring mapped(text);
    for (auto& c : mapped)
        if (c == L'\\') c = L'/';
    return fromWide(mapped);
}

// A folder's entries by their case-folded names; the first in name order wins when several
// names fold alike.
using FoldedNames = std::unordered_map<std::wstring, fs::path>;

FoldedNames listFolder(const fs::path& folder) {
    FoldedNames names;
    std::error_code error;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        fs::path name = it->path().filename();
        auto [slot, added] = names.try_emplace(services::foldCase(wideName(name)), name);
        if (!added && name < slot->second) slot->second = std::move(name);
    }
    return names;
}

// Listings of folders whose modification time lies at least two seconds back: such a folder
// changes its time with any entry added, removed or renamed, and a later change cannot fall
// into the same clock tick as the listing. Files looked up again and again under names that do
// not exist as written (a name tried in several folders in turn) then cost one status call
// instead of a listing.
class FolderListings {
public:
    fs::path find(const fs::path& folder, const std::wstring& folded) {
        std::error_code error;
        const fs::path key = folder.empty() ? fs::path(".") : folder;
        const auto modified = fs::last_write_time(key, error);
        if (error) return {};
        if (modified > fs::file_time_type::clock::now() - std::chrono::seconds(2))
            return nameIn(listFolder(key), folded);
        const std::lock_guard lock(mutex_);
        auto it = listings_.find(key.native());
        if (it == listings_.end() || it->second.modified != modified) {
            if (listings_.size() >= kMaxFolders) listings_.clear();
            it = listings_.insert_or_assign(key.native(), Listing{modified, listFolder(key)}).first;
        }
        return nameIn(it->second.names, folded);
    }

private:
    static constexpr std::size_t kMaxFolders = 256;
    struct Listing {
        fs::file_time_type modified;
        FoldedNames names;
    };

    static fs::path nameIn(const FoldedNames& names, const std::wstring& folded) {
        const auto it = names.find(folded);
        return it == names.end() ? fs::path() : it->second;
    }

    std::mutex mutex_;
    std::unordered_map<std::string, Listing> listings_;
};

// The entry of `folder` whose name equals `part` without regard to case (the first in name
// order when several do); empty when there is none.
fs::path entryIgnoringCase(const fs::path& folder, const fs::path& part) {
    static FolderListings listings;
    return listings.find(folder, services::foldCase(wideName(part)));
}

fs::path resolveCase(const fs::path& path) {
    std::error_code error;
    if (path.empty() || fs::symlink_status(path, error).type() != fs::file_type::not_found)
        return path;
    // Most missing paths lie in a folder that exists as written: only their last part needs
    // a look at the folder's entries.
    const fs::path folder = path.parent_path();
    if (path.has_filename() && !folder.empty() && folder != path &&
        fs::symlink_status(folder, error).type() != fs::file_type::not_found) {
        const fs::path match = entryIgnoringCase(folder, path.filename());
        return folder / (match.empty() ? path.filename() : match);
    }
    fs::path result = path.root_path();
    bool resolving = true;
    for (const auto& part : path.relative_path()) {
        const fs::path exact = result / part;
        if (!resolving || part.empty() || part == "." || part == ".." ||
            fs::symlink_status(exact, error).type() != fs::file_type::not_found) {
            result = exact;
            continue;
        }
        const fs::path match = entryIgnoringCase(result, part);
        resolving = !match.empty();
        result = resolving ? result / match : exact;
    }
    return result;
}

std::string temporaryName(const fs::path& file) {
    static std::atomic<unsigned> counter{0};
    static const unsigned salt = std::random_device{}();
    std::string name = ".";
    name.append(file.filename().string()).append(".tmp").append(std::to_string(salt));
    return name.append("-").append(std::to_string(counter++));
}

bool writeWhole(const fs::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

} // namespace

std::filesystem::path nativePath(std::wstring_view path) {
    if (hasDrive(path)) return resolveCase(drivePath(path));
    return resolveCase(separatorsMapped(path));
}

std::wstring platformPath(const std::filesystem::path& path) {
    const fs::path root = driveRootSetting();
    const auto relative = path.lexically_relative(root);
    const std::wstring text = wideName(path);
    std::wstring result = text;
    if (!root.empty() && !relative.empty() && *relative.begin() != ".." &&
        *relative.begin() != ".") {
        const std::wstring letter = wideName(*relative.begin());
        if (letter.size() == 1 && isDriveLetter(letter[0])) {
            result = letter + L":\\";
            const std::wstring rest = wideName(relative.lexically_relative(*relative.begin()));
            if (rest != L".") result += rest;
        }
    }
    for (auto& c : result)
        if (c == L'/') c = L'\\';
    return result;
}

void setDriveRoot(const std::filesystem::path& root) {
    driveRootSetting() = root;
}

std::filesystem::path driveRoot() {
    return driveRootSetting();
}

bool writeFileAtomically(const std::filesystem::path& file, std::string_view bytes) {
    if (file.empty() || !file.has_filename()) return false;
    const fs::path temporary = file.parent_path() / temporaryName(file);
    bool written = writeWhole(temporary, bytes);
    if (written && fileWriteFailuresToInject > 0) {
        --fileWriteFailuresToInject;
        written = false;
    }
    std::error_code error;
    if (written) fs::rename(temporary, file, error);
    if (!written || error) {
        fs::remove(temporary, error);
        return false;
    }
    return true;
}

std::optional<std::string> readFile(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return std::nullopt;
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return std::nullopt;
        if (got == 0) break; // the file shrank meanwhile
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    char more[4096]; // whatever was appended meanwhile
    for (;;) {
        const ssize_t got = ::read(fd, more, sizeof more);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return std::nullopt;
        if (got == 0) break;
        bytes.append(more, static_cast<std::size_t>(got));
    }
    return bytes;
}

void failNextFileWrites(int count) {
    fileWriteFailuresToInject = count < 0 ? 0 : count;
}

namespace services {

std::filesystem::path nativeOf(LPCWSTR text) {
    if (!text || !*text) return {};
    return nativePath(text);
}

LONG errorFromCode(const std::error_code& error) {
    if (error == std::errc::no_such_file_or_directory) return ERROR_FILE_NOT_FOUND;
    if (error == std::errc::file_exists) return ERROR_ALREADY_EXISTS;
    if (error == std::errc::directory_not_empty) return ERROR_DIR_NOT_EMPTY;
    if (error == std::errc::not_a_directory) return ERROR_PATH_NOT_FOUND;
    if (error == std::errc::not_enough_memory) return ERROR_NOT_ENOUGH_MEMORY;
    if (error == std::errc::invalid_argument) return ERROR_INVALID_PARAMETER;
    return ERROR_ACCESS_DENIED;
}

BOOL fail(LONG error) {
    SetLastError(static_cast<DWORD>(error));
    return FALSE;
}

} // namespace services
} // namespace winx
