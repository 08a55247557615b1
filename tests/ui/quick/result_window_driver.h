#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QLineEdit;
class QWidget;

// Plays the person in front of the quick result window. Each time the window is displayed
// and its box has the focus, it notes what the window shows and then does the next scripted
// action: closing it, or typing into the box, which may chain a further display from inside
// that very action. A display with no action left is noted and closed with Escape, so a
// stray window shows up as one display too many instead of a hang. The window is built at its
// first display, so the driver finds it then, by name, among the owner's children.
class ResultWindowDriver : public QObject {
    Q_OBJECT

public:
    struct Display {
        QWidget* window = nullptr;
        QString caption;
        QString text;
        int selectionStart = -1;
        QString selectedText;
        bool boxHadFocus = false;
        double registerValue = 0.0; // the calculator's register once the box had the focus
    };
    using Action = std::function<void(QWidget& window, QLineEdit& box)>;

    ResultWindowDriver(const QWidget& owner, std::function<double()> readRegister);

    void queueActions(const QList<Action>& actions) { m_actions += actions; }

    QList<Display> displays;
    int displaysLeftOpen = 0; // displays that their action did not end

    // Ready-made actions.
    static Action pressKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    static Action type(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void poll();
    void actOnNewDisplay();

    const QWidget& m_owner;
    QWidget* m_window = nullptr; // none until its first display
    QLineEdit* m_box = nullptr;
    std::function<double()> m_readRegister;
    QList<Action> m_actions;
    int m_shows = 0;
    int m_pollsWithoutFocus = 0;
};
