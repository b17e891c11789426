// Library attach and detach of the module (the library's main entry).
#pragma once

#include <windows.h>

constexpr DWORD kProcessDetach = 0;
constexpr DWORD kProcessAttach = 1;

// Attach keeps the instance handle, makes it the module's resource source and initialises
// the class library's extension module (FALSE fails the load); detach releases what the
// module still holds.
BOOL trkssDllMain(HINSTANCE instance, DWORD reason);
