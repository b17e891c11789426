// Device-independent bitmap decoder.
//
//   file  => BITMAPFILEHEADER ("BM", size, reserved, pixel offset) dib
//   dib   => header (12: core, 40: info, 52/56: info with masks, 108: V4, 124: V5)
//            [3 DWORD masks when BI_BITFIELDS follows a 40-byte header] [palette] pixels
//   pixels=> rows padded to 4 bytes, bottom-up unless the height is negative, or an RLE8 /
//            RLE4 stream of (count, value) pairs with escapes 0 (line end), 1 (bitmap end),
//            2 (delta) and n >= 3 (n literal values, padded to 2 bytes).
#include "services/ImageDecoders.h"

#include "win/wingdi.h"

#include <array>
#include <bit>

namespace winx::services {
namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

struct Reader {
    Bytes bytes;
    bool has(std::size_t at, std::size_t count) const {
        return at <= bytes.size() && count <= bytes.size() - at;
    }
    std::uint16_t u16(std::size_t at) const {
        return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
    }
    std::uint32_t u32(std::size_t at) const {
        return static_cast<std::uint32_t>(bytes[at]) |
               (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
               (static_cast<std::uint32_t>(bytes[at + 2]) << 16) |
               (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
    }
    std::int32_t i32(std::size_t at) const { return static_cast<std::int32_t>(u32(at)); }
};

struct Header {
    std::uint32_t size = 0;
    std::int64_t width = 0;
    std::int64_t height = 0; // negative: top-down
    int bitsPerPixel = 0;
    std::uint32_t compression = BI_RGB;
    std::uint32_t colorsUsed = 0;
    std::array<std::uint32_t, 4> masks{}; // red, green, blue, alpha
    bool core = false;
    std::size_t end = 0; // offset after the header and any separate masks
};

struct Layout {
    int width = 0;
    int height = 0;
    bool topDown = false;
};

bool readCoreHeader(const Reader& in, Header& h) {
    if (!in.has(0, 12)) return false;
    h.core = true;
    h.width = in.u16(4);
    h.height = in.u16(6);
    h.bitsPerPixel = in.u16(10);
    h.end = 12;
    return in.u16(8) == 1;
}

bool readMasks(const Reader& in, Header& h) {
    if (h.compression != BI_BITFIELDS) return true;
    const std::size_t at = h.size >= 52 ? 40 : h.size;
    if (!in.has(at, 12)) return false;
    for (int i = 0; i < 3; ++i)
        h.masks[static_cast<std::size_t>(i)] = in.u32(at + 4 * static_cast<std::size_t>(i));
    if (h.size >= 56) h.masks[3] = in.u32(52);
    if (h.size < 52) h.end += 12;
    return true;
}

bool readHeader(const Reader& in, Header& h) {
    if (!in.has(0, 4)) return false;
    h.size = in.u32(0);
    if (h.size == 12) return readCoreHeader(in, h);
    if (h.size != 40 && h.size != 52 && h.size != 56 && h.size != 108 && h.size != 124)
        return false;
    if (!in.has(0, h.size) || in.u16(12) != 1) return false;
    h.width = in.i32(4);
    h.height = in.i32(8);
    h.bitsPerPixel = in.u16(14);
    h.compression = in.u32(16);
    h.colorsUsed = in.u32(32);
    h.end = h.size;
    return readMasks(in, h);
}

bool validCombination(const Header& h) {
    switch (h.compression) {
    case BI_RGB:
        return h.bitsPerPixel == 1 || h.bitsPerPixel == 4 || h.bitsPerPixel == 8 ||
               h.bitsPerPixel == 16 || h.bitsPerPixel == 24 || h.bitsPerPixel == 32;
    case BI_RLE8:
        return h.bitsPerPixel == 8 && h.height > 0;
    case BI_RLE4:
        return h.bitsPerPixel == 4 && h.height > 0;
    case BI_BITFIELDS:
        return h.bitsPerPixel == 16 || h.bitsPerPixel == 32;
    default:
        return false;
    }
}

std::size_t paletteCount(const Header& h) {
    if (h.bitsPerPixel <= 8 && h.colorsUsed == 0) return std::size_t{1} << h.bitsPerPixel;
    return h.colorsUsed;
}

bool readPalette(const Reader& in, const Header& h, std::vector<std::uint32_t>& palette) {
    const std::size_t count = paletteCount(h);
    if (h.bitsPerPixel <= 8 && count > (std::size_t{1} << h.bitsPerPixel)) return false;
    if (count > 256) return false;
    const std::size_t entry = h.core ? 3 : 4;
    if (!in.has(h.end, count * entry)) return false;
    if (h.bitsPerPixel > 8) return true; // an optional palette of a true-colour image: skipped
    palette.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = h.end + i * entry;
        palette[i] = kOpaque | (std::uint32_t{in.bytes[at + 2]} << 16) |
                     (std::uint32_t{in.bytes[at + 1]} << 8) | in.bytes[at];
    }
    return true;
}

std::size_t pixelStart(const Header& h) {
    return h.end + paletteCount(h) * (h.core ? 3 : 4);
}

std::uint32_t paletteColor(const std::vector<std::uint32_t>& palette, std::uint32_t index) {
    return index < palette.size() ? palette[index] : kOpaque;
}

// A channel of a bit-field pixel scaled to 0..255.
std::uint32_t channel(std::uint32_t value, std::uint32_t mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const std::uint64_t max = mask >> shift;
    return static_cast<std::uint32_t>(((value & mask) >> shift) * 255 / max);
}

struct PixelFormat {
    int bitsPerPixel = 0;
    std::array<std::uint32_t, 4> masks{};
    bool alphaFromFourthByte = false;
};

PixelFormat pixelFormatOf(const Header& h, bool alphaFromFourthByte) {
    PixelFormat format{h.bitsPerPixel, h.masks, alphaFromFourthByte};
    if (h.compression == BI_RGB && h.bitsPerPixel == 16) format.masks = {0x7C00, 0x03E0, 0x001F, 0};
    if (h.compression == BI_RGB && h.bitsPerPixel == 32)
        format.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, alphaFromFourthByte ? 0xFF000000u : 0};
    return format;
}

std::uint32_t maskedColor(std::uint32_t value, const PixelFormat& f) {
    const std::uint32_t alpha = f.masks[3] ? channel(value, f.masks[3]) : 0xFF;
    return (alpha << 24) | (channel(value, f.masks[0]) << 16) | (channel(value, f.masks[1]) << 8) |
           channel(value, f.masks[2]);
}

std::uint32_t pixelAt(const std::uint8_t* row, int x, const PixelFormat& f,
                      const std::vector<std::uint32_t>& palette) {
    const auto ux = static_cast<std::size_t>(x);
    switch (f.bitsPerPixel) {
    case 1:
        return paletteColor(palette, (row[ux / 8] >> (7 - ux % 8)) & 1);
    case 4:
        return paletteColor(palette, (row[ux / 2] >> (ux % 2 ? 0 : 4)) & 0xF);
    case 8:
        return paletteColor(palette, row[ux]);
    case 16:
        return maskedColor(static_cast<std::uint32_t>(row[2 * ux] | (row[2 * ux + 1] << 8)), f);
    case 24:
        return kOpaque | (std::uint32_t{row[3 * ux + 2]} << 16) |
               (std::uint32_t{row[3 * ux + 1]} << 8) | row[3 * ux];
    default: {
        const std::uint8_t* p = row + 4 * ux;
        return maskedColor(static_cast<std::uint32_t>(p[0] | (p[1] << 8) | (p[2] << 16)) |
                               (static_cast<std::uint32_t>(p[3]) << 24),
                           f);
    }
    }
}

std::size_t rowStride(int width, int bitsPerPixel) {
    return (static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel) + 31) / 32 * 4;
}

