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

    // The next answers to input boxes, in order; an empty answer stands for Cancel.
    void queueAnswers(const QStringList& answers) { m_answers += answers; }

    // Runs while a message box would be open, as a person's actions would.
    void onMessage(std::function<void()> action) { m_onMessage = std::move(action); }

    QList<Message> messages;
    QList<Question> questions;
    int unansweredQuestions = 0; // questions asked with no answer queued: a test fault

private:
    QStringList m_answers;
    std::function<void()> m_onMessage;
};
