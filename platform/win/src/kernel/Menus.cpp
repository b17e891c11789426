// Menus: a table of menus and their items, menus from resource templates, menu bars, and
// popup menus answered by the interaction queue.
#include "kernel/Kernel.h"
#include "scripts/Interaction.h"
#include "scripts/Records.h"
#include "win/winx_rc.h"

#include <algorithm>
#include <cwctype>
#include <unordered_map>

namespace winx::kernel {
namespace {

constexpr UINT kStateMask = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT;
constexpr int kMaxMenuDepth = 16;

struct MenuItem {
    UINT flags = 0;
    UINT_PTR id = 0;
    HMENU sub = nullptr;
    std::wstring text;
};

struct Menu {
    std::vector<MenuItem> items;
    bool popup = false;
};

struct MenuTable {
    std::unordered_map<HMENU, std::unique_ptr<Menu>> menus;
    std::uintptr_t next = 0x20000;
};

MenuTable& menuTable() {
    static MenuTable t;
    return t;
}

Menu* findMenu(HMENU menu) {
    auto& menus = menuTable().menus;
    auto it = menus.find(menu);
    return it == menus.end() ? nullptr : it->second.get();
}

HMENU newMenu(bool popup) {
    auto& t = menuTable();
    const auto handle = reinterpret_cast<HMENU>(t.next += 4);
    auto m = std::make_unique<Menu>();
    m->popup = popup;
    t.menus.emplace(handle, std::move(m));
    return handle;
}

struct ItemRef {
    Menu* menu = nullptr;
    std::size_t index = 0;
    MenuItem* operator->() const { return &menu->items[index]; }
};

// By position in `menu`, or by command id searched through the submenus too.
bool locate(HMENU menu, UINT item, UINT flags, ItemRef& out, int depth = 0) {
    Menu* m = findMenu(menu);
    if (!m || depth > kMaxMenuDepth) return false;
    if (flags & MF_BYPOSITION) {
        if (item >= m->items.size()) return false;
        out = {m, item};
        return true;
    }
    for (std::size_t i = 0; i < m->items.size(); ++i) {
        MenuItem& it = m->items[i];
        if (!(it.flags & MF_POPUP) && !(it.flags & MF_SEPARATOR) && it.id == item) {
            out = {m, i};
            return true;
        }
        if ((it.flags & MF_POPUP) && locate(it.sub, item, flags, out, depth + 1)) return true;
    }
    return false;
}

MenuItem makeItem(UINT flags, UINT_PTR idOrPopup, LPCWSTR text) {
    MenuItem item;
    item.flags = flags & ~MF_BYPOSITION;
    if (flags & MF_POPUP) {
        item.sub = reinterpret_cast<HMENU>(idOrPopup);
    } else {
        item.id = idOrPopup;
    }
    if (text && !(flags & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW))) item.text = text;
    return item;
}

void destroyMenuTree(HMENU menu, int depth) {
    auto node = menuTable().menus.extract(menu);
    if (node.empty() || depth > kMaxMenuDepth) return;
    for (const MenuItem& item : node.mapped()->items) {
        if (item.flags & MF_POPUP) destroyMenuTree(item.sub, depth + 1);
    }
}

HMENU buildMenu(const std::vector<MenuTemplateItem>& items, bool popup, int depth) {
    const HMENU menu = popup ? CreatePopupMenu() : CreateMenu();
    for (const MenuTemplateItem& t : items) {
        if ((t.flags & MF_POPUP) && depth < kMaxMenuDepth) {
            AppendMenu(menu, t.flags,
                       reinterpret_cast<UINT_PTR>(buildMenu(t.items, true, depth + 1)),
                       t.text.c_str());
        } else {
            AppendMenu(menu, t.flags & ~MF_POPUP, t.id, t.text.c_str());
        }
    }
    return menu;
}

std::wstring plainText(std::wstring_view text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\t') break;
        if (text[i] == L'&' && i + 1 < text.size() && text[i + 1] != L'&') continue;
        if (text[i] == L'&') ++i;
        out += static_cast<wchar_t>(std::towlower(text[i]));
    }
    return out;
}

