#pragma once

#include "ui/shared/dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Answers the program's boxes from a script instead of a person, and records what was asked.
class ScriptedDialogs final : public Dialogs {
public:
    struct Message {
        QString text;
        QString title;
        MessageIcon icon;
    };
    struct Question {
        QString prompt;
        QString title;
        QString defaultText;
    };

    void showMessage(const QString& text, const QString& title, MessageIcon icon) override;
    QString askText(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString askSavePath(const QString& title, const QString& suggestedPath, const QString& filter) override;

    // The next answers to input boxes, in order; an empty answer stands for Cancel.
    void queueAnswers(const QStringList& answers) { m_answers += answers; }

    // The next answers to save-file boxes, in order; an empty path stands for Cancel.
    void queueSavePaths(const QStringList& paths) { m_savePaths += paths; }

    // Runs while a message box would be open, as a person's actions would.
    void onMessage(std::function<void()> action) { m_onMessage = std::move(action); }

    QList<Message> messages;
    QList<Question> questions;
    int unansweredQuestions = 0;    // questions asked with no answer queued: a test fault
    QStringList suggestedSavePaths; // what each save-file box offered

private:
    QStringList m_answers;
    QStringList m_savePaths;
    std::function<void()> m_onMessage;
};
