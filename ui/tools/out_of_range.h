#pragma once

#include <QString>

// What a figure shows when it cannot be computed or does not fit: never inf or nan.
inline QString outOfRangeMark() {
    return QStringLiteral("out of range");
}