void describe(HMENU menu, int depth, std::vector<MenuItemRecord>& out) {
    Menu* m = findMenu(menu);
    if (!m || depth > kMaxMenuDepth) return;
    for (const MenuItem& item : m->items) {
        out.push_back({item.text, static_cast<UINT>(item.id), item.flags, depth});
        if (item.flags & MF_POPUP) describe(item.sub, depth + 1, out);
    }
}

bool findByText(HMENU menu, const std::wstring& wanted, ItemRef& out, int depth = 0) {
    Menu* m = findMenu(menu);
    if (!m || depth > kMaxMenuDepth) return false;
    for (std::size_t i = 0; i < m->items.size(); ++i) {
        MenuItem& item = m->items[i];
        if (item.flags & MF_POPUP) {
            if (findByText(item.sub, wanted, out, depth + 1)) return true;
        } else if (!(item.flags & MF_SEPARATOR) && plainText(item.text) == wanted) {
            out = {m, i};
            return true;
        }
    }
    return false;
}

std::wstring choiceName(const interaction::MenuChoice& choice) {
    return choice.text.empty() ? L"command " + std::to_wstring(choice.id)
                               : L"\"" + choice.text + L"\"";
}

// The command chosen for a tracked menu, 0 when none can be.
UINT resolveChoice(HMENU menu, const interaction::MenuChoice& choice) {
    ItemRef ref;
    const bool found = choice.text.empty() ? locate(menu, choice.id, MF_BYCOMMAND, ref)
                                           : findByText(menu, plainText(choice.text), ref);
    if (!found) {
        records::problem(L"popup menu: no item " + choiceName(choice));
        return 0;
    }
    if (ref->flags & (MF_GRAYED | MF_DISABLED)) {
        records::problem(L"popup menu: item " + choiceName(choice) + L" is disabled");
        return 0;
    }
    return static_cast<UINT>(ref->id);
}

} // namespace
} // namespace winx::kernel

using namespace winx::kernel;
using winx::WindowChange;

HMENU CreateMenu() {
    return newMenu(false);
}
HMENU CreatePopupMenu() {
    return newMenu(true);
}

BOOL DestroyMenu(HMENU menu) {
    if (!findMenu(menu)) return FALSE;
    destroyMenuTree(menu, 0);
    return TRUE;
}

BOOL IsMenu(HMENU menu) {
    return findMenu(menu) ? TRUE : FALSE;
}

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCWSTR text) {
    Menu* m = findMenu(menu);
    if (!m) return FALSE;
    if ((flags & MF_POPUP) && !findMenu(reinterpret_cast<HMENU>(idOrPopup))) return FALSE;
    m->items.push_back(makeItem(flags, idOrPopup, text));
    return TRUE;
}

BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCWSTR text) {
    Menu* m = findMenu(menu);
    if (!m) return FALSE;
    if ((flags & MF_POPUP) && !findMenu(reinterpret_cast<HMENU>(idOrPopup))) return FALSE;
    ItemRef ref;
    if (position == static_cast<UINT>(-1) || !locate(menu, position, flags, ref)) {
        if (!(flags & MF_BYPOSITION) && position != static_cast<UINT>(-1)) return FALSE;
        m->items.push_back(makeItem(flags, idOrPopup, text));
        return TRUE;
    }
    auto& items = ref.menu->items;
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(ref.index),
                 makeItem(flags, idOrPopup, text));
    return TRUE;
}

BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCWSTR text) {
    ItemRef ref;
    if (!locate(menu, position, flags, ref)) return FALSE;
    if ((flags & MF_POPUP) && !findMenu(reinterpret_cast<HMENU>(idOrPopup))) return FALSE;
    *ref.operator->() = makeItem(flags, idOrPopup, text);
    return TRUE;
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) {
    ItemRef ref;
    if (!locate(menu, position, flags, ref)) return FALSE;
    ref.menu->items.erase(ref.menu->items.begin() + static_cast<std::ptrdiff_t>(ref.index));
    return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) {
    ItemRef ref;
    if (!locate(menu, position, flags, ref)) return FALSE;
    if (ref->flags & MF_POPUP) destroyMenuTree(ref->sub, 0);
    ref.menu->items.erase(ref.menu->items.begin() + static_cast<std::ptrdiff_t>(ref.index));
    return TRUE;
}

