// The shell's folder browser. Headless, it is answered from the queue of file answers
// (winx::answerFileDialog with one folder, or winx::cancelFileDialog) and recorded among the
// file dialogs.
#pragma once

#include "win/wintypes.h"

struct ITEMIDLIST;
using LPITEMIDLIST = ITEMIDLIST*;
using LPCITEMIDLIST = const ITEMIDLIST*;
using PIDLIST_ABSOLUTE = ITEMIDLIST*;
using PCIDLIST_ABSOLUTE = const ITEMIDLIST*;
using BFFCALLBACK = int (*)(HWND, UINT, LPARAM, LPARAM);

struct BROWSEINFO {
    HWND hwndOwner = nullptr;
    LPCITEMIDLIST pidlRoot = nullptr;
    LPWSTR pszDisplayName = nullptr; // at least MAX_PATH characters; receives the folder's name
    LPCWSTR lpszTitle = nullptr;
    UINT ulFlags = 0;
    BFFCALLBACK lpfn = nullptr;
    LPARAM lParam = 0;
    int iImage = 0;
};
using LPBROWSEINFO = BROWSEINFO*;

constexpr UINT BIF_RETURNONLYFSDIRS = 0x0001;
constexpr UINT BIF_DONTGOBELOWDOMAIN = 0x0002;
constexpr UINT BIF_EDITBOX = 0x0010;
constexpr UINT BIF_VALIDATE = 0x0020;
constexpr UINT BIF_NEWDIALOGSTYLE = 0x0040;
constexpr UINT BIF_USENEWUI = BIF_NEWDIALOGSTYLE | BIF_EDITBOX;
constexpr UINT BIF_NONEWFOLDERBUTTON = 0x0200;

// The chosen folder as an item list the caller frees with CoTaskMemFree (or ILFree); null when
// cancelled or unanswered.
LPITEMIDLIST SHBrowseForFolder(LPBROWSEINFO info);
// Copies the folder path (at most MAX_PATH characters) into path; FALSE for a null list.
BOOL SHGetPathFromIDList(LPCITEMIDLIST list, LPWSTR path);
void ILFree(LPITEMIDLIST list);
