#include "png_writer.h"

#include <algorithm>
#include <array>

namespace icon {

namespace {

std::uint32_t crc32(const std::uint8_t* data, std::size_t size) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> entries{};
        for (std::uint32_t n = 0; n < entries.size(); ++n) {
            std::uint32_t c = n;
            for (int bit = 0; bit < 8; ++bit) {
                c = (c & 1u) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            entries[n] = c;
        }
        return entries;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc = table[(crc ^ data[i]) & 0xFFu] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

std::uint32_t adler32(const Bytes& data) {
    constexpr std::uint32_t modulus = 65521;
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const std::uint8_t byte : data) {
        a = (a + byte) % modulus;
        b = (b + a) % modulus;
    }
    return (b << 16) | a;
}

// A chunk is its length, its type, its data and a CRC over type and data.
void appendChunk(Bytes& out, std::string_view type, const Bytes& data) {
    appendBe32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeStart = out.size();
    appendText(out, type);
    out.insert(out.end(), data.begin(), data.end());
    appendBe32(out, crc32(out.data() + typeStart, out.size() - typeStart));
}

// The scanlines, each led by filter type 0 (none).
Bytes scanlines(const IconImage& image) {
    Bytes raw;
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < image.width; ++x) {
            const Rgb& pixel = image.at(x, y);
            raw.insert(raw.end(), {pixel.red, pixel.green, pixel.blue});
        }
    }
    return raw;
}

// A zlib stream of stored deflate blocks, each at most 65535 bytes long.
Bytes zlibStored(const Bytes& raw) {
    constexpr std::size_t maxBlock = 65535;
    Bytes out{0x78, 0x01}; // deflate, 32 KiB window, no dictionary; the check bits make it a multiple of 31
    std::size_t offset = 0;
    do {
        const std::size_t length = std::min(maxBlock, raw.size() - offset);
        const bool last = offset + length == raw.size();
        out.push_back(last ? 1 : 0); // BFINAL, BTYPE 00 = stored
        appendLe16(out, static_cast<std::uint32_t>(length));
        appendLe16(out, static_cast<std::uint32_t>(~length & 0xFFFFu));
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(offset),
                   raw.begin() + static_cast<std::ptrdiff_t>(offset + length));
        offset += length;
    } while (offset < raw.size());
    appendBe32(out, adler32(raw));
    return out;
}

} // namespace

Bytes writePng(const IconImage& image) {
    Bytes out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

    Bytes header;
    appendBe32(header, static_cast<std::uint32_t>(image.width));
    appendBe32(header, static_cast<std::uint32_t>(image.height));
    header.insert(header.end(),
                  {8, 2, 0, 0, 0}); // 8 bits a channel, RGB, deflate, standard filters, no interlace
    appendChunk(out, "IHDR", header);
    appendChunk(out, "IDAT", zlibStored(scanlines(image)));
    appendChunk(out, "IEND", {});
    return out;
}

} // namespace icon
