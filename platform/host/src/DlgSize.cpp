#include "trk/DlgSize.h"

#include "afxwin.h"

#include "win/winreg.h"
#include "win/winuser.h"

namespace {

constexpr DWORD kLargestSize = 16000;

Trk_String keyPath(const Trk_String& key) {
    return L"Software\\Korvasten\\Dialog Sizes\\" + key;
}

bool isPlausible(DWORD extent) {
    return extent >= 1 && extent <= kLargestSize;
}
bool isPlausible(LONG extent) {
    return extent >= 1 && static_cast<DWORD>(extent) <= kLargestSize;
}

// Reads a DWORD value of the dialog's key; false when the key, the value or its type is missing.
bool readDword(const Trk_String& key, const wchar_t* name, DWORD& value) {
    if (key.isEmpty()) return false;
    HKEY opened = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, keyPath(key), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    DWORD type = REG_NONE;
    DWORD data = 0;
    DWORD size = sizeof data;
    const LSTATUS status =
        RegQueryValueEx(opened, name, nullptr, &type, reinterpret_cast<LPBYTE>(&data), &size);
    RegCloseKey(opened);
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof data) return false;
    value = data;
    return true;
}

bool writeDwords(const Trk_String& key, const wchar_t* const names[], const DWORD values[],
                 int count) {
    if (key.isEmpty()) return false;
    HKEY created = nullptr;
    if (RegCreateKeyEx(HKEY_CURRENT_USER, keyPath(key), 0, nullptr, REG_OPTION_NON_VOLATILE,
                       KEY_WRITE, nullptr, &created, nullptr) != ERROR_SUCCESS)
        return false;
    bool ok = true;
    for (int i = 0; i < count; ++i)
        ok = RegSetValueEx(created, names[i], 0, REG_DWORD,
                           reinterpret_cast<const BYTE*>(&values[i]),
                           sizeof values[i]) == ERROR_SUCCESS &&
             ok;
    RegCloseKey(created);
    return ok;
}

} // namespace

bool GetDlgSize(const Trk_String& key, SIZE& size) {
    DWORD width = 0;
    DWORD height = 0;
    if (!readDword(key, L"Width", width) || !readDword(key, L"Height", height)) return false;
    if (!isPlausible(width) || !isPlausible(height)) return false;
    size.cx = static_cast<LONG>(width);
    size.cy = static_cast<LONG>(height);
    return true;
}

bool ChangeDlgSize(HWND window, const Trk_String& key) {
    SIZE size;
    if (!IsWindow(window) || !GetDlgSize(key, size)) return false;
    return SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy,
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
}

bool WriteDlgSize(HWND window, const Trk_String& key) {
    RECT rect;
    if (!IsWindow(window) || !GetWindowRect(window, &rect)) return false;
    const LONG width = rect.right - rect.left;
    const LONG height = rect.bottom - rect.top;
    if (!isPlausible(width) || !isPlausible(height)) return false;
    const wchar_t* const names[] = {L"Width", L"Height"};
    const DWORD values[] = {static_cast<DWORD>(width), static_cast<DWORD>(height)};
    return writeDwords(key, names, values, 2);
}

bool ChangeDlgSize(CWnd* window, const Trk_String& key) {
    return window && ChangeDlgSize(window->GetSafeHwnd(), key);
}

bool WriteDlgSize(CWnd* window, const Trk_String& key) {
    return window && WriteDlgSize(window->GetSafeHwnd(), key);
}

bool readDlgRegBool(const Trk_String& key, const Trk_String& name, bool fallback) {
    DWORD value = 0;
    return readDword(key, name, value) ? value != 0 : fallback;
}

bool writeDlgRegBool(const Trk_String& key, const Trk_String& name, bool value) {
    const wchar_t* const names[] = {name.c_str()};
    const DWORD values[] = {value ? 1u : 0u};
    return !name.isEmpty() && writeDwords(key, names, values, 1);
}
