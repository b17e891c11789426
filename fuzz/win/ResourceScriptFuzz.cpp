// The resource-script parser on arbitrary bytes: it never crashes or hangs, every problem names
// the file, and what it returns is consistent.
#include "win/winx_rc.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void checkMenu(const std::vector<winx::MenuTemplateItem>& items, int depth) {
    if (depth > 64) std::abort();
    for (const auto& item : items) {
        if (!item.items.empty() && !(item.flags & 0x0010 /* MF_POPUP */)) std::abort();
        checkMenu(item.items, depth + 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const winx::ResourceScript script = winx::parseResourceScript(bytes, L"fuzz.rc");
    for (const std::wstring& problem : script.problems) {
        if (problem.rfind(L"fuzz.rc", 0) != 0) std::abort();
    }
    for (const auto& dialog : script.dialogs) {
        if (dialog.id == 0 && dialog.name.empty()) std::abort();
        for (const auto& item : dialog.items) {
            if (item.className.empty()) std::abort();
        }
    }
    for (const auto& menu : script.menus)
        checkMenu(menu.items, 0);
    return 0;
}
