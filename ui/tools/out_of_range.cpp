#include "ui/tools/out_of_range.h"

#include "core/rounded_figure.h"
#include "ui/shared/number_text.h"

QString shownFigure(const tactora::RoundedFigure& figure, FigureSign sign) {
    const std::optional<std::string> text = tactora::figureText(figure, decimalSeparator());
    if (!text) {
        return outOfRangeMark();
    }
    const bool plus = sign == FigureSign::Signed && !figure.negative() && !figure.isZero();
    return (plus ? QStringLiteral("+") : QString()) + QString::fromStdString(*text);
}
