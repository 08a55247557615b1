#pragma once

#include <paint/gradient_surface.h>

#include <cstdint>

class QEventLoop;
class QLineEdit;

// The quick result window: one read-only box with the answer of a quick operation, over a
// gradient. One object serves the whole run; it is loaded, shown modally, unloaded and
// loaded again as operations follow one another, and operations chained from its box
// show it again from inside its own key handling.
class FrmResult final : public GradientSurface {
    Q_OBJECT

public:
    // The window belongs to the owner's window and is deleted with it.
    explicit FrmResult(QWidget& owner);
    ~FrmResult() override;

    // Design-time colours of the inner area, 0x00BBGGRR: the gradient runs from one to the other.
    static constexpr std::uint32_t BackColor = 0x00404040;
    static constexpr std::uint32_t FillColor = 0x00808080;

    // The caption the design gives the window, in place again after every unload.
    static QString designCaption();

    bool isLoaded() const { return m_loaded; }

    // Changing the caption of an unloaded window loads it first, which paints its background.
    void setCaption(const QString& caption);

    // The box holding the answer; written by the operation before the window is shown.
    QLineEdit& TxtResult() { return *m_txtResult; }

    // Shows the window centred on the screen, modal for the whole program, and returns once
    // it has been unloaded. May be called again from inside its own display (a chained
    // operation): each display runs its own event loop, so nothing is entered twice.
    void showModal();

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
    void TxtResult_KeyPress(const QString& typed);
    void centreOnScreen();

    QLineEdit* m_txtResult = nullptr;
    bool m_loaded = false;
    // The event loop of the display in progress; none while hidden or once it was told to end.
    QEventLoop* m_display = nullptr;
};
