#include "ServicesTestSupport.h"

#include "win/winbase.h"
#include "win/wingdi.h"
#include "win/winuser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <vector>

namespace {

using services_test::ByteVector;
using services_test::put16;
using services_test::put32;
using services_test::put8;

constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kBlack = 0xFF000000;
constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kGreen = 0xFF00FF00;
constexpr std::uint32_t kBlue = 0xFF0000FF;
constexpr std::uint32_t kTeal = 0xFF008080;

// An image as the decoder should hand it back: 0xAARRGGBB, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// Five columns (odd, so rows need padding) and three rows, every colour from `colours`.
Picture samplePicture(const std::vector<std::uint32_t>& colours) {
    Picture picture{5, 3, {}};
    for (int i = 0; i < 15; ++i)
        picture.pixels.push_back(
            colours[static_cast<std::size_t>((i * 7 + i / 5) % colours.size())]);
    return picture;
}

struct BmpLayout {
    int bitsPerPixel = 24;
    bool topDown = false;
    std::uint32_t headerSize = 40;
    DWORD compression = BI_RGB;
    std::uint32_t masks[4] = {}; // red, green, blue, alpha for BI_BITFIELDS
    std::vector<std::uint32_t> palette;
};

// Palette entries are opaque; a transparent icon pixel uses the entry of its colour.
std::uint32_t paletteIndex(const BmpLayout& layout, std::uint32_t colour) {
    const auto it = std::find(layout.palette.begin(), layout.palette.end(), colour | 0xFF000000u);
    return static_cast<std::uint32_t>(it - layout.palette.begin());
}

// Packs a value into the mask's bit positions, scaling 0..255 to the mask's width.
std::uint32_t intoMask(std::uint32_t channel, std::uint32_t mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (((mask >> shift) & 1) == 0)
        ++shift;
    const std::uint32_t max = mask >> shift;
    return ((channel * max / 255) << shift) & mask;
}

std::uint32_t packed(const BmpLayout& layout, std::uint32_t colour) {
    static const int shifts[4] = {16, 8, 0, 24}; // red, green, blue, alpha in 0xAARRGGBB
    std::uint32_t value = 0;
    for (int c = 0; c < 4; ++c)
        value |= intoMask((colour >> shifts[c]) & 0xFF, layout.masks[c]);
    return value;
}

void putRow(ByteVector& out, const Picture& picture, int y, const BmpLayout& layout) {
    const std::size_t start = out.size();
    std::uint32_t bits = 0;
    int bitCount = 0;
    for (int x = 0; x < picture.width; ++x) {
        const std::uint32_t colour = picture.at(x, y);
        switch (layout.bitsPerPixel) {
        case 1:
        case 4:
        case 8:
            bits = (bits << layout.bitsPerPixel) | paletteIndex(layout, colour);
            bitCount += layout.bitsPerPixel;
            if (bitCount == 8) {
                put8(out, bits);
                bits = 0;
                bitCount = 0;
            }
            break;
        case 16:
            put16(out, packed(layout, colour));
            break;
        case 24:
            put8(out, colour & 0xFF);
            put8(out, (colour >> 8) & 0xFF);
            put8(out, (colour >> 16) & 0xFF);
            break;
        default:
            put32(out,
                  layout.compression == BI_BITFIELDS ? packed(layout, colour) : colour & 0xFFFFFF);
        }
    }
    if (bitCount > 0) put8(out, bits << (8 - bitCount));
    while ((out.size() - start) % 4 != 0)
        put8(out, 0);
}

void putInfoHeader(ByteVector& out, int width, int height, const BmpLayout& layout,
                   std::uint32_t imageSize) {
    put32(out, layout.headerSize);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);
    put16(out, static_cast<unsigned>(layout.bitsPerPixel));
    put32(out, layout.compression);
    put32(out, imageSize);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, static_cast<std::uint32_t>(layout.palette.size()));
    put32(out, 0);
    const bool masksInHeader = layout.headerSize >= 52;
    if (layout.compression == BI_BITFIELDS || masksInHeader)
        for (int c = 0; c < (layout.headerSize >= 56 ? 4 : 3); ++c)
            put32(out, layout.masks[c]);
}

