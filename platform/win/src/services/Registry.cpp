// The registry functions: handles, paths of subkeys, the value size protocol, and writing every
// change to the registry file.
#include "services/CaseFold.h"
#include "services/RegistryFile.h"
#include "services/RegistryTree.h"

#include "win/utf8.h"
#include "win/winreg.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

namespace fs = std::filesystem;
using namespace winx::services;

namespace {

struct OpenedKey {
    std::shared_ptr<RegKey> key;
    REGSAM access = 0;
};

struct Registry {
    RegTree tree;
    std::map<std::uintptr_t, OpenedKey> opened;
    std::uintptr_t nextHandle = 1;
    fs::path file;
};

Registry& registry() {
    static auto* instance = new Registry; // never destroyed: usable from exit handlers
    return *instance;
}

constexpr std::uintptr_t kFirstRoot = 0x80000000u;

// The key behind a handle, or null with the status explaining why.
RegKey* keyOf(HKEY handle, REGSAM needed, LONG& status) {
    const auto value = reinterpret_cast<std::uintptr_t>(handle);
    if (value >= kFirstRoot && value < kFirstRoot + kRootCount)
        return registry().tree.roots[value - kFirstRoot].get();
    const auto it = registry().opened.find(value);
    if (it == registry().opened.end()) {
        status = ERROR_INVALID_HANDLE;
        return nullptr;
    }
    if (it->second.key->deleted) {
        status = ERROR_KEY_DELETED;
        return nullptr;
    }
    if ((it->second.access & needed) != needed) {
        status = ERROR_ACCESS_DENIED;
        return nullptr;
    }
    return it->second.key.get();
}

std::shared_ptr<RegKey> ownerOf(RegKey& key) {
    if (key.parent) return key.parent->subkeys.at(foldCase(key.name));
    for (auto& root : registry().tree.roots)
        if (root.get() == &key) return root;
    return nullptr;
}

HKEY handleFor(RegKey& key, REGSAM access) {
    const std::uintptr_t value = (registry().nextHandle++ << 4) | 0x2;
    registry().opened[value] = OpenedKey{ownerOf(key), access};
    return reinterpret_cast<HKEY>(value);
}

// A subkey path split at "\\"; one trailing "\\" is allowed, empty parts are not.
bool splitPath(LPCWSTR subKey, std::vector<std::wstring>& parts) {
    parts.clear();
    if (!subKey || !*subKey) return true;
    std::wstring_view path(subKey);
    if (path.back() == L'\\') path.remove_suffix(1);
    std::size_t start = 0;
    while (true) {
        const std::size_t end = path.find(L'\\', start);
        const std::wstring_view part = path.substr(start, end == path.npos ? end : end - start);
        if (part.empty()) return false;
        parts.emplace_back(part);
        if (end == path.npos) return true;
        start = end + 1;
    }
}

LONG checkNames(const std::vector<std::wstring>& parts, const RegKey& from) {
    if (depthOf(from) + parts.size() > kMaxKeyDepth) return ERROR_INVALID_PARAMETER;
    for (const auto& part : parts)
        if (!isValidKeyName(part)) return ERROR_INVALID_PARAMETER;
    return ERROR_SUCCESS;
}

RegKey* walk(RegKey& from, const std::vector<std::wstring>& parts) {
    RegKey* key = &from;
    for (const auto& part : parts) {
        key = findSubkey(*key, part);
        if (!key) return nullptr;
    }
    return key;
}

LONG save() {
    if (registry().file.empty()) return ERROR_SUCCESS;
    const std::string text = writeRegistryText(registry().tree);
    return winx::writeFileAtomically(registry().file, text) ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}

std::wstring nameOf(LPCWSTR name) {
    return name ? std::wstring(name) : std::wstring();
}

const RegValue* findValue(const RegKey& key, LPCWSTR name) {
    const auto it = key.values.find(foldCase(nameOf(name)));
    return it == key.values.end() ? nullptr : &it->second;
}

// The size protocol shared by queries and enumeration.
LONG copyData(const RegValue& value, LPDWORD type, LPBYTE data, LPDWORD size) {
    if (data && !size) return ERROR_INVALID_PARAMETER;
    if (type) *type = value.type;
    const auto needed = static_cast<DWORD>(value.data.size());
    if (!size) return ERROR_SUCCESS;
    const DWORD available = *size;
    *size = needed;
    if (!data) return ERROR_SUCCESS;
    if (available < needed) return ERROR_MORE_DATA;
    if (needed > 0) std::memcpy(data, value.data.data(), needed);
    return ERROR_SUCCESS;
}

LONG copyName(const std::wstring& name, LPWSTR buffer, LPDWORD length) {
    if (!buffer || !length) return ERROR_INVALID_PARAMETER;
    if (*length < name.size() + 1) return ERROR_MORE_DATA;
    std::wmemcpy(buffer, name.c_str(), name.size() + 1);
    *length = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}

template <typename Map>
auto nth(const Map& map, DWORD index) {
    auto it = map.begin();
    for (DWORD i = 0; i < index && it != map.end(); ++i)
        ++it;
    return it;
}

void clearClass(LPWSTR keyClass, LPDWORD classLength) {
    if (keyClass && classLength && *classLength > 0) keyClass[0] = L'\0';
    if (classLength) *classLength = 0;
}

void setIfGiven(LPDWORD out, std::size_t value) {
    if (out) *out = static_cast<DWORD>(value);
}

// Creates the missing keys of the path below `from`; the last one reached is returned.
RegKey& createPath(RegKey& from, const std::vector<std::wstring>& parts, bool isVolatile,
                   bool& created) {
    RegKey* key = &from;
    created = false;
    for (const auto& part : parts) {
        RegKey* child = findSubkey(*key, part);
        if (!child) {
            child = &addSubkey(*key, part, isVolatile);
            created = true;
        }
        key = child;
    }
    return *key;
}

LONG deleteKey(HKEY handle, LPCWSTR subKey, bool recursive) {
    LONG status = ERROR_SUCCESS;
    RegKey* from = keyOf(handle, 0, status);
    if (!from) return status;
    if (!subKey && !recursive) return ERROR_INVALID_PARAMETER;
    std::vector<std::wstring> parts;
    if (!splitPath(subKey, parts)) return ERROR_BAD_PATHNAME;
    RegKey* key = walk(*from, parts);
    if (!key) return ERROR_FILE_NOT_FOUND;
    if (!key->parent) return ERROR_ACCESS_DENIED;
    if (!recursive && !key->subkeys.empty()) return ERROR_ACCESS_DENIED;
    const bool persisted = !key->isVolatile;
    removeKey(*key);
    return persisted ? save() : ERROR_SUCCESS;
}

// Handles to the old content stay in the table and report ERROR_KEY_DELETED from now on.
void replaceTree(RegTree tree) {
    for (auto& root : registry().tree.roots)
        markDeleted(*root);
    registry().tree = std::move(tree);
}

} // namespace

