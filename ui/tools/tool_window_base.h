#pragma once

#include "ui/paint/gradient_surface.h"

class QComboBox;
class QString;

// What the calculator's tool windows share: the frame of a small window on the calculator's
// horizontal gradient, opened beside the main window, closed by Escape, and handing the
// activation back to the main window when it closes.
class ToolWindow : public GradientSurface {
    Q_OBJECT

protected:
    ToolWindow(QWidget& owner, const QString& objectName, const QString& caption);

    // Once every control exists: the window keeps the size its layout asks for, so its
    // background is painted once.
    void fixSizeAndPaint();

    // Shows the window, or brings it back when minimised or unmapped, with the activation:
    // placed beside its owner the first time, and, with placeAgain, every time it was hidden.
    void present(bool placeAgain = false);

    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool m_placed = false;
};

// The sample rates the tool windows offer, 48,000 Hz chosen; each item's data is its rate.
void addSampleRates(QComboBox& box);
