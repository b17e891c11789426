// The layout keeper of resizable dialogs: anchoring rules, no drift, toolbars left alone.
#include "spread/KvLayoutKeeper.h"

#include "win/winx_script.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

namespace {

constexpr int kWidth = 400; // window size at recording time
constexpr int kHeight = 300;
constexpr int kToolbarId = 90;

LRESULT CALLBACK plainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(hwnd, message, wParam, lParam);
}

// A toolbar class of another letter case than the platform's name.
const wchar_t* toolbarClass() {
    static const bool registered = [] {
        WNDCLASSEXW wc;
        wc.lpfnWndProc = plainProc;
        wc.lpszClassName = L"toolbarWINDOW32";
        return RegisterClassEx(&wc) != 0;
    }();
    return registered ? L"toolbarWINDOW32" : L"STATIC";
}

// A rectangle in client coordinates: left, top, right, bottom.
struct Box {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
    bool operator==(const Box&) const = default;
};

void PrintTo(const Box& b, std::ostream* out) {
    *out << "(" << b.left << ", " << b.top << ", " << b.right << ", " << b.bottom << ")";
}

class LayoutKeeperTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.CreateEx(0, AfxRegisterWndClass(0), L"Resizable",
                                    WS_OVERLAPPEDWINDOW | WS_VISIBLE, 30, 40, kWidth, kHeight,
                                    nullptr, nullptr));
    }

    HWND add(int id, const Box& r, const wchar_t* className = L"BUTTON") {
        return CreateWindowEx(0, className, L"", WS_CHILD | WS_VISIBLE, r.left, r.top,
                              r.right - r.left, r.bottom - r.top, dialog.m_hWnd,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
    }
    // Resizes the window (its top-left stays) and lets the keeper place the controls.
    void resize(int width, int height) {
        RECT window{};
        GetWindowRect(dialog.m_hWnd, &window);
        dialog.MoveWindow(window.left, window.top, width, height);
        ASSERT_TRUE(keeper.apply());
    }
    Box place(int id) const {
        RECT rect{};
        GetWindowRect(GetDlgItem(dialog.m_hWnd, id), &rect);
        MapWindowPoints(nullptr, dialog.m_hWnd, reinterpret_cast<LPPOINT>(&rect), 2);
        return Box{rect.left, rect.top, rect.right, rect.bottom};
    }

    winx::TestSession session;
    CWnd dialog;
    KvLayoutKeeper keeper;
};

TEST_F(LayoutKeeperTest, StretchingControlsFillTheExtraWidthAndHeight) {
    add(1, {10, 20, 110, 70});
    ASSERT_TRUE(keeper.record(&dialog));
    ASSERT_TRUE(keeper.setFlags(1, 6, 6));
    resize(kWidth + 50, kHeight + 30);
    EXPECT_EQ(place(1), (Box{10, 20, 160, 100}));
    resize(kWidth - 40, kHeight - 10);
    EXPECT_EQ(place(1), (Box{10, 20, 70, 60}));
    resize(kWidth - 200, kHeight - 100);
    EXPECT_EQ(place(1), (Box{10, 20, 10, 20})) << "a control never gets a negative size";
}

TEST_F(LayoutKeeperTest, CornerControlsKeepTheirDistanceFromTheBottomRightCorner) {
    add(1, {300, 200, 350, 230});
    ASSERT_TRUE(keeper.record(&dialog));
    ASSERT_TRUE(keeper.setFlags(1, 5, 5));
    resize(kWidth + 50, kHeight + 30);
    EXPECT_EQ(place(1), (Box{350, 230, 400, 260}));
    resize(kWidth - 100, kHeight - 60);
    EXPECT_EQ(place(1), (Box{200, 140, 250, 170}));
}

TEST_F(LayoutKeeperTest, OtherFlagsFixScaleOrMixBothEdges) {
    add(1, {10, 20, 110, 70});  // 0: both edges scaled
    add(2, {10, 20, 110, 70});  // 3: fixed
    add(3, {100, 40, 150, 90}); // 2: near edge kept, far edge scaled
    add(4, {100, 40, 150, 90}); // 4: near edge scaled, far edge follows
    add(5, {100, 40, 150, 90}); // 1: size kept, near edge scaled
    ASSERT_TRUE(keeper.record(&dialog));
    ASSERT_TRUE(keeper.setFlags(2, 3, 3));
    ASSERT_TRUE(keeper.setFlags(3, 2, 2));
    ASSERT_TRUE(keeper.setFlags(4, 4, 4));
    ASSERT_TRUE(keeper.setFlags(5, 1, 0));
    resize(2 * kWidth, 2 * kHeight);
    EXPECT_EQ(place(1), (Box{20, 40, 220, 140}));
    EXPECT_EQ(place(2), (Box{10, 20, 110, 70}));
    EXPECT_EQ(place(3), (Box{100, 40, 300, 180}));
    EXPECT_EQ(place(4), (Box{200, 80, 150 + kWidth, 90 + kHeight}));
    EXPECT_EQ(place(5), (Box{200, 80, 250, 180}));

    resize(kWidth * 3 / 4, kHeight * 3 / 4); // 300 x 225: scaling truncates
    EXPECT_EQ(place(1), (Box{7, 15, 82, 52}));
    EXPECT_EQ(place(5), (Box{75, 30, 125, 67}));
}

