#include "trk/KvTempResourceOverride.h"

#include "afxwin.h"
#include "win/winx.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// The module is saved once per process, as at library load.
class KvTempResourceOverrideTest : public ::testing::Test {
protected:
    void SetUp() override {
        KvTempResourceOverride::SaveDefaultResource(module());
        m_before = AfxGetResourceHandle();
        AfxSetResourceHandle(host());
    }
    void TearDown() override { AfxSetResourceHandle(m_before); }

    static HINSTANCE module() { return winx::attachModule(L"trkss-override-test"); }
    static HINSTANCE host() { return winx::attachModule(L"trkcore-override-test"); }

    HINSTANCE m_before = nullptr;
};

TEST_F(KvTempResourceOverrideTest, TheModuleIsSavedOnceAndTheFirstSaveWins) {
    KvTempResourceOverride::SaveDefaultResource(host());
    KvTempResourceOverride::SaveDefaultResource(nullptr);
    EXPECT_EQ(KvTempResourceOverride::DefaultResource(), module());
}

TEST_F(KvTempResourceOverrideTest, SwitchingAndRestoringPutsBackTheHandleItReplaced) {
    KvTempResourceOverride override;
    EXPECT_EQ(AfxGetResourceHandle(), module());
    override.SetDefaultResource(); // already switched: remembers nothing new
    override.RestoreOriginalResource();
    EXPECT_EQ(AfxGetResourceHandle(), host());
    const HINSTANCE other = winx::attachModule(L"other-override-test");
    AfxSetResourceHandle(other);
    override.RestoreOriginalResource(); // not switched: nothing happens
    EXPECT_EQ(AfxGetResourceHandle(), other);
    override.SetDefaultResource();
    EXPECT_EQ(AfxGetResourceHandle(), module());
    override.RestoreOriginalResource();
    EXPECT_EQ(AfxGetResourceHandle(), other);
}

TEST_F(KvTempResourceOverrideTest, NestedOverridesRestoreInTurnEvenWhenLeftByAnException) {
    const auto launcher = [] {
        KvTempResourceOverride outer;
        {
            KvTempResourceOverride inner;
            EXPECT_EQ(AfxGetResourceHandle(), module());
        }
        EXPECT_EQ(AfxGetResourceHandle(), module());
        throw std::runtime_error("dialog failed");
    };
    EXPECT_THROW(launcher(), std::runtime_error);
    EXPECT_EQ(AfxGetResourceHandle(), host());
}

} // namespace
