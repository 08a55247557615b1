#include "ui/shared/resource_text.h"

#include "resources/string_table.h"

QString LoadResString(int id) {
    const std::string_view text = tactora::resourceString(id);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
