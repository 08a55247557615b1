#include "tests/ui/support/scripted_dialogs.h"

void ScriptedDialogs::showMessage(const QString& text, const QString& title, MessageIcon icon) {
    messages.append({text, title, icon});
    if (m_onMessage)
        m_onMessage();
}

QString ScriptedDialogs::askText(const QString& prompt, const QString& title, const QString& defaultText) {
    questions.append({prompt, title, defaultText});
    if (m_answers.isEmpty()) {
        ++unansweredQuestions;
        return {};
    }
    return m_answers.takeFirst();
}

QString ScriptedDialogs::askSavePath(const QString& /*title*/, const QString& suggestedPath,
                                     const QString& /*filter*/) {
    suggestedSavePaths.append(suggestedPath);
    if (m_savePaths.isEmpty()) {
        ++unansweredQuestions;
        return {};
    }
    return m_savePaths.takeFirst();
}