bool decodeRows(const Reader& in, std::size_t start, const Layout& layout,
                const PixelFormat& format, const std::vector<std::uint32_t>& palette,
                DecodedImage& image) {
    const std::size_t stride = rowStride(layout.width, format.bitsPerPixel);
    if (!in.has(start, stride * static_cast<std::size_t>(layout.height))) return false;
    for (int r = 0; r < layout.height; ++r) {
        const std::uint8_t* row = in.bytes.data() + start + stride * static_cast<std::size_t>(r);
        const int y = layout.topDown ? r : layout.height - 1 - r;
        std::uint32_t* out = image.pixels.data() +
                             static_cast<std::size_t>(y) * static_cast<std::size_t>(layout.width);
        for (int x = 0; x < layout.width; ++x)
            out[x] = pixelAt(row, x, format, palette);
    }
    return true;
}

// Run-length streams (always bottom-up). Pixels the stream skips keep palette colour 0; runs
// past the right edge are clipped.
class RleDecoder {
public:
    RleDecoder(const Reader& in, std::size_t at, bool fourBit, const Layout& layout,
               const std::vector<std::uint32_t>& palette, DecodedImage& image)
        : in_(in), at_(at), fourBit_(fourBit), layout_(layout), palette_(palette), image_(image) {}

    bool run() {
        while (y_ < layout_.height) {
            if (!in_.has(at_, 2)) return false;
            const int count = in_.bytes[at_];
            const std::uint8_t value = in_.bytes[at_ + 1];
            at_ += 2;
            if (count > 0) {
                repeat(count, value);
                continue;
            }
            if (value == 0)
                newLine();
            else if (value == 1)
                return true;
            else if (value == 2 && !delta())
                return false;
            else if (value >= 3 && !literal(value))
                return false;
        }
        return true;
    }

private:
    void put(std::uint32_t index) {
        if (x_ < layout_.width) {
            const auto row = static_cast<std::size_t>(layout_.height - 1 - y_);
            image_.pixels[row * static_cast<std::size_t>(layout_.width) +
                          static_cast<std::size_t>(x_)] = paletteColor(palette_, index);
        }
        ++x_;
    }

