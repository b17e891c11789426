#include "platform/win/DialogTestSupport.h"

#include "win/winctrl.h"

namespace {

using namespace wintest;

// A dialog procedure that records commands and ends the dialog on OK/Cancel with a result that
// shows which one (and can be told to keep the dialog open).
struct DialogLog {
    std::vector<int> commands;
    std::vector<UINT> messages;
    bool keepOpen = false;
    bool focusItself = false;
    LPARAM initParam = 0;
    HWND initFocus = nullptr;
};

DialogLog* logFor = nullptr;

INT_PTR CALLBACK loggingDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!logFor) return FALSE;
    logFor->messages.push_back(msg);
    switch (msg) {
    case WM_INITDIALOG:
        logFor->initParam = lParam;
        logFor->initFocus = reinterpret_cast<HWND>(wParam);
        if (logFor->focusItself) {
            SetFocus(GetDlgItem(dialog, IDCANCEL));
            return FALSE;
        }
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED) return FALSE; // edit notifications
        logFor->commands.push_back(LOWORD(wParam));
        if (!logFor->keepOpen && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
            EndDialog(dialog, LOWORD(wParam) == IDOK ? 100 : 200);
        }
        return TRUE;
    default:
        return FALSE;
    }
}

const std::string kFormScript = R"(
#define IDD_FORM 300
IDD_FORM DIALOGEX 0, 0, 200, 120
STYLE DS_SETFONT | WS_POPUP | WS_CAPTION
CAPTION "Form"
FONT 8, "MS Shell Dlg"
BEGIN
    LTEXT "Name", -1, 5, 5, 40, 10
    EDITTEXT 10, 50, 5, 100, 12
    EDITTEXT 11, 50, 20, 100, 12, ES_MULTILINE | ES_WANTRETURN
    AUTORADIOBUTTON "A", 20, 5, 40, 40, 10, WS_GROUP
    AUTORADIOBUTTON "B", 21, 50, 40, 40, 10
    AUTORADIOBUTTON "C", 22, 95, 40, 40, 10
    AUTOCHECKBOX "Check", 30, 5, 60, 60, 10, WS_GROUP
    PUSHBUTTON "Hidden", 40, 5, 75, 40, 14, NOT WS_VISIBLE
    PUSHBUTTON "Apply", 41, 50, 75, 40, 14, WS_DISABLED
    DEFPUSHBUTTON "OK", IDOK, 95, 100, 40, 14
    PUSHBUTTON "Cancel", IDCANCEL, 140, 100, 40, 14
END
)";

constexpr int kFormId = 300;

HINSTANCE formModule() {
    static const HINSTANCE module = moduleWithScript(L"formtest.dll", kFormScript);
    return module;
}

class DialogManager : public WindowTest {
protected:
    DialogManager() { logFor = &log_; }
    ~DialogManager() override { logFor = nullptr; }

    INT_PTR runForm(winx::DialogScript script, HWND parent = nullptr) {
        winx::queueScript(std::move(script));
        return DialogBoxParam(formModule(), MAKEINTRESOURCE(kFormId), parent, loggingDialogProc,
                              1234);
    }

    DialogLog log_;
};

TEST_F(DialogManager, TheModalLoopRunsUntilEndDialogAndDisablesTheOwner) {
    const HWND owner = makeWindow(WS_OVERLAPPED | WS_VISIBLE);
    bool ownerDisabledInside = false;
    HWND dialogSeen = nullptr;
    const INT_PTR result = runForm(winx::DialogScript()
                                       .call([&](HWND dlg) {
                                           dialogSeen = dlg;
                                           ownerDisabledInside = !IsWindowEnabled(owner);
                                           EXPECT_EQ(GetWindow(dlg, GW_OWNER), owner);
                                           EXPECT_TRUE(IsWindowVisible(dlg));
                                       })
                                       .click(IDOK),
                                   owner);
    EXPECT_EQ(result, 100);
    EXPECT_TRUE(ownerDisabledInside);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(IsWindow(dialogSeen));
    EXPECT_EQ(log_.initParam, 1234);
    EXPECT_EQ(log_.commands, (std::vector<int>{IDOK}));
    EXPECT_TRUE(winx::unattended().empty());
}

