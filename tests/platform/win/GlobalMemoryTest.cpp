#include "win/winbase.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

bool lastErrorIs(LONG code) {
    return GetLastError() == static_cast<DWORD>(code);
}

class GlobalMemoryTest : public ::testing::Test {
protected:
    void SetUp() override { liveBefore = winx::liveGlobalBlocks(); }
    void TearDown() override {
        winx::failNextGlobalAllocs(0);
        EXPECT_EQ(winx::liveGlobalBlocks(), liveBefore) << "a test leaked a block";
    }

    // A movable block holding terminated wide text, sized as module code sizes it.
    HGLOBAL textBlock(const std::wstring& text) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof(wchar_t) * (text.size() + 1));
        if (!block) return nullptr;
        auto* data = static_cast<wchar_t*>(GlobalLock(block));
        std::wmemcpy(data, text.c_str(), text.size() + 1);
        GlobalUnlock(block);
        return block;
    }

    std::wstring textOf(HGLOBAL block) {
        const auto* data = static_cast<const wchar_t*>(GlobalLock(block));
        std::wstring text = data ? data : L"<unlockable>";
        GlobalUnlock(block);
        return text;
    }

    std::size_t liveBefore = 0;
};

TEST_F(GlobalMemoryTest, MovableBlocksCountTheirLocks) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 16);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalFlags(block) & GMEM_LOCKCOUNT, 0u);
    void* first = GlobalLock(block);
    void* second = GlobalLock(block);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_NE(first, block);
    EXPECT_EQ(GlobalFlags(block) & GMEM_LOCKCOUNT, 2u);
    EXPECT_EQ(GlobalHandle(first), block);

    EXPECT_NE(GlobalUnlock(block), FALSE);
    EXPECT_EQ(GlobalUnlock(block), FALSE);
    EXPECT_TRUE(lastErrorIs(NO_ERROR));
    EXPECT_EQ(GlobalUnlock(block), FALSE);
    EXPECT_TRUE(lastErrorIs(ERROR_NOT_LOCKED));
    EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST_F(GlobalMemoryTest, FixedBlocksAreTheirOwnAddressAndZeroedOnRequest) {
    HGLOBAL block = GlobalAlloc(GPTR, 64);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalLock(block), block);
    EXPECT_EQ(GlobalHandle(block), block);
    EXPECT_EQ(GlobalSize(block), 64u);
    const auto* bytes = static_cast<const unsigned char*>(block);
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(bytes[i], 0) << i;
    EXPECT_EQ(GlobalFlags(block) & GMEM_LOCKCOUNT, 0u);

    HGLOBAL zeroed = GlobalAlloc(GHND, 8);
    const auto* moved = static_cast<const unsigned char*>(GlobalLock(zeroed));
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(moved[i], 0) << i;
    GlobalUnlock(zeroed);
    GlobalFree(zeroed);
    GlobalFree(block);
}

TEST_F(GlobalMemoryTest, ReallocationKeepsTheContentAndRespectsLocks) {
    HGLOBAL block = textBlock(L"Result ¿ƒ•");
    HGLOBAL grown = GlobalReAlloc(block, 400, GMEM_MOVEABLE | GMEM_ZEROINIT);
    ASSERT_EQ(grown, block) << "a movable block keeps its handle";
    EXPECT_EQ(GlobalSize(grown), 400u);
    EXPECT_EQ(textOf(grown), L"Result ¿ƒ•");
    const auto* bytes = static_cast<const unsigned char*>(GlobalLock(grown));
    for (std::size_t i = sizeof(wchar_t) * 11; i < 400; ++i)
        ASSERT_EQ(bytes[i], 0) << i;

    // Locked, it cannot move, so it can only shrink or stay within its space.
    EXPECT_EQ(GlobalReAlloc(grown, 100000, 0), nullptr);
    EXPECT_EQ(GlobalSize(grown), 400u);
    EXPECT_EQ(GlobalReAlloc(grown, 8, 0), grown);
    EXPECT_EQ(GlobalLock(grown), bytes);
    EXPECT_EQ(GlobalSize(grown), 8u);
    GlobalUnlock(grown);
    GlobalUnlock(grown);

    // A fixed block grows to a new address only when it may move.
    HGLOBAL fixed = GlobalAlloc(GMEM_FIXED, 4);
    std::memcpy(fixed, "abc", 4);
    EXPECT_EQ(GlobalReAlloc(fixed, 4096, 0), nullptr);
    HGLOBAL movedFixed = GlobalReAlloc(fixed, 4096, GMEM_MOVEABLE);
    ASSERT_NE(movedFixed, nullptr);
    EXPECT_STREQ(static_cast<const char*>(movedFixed), "abc");
    EXPECT_EQ(GlobalSize(fixed), 0u) << "the old address is no block any more";
    GlobalFree(movedFixed);
    GlobalFree(grown);
}