ByteVector dibBody(const Picture& picture, const BmpLayout& layout, const ByteVector& pixels) {
    ByteVector out;
    const int height = layout.topDown ? -picture.height : picture.height;
    putInfoHeader(out, picture.width, height, layout, static_cast<std::uint32_t>(pixels.size()));
    out.resize(std::max<std::size_t>(out.size(), layout.headerSize), 0);
    for (const auto colour : layout.palette)
        put32(out, colour & 0xFFFFFF);
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

ByteVector pixelRows(const Picture& picture, const BmpLayout& layout) {
    ByteVector rows;
    for (int r = 0; r < picture.height; ++r)
        putRow(rows, picture, layout.topDown ? r : picture.height - 1 - r, layout);
    return rows;
}

ByteVector fileWith(const ByteVector& dib, std::uint32_t pixelOffsetInDib) {
    ByteVector out;
    put8(out, 'B');
    put8(out, 'M');
    put32(out, static_cast<std::uint32_t>(14 + dib.size()));
    put32(out, 0);
    put32(out, 14 + pixelOffsetInDib);
    out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

ByteVector bmpFile(const Picture& picture, const BmpLayout& layout) {
    const ByteVector rows = pixelRows(picture, layout);
    const ByteVector dib = dibBody(picture, layout, rows);
    return fileWith(dib, static_cast<std::uint32_t>(dib.size() - rows.size()));
}

// A DIB for an icon: colour rows, then the AND mask (1 = transparent), height doubled.
ByteVector iconDib(const Picture& picture, BmpLayout layout, bool withMask = true) {
    ByteVector rows = pixelRows(picture, layout);
    if (withMask) {
        for (int r = picture.height - 1; r >= 0; --r) {
            const std::size_t start = rows.size();
            std::uint32_t bits = 0;
            int count = 0;
            for (int x = 0; x < picture.width; ++x) {
                bits = (bits << 1) | ((picture.at(x, r) >> 24) == 0 ? 1u : 0u);
                if (++count == 8) {
                    put8(rows, bits);
                    bits = 0;
                    count = 0;
                }
            }
            if (count > 0) put8(rows, bits << (8 - count));
            while ((rows.size() - start) % 4 != 0)
                put8(rows, 0);
        }
    }
    Picture doubled = picture;
    doubled.height *= 2;
    return dibBody(doubled, layout, rows);
}

ByteVector pngEntry(int width, int height) {
    ByteVector out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    for (const int side : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8)
            put8(out, (static_cast<unsigned>(side) >> shift) & 0xFF);
    for (int i = 0; i < 9; ++i)
        put8(out, 0); // rest of IHDR and its check value (not read)
    return out;
}

struct IconEntry {
    int size = 0;
    int bitsPerPixel = 0;
    ByteVector image;
};

ByteVector icoFile(const std::vector<IconEntry>& entries, unsigned type = 1) {
    ByteVector out;
    put16(out, 0);
    put16(out, type);
    put16(out, static_cast<unsigned>(entries.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
    for (const auto& entry : entries) {
        put8(out, entry.size >= 256 ? 0 : static_cast<unsigned>(entry.size));
        put8(out, entry.size >= 256 ? 0 : static_cast<unsigned>(entry.size));
        put8(out, 0);
        put8(out, 0);
        put16(out, type == 2 ? 3 : 1);
        put16(out, type == 2 ? 4 : static_cast<unsigned>(entry.bitsPerPixel));
        put32(out, static_cast<std::uint32_t>(entry.image.size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(entry.image.size());
    }
    for (const auto& entry : entries)
        out.insert(out.end(), entry.image.begin(), entry.image.end());
    return out;
}

class GdiTest : public ::testing::Test {
protected:
    void SetUp() override { liveBefore = winx::liveGdiObjects(); }
    void TearDown() override {
        EXPECT_EQ(winx::liveGdiObjects(), liveBefore) << "a test leaked an object";
    }

    // Decodes, compares every pixel and deletes the bitmap.
    void expectDecodes(const ByteVector& file, const Picture& expected, const char* what) {
        HBITMAP bitmap = winx::bitmapFromBytes(file.data(), file.size());
        ASSERT_NE(bitmap, nullptr) << what;
        const auto decoded = winx::bitmapPixels(bitmap);
        ASSERT_TRUE(decoded.has_value());
        EXPECT_EQ(decoded->width, expected.width) << what;
        EXPECT_EQ(decoded->height, expected.height) << what;
        EXPECT_EQ(decoded->pixels, expected.pixels) << what;
        EXPECT_TRUE(DeleteObject(bitmap));
    }

    std::size_t liveBefore = 0;
};

TEST_F(GdiTest, BitmapsDecodeAtEveryDepthAndOrientation) {
    const std::vector<std::uint32_t> colours = {kWhite, kBlack, kRed, kGreen, kBlue};
    const Picture picture = samplePicture(colours);
    for (const bool topDown : {false, true}) {
        BmpLayout layout;
        layout.topDown = topDown;
        layout.bitsPerPixel = 24;
        expectDecodes(bmpFile(picture, layout), picture, "24 bits");
        layout.bitsPerPixel = 32;
        expectDecodes(bmpFile(picture, layout), picture, "32 bits");
        layout.bitsPerPixel = 16;
        layout.masks[0] = 0x7C00; // the implied layout of 16-bit rows, not written
        layout.masks[1] = 0x03E0;
        layout.masks[2] = 0x001F;
        expectDecodes(bmpFile(picture, layout), picture, "16 bits 5-5-5");
        layout.bitsPerPixel = 8;
        layout.palette = {kTeal, kWhite, kBlack, kRed, kGreen, kBlue};
        expectDecodes(bmpFile(picture, layout), picture, "8 bits");
        layout.bitsPerPixel = 4;
        expectDecodes(bmpFile(picture, layout), picture, "4 bits");
        const Picture twoColours = samplePicture({kRed, kTeal});
        layout.bitsPerPixel = 1;
        layout.palette = {kTeal, kRed};
        expectDecodes(bmpFile(twoColours, layout), twoColours, "1 bit");
    }
}

TEST_F(GdiTest, BitFieldsAndNewerHeadersGiveTheMaskedChannels) {
    const Picture picture = samplePicture({kWhite, kBlack, kRed, kGreen, kBlue});
    BmpLayout layout;
    layout.compression = BI_BITFIELDS;
    layout.bitsPerPixel = 16;
    layout.masks[0] = 0xF800;
    layout.masks[1] = 0x07E0;
    layout.masks[2] = 0x001F;
    expectDecodes(bmpFile(picture, layout), picture, "16 bits 5-6-5");
    layout.headerSize = 108;
    expectDecodes(bmpFile(picture, layout), picture, "16 bits 5-6-5, V4 header");

    // A 5-bit channel value scales to the full byte range.
    Picture mid{1, 1, {0xFF000000u | ((16u * 255 / 31) << 16)}};
    layout.headerSize = 40;
    layout.masks[0] = 0x7C00;
    layout.masks[1] = 0x03E0;
    layout.masks[2] = 0x001F;
    ByteVector file = bmpFile(Picture{1, 1, {kBlack}}, layout);
    file[file.size() - 4] = 0x00;
    file[file.size() - 3] = 0x40; // red = 16 of 31
    expectDecodes(file, mid, "5-bit scaling");

    // A V5 header with an alpha mask keeps the alpha channel.
    Picture translucent{2, 1, {0x80FF0000u, 0x00000000u}};
    layout.headerSize = 124;
    layout.bitsPerPixel = 32;
    layout.masks[0] = 0x00FF0000;
    layout.masks[1] = 0x0000FF00;
    layout.masks[2] = 0x000000FF;
    layout.masks[3] = 0xFF000000;
    expectDecodes(bmpFile(translucent, layout), translucent, "32 bits with alpha, V5 header");
}

TEST_F(GdiTest, RunLengthStreamsDecodeWithRunsLiteralsAndDeltas) {
    BmpLayout layout;
    layout.bitsPerPixel = 8;
    layout.compression = BI_RLE8;
    layout.palette = {kTeal, kRed, kGreen, kBlue};
    // Bottom row: a run of four reds. Middle: literal green, blue, red, then one teal. Top: a
    // delta over two pixels, then two blues.
    const ByteVector stream = {4, 1, 0, 0, 0, 3, 2, 3, 1, 0, 1, 0, 0, 0, 0, 2, 2, 0, 2, 3, 0, 1};
    const Picture expected{
        4, 3, {kTeal, kTeal, kBlue, kBlue, kGreen, kBlue, kRed, kTeal, kRed, kRed, kRed, kRed}};
    ByteVector dib = dibBody(Picture{4, 3, {}}, layout, stream);
    expectDecodes(fileWith(dib, static_cast<std::uint32_t>(dib.size() - stream.size())), expected,
                  "RLE8");

    layout.bitsPerPixel = 4;
    layout.compression = BI_RLE4;
    layout.palette = {kTeal, kRed, kGreen, kBlue, kWhite, kBlack, kRed};
    // Bottom: run of five alternating 1, 2. Top: literal 3, 4, 5, then a run of two 6s.
    const ByteVector stream4 = {5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 2, 0x66, 0, 1};
    const Picture expected4{
        5, 2, {kBlue, kWhite, kBlack, kRed, kRed, kRed, kGreen, kRed, kGreen, kRed}};
    dib = dibBody(Picture{5, 2, {}}, layout, stream4);
    expectDecodes(fileWith(dib, static_cast<std::uint32_t>(dib.size() - stream4.size())), expected4,
                  "RLE4");
}

// ---- Malformed bitmaps --------------------------------------------------------------------------

TEST_F(GdiTest, TruncatedOrMalformedBitmapsAreRefused) {
    BmpLayout layout;
    layout.bitsPerPixel = 8;
    layout.palette = {kRed, kGreen, kBlue, kBlack, kWhite};
    const ByteVector file = bmpFile(samplePicture(layout.palette), layout);
    for (std::size_t size = 0; size < file.size(); ++size)
        EXPECT_EQ(winx::bitmapFromBytes(file.data(), size), nullptr) << size;

    auto patched = [&](std::size_t at, std::uint32_t value) {
        ByteVector copy = file;
        services_test::put32At(copy, at, value);
        return copy;
    };
    // Offsets: file header 0..13, then header size 14, width 18, height 22, planes 26, bits 28,
    // compression 30, colours used 46.
    const std::pair<const char*, ByteVector> malformed[] = {
        {"unknown header size", patched(14, 41)},
        {"too wide", patched(18, 20000)},
        {"no width", patched(18, 0)},
        {"no height", patched(22, 0)},
        {"two planes", patched(26, 0x00080002)},
        {"32 bits but 8-bit rows", patched(26, 0x00200001)},
        {"9 bits per pixel", patched(26, 0x00090001)},
        {"unknown compression", patched(30, 7)},
        {"4-bit run lengths at 8 bits", patched(30, BI_RLE4)},
        {"more colours than 8 bits hold", patched(46, 300)},
        {"pixels beyond the file", patched(10, 0xFFFF)},
        {"pixels inside the header", patched(10, 20)},
    };
    for (const auto& [what, candidate] : malformed)
        EXPECT_EQ(winx::bitmapFromBytes(candidate.data(), candidate.size()), nullptr) << what;
    ByteVector huge = patched(18, 5000);
    services_test::put32At(huge, 22, 5000);
    EXPECT_EQ(winx::bitmapFromBytes(huge.data(), huge.size()), nullptr) << "too many pixels";
    EXPECT_EQ(winx::bitmapFromBytes(nullptr, 100), nullptr);

    // The file size field is not needed, so a wrong one does no harm.
    const ByteVector oddSize = patched(2, 12345);
    HBITMAP harmless = winx::bitmapFromBytes(oddSize.data(), oddSize.size());
    EXPECT_NE(harmless, nullptr);
    DeleteObject(harmless);

    layout.compression = BI_RLE8;
    const ByteVector unfinished = {4, 1, 0, 0, 0, 3, 2};
    const ByteVector dib = dibBody(Picture{4, 3, {}}, layout, unfinished);
    const ByteVector rle =
        fileWith(dib, static_cast<std::uint32_t>(dib.size() - unfinished.size()));
    EXPECT_EQ(winx::bitmapFromBytes(rle.data(), rle.size()), nullptr);
}

// ---- Icons --------------------------------------------------------------------------------------

TEST_F(GdiTest, IconsTakeTheClosestEntryAndTheirMask) {
    // 16 x 16 at 4 bits with a transparent corner, 32 x 32 at 32 bits with alpha.
    Picture small{16, 16, std::vector<std::uint32_t>(256, kBlue)};
    small.pixels[0] = 0x00000000;
    BmpLayout indexed;
    indexed.bitsPerPixel = 4;
    indexed.palette = {kBlack, kBlue};
    Picture large{32, 32, std::vector<std::uint32_t>(1024, 0xFF00FF00)};
    large.pixels[33] = 0x40FF0000;
    BmpLayout trueColour;
    trueColour.bitsPerPixel = 32;
    ByteVector largeDib = iconDib(large, trueColour);
    // Write the real alpha bytes, which the plain 32-bit row writer leaves zero.
    const std::size_t rowsAt = 40;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            largeDib[rowsAt + static_cast<std::size_t>(((31 - y) * 32 + x) * 4 + 3)] =
                static_cast<std::uint8_t>(large.at(x, y) >> 24);
    const ByteVector file = icoFile({{16, 4, iconDib(small, indexed)}, {32, 32, largeDib}});

    HICON icon16 = winx::iconFromBytes(file.data(), file.size(), 16);
    HICON icon32 = winx::iconFromBytes(file.data(), file.size(), 32);
    HICON icon24 = winx::iconFromBytes(file.data(), file.size(), 24);
    HICON iconDefault = winx::iconFromBytes(file.data(), file.size(), 0);
    ASSERT_NE(icon16, nullptr);
    ASSERT_NE(icon32, nullptr);
    EXPECT_EQ(winx::iconPixels(icon16)->pixels, small.pixels);
    EXPECT_EQ(winx::iconPixels(icon32)->pixels, large.pixels);
    EXPECT_EQ(winx::iconPixels(icon24)->width, 32) << "a tie goes to the larger entry";
    EXPECT_EQ(winx::iconPixels(iconDefault)->width, 32);
    for (HICON icon : {icon16, icon32, icon24, iconDefault})
        EXPECT_TRUE(DestroyIcon(icon));

    for (std::size_t size = 0; size < file.size(); ++size)
        EXPECT_EQ(winx::iconFromBytes(file.data(), size, 16), nullptr) << size;
}

TEST_F(GdiTest, PngIconEntriesAreMeasuredFromTheirHeader) {
    const ByteVector file = icoFile({{256, 32, pngEntry(256, 256)}, {48, 32, pngEntry(48, 48)}});
    HICON icon = winx::iconFromBytes(file.data(), file.size(), 200);
    ASSERT_NE(icon, nullptr);
    const auto pixels = winx::iconPixels(icon);
    EXPECT_EQ(pixels->width, 256);
    EXPECT_EQ(pixels->height, 256);
    EXPECT_TRUE(pixels->pixels.empty());
    DestroyIcon(icon);

    // Equally far from the asked size at equal depth: the larger one, in either order.
    for (const bool smallFirst : {true, false}) {
        IconEntry small{16, 32, pngEntry(16, 16)};
        IconEntry large{32, 32, pngEntry(32, 32)};
        const ByteVector tie = smallFirst ? icoFile({small, large}) : icoFile({large, small});
        HICON chosen = winx::iconFromBytes(tie.data(), tie.size(), 24);
        EXPECT_EQ(winx::iconPixels(chosen)->width, 32);
        DestroyIcon(chosen);
    }

    ByteVector broken = pngEntry(48, 48);
    broken[13] = 'X';
    const ByteVector badFile = icoFile({{48, 32, broken}});
    EXPECT_EQ(winx::iconFromBytes(badFile.data(), badFile.size(), 48), nullptr);
    const ByteVector notIcon = {0, 0, 3, 0, 1, 0};
    EXPECT_EQ(winx::iconFromBytes(notIcon.data(), notIcon.size(), 16), nullptr);
}

TEST_F(GdiTest, IconPartsAndCopiesAreNewObjectsTheCallerDeletes) {
    Picture picture{8, 8, std::vector<std::uint32_t>(64, kRed)};
    picture.pixels[9] = 0;
    HICON icon = winx::createIcon({8, 8, picture.pixels});
    ASSERT_NE(icon, nullptr);
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(icon, &info));
    EXPECT_TRUE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 4u);
    BITMAP record;
    ASSERT_EQ(GetObject(info.hbmMask, sizeof record, &record), static_cast<int>(sizeof record));
    EXPECT_EQ(record.bmBitsPixel, 1);
    EXPECT_EQ(winx::bitmapPixels(info.hbmMask)->pixels[9], kWhite);
    EXPECT_EQ(winx::bitmapPixels(info.hbmMask)->pixels[0], kBlack);
    EXPECT_EQ(winx::bitmapPixels(info.hbmColor)->pixels, picture.pixels);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);

    HICON bigger = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, 16, 16, 0));
    ASSERT_NE(bigger, nullptr);
    const auto scaled = winx::iconPixels(bigger);
    EXPECT_EQ(scaled->width, 16);
    EXPECT_EQ(scaled->pixels[static_cast<std::size_t>(2 * 16 + 2)], 0u) << "pixel (1,1) doubled";
    EXPECT_EQ(scaled->pixels[static_cast<std::size_t>(3 * 16 + 3)], 0u);
    EXPECT_EQ(CopyImage(icon, IMAGE_ICON, 0, 0, LR_COPYRETURNORG), icon);
    HICON moved = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, 4, 4, LR_COPYDELETEORG));
    EXPECT_FALSE(DestroyIcon(icon)) << "deleted by the copy";
    EXPECT_EQ(CopyImage(icon, IMAGE_ICON, 0, 0, 0), nullptr);
    DestroyIcon(moved);
    DestroyIcon(bigger);
}

