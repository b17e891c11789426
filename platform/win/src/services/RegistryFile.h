// Reader and writer of the registry file (the format is described in win/winreg.h).
#pragma once

#include "services/RegistryTree.h"

#include <optional>
#include <string>
#include <string_view>

namespace winx::services {

constexpr std::size_t kMaxRegistryFileSize = 64u << 20;

std::string writeRegistryText(const RegTree& tree);

struct RegistryParse {
    std::optional<RegTree> tree; // empty on a problem
    std::wstring problem;        // "line N: ..." when the text is malformed
};

RegistryParse readRegistryText(std::string_view text);

} // namespace winx::services