TEST_F(DialogManager, WmInitDialogFocusesTheFirstTabStopUnlessItReturnsFalse) {
    int focus = 0;
    int initFocus = 0;
    runForm(winx::DialogScript()
                .call([&](HWND) {
                    focus = GetDlgCtrlID(GetFocus());
                    initFocus = GetDlgCtrlID(log_.initFocus);
                })
                .click(IDCANCEL));
    EXPECT_EQ(focus, 10);
    EXPECT_EQ(initFocus, 10);

    log_ = DialogLog{};
    log_.focusItself = true;
    runForm(
        winx::DialogScript().call([&](HWND) { focus = GetDlgCtrlID(GetFocus()); }).click(IDCANCEL));
    EXPECT_EQ(focus, IDCANCEL);
}

TEST_F(DialogManager, TabAndShiftTabVisitTheUsableTabStopsInOrder) {
    std::vector<int> visited;
    auto note = [&](HWND) { visited.push_back(GetDlgCtrlID(GetFocus())); };
    winx::DialogScript script;
    for (int i = 0; i < 6; ++i)
        script.pressKey(VK_TAB).call(note);
    script.pressKey(VK_TAB, winx::kShift).call(note).click(IDCANCEL);
    runForm(std::move(script));
    // 10, 11 edits; 20 first radio of its group (all radios are tab stops here); the hidden and
    // disabled buttons are skipped.
    EXPECT_EQ(visited, (std::vector<int>{11, 20, 21, 22, 30, IDOK, 30}));
}

TEST_F(DialogManager, TabbingIntoAnEditSelectsAllOfItsText) {
    DWORD selection = 0;
    runForm(winx::DialogScript()
                .call([](HWND dlg) { SetDlgItemText(dlg, 11, L"abc"); })
                .pressKey(VK_TAB)
                .call([&](HWND dlg) {
                    selection = static_cast<DWORD>(SendDlgItemMessage(dlg, 11, EM_GETSEL, 0, 0));
                })
                .click(IDCANCEL));
    EXPECT_EQ(LOWORD(selection), 0);
    EXPECT_EQ(HIWORD(selection), 3);
}

TEST_F(DialogManager, EnterPressesTheDefaultButtonAndEscapeCancels) {
    EXPECT_EQ(runForm(winx::DialogScript().pressKey(VK_RETURN)), 100);
    EXPECT_EQ(log_.commands, (std::vector<int>{IDOK}));
    log_ = DialogLog{};
    EXPECT_EQ(runForm(winx::DialogScript().pressKey(VK_ESCAPE)), 200);
    EXPECT_EQ(log_.commands, (std::vector<int>{IDCANCEL}));
    // A multi-line edit that wants Enter keeps it.
    log_ = DialogLog{};
    log_.keepOpen = true;
    runForm(winx::DialogScript().focus(11).pressKey(VK_RETURN).call([&](HWND dlg) {
        EXPECT_TRUE(log_.commands.empty());
        EndDialog(dlg, 7);
    }));
}

TEST_F(DialogManager, TheDefaultIdCanBeChangedAndEnterFollowsIt) {
    log_.keepOpen = true;
    LRESULT before = 0;
    runForm(winx::DialogScript()
                .call([&](HWND dlg) {
                    before = SendMessage(dlg, DM_GETDEFID, 0, 0);
                    SendMessage(dlg, DM_SETDEFID, IDCANCEL, 0);
                    EXPECT_EQ(SendDlgItemMessage(dlg, IDCANCEL, WM_GETDLGCODE, 0, 0) &
                                  DLGC_DEFPUSHBUTTON,
                              DLGC_DEFPUSHBUTTON);
                })
                .pressKey(VK_RETURN)
                .call([](HWND dlg) { EndDialog(dlg, 1); }));
    EXPECT_EQ(before, MAKELONG(IDOK, DC_HASDEFID));
    EXPECT_EQ(log_.commands, (std::vector<int>{IDCANCEL}));
}

