#include "ico_writer.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace icon {

namespace {

// The 16 colours every Windows display could show, in the order of the standard palette.
constexpr std::array<Rgb, 16> classicPalette{{
    {0x00, 0x00, 0x00},
    {0x80, 0x00, 0x00},
    {0x00, 0x80, 0x00},
    {0x80, 0x80, 0x00},
    {0x00, 0x00, 0x80},
    {0x80, 0x00, 0x80},
    {0x00, 0x80, 0x80},
    {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80},
    {0xFF, 0x00, 0x00},
    {0x00, 0xFF, 0x00},
    {0xFF, 0xFF, 0x00},
    {0x00, 0x00, 0xFF},
    {0xFF, 0x00, 0xFF},
    {0x00, 0xFF, 0xFF},
    {0xFF, 0xFF, 0xFF},
}};

std::uint8_t paletteIndex(const Rgb& colour) {
    const auto found = std::find(classicPalette.begin(), classicPalette.end(), colour);
    if (found == classicPalette.end()) {
        throw std::runtime_error("colour outside the 16 classic Windows colours");
    }
    return static_cast<std::uint8_t>(found - classicPalette.begin());
}

// Bitmap rows are padded to whole 32-bit words.
std::uint32_t rowBytes(int width, int bitsPerPixel) {
    return static_cast<std::uint32_t>((width * bitsPerPixel + 31) / 32 * 4);
}

constexpr std::uint32_t iconDirSize = 6;
constexpr std::uint32_t iconDirEntrySize = 16;
constexpr std::uint32_t bitmapInfoHeaderSize = 40;
constexpr std::uint32_t paletteSize = 16 * 4;

} // namespace

Bytes writeIco(const IconImage& image) {
    if (image.width > 256 || image.height > 256) {
        throw std::runtime_error("an icon image is at most 256 x 256 pixels");
    }
    const std::uint32_t colourRow = rowBytes(image.width, 4);
    const std::uint32_t maskRow = rowBytes(image.width, 1);
    const auto height = static_cast<std::uint32_t>(image.height);
    const std::uint32_t imageSize = bitmapInfoHeaderSize + paletteSize + (colourRow + maskRow) * height;

    Bytes out;
    // ICONDIR: reserved, type 1 (icon), one image.
    appendLe16(out, 0);
    appendLe16(out, 1);
    appendLe16(out, 1);
    // ICONDIRENTRY; a size of 256 is written as 0.
    out.push_back(static_cast<std::uint8_t>(image.width & 0xFF));
    out.push_back(static_cast<std::uint8_t>(image.height & 0xFF));
    out.push_back(16);  // colours in the palette
    out.push_back(0);   // reserved
    appendLe16(out, 1); // planes
    appendLe16(out, 4); // bits a pixel
    appendLe32(out, imageSize);
    appendLe32(out, iconDirSize + iconDirEntrySize);

    // BITMAPINFOHEADER; the height counts the colour bitmap and the mask together.
    appendLe32(out, bitmapInfoHeaderSize);
    appendLe32(out, static_cast<std::uint32_t>(image.width));
    appendLe32(out, 2 * height);
    appendLe16(out, 1); // planes
    appendLe16(out, 4); // bits a pixel
    appendLe32(out, 0); // no compression
    appendLe32(out, (colourRow + maskRow) * height);
    appendLe32(out, 0); // horizontal resolution: unspecified
    appendLe32(out, 0); // vertical resolution: unspecified
    appendLe32(out, 0); // all 16 palette entries are used
    appendLe32(out, 0); // all colours are important

    for (const Rgb& colour : classicPalette) {
        out.push_back(colour.blue);
        out.push_back(colour.green);
        out.push_back(colour.red);
        out.push_back(0);
    }

    // The colour bitmap, bottom row first, two pixels a byte with the left one in the high nibble.
    for (int y = image.height - 1; y >= 0; --y) {
        Bytes row(colourRow, 0);
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t index = paletteIndex(image.at(x, y));
            row[static_cast<std::size_t>(x / 2)] |=
                static_cast<std::uint8_t>(x % 2 == 0 ? index << 4 : index);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    // The AND mask: every bit clear, so every pixel is drawn.
    out.insert(out.end(), static_cast<std::size_t>(maskRow * height), 0);
    return out;
}

} // namespace icon
