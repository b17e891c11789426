// Extras of the windowing stand-in that only the host process and tests use: module and
// resource registration, the loop's clock, interaction scripts and the records of message
// boxes, file dialogs and unattended dialogs. Nothing here exists on the real platform.
#pragma once

#include "win/wintypes.h"

#include <cstddef>

namespace winx {

enum class ResourceKind { Script, Bitmap, Icon };

// One embedded resource file: a resource script (dialogs, menus, string tables; id 0), or a
// bitmap or icon file registered under its number.
struct ResourceBlob {
    ResourceKind kind;
    int id;
    const wchar_t* fileName;
    const unsigned char* data;
    std::size_t size;
};

// Gives a loaded module (identified by its name) an instance handle; the same name yields the
// same handle.
HINSTANCE attachModule(const wchar_t* name);
// Registers resources under a module. Scripts are parsed on first lookup.
void registerResources(HINSTANCE module, const ResourceBlob* blobs, std::size_t count);

} // namespace winx