// ---- Objects ------------------------------------------------------------------------------------

TEST_F(GdiTest, FontsKeepTheirLogFont) {
    LOGFONT wanted;
    wanted.lfHeight = -11;
    wanted.lfWeight = FW_BOLD;
    wanted.lfItalic = 1;
    wanted.lfCharSet = DEFAULT_CHARSET;
    std::wcscpy(wanted.lfFaceName, L"Arial ƒ");
    HFONT font = CreateFontIndirect(&wanted);
    ASSERT_NE(font, nullptr);
    LOGFONT stored;
    EXPECT_EQ(GetObject(font, 0, nullptr), static_cast<int>(sizeof(LOGFONT)));
    EXPECT_EQ(GetObject(font, 4, &stored), 0);
    ASSERT_EQ(GetObject(font, sizeof stored, &stored), static_cast<int>(sizeof stored));
    EXPECT_EQ(std::memcmp(&stored, &wanted, sizeof stored), 0);
    EXPECT_EQ(GetObjectType(font), OBJ_FONT);

    HFONT made = CreateFont(-13, 0, 0, 0, FW_NORMAL, FALSE, TRUE, FALSE, ANSI_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS,
                            L"A face name longer than thirty-one characters");
    GetObject(made, sizeof stored, &stored);
    EXPECT_EQ(stored.lfHeight, -13);
    EXPECT_EQ(stored.lfUnderline, 1);
    EXPECT_EQ(std::wcslen(stored.lfFaceName), static_cast<std::size_t>(LF_FACESIZE - 1));
    EXPECT_EQ(CreateFontIndirect(nullptr), nullptr);

    EXPECT_TRUE(DeleteObject(font));
    EXPECT_FALSE(DeleteObject(font));
    EXPECT_EQ(GetObject(font, sizeof stored, &stored), 0);
    EXPECT_TRUE(DeleteObject(made));
}

