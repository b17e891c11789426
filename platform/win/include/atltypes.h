// The class library's geometry classes: CPoint, CSize and CRect over POINT, SIZE and RECT.
#pragma once

#include "win/wintypes.h"

class CSize : public SIZE {
public:
    CSize() = default;
    CSize(int x, int y) {
        cx = x;
        cy = y;
    }
    CSize(SIZE s) : SIZE(s) {}
    explicit CSize(POINT p) {
        cx = p.x;
        cy = p.y;
    }

    bool operator==(const SIZE& o) const { return cx == o.cx && cy == o.cy; }
    bool operator!=(const SIZE& o) const { return !(*this == o); }
    CSize operator+(SIZE o) const { return {cx + o.cx, cy + o.cy}; }
    CSize operator-(SIZE o) const { return {cx - o.cx, cy - o.cy}; }
    CSize operator-() const { return {-cx, -cy}; }
    void operator+=(SIZE o) {
        cx += o.cx;
        cy += o.cy;
    }
    void operator-=(SIZE o) {
        cx -= o.cx;
        cy -= o.cy;
    }
};

class CPoint : public POINT {
public:
    CPoint() = default;
    CPoint(int px, int py) {
        x = px;
        y = py;
    }
    CPoint(POINT p) : POINT(p) {}
    explicit CPoint(SIZE s) {
        x = s.cx;
        y = s.cy;
    }
    // A point packed into a message parameter (low word x, high word y, signed).
    explicit CPoint(LPARAM packed) {
        x = GET_X_LPARAM(packed);
        y = GET_Y_LPARAM(packed);
    }

    void Offset(int dx, int dy) {
        x += dx;
        y += dy;
    }
    void Offset(POINT p) { Offset(p.x, p.y); }
    void Offset(SIZE s) { Offset(s.cx, s.cy); }
    void SetPoint(int px, int py) {
        x = px;
        y = py;
    }

    bool operator==(const POINT& o) const { return x == o.x && y == o.y; }
    bool operator!=(const POINT& o) const { return !(*this == o); }
    CPoint operator+(SIZE s) const { return {x + s.cx, y + s.cy}; }
    CPoint operator-(SIZE s) const { return {x - s.cx, y - s.cy}; }
    CPoint operator+(POINT p) const { return {x + p.x, y + p.y}; }
    CSize operator-(POINT p) const { return {x - p.x, y - p.y}; }
    CPoint operator-() const { return {-x, -y}; }
    void operator+=(SIZE s) { Offset(s); }
    void operator-=(SIZE s) { Offset(-s.cx, -s.cy); }
    void operator+=(POINT p) { Offset(p); }
    void operator-=(POINT p) { Offset(-p.x, -p.y); }
};

class CRect : public RECT {
public:
    CRect() = default;
    CRect(int l, int t, int r, int b) {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    CRect(const RECT& r) : RECT(r) {}
    CRect(LPCRECT r) : RECT(*r) {}
    CRect(POINT topLeft, SIZE size)
        : CRect(topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy) {}
    CRect(POINT topLeft, POINT bottomRight)
        : CRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y) {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return {Width(), Height()}; }
    CPoint& TopLeft() { return *reinterpret_cast<CPoint*>(&left); }
    CPoint& BottomRight() { return *reinterpret_cast<CPoint*>(&right); }
    const CPoint& TopLeft() const { return *reinterpret_cast<const CPoint*>(&left); }
    const CPoint& BottomRight() const { return *reinterpret_cast<const CPoint*>(&right); }
    CPoint CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }
    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    bool IsRectEmpty() const { return right <= left || bottom <= top; }
    bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool PtInRect(POINT p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    bool EqualRect(LPCRECT r) const {
        return left == r->left && top == r->top && right == r->right && bottom == r->bottom;
    }

    void SetRect(int l, int t, int r, int b) { *this = CRect(l, t, r, b); }
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    void CopyRect(LPCRECT r) { *this = CRect(*r); }
    void InflateRect(int dx, int dy) {
        left -= dx;
        top -= dy;
        right += dx;
        bottom += dy;
    }
    void InflateRect(SIZE s) { InflateRect(s.cx, s.cy); }
    void InflateRect(int l, int t, int r, int b) {
        left -= l;
        top -= t;
        right += r;
        bottom += b;
    }
    void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    void DeflateRect(SIZE s) { InflateRect(-s.cx, -s.cy); }
    void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }
    void OffsetRect(int dx, int dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    void OffsetRect(POINT p) { OffsetRect(p.x, p.y); }
    void OffsetRect(SIZE s) { OffsetRect(s.cx, s.cy); }
    void MoveToX(int x) {
        right += x - left;
        left = x;
    }
    void MoveToY(int y) {
        bottom += y - top;
        top = y;
    }
    void MoveToXY(int x, int y) {
        MoveToX(x);
        MoveToY(y);
    }
    void NormalizeRect() {
        if (left > right) swapValues(left, right);
        if (top > bottom) swapValues(top, bottom);
    }
    BOOL IntersectRect(LPCRECT a, LPCRECT b);
    BOOL UnionRect(LPCRECT a, LPCRECT b);

    bool operator==(const RECT& r) const { return EqualRect(&r); }
    bool operator!=(const RECT& r) const { return !EqualRect(&r); }
    CRect operator+(POINT p) const {
        CRect r(*this);
        r.OffsetRect(p);
        return r;
    }
    CRect operator-(POINT p) const {
        CRect r(*this);
        r.OffsetRect(-p.x, -p.y);
        return r;
    }
    CRect operator+(SIZE s) const {
        CRect r(*this);
        r.OffsetRect(s);
        return r;
    }
    CRect operator-(SIZE s) const {
        CRect r(*this);
        r.OffsetRect(-s.cx, -s.cy);
        return r;
    }
    void operator+=(POINT p) { OffsetRect(p); }
    void operator-=(POINT p) { OffsetRect(-p.x, -p.y); }
    void operator+=(SIZE s) { OffsetRect(s); }
    void operator-=(SIZE s) { OffsetRect(-s.cx, -s.cy); }
    CRect operator&(const RECT& r) const {
        CRect out;
        out.IntersectRect(this, &r);
        return out;
    }
    CRect operator|(const RECT& r) const {
        CRect out;
        out.UnionRect(this, &r);
        return out;
    }
    void operator&=(const RECT& r) { *this = *this & r; }
    void operator|=(const RECT& r) { *this = *this | r; }

private:
    template <typename T>
    static void swapValues(T& a, T& b) {
        T t = a;
        a = b;
        b = t;
    }
};

inline BOOL CRect::IntersectRect(LPCRECT a, LPCRECT b) {
    const CRect r(a->left > b->left ? a->left : b->left, a->top > b->top ? a->top : b->top,
                  a->right < b->right ? a->right : b->right,
                  a->bottom < b->bottom ? a->bottom : b->bottom);
    if (r.IsRectEmpty()) {
        SetRectEmpty();
        return FALSE;
    }
    *this = r;
    return TRUE;
}

inline BOOL CRect::UnionRect(LPCRECT a, LPCRECT b) {
    const CRect ra(a);
    const CRect rb(b);
    if (ra.IsRectEmpty()) {
        *this = rb;
    } else if (rb.IsRectEmpty()) {
        *this = ra;
    } else {
        *this = CRect(ra.left < rb.left ? ra.left : rb.left, ra.top < rb.top ? ra.top : rb.top,
                      ra.right > rb.right ? ra.right : rb.right,
                      ra.bottom > rb.bottom ? ra.bottom : rb.bottom);
    }
    return IsRectEmpty() ? FALSE : TRUE;
}
