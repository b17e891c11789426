// Kernel services of the windowing platform: the calling thread's last error, movable global
// memory blocks, files, folders and file searches. Names, argument order and documented
// behaviour follow the platform's own API. Every path given to these functions goes through
// winx::nativePath, so "\\" and "/" both separate and "c:\\x" lives in a folder per drive.
#pragma once

#include "win/wintypes.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

constexpr DWORD MAX_PATH = 260;

// More status codes of the kernel services.
constexpr LONG ERROR_PATH_NOT_FOUND = 3;
constexpr LONG ERROR_INVALID_DATA = 13;
constexpr LONG ERROR_OUTOFMEMORY = 14;
constexpr LONG ERROR_NO_MORE_FILES = 18;
constexpr LONG ERROR_WRITE_FAULT = 29;
constexpr LONG ERROR_FILE_EXISTS = 80;
constexpr LONG ERROR_DIR_NOT_EMPTY = 145;
constexpr LONG ERROR_NOT_LOCKED = 158;
constexpr LONG ERROR_BAD_PATHNAME = 161;
constexpr LONG ERROR_ALREADY_EXISTS = 183;
constexpr LONG ERROR_DIRECTORY = 267;
constexpr LONG ERROR_KEY_DELETED = 1018;
constexpr LONG ERROR_CHILD_MUST_BE_VOLATILE = 1021;
constexpr LONG ERROR_CLIPBOARD_NOT_OPEN = 1418;
constexpr LONG NO_ERROR = 0;

struct FILETIME {
    DWORD dwLowDateTime = 0;
    DWORD dwHighDateTime = 0;
};
using PFILETIME = FILETIME*;
using LPFILETIME = FILETIME*;

struct SYSTEMTIME {
    WORD wYear = 0;
    WORD wMonth = 0;     // 1..12
    WORD wDayOfWeek = 0; // 0 = Sunday
    WORD wDay = 0;
    WORD wHour = 0;
    WORD wMinute = 0;
    WORD wSecond = 0;
    WORD wMilliseconds = 0;
};
using LPSYSTEMTIME = SYSTEMTIME*;

// Local date and time. Under the test clock it is the test date (winx::setTestLocalTime) moved
// on by the test clock, so tests see a fixed, advancing time.
void GetLocalTime(LPSYSTEMTIME time);

struct SECURITY_ATTRIBUTES {
    DWORD nLength = sizeof(SECURITY_ATTRIBUTES);
    LPVOID lpSecurityDescriptor = nullptr;
    BOOL bInheritHandle = FALSE;
};
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;

#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-1)))

// ---- Last error
// ----------------------------------------------------------------------------------
DWORD GetLastError();
void SetLastError(DWORD error);

// (number * numerator) / denominator rounded to the nearest integer, computed without overflow;
// -1 when the denominator is 0 or the result does not fit.
int MulDiv(int number, int numerator, int denominator);

// ---- Global memory
// ------------------------------------------------------------------------------- A fixed block's
// handle is its address; a movable block's handle must be locked to reach the data. Handles are
// validated: a freed or unknown handle fails with ERROR_INVALID_HANDLE.
constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GMEM_MODIFY = 0x0080;
constexpr UINT GMEM_DISCARDABLE = 0x0100;
constexpr UINT GMEM_SHARE = 0x2000;
constexpr UINT GMEM_DDESHARE = 0x2000;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;
// GlobalFlags results.
constexpr UINT GMEM_LOCKCOUNT = 0x00FF;
constexpr UINT GMEM_DISCARDED = 0x4000;
constexpr UINT GMEM_INVALID_HANDLE = 0x8000;

// Null on failure. A movable block of size 0 is created discarded (it cannot be locked).
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
// Null on failure, the old block then stays valid. A locked movable or a fixed block grows only
// in place unless GMEM_MOVEABLE is passed.
HGLOBAL GlobalReAlloc(HGLOBAL mem, SIZE_T bytes, UINT flags);
// Null on success, the handle itself on failure.
HGLOBAL GlobalFree(HGLOBAL mem);
LPVOID GlobalLock(HGLOBAL mem);
// Nonzero while the block stays locked; zero when it is unlocked now (last error NO_ERROR) or
// was not locked (ERROR_NOT_LOCKED).
BOOL GlobalUnlock(HGLOBAL mem);
SIZE_T GlobalSize(HGLOBAL mem);
UINT GlobalFlags(HGLOBAL mem);
// The handle of the block whose data starts at the given address; null when there is none.
HGLOBAL GlobalHandle(LPCVOID data);

// ---- Files and folders
// -----------------------------------------------------------------------------
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;
constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x00000001;
constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x00000002;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x00000010;
constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x00000020;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x00000080;

constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x00000001;
constexpr DWORD MOVEFILE_COPY_ALLOWED = 0x00000002;
constexpr DWORD MOVEFILE_WRITE_THROUGH = 0x00000008;

// Read-only files have no write permission here; a plain file without it reports
// FILE_ATTRIBUTE_NORMAL.
DWORD GetFileAttributes(LPCWSTR path);
// Only FILE_ATTRIBUTE_READONLY has an effect.
BOOL SetFileAttributes(LPCWSTR path, DWORD attributes);
// Fails with ERROR_ALREADY_EXISTS or, when the parent folder is missing, ERROR_PATH_NOT_FOUND.
BOOL CreateDirectory(LPCWSTR path, LPSECURITY_ATTRIBUTES security);
// Only an empty folder is removed (else ERROR_DIR_NOT_EMPTY).
BOOL RemoveDirectory(LPCWSTR path);
BOOL DeleteFile(LPCWSTR path);
BOOL CopyFile(LPCWSTR existing, LPCWSTR target, BOOL failIfExists);
// Fails with ERROR_ALREADY_EXISTS when the target exists.
BOOL MoveFile(LPCWSTR existing, LPCWSTR target);
BOOL MoveFileEx(LPCWSTR existing, LPCWSTR target, DWORD flags);

struct WIN32_FIND_DATA {
    DWORD dwFileAttributes = 0;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh = 0;
    DWORD nFileSizeLow = 0;
    DWORD dwReserved0 = 0;
    DWORD dwReserved1 = 0;
    WCHAR cFileName[MAX_PATH] = {};
    WCHAR cAlternateFileName[14] = {};
};
using WIN32_FIND_DATAW = WIN32_FIND_DATA;
using LPWIN32_FIND_DATA = WIN32_FIND_DATA*;

// Searches one folder for the names matching the last part of the pattern ("*" and "?",
// without regard to case; "*.*" matches every name). Entries come in name order, "." and ".."
// included for a pattern that matches them. INVALID_HANDLE_VALUE with ERROR_FILE_NOT_FOUND
// when nothing matches, ERROR_PATH_NOT_FOUND when the folder is missing.
HANDLE FindFirstFile(LPCWSTR pattern, LPWIN32_FIND_DATA data);
// FALSE with ERROR_NO_MORE_FILES after the last entry.
BOOL FindNextFile(HANDLE find, LPWIN32_FIND_DATA data);
BOOL FindClose(HANDLE find);

// Folder texts use "\\" and end with one. The result is the length without the terminator,
// or the size needed (terminator included) when the buffer is too small.
DWORD GetTempPath(DWORD bufferLength, LPWSTR buffer);
DWORD GetCurrentDirectory(DWORD bufferLength, LPWSTR buffer);
BOOL SetCurrentDirectory(LPCWSTR path);

namespace winx {

// Maps a path text of the platform to this system: "\\" and "/" both separate; "c:\\a\\t.sss"
// and "C:/a/t.sss" become <drive root>/c/a/t.sss ("..", never above the drive; the drive's
// folder is created when missing, as a drive root always exists); UNC
// ("\\\\server\\share") and relative paths keep their meaning; native absolute paths stay as
// they are. As the platform's file system ignores case, a part whose exact spelling does not
// exist takes the spelling of an existing entry that differs only in case.
std::filesystem::path nativePath(std::wstring_view path);
// The reverse of nativePath for texts handed back to callers: "\\" separates, and a path under
// the drive root becomes "c:\\...".
std::wstring platformPath(const std::filesystem::path& path);
// Chooses the folder that holds one subfolder per drive letter. The default is
// <temporary folder>/trk-drives; the host and tests choose their own.
void setDriveRoot(const std::filesystem::path& root);
std::filesystem::path driveRoot();

// Writes a whole file through a temporary file in the same folder and a rename, so the target
// is either the old or the new file. False (old file untouched, no temporary left) on failure.
[[nodiscard]] bool writeFileAtomically(const std::filesystem::path& file, std::string_view bytes);
// The whole file; empty optional when it cannot be read.
std::optional<std::string> readFile(const std::filesystem::path& file);
// Test switch: the next `count` atomic writes fail after writing their temporary file.
void failNextFileWrites(int count);

// Test switch: the next `count` calls of GlobalAlloc or GlobalReAlloc fail (null, last error
// ERROR_NOT_ENOUGH_MEMORY). Locks are not affected.
void failNextGlobalAllocs(int count);
// Global memory blocks allocated and not yet freed (leak checks).
std::size_t liveGlobalBlocks();

} // namespace winx
