// Graphics objects: the object table, fonts, brushes, pens, stock objects and memory device
// contexts.
#include "services/GdiTable.h"

#include "win/winuser.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <map>

namespace winx::services {
namespace {

struct GdiTable {
    std::map<std::uintptr_t, GdiObject> objects;
    std::uintptr_t nextId = 0x100;
    std::map<int, void*> stock;
    std::map<int, void*> sysColorBrushes;
};

GdiTable& table() {
    static auto* instance = new GdiTable;
    return *instance;
}

std::uintptr_t key(const void* handle) {
    return reinterpret_cast<std::uintptr_t>(handle);
}

} // namespace

void* addGdiObject(GdiObject object) {
    const std::uintptr_t id = (table().nextId++ << 4) | 0xC;
    table().objects.emplace(id, std::move(object));
    return reinterpret_cast<void*>(id);
}

GdiObject* findAnyGdiObject(const void* handle) {
    const auto it = table().objects.find(key(handle));
    return it == table().objects.end() ? nullptr : &it->second;
}

GdiObject* findGdiObject(const void* handle, GdiKind kind) {
    GdiObject* object = findAnyGdiObject(handle);
    return object && object->kind == kind ? object : nullptr;
}

void removeGdiObject(const void* handle) {
    table().objects.erase(key(handle));
}

HBITMAP addBitmap(DecodedImage image) {
    GdiObject object;
    object.kind = GdiKind::Bitmap;
    object.image = std::move(image);
    return static_cast<HBITMAP>(addGdiObject(std::move(object)));
}

HICON addIcon(DecodedImage image, bool isCursor, POINT hotspot) {
    GdiObject object;
    object.kind = GdiKind::Icon;
    object.image = std::move(image);
    object.isCursor = isCursor;
    object.hotspot = hotspot;
    return static_cast<HICON>(addGdiObject(std::move(object)));
}

DecodedImage scaled(const DecodedImage& image, int width, int height) {
    DecodedImage result;
    result.width = width;
    result.height = height;
    result.bitsPerPixel = image.bitsPerPixel;
    if (image.pixels.empty()) return result;
    result.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const auto sy =
            static_cast<std::size_t>(static_cast<std::int64_t>(y) * image.height / height);
        for (int x = 0; x < width; ++x) {
            const auto sx =
                static_cast<std::size_t>(static_cast<std::int64_t>(x) * image.width / width);
            result.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                          static_cast<std::size_t>(x)] =
                image.pixels[sy * static_cast<std::size_t>(image.width) + sx];
        }
    }
    return result;
}

std::size_t liveObjectCount() {
    return static_cast<std::size_t>(
        std::count_if(table().objects.begin(), table().objects.end(),
                      [](const auto& entry) { return !entry.second.stock; }));
}

} // namespace winx::services

using namespace winx::services;

