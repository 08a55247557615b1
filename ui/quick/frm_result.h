#pragma once

#include "core/quick_ops.h"

#include <QDialog>

#include <optional>

class GradientSurface;
class QLineEdit;

// The quick result window: one read-only box with the answer of a quick operation, over a
// gradient. One object serves the whole run; it is loaded, shown modally, unloaded and
// loaded again as operations follow one another. An operator key typed into its box ends the
// display with that operation as its outcome, and the calculator shows the window again with
// the chained operation's answer.
class FrmResult final : public QDialog {
    Q_OBJECT

public:
    // The window belongs to the owner's window and is deleted with it.
    explicit FrmResult(QWidget& owner);

    // The window's own caption, before an operation names itself; in place again after every unload.
    static QString designCaption();

    // Changing the caption of an unloaded window loads it first, which paints its background.
    void setCaption(const QString& caption);

    // The box holding the answer; written by the operation before the window is shown.
    QLineEdit& TxtResult() { return *m_txtResult; }

    // Shows the window centred on the screen, modal for the whole program, and returns once
    // it has been unloaded: with the operation whose key was typed into the box, or nothing
    // when it was closed.
    std::optional<tactora::QuickOp> showModal();

    // Hides the window and ends the display in progress; the next caption loads it afresh.
    void unload();

    // Ends the display with the outcome given; the window is unloaded.
    void done(int outcome) override;

    // Shown, the window takes the activation, so that its box has the keyboard.
    void setVisible(bool visible) override;

signals:
    // The box gained the focus, showing this number: what the calculator's register takes.
    void shownNumberFocused(double shown);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void loadIfUnloaded();
    void Form_Load();
    void Form_Unload();
    // Returns true when the key closed the window and is used up.
    bool Form_KeyDown(const QKeyEvent& event);
    void TxtResult_GotFocus();
    void TxtResult_KeyPress(const QKeyEvent& event);

    GradientSurface* m_client = nullptr;
    QLineEdit* m_txtResult = nullptr;
    bool m_loaded = false;
};
