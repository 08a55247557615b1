#include "focus_validation.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

// The control that Tab or Shift+Tab would move to, found as Qt finds it: the next widget
// in the focus chain of the same window that accepts tab focus.
QWidget* tabTarget(QWidget* from, bool forward) {
    QWidget* window = from->window();
    for (QWidget* w = from;;) {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (w == from)
            return nullptr;
        const bool takesTab = (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
        if (w->window() == window && takesTab && w->isVisibleTo(window) && w->isEnabled() && !w->focusProxy())
            return w;
    }
}

} // namespace

FocusValidation::FocusValidation(QWidget& window) : QObject(&window), m_window(window) {
    // Application-wide, because a click is delivered to the control clicked, which may be
    // any child of the window.
    qApp->installEventFilter(this);
}

void FocusValidation::setValidator(QWidget& control, Validator validator) {
    m_validators[&control] = std::move(validator);
}

void FocusValidation::setRequestsValidation(QWidget& control) {
    m_requesters.insert(&control);
}

QWidget* FocusValidation::requesterAt(QWidget* widget) const {
    for (QWidget* w = widget; w && w != &m_window; w = w->parentWidget()) {
        if (m_requesters.contains(w))
            return w;
    }
    return nullptr;
}

bool FocusValidation::moveIsCancelled(QWidget* target) {
    QWidget* current = QApplication::focusWidget();
    if (!target || !current || current == target || !m_requesters.contains(target))
        return false;
    const auto validator = m_validators.find(current);
    if (validator == m_validators.end())
        return false;
    bool cancel = false;
    validator->second(cancel);
    return cancel;
}

bool FocusValidation::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &m_window)
        return false;

    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        QWidget* target = requesterAt(widget);
        if (target && (target->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus)
            return moveIsCancelled(target);
        return false;
    }
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        const bool backTab = key->key() == Qt::Key_Backtab ||
                             (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier));
        if (widget != QApplication::focusWidget() || !(tab || backTab))
            return false;
        return moveIsCancelled(tabTarget(widget, !backTab));
    }
    default:
        return false;
    }
}