namespace {

LOGFONT stockFont(const wchar_t* face, LONG height, BYTE pitch) {
    LOGFONT font;
    font.lfHeight = height;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfPitchAndFamily = pitch;
    std::wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return font;
}

std::optional<GdiObject> stockObject(int index) {
    GdiObject object;
    object.stock = true;
    static const COLORREF brushGreys[] = {RGB(255, 255, 255), RGB(192, 192, 192),
                                          RGB(128, 128, 128), RGB(64, 64, 64), RGB(0, 0, 0)};
    if (index >= WHITE_BRUSH && index <= NULL_BRUSH) {
        object.kind = GdiKind::Brush;
        object.brush.lbStyle = index == NULL_BRUSH ? BS_NULL : BS_SOLID;
        object.brush.lbColor = index == NULL_BRUSH ? 0 : brushGreys[index];
        return object;
    }
    if (index >= WHITE_PEN && index <= NULL_PEN) {
        object.kind = GdiKind::Pen;
        object.pen.lopnStyle = index == NULL_PEN ? PS_NULL : PS_SOLID;
        object.pen.lopnWidth.x = 1;
        object.pen.lopnColor = index == WHITE_PEN ? RGB(255, 255, 255) : RGB(0, 0, 0);
        return object;
    }
    object.kind = GdiKind::Font;
    switch (index) {
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT:
        object.font = stockFont(L"Fixedsys", 16, FIXED_PITCH | FF_MODERN);
        return object;
    case ANSI_VAR_FONT:
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
        object.font = stockFont(L"System", 16, VARIABLE_PITCH | FF_SWISS);
        return object;
    case DEFAULT_GUI_FONT:
        object.font = stockFont(L"Sans Serif", -11, VARIABLE_PITCH | FF_SWISS);
        return object;
    default:
        return std::nullopt;
    }
}

// A memory context's initial selection: the stock 1 x 1 bitmap, system font, white brush and
// black pen.
HGDIOBJ defaultBitmap() {
    static HGDIOBJ bitmap = [] {
        GdiObject object;
        object.kind = GdiKind::Bitmap;
        object.stock = true;
        object.image.width = 1;
        object.image.height = 1;
        object.image.bitsPerPixel = 1;
        object.image.pixels = {0xFF000000u};
        return addGdiObject(std::move(object));
    }();
    return bitmap;
}

int slotOf(GdiKind kind) {
    switch (kind) {
    case GdiKind::Font:
        return 0;
    case GdiKind::Bitmap:
        return 1;
    case GdiKind::Brush:
        return 2;
    case GdiKind::Pen:
        return 3;
    default:
        return -1;
    }
}

template <typename Record>
int copyRecord(const Record& record, int bufferSize, LPVOID buffer) {
    constexpr int size = static_cast<int>(sizeof(Record));
    if (!buffer) return size;
    if (bufferSize < size) return 0;
    std::memcpy(buffer, &record, sizeof record);
    return size;
}

BITMAP bitmapRecord(const DecodedImage& image) {
    BITMAP record;
    record.bmWidth = image.width;
    record.bmHeight = image.height;
    record.bmPlanes = 1;
    record.bmBitsPixel = static_cast<WORD>(image.bitsPerPixel);
    record.bmWidthBytes = (image.width * image.bitsPerPixel + 15) / 16 * 2;
    return record;
}

COLORREF toColorRef(std::uint32_t pixel) {
    return RGB(static_cast<BYTE>(pixel >> 16), static_cast<BYTE>(pixel >> 8),
               static_cast<BYTE>(pixel));
}

std::uint32_t toPixel(COLORREF color) {
    return 0xFF000000u | (std::uint32_t{GetRValue(color)} << 16) |
           (std::uint32_t{GetGValue(color)} << 8) | GetBValue(color);
}

// The pixel of the bitmap selected into a context; null outside it or without pixels.
std::uint32_t* pixelOf(HDC dc, int x, int y) {
    const GdiObject* context = findGdiObject(dc, GdiKind::Dc);
    GdiObject* bitmap = context ? findGdiObject(context->selected[1], GdiKind::Bitmap) : nullptr;
    if (!bitmap) return nullptr;
    DecodedImage& image = bitmap->image;
    if (x < 0 || y < 0 || x >= image.width || y >= image.height) return nullptr;
    if (image.pixels.empty())
        image.pixels.assign(static_cast<std::size_t>(image.width) *
                                static_cast<std::size_t>(image.height),
                            0xFF000000u);
    return &image.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
                         static_cast<std::size_t>(x)];
}

} // namespace

HFONT CreateFontIndirect(const LOGFONT* font) {
    if (!font) return nullptr;
    GdiObject object;
    object.kind = GdiKind::Font;
    object.font = *font;
    object.font.lfFaceName[LF_FACESIZE - 1] = L'\0';
    return static_cast<HFONT>(addGdiObject(std::move(object)));
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                 DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCWSTR faceName) {
    LOGFONT font;
    font.lfHeight = height;
    font.lfWidth = width;
    font.lfEscapement = escapement;
    font.lfOrientation = orientation;
    font.lfWeight = weight;
    font.lfItalic = static_cast<BYTE>(italic);
    font.lfUnderline = static_cast<BYTE>(underline);
    font.lfStrikeOut = static_cast<BYTE>(strikeOut);
    font.lfCharSet = static_cast<BYTE>(charSet);
    font.lfOutPrecision = static_cast<BYTE>(outPrecision);
    font.lfClipPrecision = static_cast<BYTE>(clipPrecision);
    font.lfQuality = static_cast<BYTE>(quality);
    font.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
    if (faceName) std::wcsncpy(font.lfFaceName, faceName, LF_FACESIZE - 1);
    return CreateFontIndirect(&font);
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void*) {
    if (!sizeAllowed(width, height) || planes != 1) return nullptr;
    DecodedImage image;
    image.width = width;
    image.height = height;
    image.bitsPerPixel = static_cast<int>(bitsPerPixel == 0 ? 1 : bitsPerPixel);
    return addBitmap(std::move(image));
}

HBITMAP CreateCompatibleBitmap(HDC, int width, int height) {
    return CreateBitmap(width, height, 1, 32, nullptr);
}

HBRUSH CreateSolidBrush(COLORREF color) {
    GdiObject object;
    object.kind = GdiKind::Brush;
    object.brush.lbStyle = BS_SOLID;
    object.brush.lbColor = color;
    return static_cast<HBRUSH>(addGdiObject(std::move(object)));
}

HBRUSH GetSysColorBrush(int index) {
    auto& brushes = table().sysColorBrushes;
    if (const auto it = brushes.find(index); it != brushes.end())
        return static_cast<HBRUSH>(it->second);
    GdiObject object;
    object.kind = GdiKind::Brush;
    object.stock = true;
    object.brush.lbColor = GetSysColor(index);
    void* handle = addGdiObject(std::move(object));
    brushes[index] = handle;
    return static_cast<HBRUSH>(handle);
}

