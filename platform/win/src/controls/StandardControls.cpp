#include "StandardControls.h"

#include "ControlClasses.h"
#include "win/commctrl.h"
#include "win/winuser.h"

namespace {

struct ControlClass {
    LPCWSTR name;
    WNDPROC proc;
};

constexpr ControlClass kClasses[] = {
    {L"Static", &controls::staticProc},     {L"Button", &controls::buttonProc},
    {L"Edit", &controls::editProc},         {L"ComboBox", &controls::comboBoxProc},
    {L"ListBox", &controls::listBoxProc},   {WC_TABCONTROL, &controls::tabControlProc},
    {WC_LISTVIEW, &controls::listViewProc},
};

} // namespace

void registerStandardControls() {
    for (const ControlClass& control : kClasses) {
        WNDCLASSEXW wc;
        if (GetClassInfoEx(nullptr, control.name, &wc)) continue;
        wc = WNDCLASSEXW();
        wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
        wc.lpfnWndProc = control.proc;
        wc.cbWndExtra = static_cast<int>(sizeof(void*));
        wc.lpszClassName = control.name;
        RegisterClassEx(&wc);
    }
}

void InitCommonControls() {}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
    return init && init->dwSize == sizeof(INITCOMMONCONTROLSEX) ? TRUE : FALSE;
}
