#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

#include <cstdint>

// The colours the windows share, each written once, as 0x00BBGGRR values: the order in which
// the gradient painter takes them.
namespace palette {

inline constexpr std::uint32_t black = 0x00000000;
inline constexpr std::uint32_t darkGrey = 0x00404040;
inline constexpr std::uint32_t grey = 0x00808080;
inline constexpr std::uint32_t silver = 0x00C0C0C0;
inline constexpr std::uint32_t teal = 0x00808000;
inline constexpr std::uint32_t white = 0x00FFFFFF;

// The calculator windows' background runs from the back colour on the left to the fill
// colour on the right.
inline constexpr std::uint32_t calculatorBack = darkGrey;
inline constexpr std::uint32_t calculatorFill = grey;

// The information windows run from silver at the top to teal at the bottom.
inline constexpr std::uint32_t informationBack = silver;
inline constexpr std::uint32_t informationFill = teal;

// The metronome's lamps and flash: the beat heard, a count-in beat, a beat of a muted bar.
inline constexpr std::uint32_t beatLight = 0x0020D0FF;
inline constexpr std::uint32_t countInLight = 0x00FFC030;
inline constexpr std::uint32_t mutedLight = 0x00909090;

inline QColor toQColor(std::uint32_t colour) {
    return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
                  static_cast<int>((colour >> 16) & 0xFFu));
}

// Gives one role of a widget's palette one of these colours; its children take it too.
inline void setColour(QWidget& widget, QPalette::ColorRole role, std::uint32_t colour) {
    QPalette coloured = widget.palette();
    coloured.setColor(role, toQColor(colour));
    widget.setPalette(coloured);
}

} // namespace palette
