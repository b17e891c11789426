// The dialog-size store: resizable dialogs remember their size under a text key, in the registry
// under HKEY_CURRENT_USER "Software\\Korvasten\\Dialog Sizes\\<key>" as the DWORD values
// "Width" and "Height" (pixels). Missing, mistyped or implausible values (not between 1 and
// 16000) are ignored. Dialog-specific flags live under the same key.
#pragma once

#include "trk/Trk_String.h"

#include "win/wintypes.h"

class CWnd;

// Gives the window the size stored under `key`, keeping its top-left corner. False, with the
// window unchanged, when nothing usable is stored or the window does not exist.
bool ChangeDlgSize(HWND window, const Trk_String& key);
bool ChangeDlgSize(CWnd* window, const Trk_String& key);
// Stores the window's current size under `key`. False when the window does not exist, its size
// is implausible, or the registry refuses the values.
bool WriteDlgSize(HWND window, const Trk_String& key);
bool WriteDlgSize(CWnd* window, const Trk_String& key);
// The size stored under `key`; false, with `size` unchanged, when nothing usable is stored.
bool GetDlgSize(const Trk_String& key, SIZE& size);

// A flag stored under the dialog's key (a DWORD, nonzero = true); `fallback` when it is missing.
bool readDlgRegBool(const Trk_String& key, const Trk_String& name, bool fallback);
bool writeDlgRegBool(const Trk_String& key, const Trk_String& name, bool value);
