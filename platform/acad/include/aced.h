// The CAD program's editor: posted commands, the command prompt, display updates, the main
// window and pick-first selection sets.
#pragma once

#include "adscodes.h"
#include "dbid.h"

#include <windows.h>

// Queues a command text as if typed on the command line (e.g. "CANCELCMD").
bool acedPostCommand(const ACHAR* command);
// Shows a fresh command prompt.
void acedPostCommandPrompt();
// Brings the drawing display up to date.
void acedUpdateDisplay();
// The CAD program's main window.
HWND adsw_acadMainWnd();

// Selection sets. With "_P" the pick-first set (what was selected before the command) is
// taken; RTNORM on success, RTERROR when the set is empty or the mode is not supported here.
int acedSSGet(const ACHAR* mode, const void* point1, const void* point2, const resbuf* filter,
              ads_name ss);
int acedSSLength(const ads_name ss, Adesk::Int32* length);
int acedSSName(const ads_name ss, Adesk::Int32 index, ads_name entity);
int acedSSFree(const ads_name ss);
// The object id of an entity name.
Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& id, const ads_name entity);
Acad::ErrorStatus acdbGetAdsName(ads_name entity, AcDbObjectId id);
