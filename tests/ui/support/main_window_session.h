#pragma once

#include "tests/ui/support/modal_watchdog.h"
#include "tests/ui/support/scripted_dialogs.h"
#include "ui/main/frm_calc.h"

#include <QString>
#include <QStringList>

#include <memory>

class QLineEdit;

// The program as it runs (composed by the program's own function), shown with
// scripted message boxes, and the user's hands on it: every click and key goes through the
// window the control is in.
class MainWindowSession {
public:
    MainWindowSession();
    ~MainWindowSession();

    enum class MenuKey { RightClick, ShiftF10 };

    FrmCalc& calc() { return *m_calc; }
    ScriptedDialogs& dialogs() { return m_dialogs; }

    QLineEdit& entry(int index) const;
    QLineEdit& result(int index) const;
    QStringList results() const;

    // Clicks the control at its centre.
    static void click(QWidget& control, Qt::MouseButton button = Qt::LeftButton);
    static void key(QWidget& control, int key, Qt::KeyboardModifiers modifiers = {});

    // Clicks into the entry, replaces its text and presses Enter.
    void typeInto(int index, const QString& text);

    // Opens the control's context menu as asked and chooses the item with that text;
    // returns the texts of all the menu's items.
    static QStringList chooseFromContextMenu(QWidget& control, MenuKey how, const QString& item);

    // Chooses an item of one of the main window's selectors.
    void choose(const char* selectorName, int index);

private:
    ScriptedDialogs m_dialogs;
    ModalWatchdog m_watchdog;
    std::unique_ptr<FrmCalc> m_calc;
};
