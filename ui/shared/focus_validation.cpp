#include "ui/shared/focus_validation.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace {

QWidget* throughFocusProxies(QWidget* widget) {
    while (widget->focusProxy()) {
        widget = widget->focusProxy();
    }
    return widget;
}

// The control that Tab or Shift+Tab would move to, found as Qt finds it: the next widget
// in the focus chain of the same window that accepts tab focus.
QWidget* tabTarget(QWidget* from, bool forward) {
    QWidget* window = from->window();
    for (QWidget* w = from;;) {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (w == from) {
            return nullptr;
        }
        const bool takesTab = (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
        if (w->window() == window && takesTab && w->isVisibleTo(window) && w->isEnabled() &&
            !w->focusProxy()) {
            return w;
        }
    }
}

// The control that a press on `hit` gives the focus to, found as Qt finds it: the first
// enabled widget from `hit` outwards that takes the focus by click. None when the press
// reaches the window first, or a widget on the way that already has the focus.
QWidget* clickTarget(QWidget* hit) {
    for (QWidget* w = hit; w; w = w->parentWidget()) {
        if (w->isEnabled() && (w->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus) {
            return throughFocusProxies(w);
        }
        if (w->isWindow() || throughFocusProxies(w)->hasFocus()) {
            return nullptr;
        }
    }
    return nullptr;
}

} // namespace

FocusValidation::FocusValidation(QWidget& window) : QObject(&window), m_window(window) {
    // Application-wide, because a key is delivered to the control that has the focus, and
    // the press of a click to the window itself before any control sees it.
    qApp->installEventFilter(this);
}

void FocusValidation::setValidator(QWidget& control, Validator validator) {
    m_validators[&control] = std::move(validator);
}

void FocusValidation::setRequestsValidation(QWidget& control) {
    m_requesters.insert(&control);
}

bool FocusValidation::moveIsCancelled(QWidget* target) {
    // The window's own focus widget, which is also the one being left when a click
    // reactivates the window after another window had the focus.
    QWidget* current = m_window.focusWidget();
    if (!target || !current || current == target || !m_requesters.contains(target)) {
        return false;
    }
    const auto validator = m_validators.find(current);
    if (validator == m_validators.end()) {
        return false;
    }
    bool cancel = false;
    validator->second(cancel);
    return cancel;
}

bool FocusValidation::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window.windowHandle()) {
        return windowMouseEvent(event);
    }
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget != m_window.focusWidget()) {
        return false;
    }
    return tabIsCancelled(*widget, *static_cast<QKeyEvent*>(event));
}

// Qt hands the press of a spontaneous click to the window, which gives the focus to the
// control under the mouse before any event filter or handler of that control runs. So
// the check runs here, on the window, while the focus is still where it was.
bool FocusValidation::windowMouseEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        m_swallowRelease = false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        // While another button is held, or a control holds the mouse, the press goes to
        // that control, which has the focus already.
        if (mouse->buttons() != mouse->button() || QWidget::mouseGrabber()) {
            return false;
        }
        if (!moveIsCancelled(clickTarget(m_window.childAt(mouse->position().toPoint())))) {
            return false;
        }
        // The rest of the click belongs to the press that never happened: a middle-button
        // release alone would still paste into the control under the mouse.
        m_swallowRelease = true;
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (!m_swallowRelease) {
            return false;
        }
        m_swallowRelease = static_cast<QMouseEvent*>(event)->buttons() != Qt::NoButton;
        return true;
    default:
        return false;
    }
}

bool FocusValidation::tabIsCancelled(QWidget& focused, const QKeyEvent& key) {
    // With Ctrl or Alt held, Qt hands Tab and Shift+Tab to the control instead of moving
    // the focus, so the entry is not being left.
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        return false;
    }
    const bool backTab =
        key.key() == Qt::Key_Backtab || (key.key() == Qt::Key_Tab && (key.modifiers() & Qt::ShiftModifier));
    if (!backTab && key.key() != Qt::Key_Tab) {
        return false;
    }
    return moveIsCancelled(tabTarget(&focused, !backTab));
}