TEST_F(GlobalMemoryTest, FreedAndInventedHandlesAreErrorsNotCrashes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 8);
    ASSERT_EQ(GlobalFree(block), nullptr);
    HGLOBAL invented = reinterpret_cast<HGLOBAL>(static_cast<std::uintptr_t>(0x4242));
    for (HGLOBAL bad : {block, invented}) {
        EXPECT_EQ(GlobalFree(bad), bad);
        EXPECT_TRUE(lastErrorIs(ERROR_INVALID_HANDLE));
        EXPECT_EQ(GlobalLock(bad), nullptr);
        EXPECT_EQ(GlobalUnlock(bad), FALSE);
        EXPECT_EQ(GlobalSize(bad), 0u);
        EXPECT_EQ(GlobalFlags(bad), GMEM_INVALID_HANDLE);
        EXPECT_EQ(GlobalReAlloc(bad, 16, GMEM_MOVEABLE), nullptr);
    }
    int onTheStack = 0;
    EXPECT_EQ(GlobalHandle(&onTheStack), nullptr);
}

TEST_F(GlobalMemoryTest, TheFailureSwitchFailsTheNextAllocations) {
    winx::failNextGlobalAllocs(2);
    EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, 8), nullptr);
    EXPECT_TRUE(lastErrorIs(ERROR_NOT_ENOUGH_MEMORY));
    HGLOBAL block = textBlock(L"x"); // the second failure hits this one
    EXPECT_EQ(block, nullptr);
    block = textBlock(L"kept");
    ASSERT_NE(block, nullptr);

    winx::failNextGlobalAllocs(1);
    EXPECT_EQ(GlobalReAlloc(block, 1000, GMEM_MOVEABLE), nullptr);
    EXPECT_EQ(textOf(block), L"kept") << "a failed reallocation leaves the block as it was";
    EXPECT_NE(GlobalReAlloc(block, 1000, GMEM_MOVEABLE), nullptr);
    GlobalFree(block);
}

TEST_F(GlobalMemoryTest, AnEmptyMovableBlockIsDiscardedUntilReallocated) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 0);
    ASSERT_NE(block, nullptr);
    EXPECT_NE(GlobalFlags(block) & GMEM_DISCARDED, 0u);
    EXPECT_EQ(GlobalLock(block), nullptr);
    ASSERT_EQ(GlobalReAlloc(block, 32, GMEM_MOVEABLE), block);
    EXPECT_EQ(GlobalFlags(block) & GMEM_DISCARDED, 0u);
    EXPECT_NE(GlobalLock(block), nullptr);
    GlobalUnlock(block);
    GlobalFree(block);
}

TEST(MulDivTest, RoundsToTheNearestAndRefusesOverflow) {
    EXPECT_EQ(MulDiv(8, 96, 72), 11);
    EXPECT_EQ(MulDiv(9, 96, 72), 12);
    EXPECT_EQ(MulDiv(-8, 96, 72), -11);
    EXPECT_EQ(MulDiv(1, 1, 2), 1);
    EXPECT_EQ(MulDiv(-1, 1, 2), -1);
    EXPECT_EQ(MulDiv(0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF), 0x7FFFFFFF);
    EXPECT_EQ(MulDiv(0x7FFFFFFF, 2, 1), -1);
    EXPECT_EQ(MulDiv(5, 5, 0), -1);
}

} // namespace
