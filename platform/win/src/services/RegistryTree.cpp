#include "services/RegistryTree.h"

#include "services/CaseFold.h"

namespace winx::services {

const std::array<std::wstring_view, kRootCount> kRootNames = {
    L"HKEY_CLASSES_ROOT", L"HKEY_CURRENT_USER", L"HKEY_LOCAL_MACHINE", L"HKEY_USERS"};

RegTree::RegTree() {
    for (std::size_t i = 0; i < kRootCount; ++i) {
        roots[i] = std::make_shared<RegKey>();
        roots[i]->name = kRootNames[i];
    }
}

bool isValidKeyName(std::wstring_view name) {
    if (name.empty() || name.size() > kMaxKeyNameLength) return false;
    for (const wchar_t c : name) {
        const auto code = static_cast<std::uint32_t>(c);
        if (c == L'\\' || code < 0x20 || code == 0x7F || (code >= 0x80 && code < 0xA0) ||
            (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
            return false;
    }
    return true;
}

RegKey* findSubkey(const RegKey& key, std::wstring_view name) {
    const auto it = key.subkeys.find(foldCase(name));
    return it == key.subkeys.end() ? nullptr : it->second.get();
}

RegKey& addSubkey(RegKey& key, std::wstring_view name, bool isVolatile) {
    auto child = std::make_shared<RegKey>();
    child->name = name;
    child->parent = &key;
    child->isVolatile = isVolatile;
    RegKey& added = *child;
    key.subkeys[foldCase(name)] = std::move(child);
    return added;
}

void markDeleted(RegKey& key) {
    key.deleted = true;
    key.parent = nullptr;
    for (auto& [folded, child] : key.subkeys)
        markDeleted(*child);
}

void removeKey(RegKey& key) {
    RegKey* parent = key.parent;
    // Keep the key alive while its parent's entry goes away.
    const auto it = parent->subkeys.find(foldCase(key.name));
    const std::shared_ptr<RegKey> keep = it->second;
    parent->subkeys.erase(it);
    markDeleted(*keep);
}

std::size_t depthOf(const RegKey& key) {
    std::size_t depth = 0;
    for (const RegKey* at = key.parent; at; at = at->parent)
        ++depth;
    return depth;
}

} // namespace winx::services
