#include "ui/info/info_label.h"

#include <QEvent>
#include <QPalette>

#include <algorithm>

namespace {

// QLabel breaks lines at "\n" only; a CR left in the text would show as a blank glyph.
QString shownText(const QString& caption) {
    QString shown = caption;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

} // namespace

InfoLabel::InfoLabel(QWidget* parent) : QLabel(parent) {
    // Plain text: the key table lines are aligned with leading and inner blanks, which rich
    // text would collapse.
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setMargin(0);
    setIndent(0);
    setAlignment(Qt::AlignTop | Qt::AlignLeft);
    // No background of its own, so the window's gradient shows through.
    setAutoFillBackground(false);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
}

void InfoLabel::setCaption(const QString& caption) {
    m_caption = caption;
    const QString shown = shownText(caption);
    setText(shown);
    // Read out what the line says, not the control's name.
    setAccessibleName(shown);
    fitHeightToText();
}

void InfoLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        fitHeightToText();
    }
}

void InfoLabel::fitHeightToText() {
    // An empty label has no text height of its own; it keeps the height of one line.
    const int height = std::max(heightForWidth(width()), fontMetrics().height());
    resize(width(), height);
}
