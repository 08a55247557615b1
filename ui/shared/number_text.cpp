#include "ui/shared/number_text.h"

#include "core/number_format.h"
#include "core/number_parse.h"

#include <QLocale>

std::string decimalSeparator() {
    return QLocale().decimalPoint().toStdString();
}

QString toDisplayText(double value) {
    return QString::fromStdString(tactora::formatNumber(value, decimalSeparator()));
}

QString toFixedText(double value, int places) {
    return QString::number(value, 'f', places)
        .replace(QLatin1Char('.'), QString::fromStdString(decimalSeparator()));
}

std::optional<double> fromUserText(const QString& text) {
    return tactora::parseNumber(text.toStdString(), decimalSeparator());
}
