#include "ui/shared/dialogs.h"

#include "ui/shared/tool_window.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

void QtDialogs::showMessage(const QString& text, const QString& title, MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::Information, title,
                    text, QMessageBox::Ok, QApplication::activeWindow());
    box.setObjectName(QStringLiteral("messageBox"));
    box.exec();
    returnActivation(box);
}

QString QtDialogs::askText(const QString& prompt, const QString& title, const QString& defaultText) {
    QInputDialog box(QApplication::activeWindow());
    box.setObjectName(QStringLiteral("inputBox"));
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setTextValue(defaultText);
    const bool accepted = box.exec() == QDialog::Accepted;
    returnActivation(box);
    return accepted ? box.textValue() : QString();
}

QString QtDialogs::askSavePath(const QString& title, const QString& suggestedPath, const QString& filter) {
    QFileDialog box(QApplication::activeWindow(), title, suggestedPath, filter);
    box.setObjectName(QStringLiteral("saveFileBox"));
    box.setAcceptMode(QFileDialog::AcceptSave);
    const bool accepted = box.exec() == QDialog::Accepted && !box.selectedFiles().isEmpty();
    returnActivation(box);
    return accepted ? box.selectedFiles().constFirst() : QString();
}