TEST_F(GdiTest, BrushesPensBitmapsAndStockObjectsReportTheirRecords) {
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    LOGBRUSH brushRecord;
    ASSERT_EQ(GetObject(brush, sizeof brushRecord, &brushRecord),
              static_cast<int>(sizeof brushRecord));
    EXPECT_EQ(brushRecord.lbColor, RGB(1, 2, 3));
    EXPECT_EQ(brushRecord.lbStyle, BS_SOLID);
    HPEN pen = CreatePen(PS_DASH, 2, RGB(9, 8, 7));
    LOGPEN penRecord;
    ASSERT_EQ(GetObject(pen, sizeof penRecord, &penRecord), static_cast<int>(sizeof penRecord));
    EXPECT_EQ(penRecord.lopnWidth.x, 2);
    EXPECT_EQ(penRecord.lopnColor, RGB(9, 8, 7));

    HBITMAP bitmap = CreateCompatibleBitmap(nullptr, 30, 20);
    BITMAP record;
    ASSERT_EQ(GetObject(bitmap, sizeof record, &record), static_cast<int>(sizeof record));
    EXPECT_EQ(record.bmWidth, 30);
    EXPECT_EQ(record.bmHeight, 20);
    EXPECT_EQ(record.bmBitsPixel, 32);
    EXPECT_EQ(record.bmWidthBytes, 120);
    EXPECT_EQ(record.bmPlanes, 1);
    EXPECT_EQ(CreateBitmap(0, 5, 1, 32, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(20000, 5, 1, 32, nullptr), nullptr);
    EXPECT_EQ(winx::liveGdiObjects(), liveBefore + 3);

    // Stock objects are shared and survive deletion.
    HGDIOBJ guiFont = GetStockObject(DEFAULT_GUI_FONT);
    ASSERT_NE(guiFont, nullptr);
    EXPECT_EQ(GetStockObject(DEFAULT_GUI_FONT), guiFont);
    EXPECT_TRUE(DeleteObject(guiFont));
    EXPECT_EQ(GetObjectType(guiFont), OBJ_FONT);
    EXPECT_EQ(GetStockObject(9), nullptr);
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), face);
    GetObject(face, sizeof brushRecord, &brushRecord);
    EXPECT_EQ(brushRecord.lbColor, GetSysColor(COLOR_BTNFACE));

    HGDIOBJ invented = reinterpret_cast<HGDIOBJ>(static_cast<std::uintptr_t>(0x777));
    EXPECT_FALSE(DeleteObject(invented));
    EXPECT_EQ(GetObject(invented, sizeof record, &record), 0);
    EXPECT_EQ(GetObjectType(invented), 0u);
    HICON icon = winx::createIcon({1, 1, {kRed}});
    EXPECT_FALSE(DeleteObject(icon)) << "icons are destroyed with DestroyIcon";
    EXPECT_FALSE(DestroyIcon(reinterpret_cast<HICON>(bitmap)));
    DestroyIcon(icon);
    for (HGDIOBJ object :
         {static_cast<HGDIOBJ>(brush), static_cast<HGDIOBJ>(pen), static_cast<HGDIOBJ>(bitmap)})
        EXPECT_TRUE(DeleteObject(object));
}

