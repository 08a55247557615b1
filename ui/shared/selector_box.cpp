#include "ui/shared/selector_box.h"

#include "ui/shared/flat_border.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>
#include <QPainter>
#include <QScopedValueRollback>
#include <QStyleOptionComboBox>

namespace {

// The button of the list: 16 pixels wide, inside the border at the right.
QRect listButton(const QRect& box) {
    return {box.right() - 16, box.top() + 1, 16, box.height() - 2};
}

} // namespace

SelectorBox::SelectorBox(const Look& look, QWidget* parent) : QComboBox(parent), m_look(look) {
    QPalette colours = palette();
    for (const auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}) {
        colours.setColor(role, look.text);
    }
    for (const auto role : {QPalette::Base, QPalette::Button, QPalette::Window}) {
        colours.setColor(role, Qt::transparent);
    }
    setPalette(colours);

    // An editable box, made by handing it its line edit: setEditable() would also build the
    // list at once, which the box builds anyway the first time it is opened.
    auto* edit = new QLineEdit(this);
    // Given to the line edit itself too: Windows' style paints a line edit's own background
    // unless the line edit's palette sets its base colour, inherited or not.
    edit->setPalette(colours);
    // Handed a line edit without a completer, the box would make one tied to its items at
    // once, the dearest part of a selector to make; only typing needs it, so it is tied to
    // the items when the box first takes the focus.
    edit->setCompleter(new QCompleter(edit));
    setLineEdit(edit);
    // The style sets the line edit inside a frame of its own; the text is to start right
    // inside the one-pixel border instead, as in the flat text boxes.
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    edit->setTextMargins(1 - field.left(), 0, 0, 0);
    // A turn of the mouse wheel over the box must neither take the focus nor change the choice.
    setFocusPolicy(Qt::StrongFocus);
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::currentTextChanged, this, &SelectorBox::followText);
}

// The inline completion keeps the letters as typed ("c" gives "cycles per second"), and the
// combo box respells a text that matches an item as the item when the box loses the focus.
// Left for then, that second change would come while the message of the first one takes
// the focus, so two messages would stand open at once. Respelling at once, silently,
// makes one typed key one change.
void SelectorBox::followText(const QString& text) {
    if (m_respelling || m_keyInProgress) {
        return;
    }
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
    if (m_locked) {
        return;
    }
    // The list would take the box's colours, made for the gradient behind it.
    QPalette colours = view()->palette();
    colours.setColor(QPalette::Text, m_look.listText);
    colours.setColor(QPalette::Base, m_look.listBackground);
    view()->setPalette(colours);
    QComboBox::showPopup();
}

void SelectorBox::focusInEvent(QFocusEvent* event) {
    QCompleter* completion = completer();
    if (completion->model() == nullptr) {
        completion->setModel(model());
        completion->setCompletionMode(QCompleter::InlineCompletion);
        completion->setCaseSensitivity(Qt::CaseInsensitive);
        // Lets a completion chosen from the completer select its item.
        setCompleter(completion);
    }
    QComboBox::focusInEvent(event);
}

void SelectorBox::paintEvent(QPaintEvent* /*event*/) {
    paintFlatBorder(*this, m_look.border);
    QPainter painter(this);
    QStyleOption arrow;
    arrow.initFrom(this);
    arrow.rect = listButton(rect()).adjusted(3, 3, -3, -3);
    style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &painter, this);
}

// A typed letter changes the text twice, first to the letters typed and then to the item
// they complete to, and the letters alone may match no item. To the user it is one change,
// reported once the key has done all it does, and none when it comes back to the same text.
void SelectorBox::keyPressEvent(QKeyEvent* event) {
    if (m_locked) {
        return;
    }
    const QString before = currentText();
    {
        const QScopedValueRollback keyInProgress(m_keyInProgress, true);
        QComboBox::keyPressEvent(event);
    }
    respell(currentText());
    if (currentText() != before) {
        emit changed();
    }
}

void SelectorBox::wheelEvent(QWheelEvent* event) {
    if (m_locked) {
        return;
    }
    QComboBox::wheelEvent(event);
}
