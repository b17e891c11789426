// CMenu: a menu object over a menu handle.
#include "classlib/AfxInternal.h"

#include <utility>

CMenu::~CMenu() {
    DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU menu) {
    return afx::tempMenu(menu);
}

BOOL CMenu::Attach(HMENU menu) {
    if (!menu || m_hMenu) return FALSE;
    m_hMenu = menu;
    return TRUE;
}

HMENU CMenu::Detach() {
    return std::exchange(m_hMenu, nullptr);
}
BOOL CMenu::CreateMenu() {
    if (m_hMenu) return FALSE;
    return Attach(::CreateMenu());
}
BOOL CMenu::CreatePopupMenu() {
    if (m_hMenu) return FALSE;
    return Attach(::CreatePopupMenu());
}
BOOL CMenu::LoadMenu(UINT id) {
    return LoadMenu(MAKEINTRESOURCE(id));
}

BOOL CMenu::LoadMenu(LPCWSTR name) {
    if (m_hMenu) return FALSE;
    return Attach(::LoadMenu(AfxFindResourceHandle(name, RT_MENU), name));
}

BOOL CMenu::DestroyMenu() {
    if (!m_hMenu) return FALSE;
    return ::DestroyMenu(Detach());
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR idOrPopup, LPCWSTR text) {
    return ::AppendMenu(m_hMenu, flags, idOrPopup, text);
}

BOOL CMenu::InsertMenu(UINT position, UINT flags, UINT_PTR idOrPopup, LPCWSTR text) {
    return ::InsertMenu(m_hMenu, position, flags, idOrPopup, text);
}

BOOL CMenu::ModifyMenu(UINT position, UINT flags, UINT_PTR idOrPopup, LPCWSTR text) {
    return ::ModifyMenu(m_hMenu, position, flags, idOrPopup, text);
}

BOOL CMenu::DeleteMenu(UINT position, UINT flags) {
    return ::DeleteMenu(m_hMenu, position, flags);
}

BOOL CMenu::RemoveMenu(UINT position, UINT flags) {
    return ::RemoveMenu(m_hMenu, position, flags);
}

UINT CMenu::GetMenuItemCount() const {
    return static_cast<UINT>(::GetMenuItemCount(m_hMenu));
}

UINT CMenu::GetMenuItemID(int position) const {
    return ::GetMenuItemID(m_hMenu, position);
}

UINT CMenu::GetMenuState(UINT id, UINT flags) const {
    return ::GetMenuState(m_hMenu, id, flags);
}

int CMenu::GetMenuString(UINT id, std::wstring& text, UINT flags) const {
    const int length = ::GetMenuString(m_hMenu, id, nullptr, 0, flags);
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int n = ::GetMenuString(m_hMenu, id, buffer.data(), length + 1, flags);
    buffer.resize(static_cast<std::size_t>(n));
    text = buffer;
    return n;
}

CMenu* CMenu::GetSubMenu(int position) const {
    return FromHandle(::GetSubMenu(m_hMenu, position));
}

UINT CMenu::CheckMenuItem(UINT id, UINT check) {
    return static_cast<UINT>(::CheckMenuItem(m_hMenu, id, check));
}

UINT CMenu::EnableMenuItem(UINT id, UINT enable) {
    return static_cast<UINT>(::EnableMenuItem(m_hMenu, id, enable));
}

BOOL CMenu::SetDefaultItem(UINT item, BOOL byPosition) {
    return ::SetMenuDefaultItem(m_hMenu, item, byPosition);
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect) {
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner ? owner->m_hWnd : nullptr, rect);
}
