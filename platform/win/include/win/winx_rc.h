// Resource scripts of the windowing stand-in: the parsed form of dialog templates, menus and
// string tables, the parser, and lookup of parsed templates in a module. Positions and sizes of
// dialogs and controls are in dialog units.
#pragma once

#include "win/wintypes.h"

#include <string>
#include <string_view>
#include <vector>

namespace winx {

struct DialogItemTemplate {
    std::wstring className; // "BUTTON", "EDIT", "STATIC", "LISTBOX", "COMBOBOX", "SCROLLBAR", ...
    std::wstring text;
    int imageId = 0; // SS_ICON / SS_BITMAP statics named by number: the image resource
    int id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    int line = 0;
};

struct DialogTemplate {
    int id = 0;            // 0 for a named template
    std::wstring name;     // upper case; empty for a numbered template
    bool extended = false; // DIALOGEX
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::wstring caption;
    std::wstring className; // empty: the dialog class
    int menuId = 0;
    std::wstring menuName;
    bool hasFont = false;
    int pointSize = 0;
    std::wstring faceName;
    int weight = 0;
    bool italic = false;
    int charset = 0;
    std::vector<DialogItemTemplate> items;
    int line = 0;
};

struct MenuTemplateItem {
    std::wstring text;
    UINT id = 0;
    UINT flags = 0; // MF_POPUP, MF_SEPARATOR, MF_GRAYED, MF_DISABLED, MF_CHECKED, ...
    std::vector<MenuTemplateItem> items; // of a popup
};

struct MenuTemplate {
    int id = 0;
    std::wstring name;
    bool extended = false;
    std::vector<MenuTemplateItem> items;
};

struct ResourceScript {
    std::vector<DialogTemplate> dialogs;
    std::vector<MenuTemplate> menus;
    std::vector<std::pair<UINT, std::wstring>> strings;
    std::vector<std::wstring> problems; // "file:line: text"; the resource concerned is left out
};

// Parses a script (UTF-8, or UTF-16 with a byte-order mark). Never throws; problems are
// reported in the result.
ResourceScript parseResourceScript(std::string_view bytes, std::wstring_view fileName);

// A parsed template of the module, by number (MAKEINTRESOURCE) or name; null when absent.
const DialogTemplate* findDialogTemplate(HINSTANCE instance, LPCWSTR name);
const MenuTemplate* findMenuTemplate(HINSTANCE instance, LPCWSTR name);

} // namespace winx
