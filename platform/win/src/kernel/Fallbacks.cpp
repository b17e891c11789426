// Weak stand-ins for what the standard controls provide, so that the window system links and
// runs while the controls are being built. The controls' own definitions replace them.
#include "win/winuser.h"

#include <string>
#include <string_view>

namespace {
constexpr UINT kButtonClick = 0x00F5;
}

__attribute__((weak)) void registerStandardControls() {}

namespace winx {

__attribute__((weak)) bool userClick(HWND control) {
    if (!IsWindowVisible(control) || !IsWindowEnabled(control)) return false;
    SetFocus(control);
    SendMessage(control, kButtonClick, 0, 0);
    return true;
}

__attribute__((weak)) bool userDoubleClick(HWND, int) {
    return false;
}

__attribute__((weak)) bool userType(HWND control, std::wstring_view text) {
    if (!IsWindowVisible(control) || !IsWindowEnabled(control)) return false;
    SetFocus(control);
    for (wchar_t c : text)
        SendMessage(control, WM_CHAR, static_cast<WPARAM>(c), 1);
    return true;
}

__attribute__((weak)) bool userSetText(HWND control, std::wstring_view text) {
    if (!IsWindowVisible(control) || !IsWindowEnabled(control)) return false;
    SetFocus(control);
    return SetWindowText(control, std::wstring(text).c_str()) != FALSE;
}

__attribute__((weak)) bool userChoose(HWND, int) {
    return false;
}
__attribute__((weak)) bool userChoose(HWND, std::wstring_view) {
    return false;
}
__attribute__((weak)) bool userCheck(HWND, int) {
    return false;
}

} // namespace winx