TEST_F(LayoutKeeperTest, ResizingBackToTheRecordedSizePutsEveryControlWhereItWas) {
    const std::vector<std::pair<int, int>> flags = {{0, 0}, {6, 6}, {5, 5}, {2, 4},
                                                    {4, 2}, {1, 0}, {3, 5}, {0, 6}};
    std::map<int, Box> recorded;
    for (int id = 1; id <= static_cast<int>(flags.size()); ++id) {
        const Box r{7 * id + 3, 11 * id + 5, 7 * id + 3 + 37, 11 * id + 5 + 13};
        add(id, r);
        recorded[id] = r;
    }
    ASSERT_TRUE(keeper.record(&dialog));
    for (int id = 1; id <= static_cast<int>(flags.size()); ++id)
        ASSERT_TRUE(keeper.setFlags(id, flags[id - 1].first, flags[id - 1].second));

    resize(433, 317);
    std::map<int, Box> firstVisit;
    for (const auto& [id, r] : recorded)
        firstVisit[id] = place(id);
    for (int step = 1; step <= 200; ++step)
        resize(kWidth + (step * 37) % 311 - 120, kHeight + (step * 53) % 197 - 90);
    resize(433, 317);
    for (const auto& [id, r] : recorded)
        EXPECT_EQ(place(id), firstVisit[id]) << "control " << id << " drifted";
    resize(kWidth, kHeight);
    for (const auto& [id, r] : recorded)
        EXPECT_EQ(place(id), r) << "control " << id;
}

TEST_F(LayoutKeeperTest, ToolbarWindowsAreNeverMoved) {
    const Box bar{0, 0, 200, 24};
    ASSERT_TRUE(add(kToolbarId, bar, toolbarClass()));
    add(1, {10, 30, 110, 70});
    ASSERT_TRUE(keeper.record(&dialog));
    EXPECT_FALSE(keeper.setFlags(kToolbarId, 6, 6)) << "a toolbar is not recorded";
    ASSERT_TRUE(keeper.setFlags(1, 6, 6));
    resize(2 * kWidth, 2 * kHeight);
    EXPECT_EQ(place(kToolbarId), bar);
    EXPECT_EQ(place(1), (Box{10, 30, 110 + kWidth, 70 + kHeight}));
}

TEST_F(LayoutKeeperTest, TheStackingOrderOfTheControlsIsKept) {
    for (int id = 1; id <= 4; ++id)
        add(id, {10 * id, 10 * id, 10 * id + 50, 10 * id + 20});
    std::vector<HWND> before;
    for (HWND c = GetWindow(dialog.m_hWnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        before.push_back(c);
    ASSERT_TRUE(keeper.record(&dialog));
    resize(kWidth + 80, kHeight + 80);
    std::vector<HWND> after;
    for (HWND c = GetWindow(dialog.m_hWnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        after.push_back(c);
    EXPECT_EQ(after, before);
}

// ---- Bad input ------------------------------------------------------------------------------

TEST_F(LayoutKeeperTest, WithoutARecordedDialogNothingIsPlacedOrFlagged) {
    EXPECT_FALSE(keeper.apply()) << "nothing recorded";
    add(1, {10, 20, 110, 70});
    EXPECT_FALSE(keeper.setFlags(1, 6, 6));
    EXPECT_FALSE(keeper.record(nullptr));
    CWnd empty;
    EXPECT_FALSE(keeper.record(&empty));
    EXPECT_FALSE(keeper.apply());

    ASSERT_TRUE(keeper.record(&dialog));
    EXPECT_FALSE(keeper.setFlags(77, 6, 6)) << "no control with that id";
    EXPECT_TRUE(keeper.apply());
    dialog.DestroyWindow();
    EXPECT_FALSE(keeper.apply()) << "the dialog is gone";
    EXPECT_FALSE(keeper.setFlags(1, 6, 6));
}

TEST_F(LayoutKeeperTest, AControlDestroyedAfterRecordingDoesNotStopTheOthers) {
    const HWND doomed = add(1, {10, 20, 110, 70});
    add(2, {10, 80, 110, 120});
    ASSERT_TRUE(keeper.record(&dialog));
    ASSERT_TRUE(keeper.setFlags(2, 6, 6));
    DestroyWindow(doomed);
    resize(kWidth + 50, kHeight + 30);
    EXPECT_EQ(place(2), (Box{10, 80, 160, 150}));
}

TEST_F(LayoutKeeperTest, RecordingAgainForgetsTheEarlierLayout) {
    add(1, {10, 20, 110, 70});
    ASSERT_TRUE(keeper.record(&dialog));
    ASSERT_TRUE(keeper.setFlags(1, 6, 6));
    resize(kWidth + 50, kHeight + 30);
    ASSERT_TRUE(keeper.record(&dialog)); // flags back to 0, this size is the reference
    resize(2 * (kWidth + 50), 2 * (kHeight + 30));
    EXPECT_EQ(place(1), (Box{20, 40, 320, 200}));
}

TEST_F(LayoutKeeperTest, ADialogRecordedWithoutSizeKeepsItsControlsUnscaled) {
    dialog.MoveWindow(30, 40, 0, 0);
    RECT window{};
    GetWindowRect(dialog.m_hWnd, &window);
    ASSERT_EQ(window.right - window.left, 0);
    ASSERT_EQ(window.bottom - window.top, 0);
    add(1, {10, 20, 110, 70});
    ASSERT_TRUE(keeper.record(&dialog));
    resize(kWidth, kHeight);
    EXPECT_EQ(place(1), (Box{10, 20, 110, 70}));
}

} // namespace
