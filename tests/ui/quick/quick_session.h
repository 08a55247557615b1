#pragma once

#include "tests/ui/quick/result_window_driver.h"

#include "tests/ui/support/modal_watchdog.h"
#include "tests/ui/support/scripted_dialogs.h"
#include "ui/quick/quick_calc.h"

#include <QLineEdit>
#include <QList>
#include <QWidget>

#include <memory>

// Answers from a script, and notes for every box whether the result window was still on
// screen when it opened: every operation must take the previous answer away first.
class WatchfulDialogs final : public Dialogs {
public:
    void showMessage(const QString& text, const QString& title, MessageIcon icon) override {
        resultWindowShownAtBox.append(resultWindowShown());
        script.showMessage(text, title, icon);
    }
    QString askText(const QString& prompt, const QString& title, const QString& defaultText) override {
        // Where this call's frame lies: were chained operations nested, each would lie deeper.
        const int frameMarker = 0;
        askFrames.append(reinterpret_cast<quintptr>(&frameMarker));
        resultWindowShownAtBox.append(resultWindowShown());
        return script.askText(prompt, title, defaultText);
    }
    QString askSavePath(const QString& title, const QString& suggestedPath, const QString& filter) override {
        return script.askSavePath(title, suggestedPath, filter);
    }

    ScriptedDialogs script;
    const QWidget* owner = nullptr;
    QList<bool> resultWindowShownAtBox;
    QList<quintptr> askFrames;

private:
    bool resultWindowShown() const {
        const auto* window = owner->findChild<const QWidget*>(QStringLiteral("FrmResult"));
        return window != nullptr && window->isVisible();
    }
};

// A stand-in main window owning a quick calculator, and a driver playing the user of its
// result window, which is found by name once an operation has shown it.
struct QuickSession {
    QuickSession();

    QWidget owner;
    WatchfulDialogs dialogs;
    QuickCalculator calculator{owner, dialogs};
    std::unique_ptr<ResultWindowDriver> driver;

    // The result window and its box; none before the first answer.
    QWidget* window() const;
    QLineEdit* box() const;

    // True when no result window, nor any other modal window, is left on screen.
    bool nothingLeftOpen() const;

    // Fails the test for anything that happened unasked: a real dialog the watchdog had to
    // close, a question with no scripted answer, a display its action did not end.
    void checkNothingStray(ModalWatchdog& watchdog) const;
};
