// Resource lookup inside the window system (the public side is win/winx.h and win/winx_rc.h).
#pragma once

#include "win/winuser.h"

#include <string>

namespace winx {

// Null when the module has no such string.
const std::wstring* findString(HINSTANCE instance, UINT id);
// FindResource's test: RT_BITMAP, RT_ICON / RT_GROUP_ICON, RT_MENU, RT_DIALOG, RT_STRING.
bool hasResource(HINSTANCE instance, LPCWSTR name, LPCWSTR type);
// Lets LoadImage find the bitmaps and icons of modules.
void installResourceLoader();
// A module's icon, shared (created once); null when absent.
HICON moduleIcon(HINSTANCE instance, LPCWSTR name);
// A new bitmap of the module's resource; null when absent.
HBITMAP moduleBitmap(HINSTANCE instance, LPCWSTR name);

} // namespace winx
