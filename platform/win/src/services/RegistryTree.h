// The registry's content: keys with typed values, children and values ordered by their folded
// (case-free) names, so that enumeration and the file come out in one order.
#pragma once

#include "win/wintypes.h"

#include <array>
#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace winx::services {

struct RegValue {
    std::wstring name;
    DWORD type = 0;
    std::vector<BYTE> data;
};

struct RegKey {
    std::wstring name;
    RegKey* parent = nullptr; // null for the roots
    bool isVolatile = false;
    bool deleted = false;
    std::map<std::wstring, std::shared_ptr<RegKey>> subkeys; // by folded name
    std::map<std::wstring, RegValue> values;                 // by folded name
};

constexpr std::size_t kRootCount = 4;
constexpr std::size_t kMaxKeyNameLength = 255;
constexpr std::size_t kMaxValueNameLength = 16383;
constexpr std::size_t kMaxKeyDepth = 512;

// HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS, in their handle order.
extern const std::array<std::wstring_view, kRootCount> kRootNames;

struct RegTree {
    std::array<std::shared_ptr<RegKey>, kRootCount> roots;
    RegTree();
};

// Non-empty, at most 255 characters, no backslash and no control characters.
bool isValidKeyName(std::wstring_view name);
RegKey* findSubkey(const RegKey& key, std::wstring_view name);
RegKey& addSubkey(RegKey& key, std::wstring_view name, bool isVolatile);
// Detaches a key from its parent and marks it and everything below it deleted.
void removeKey(RegKey& key);
// Marks a key and everything below it deleted (handles to them stop working).
void markDeleted(RegKey& key);
std::size_t depthOf(const RegKey& key);

} // namespace winx::services
