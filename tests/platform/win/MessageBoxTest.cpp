#include "platform/win/DialogTestSupport.h"

#include "afxwin.h"

namespace {

using namespace wintest;

class MessageBoxes : public WindowTest {};

TEST_F(MessageBoxes, QueuedAnswersAreTakenInOrderAndRecorded) {
    winx::answerMessageBox(IDNO);
    winx::answerMessageBox(IDRETRY);
    const HWND owner = makeWindow(WS_OVERLAPPED);
    EXPECT_EQ(MessageBox(owner, L"Save?", L"Designer", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(MessageBox(owner, L"Again?", L"Disk", MB_RETRYCANCEL), IDRETRY);
    const auto boxes = winx::messageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].owner, owner);
    EXPECT_EQ(boxes[0].text, L"Save?");
    EXPECT_EQ(boxes[0].caption, L"Designer");
    EXPECT_EQ(boxes[0].flags, MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(boxes[0].answer, IDNO);
    EXPECT_FALSE(boxes[0].unattended);
    EXPECT_TRUE(winx::unattended().empty());
}

TEST_F(MessageBoxes, AnOkOnlyBoxNeedsNoAnswerAndLeavesTheQueueAlone) {
    winx::answerMessageBox(IDYES);
    EXPECT_EQ(MessageBox(nullptr, L"Done.", nullptr, MB_OK | MB_ICONINFORMATION), IDOK);
    EXPECT_EQ(MessageBox(nullptr, L"Sure?", L"Q", MB_YESNO), IDYES);
    const auto boxes = winx::messageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, L"Error"); // the platform's caption for a null one
    EXPECT_TRUE(winx::unattended().empty());
}

TEST_F(MessageBoxes, AnUnansweredChoiceTakesTheDefaultButtonAndIsUnattended) {
    EXPECT_EQ(MessageBox(nullptr, L"Overwrite?", L"Files", MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(MessageBox(nullptr, L"Go on?", L"Files", MB_OKCANCEL), IDOK);
    const auto unattended = winx::unattended();
    ASSERT_EQ(unattended.size(), 2u);
    EXPECT_EQ(unattended[0].kind, winx::UnattendedRecord::Kind::MessageBox);
    EXPECT_EQ(unattended[0].text, L"Overwrite?");
    EXPECT_TRUE(winx::messageBoxes()[1].unattended);
}

TEST_F(MessageBoxes, AnAnswerTheBoxDoesNotOfferIsAProblem) {
    winx::answerMessageBox(IDRETRY);
    EXPECT_EQ(MessageBox(nullptr, L"Q", L"C", MB_YESNO), IDYES);
    EXPECT_EQ(winx::problems().size(), 1u);
}

TEST_F(MessageBoxes, AScriptStepAnswersABoxShownInsideItsDialog) {
    AfxSetResourceHandle(promptModule());
    class Asking : public CDialog {
    public:
        Asking() : CDialog(kPromptId) {}
        int answer = 0;

    protected:
        void OnOK() override {
            answer = AfxMessageBox(L"Really?", MB_YESNO);
            if (answer == IDYES) CDialog::OnOK();
        }
    } dlg;
    winx::answerMessageBox(IDNO); // a queued answer that the script's own goes before
    winx::queueScript(winx::DialogScript().answerMessageBox(IDYES).click(IDOK));
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.answer, IDYES);
    const auto boxes = winx::messageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, std::wstring(AfxGetAppName()));
    EXPECT_NE(boxes[0].owner, nullptr); // the running dialog
    EXPECT_EQ(MessageBox(nullptr, L"left", L"C", MB_YESNO), IDNO);
    AfxSetResourceHandle(nullptr);
}

TEST_F(MessageBoxes, TheApplicationNameCaptionsClassLibraryBoxes) {
    winx::setApplicationName(L"Steel");
    AfxMessageBox(L"Hello");
    winx::setApplicationName(L"");
    ASSERT_EQ(winx::messageBoxes().size(), 1u);
    EXPECT_EQ(winx::messageBoxes()[0].caption, L"Steel");
}

} // namespace
