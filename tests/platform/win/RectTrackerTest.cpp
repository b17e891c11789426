#include "platform/win/WindowTestSupport.h"

#include "afxext.h"

namespace {

using namespace wintest;

class CountingTracker : public CRectTracker {
public:
    using CRectTracker::CRectTracker;
    int changes = 0;
    CRect firstOld;

protected:
    void OnChangedRect(const CRect& oldRect) override {
        if (changes++ == 0) firstOld = oldRect;
    }
};

class RectTracker : public WindowTest {
protected:
    RectTracker() {
        host_.Attach(makeWindow(WS_POPUP | WS_VISIBLE, nullptr, 0, L"", {0, 0, 300, 200}));
    }
    ~RectTracker() override { host_.Detach(); }

    static CRect rectOf(const CRectTracker& t) { return t.m_rect; }

    CWnd host_;
    CountingTracker tracker_{CRect(10, 10, 110, 60),
                             CRectTracker::resizeOutside | CRectTracker::solidLine};
};

TEST_F(RectTracker, TheTrueRectIncludesTheBorderAndTheOutsideHandles) {
    CRect r;
    tracker_.GetTrueRect(&r);
    EXPECT_TRUE(r == CRect(6, 6, 114, 64));
    CRectTracker inside(CRect(10, 10, 110, 60), CRectTracker::resizeInside);
    inside.GetTrueRect(&r);
    EXPECT_TRUE(r == CRect(10, 10, 110, 60));
    EXPECT_EQ(tracker_.m_sizeMin, CSize(8, 8));
}

TEST_F(RectTracker, HitTestsFindTheHandlesTheMiddleAndNothing) {
    EXPECT_EQ(tracker_.HitTest(CPoint(7, 7)), CRectTracker::hitTopLeft);
    EXPECT_EQ(tracker_.HitTest(CPoint(112, 8)), CRectTracker::hitTopRight);
    EXPECT_EQ(tracker_.HitTest(CPoint(112, 62)), CRectTracker::hitBottomRight);
    EXPECT_EQ(tracker_.HitTest(CPoint(7, 62)), CRectTracker::hitBottomLeft);
    EXPECT_EQ(tracker_.HitTest(CPoint(60, 7)), CRectTracker::hitTop);
    EXPECT_EQ(tracker_.HitTest(CPoint(112, 35)), CRectTracker::hitRight);
    EXPECT_EQ(tracker_.HitTest(CPoint(60, 62)), CRectTracker::hitBottom);
    EXPECT_EQ(tracker_.HitTest(CPoint(7, 35)), CRectTracker::hitLeft);
    EXPECT_EQ(tracker_.HitTest(CPoint(60, 35)), CRectTracker::hitMiddle);
    EXPECT_EQ(tracker_.HitTest(CPoint(20, 7)), CRectTracker::hitNothing); // between handles
    EXPECT_EQ(tracker_.HitTest(CPoint(200, 150)), CRectTracker::hitNothing);
    // A rectangle too small for side handles has only its corners.
    CRectTracker small(CRect(0, 0, 12, 12), CRectTracker::resizeInside);
    EXPECT_EQ(small.GetHandleMask(), 0x0Fu);
    EXPECT_EQ(tracker_.GetHandleMask(), 0xFFu);
    CRectTracker plain(CRect(0, 0, 50, 50), CRectTracker::solidLine);
    EXPECT_EQ(plain.HitTest(CPoint(1, 1)), CRectTracker::hitMiddle);
}

TEST_F(RectTracker, AnInvertedRectangleNormalizesItsHits) {
    CRectTracker inverted(CRect(110, 60, 10, 10), CRectTracker::resizeInside);
    EXPECT_EQ(inverted.NormalizeHit(CRectTracker::hitTopLeft), CRectTracker::hitBottomRight);
    EXPECT_EQ(inverted.NormalizeHit(CRectTracker::hitLeft), CRectTracker::hitRight);
    EXPECT_EQ(inverted.NormalizeHit(CRectTracker::hitTop), CRectTracker::hitBottom);
    EXPECT_EQ(inverted.NormalizeHit(CRectTracker::hitMiddle), CRectTracker::hitMiddle);
    CRectTracker mirrored(CRect(110, 10, 10, 60), CRectTracker::resizeInside);
    EXPECT_EQ(mirrored.NormalizeHit(CRectTracker::hitTopLeft), CRectTracker::hitTopRight);
    // The visual top-left corner of the mirrored rectangle is its right edge's handle.
    EXPECT_EQ(mirrored.HitTest(CPoint(11, 11)), CRectTracker::hitTopRight);
}

TEST_F(RectTracker, TrackingMovesOrResizesByTheQueuedDrag) {
    winx::queueTrackerDrag(15, 5);
    EXPECT_TRUE(tracker_.Track(&host_, CPoint(60, 35)));
    EXPECT_TRUE(rectOf(tracker_) == CRect(25, 15, 125, 65));
    EXPECT_TRUE(tracker_.firstOld == CRect(10, 10, 110, 60));
    winx::queueTrackerDrag(10, -5);
    EXPECT_TRUE(tracker_.Track(&host_, CPoint(127, 67))); // bottom-right handle
    EXPECT_TRUE(rectOf(tracker_) == CRect(25, 15, 135, 60));
    winx::queueTrackerDrag(0, 0);
    EXPECT_FALSE(tracker_.Track(&host_, CPoint(60, 35))); // no movement
    EXPECT_FALSE(tracker_.Track(&host_, CPoint(60, 35))); // nothing queued
    EXPECT_EQ(tracker_.changes, 2);
}

TEST_F(RectTracker, ResizingKeepsTheMinimumSizeUnlessInversionIsAllowed) {
    winx::queueTrackerDrag(-200, 0);
    EXPECT_TRUE(tracker_.Track(&host_, CPoint(112, 62)));
    EXPECT_TRUE(rectOf(tracker_) == CRect(10, 10, 18, 60));
    tracker_.m_rect = CRect(10, 10, 110, 60);
    winx::queueTrackerDrag(-200, 0);
    EXPECT_TRUE(tracker_.Track(&host_, CPoint(112, 62), TRUE));
    EXPECT_TRUE(rectOf(tracker_) == CRect(10, 10, -90, 60));
    // A miss leaves the queued drag for the next track.
    tracker_.m_rect = CRect(10, 10, 110, 60);
    winx::queueTrackerDrag(1, 1);
    EXPECT_FALSE(tracker_.Track(&host_, CPoint(250, 150)));
    EXPECT_TRUE(tracker_.Track(&host_, CPoint(60, 35)));
}

TEST_F(RectTracker, ARubberBandStartsAtThePoint) {
    CRectTracker band;
    winx::queueTrackerDrag(30, 20);
    EXPECT_TRUE(band.TrackRubberBand(&host_, CPoint(5, 5)));
    EXPECT_TRUE(rectOf(band) == CRect(5, 5, 35, 25));
    winx::queueTrackerDrag(-10, -10);
    EXPECT_TRUE(band.TrackRubberBand(&host_, CPoint(5, 5)));
    EXPECT_TRUE(rectOf(band) == CRect(5, 5, -5, -5));
    winx::queueTrackerDrag(0, 0);
    EXPECT_FALSE(band.TrackRubberBand(&host_, CPoint(5, 5)));
}

TEST_F(RectTracker, TheCursorShowsTheHandleUnderIt) {
    POINT p{112, 62};
    ClientToScreen(host_.m_hWnd, &p);
    SetCursorPos(p.x, p.y);
    EXPECT_TRUE(tracker_.SetCursor(&host_, HTCLIENT));
    EXPECT_EQ(SetCursor(nullptr), LoadCursor(nullptr, IDC_SIZENWSE));
    EXPECT_FALSE(tracker_.SetCursor(&host_, HTCAPTION));
    p = POINT{250, 150};
    ClientToScreen(host_.m_hWnd, &p);
    SetCursorPos(p.x, p.y);
    EXPECT_FALSE(tracker_.SetCursor(&host_, HTCLIENT));
}

} // namespace
