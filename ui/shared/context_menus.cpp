#include "ui/shared/context_menus.h"

#include "ui/shared/number_box.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>

namespace {

class ShiftF10Opener final : public QObject {
public:
    explicit ShiftF10Opener(QWidget& widget) : QObject(&widget), m_widget(widget) {
        widget.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &m_widget || event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F10 || key->modifiers() != Qt::ShiftModifier) {
            return false;
        }
        const QPoint inside(m_widget.width() / 2, m_widget.height() / 2);
        QContextMenuEvent request(QContextMenuEvent::Keyboard, inside, m_widget.mapToGlobal(inside));
        QCoreApplication::sendEvent(&m_widget, &request);
        return true;
    }

private:
    QWidget& m_widget;
};

} // namespace

void openContextMenuWithShiftF10(QWidget& widget) {
    new ShiftF10Opener(widget);
}

void extendContextMenu(QLineEdit& box) {
    box.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&box, &QWidget::customContextMenuRequested, &box, [&box](const QPoint& pos) {
        // The menu is made afresh each time, as the box's own would be, so that its
        // standard items are enabled as the box's state is now. It belongs to the box,
        // which may go while the menu is open.
        const QPointer<QMenu> menu = box.createStandardContextMenu();
        adjustNumberBoxMenu(box, *menu);
        if (!box.actions().isEmpty()) {
            menu->addSeparator();
            menu->addActions(box.actions());
        }
        menu->exec(box.mapToGlobal(pos));
        delete menu.data();
    });
    openContextMenuWithShiftF10(box);
}