int GetMenuItemCount(HMENU menu) {
    Menu* m = findMenu(menu);
    return m ? static_cast<int>(m->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
    Menu* m = findMenu(menu);
    if (!m || position < 0 || static_cast<std::size_t>(position) >= m->items.size())
        return static_cast<UINT>(-1);
    const MenuItem& item = m->items[static_cast<std::size_t>(position)];
    if (item.flags & MF_POPUP) return static_cast<UINT>(-1);
    return static_cast<UINT>(item.id);
}

int GetMenuString(HMENU menu, UINT item, LPWSTR buffer, int maxCount, UINT flags) {
    ItemRef ref;
    if (!locate(menu, item, flags, ref)) return 0;
    const std::wstring& text = ref->text;
    if (!buffer || maxCount <= 0) return static_cast<int>(text.size());
    const int n = std::min(static_cast<int>(text.size()), maxCount - 1);
    std::copy_n(text.begin(), n, buffer);
    buffer[n] = L'\0';
    return n;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
    ItemRef ref;
    if (!locate(menu, item, flags, ref)) return static_cast<UINT>(-1);
    const UINT state = ref->flags & (kStateMask | MF_SEPARATOR | MF_POPUP | MF_MENUBREAK |
                                     MF_MENUBARBREAK | MF_OWNERDRAW);
    if (ref->flags & MF_POPUP) {
        return (static_cast<UINT>(std::max(GetMenuItemCount(ref->sub), 0)) << 8) | (state & 0xFF);
    }
    return state;
}

HMENU GetSubMenu(HMENU menu, int position) {
    Menu* m = findMenu(menu);
    if (!m || position < 0 || static_cast<std::size_t>(position) >= m->items.size()) return nullptr;
    const MenuItem& item = m->items[static_cast<std::size_t>(position)];
    return (item.flags & MF_POPUP) ? item.sub : nullptr;
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT check) {
    ItemRef ref;
    if (!locate(menu, item, check, ref)) return static_cast<DWORD>(-1);
    const DWORD old = ref->flags & MF_CHECKED;
    ref->flags = (ref->flags & ~MF_CHECKED) | (check & MF_CHECKED);
    return old;
}

BOOL EnableMenuItem(HMENU menu, UINT item, UINT enable) {
    ItemRef ref;
    if (!locate(menu, item, enable, ref)) return -1;
    const BOOL old = static_cast<BOOL>(ref->flags & (MF_GRAYED | MF_DISABLED));
    ref->flags = (ref->flags & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
    return old;
}

BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPosition) {
    Menu* m = findMenu(menu);
    if (!m) return FALSE;
    for (MenuItem& it : m->items)
        it.flags &= ~MF_DEFAULT;
    if (item == static_cast<UINT>(-1)) return TRUE;
    ItemRef ref;
    if (!locate(menu, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND, ref)) return FALSE;
    ref->flags |= MF_DEFAULT;
    return TRUE;
}

HMENU LoadMenu(HINSTANCE instance, LPCWSTR name) {
    const winx::MenuTemplate* t = winx::findMenuTemplate(instance, name);
    return t ? buildMenu(t->items, false, 0) : nullptr;
}

HMENU GetMenu(HWND hwnd) {
    Window* w = find(hwnd);
    return w && !isChildStyle(*w) ? w->menu : nullptr;
}

BOOL SetMenu(HWND hwnd, HMENU menu) {
    Window* w = find(hwnd);
    if (!w || isChildStyle(*w) || (menu && !findMenu(menu))) return FALSE;
    w->menu = menu;
    notify(hwnd, winx::WindowChange::Geometry);
    return TRUE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, LPCRECT rect) {
    if (!findMenu(menu) || !IsWindow(owner)) return FALSE;
    if (!(flags & TPM_NONOTIFY)) {
        SendMessage(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
    }
    winx::MenuRecord record;
    record.owner = owner;
    record.flags = flags;
    describe(menu, 0, record.items);
    const auto choice = winx::interaction::takeMenuChoice();
    const UINT chosen = choice && findMenu(menu) ? resolveChoice(menu, *choice) : 0;
    record.chosen = chosen;
    winx::records::menu(std::move(record));
    if (chosen == 0) return FALSE;
    if (flags & TPM_RETURNCMD) return static_cast<BOOL>(chosen);
    if (!(flags & TPM_NONOTIFY)) PostMessage(owner, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
    return TRUE;
}
