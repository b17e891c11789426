// Decoders of the image files the platform loads: device-independent bitmaps (.bmp files and
// the images inside icons) and icon files (.ico). They read only inside the given bytes and
// refuse anything malformed, truncated or too large.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace winx::services {

constexpr int kMaxImageSide = 16384;
constexpr std::int64_t kMaxImagePixels = 16 * 1024 * 1024;

struct DecodedImage {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 32;
    std::vector<std::uint32_t> pixels; // 0xAARRGGBB, top row first; empty when not decoded
};

using Bytes = std::span<const std::uint8_t>;

// A whole .bmp file.
std::optional<DecodedImage> decodeBmpFile(Bytes file);

// A device-independent bitmap inside an icon: the header's height counts the colour image and
// the 1-bit AND mask below it; the mask (or a 32-bit image's alpha) makes the transparency.
std::optional<DecodedImage> decodeIconDib(Bytes dib);

struct DecodedIcon {
    DecodedImage image;
    bool isPng = false; // PNG entries are measured from their header, their pixels not decoded
    bool isCursor = false;
    int hotspotX = 0;
    int hotspotY = 0;
};

// The entry of an .ico (or .cur) file closest to wantedSize (<= 0: 32).
std::optional<DecodedIcon> decodeIcoFile(Bytes file, int wantedSize);

bool sizeAllowed(std::int64_t width, std::int64_t height);

} // namespace winx::services