HPEN CreatePen(int style, int width, COLORREF color) {
    GdiObject object;
    object.kind = GdiKind::Pen;
    object.pen.lopnStyle = static_cast<UINT>(style);
    object.pen.lopnWidth.x = width;
    object.pen.lopnColor = color;
    return static_cast<HPEN>(addGdiObject(std::move(object)));
}

HGDIOBJ GetStockObject(int index) {
    auto& stock = table().stock;
    if (const auto it = stock.find(index); it != stock.end()) return it->second;
    auto object = stockObject(index);
    if (!object) return nullptr;
    void* handle = addGdiObject(std::move(*object));
    stock[index] = handle;
    return handle;
}

int GetObject(HGDIOBJ handle, int bufferSize, LPVOID buffer) {
    const GdiObject* object = findAnyGdiObject(handle);
    if (!object) return 0;
    switch (object->kind) {
    case GdiKind::Font:
        return copyRecord(object->font, bufferSize, buffer);
    case GdiKind::Bitmap:
        return copyRecord(bitmapRecord(object->image), bufferSize, buffer);
    case GdiKind::Brush:
        return copyRecord(object->brush, bufferSize, buffer);
    case GdiKind::Pen:
        return copyRecord(object->pen, bufferSize, buffer);
    default:
        return 0;
    }
}

DWORD GetObjectType(HGDIOBJ handle) {
    const GdiObject* object = findAnyGdiObject(handle);
    if (!object) return 0;
    switch (object->kind) {
    case GdiKind::Font:
        return OBJ_FONT;
    case GdiKind::Bitmap:
        return OBJ_BITMAP;
    case GdiKind::Brush:
        return OBJ_BRUSH;
    case GdiKind::Pen:
        return OBJ_PEN;
    case GdiKind::Dc:
        return OBJ_MEMDC;
    default:
        return 0;
    }
}

BOOL DeleteObject(HGDIOBJ handle) {
    const GdiObject* object = findAnyGdiObject(handle);
    if (!object || object->kind == GdiKind::Icon || object->kind == GdiKind::Dc) return FALSE;
    if (object->stock) return TRUE;
    if (object->selections > 0) return FALSE;
    removeGdiObject(handle);
    return TRUE;
}

HDC CreateCompatibleDC(HDC) {
    GdiObject context;
    context.kind = GdiKind::Dc;
    context.selected[0] = GetStockObject(SYSTEM_FONT);
    context.selected[1] = defaultBitmap();
    context.selected[2] = GetStockObject(WHITE_BRUSH);
    context.selected[3] = GetStockObject(BLACK_PEN);
    for (const HGDIOBJ selected : context.selected)
        ++findAnyGdiObject(selected)->selections;
    return static_cast<HDC>(addGdiObject(std::move(context)));
}

BOOL DeleteDC(HDC dc) {
    const GdiObject* context = findGdiObject(dc, GdiKind::Dc);
    if (!context) return FALSE;
    for (const HGDIOBJ selected : context->selected)
        if (GdiObject* object = findAnyGdiObject(selected)) --object->selections;
    removeGdiObject(dc);
    return TRUE;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ handle) {
    GdiObject* context = findGdiObject(dc, GdiKind::Dc);
    GdiObject* object = findAnyGdiObject(handle);
    if (!context || !object) return nullptr;
    const int slot = slotOf(object->kind);
    if (slot < 0) return nullptr;
    // A bitmap can be selected into one context at a time.
    if (object->kind == GdiKind::Bitmap && object->selections > 0 && !object->stock &&
        context->selected[slot] != handle)
        return nullptr;
    const HGDIOBJ previous = context->selected[slot];
    if (previous == handle) return previous;
    if (GdiObject* old = findAnyGdiObject(previous)) --old->selections;
    ++object->selections;
    context->selected[slot] = handle;
    return previous;
}

HGDIOBJ GetCurrentObject(HDC dc, UINT objectType) {
    const GdiObject* context = findGdiObject(dc, GdiKind::Dc);
    if (!context) return nullptr;
    switch (objectType) {
    case OBJ_FONT:
        return context->selected[0];
    case OBJ_BITMAP:
        return context->selected[1];
    case OBJ_BRUSH:
        return context->selected[2];
    case OBJ_PEN:
        return context->selected[3];
    default:
        return nullptr;
    }
}

COLORREF GetPixel(HDC dc, int x, int y) {
    const std::uint32_t* pixel = pixelOf(dc, x, y);
    return pixel ? toColorRef(*pixel) : CLR_INVALID;
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
    std::uint32_t* pixel = pixelOf(dc, x, y);
    if (!pixel) return CLR_INVALID;
    *pixel = toPixel(color);
    return color;
}

int GetDeviceCaps(HDC, int index) {
    switch (index) {
    case HORZRES:
        return 1920;
    case VERTRES:
        return 1080;
    case BITSPIXEL:
        return 32;
    case PLANES:
        return 1;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return 96;
    default:
        return 0;
    }
}

namespace winx {

std::size_t liveGdiObjects() {
    return services::liveObjectCount();
}

} // namespace winx