TEST_F(DialogManager, ArrowKeysMoveWithinARadioGroupAndCheckTheButton) {
    runForm(winx::DialogScript()
                .focus(20)
                .pressKey(VK_DOWN)
                .call([](HWND dlg) {
                    EXPECT_EQ(GetDlgCtrlID(GetFocus()), 21);
                    EXPECT_EQ(IsDlgButtonChecked(dlg, 21), BST_CHECKED);
                })
                .pressKey(VK_DOWN)
                .pressKey(VK_DOWN)
                .call([](HWND dlg) {
                    EXPECT_EQ(GetDlgCtrlID(GetFocus()), 20); // wraps inside the group
                    EXPECT_EQ(IsDlgButtonChecked(dlg, 21), BST_UNCHECKED);
                })
                .pressKey(VK_UP)
                .call([](HWND) { EXPECT_EQ(GetDlgCtrlID(GetFocus()), 22); })
                .click(IDCANCEL));
}

TEST_F(DialogManager, CloseMeansCancelAndEndDialogHidesAtOnce) {
    bool hidden = false;
    const INT_PTR result =
        runForm(winx::DialogScript().call([&](HWND dlg) { PostMessage(dlg, WM_CLOSE, 0, 0); }));
    EXPECT_EQ(result, 200);
    EXPECT_EQ(log_.commands, (std::vector<int>{IDCANCEL}));
    log_ = DialogLog{};
    runForm(winx::DialogScript().call([&](HWND dlg) {
        EndDialog(dlg, 55);
        hidden = !IsWindowVisible(dlg);
    }));
    EXPECT_TRUE(hidden);
    EXPECT_FALSE(EndDialog(nullptr, 1));
}

TEST_F(DialogManager, ModelessDialogsLiveUntilDestroyed) {
    const HWND dlg =
        CreateDialogParam(formModule(), MAKEINTRESOURCE(kFormId), nullptr, loggingDialogProc, 9);
    ASSERT_NE(dlg, nullptr);
    EXPECT_FALSE(IsWindowVisible(dlg)); // the template has no WS_VISIBLE
    EXPECT_EQ(log_.initParam, 9);
    ShowWindow(dlg, SW_SHOW);
    // Keyboard messages of a modeless dialog go through the dialog manager in the loop too.
    PostMessage(GetDlgItem(dlg, 10), WM_KEYDOWN, VK_ESCAPE, 1);
    winx::pumpMessages();
    EXPECT_EQ(log_.commands, (std::vector<int>{IDCANCEL}));
    EXPECT_TRUE(IsWindow(dlg));
    DestroyWindow(dlg);
    EXPECT_FALSE(IsWindow(dlg));
}

TEST_F(DialogManager, DialogItemHelpersWorkOnControlsById) {
    const HWND dlg =
        CreateDialogParam(formModule(), MAKEINTRESOURCE(kFormId), nullptr, loggingDialogProc, 0);
    EXPECT_TRUE(SetDlgItemInt(dlg, 10, static_cast<UINT>(-42), TRUE));
    BOOL ok = FALSE;
    EXPECT_EQ(static_cast<int>(GetDlgItemInt(dlg, 10, &ok, TRUE)), -42);
    EXPECT_TRUE(ok);
    GetDlgItemInt(dlg, 10, &ok, FALSE);
    EXPECT_FALSE(ok);
    SetDlgItemText(dlg, 10, L" 17 ");
    EXPECT_EQ(GetDlgItemInt(dlg, 10, &ok, FALSE), 17u);
    SetDlgItemText(dlg, 10, L"17x");
    GetDlgItemInt(dlg, 10, &ok, TRUE);
    EXPECT_FALSE(ok);
    wchar_t buffer[8];
    EXPECT_EQ(GetDlgItemText(dlg, 10, buffer, 3), 2u);
    EXPECT_STREQ(buffer, L"17");
    CheckRadioButton(dlg, 20, 22, 22);
    EXPECT_EQ(IsDlgButtonChecked(dlg, 22), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dlg, 20), BST_UNCHECKED);
    CheckDlgButton(dlg, 30, BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dlg, 30), BST_CHECKED);
    EXPECT_EQ(GetDlgItem(dlg, 9999), nullptr);
    EXPECT_FALSE(SetDlgItemText(dlg, 9999, L"x"));
    EXPECT_EQ(GetNextDlgGroupItem(dlg, GetDlgItem(dlg, 22), FALSE), GetDlgItem(dlg, 20));
    EXPECT_EQ(GetNextDlgTabItem(dlg, GetDlgItem(dlg, IDCANCEL), FALSE), GetDlgItem(dlg, 10));
    EXPECT_EQ(GetNextDlgTabItem(dlg, GetDlgItem(dlg, 10), TRUE), GetDlgItem(dlg, IDCANCEL));
}

