// A test module with resource scripts registered from text, for dialog and class-library tests.
#pragma once

#include "platform/win/WindowTestSupport.h"

#include "win/winx_rc.h"

#include <list>
#include <string>

namespace wintest {

// Registers `script` as a resource script of a module named `moduleName` and returns the
// module. The text is kept alive for the process's lifetime.
inline HINSTANCE moduleWithScript(const wchar_t* moduleName, const std::string& script,
                                  const wchar_t* fileName = L"test.rc") {
    static std::list<std::string> texts;
    texts.push_back(script);
    const HINSTANCE module = winx::attachModule(moduleName);
    const winx::ResourceBlob blob{winx::ResourceKind::Script, 0, fileName,
                                  reinterpret_cast<const unsigned char*>(texts.back().data()),
                                  texts.back().size()};
    winx::registerResources(module, &blob, 1);
    return module;
}

// The prompt dialog used across the dialog tests: 8069 with OK (default), Cancel, a label and
// an edit, in an 8-point font.
inline const std::string kPromptScript = R"(
#include "resource.h"
#define IDD_PROMPT 8069
#define IDC_LABEL 8600
#define IDC_VALUE 8003
IDD_PROMPT DIALOGEX 0, 0, 173, 98
STYLE DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
CAPTION "Prompt"
FONT 8, "MS Shell Dlg", 400, 0, 0x1
BEGIN
    DEFPUSHBUTTON   "OK",IDOK,17,77,72,14
    PUSHBUTTON      "Cancel",IDCANCEL,103,77,50,14
    LTEXT           "Label",IDC_LABEL,7,7,159,45
    EDITTEXT        IDC_VALUE,17,57,135,12,ES_AUTOHSCROLL
END
)";

constexpr int kPromptId = 8069;
constexpr int kLabelId = 8600;
constexpr int kValueId = 8003;

inline HINSTANCE promptModule() {
    static const HINSTANCE module = moduleWithScript(L"prompttest.dll", kPromptScript);
    return module;
}

} // namespace wintest
