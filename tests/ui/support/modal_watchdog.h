#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

// Closes any real modal dialog that a test did not expect, so that a fault shows up as a
// failed check instead of a test that hangs until its time-out. The quick result window and the
// metronome's export dialog and its progress are modal dialogs too, but ones the tests drive
// themselves.
class ModalWatchdog : public QObject {
    Q_OBJECT

public:
    explicit ModalWatchdog(QObject* parent = nullptr);

    // Titles of the unexpected dialogs closed so far.
    QStringList closedDialogs;

private:
    void closeUnexpectedDialog();

    QTimer m_timer;
};
