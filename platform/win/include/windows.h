// The windowing platform's API in one include, as module code expects it.
#pragma once

#include "win/wintypes.h"
#include "win/winuser.h"
