#include "functions/Library.h"

#include <algorithm>
#include <vector>

namespace gridx {

namespace {

std::vector<BuiltinInfo> mergedTable() {
    std::vector<BuiltinInfo> table;
    for (auto family :
         {fn::logicalFunctions, fn::infoFunctions, fn::mathFunctions, fn::roundingFunctions,
          fn::statisticalFunctions, fn::textFunctions, fn::dateFunctions, fn::financialFunctions,
          fn::lookupFunctions, fn::criteriaFunctions})
        for (const BuiltinInfo& info : family())
            table.push_back(info);
    std::sort(table.begin(), table.end(),
              [](const BuiltinInfo& a, const BuiltinInfo& b) { return a.name < b.name; });
    return table;
}

const std::vector<BuiltinInfo>& table() {
    static const std::vector<BuiltinInfo> merged = mergedTable();
    return merged;
}

} // namespace

std::span<const BuiltinInfo> builtins() {
    return table();
}

const BuiltinInfo* findBuiltin(std::wstring_view name) {
    // Names are short; anything longer than the longest name cannot match.
    constexpr std::size_t kLongestName = 32;
    if (name.empty() || name.size() > kLongestName) return nullptr;
    wchar_t buffer[kLongestName];
    for (std::size_t i = 0; i < name.size(); ++i)
        buffer[i] =
            (name[i] >= L'a' && name[i] <= L'z') ? static_cast<wchar_t>(name[i] - 32) : name[i];
    std::wstring_view upper(buffer, name.size());
    const auto& all = table();
    auto it = std::lower_bound(
        all.begin(), all.end(), upper,
        [](const BuiltinInfo& info, std::wstring_view key) { return info.name < key; });
    if (it == all.end() || it->name != upper) return nullptr;
    return &*it;
}

} // namespace gridx