TEST_F(DialogManager, AModalDialogInsideAModalDialogTakesTheNextScript) {
    INT_PTR inner = 0;
    winx::queueScript(winx::DialogScript()
                          .call([&](HWND) {
                              DialogLog innerLog;
                              DialogLog* outer = logFor;
                              logFor = &innerLog;
                              inner = DialogBoxParam(formModule(), MAKEINTRESOURCE(kFormId),
                                                     nullptr, loggingDialogProc, 0);
                              logFor = outer;
                          })
                          .click(IDOK));
    winx::queueScript(winx::DialogScript().pressKey(VK_ESCAPE));
    EXPECT_EQ(DialogBoxParam(formModule(), MAKEINTRESOURCE(kFormId), nullptr, loggingDialogProc, 0),
              100);
    EXPECT_EQ(inner, 200);
    EXPECT_TRUE(winx::unattended().empty());
    EXPECT_EQ(winx::pendingScripts(), 0u);
}

} // namespace

namespace {

INT_PTR CALLBACK answeringProc(HWND dialog, UINT msg, WPARAM, LPARAM) {
    if (msg == WM_APP) {
        SetWindowLongPtr(dialog, DWLP_MSGRESULT, 77);
        return TRUE;
    }
    if (msg == WM_CTLCOLORSTATIC) return 1234; // returned as it is
    return FALSE;
}

TEST_F(DialogManager, DwlpMsgResultCarriesTheAnswerAndTheTemplateFontDiesWithTheDialog) {
    const std::size_t liveBefore = winx::liveGdiObjects();
    const HWND dlg =
        CreateDialogParam(formModule(), MAKEINTRESOURCE(kFormId), nullptr, answeringProc, 0);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(winx::liveGdiObjects(), liveBefore + 1); // the 8-point template font
    EXPECT_EQ(SendMessage(dlg, WM_APP, 0, 0), 77);
    EXPECT_EQ(SendMessage(dlg, WM_CTLCOLORSTATIC, 0, 0), 1234);
    EXPECT_EQ(SendMessage(dlg, WM_APP + 1, 0, 0), 0);
    // WM_NEXTDLGCTL moves to the next tab stop, or to a given control.
    SetFocus(GetDlgItem(dlg, 10));
    SendMessage(dlg, WM_NEXTDLGCTL, 0, 0);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), 11);
    SendMessage(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dlg, IDOK)), TRUE);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDOK);
    SendMessage(dlg, WM_NEXTDLGCTL, 1, 0);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), 30);
    DestroyWindow(dlg);
    EXPECT_EQ(winx::liveGdiObjects(), liveBefore);
}

} // namespace

namespace {

const std::string kPagesScript = R"(
600 DIALOG 0, 0, 200, 120
STYLE WS_POPUP | WS_CAPTION
CAPTION "With page"
BEGIN
    EDITTEXT 10, 5, 5, 100, 12
    DEFPUSHBUTTON "OK", IDOK, 95, 100, 40, 14
    PUSHBUTTON "Cancel", IDCANCEL, 140, 100, 40, 14
END
601 DIALOG 0, 30, 200, 60
STYLE DS_CONTROL | WS_CHILD | WS_VISIBLE
BEGIN
    EDITTEXT 20, 5, 5, 100, 12
    EDITTEXT 21, 5, 20, 100, 12
END
)";

