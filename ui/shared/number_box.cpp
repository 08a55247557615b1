#include "ui/shared/number_box.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

namespace {

// Only the ends: a break or tab inside the text is still the user's to see refused.
QString withoutLineEnds(QString text) {
    const auto isLineEnd = [](QChar c) { return c == u'\n' || c == u'\r' || c == u'\t'; };
    while (!text.isEmpty() && isLineEnd(text.back())) {
        text.chop(1);
    }
    while (!text.isEmpty() && isLineEnd(text.front())) {
        text.remove(0, 1);
    }
    return text;
}

void copyWhole(const QLineEdit& box) {
    if (box.hasSelectedText()) {
        box.copy();
    } else if (box.echoMode() == QLineEdit::Normal) {
        QGuiApplication::clipboard()->setText(box.text());
    }
}

void paste(QLineEdit& box, QClipboard::Mode mode) {
    if (!box.isReadOnly()) {
        box.insert(withoutLineEnds(QGuiApplication::clipboard()->text(mode)));
    }
}

class NumberBox final : public QObject {
public:
    explicit NumberBox(QLineEdit& box) : QObject(&box), m_box(box) { box.installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &m_box) {
            return false;
        }
        switch (event->type()) {
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->matches(QKeySequence::Copy)) {
                copyWhole(m_box);
                return true;
            }
            if (key->matches(QKeySequence::Paste)) {
                paste(m_box, QClipboard::Clipboard);
                return true;
            }
            return false;
        }
        case QEvent::MouseButtonDblClick:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                m_box.selectAll();
                return true;
            }
            return false;
        case QEvent::MouseButtonRelease:
            // The X11 selection is pasted by the middle button.
            if (static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton &&
                QGuiApplication::clipboard()->supportsSelection()) {
                paste(m_box, QClipboard::Selection);
                return true;
            }
            return false;
        default:
            return false;
        }
    }

private:
    QLineEdit& m_box;
};

// The standard menu's items, told by their text as the line edit writes it, before the tab
// that precedes the shortcut.
bool isItem(const QAction& action, const char* text) {
    return action.text().section(u'\t', 0, 0) == QCoreApplication::translate("QLineEdit", text);
}

} // namespace

void makeNumberBox(QLineEdit& box) {
    new NumberBox(box);
}

void adjustNumberBoxMenu(QLineEdit& box, QMenu& menu) {
    for (QAction* action : menu.actions()) {
        if (isItem(*action, "&Copy")) {
            QObject::disconnect(action, &QAction::triggered, &box, nullptr);
            action->setEnabled(!box.text().isEmpty() && box.echoMode() == QLineEdit::Normal);
            QObject::connect(action, &QAction::triggered, &box, [&box] { copyWhole(box); });
        } else if (isItem(*action, "&Paste")) {
            QObject::disconnect(action, &QAction::triggered, &box, nullptr);
            QObject::connect(action, &QAction::triggered, &box,
                             [&box] { paste(box, QClipboard::Clipboard); });
        }
    }
}
