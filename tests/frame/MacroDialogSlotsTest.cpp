#include "FrameTestSupport.h"

#include "aced.h"

namespace trkss::test {
namespace {

class MacroDialogSlotsTest : public LoadedModule {
protected:
    int open(const wchar_t* name = L"M") {
        MacroData data;
        data.name = name;
        int slot = -2;
        EXPECT_TRUE(StartDlgMacroModeless(true, data, slot));
        return slot;
    }
};

TEST_F(MacroDialogSlotsTest, AClosedSlotIsReusedAndClosingTheLastSlotShrinksTheTable) {
    EXPECT_EQ(open(L"first"), 0);
    EXPECT_EQ(open(L"second"), 1);
    EXPECT_TRUE(EndDlgMacroModeless(0));
    EXPECT_EQ(slotCount(), 2) << "an empty slot before an open one stays";
    ASSERT_EQ(open(L"third"), 0);
    ASSERT_NE(dialogIn(0), nullptr);
    EXPECT_EQ(dialogIn(0)->data.name, Trk_String(L"third"));

    EXPECT_EQ(open(L"fourth"), 2);
    EXPECT_TRUE(EndDlgMacroModeless(0));
    EXPECT_TRUE(EndDlgMacroModeless(1));
    EXPECT_EQ(slotCount(), 3);
    EXPECT_TRUE(EndDlgMacroModeless(2));
    EXPECT_EQ(slotCount(), 0) << "trailing empty slots are dropped";
    EXPECT_EQ(acadx::promptCount(), 4);
}

TEST_F(MacroDialogSlotsTest, TheLastEmptySlotWinsAndTheDialogKnowsItsSlot) {
    for (int i = 0; i < 4; ++i)
        open();
    EXPECT_TRUE(EndDlgMacroModeless(0));
    EXPECT_TRUE(EndDlgMacroModeless(2));
    ASSERT_EQ(open(), 2);
    ASSERT_NE(dialogIn(2), nullptr);
    EXPECT_EQ(dialogIn(2)->registryPos, 2);
    EXPECT_EQ(open(), 0);
    EXPECT_EQ(open(), 4);
}

TEST_F(MacroDialogSlotsTest, FocusGoesBackToTheMainWindowUnlessKept) {
    MacroData data;
    int slot = -1;
    ASSERT_TRUE(StartDlgMacroModeless(false, data, slot));
    EXPECT_EQ(GetFocus(), adsw_acadMainWnd());
    EXPECT_TRUE(IsWindowVisible(dialogIn(slot)->m_hWnd));
    EXPECT_EQ(GetParent(dialogIn(slot)->m_hWnd), adsw_acadMainWnd());
}

TEST_F(MacroDialogSlotsTest, GetDlgMacroDataMissesLeaveTheRecordUntouched) {
    open(L"zero");
    open(L"one");
    EXPECT_TRUE(EndDlgMacroModeless(0));
    MacroData out;
    out.name = L"untouched";
    EXPECT_FALSE(GetDlgMacroData(-1, out));
    EXPECT_FALSE(GetDlgMacroData(2, out));
    EXPECT_FALSE(GetDlgMacroData(0, out));
    EXPECT_EQ(out.name, Trk_String(L"untouched"));
    EXPECT_TRUE(GetDlgMacroData(1, out));
    EXPECT_EQ(out.name, Trk_String(L"one"));
    EXPECT_FALSE(EndDlgMacroModeless(0));
    EXPECT_FALSE(EndDlgMacroModeless(7));
}

TEST_F(MacroDialogSlotsTest, ABusyDialogClosesOnALaterTickAfterTheMarkClears) {
    const int slot = open();
    ASSERT_NE(dialogIn(slot), nullptr);
    dialogIn(slot)->data.isBusy = true;
    acadx::clearPrinted();
    EXPECT_TRUE(EndDlgMacroModeless(slot));
    EXPECT_NE(dialogIn(slot), nullptr) << "closing is postponed while busy";

    winx::advanceClock(49);
    EXPECT_TRUE(acadx::printed().empty());
    winx::advanceClock(1);
    EXPECT_EQ(acadx::printedText(), L"Delayed timer called.\n");
    ASSERT_NE(dialogIn(slot), nullptr) << "still busy: postponed again";

    dialogIn(slot)->data.isBusy = false;
    winx::advanceClock(50);
    EXPECT_EQ(acadx::printedText(), L"Delayed timer called.\nDelayed timer called.\n");
    EXPECT_EQ(slotCount(), 0);
    EXPECT_EQ(moduleState().pendingCloses.size(), 0u);
    winx::advanceClock(200);
    EXPECT_EQ(acadx::printed().size(), 2u) << "no timer outlives the close";
}

TEST_F(MacroDialogSlotsTest, APostponedCloseNeverClosesALaterDialogOfTheSameSlot) {
    const int slot = open(L"busy");
    dialogIn(slot)->data.isBusy = true;
    EXPECT_TRUE(EndDlgMacroModeless(slot));
    EXPECT_TRUE(EndDlgMacroModeless(slot)) << "asked twice while busy";
    dialogIn(slot)->data.isBusy = false;
    winx::advanceClock(50);
    ASSERT_EQ(slotCount(), 0);
    EXPECT_EQ(open(L"later"), slot);
    winx::advanceClock(100);
    ASSERT_EQ(slotCount(), 1);
    EXPECT_EQ(dialogIn(slot)->data.name, Trk_String(L"later"));
}

TEST_F(MacroDialogSlotsTest, AFailedWindowDestructionKeepsTheDialogInItsSlot) {
    const int slot = open();
    CDlgMacro* dialog = dialogIn(slot);
    const HWND hwnd = dialog->m_hWnd;
    dialog->Detach(); // the dialog no longer owns a window it could destroy
    EXPECT_FALSE(EndDlgMacroModeless(slot));
    EXPECT_EQ(dialogIn(slot), dialog);
    DestroyWindow(hwnd);
}

TEST_F(MacroDialogSlotsTest, UnloadClosesEveryDialogAndAbandonsPostponedCloses) {
    open();
    const int busy = open();
    dialogIn(busy)->data.isBusy = true;
    DestroyAllMacroDlgs();
    EXPECT_EQ(slotCount(), 2) << "the busy dialog waits, so the table keeps its slot";
    trkssDllMain(moduleInstance(), kProcessDetach);
    EXPECT_EQ(slotCount(), 0);
    acadx::clearPrinted();
    winx::advanceClock(500);
    EXPECT_TRUE(acadx::printed().empty()) << "no timer calls into an unloaded module";
    ASSERT_TRUE(trkssDllMain(moduleInstance(), kProcessAttach));
}

TEST_F(MacroDialogSlotsTest, TheModalDialogCopiesItsRecordBackWhateverButtonClosedIt) {
    MacroData data;
    data.name = L"before";
    winx::queueScript(winx::DialogScript()
                          .forTemplate(8131)
                          .call([](HWND hwnd) {
                              auto* dialog = dialogOf<CDlgMacro>(hwnd);
                              ASSERT_NE(dialog, nullptr);
                              EXPECT_EQ(dialog->data.name, Trk_String(L"before"));
                              dialog->data.name = L"after";
                          })
                          .click(IDCANCEL));
    StartDlgMacro(data);
    EXPECT_EQ(data.name, Trk_String(L"after"));
}

} // namespace
} // namespace trkss::test
