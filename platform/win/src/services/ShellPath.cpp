// Path texts of the shell's light-weight utilities: pure text work on MAX_PATH buffers, except
// PathFileExists and PathIsDirectory, which look at the file system through nativePath.
#include "services/Paths.h"
#include "win/shlwapi.h"

#include <cstring>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

bool isSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool hasDrive(std::wstring_view text) {
    return text.size() >= 2 && text[1] == L':';
}

// Length of the part that cannot be removed: "c:\\", "c:", "\\\\server\\share\\", "\\" or "".
std::size_t rootLength(std::wstring_view text) {
    if (hasDrive(text)) return text.size() > 2 && isSeparator(text[2]) ? 3 : 2;
    if (text.size() >= 2 && isSeparator(text[0]) && isSeparator(text[1])) {
        std::size_t at = 2;
        for (int part = 0; part < 2 && at < text.size(); ++part) {
            while (at < text.size() && !isSeparator(text[at]))
                ++at;
            if (at < text.size()) ++at;
        }
        return at;
    }
    return !text.empty() && isSeparator(text[0]) ? 1 : 0;
}

bool store(LPWSTR path, const std::wstring& text) {
    if (text.size() >= MAX_PATH) return false;
    std::wmemcpy(path, text.c_str(), text.size() + 1);
    return true;
}

// Root kept, then the parts with "." dropped and ".." taking away the part before it.
std::wstring canonical(std::wstring_view text) {
    const std::size_t root = rootLength(text);
    std::wstring result(text.substr(0, root));
    for (auto& c : result)
        if (c == L'/') c = L'\\';
    std::vector<std::wstring> parts;
    std::wstring current;
    const auto flush = [&] {
        if (current == L"..") {
            if (!parts.empty() && parts.back() != L"..")
                parts.pop_back();
            else if (root == 0)
                parts.push_back(current);
        } else if (!current.empty() && current != L".") {
            parts.push_back(current);
        }
        current.clear();
    };
    for (std::size_t i = root; i < text.size(); ++i) {
        if (isSeparator(text[i]))
            flush();
        else
            current += text[i];
    }
    flush();
    for (std::size_t i = 0; i < parts.size(); ++i)
        result += (i ? L"\\" : L"") + parts[i];
    if (result.empty() && !text.empty()) result = L"\\";
    return result;
}

} // namespace

BOOL PathFileExists(LPCWSTR path) {
    const fs::path native = winx::services::nativeOf(path);
    std::error_code error;
    return !native.empty() && fs::exists(native, error);
}

BOOL PathIsDirectory(LPCWSTR path) {
    const fs::path native = winx::services::nativeOf(path);
    std::error_code error;
    return !native.empty() && fs::is_directory(native, error) ? FILE_ATTRIBUTE_DIRECTORY : FALSE;
}

BOOL PathIsRelative(LPCWSTR path) {
    if (!path || !*path) return TRUE;
    return !isSeparator(path[0]) && !hasDrive(path);
}

LPWSTR PathFindFileName(LPCWSTR path) {
    if (!path) return nullptr;
    LPCWSTR name = path;
    for (LPCWSTR at = path; *at; ++at)
        if ((isSeparator(*at) || *at == L':') && at[1] && !isSeparator(at[1])) name = at + 1;
    return const_cast<LPWSTR>(name);
}

LPWSTR PathFindExtension(LPCWSTR path) {
    if (!path) return nullptr;
    LPCWSTR dot = nullptr;
    LPCWSTR at = path;
    for (; *at; ++at) {
        if (isSeparator(*at))
            dot = nullptr;
        else if (*at == L'.')
            dot = at;
    }
    return const_cast<LPWSTR>(dot ? dot : at);
}

void PathRemoveExtension(LPWSTR path) {
    if (path) *PathFindExtension(path) = L'\0';
}

BOOL PathRenameExtension(LPWSTR path, LPCWSTR extension) {
    if (!path || !extension) return FALSE;
    LPWSTR dot = PathFindExtension(path);
    const std::size_t kept = static_cast<std::size_t>(dot - path);
    if (kept + std::wcslen(extension) >= MAX_PATH) return FALSE;
    std::wcscpy(dot, extension);
    return TRUE;
}

BOOL PathRemoveFileSpec(LPWSTR path) {
    if (!path || !*path) return FALSE;
    const std::wstring_view text(path);
    const std::size_t root = rootLength(text);
    std::size_t cut = text.size();
    while (cut > root && !isSeparator(text[cut - 1]))
        --cut;
    // cut is now just past the last separator (or at the root).
    std::size_t end = cut > root ? cut - 1 : root;
    if (end == text.size()) return FALSE;
    path[end] = L'\0';
    return TRUE;
}

BOOL PathAppend(LPWSTR path, LPCWSTR more) {
    if (!path || !more) return FALSE;
    std::wstring joined(path);
    std::wstring_view tail(more);
    while (!tail.empty() && isSeparator(tail.front()) && !(tail.size() > 1 && isSeparator(tail[1])))
        tail.remove_prefix(1);
    if (!joined.empty() && !isSeparator(joined.back()) && !tail.empty()) joined += L'\\';
    joined += tail;
    return store(path, canonical(joined)) ? TRUE : FALSE;
}

LPWSTR PathAddBackslash(LPWSTR path) {
    if (!path) return nullptr;
    const std::size_t length = std::wcslen(path);
    if (length > 0 && isSeparator(path[length - 1])) return path + length;
    if (length + 1 >= MAX_PATH) return nullptr;
    if (length == 0) return path;
    path[length] = L'\\';
    path[length + 1] = L'\0';
    return path + length + 1;
}

LPWSTR PathRemoveBackslash(LPWSTR path) {
    if (!path) return nullptr;
    const std::size_t length = std::wcslen(path);
    if (length == 0) return path;
    if (isSeparator(path[length - 1]) && length > rootLength(path)) {
        path[length - 1] = L'\0';
        return path + length - 1;
    }
    return path + length - 1;
}

void PathStripPath(LPWSTR path) {
    if (!path) return;
    LPWSTR name = PathFindFileName(path);
    if (name != path) std::wmemmove(path, name, std::wcslen(name) + 1);
}
