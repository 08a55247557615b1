#pragma once

#include <QString>

class QWidget;

// The modal boxes the program asks the user with, behind an interface so that the
// window tests can answer them without a person.
enum class MessageIcon { Information, Warning };

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Shows a message with a single OK button and returns once it is closed.
    virtual void showMessage(const QString& text, const QString& title, MessageIcon icon) = 0;

    // Asks for one line of text, pre-filled with the default. A cancelled box answers
    // an empty text, as does a confirmed empty one.
    virtual QString askText(const QString& prompt, const QString& title, const QString& defaultText) = 0;

    // Asks where to save a file, starting at the suggested path and offering the filter's
    // file types. A cancelled box answers an empty path.
    virtual QString askSavePath(const QString& title, const QString& suggestedPath,
                                const QString& filter) = 0;
};

// The real boxes, over whichever window of the program is active.
class QtDialogs final : public Dialogs {
public:
    void showMessage(const QString& text, const QString& title, MessageIcon icon) override;
    QString askText(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString askSavePath(const QString& title, const QString& suggestedPath, const QString& filter) override;
};
