// The windowing platform's API in one include, as module code expects it.
#pragma once

#include "win/wintypes.h"
#include "win/winuser.h"

// Areas that are still being assembled are included once they exist.
#if __has_include("win/winctrl.h")
#include "win/winctrl.h"
#endif
#if __has_include("win/commctrl.h")
#include "win/commctrl.h"
#endif
#if __has_include("win/commdlg.h")
#include "win/commdlg.h"
#endif
#if __has_include("win/winbase.h")
#include "win/winbase.h"
#endif
#if __has_include("win/winreg.h")
#include "win/winreg.h"
#endif
#if __has_include("win/wingdi.h")
#include "win/wingdi.h"
#endif
#if __has_include("win/winclip.h")
#include "win/winclip.h"
#endif
#if __has_include("win/objbase.h")
#include "win/objbase.h"
#endif
#if __has_include("win/shlwapi.h")
#include "win/shlwapi.h"
#endif
