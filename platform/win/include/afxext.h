// Class-library extensions: the rectangle tracker (move and resize a rectangle with handles).
// Headless, Track and TrackRubberBand take their drag from the interaction queue
// (winx::queueTrackerDrag); drawing does nothing.
#pragma once

#include "afxwin.h"

class CRectTracker {
public:
    enum StyleFlags {
        solidLine = 1,
        dottedLine = 2,
        hatchedBorder = 4,
        resizeInside = 8,
        resizeOutside = 16,
        hatchInside = 32,
    };
    enum TrackerHit {
        hitNothing = -1,
        hitTopLeft = 0,
        hitTopRight = 1,
        hitBottomRight = 2,
        hitBottomLeft = 3,
        hitTop = 4,
        hitRight = 5,
        hitBottom = 6,
        hitLeft = 7,
        hitMiddle = 8,
    };

    CRectTracker();
    CRectTracker(LPCRECT rect, UINT style);
    virtual ~CRectTracker() = default;

    UINT m_nStyle = 0;
    CRect m_rect;
    CSize m_sizeMin; // the smallest size a resize may give
    int m_nHandleSize = 4;

    void Draw(CDC* dc) const;
    // The rectangle with its border and outside handles.
    void GetTrueRect(LPRECT rect) const;
    // Sets the sizing cursor when the cursor is over a handle of this tracker (client area of
    // wnd); FALSE otherwise.
    BOOL SetCursor(CWnd* wnd, UINT hitTest) const;
    // Moves (grabbed in the middle) or resizes (grabbed at a handle) the rectangle by the next
    // queued drag. TRUE when the rectangle changed; FALSE when the point misses the tracker or no
    // drag is queued.
    BOOL Track(CWnd* wnd, CPoint point, BOOL allowInvert = FALSE, CWnd* clipTo = nullptr);
    // A new rectangle from point, dragged by the next queued drag. TRUE when it is not empty.
    BOOL TrackRubberBand(CWnd* wnd, CPoint point, BOOL allowInvert = TRUE);
    int HitTest(CPoint point) const;
    // The handle as seen on the normalized rectangle when m_rect is inverted.
    int NormalizeHit(int handle) const;

    virtual void DrawTrackerRect(LPCRECT rect, CWnd* clipTo, CDC* dc, CWnd* wnd);
    // Keeps the minimum size; called after every change while tracking.
    virtual void AdjustRect(int handle, LPRECT rect);
    virtual void OnChangedRect(const CRect& oldRect);
    virtual UINT GetHandleMask() const;
    virtual int GetHandleSize(LPCRECT rect = nullptr) const;

protected:
    int HitTestHandles(CPoint point) const;
    void GetHandleRect(int handle, CRect* rect) const;
    BOOL TrackHandle(int handle, CWnd* wnd, CPoint point, CWnd* clipTo);

    BOOL m_bAllowInvert = FALSE;
};
