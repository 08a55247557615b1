#include "selector_box.h"

#include <QCompleter>
#include <QLineEdit>

SelectorBox::SelectorBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    // A turn of the mouse wheel over the box must neither take the focus nor change the choice.
    setFocusPolicy(Qt::StrongFocus);
    setInsertPolicy(QComboBox::NoInsert);
    completer()->setCompletionMode(QCompleter::InlineCompletion);
    completer()->setCaseSensitivity(Qt::CaseInsensitive);
    connect(this, &QComboBox::currentTextChanged, this, &SelectorBox::changed);
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
