// Icon and cursor files.
//
//   file  => ICONDIR (reserved 0, type 1 icon / 2 cursor, count >= 1) entry{count} images
//   entry => width, height (0 = 256), colours, reserved, planes | hotspot x,
//            bit count | hotspot y, bytes, offset
//   image => a DIB whose height counts colour image plus AND mask, or a PNG file
#include "services/ImageDecoders.h"

#include <cstdlib>
#include <cstring>

namespace winx::services {
namespace {

constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr int kDefaultIconSize = 32;
constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

std::uint16_t u16(Bytes b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t u32(Bytes b, std::size_t at) {
    return static_cast<std::uint32_t>(u16(b, at)) |
           (static_cast<std::uint32_t>(u16(b, at + 2)) << 16);
}

std::uint32_t bigEndian32(Bytes b, std::size_t at) {
    return (static_cast<std::uint32_t>(b[at]) << 24) |
           (static_cast<std::uint32_t>(b[at + 1]) << 16) |
           (static_cast<std::uint32_t>(b[at + 2]) << 8) | b[at + 3];
}

struct Entry {
    int width = 0;
    int height = 0;
    int depth = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    Bytes data;
};

bool readEntry(Bytes file, std::size_t index, Entry& entry) {
    const std::size_t at = kDirectorySize + index * kEntrySize;
    entry.width = file[at] == 0 ? 256 : file[at];
    entry.height = file[at + 1] == 0 ? 256 : file[at + 1];
    entry.planes = u16(file, at + 4);
    entry.bitCount = u16(file, at + 6);
    const std::uint32_t bytes = u32(file, at + 8);
    const std::uint32_t offset = u32(file, at + 12);
    if (offset > file.size() || bytes > file.size() - offset || bytes == 0) return false;
    entry.data = file.subspan(offset, bytes);
    // The directory's colour count stands in when the bit count is not given.
    const int colours = file[at + 2];
    entry.depth = entry.bitCount != 0 ? entry.bitCount
                                      : (colours == 0    ? 32
                                         : colours <= 2  ? 1
                                         : colours <= 16 ? 4
                                                         : 8);
    return true;
}

// Closest width first; on a tie the larger image (scaling down looks better), then the deeper
// colour, then the earlier entry.
bool better(const Entry& a, const Entry& b, int wanted) {
    const int da = std::abs(a.width - wanted);
    const int db = std::abs(b.width - wanted);
    if (da != db) return da < db;
    if (a.width != b.width) return a.width > b.width;
    return a.depth > b.depth;
}

bool isPng(Bytes data) {
    return data.size() >= sizeof kPngSignature &&
           std::memcmp(data.data(), kPngSignature, sizeof kPngSignature) == 0;
}

// Size from the IHDR chunk that must follow the signature; the pixels stay undecoded.
std::optional<DecodedImage> measurePng(Bytes data) {
    if (data.size() < 24 || bigEndian32(data, 8) != 13 ||
        std::memcmp(data.data() + 12, "IHDR", 4) != 0)
        return std::nullopt;
    const std::uint32_t width = bigEndian32(data, 16);
    const std::uint32_t height = bigEndian32(data, 20);
    if (!sizeAllowed(width, height)) return std::nullopt;
    DecodedImage image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    return image;
}

} // namespace

std::optional<DecodedIcon> decodeIcoFile(Bytes file, int wantedSize) {
    if (file.size() < kDirectorySize || u16(file, 0) != 0) return std::nullopt;
    const std::uint16_t type = u16(file, 2);
    const std::size_t count = u16(file, 4);
    if ((type != 1 && type != 2) || count == 0) return std::nullopt;
    if (file.size() < kDirectorySize + count * kEntrySize) return std::nullopt;
    const int wanted = wantedSize > 0 ? wantedSize : kDefaultIconSize;
    std::optional<Entry> best;
    for (std::size_t i = 0; i < count; ++i) {
        Entry entry;
        if (!readEntry(file, i, entry)) return std::nullopt;
        if (!best || better(entry, *best, wanted)) best = entry;
    }
    DecodedIcon icon;
    icon.isCursor = type == 2;
    if (icon.isCursor) {
        icon.hotspotX = best->planes;
        icon.hotspotY = best->bitCount;
    }
    icon.isPng = isPng(best->data);
    auto image = icon.isPng ? measurePng(best->data) : decodeIconDib(best->data);
    if (!image) return std::nullopt;
    icon.image = std::move(*image);
    return icon;
}

} // namespace winx::services
