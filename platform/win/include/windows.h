// The windowing platform's API in one include, as module code expects it.
#pragma once

#include "win/wintypes.h"
#include "win/winbase.h"
#include "win/winuser.h"
#include "win/winctrl.h"
#include "win/commctrl.h"
#include "win/commdlg.h"
#include "win/winreg.h"
#include "win/wingdi.h"
#include "win/winclip.h"
#include "win/objbase.h"
#include "win/shlwapi.h"
#include "win/wstdlib.h"
