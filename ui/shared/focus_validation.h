#pragma once

#include <QObject>
#include <QSet>

#include <functional>
#include <unordered_map>

class QKeyEvent;
class QWidget;

// Qt moves the focus without asking anyone. Entries that must not be left holding a bad
// value need the opposite: before the focus moves from such an entry onto a control that
// requests validation, the entry's validator runs and may cancel the move. A cancelled
// move never happens at all: the control that would have received the focus sees no
// focus event, and a cancelled click none of its mouse events. Covers the ways a user
// moves the focus: Tab, Shift+Tab and a mouse click.
class FocusValidation : public QObject {
    Q_OBJECT

public:
    // Sets the flag to true to keep the focus where it is.
    using Validator = std::function<void(bool& cancel)>;

    explicit FocusValidation(QWidget& window);

    void setValidator(QWidget& control, Validator validator);
    void setRequestsValidation(QWidget& control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool moveIsCancelled(QWidget* target);
    bool windowMouseEvent(QEvent* event);
    bool tabIsCancelled(QWidget& focused, const QKeyEvent& key);

    QWidget& m_window;
    bool m_swallowRelease = false;
    std::unordered_map<const QWidget*, Validator> m_validators;
    QSet<const QWidget*> m_requesters;
};
