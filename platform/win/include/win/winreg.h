// The registry of the windowing platform: a tree of keys holding typed values under a few
// predefined roots. Names, argument order and documented behaviour follow the platform's own
// API; status codes are returned (ERROR_SUCCESS on success). Key and value names compare
// without regard to case and keep their spelling; the default value has the empty name.
// Opened keys are handles checked on every call: a closed or unknown handle gives
// ERROR_INVALID_HANDLE, a handle to a key deleted since gives ERROR_KEY_DELETED.
//
// The registry lives in memory and, once winx::setRegistryFile has chosen a file, every change
// is written to that file at once (atomically). The file is UTF-8 text, one item a line, keys
// and values sorted without regard to case so that equal registries give equal files:
//
//   file    => "trk-registry 1" EOL (blank | comment | key | value)*
//   comment => ";" any* EOL
//   key     => "[" root ("\" name)* "]" EOL          root: HKEY_CLASSES_ROOT, HKEY_CURRENT_USER,
//                                                       HKEY_LOCAL_MACHINE or HKEY_USERS
//   value   => ("@" | quoted) "=" data EOL           "@" is the default (unnamed) value
//   data    => "sz:" quoted | "expand_sz:" quoted | "multi_sz:" [quoted ("," quoted)*]
//            | "dword:" decimal | "qword:" decimal | "hex:" hexbytes | "hex(" type "):" hexbytes
//   quoted  => '"' (char | "\\" | "\"" | "\n" | "\r" | "\t" | "\0" | "\u{" hex "}")* '"'
//
// A value is written in its readable form only when that form gives back exactly the stored
// bytes (a text with one terminator, a 4-byte dword, ...); anything else is kept as
// "hex(<type>):" with the raw bytes, so every value survives a round trip unchanged.
// Volatile keys are never written.
#pragma once

#include "win/winbase.h"
#include "win/wintypes.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

using REGSAM = DWORD;
using PHKEY = HKEY*;
using LSTATUS = LONG;

#define HKEY_CLASSES_ROOT (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000000u)))
#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000001u)))
#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000002u)))
#define HKEY_USERS (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000003u)))

// Value types.
constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr DWORD REG_DWORD_LITTLE_ENDIAN = 4;
constexpr DWORD REG_DWORD_BIG_ENDIAN = 5;
constexpr DWORD REG_LINK = 6;
constexpr DWORD REG_MULTI_SZ = 7;
constexpr DWORD REG_QWORD = 11;
constexpr DWORD REG_QWORD_LITTLE_ENDIAN = 11;

// Access rights. Predefined roots have every right; an opened key has what was asked for.
constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_NOTIFY = 0x0010;
constexpr REGSAM KEY_CREATE_LINK = 0x0020;
constexpr REGSAM KEY_WOW64_64KEY = 0x0100;
constexpr REGSAM KEY_WOW64_32KEY = 0x0200;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_EXECUTE = KEY_READ;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

constexpr DWORD REG_OPTION_NON_VOLATILE = 0x0000;
constexpr DWORD REG_OPTION_VOLATILE = 0x0001;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Creates the key and every missing key on the way, or opens it when it exists (disposition
// tells which). Names must not be empty or hold control characters.
LSTATUS RegCreateKeyEx(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass, DWORD options,
                       REGSAM desired, const SECURITY_ATTRIBUTES* security, PHKEY result,
                       LPDWORD disposition);
// ERROR_FILE_NOT_FOUND when the key does not exist. A null or empty subKey opens `key` again.
LSTATUS RegOpenKeyEx(HKEY key, LPCWSTR subKey, DWORD options, REGSAM desired, PHKEY result);
LSTATUS RegCloseKey(HKEY key);
// Stores `size` bytes as given; text sizes count bytes of wchar_t text including the
// terminator, i.e. sizeof(wchar_t) * (length + 1).
LSTATUS RegSetValueEx(HKEY key, LPCWSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                      DWORD size);
// *size holds the buffer size on entry and the value's size on return. Without a buffer only
// the size (and type) is returned; a buffer too small gives ERROR_MORE_DATA.
LSTATUS RegQueryValueEx(HKEY key, LPCWSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                        LPDWORD size);
LSTATUS RegDeleteValue(HKEY key, LPCWSTR valueName);
// Deletes a key without subkeys (else ERROR_ACCESS_DENIED). Predefined roots cannot be deleted.
LSTATUS RegDeleteKey(HKEY key, LPCWSTR subKey);
// Deletes a key with all its subkeys and values.
LSTATUS SHDeleteKey(HKEY key, LPCWSTR subKey);
// Names come in sorted order. *nameLength holds the buffer length in characters on entry and
// the name's length without terminator on return; ERROR_NO_MORE_ITEMS past the end.
LSTATUS RegEnumKeyEx(HKEY key, DWORD index, LPWSTR name, LPDWORD nameLength, LPDWORD reserved,
                     LPWSTR keyClass, LPDWORD classLength, PFILETIME lastWriteTime);
LSTATUS RegEnumValue(HKEY key, DWORD index, LPWSTR valueName, LPDWORD valueNameLength,
                     LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size);
// Counts and longest lengths (names in characters without terminator, data in bytes).
LSTATUS RegQueryInfoKey(HKEY key, LPWSTR keyClass, LPDWORD classLength, LPDWORD reserved,
                        LPDWORD subKeys, LPDWORD maxSubKeyLength, LPDWORD maxClassLength,
                        LPDWORD values, LPDWORD maxValueNameLength, LPDWORD maxValueLength,
                        LPDWORD securityDescriptorSize, PFILETIME lastWriteTime);
// Changes are written at once, so flushing has nothing left to do.
LSTATUS RegFlushKey(HKEY key);

namespace winx {

// Outcome of reading the registry file. A problem leaves the registry empty; the host prints
// the problem text on the command line.
struct RegistryLoad {
    bool ok = true;
    std::wstring problem;
};

// Chooses the registry file and loads it in place of the current content (a missing file gives
// an empty registry). A corrupt file is renamed to <file>.corrupt (or .corrupt2, ...) before
// anything can be written over it. Keys opened before are gone (ERROR_KEY_DELETED).
RegistryLoad setRegistryFile(const std::filesystem::path& file);
// The chosen file; empty while the registry lives in memory only.
std::filesystem::path registryFile();
// Empties the registry, closes every opened key and forgets the file (tests).
void resetRegistry();
// Replaces the content by the given file text (UTF-8, format above) and writes it to the
// registry file if one is chosen. A malformed text changes nothing.
RegistryLoad loadRegistryText(std::string_view text);
// The content in the file format, byte for byte what the registry file holds.
std::string registryText();
// Keys opened and not yet closed (leak checks).
std::size_t openRegistryKeys();

} // namespace winx
