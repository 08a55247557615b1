#include "ui/paint/gradient_painter.h"

#include "core/whole_number.h"

#include <QColor>
#include <QImage>
#include <QRect>

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <span>
#include <vector>

namespace paint {

namespace {

// 65535 / (255 / c) is c * 257 for every byte from 1 to 255, which copies the byte into
// both halves of the channel. A zero byte would divide by zero; the channel then keeps 0.
std::uint16_t wideChannel(std::uint8_t byte) {
    if (byte == 0) {
        return 0;
    }
    const std::optional<std::int32_t> whole = tactora::toWhole(65535.0 / (255.0 / byte));
    return whole ? static_cast<std::uint16_t>(static_cast<std::uint32_t>(*whole) & 0xFFFFu) : 0;
}

struct WideColour {
    std::int64_t red;
    std::int64_t green;
    std::int64_t blue;
};

WideColour colourOf(const TRIVERTEX& vertex) {
    return {vertex.Red, vertex.Green, vertex.Blue};
}

// The colour `step` of `span` of the way from `from` to `to`, 16 bits a channel, shown as
// the high byte of each channel.
QRgb blend(const WideColour& from, const WideColour& to, std::int64_t step, std::int64_t span) {
    const auto channel = [step, span](std::int64_t a, std::int64_t b) {
        return static_cast<int>((a + (b - a) * step / span) >> 8);
    };
    return qRgb(channel(from.red, to.red), channel(from.green, to.green), channel(from.blue, to.blue));
}

bool isValid(const GRADIENT_RECT& rect, const TRIVERTEX* vertices, std::uint32_t vertexCount) {
    if (rect.UpperLeft >= vertexCount || rect.LowerRight >= vertexCount) {
        return false;
    }
    const TRIVERTEX& first = vertices[rect.UpperLeft];
    const TRIVERTEX& second = vertices[rect.LowerRight];
    return first.x != second.x && first.y != second.y;
}

bool holdsPlainRgb32(const QImage& image) {
    // Opaque colours are stored alike in all three, so whole lines can be written directly.
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return true;
    default:
        return false;
    }
}

// Writes colours into one row of the target, from column `left` on.
void writeRow(QImage& target, int y, int left, std::span<const QRgb> colours) {
    if (holdsPlainRgb32(target)) {
        auto* row = reinterpret_cast<QRgb*>(target.scanLine(y)) + left;
        std::memcpy(row, colours.data(), colours.size_bytes());
        return;
    }
    for (std::size_t i = 0; i < colours.size(); ++i) {
        target.setPixelColor(left + static_cast<int>(i), y, QColor(colours[i]));
    }
}

void fillRect(QImage& target, const TRIVERTEX& first, const TRIVERTEX& second, std::uint32_t mode) {
    const QRect corners(QPoint(std::min(first.x, second.x), std::min(first.y, second.y)),
                        QPoint(std::max(first.x, second.x) - 1, std::max(first.y, second.y) - 1));
    const QRect area = corners.intersected(target.rect());
    if (area.isEmpty()) {
        return;
    }
    const WideColour from = colourOf(first);
    const WideColour to = colourOf(second);
    std::vector<QRgb> line(static_cast<std::size_t>(area.width()));

    if (mode == GRADIENT_FILL_RECT_H) {
        // Every row is the same line of colours: work it out once and copy it down.
        const std::int64_t span = std::int64_t{second.x} - first.x;
        for (int x = area.left(); x <= area.right(); ++x) {
            line[static_cast<std::size_t>(x - area.left())] =
                blend(from, to, std::int64_t{x} - first.x, span);
        }
        for (int y = area.top(); y <= area.bottom(); ++y) {
            writeRow(target, y, area.left(), line);
        }
        return;
    }
    const std::int64_t span = std::int64_t{second.y} - first.y;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        std::fill(line.begin(), line.end(), blend(from, to, std::int64_t{y} - first.y, span));
        writeRow(target, y, area.left(), line);
    }
}

} // namespace

TRIVERTEX MakeVertex(std::int32_t x, std::int32_t y, std::uint32_t colour) {
    const std::array<std::uint8_t, 3> bytes{static_cast<std::uint8_t>(colour & 0xFFu),
                                            static_cast<std::uint8_t>((colour >> 8) & 0xFFu),
                                            static_cast<std::uint8_t>((colour >> 16) & 0xFFu)};
    return TRIVERTEX{x, y, wideChannel(bytes[0]), wideChannel(bytes[1]), wideChannel(bytes[2]), 0};
}

bool GradientFill(QImage& target, const TRIVERTEX* vertices, std::uint32_t vertexCount,
                  const GRADIENT_RECT* rects, std::uint32_t rectCount, std::uint32_t mode) {
    if (target.isNull() || vertices == nullptr || rects == nullptr || rectCount == 0 ||
        (mode != GRADIENT_FILL_RECT_H && mode != GRADIENT_FILL_RECT_V)) {
        return false;
    }
    // Every rectangle is checked before any is painted, so a refused call leaves the image as it was.
    const bool allValid =
        std::all_of(rects, rects + rectCount, [vertices, vertexCount](const GRADIENT_RECT& rect) {
            return isValid(rect, vertices, vertexCount);
        });
    if (!allValid) {
        return false;
    }
    std::for_each(rects, rects + rectCount, [&](const GRADIENT_RECT& rect) {
        fillRect(target, vertices[rect.UpperLeft], vertices[rect.LowerRight], mode);
    });
    return true;
}

void PaintGradient(QImage& target, std::uint32_t firstColour, std::uint32_t secondColour, std::int32_t width,
                   std::int32_t height, std::uint32_t mode) {
    const std::array<TRIVERTEX, 2> vertices{MakeVertex(0, 0, firstColour),
                                            MakeVertex(width, height, secondColour)};
    const GRADIENT_RECT rect{0, 1};
    // A refused fill leaves the surface unpainted; there is nobody to tell.
    static_cast<void>(
        GradientFill(target, vertices.data(), static_cast<std::uint32_t>(vertices.size()), &rect, 1, mode));
}

} // namespace paint
