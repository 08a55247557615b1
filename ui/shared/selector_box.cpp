#include "ui/shared/selector_box.h"

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
    if (m_respelling || m_keyInProgress)
        return;
    respell(text);
    emit changed();
}

void SelectorBox::respell(const QString& text) {
    const int item = findText(text, Qt::MatchFixedString);
    if (item >= 0 && (item != currentIndex() || itemText(item) != text)) {
        const QScopedValueRollback respelling(m_respelling, true);
        setCurrentIndex(item);
    }
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

// A typed letter changes the text twice, first to the letters typed and then to the item
// they complete to, and the letters alone may match no item. To the user it is one change,
// reported once the key has done all it does, and none when it comes back to the same text.
void SelectorBox::keyPressEvent(QKeyEvent* event) {
    if (m_locked)
        return;
    const QString before = currentText();
    {
        const QScopedValueRollback keyInProgress(m_keyInProgress, true);
        QComboBox::keyPressEvent(event);
    }
    respell(currentText());
    if (currentText() != before)
        emit changed();
}

void SelectorBox::wheelEvent(QWheelEvent* event) {
    if (m_locked)
        return;
    QComboBox::wheelEvent(event);
}
