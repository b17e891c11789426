// File searches: FindFirstFile takes a snapshot of the matching entries of one folder, sorted by
// name, and FindNextFile walks it. Search handles live in a table, so a closed or invented
// handle is refused.
#include "services/CaseFold.h"
#include "services/Paths.h"
#include "win/utf8.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using winx::services::fail;

namespace {

struct Entry {
    std::wstring name;
    std::wstring foldedName;
    DWORD attributes = 0;
    std::uint64_t size = 0;
    FILETIME lastWrite;
};

struct Search {
    std::vector<Entry> entries;
    std::size_t next = 0;
};

struct SearchTable {
    std::map<std::uintptr_t, Search> searches;
    std::uintptr_t nextId = 1;
};

SearchTable& table() {
    static auto* instance = new SearchTable; // never destroyed: usable from exit handlers
    return *instance;
}

// '*' matches any run of characters, '?' one character; letters without regard to case.
bool matches(std::wstring_view pattern, std::wstring_view name) {
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starAt = std::wstring_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == L'*') {
            starAt = p++;
            starName = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == L'?' ||
                    winx::services::foldCase(pattern[p]) == winx::services::foldCase(name[n]))) {
            ++p;
            ++n;
        } else if (starAt != std::wstring_view::npos) {
            p = starAt + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*')
        ++p;
    return p == pattern.size();
}

// 100-nanosecond steps since 1601-01-01, the platform's file time.
FILETIME fileTimeOf(fs::file_time_type time) {
    using namespace std::chrono;
    constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;
    const auto sinceEpoch = file_clock::to_sys(time).time_since_epoch();
    const std::int64_t ticks =
        duration_cast<nanoseconds>(sinceEpoch).count() / 100 + kSecondsFrom1601To1970 * 10'000'000;
    FILETIME result;
    result.dwLowDateTime = static_cast<DWORD>(static_cast<std::uint64_t>(ticks) & 0xFFFFFFFF);
    result.dwHighDateTime = static_cast<DWORD>(static_cast<std::uint64_t>(ticks) >> 32);
    return result;
}

Entry entryOf(const fs::path& path, std::wstring name) {
    std::error_code error;
    Entry entry;
    entry.foldedName = winx::services::foldCase(name);
    entry.name = std::move(name);
    const auto status = fs::status(path, error);
    const bool directory = fs::is_directory(status);
    const bool readOnly = (status.permissions() & fs::perms::owner_write) == fs::perms::none;
    entry.attributes =
        (directory ? FILE_ATTRIBUTE_DIRECTORY : 0) | (readOnly ? FILE_ATTRIBUTE_READONLY : 0);
    if (entry.attributes == 0) entry.attributes = FILE_ATTRIBUTE_NORMAL;
    if (!directory) entry.size = fs::file_size(path, error);
    if (error) entry.size = 0;
    const auto written = fs::last_write_time(path, error);
    if (!error) entry.lastWrite = fileTimeOf(written);
    return entry;
}

fs::path normalFolder(const fs::path& folder) {
    fs::path normal = folder.lexically_normal();
    if (!normal.has_filename() && normal.has_relative_path()) normal = normal.parent_path();
    return normal;
}

// Roots of the file system and of drives have no "." and ".." entries.
bool isRootFolder(const fs::path& folder) {
    const fs::path normal = normalFolder(folder);
    return normal == normal.root_path() || normal.parent_path() == normalFolder(winx::driveRoot());
}

std::vector<Entry> matchingEntries(const fs::path& folder, std::wstring_view pattern) {
    std::vector<Entry> entries;
    for (const wchar_t* dots : {L".", L".."})
        if (!isRootFolder(folder) && matches(pattern, dots))
            entries.push_back(entryOf(folder / winx::toUtf8(dots), dots));
    std::error_code error;
    for (fs::directory_iterator it(folder, error); !error && it != fs::directory_iterator();
         it.increment(error)) {
        std::wstring name = winx::fromUtf8(it->path().filename().native());
        if (name.size() >= MAX_PATH || !matches(pattern, name)) continue;
        entries.push_back(entryOf(it->path(), std::move(name)));
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.foldedName != b.foldedName ? a.foldedName < b.foldedName : a.name < b.name;
    });
    return entries;
}

void fill(const Entry& entry, LPWIN32_FIND_DATA data) {
    *data = WIN32_FIND_DATA{};
    data->dwFileAttributes = entry.attributes;
    data->ftLastWriteTime = entry.lastWrite;
    data->ftCreationTime = entry.lastWrite;
    data->ftLastAccessTime = entry.lastWrite;
    data->nFileSizeHigh = static_cast<DWORD>(entry.size >> 32);
    data->nFileSizeLow = static_cast<DWORD>(entry.size & 0xFFFFFFFF);
    std::wmemcpy(data->cFileName, entry.name.c_str(), entry.name.size() + 1);
}

Search* findSearch(HANDLE find) {
    const auto it = table().searches.find(reinterpret_cast<std::uintptr_t>(find));
    if (it == table().searches.end()) {
        SetLastError(static_cast<DWORD>(ERROR_INVALID_HANDLE));
        return nullptr;
    }
    return &it->second;
}

} // namespace

HANDLE FindFirstFile(LPCWSTR pattern, LPWIN32_FIND_DATA data) {
    if (!pattern || !*pattern || !data) {
        fail(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const std::wstring_view text(pattern);
    const std::size_t cut = text.find_last_of(L"\\/");
    std::wstring_view namePattern = cut == std::wstring_view::npos ? text : text.substr(cut + 1);
    std::wstring folderText(cut == std::wstring_view::npos ? L"." : text.substr(0, cut + 1));
    if (cut == std::wstring_view::npos && text.size() >= 2 && text[1] == L':') {
        folderText = std::wstring(text.substr(0, 2)) + L"\\";
        namePattern = text.substr(2);
    }
    const fs::path folder = winx::nativePath(folderText);
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        fail(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    if (namePattern == L"*.*") namePattern = L"*";
    std::vector<Entry> entries =
        namePattern.empty() ? std::vector<Entry>{} : matchingEntries(folder, namePattern);
    if (entries.empty()) {
        fail(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    fill(entries.front(), data);
    const std::uintptr_t id = (table().nextId++ << 4) | 0x8;
    table().searches[id] = Search{std::move(entries), 1};
    SetLastError(NO_ERROR);
    return reinterpret_cast<HANDLE>(id);
}

BOOL FindNextFile(HANDLE find, LPWIN32_FIND_DATA data) {
    Search* search = findSearch(find);
    if (!search) return FALSE;
    if (!data) return fail(ERROR_INVALID_PARAMETER);
    if (search->next >= search->entries.size()) return fail(ERROR_NO_MORE_FILES);
    fill(search->entries[search->next++], data);
    return TRUE;
}

BOOL FindClose(HANDLE find) {
    if (!findSearch(find)) return FALSE;
    table().searches.erase(reinterpret_cast<std::uintptr_t>(find));
    return TRUE;
}
