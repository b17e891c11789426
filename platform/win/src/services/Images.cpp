// Bitmaps and icons from files and bytes, copies, icon parts, and access to their pixels.
#include "services/GdiTable.h"

#include "win/winbase.h"

namespace winx::services {
namespace {

winx::ResourceImageLoader& resourceLoader() {
    static winx::ResourceImageLoader loader = nullptr;
    return loader;
}

constexpr int kDefaultIconSize = 32;

Bytes bytesOf(const std::string& text) {
    return Bytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

// The size an image is loaded or copied at: the asked size, the default icon size, or its own.
int targetSide(int asked, int own, bool defaultSize) {
    if (asked > 0) return asked;
    return defaultSize ? kDefaultIconSize : own;
}

DecodedImage resized(const DecodedImage& image, int width, int height) {
    if (width == image.width && height == image.height) return image;
    return scaled(image, width, height);
}

HANDLE loadBitmapFile(const std::string& bytes, int cx, int cy, UINT flags) {
    auto image = decodeBmpFile(bytesOf(bytes));
    if (!image || (cx > 0 && !sizeAllowed(cx, 1)) || (cy > 0 && !sizeAllowed(1, cy)))
        return nullptr;
    DecodedImage result = resized(*image, cx > 0 ? cx : image->width, cy > 0 ? cy : image->height);
    if (flags & LR_MONOCHROME)
        result.bitsPerPixel = 1;
    else if (!(flags & LR_CREATEDIBSECTION))
        result.bitsPerPixel = 32;
    return addBitmap(std::move(result));
}

HANDLE loadIconFile(const std::string& bytes, int cx, int cy, UINT flags) {
    const bool defaultSize = (flags & LR_DEFAULTSIZE) != 0;
    const int wanted = cx > 0 ? cx : (defaultSize ? kDefaultIconSize : 0);
    auto icon = decodeIcoFile(bytesOf(bytes), wanted);
    if (!icon) return nullptr;
    const int width = targetSide(cx, icon->image.width, defaultSize);
    const int height = targetSide(cy, icon->image.height, defaultSize);
    if (!sizeAllowed(width, height)) return nullptr;
    return addIcon(resized(icon->image, width, height), icon->isCursor,
                   POINT{icon->hotspotX, icon->hotspotY});
}

HANDLE loadFromFile(LPCWSTR name, UINT type, int cx, int cy, UINT flags) {
    if (!name || IS_INTRESOURCE(name)) return nullptr;
    const auto bytes = winx::readFile(winx::nativePath(name));
    if (!bytes) {
        SetLastError(static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
        return nullptr;
    }
    if (type == IMAGE_BITMAP) return loadBitmapFile(*bytes, cx, cy, flags);
    if (type == IMAGE_ICON || type == IMAGE_CURSOR) return loadIconFile(*bytes, cx, cy, flags);
    return nullptr;
}

HANDLE copyOf(const GdiObject& original, int cx, int cy) {
    const int width = cx > 0 ? cx : original.image.width;
    const int height = cy > 0 ? cy : original.image.height;
    if (!sizeAllowed(width, height)) return nullptr;
    DecodedImage image = resized(original.image, width, height);
    if (original.kind == GdiKind::Bitmap) return addBitmap(std::move(image));
    return addIcon(std::move(image), original.isCursor, original.hotspot);
}

std::optional<winx::ImagePixels> pixelsOf(const void* handle, GdiKind kind) {
    const GdiObject* object = findGdiObject(handle, kind);
    if (!object) return std::nullopt;
    return winx::ImagePixels{object->image.width, object->image.height, object->image.pixels};
}

std::optional<DecodedImage> imageOf(const winx::ImagePixels& pixels) {
    if (!sizeAllowed(pixels.width, pixels.height) ||
        pixels.pixels.size() !=
            static_cast<std::size_t>(pixels.width) * static_cast<std::size_t>(pixels.height))
        return std::nullopt;
    return DecodedImage{pixels.width, pixels.height, 32, pixels.pixels};
}

// The icon's mask as a 1-bit bitmap: white where the icon is transparent.
DecodedImage maskOf(const DecodedImage& image) {
    DecodedImage mask{image.width, image.height, 1, {}};
    mask.pixels.reserve(image.pixels.size());
    for (const auto pixel : image.pixels)
        mask.pixels.push_back((pixel >> 24) == 0 ? 0xFFFFFFFFu : 0xFF000000u);
    return mask;
}

} // namespace
} // namespace winx::services

using namespace winx::services;

HANDLE LoadImage(HINSTANCE instance, LPCWSTR name, UINT type, int cx, int cy, UINT flags) {
    if (flags & LR_LOADFROMFILE) return loadFromFile(name, type, cx, cy, flags);
    const auto loader = resourceLoader();
    return loader ? loader(instance, name, type, cx, cy, flags) : nullptr;
}

HANDLE CopyImage(HANDLE image, UINT type, int cx, int cy, UINT flags) {
    const GdiKind kind = type == IMAGE_BITMAP ? GdiKind::Bitmap : GdiKind::Icon;
    if (type != IMAGE_BITMAP && type != IMAGE_ICON && type != IMAGE_CURSOR) return nullptr;
    const GdiObject* original = findGdiObject(image, kind);
    if (!original) return nullptr;
    const bool sameSize =
        (cx <= 0 || cx == original->image.width) && (cy <= 0 || cy == original->image.height);
    if ((flags & LR_COPYRETURNORG) && sameSize) return image;
    HANDLE copy = copyOf(*original, cx, cy);
    if (copy && (flags & LR_COPYDELETEORG)) {
        if (kind == GdiKind::Bitmap)
            DeleteObject(image);
        else
            DestroyIcon(static_cast<HICON>(image));
    }
    return copy;
}

BOOL DestroyIcon(HICON icon) {
    if (!findGdiObject(icon, GdiKind::Icon)) return FALSE;
    removeGdiObject(icon);
    return TRUE;
}

BOOL DestroyCursor(HCURSOR cursor) {
    return DestroyIcon(cursor);
}

BOOL GetIconInfo(HICON icon, PICONINFO info) {
    const GdiObject* object = findGdiObject(icon, GdiKind::Icon);
    if (!object || !info) return FALSE;
    const DecodedImage image = object->image;
    info->fIcon = object->isCursor ? FALSE : TRUE;
    info->xHotspot = static_cast<DWORD>(object->isCursor ? object->hotspot.x : image.width / 2);
    info->yHotspot = static_cast<DWORD>(object->isCursor ? object->hotspot.y : image.height / 2);
    info->hbmMask = addBitmap(maskOf(image));
    info->hbmColor = addBitmap(image);
    return TRUE;
}

namespace winx {

HBITMAP bitmapFromBytes(const unsigned char* data, std::size_t size) {
    if (!data) return nullptr;
    auto image = decodeBmpFile(Bytes(data, size));
    return image ? addBitmap(std::move(*image)) : nullptr;
}

HICON iconFromBytes(const unsigned char* data, std::size_t size, int wantedSize) {
    if (!data) return nullptr;
    auto icon = decodeIcoFile(Bytes(data, size), wantedSize);
    if (!icon) return nullptr;
    return addIcon(std::move(icon->image), icon->isCursor, POINT{icon->hotspotX, icon->hotspotY});
}

HBITMAP createBitmap(const ImagePixels& image) {
    auto decoded = imageOf(image);
    return decoded ? addBitmap(std::move(*decoded)) : nullptr;
}

HICON createIcon(const ImagePixels& image) {
    auto decoded = imageOf(image);
    return decoded ? addIcon(std::move(*decoded), false, POINT{}) : nullptr;
}

std::optional<ImagePixels> bitmapPixels(HBITMAP bitmap) {
    return pixelsOf(bitmap, GdiKind::Bitmap);
}

std::optional<ImagePixels> iconPixels(HICON icon) {
    return pixelsOf(icon, GdiKind::Icon);
}

void setResourceImageLoader(ResourceImageLoader loader) {
    resourceLoader() = loader;
}

} // namespace winx