INT_PTR CALLBACK pageHostProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        CreateDialogParam(reinterpret_cast<HINSTANCE>(lParam), MAKEINTRESOURCE(601), dialog,
                          nullptr, 0);
        return TRUE;
    }
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED &&
        (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

TEST_F(DialogManager, APageInsideADialogTakesPartInItsKeyboardAndScripts) {
    const HINSTANCE module = moduleWithScript(L"pagestest.dll", kPagesScript);
    std::vector<int> visited;
    std::wstring typed;
    auto note = [&](HWND) { visited.push_back(GetDlgCtrlID(GetFocus())); };
    winx::queueScript(winx::DialogScript()
                          .setText(21, L"in the page")
                          .call([&](HWND dlg) {
                              wchar_t text[32] = {};
                              const HWND page = GetWindow(GetDlgItem(dlg, IDCANCEL), GW_HWNDNEXT);
                              EXPECT_TRUE(GetWindowLongPtr(page, GWL_EXSTYLE) &
                                          WS_EX_CONTROLPARENT);
                              GetDlgItemText(page, 21, text, 32);
                              typed = text;
                          })
                          .focus(10)
                          .pressKey(VK_TAB)
                          .call(note)
                          .pressKey(VK_TAB)
                          .call(note)
                          .pressKey(VK_TAB)
                          .call(note)
                          .pressKey(VK_TAB)
                          .call(note)
                          .pressKey(VK_TAB)
                          .call(note)
                          .pressKey(VK_TAB, winx::kShift)
                          .call(note)
                          .pressKey(VK_RETURN)); // from inside the page: the outer default
    EXPECT_EQ(DialogBoxParam(module, MAKEINTRESOURCE(600), nullptr, pageHostProc,
                             reinterpret_cast<LPARAM>(module)),
              IDOK);
    EXPECT_EQ(typed, L"in the page");
    EXPECT_EQ(visited, (std::vector<int>{IDOK, IDCANCEL, 20, 21, 10, 21}));
}

} // namespace

namespace {

const std::string kMnemonicScript = R"(
700 DIALOG 0, 0, 200, 100
STYLE WS_POPUP | WS_CAPTION
CAPTION "Mnemonics"
BEGIN
    LTEXT "&Name", -1, 5, 5, 40, 10
    EDITTEXT 10, 50, 5, 100, 12
    AUTOCHECKBOX "&Check", 20, 5, 25, 60, 10
    PUSHBUTTON "&Go", 30, 5, 45, 40, 14
    PUSHBUTTON "Cancel", IDCANCEL, 140, 80, 40, 14
END
)";

TEST_F(DialogManager, MnemonicsFocusClickAndCheckTheirControls) {
    const HINSTANCE module = moduleWithScript(L"mnemonictest.dll", kMnemonicScript);
    log_.keepOpen = true;
    int afterName = 0;
    int afterCheck = 0;
    UINT checked = 0;
    winx::queueScript(winx::DialogScript()
                          .focus(30)
                          .pressKey('N', winx::kAlt)
                          .call([&](HWND) { afterName = GetDlgCtrlID(GetFocus()); })
                          .pressKey('C', winx::kAlt)
                          .call([&](HWND dlg) {
                              afterCheck = GetDlgCtrlID(GetFocus());
                              checked = IsDlgButtonChecked(dlg, 20);
                          })
                          .pressKey('G') // the check box does not take characters
                          .call([](HWND dlg) { EndDialog(dlg, 1); }));
    DialogBoxParam(module, MAKEINTRESOURCE(700), nullptr, loggingDialogProc, 0);
    EXPECT_EQ(afterName, 10);
    EXPECT_EQ(afterCheck, 20);
    EXPECT_EQ(checked, BST_CHECKED);
    EXPECT_EQ(log_.commands, (std::vector<int>{20, 30}));
}

} // namespace
