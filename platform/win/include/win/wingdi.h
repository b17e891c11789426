// Graphics objects of the windowing platform: fonts, bitmaps, icons, brushes and pens in one
// object table, memory device contexts, and images loaded from .bmp and .ico files. Names,
// argument order and documented behaviour follow the platform's own API. Handles are checked
// on every call: a deleted or unknown handle fails cleanly. Nothing is drawn; bitmaps and icons
// keep their size and their pixels (32-bit 0xAARRGGBB, top row first).
#pragma once

#include "win/wintypes.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// ---- Fonts -----------------------------------------------------------------------------------
constexpr int LF_FACESIZE = 32;

struct LOGFONT {
    LONG lfHeight = 0;
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = 0;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = 0;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    WCHAR lfFaceName[LF_FACESIZE] = {};
};
using LOGFONTW = LOGFONT;
using LPLOGFONT = LOGFONT*;

constexpr int FW_DONTCARE = 0;
constexpr int FW_THIN = 100;
constexpr int FW_LIGHT = 300;
constexpr int FW_NORMAL = 400;
constexpr int FW_MEDIUM = 500;
constexpr int FW_SEMIBOLD = 600;
constexpr int FW_BOLD = 700;
constexpr int FW_HEAVY = 900;
constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE SYMBOL_CHARSET = 2;
constexpr BYTE OEM_CHARSET = 255;
constexpr BYTE OUT_DEFAULT_PRECIS = 0;
constexpr BYTE OUT_TT_PRECIS = 4;
constexpr BYTE CLIP_DEFAULT_PRECIS = 0;
constexpr BYTE DEFAULT_QUALITY = 0;
constexpr BYTE PROOF_QUALITY = 2;
constexpr BYTE CLEARTYPE_QUALITY = 5;
constexpr BYTE DEFAULT_PITCH = 0;
constexpr BYTE FIXED_PITCH = 1;
constexpr BYTE VARIABLE_PITCH = 2;
constexpr BYTE FF_DONTCARE = 0x00;
constexpr BYTE FF_ROMAN = 0x10;
constexpr BYTE FF_SWISS = 0x20;
constexpr BYTE FF_MODERN = 0x30;

// The LOGFONT is kept as given (the face name cut to LF_FACESIZE - 1 characters); GetObject
// returns it. Null for a null record.
HFONT CreateFontIndirect(const LOGFONT* font);
HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                 DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCWSTR faceName);

// ---- Bitmaps ---------------------------------------------------------------------------------
struct BITMAP {
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 0;
    WORD bmBitsPixel = 0;
    LPVOID bmBits = nullptr; // always null: the bits are not exposed in a device format
};
using LPBITMAP = BITMAP*;

constexpr DWORD BI_RGB = 0;
constexpr DWORD BI_RLE8 = 1;
constexpr DWORD BI_RLE4 = 2;
constexpr DWORD BI_BITFIELDS = 3;

// Size only: the content starts black. Null for sizes outside 1..16384 or above 16M pixels.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);

// ---- Icons -----------------------------------------------------------------------------------
struct ICONINFO {
    BOOL fIcon = TRUE;
    DWORD xHotspot = 0;
    DWORD yHotspot = 0;
    HBITMAP hbmMask = nullptr;
    HBITMAP hbmColor = nullptr;
};
using PICONINFO = ICONINFO*;

BOOL DestroyIcon(HICON icon);
BOOL DestroyCursor(HCURSOR cursor);
// Fills the record with two new bitmaps (colour and mask) that the caller deletes.
BOOL GetIconInfo(HICON icon, PICONINFO info);

// ---- Brushes and pens ------------------------------------------------------------------------
struct LOGBRUSH {
    UINT lbStyle = 0;
    COLORREF lbColor = 0;
    ULONG_PTR lbHatch = 0;
};

struct LOGPEN {
    UINT lopnStyle = 0;
    POINT lopnWidth;
    COLORREF lopnColor = 0;
};

constexpr UINT BS_SOLID = 0;
constexpr UINT BS_NULL = 1;
constexpr UINT BS_HOLLOW = BS_NULL;
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_NULL = 5;

HBRUSH CreateSolidBrush(COLORREF color);
// A brush of a system colour; it belongs to the system and need not be deleted.
HBRUSH GetSysColorBrush(int index);
HPEN CreatePen(int style, int width, COLORREF color);

// ---- Objects -----------------------------------------------------------------------------------
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int OEM_FIXED_FONT = 10;
constexpr int ANSI_FIXED_FONT = 11;
constexpr int ANSI_VAR_FONT = 12;
constexpr int SYSTEM_FONT = 13;
constexpr int DEVICE_DEFAULT_FONT = 14;
constexpr int SYSTEM_FIXED_FONT = 16;
constexpr int DEFAULT_GUI_FONT = 17;

