#pragma once

#include <QString>

namespace tactora {
class RoundedFigure;
}

// What a figure shows when it cannot be computed or does not fit: never inf or nan.
inline QString outOfRangeMark() {
    return QStringLiteral("out of range");
}

// A figure as the tool windows show it, with the locale's decimal separator, or the
// out-of-range mark. A change shows its direction: with signed, "+5" is faster, "-5" slower.
enum class FigureSign { AsIs, Signed };
QString shownFigure(const tactora::RoundedFigure& figure, FigureSign sign = FigureSign::AsIs);
