#include "selector_box.h"

#include <QCompleter>
#include <QLineEdit>
#include <QScopedValueRollback>

SelectorBox::SelectorBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    // A turn of the mouse wheel over the box must neither take the focus nor change the choice.
    setFocusPolicy(Qt::StrongFocus);
    setInsertPolicy(QComboBox::NoInsert);
    completer()->setCompletionMode(QCompleter::InlineCompletion);
    completer()->setCaseSensitivity(Qt::CaseInsensitive);
    connect(this, &QComboBox::currentTextChanged, this, &SelectorBox::followText);
}

// The inline completion keeps the letters as typed ("c" gives "cycles per second"), and the
// combo box respells a text that matches an item as the item when the box loses the focus.
// Left for then, that second change would come while the message of the first one takes
// the focus, so two messages would stand open at once. Respelling at once, silently,
// makes one typed key one change.
void SelectorBox::followText(const QString& text) {
    if (m_respelling)
        return;
    const int item = findText(text, Qt::MatchFixedString);
    if (item >= 0 && (item != currentIndex() || itemText(item) != text)) {
        const QScopedValueRollback respelling(m_respelling, true);
        setCurrentIndex(item);
    }
    emit changed();
}

void SelectorBox::setLocked(bool locked) {
    m_locked = locked;
    lineEdit()->setReadOnly(locked);
}

int SelectorBox::selectedIndex() const {
    return findText(currentText(), Qt::MatchFixedString);
}

void SelectorBox::showPopup() {
    if (!m_locked)
        QComboBox::showPopup();
}

void SelectorBox::keyPressEvent(QKeyEvent* event) {
    if (m_locked)
        return;
    QComboBox::keyPressEvent(event);
}

void SelectorBox::wheelEvent(QWheelEvent* event) {
    if (m_locked)
        return;
    QComboBox::wheelEvent(event);
}
