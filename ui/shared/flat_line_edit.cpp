#include "ui/shared/flat_line_edit.h"

#include "ui/shared/flat_border.h"

#include <QPalette>

FlatLineEdit::FlatLineEdit(const Look& look, QWidget* parent)
    : QLineEdit(parent), m_border(look.border),
      m_focusBorder(look.focusBorder.isValid() ? look.focusBorder : look.border) {
    // Without a frame of the style's, the box fills itself with its base colour and its text
    // starts at its edge; the margins keep the text clear of the border drawn over that edge.
    setFrame(false);
    setTextMargins(1, 1, 1, 1);
    QPalette colours = palette();
    colours.setColor(QPalette::Text, look.text);
    colours.setColor(QPalette::Base, look.background);
    setPalette(colours);
}

void FlatLineEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    // A read-only box shows no text cursor: its border says where the keyboard is.
    paintFlatBorder(*this, hasFocus() ? m_focusBorder : m_border);
}
