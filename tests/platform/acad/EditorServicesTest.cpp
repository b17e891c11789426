#include "acadx.h"
#include "arxHeaders.h"
#include "win/winx.h"
#include "win/winx_script.h"

#include <gtest/gtest.h>

namespace {

class EditorServicesTest : public ::testing::Test {
protected:
    void SetUp() override { acadx::reset(); }
    void TearDown() override { acadx::reset(); }
};

TEST_F(EditorServicesTest, CommandGroupsAreRemovedWholeAndRecorded) {
    auto* stack = acedRegCmds();
    ASSERT_EQ(AcEdCommandStack::cast(acrxSysRegistry()->at(ACRX_COMMAND_DOCK)), stack);
    EXPECT_EQ(stack->addCommand(L"TRUSKA_SS", L"SSEDIT", L"ssedit", ACRX_CMD::kModal, nullptr),
              Acad::eOk);
    EXPECT_EQ(stack->addCommand(L"TRUSKA_SS", L"SSVIEW", nullptr, ACRX_CMD::kModal, nullptr),
              Acad::eOk);
    EXPECT_EQ(stack->addCommand(L"OTHER", L"ssedit", nullptr, 0, nullptr), Acad::eDuplicateKey);
    EXPECT_EQ(stack->addCommand(L"OTHER", L"KEEP", nullptr, 0, nullptr), Acad::eOk);

    EXPECT_EQ(stack->removeGroup(L"truska_ss"), Acad::eOk);
    EXPECT_EQ(stack->lookupCmd(L"SSEDIT"), nullptr);
    ASSERT_NE(stack->lookupCmd(L"keep"), nullptr);
    EXPECT_EQ(stack->removeGroup(L"TRUSKA_SS"), Acad::eKeyNotFound);
    EXPECT_EQ(stack->removedGroups(), (std::vector<std::wstring>{L"truska_ss", L"TRUSKA_SS"}));
}

TEST_F(EditorServicesTest, DynamicLinkerKeepsLocksAndDocumentAwarenessPerApplication) {
    int app1 = 0, app2 = 0;
    auto* linker = acrxDynamicLinkerService();
    EXPECT_EQ(AcRxDynamicLinker::cast(acrxSysRegistry()->at(L"DynamicLinker")), linker);
    EXPECT_TRUE(linker->isApplicationLocked(&app1));
    EXPECT_TRUE(linker->unlockApplication(&app1));
    EXPECT_TRUE(linker->registerAppMDIAware(&app1));
    EXPECT_FALSE(linker->isApplicationLocked(&app1));
    EXPECT_TRUE(linker->isAppMDIAware(&app1));
    EXPECT_TRUE(linker->isApplicationLocked(&app2));
    EXPECT_FALSE(linker->isAppMDIAware(&app2));
    EXPECT_FALSE(linker->unlockApplication(nullptr));
}

TEST_F(EditorServicesTest, PickFirstSelectionYieldsIdsInOrderAndSetsMustBeFreed) {
    ads_name ss;
    EXPECT_EQ(acedSSGet(L"_P", nullptr, nullptr, nullptr, ss), RTERROR) << "nothing selected";
    acadx::setPickFirst({AcDbObjectId(11), AcDbObjectId(12), AcDbObjectId(13)});
    EXPECT_EQ(acedSSGet(L"_X", nullptr, nullptr, nullptr, ss), RTERROR);
    ASSERT_EQ(acedSSGet(L"_P", nullptr, nullptr, nullptr, ss), RTNORM);
    Adesk::Int32 length = 0;
    ASSERT_EQ(acedSSLength(ss, &length), RTNORM);
    ASSERT_EQ(length, 3);
    std::vector<AcDbObjectId> ids;
    for (Adesk::Int32 i = 0; i < length; ++i) {
        ads_name entity;
        ASSERT_EQ(acedSSName(ss, i, entity), RTNORM);
        AcDbObjectId id;
        ASSERT_EQ(acdbGetObjectId(id, entity), Acad::eOk);
        ids.push_back(id);
    }
    EXPECT_EQ(ids,
              (std::vector<AcDbObjectId>{AcDbObjectId(11), AcDbObjectId(12), AcDbObjectId(13)}));
    ads_name entity;
    EXPECT_EQ(acedSSName(ss, 3, entity), RTERROR);
    EXPECT_EQ(acadx::openSelectionSets(), 1);
    EXPECT_EQ(acedSSFree(ss), RTNORM);
    EXPECT_EQ(acedSSFree(ss), RTERROR);
    EXPECT_EQ(acedSSLength(ss, &length), RTERROR);
    EXPECT_EQ(acadx::openSelectionSets(), 0);
}

TEST_F(EditorServicesTest, TransactionsNestAndEndInReverseOrder) {
    auto* manager = actrTransactionManager;
    EXPECT_EQ(manager->endTransaction(), Acad::eNotApplicable);
    AcTransaction* outer = manager->startTransaction();
    AcTransaction* inner = manager->startTransaction();
    EXPECT_EQ(outer->depth(), 1);
    EXPECT_EQ(inner->depth(), 2);
    EXPECT_EQ(manager->topTransaction(), inner);
    const int committed = manager->committedCount();
    const int aborted = manager->abortedCount();
    EXPECT_EQ(manager->abortTransaction(), Acad::eOk);
    EXPECT_EQ(manager->topTransaction(), outer);
    EXPECT_EQ(manager->endTransaction(), Acad::eOk);
    EXPECT_EQ(manager->numActiveTransactions(), 0);
    EXPECT_EQ(manager->committedCount(), committed + 1);
    EXPECT_EQ(manager->abortedCount(), aborted + 1);
}

TEST_F(EditorServicesTest, PostedCommandsPromptsAndDisplayUpdatesAreRecorded) {
    EXPECT_TRUE(acedPostCommand(L"CANCELCMD"));
    EXPECT_FALSE(acedPostCommand(nullptr));
    acedPostCommandPrompt();
    acedPostCommandPrompt();
    acedUpdateDisplay();
    EXPECT_EQ(acadx::postedCommands(), std::vector<std::wstring>{L"CANCELCMD"});
    EXPECT_EQ(acadx::promptCount(), 2);
    EXPECT_EQ(acadx::displayUpdateCount(), 1);
    acadx::reset();
    EXPECT_TRUE(acadx::postedCommands().empty());
    EXPECT_EQ(acadx::promptCount(), 0);
}

TEST_F(EditorServicesTest, ArraysRefuseIndexesOutsideAndFindFromAStart) {
    AcArray<int> a{1, 2, 3};
    EXPECT_FALSE(a.insertAt(5, 9));
    EXPECT_TRUE(a.insertAt(3, 4));
    EXPECT_FALSE(a.removeAt(-1));
    EXPECT_TRUE(a.removeAt(0));
    EXPECT_EQ(a, (AcArray<int>{2, 3, 4}));
    a.append(2);
    EXPECT_EQ(a.find(2), 0);
    EXPECT_EQ(a.find(2, 1), 3);
    EXPECT_EQ(a.find(7), -1);
    a.setLogicalLength(1);
    EXPECT_EQ(a.length(), 1);
}

} // namespace

namespace {

TEST(MainWindow, TheProgramsFrameIsOneVisibleWindowThatOwnsModalDialogs) {
    winx::TestSession session;
    const HWND main = adsw_acadMainWnd();
    ASSERT_TRUE(IsWindow(main));
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_EQ(adsw_acadMainWnd(), main);
    EXPECT_EQ(winx::mainWindow(), main);
    DestroyWindow(main);
    const HWND again = adsw_acadMainWnd();
    EXPECT_TRUE(IsWindow(again)) << "a destroyed frame is made again";
    EXPECT_EQ(winx::mainWindow(), again);
}

} // namespace
