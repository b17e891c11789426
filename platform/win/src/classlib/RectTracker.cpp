// CRectTracker: hit testing of a rectangle's handles, and moving or resizing it by a scripted
// drag.
#include "afxext.h"

#include "win/winx_script.h"

#include <cstdlib>

namespace {

// Where each handle sits: which edges it follows, whether it is centred along an edge, how far
// it is pulled inside, and the handles it turns into when the rectangle is inverted.
struct HandleInfo {
    bool right;  // x from the right edge (else the left one)
    bool bottom; // y from the bottom edge (else the top one)
    int centerX, centerY;
    int handleX, handleY;
    int invertX, invertY;
};

const HandleInfo kHandles[8] = {
    {false, false, 0, 0, 0, 0, CRectTracker::hitTopRight, CRectTracker::hitBottomLeft},
    {true, false, 0, 0, -1, 0, CRectTracker::hitTopLeft, CRectTracker::hitBottomRight},
    {true, true, 0, 0, -1, -1, CRectTracker::hitBottomLeft, CRectTracker::hitTopRight},
    {false, true, 0, 0, 0, -1, CRectTracker::hitBottomRight, CRectTracker::hitTopLeft},
    {false, false, 1, 0, 0, 0, CRectTracker::hitTop, CRectTracker::hitBottom},
    {true, false, 0, 1, -1, 0, CRectTracker::hitLeft, CRectTracker::hitRight},
    {false, true, 1, 0, 0, -1, CRectTracker::hitBottom, CRectTracker::hitTop},
    {false, false, 0, 1, 0, 0, CRectTracker::hitRight, CRectTracker::hitLeft},
};

// The edges a handle moves: -1 none, else which (left/right, top/bottom).
struct Edges {
    LONG* x = nullptr;
    LONG* y = nullptr;
};

Edges edgesFor(int handle, RECT& r) {
    switch (handle) {
    case CRectTracker::hitTopLeft:
        return {&r.left, &r.top};
    case CRectTracker::hitTopRight:
        return {&r.right, &r.top};
    case CRectTracker::hitBottomRight:
        return {&r.right, &r.bottom};
    case CRectTracker::hitBottomLeft:
        return {&r.left, &r.bottom};
    case CRectTracker::hitTop:
        return {nullptr, &r.top};
    case CRectTracker::hitRight:
        return {&r.right, nullptr};
    case CRectTracker::hitBottom:
        return {nullptr, &r.bottom};
    case CRectTracker::hitLeft:
        return {&r.left, nullptr};
    default:
        return {};
    }
}

LPCWSTR cursorFor(int handle) {
    switch (handle) {
    case CRectTracker::hitTopLeft:
    case CRectTracker::hitBottomRight:
        return IDC_SIZENWSE;
    case CRectTracker::hitTopRight:
    case CRectTracker::hitBottomLeft:
        return IDC_SIZENESW;
    case CRectTracker::hitTop:
    case CRectTracker::hitBottom:
        return IDC_SIZENS;
    case CRectTracker::hitLeft:
    case CRectTracker::hitRight:
        return IDC_SIZEWE;
    default:
        return IDC_SIZEALL;
    }
}

// Keeps one dimension at least `minimum` long, moving the edge that was dragged.
void enforceMinimum(LONG* moved, LONG& near, LONG& far, int minimum, bool allowInvert) {
    if (!moved) return;
    const int length = far - near;
    const int absolute = allowInvert ? std::abs(length) : length;
    if (absolute >= minimum) return;
    const int sign = allowInvert && length < 0 ? -1 : 1;
    if (moved == &near) {
        near = far - sign * minimum;
    } else {
        far = near + sign * minimum;
    }
}

} // namespace

CRectTracker::CRectTracker() {
    m_sizeMin = CSize(m_nHandleSize * 2, m_nHandleSize * 2);
}

CRectTracker::CRectTracker(LPCRECT rect, UINT style) : CRectTracker() {
    m_rect = CRect(rect);
    m_nStyle = style;
}

void CRectTracker::Draw(CDC*) const {}

void CRectTracker::DrawTrackerRect(LPCRECT, CWnd*, CDC*, CWnd*) {}

int CRectTracker::GetHandleSize(LPCRECT) const {
    return m_nHandleSize;
}

UINT CRectTracker::GetHandleMask() const {
    if (!(m_nStyle & (resizeInside | resizeOutside))) return 0;
    UINT mask = 0x0F;
    const int size = m_nHandleSize * 3;
    if (std::abs(m_rect.Width()) - size > 4) mask |= 0x50;
    if (std::abs(m_rect.Height()) - size > 4) mask |= 0xA0;
    return mask;
}

void CRectTracker::GetTrueRect(LPRECT rect) const {
    CRect r = m_rect;
    r.NormalizeRect();
    int inflate = 0;
    if (m_nStyle & (resizeOutside | hatchedBorder)) inflate += GetHandleSize() - 1;
    if (m_nStyle & (solidLine | dottedLine)) ++inflate;
    r.InflateRect(inflate, inflate);
    *rect = r;
}