LSTATUS RegCreateKeyEx(HKEY handle, LPCWSTR subKey, DWORD reserved, LPWSTR, DWORD options,
                       REGSAM desired, const SECURITY_ATTRIBUTES*, PHKEY result,
                       LPDWORD disposition) {
    if (!result || reserved != 0) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    LONG status = ERROR_SUCCESS;
    RegKey* from = keyOf(handle, 0, status);
    if (!from) return status;
    std::vector<std::wstring> parts;
    if (!subKey || !splitPath(subKey, parts)) return ERROR_BAD_PATHNAME;
    if ((status = checkNames(parts, *from)) != ERROR_SUCCESS) return status;
    RegKey* existing = walk(*from, parts);
    const bool isVolatile = (options & REG_OPTION_VOLATILE) != 0;
    if (!existing) {
        if (!keyOf(handle, KEY_CREATE_SUB_KEY, status)) return status;
        if (from->isVolatile && !isVolatile) return ERROR_CHILD_MUST_BE_VOLATILE;
    }
    bool created = false;
    RegKey& key = existing ? *existing : createPath(*from, parts, isVolatile, created);
    *result = handleFor(key, desired);
    if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return created && !isVolatile ? save() : ERROR_SUCCESS;
}

LSTATUS RegOpenKeyEx(HKEY handle, LPCWSTR subKey, DWORD, REGSAM desired, PHKEY result) {
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    LONG status = ERROR_SUCCESS;
    RegKey* from = keyOf(handle, 0, status);
    if (!from) return status;
    std::vector<std::wstring> parts;
    if (!splitPath(subKey, parts)) return ERROR_BAD_PATHNAME;
    RegKey* key = walk(*from, parts);
    if (!key) return ERROR_FILE_NOT_FOUND;
    *result = handleFor(*key, desired);
    return ERROR_SUCCESS;
}

