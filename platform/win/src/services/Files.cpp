// The kernel's file and folder functions over std::filesystem. Every path goes through
// winx::nativePath; failures set the platform's last-error codes.
#include "services/Paths.h"

#include "win/utf8.h"

#include <cstring>
#include <string>

namespace fs = std::filesystem;
using winx::services::fail;
using winx::services::nativeOf;

namespace {

fs::path withoutTrailingSeparator(fs::path path) {
    while (!path.has_filename() && path.has_relative_path())
        path = path.parent_path();
    return path;
}

// The platform tells a missing folder on the way from a missing last part.
LONG notFoundError(const fs::path& path) {
    std::error_code error;
    const fs::path parent = withoutTrailingSeparator(path).parent_path();
    if (!parent.empty() && !fs::is_directory(parent, error)) return ERROR_PATH_NOT_FOUND;
    return ERROR_FILE_NOT_FOUND;
}

fs::file_status statusOf(const fs::path& path) {
    std::error_code error;
    return fs::status(path, error);
}

bool isReadOnly(const fs::file_status& status) {
    return (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

DWORD attributesOf(const fs::file_status& status) {
    DWORD attributes = 0;
    if (fs::is_directory(status)) attributes |= FILE_ATTRIBUTE_DIRECTORY;
    if (isReadOnly(status)) attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes;
}

BOOL succeed() {
    SetLastError(NO_ERROR);
    return TRUE;
}

// A file (not a folder) that may be replaced: missing, or present and writable.
LONG replaceableTarget(const fs::path& target) {
    const auto status = statusOf(target);
    if (!fs::exists(status)) return NO_ERROR;
    if (fs::is_directory(status) || isReadOnly(status)) return ERROR_ACCESS_DENIED;
    return NO_ERROR;
}

BOOL copyThenDelete(const fs::path& from, const fs::path& to) {
    std::error_code error;
    if (fs::is_directory(from, error)) return fail(ERROR_ACCESS_DENIED);
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
    if (!error) fs::remove(from, error);
    return error ? fail(winx::services::errorFromCode(error)) : succeed();
}

BOOL move(const fs::path& from, const fs::path& to, bool replace, bool copyAllowed) {
    if (from.empty() || to.empty()) return fail(ERROR_INVALID_PARAMETER);
    if (!fs::exists(statusOf(from))) return fail(notFoundError(from));
    if (fs::exists(statusOf(to))) {
        if (!replace) return fail(ERROR_ALREADY_EXISTS);
        if (const LONG problem = replaceableTarget(to); problem != NO_ERROR) return fail(problem);
    }
    std::error_code error;
    fs::rename(from, to, error);
    if (error == std::errc::cross_device_link && copyAllowed) return copyThenDelete(from, to);
    return error ? fail(winx::services::errorFromCode(error)) : succeed();
}

} // namespace

DWORD GetFileAttributes(LPCWSTR path) {
    const fs::path native = nativeOf(path);
    const auto status = statusOf(native);
    if (native.empty() || !fs::exists(status)) {
        fail(native.empty() ? ERROR_PATH_NOT_FOUND : notFoundError(native));
        return INVALID_FILE_ATTRIBUTES;
    }
    return attributesOf(status);
}

BOOL SetFileAttributes(LPCWSTR path, DWORD attributes) {
    const fs::path native = nativeOf(path);
    if (native.empty() || !fs::exists(statusOf(native))) return fail(ERROR_FILE_NOT_FOUND);
    constexpr auto write =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    std::error_code error;
    if (attributes & FILE_ATTRIBUTE_READONLY)
        fs::permissions(native, write, fs::perm_options::remove, error);
    else
        fs::permissions(native, fs::perms::owner_write, fs::perm_options::add, error);
    return error ? fail(winx::services::errorFromCode(error)) : succeed();
}

BOOL CreateDirectory(LPCWSTR path, LPSECURITY_ATTRIBUTES) {
    const fs::path native = withoutTrailingSeparator(nativeOf(path));
    if (native.empty()) return fail(ERROR_PATH_NOT_FOUND);
    if (fs::exists(statusOf(native))) return fail(ERROR_ALREADY_EXISTS);
    const fs::path parent = native.parent_path();
    if (!parent.empty() && !fs::is_directory(statusOf(parent))) return fail(ERROR_PATH_NOT_FOUND);
    std::error_code error;
    fs::create_directory(native, error);
    return error ? fail(winx::services::errorFromCode(error)) : succeed();
}

BOOL RemoveDirectory(LPCWSTR path) {
    const fs::path native = withoutTrailingSeparator(nativeOf(path));
    const auto status = statusOf(native);
    if (native.empty() || !fs::exists(status)) return fail(ERROR_FILE_NOT_FOUND);
    if (!fs::is_directory(status)) return fail(ERROR_DIRECTORY);
    std::error_code error;
    fs::remove(native, error);
    return error ? fail(winx::services::errorFromCode(error)) : succeed();
}

BOOL DeleteFile(LPCWSTR path) {
    const fs::path native = nativeOf(path);
    const auto status = statusOf(native);
    if (native.empty() || !fs::exists(status)) return fail(notFoundError(native));
    if (fs::is_directory(status) || isReadOnly(status)) return fail(ERROR_ACCESS_DENIED);
    std::error_code error;
    fs::remove(native, error);
    return error ? fail(winx::services::errorFromCode(error)) : succeed();
}

BOOL CopyFile(LPCWSTR existing, LPCWSTR target, BOOL failIfExists) {
    const fs::path from = nativeOf(existing);
    const fs::path to = nativeOf(target);
    if (from.empty() || to.empty()) return fail(ERROR_INVALID_PARAMETER);
    const auto status = statusOf(from);
    if (!fs::exists(status)) return fail(notFoundError(from));
    if (fs::is_directory(status)) return fail(ERROR_ACCESS_DENIED);
    if (fs::exists(statusOf(to)) && failIfExists) return fail(ERROR_FILE_EXISTS);
    if (const LONG problem = replaceableTarget(to); problem != NO_ERROR) return fail(problem);
    std::error_code error;
    if (fs::equivalent(from, to, error)) return fail(ERROR_ACCESS_DENIED);
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
    return error ? fail(winx::services::errorFromCode(error)) : succeed();
}

BOOL MoveFile(LPCWSTR existing, LPCWSTR target) {
    return move(nativeOf(existing), nativeOf(target), false, true);
}

BOOL MoveFileEx(LPCWSTR existing, LPCWSTR target, DWORD flags) {
    return move(nativeOf(existing), nativeOf(target), (flags & MOVEFILE_REPLACE_EXISTING) != 0,
                (flags & MOVEFILE_COPY_ALLOWED) != 0);
}

namespace {

DWORD copyText(const std::wstring& text, DWORD bufferLength, LPWSTR buffer) {
    const auto length = static_cast<DWORD>(text.size());
    if (!buffer || bufferLength <= length) return length + 1;
    std::wmemcpy(buffer, text.c_str(), text.size() + 1);
    return length;
}

} // namespace

DWORD GetTempPath(DWORD bufferLength, LPWSTR buffer) {
    std::error_code error;
    const fs::path temp = fs::temp_directory_path(error);
    if (error) {
        fail(ERROR_PATH_NOT_FOUND);
        return 0;
    }
    std::wstring text = winx::platformPath(temp);
    if (text.empty() || text.back() != L'\\') text += L'\\';
    return copyText(text, bufferLength, buffer);
}

DWORD GetCurrentDirectory(DWORD bufferLength, LPWSTR buffer) {
    std::error_code error;
    const fs::path current = fs::current_path(error);
    if (error) {
        fail(winx::services::errorFromCode(error));
        return 0;
    }
    return copyText(winx::platformPath(current), bufferLength, buffer);
}

BOOL SetCurrentDirectory(LPCWSTR path) {
    const fs::path native = nativeOf(path);
    if (native.empty() || !fs::is_directory(statusOf(native))) return fail(ERROR_PATH_NOT_FOUND);
    std::error_code error;
    fs::current_path(native, error);
    return error ? fail(winx::services::errorFromCode(error)) : succeed();
}