void CRectTracker::GetHandleRect(int handle, CRect* rect) const {
    CRect r = m_rect;
    r.NormalizeRect();
    if (m_nStyle & (solidLine | dottedLine)) r.InflateRect(1, 1);
    handle = NormalizeHit(handle);
    const int size = GetHandleSize();
    if (m_nStyle & resizeOutside) r.InflateRect(size - 1, size - 1);
    const HandleInfo& info = kHandles[handle];
    int x = info.right ? r.right : r.left;
    int y = info.bottom ? r.bottom : r.top;
    x += size * info.handleX + info.centerX * (r.Width() - size) / 2;
    y += size * info.handleY + info.centerY * (r.Height() - size) / 2;
    *rect = CRect(x, y, x + size, y + size);
}

int CRectTracker::NormalizeHit(int handle) const {
    if (handle < 0 || handle >= hitMiddle) return handle;
    if (m_rect.Width() < 0) handle = kHandles[handle].invertX;
    if (m_rect.Height() < 0) handle = kHandles[handle].invertY;
    return handle;
}

int CRectTracker::HitTestHandles(CPoint point) const {
    CRect r;
    GetTrueRect(&r);
    if (!r.PtInRect(point)) return hitNothing;
    const UINT mask = GetHandleMask();
    for (int i = 0; i < 8; ++i) {
        if (!(mask & (1u << i))) continue;
        GetHandleRect(i, &r);
        if (r.PtInRect(point)) return i;
    }
    if (!(m_nStyle & hatchedBorder)) {
        CRect inner = m_rect;
        inner.NormalizeRect();
        if (m_nStyle & (solidLine | dottedLine)) inner.InflateRect(1, 1);
        if (!inner.PtInRect(point)) return hitNothing; // between the outside handles
    }
    return hitMiddle;
}

int CRectTracker::HitTest(CPoint point) const {
    CRect r;
    GetTrueRect(&r);
    if (!r.PtInRect(point)) return hitNothing;
    if (m_nStyle & (resizeInside | resizeOutside)) return HitTestHandles(point);
    return hitMiddle;
}

BOOL CRectTracker::SetCursor(CWnd* wnd, UINT hitTest) const {
    if (hitTest != static_cast<UINT>(HTCLIENT) || !wnd) return FALSE;
    CPoint point;
    GetCursorPos(&point);
    wnd->ScreenToClient(&point);
    int handle = HitTestHandles(point);
    if (handle < 0) return FALSE;
    handle = NormalizeHit(handle);
    ::SetCursor(LoadCursor(nullptr, cursorFor(handle)));
    return TRUE;
}

void CRectTracker::AdjustRect(int handle, LPRECT rect) {
    if (handle == hitMiddle) return;
    const Edges edges = edgesFor(handle, *rect);
    enforceMinimum(edges.x, rect->left, rect->right, m_sizeMin.cx, m_bAllowInvert != FALSE);
    enforceMinimum(edges.y, rect->top, rect->bottom, m_sizeMin.cy, m_bAllowInvert != FALSE);
}

void CRectTracker::OnChangedRect(const CRect&) {}

BOOL CRectTracker::TrackHandle(int handle, CWnd*, CPoint, CWnd*) {
    int dx = 0;
    int dy = 0;
    if (!winx::takeTrackerDrag(dx, dy)) return FALSE;
    if (dx == 0 && dy == 0) return FALSE; // released without moving: nothing changes
    const CRect before = m_rect;
    if (handle == hitMiddle) {
        m_rect.OffsetRect(dx, dy);
    } else {
        const Edges edges = edgesFor(handle, m_rect);
        if (edges.x) *edges.x += dx;
        if (edges.y) *edges.y += dy;
    }
    AdjustRect(handle, &m_rect);
    if (!m_bAllowInvert) m_rect.NormalizeRect();
    if (m_rect != before) OnChangedRect(before);
    return m_rect != before ? TRUE : FALSE;
}

BOOL CRectTracker::Track(CWnd* wnd, CPoint point, BOOL allowInvert, CWnd* clipTo) {
    const int handle = HitTestHandles(point);
    if (handle < 0) return FALSE;
    m_bAllowInvert = allowInvert;
    return TrackHandle(handle, wnd, point, clipTo);
}

BOOL CRectTracker::TrackRubberBand(CWnd* wnd, CPoint point, BOOL allowInvert) {
    m_bAllowInvert = allowInvert;
    m_rect.SetRect(point.x, point.y, point.x, point.y);
    if (!TrackHandle(hitBottomRight, wnd, point, nullptr)) return FALSE;
    CRect r = m_rect;
    r.NormalizeRect();
    return r.IsRectEmpty() ? FALSE : TRUE;
}
