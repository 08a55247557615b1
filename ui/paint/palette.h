#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

#include <cstdint>

// The colours the windows share, each written once, as 0x00BBGGRR values: the order in which
// the gradient painter takes them.
namespace palette {

inline constexpr std::uint32_t Black = 0x00000000;
inline constexpr std::uint32_t DarkGrey = 0x00404040;
inline constexpr std::uint32_t Grey = 0x00808080;
inline constexpr std::uint32_t Silver = 0x00C0C0C0;
inline constexpr std::uint32_t Teal = 0x00808000;
inline constexpr std::uint32_t White = 0x00FFFFFF;

// The calculator windows' background runs from the back colour on the left to the fill
// colour on the right.
inline constexpr std::uint32_t CalculatorBack = DarkGrey;
inline constexpr std::uint32_t CalculatorFill = Grey;

// The information windows run from silver at the top to teal at the bottom.
inline constexpr std::uint32_t InformationBack = Silver;
inline constexpr std::uint32_t InformationFill = Teal;

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