constexpr DWORD OBJ_PEN = 1;
constexpr DWORD OBJ_BRUSH = 2;
constexpr DWORD OBJ_DC = 3;
constexpr DWORD OBJ_FONT = 6;
constexpr DWORD OBJ_BITMAP = 7;
constexpr DWORD OBJ_MEMDC = 10;

// Stock objects exist once and survive DeleteObject. Null for an unknown index.
HGDIOBJ GetStockObject(int index);
// Copies the object's record (LOGFONT, BITMAP, LOGBRUSH, LOGPEN) and returns its size; with a
// null buffer only the size. 0 for an unknown handle or a buffer too small.
int GetObject(HGDIOBJ object, int bufferSize, LPVOID buffer);
DWORD GetObjectType(HGDIOBJ object);
// Deletes a font, bitmap, brush or pen. FALSE for an unknown handle, an icon (see DestroyIcon),
// or a bitmap still selected into a device context.
BOOL DeleteObject(HGDIOBJ object);

// ---- Memory device contexts --------------------------------------------------------------------
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// A memory device context; it starts with a 1 x 1 bitmap and the stock objects selected.
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
// Selects a font, bitmap, brush or pen; returns the object it replaces, null on failure.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC dc, UINT objectType);
// Pixels of the selected bitmap; CLR_INVALID outside it.
COLORREF GetPixel(HDC dc, int x, int y);
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);
// A 96 dpi, 32 bits per pixel screen of 1920 x 1080.
int GetDeviceCaps(HDC dc, int index);

// ---- Images ------------------------------------------------------------------------------------
constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT IMAGE_ICON = 1;
constexpr UINT IMAGE_CURSOR = 2;
constexpr UINT LR_DEFAULTCOLOR = 0x0000;
constexpr UINT LR_MONOCHROME = 0x0001;
constexpr UINT LR_COPYRETURNORG = 0x0004;
constexpr UINT LR_COPYDELETEORG = 0x0008;
constexpr UINT LR_LOADFROMFILE = 0x0010;
constexpr UINT LR_LOADTRANSPARENT = 0x0020;
constexpr UINT LR_DEFAULTSIZE = 0x0040;
constexpr UINT LR_VGACOLOR = 0x0080;
constexpr UINT LR_LOADMAP3DCOLORS = 0x1000;
constexpr UINT LR_CREATEDIBSECTION = 0x2000;
constexpr UINT LR_SHARED = 0x8000;

// With LR_LOADFROMFILE (instance null) `name` is a path (through winx::nativePath); otherwise a
// resource of the instance, found by the loader the window system installs. Non-zero cx, cy
// scale the image (nearest pixel); icons take the entry closest to the asked size (32 with
// LR_DEFAULTSIZE, else the entry's own size). Null when the file is missing or malformed.
HANDLE LoadImage(HINSTANCE instance, LPCWSTR name, UINT type, int cx, int cy, UINT flags);
// A new bitmap or icon, scaled when cx, cy are non-zero; LR_COPYDELETEORG deletes the original.
HANDLE CopyImage(HANDLE image, UINT type, int cx, int cy, UINT flags);

namespace winx {

// An image's size and pixels: 0xAARRGGBB, row by row from the top. The pixels are empty for
// bitmaps created by size only and for icons stored as PNG (they are not decoded).
struct ImagePixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// Decode a .bmp file (BITMAPFILEHEADER + BITMAPCOREHEADER, BITMAPINFOHEADER, V4 or V5 header;
// 1, 4, 8, 16, 24 or 32 bits; BI_RGB, BI_BITFIELDS, BI_RLE8, BI_RLE4; bottom-up or top-down).
// Null for malformed or truncated data or images above 16384 pixels a side or 16M pixels.
HBITMAP bitmapFromBytes(const unsigned char* data, std::size_t size);
// Decode a .ico file and keep the entry closest to wantedSize (<= 0: closest to 32, kept at its
// own size). Null for malformed or truncated data.
HICON iconFromBytes(const unsigned char* data, std::size_t size, int wantedSize);
// Make objects from pixels (pixels.size() must be width * height). Null when it is not.
HBITMAP createBitmap(const ImagePixels& image);
HICON createIcon(const ImagePixels& image);
// Empty optional for an unknown handle.
std::optional<ImagePixels> bitmapPixels(HBITMAP bitmap);
std::optional<ImagePixels> iconPixels(HICON icon);
// Fonts, bitmaps, icons, brushes, pens and device contexts alive, stock objects not counted.
std::size_t liveGdiObjects();

// Finds resource images for LoadImage calls without LR_LOADFROMFILE (installed by the window
// system; null removes it).
using ResourceImageLoader = HANDLE (*)(HINSTANCE instance, LPCWSTR name, UINT type, int cx, int cy,
                                       UINT flags);
void setResourceImageLoader(ResourceImageLoader loader);

} // namespace winx
