#include "platform/win/DialogTestSupport.h"

#include "win/winctrl.h"

namespace {

using namespace wintest;

const std::string kScriptForm = R"(
500 DIALOG 0, 0, 200, 100
STYLE WS_POPUP | WS_CAPTION
CAPTION "Scripted"
BEGIN
    EDITTEXT 10, 5, 5, 100, 12
    COMBOBOX 11, 5, 20, 100, 60, CBS_DROPDOWNLIST | WS_VSCROLL
    AUTOCHECKBOX "Check", 12, 5, 40, 60, 10
    PUSHBUTTON "Hidden", 13, 5, 55, 40, 14, NOT WS_VISIBLE
    PUSHBUTTON "Off", 14, 50, 55, 40, 14, WS_DISABLED
    DEFPUSHBUTTON "OK", IDOK, 95, 80, 40, 14
    PUSHBUTTON "Cancel", IDCANCEL, 140, 80, 40, 14
END
501 DIALOG 0, 0, 50, 50
STYLE WS_POPUP | WS_CAPTION
CAPTION "Other"
BEGIN
    PUSHBUTTON "Cancel", IDCANCEL, 5, 5, 40, 14
END
)";

HINSTANCE scriptModule() {
    static const HINSTANCE module = moduleWithScript(L"scripttest.dll", kScriptForm);
    return module;
}

struct Outcome {
    std::wstring text;
    int comboIndex = -1;
    int check = 0;
    std::vector<int> clicks;
    std::vector<UINT> keys;
};

Outcome* outcome = nullptr;

INT_PTR CALLBACK formProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_INITDIALOG) {
        const HWND combo = GetDlgItem(dialog, 11);
        for (const wchar_t* s : {L"Alpha", L"Beta", L"Gamma"}) {
            SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        }
        return TRUE;
    }
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && outcome) {
        const int id = LOWORD(wParam);
        outcome->clicks.push_back(id);
        if (id == IDOK || id == IDCANCEL) {
            wchar_t text[64];
            GetDlgItemText(dialog, 10, text, 64);
            outcome->text = text;
            outcome->comboIndex =
                static_cast<int>(SendDlgItemMessage(dialog, 11, CB_GETCURSEL, 0, 0));
            outcome->check = static_cast<int>(IsDlgButtonChecked(dialog, 12));
            EndDialog(dialog, id);
        }
        return TRUE;
    }
    return FALSE;
}

class Scripts : public WindowTest {
protected:
    Scripts() { outcome = &out_; }
    ~Scripts() override { outcome = nullptr; }

    INT_PTR run(int templateId = 500) {
        return DialogBoxParam(scriptModule(), MAKEINTRESOURCE(templateId), nullptr, formProc, 0);
    }

    bool problemMentions(const std::wstring& words) const {
        for (const std::wstring& p : winx::problems()) {
            if (p.find(words) != std::wstring::npos) return true;
        }
        return false;
    }

    Outcome out_;
};

TEST_F(Scripts, StepsDriveRealControlsLikeAUser) {
    winx::queueScript(winx::DialogScript()
                          .forTemplate(500)
                          .setText(10, L"replaced")
                          .type(10, L"!")
                          .choose(11, L"beta")
                          .check(12, BST_CHECKED)
                          .click(IDOK));
    EXPECT_EQ(run(), IDOK);
    EXPECT_EQ(out_.text, L"replaced!");
    EXPECT_EQ(out_.comboIndex, 1);
    EXPECT_EQ(out_.check, BST_CHECKED);
    EXPECT_TRUE(winx::problems().empty());
    EXPECT_TRUE(winx::unattended().empty());
}

TEST_F(Scripts, ChoosingByIndexAndKeysWithModifiersGoThroughTheQueue) {
    SHORT shiftInside = 0;
    winx::queueScript(winx::DialogScript()
                          .choose(11, 2)
                          .focus(10)
                          .pressKey('A', winx::kShift)
                          .pressKey('B')
                          .call([&](HWND) { shiftInside = GetKeyState(VK_SHIFT); })
                          .pressKey(VK_RETURN));
    EXPECT_EQ(run(), IDOK);
    EXPECT_EQ(out_.comboIndex, 2);
    EXPECT_EQ(out_.text, L"Ab");
    EXPECT_GE(shiftInside, 0); // released after the key
}

TEST_F(Scripts, StepsOnMissingHiddenOrDisabledControlsAreRecordedAndSkipped) {
    winx::queueScript(winx::DialogScript().click(999).click(13).click(14).click(IDCANCEL));
    EXPECT_EQ(run(), IDCANCEL);
    EXPECT_EQ(out_.clicks, (std::vector<int>{IDCANCEL}));
    EXPECT_TRUE(problemMentions(L"click 999): no such control"));
    EXPECT_TRUE(problemMentions(L"click 13): the control is hidden"));
    EXPECT_TRUE(problemMentions(L"click 14): the control is disabled"));
    EXPECT_TRUE(winx::unattended().empty());
}

TEST_F(Scripts, AScriptThatRunsOutLeavesTheDialogUnattended) {
    winx::queueScript(winx::DialogScript().setText(10, L"half done"));
    EXPECT_EQ(run(), IDCANCEL);
    EXPECT_EQ(out_.text, L"half done");
    const auto unattended = winx::unattended();
    ASSERT_EQ(unattended.size(), 1u);
    EXPECT_EQ(unattended[0].kind, winx::UnattendedRecord::Kind::Dialog);
    EXPECT_EQ(unattended[0].templateId, 500);
    EXPECT_EQ(unattended[0].caption, L"Scripted");
}

TEST_F(Scripts, AScriptForAnotherDialogStaysQueuedForIt) {
    winx::queueScript(winx::DialogScript().forCaption(L"Scripted").click(IDOK));
    EXPECT_EQ(run(501), IDCANCEL); // not meant for this one
    EXPECT_EQ(winx::pendingScripts(), 1u);
    EXPECT_TRUE(problemMentions(L"does not fit dialog 501"));
    EXPECT_EQ(run(500), IDOK);
    EXPECT_EQ(winx::pendingScripts(), 0u);
}

TEST_F(Scripts, StepsLeftWhenTheDialogClosesAreReported) {
    winx::queueScript(winx::DialogScript().click(IDOK).click(IDOK).click(IDOK));
    EXPECT_EQ(run(), IDOK);
    EXPECT_TRUE(problemMentions(L"closed with 2 script steps left"));
}

int timerCalls = 0;
void CALLBACK countingTimer(HWND, UINT, UINT_PTR, DWORD) {
    ++timerCalls;
}

TEST_F(Scripts, AnAdvanceStepFiresTimersInsideTheDialog) {
    timerCalls = 0;
    int callsSeen = -1;
    UINT_PTR timer = 0;
    winx::queueScript(winx::DialogScript()
                          .call([&](HWND) { timer = SetTimer(nullptr, 0, 100, countingTimer); })
                          .advanceClock(250)
                          .call([&](HWND) { callsSeen = timerCalls; })
                          .click(IDCANCEL));
    const DWORD start = GetTickCount();
    run();
    EXPECT_EQ(callsSeen, 2);
    EXPECT_EQ(GetTickCount() - start, 250u);
    KillTimer(nullptr, timer);
}

} // namespace
