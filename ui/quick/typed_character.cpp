#include "ui/quick/typed_character.h"

#include <QKeyEvent>

std::optional<char32_t> typedCharacter(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool altGr = modifiers.testFlags(Qt::ControlModifier | Qt::AltModifier);
    const bool chord = modifiers.testFlag(Qt::MetaModifier) ||
                       (!altGr && modifiers.testAnyFlags(Qt::ControlModifier | Qt::AltModifier));
    const QList<uint> characters = event.text().toUcs4();
    if (chord || characters.size() != 1) {
        return std::nullopt;
    }
    return static_cast<char32_t>(characters.front());
}