    void repeat(int count, std::uint8_t value) {
        for (int i = 0; i < count; ++i)
            put(fourBit_ ? (i % 2 == 0 ? value >> 4 : value & 0xF) : value);
    }

    void newLine() {
        x_ = 0;
        ++y_;
    }

    bool delta() {
        if (!in_.has(at_, 2)) return false;
        x_ += in_.bytes[at_];
        y_ += in_.bytes[at_ + 1];
        at_ += 2;
        return true;
    }

    bool literal(int count) {
        const std::size_t bytes =
            fourBit_ ? (static_cast<std::size_t>(count) + 1) / 2 : static_cast<std::size_t>(count);
        const std::size_t padded = bytes + bytes % 2;
        if (!in_.has(at_, padded)) return false;
        for (int i = 0; i < count; ++i) {
            const std::uint8_t byte = in_.bytes[at_ + (fourBit_ ? static_cast<std::size_t>(i) / 2
                                                                : static_cast<std::size_t>(i))];
            put(fourBit_ ? (i % 2 == 0 ? byte >> 4 : byte & 0xF) : byte);
        }
        at_ += padded;
        return true;
    }

    const Reader& in_;
    std::size_t at_;
    bool fourBit_;
    Layout layout_;
    const std::vector<std::uint32_t>& palette_;
    DecodedImage& image_;
    std::int64_t x_ = 0;
    std::int64_t y_ = 0;
};

std::optional<Layout> layoutOf(const Header& h, bool doubledHeight) {
    std::int64_t height = h.height < 0 ? -h.height : h.height;
    if (doubledHeight) {
        if (height % 2 != 0) return std::nullopt;
        height /= 2;
    }
    if (!sizeAllowed(h.width, height)) return std::nullopt;
    return Layout{static_cast<int>(h.width), static_cast<int>(height), h.height < 0};
}

struct DibRequest {
    std::optional<std::size_t> pixelOffset; // from the file header; else after the palette
    bool iconImage = false;
};

