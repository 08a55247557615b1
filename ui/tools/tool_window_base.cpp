#include "ui/tools/tool_window_base.h"

#include "ui/paint/gradient_painter.h"
#include "ui/paint/palette.h"
#include "ui/shared/tool_window.h"
#include "ui/shared/window_placement.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLocale>
#include <QWindow>

#include <array>

ToolWindow::ToolWindow(QWidget& owner, const QString& objectName, const QString& caption)
    : GradientSurface(&owner) {
    setObjectName(objectName);
    setUpToolWindow(*this, caption);
}

void ToolWindow::fixSizeAndPaint() {
    setFixedSize(sizeHint());
    paintGradient(palette::calculatorBack, palette::calculatorFill, paint::GRADIENT_FILL_RECT_H);
}

void ToolWindow::present(bool placeAgain) {
    if (!m_placed || (placeAgain && !isVisible())) {
        create();
        placeBesideOwner(*this);
        m_placed = true;
    }
    // A window the window system unmapped still counts as visible, and show() alone would
    // leave it hidden: it is shown afresh. A minimised one is restored.
    if (isVisible() && windowHandle() != nullptr && !windowHandle()->isExposed()) {
        hide();
    }
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void ToolWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    GradientSurface::keyPressEvent(event);
}

void ToolWindow::closeEvent(QCloseEvent* event) {
    returnActivation(*this);
    event->accept();
}

void addSampleRates(QComboBox& box) {
    constexpr std::array<int, 5> sampleRates = {44100, 48000, 88200, 96000, 192000};
    for (const int rate : sampleRates) {
        box.addItem(QStringLiteral("%1 Hz").arg(QLocale().toString(rate)), rate);
    }
    box.setCurrentIndex(1);
}
