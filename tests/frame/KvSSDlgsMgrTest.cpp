#include "FrameTestSupport.h"

#include "standards/CDlgSSStandards.h"

#include "aced.h"

namespace trkss::test {
namespace {

using KvSSDlgsMgrTest = LoadedModule;

TEST_F(KvSSDlgsMgrTest, ThePoolGrowsOneDialogPerNestingLevelAndReusesTheFirstFreeOne) {
    KvSSDlgsMgr pool;
    CDlgSSStandards* level0 = pool.getDlg();
    CDlgSSStandards* level1 = pool.getDlg();
    CDlgSSStandards* level2 = pool.getDlg();
    ASSERT_TRUE(level0 && level1 && level2);
    EXPECT_EQ(pool.dialogCount(), 3);
    EXPECT_TRUE(pool.isInUse(0) && pool.isInUse(1) && pool.isInUse(2));
    EXPECT_EQ(pool.releaseDlg(level2), eOk);
    EXPECT_EQ(pool.releaseDlg(level1), eOk);
    EXPECT_EQ(pool.releaseDlg(level0), eOk);
    EXPECT_FALSE(pool.isInUse(0) || pool.isInUse(1) || pool.isInUse(2));

    EXPECT_EQ(pool.getDlg(), level0) << "a later evaluation reuses dialog 0";
    EXPECT_EQ(pool.getDlg(), level1);
    EXPECT_EQ(pool.dialogCount(), 3);
    EXPECT_EQ(pool.releaseDlg(level0), eOk);
    EXPECT_EQ(pool.getDlg(), level0) << "the first free dialog is lent";
}

TEST_F(KvSSDlgsMgrTest, HostDialogsAreHiddenChildrenOfTheMainWindowOnTheirTemplate) {
    KvSSDlgsMgr pool;
    CDlgSSStandards* dialog = pool.getDlg();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(IsWindow(dialog->m_hWnd));
    EXPECT_FALSE(IsWindowVisible(dialog->m_hWnd));
    EXPECT_EQ(GetParent(dialog->m_hWnd), adsw_acadMainWnd());
    EXPECT_NE(GetDlgItem(dialog->m_hWnd, 1196), nullptr) << "the grid placeholder";
    const HWND hwnd = dialog->m_hWnd;
    pool.destroyAll();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(pool.dialogCount(), 0);
}

TEST_F(KvSSDlgsMgrTest, ForeignPointersAreRefusedAndNothingIsReleasedTwiceIntoUse) {
    KvSSDlgsMgr pool, other;
    CDlgSSStandards* mine = pool.getDlg();
    CDlgSSStandards* theirs = other.getDlg();
    CDlgSSStandards stranger;
    EXPECT_EQ(pool.releaseDlg(theirs), eInvalidInput);
    EXPECT_EQ(pool.releaseDlg(&stranger), eInvalidInput);
    EXPECT_EQ(pool.releaseDlg(nullptr), eInvalidInput);
    EXPECT_EQ(pool.releaseDlg(mine), eOk);
    EXPECT_EQ(pool.releaseDlg(mine), eOk) << "releasing a free dialog keeps it free";
    EXPECT_FALSE(pool.isInUse(0));
    EXPECT_TRUE(other.isInUse(0));
}

TEST_F(KvSSDlgsMgrTest, ACopySharesTheDialogsSoNeitherPoolLosesWindowsTheOtherStillHolds) {
    KvSSDlgsMgr pool;
    CDlgSSStandards* lent = pool.getDlg();
    const HWND hwnd = lent->m_hWnd;
    {
        KvSSDlgsMgr copy(pool);
        EXPECT_EQ(copy.dialogCount(), 1);
        EXPECT_TRUE(copy.isInUse(0)) << "the marks are copied";
        EXPECT_EQ(copy.releaseDlg(lent), eOk);
        EXPECT_TRUE(pool.isInUse(0));
    }
    EXPECT_TRUE(IsWindow(hwnd)) << "the copy's destruction left the shared dialog alive";
    KvSSDlgsMgr assigned;
    assigned = pool;
    pool.destroyAll();
    EXPECT_TRUE(IsWindow(hwnd));
    assigned.destroyAll();
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(KvSSDlgsMgrTest, AnEvaluationLendsAndReturnsAPoolDialogAndLeavesAFailedRequestUnchanged) {
    KvDlgStandardsData request;
    request.spreadsheet = L"EndPlate";
    request.genVarNames.append(L"gen_Grade");
    EXPECT_FALSE(StartDlgStandardsSS(request)) << "no calculator in this build";
    EXPECT_EQ(request.spreadsheet, Trk_String(L"EndPlate"));
    EXPECT_EQ(request.genVarNames.length(), 1);
    ASSERT_EQ(gSSDlgsMgr.dialogCount(), 1);
    EXPECT_FALSE(gSSDlgsMgr.isInUse(0)) << "the dialog went back to the pool";
    EXPECT_EQ(gSSDlgsMgr.dialogAt(0)->request.spreadsheet, Trk_String(L"EndPlate"));
}

} // namespace
} // namespace trkss::test
