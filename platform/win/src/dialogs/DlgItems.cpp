// Dialog item helpers: controls by id, their texts, numbers and check states.
#include "dialogs/Dialogs.h"

#include "win/winctrl.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cwchar>
#include <cwctype>
#include <string>

namespace {

std::wstring itemText(HWND dialog, int id) {
    const HWND item = GetDlgItem(dialog, id);
    const int length = GetWindowTextLength(item);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int n = GetWindowText(item, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(n, 0)));
    return text;
}

bool parseNumber(const std::wstring& text, bool isSigned, long long& value) {
    const wchar_t* p = text.c_str();
    while (std::iswspace(*p))
        ++p;
    if (!*p) return false;
    const bool negative = *p == L'-';
    if (negative && !isSigned) return false;
    wchar_t* end = nullptr;
    errno = 0;
    value = std::wcstoll(p, &end, 10);
    if (end == p || errno) return false;
    while (std::iswspace(*end))
        ++end;
    return *end == L'\0';
}

} // namespace

HWND GetDlgItem(HWND dialog, int id) {
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(c) == id) return c;
    }
    return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
    const auto style = static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE));
    if (!(style & WS_CHILD)) return 0;
    return static_cast<int>(GetWindowLongPtr(hwnd, GWLP_ID));
}

BOOL SetDlgItemText(HWND dialog, int id, LPCWSTR text) {
    const HWND item = GetDlgItem(dialog, id);
    return item ? SetWindowText(item, text) : FALSE;
}

UINT GetDlgItemText(HWND dialog, int id, LPWSTR buffer, int maxCount) {
    const HWND item = GetDlgItem(dialog, id);
    if (!item) {
        if (buffer && maxCount > 0) buffer[0] = L'\0';
        return 0;
    }
    return static_cast<UINT>(GetWindowText(item, buffer, maxCount));
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
    const std::wstring text =
        isSigned ? std::to_wstring(static_cast<int>(value)) : std::to_wstring(value);
    return SetDlgItemText(dialog, id, text.c_str());
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
    if (translated) *translated = FALSE;
    if (!GetDlgItem(dialog, id)) return 0;
    long long value = 0;
    if (!parseNumber(itemText(dialog, id), isSigned != FALSE, value)) return 0;
    const bool fits = isSigned ? (value >= INT_MIN && value <= INT_MAX) : value <= UINT_MAX;
    if (!fits) return 0;
    if (translated) *translated = TRUE;
    return static_cast<UINT>(value);
}

LRESULT SendDlgItemMessage(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam) {
    const HWND item = GetDlgItem(dialog, id);
    return item ? SendMessage(item, msg, wParam, lParam) : 0;
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
    const HWND item = GetDlgItem(dialog, id);
    if (!item) return FALSE;
    SendMessage(item, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    const HWND item = GetDlgItem(dialog, id);
    return item ? static_cast<UINT>(SendMessage(item, BM_GETCHECK, 0, 0)) : 0;
}

BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId) {
    if (!IsWindow(dialog)) return FALSE;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(c);
        if (id >= firstId && id <= lastId) {
            SendMessage(c, BM_SETCHECK, id == checkId ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
    return TRUE;
}
