#include "platform/win/DialogTestSupport.h"

#include "afxwin.h"

#include <stdexcept>

namespace {

using namespace wintest;

class PromptDialog : public CDialog {
public:
    PromptDialog() : CDialog(kPromptId) {}

    std::wstring value;
    std::wstring label = L"Enter a name:";
    bool requireText = true;
    int initCalls = 0;
    int changes = 0;

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Text(dx, kValueId, value); }

    BOOL OnInitDialog() override {
        ++initCalls;
        CDialog::OnInitDialog();
        SetDlgItemText(kLabelId, label);
        return TRUE;
    }

    void OnOK() override {
        std::wstring text;
        GetDlgItemText(kValueId, text);
        if (requireText && text.empty()) return;
        CDialog::OnOK();
    }

    void onValueChanged() { ++changes; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PromptDialog, CDialog)
ON_EN_CHANGE(kValueId, &PromptDialog::onValueChanged)
END_MESSAGE_MAP()

class ClassLibraryDialog : public WindowTest {
protected:
    ClassLibraryDialog() { AfxSetResourceHandle(promptModule()); }
    ~ClassLibraryDialog() override { AfxSetResourceHandle(nullptr); }
};

TEST_F(ClassLibraryDialog, AScriptedModalDialogExchangesItsDataOnOk) {
    PromptDialog dlg;
    dlg.value = L"old";
    winx::queueScript(
        winx::DialogScript().forTemplate(kPromptId).setText(kValueId, L"new name").click(IDOK));
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.value, L"new name");
    EXPECT_EQ(dlg.initCalls, 1);
    EXPECT_GE(dlg.changes, 1);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_TRUE(winx::unattended().empty());
    EXPECT_TRUE(winx::problems().empty());
}

TEST_F(ClassLibraryDialog, AnUnattendedDialogIsCancelledAndRecorded) {
    PromptDialog dlg;
    dlg.value = L"kept";
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.value, L"kept");
    const auto unattended = winx::unattended();
    ASSERT_EQ(unattended.size(), 1u);
    EXPECT_EQ(unattended[0].templateId, kPromptId);
    EXPECT_EQ(unattended[0].caption, L"Prompt");
}

TEST_F(ClassLibraryDialog, OkWithoutTheRequiredTextKeepsTheDialogOpen) {
    PromptDialog dlg;
    winx::queueScript(winx::DialogScript()
                          .click(IDOK)
                          .call([](HWND dialog) { EXPECT_TRUE(IsWindowVisible(dialog)); })
                          .type(kValueId, L"x")
                          .click(IDOK));
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.value, L"x");
}

} // namespace

namespace {

class Throwing : public CDialog {
public:
    Throwing() : CDialog(kPromptId) {}

protected:
    void OnOK() override { throw std::runtime_error("dialog failed"); }
};

TEST_F(ClassLibraryDialog, AnExceptionLeavesNoDialogBehindAndEnablesTheOwnerAgain) {
    const HWND owner = makeWindow(WS_OVERLAPPED | WS_VISIBLE);
    Throwing dlg;
    dlg.m_pParentWnd = CWnd::FromHandle(owner);
    HWND seen = nullptr;
    winx::queueScript(winx::DialogScript().call([&](HWND d) { seen = d; }).click(IDOK));
    EXPECT_THROW(dlg.DoModal(), std::runtime_error);
    EXPECT_FALSE(IsWindow(seen));
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    // The next dialog is created normally.
    PromptDialog next;
    winx::queueScript(winx::DialogScript().type(kValueId, L"a").click(IDOK));
    EXPECT_EQ(next.DoModal(), IDOK);
}

} // namespace
