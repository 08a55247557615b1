#include "ui/tools/entry_refusal.h"

#include "ui/shared/number_text.h"

#include <QLineEdit>
#include <QLocale>

#include <limits>

double readOrNan(const QLineEdit& entry) {
    return fromUserText(entry.text()).value_or(std::numeric_limits<double>::quiet_NaN());
}

QString refusal(const QString& name, const QLineEdit& entry, std::optional<double> limit) {
    const std::optional<double> value = fromUserText(entry.text());
    if (!value) {
        return QStringLiteral("%1 is not a number.").arg(name);
    }
    if (limit && *value > *limit) {
        return QStringLiteral("%1 must be at most %2.").arg(name, QLocale().toString(*limit, 'f', 0));
    }
    return QStringLiteral("%1 must be greater than zero.").arg(name);
}

void fillUntyped(QLineEdit& entry, double value) {
    if (!entry.isModified()) {
        entry.setText(toDisplayText(value));
    }
}