// Icon transparency: a 32-bit image with any alpha keeps it; otherwise the AND mask (1 bits
// transparent) decides. The mask may be missing only when alpha already decides.
bool applyAndMask(const Reader& in, std::size_t at, const Layout& layout, bool hasAlpha,
                  DecodedImage& image) {
    bool anyAlpha = false;
    if (hasAlpha)
        for (const auto pixel : image.pixels)
            anyAlpha = anyAlpha || (pixel >> 24) != 0;
    const std::size_t stride = rowStride(layout.width, 1);
    if (!in.has(at, stride * static_cast<std::size_t>(layout.height))) return anyAlpha;
    if (anyAlpha) return true;
    for (int r = 0; r < layout.height; ++r) {
        const std::uint8_t* row = in.bytes.data() + at + stride * static_cast<std::size_t>(r);
        const int y = layout.topDown ? r : layout.height - 1 - r;
        for (int x = 0; x < layout.width; ++x) {
            auto& pixel =
                image.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(layout.width) +
                             static_cast<std::size_t>(x)];
            const bool transparent = (row[x / 8] >> (7 - x % 8)) & 1;
            pixel = transparent ? (pixel & 0x00FFFFFF) : (pixel | kOpaque);
        }
    }
    return true;
}

std::optional<DecodedImage> decodeDib(Bytes dib, const DibRequest& request) {
    const Reader in{dib};
    Header header;
    if (!readHeader(in, header) || !validCombination(header)) return std::nullopt;
    if (request.iconImage && header.compression != BI_RGB && header.compression != BI_BITFIELDS)
        return std::nullopt;
    const auto layout = layoutOf(header, request.iconImage);
    std::vector<std::uint32_t> palette;
    if (!layout || !readPalette(in, header, palette)) return std::nullopt;
    const std::size_t start = request.pixelOffset.value_or(pixelStart(header));
    if (start < header.end || start > dib.size()) return std::nullopt;
    const bool runLengths = header.compression == BI_RLE8 || header.compression == BI_RLE4;
    // Refuse short rows before allocating, so a tiny file cannot claim a huge image.
    const std::size_t rowBytes = rowStride(layout->width, header.bitsPerPixel);
    if (!runLengths && !in.has(start, rowBytes * static_cast<std::size_t>(layout->height)))
        return std::nullopt;
    DecodedImage image;
    image.width = layout->width;
    image.height = layout->height;
    image.bitsPerPixel = header.bitsPerPixel;
    const std::uint32_t background = paletteColor(palette, 0);
    image.pixels.assign(
        static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height), background);
    if (runLengths) {
        RleDecoder rle(in, start, header.compression == BI_RLE4, *layout, palette, image);
        if (!rle.run()) return std::nullopt;
        return image;
    }
    const PixelFormat format = pixelFormatOf(header, request.iconImage);
    if (!decodeRows(in, start, *layout, format, palette, image)) return std::nullopt;
    if (!request.iconImage) return image;
    const std::size_t maskAt = start + rowStride(layout->width, header.bitsPerPixel) *
                                           static_cast<std::size_t>(layout->height);
    if (!applyAndMask(in, maskAt, *layout, format.masks[3] != 0, image)) return std::nullopt;
    return image;
}

} // namespace

bool sizeAllowed(std::int64_t width, std::int64_t height) {
    return width >= 1 && height >= 1 && width <= kMaxImageSide && height <= kMaxImageSide &&
           width * height <= kMaxImagePixels;
}

std::optional<DecodedImage> decodeBmpFile(Bytes file) {
    const Reader in{file};
    if (!in.has(0, 14) || file[0] != 'B' || file[1] != 'M') return std::nullopt;
    const std::uint32_t offset = in.u32(10);
    if (offset < 14 || offset > file.size()) return std::nullopt;
    return decodeDib(file.subspan(14), DibRequest{offset - std::size_t{14}, false});
}

std::optional<DecodedImage> decodeIconDib(Bytes dib) {
    return decodeDib(dib, DibRequest{std::nullopt, true});
}

} // namespace winx::services
