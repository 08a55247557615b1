#pragma once

#include "core/quick_ops.h"
#include "ui/paint/gradient_surface.h"

#include <optional>

class QLineEdit;

// The quick result window: one read-only box with the answer of a quick operation, over a
// gradient. One object serves the whole run; it is loaded, shown modally, unloaded and
// loaded again as operations follow one another. An operator key typed into its box ends the
// display, and the calculator shows it again with the chained operation's answer.
class FrmResult final : public GradientSurface {
    Q_OBJECT

public:
    // The window belongs to the owner's window and is deleted with it; its box loads the
    // register when it gains the focus.
    FrmResult(QWidget& owner, double& currentValue);
    ~FrmResult() override;

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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void loadIfUnloaded();
    void Form_Load();
    // Returns true when the key closed the window and is used up.
    bool Form_KeyDown(const QKeyEvent& event);
    void TxtResult_GotFocus();
    void TxtResult_KeyPress(const QKeyEvent& event);
    void centreOnScreen();

    struct Display;

    double& m_currentValue;
    QLineEdit* m_txtResult = nullptr;
    bool m_loaded = false;
    // The display in progress; none while hidden or once it was told to end.
    Display* m_display = nullptr;
};