LSTATUS RegCloseKey(HKEY handle) {
    const auto value = reinterpret_cast<std::uintptr_t>(handle);
    if (value >= kFirstRoot && value < kFirstRoot + kRootCount) return ERROR_SUCCESS;
    return registry().opened.erase(value) == 1 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LSTATUS RegSetValueEx(HKEY handle, LPCWSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                      DWORD size) {
    LONG status = ERROR_SUCCESS;
    RegKey* key = keyOf(handle, KEY_SET_VALUE, status);
    if (!key) return status;
    if (reserved != 0 || (!data && size > 0)) return ERROR_INVALID_PARAMETER;
    RegValue value{nameOf(valueName), type, {}};
    if (value.name.size() > kMaxValueNameLength) return ERROR_INVALID_PARAMETER;
    if (size > 0) value.data.assign(data, data + size);
    key->values[foldCase(value.name)] = std::move(value);
    return key->isVolatile ? ERROR_SUCCESS : save();
}

LSTATUS RegQueryValueEx(HKEY handle, LPCWSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                        LPDWORD size) {
    LONG status = ERROR_SUCCESS;
    const RegKey* key = keyOf(handle, KEY_QUERY_VALUE, status);
    if (!key) return status;
    if (reserved) return ERROR_INVALID_PARAMETER;
    const RegValue* value = findValue(*key, valueName);
    if (!value) return ERROR_FILE_NOT_FOUND;
    return copyData(*value, type, data, size);
}

LSTATUS RegDeleteValue(HKEY handle, LPCWSTR valueName) {
    LONG status = ERROR_SUCCESS;
    RegKey* key = keyOf(handle, KEY_SET_VALUE, status);
    if (!key) return status;
    if (key->values.erase(foldCase(nameOf(valueName))) == 0) return ERROR_FILE_NOT_FOUND;
    return key->isVolatile ? ERROR_SUCCESS : save();
}

LSTATUS RegDeleteKey(HKEY handle, LPCWSTR subKey) {
    return deleteKey(handle, subKey, false);
}

LSTATUS SHDeleteKey(HKEY handle, LPCWSTR subKey) {
    return deleteKey(handle, subKey, true);
}

LSTATUS RegEnumKeyEx(HKEY handle, DWORD index, LPWSTR name, LPDWORD nameLength, LPDWORD reserved,
                     LPWSTR keyClass, LPDWORD classLength, PFILETIME lastWriteTime) {
    LONG status = ERROR_SUCCESS;
    const RegKey* key = keyOf(handle, KEY_ENUMERATE_SUB_KEYS, status);
    if (!key) return status;
    if (reserved) return ERROR_INVALID_PARAMETER;
    const auto it = nth(key->subkeys, index);
    if (it == key->subkeys.end()) return ERROR_NO_MORE_ITEMS;
    if ((status = copyName(it->second->name, name, nameLength)) != ERROR_SUCCESS) return status;
    clearClass(keyClass, classLength);
    if (lastWriteTime) *lastWriteTime = FILETIME{};
    return ERROR_SUCCESS;
}

LSTATUS RegEnumValue(HKEY handle, DWORD index, LPWSTR valueName, LPDWORD valueNameLength,
                     LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size) {
    LONG status = ERROR_SUCCESS;
    const RegKey* key = keyOf(handle, KEY_QUERY_VALUE, status);
    if (!key) return status;
    if (reserved) return ERROR_INVALID_PARAMETER;
    const auto it = nth(key->values, index);
    if (it == key->values.end()) return ERROR_NO_MORE_ITEMS;
    if ((status = copyName(it->second.name, valueName, valueNameLength)) != ERROR_SUCCESS)
        return status;
    return copyData(it->second, type, data, size);
}

LSTATUS RegQueryInfoKey(HKEY handle, LPWSTR keyClass, LPDWORD classLength, LPDWORD reserved,
                        LPDWORD subKeys, LPDWORD maxSubKeyLength, LPDWORD maxClassLength,
                        LPDWORD values, LPDWORD maxValueNameLength, LPDWORD maxValueLength,
                        LPDWORD securityDescriptorSize, PFILETIME lastWriteTime) {
    LONG status = ERROR_SUCCESS;
    const RegKey* key = keyOf(handle, KEY_QUERY_VALUE, status);
    if (!key) return status;
    if (reserved) return ERROR_INVALID_PARAMETER;
    std::size_t longestKey = 0;
    for (const auto& [folded, child] : key->subkeys)
        longestKey = std::max(longestKey, child->name.size());
    std::size_t longestName = 0;
    std::size_t largestData = 0;
    for (const auto& [folded, value] : key->values) {
        longestName = std::max(longestName, value.name.size());
        largestData = std::max(largestData, value.data.size());
    }
    clearClass(keyClass, classLength);
    setIfGiven(subKeys, key->subkeys.size());
    setIfGiven(maxSubKeyLength, longestKey);
    setIfGiven(maxClassLength, 0);
    setIfGiven(values, key->values.size());
    setIfGiven(maxValueNameLength, longestName);
    setIfGiven(maxValueLength, largestData);
    setIfGiven(securityDescriptorSize, 0);
    if (lastWriteTime) *lastWriteTime = FILETIME{};
    return ERROR_SUCCESS;
}

LSTATUS RegFlushKey(HKEY handle) {
    LONG status = ERROR_SUCCESS;
    return keyOf(handle, 0, status) ? ERROR_SUCCESS : status;
}

namespace winx {
namespace {

// Moves a corrupt file aside under the first free name <file>.corrupt, <file>.corrupt2, ...
std::optional<fs::path> preserveCorrupt(const fs::path& file) {
    std::error_code error;
    for (int attempt = 1; attempt < 1000; ++attempt) {
        fs::path aside = file;
        aside += attempt == 1 ? ".corrupt" : ".corrupt" + std::to_string(attempt);
        if (fs::exists(aside, error)) continue;
        fs::rename(file, aside, error);
        if (error) return std::nullopt;
        return aside;
    }
    return std::nullopt;
}

RegistryLoad corruptFile(const fs::path& file, const std::wstring& problem) {
    replaceTree(RegTree{});
    const std::wstring name = fromUtf8(file.native());
    const auto aside = preserveCorrupt(file);
    if (!aside) {
        // The file cannot be moved aside: keep working in memory rather than overwrite it.
        registry().file.clear();
        return {false, L"Registry file " + name + L": " + problem +
                           L". It could not be set aside; registry changes will not be saved."};
    }
    return {false, L"Registry file " + name + L": " + problem +
                       L". Starting with an empty registry; the file was kept as " +
                       fromUtf8(aside->native()) + L"."};
}

} // namespace

RegistryLoad setRegistryFile(const std::filesystem::path& file) {
    registry().file = file;
    std::error_code error;
    if (file.empty() || !fs::exists(file, error)) {
        replaceTree(RegTree{});
        return {};
    }
    const auto text = readFile(file);
    if (!text) return corruptFile(file, L"the file cannot be read");
    RegistryParse parsed = services::readRegistryText(*text);
    if (!parsed.tree) return corruptFile(file, parsed.problem);
    replaceTree(std::move(*parsed.tree));
    return {};
}

std::filesystem::path registryFile() {
    return registry().file;
}

void resetRegistry() {
    replaceTree(RegTree{});
    registry().opened.clear();
    registry().file.clear();
}

RegistryLoad loadRegistryText(std::string_view text) {
    RegistryParse parsed = services::readRegistryText(text);
    if (!parsed.tree) return {false, parsed.problem};
    replaceTree(std::move(*parsed.tree));
    if (save() != ERROR_SUCCESS) return {false, L"the registry file could not be written"};
    return {};
}

std::string registryText() {
    return services::writeRegistryText(registry().tree);
}

std::size_t openRegistryKeys() {
    return registry().opened.size();
}

} // namespace winx
