#include "ui/shared/dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace {

// Without a window manager nobody activates the window a box came from once the box has
// closed, and the keyboard would lead nowhere: the next key typed would be lost.
void returnActivationTo(QWidget* owner) {
    if (owner != nullptr && owner->isVisible()) {
        owner->activateWindow();
    }
}

} // namespace

void QtDialogs::showMessage(const QString& text, const QString& title, MessageIcon icon) {
    QWidget* owner = QApplication::activeWindow();
    QMessageBox box(icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::Information, title,
                    text, QMessageBox::Ok, owner);
    box.setObjectName(QStringLiteral("messageBox"));
    box.exec();
    returnActivationTo(owner);
}

QString QtDialogs::askText(const QString& prompt, const QString& title, const QString& defaultText) {
    QWidget* owner = QApplication::activeWindow();
    QInputDialog box(owner);
    box.setObjectName(QStringLiteral("inputBox"));
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setTextValue(defaultText);
    const bool accepted = box.exec() == QDialog::Accepted;
    returnActivationTo(owner);
    return accepted ? box.textValue() : QString();
}
