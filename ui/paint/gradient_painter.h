#pragma once

#include <cstdint>

class QImage;

// The background painter every window uses: a two-colour linear gradient over the
// window's whole inner area, with the records and call shape of the Windows GradientFill.
namespace paint {

// One corner of the gradient and its colour, 16 bits a channel.
struct TRIVERTEX {
    std::int32_t x;
    std::int32_t y;
    std::uint16_t Red;
    std::uint16_t Green;
    std::uint16_t Blue;
    std::uint16_t Alpha;
};
static_assert(sizeof(TRIVERTEX) == 16);

// Which two vertices are the opposite corners of the rectangle.
struct GRADIENT_RECT {
    std::uint32_t UpperLeft;
    std::uint32_t LowerRight;
};
static_assert(sizeof(GRADIENT_RECT) == 8);

inline constexpr std::uint32_t GRADIENT_FILL_RECT_H = 0; // first colour at the left edge
inline constexpr std::uint32_t GRADIENT_FILL_RECT_V = 1; // first colour at the top edge

// Colours are 0x00BBGGRR: byte 0 red, byte 1 green, byte 2 blue; byte 3 is ignored.
TRIVERTEX MakeVertex(std::int32_t x, std::int32_t y, std::uint32_t colour);

// Fills each rectangle of the target with a linear blend between its two corner colours,
// left to right or top to bottom. Returns false when the arguments name no valid rectangle.
bool GradientFill(QImage& target, const TRIVERTEX* vertices, std::uint32_t vertexCount,
                  const GRADIENT_RECT* rects, std::uint32_t rectCount, std::uint32_t mode);

// Fills (0, 0)-(width, height) of the target from the first colour to the second.
void PaintGradient(QImage& target, std::uint32_t firstColour, std::uint32_t secondColour, std::int32_t width,
                   std::int32_t height, std::uint32_t mode);

} // namespace paint
