// The table of graphics objects behind HFONT, HBITMAP, HICON, HBRUSH, HPEN and HDC handles.
#pragma once

#include "services/ImageDecoders.h"

#include "win/wingdi.h"

namespace winx::services {

enum class GdiKind { Font, Bitmap, Icon, Brush, Pen, Dc };

struct GdiObject {
    GdiKind kind = GdiKind::Font;
    bool stock = false;
    LOGFONT font;
    LOGBRUSH brush;
    LOGPEN pen;
    DecodedImage image; // bitmaps and icons
    bool isCursor = false;
    POINT hotspot;
    int selections = 0; // device contexts this object is selected into
    // Device contexts: the selected font, bitmap, brush and pen.
    HGDIOBJ selected[4] = {};
};

void* addGdiObject(GdiObject object);
// The live object of that kind behind a handle; null otherwise.
GdiObject* findGdiObject(const void* handle, GdiKind kind);
GdiObject* findAnyGdiObject(const void* handle);
void removeGdiObject(const void* handle);
// Objects alive, stock objects not counted.
std::size_t liveObjectCount();

HBITMAP addBitmap(DecodedImage image);
HICON addIcon(DecodedImage image, bool isCursor, POINT hotspot);
// Nearest-pixel scaling; the pixels stay empty when the source has none.
DecodedImage scaled(const DecodedImage& image, int width, int height);

} // namespace winx::services
