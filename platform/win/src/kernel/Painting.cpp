// Device contexts of windows and the user-interface drawing calls. Nothing reaches a screen: a
// window's device context is a memory context holding a bitmap of the client size, so drawing
// code runs and fills can be inspected.
#include "kernel/Kernel.h"

#include "win/wingdi.h"

#include <algorithm>

namespace winx::kernel {
namespace {

constexpr int kLineHeight = 16;
constexpr int kAverageCharWidth = 7;

HDC windowDC(HWND hwnd, bool whole) {
    Window* w = find(hwnd);
    if (!w) return nullptr;
    const RECT r = whole ? RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top}
                         : clientRectOf(*w);
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return nullptr;
    const int width = std::max<int>(r.right - r.left, 1);
    const int height = std::max<int>(r.bottom - r.top, 1);
    if (HBITMAP surface = CreateBitmap(width, height, 1, 32, nullptr)) SelectObject(dc, surface);
    return dc;
}

// Frees the context and the bitmap it was given.
void releaseWindowDC(HDC dc) {
    HGDIOBJ surface = GetCurrentObject(dc, OBJ_BITMAP);
    DeleteDC(dc);
    if (surface) DeleteObject(surface);
}

bool surfaceSize(HDC dc, int& width, int& height) {
    BITMAP bm;
    HGDIOBJ surface = GetCurrentObject(dc, OBJ_BITMAP);
    if (!surface || !GetObject(surface, sizeof bm, &bm)) return false;
    width = bm.bmWidth;
    height = bm.bmHeight;
    return true;
}

} // namespace
} // namespace winx::kernel

using namespace winx::kernel;

HDC GetDC(HWND hwnd) {
    return windowDC(hwnd ? hwnd : desktop(), false);
}
HDC GetWindowDC(HWND hwnd) {
    return windowDC(hwnd ? hwnd : desktop(), true);
}

int ReleaseDC(HWND hwnd, HDC dc) {
    if (!dc) return 0;
    releaseWindowDC(dc);
    return 1;
}

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT paint) {
    Window* w = find(hwnd);
    if (!w || !paint) return nullptr;
    *paint = PAINTSTRUCT{};
    paint->hdc = windowDC(hwnd, false);
    paint->rcPaint = clientRectOf(*w);
    return paint->hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint) {
    if (!paint || !paint->hdc) return FALSE;
    releaseWindowDC(paint->hdc);
    return TRUE;
}

BOOL ValidateRect(HWND hwnd, LPCRECT rect) {
    return hwnd == nullptr || find(hwnd) ? TRUE : FALSE;
}

int FillRect(HDC dc, LPCRECT rect, HBRUSH brush) {
    LOGBRUSH lb;
    int width = 0;
    int height = 0;
    if (!dc || !rect || !GetObject(brush, sizeof lb, &lb) || !surfaceSize(dc, width, height)) {
        return 0;
    }
    if (lb.lbStyle == BS_NULL) return 1;
    for (int y = std::max<int>(rect->top, 0); y < std::min<int>(rect->bottom, height); ++y) {
        for (int x = std::max<int>(rect->left, 0); x < std::min<int>(rect->right, width); ++x) {
            SetPixel(dc, x, y, lb.lbColor);
        }
    }
    return 1;
}

int FrameRect(HDC dc, LPCRECT rect, HBRUSH brush) {
    return dc && rect ? 1 : 0;
}
BOOL DrawFocusRect(HDC dc, LPCRECT rect) {
    return dc && rect ? TRUE : FALSE;
}
BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
    return dc && icon ? TRUE : FALSE;
}

int DrawText(HDC dc, LPCWSTR text, int count, LPRECT rect, UINT format) {
    if (!dc || !text || !rect) return 0;
    const int length = count < 0 ? static_cast<int>(std::wcslen(text)) : count;
    if (format & DT_CALCRECT) {
        rect->right = rect->left + length * kAverageCharWidth;
        rect->bottom = rect->top + kLineHeight;
    }
    return kLineHeight;
}