TEST_F(GdiTest, MemoryContextsSelectObjectsAndReachPixels) {
    HBITMAP bitmap = winx::createBitmap({2, 2, {kRed, kGreen, kBlue, kWhite}});
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    HGDIOBJ original = SelectObject(dc, bitmap);
    ASSERT_NE(original, nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmap);
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(dc, 2, 0), CLR_INVALID);
    EXPECT_EQ(SetPixel(dc, 0, 1, RGB(10, 20, 30)), RGB(10, 20, 30));
    EXPECT_FALSE(DeleteObject(bitmap)) << "still selected";
    HDC other = CreateCompatibleDC(dc);
    EXPECT_EQ(SelectObject(other, bitmap), nullptr) << "a bitmap lives in one context at a time";
    DeleteDC(other);

    EXPECT_EQ(SelectObject(dc, original), bitmap);
    EXPECT_EQ(winx::bitmapPixels(bitmap)->pixels[2], 0xFF0A141Eu);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_TRUE(DeleteObject(bitmap));
}

// ---- Loading from files
// --------------------------------------------------------------------------

TEST_F(GdiTest, LoadImageReadsFilesThroughPlatformPaths) {
    services_test::TempFolder temp;
    services_test::DriveRootScope drives(temp.path());
    const Picture picture = samplePicture({kRed, kGreen, kBlue, kWhite});
    const ByteVector bmp = bmpFile(picture, BmpLayout{});
    ASSERT_TRUE(CreateDirectory(L"c:\\Dialog Design", nullptr));
    ASSERT_TRUE(winx::writeFileAtomically(winx::nativePath(L"c:\\Dialog Design\\¿ƒ•.bmp"),
                                          services_test::asText(bmp)));

    HANDLE loaded = LoadImage(nullptr, L"C:/dialog design/¿ƒ•.BMP", IMAGE_BITMAP, 0, 0,
                              LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(winx::bitmapPixels(static_cast<HBITMAP>(loaded))->pixels, picture.pixels);
    BITMAP record;
    GetObject(loaded, sizeof record, &record);
    EXPECT_EQ(record.bmBitsPixel, 24) << "a DIB section keeps the file's depth";
    DeleteObject(loaded);

    HANDLE stretched =
        LoadImage(nullptr, L"c:\\Dialog Design\\¿ƒ•.bmp", IMAGE_BITMAP, 10, 6, LR_LOADFROMFILE);
    ASSERT_NE(stretched, nullptr);
    const auto pixels = winx::bitmapPixels(static_cast<HBITMAP>(stretched));
    EXPECT_EQ(pixels->width, 10);
    EXPECT_EQ(pixels->pixels[static_cast<std::size_t>(5 * 10 + 9)], picture.at(4, 2));
    DeleteObject(stretched);

    EXPECT_EQ(
        LoadImage(nullptr, L"c:\\Dialog Design\\missing.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE),
        nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    Picture iconPicture{16, 16, std::vector<std::uint32_t>(256, kBlack)};
    BmpLayout mono;
    mono.bitsPerPixel = 1;
    mono.palette = {kBlack, kWhite};
    const ByteVector ico = icoFile({{16, 1, iconDib(iconPicture, mono)}});
    ASSERT_TRUE(
        winx::writeFileAtomically(winx::nativePath(L"c:\\x.ico"), services_test::asText(ico)));
    HANDLE ownSize = LoadImage(nullptr, L"c:\\x.ico", IMAGE_ICON, 0, 0, LR_LOADFROMFILE);
    HANDLE defaultSize =
        LoadImage(nullptr, L"c:\\x.ico", IMAGE_ICON, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE);
    ASSERT_NE(ownSize, nullptr);
    ASSERT_NE(defaultSize, nullptr);
    EXPECT_EQ(winx::iconPixels(static_cast<HICON>(ownSize))->width, 16);
    EXPECT_EQ(winx::iconPixels(static_cast<HICON>(defaultSize))->width, 32);
    EXPECT_EQ(LoadImage(nullptr, L"c:\\x.ico", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    DestroyIcon(static_cast<HICON>(ownSize));
    DestroyIcon(static_cast<HICON>(defaultSize));

    // Without LR_LOADFROMFILE the window system's resource loader answers.
    static int asked = 0;
    winx::setResourceImageLoader([](HINSTANCE, LPCWSTR, UINT, int, int, UINT) -> HANDLE {
        ++asked;
        return nullptr;
    });
    EXPECT_EQ(LoadImage(nullptr, MAKEINTRESOURCE(8134), IMAGE_BITMAP, 0, 0, 0), nullptr);
    EXPECT_EQ(asked, 1);
    winx::setResourceImageLoader(nullptr);
}

} // namespace
