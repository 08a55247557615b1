#include "ui/quick/frm_result.h"

#include "ui/quick/typed_character.h"

#include "ui/paint/gradient_painter.h"
#include "ui/paint/palette.h"
#include "ui/shared/design_font.h"
#include "ui/shared/flat_line_edit.h"
#include "ui/shared/number_text.h"
#include "ui/shared/twips.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QWindow>

namespace {

// The fixed layout: the inner area and the box on it.
constexpr QSize InnerArea(design::px(3735), design::px(585));
constexpr QRect ResultBoxGeometry(design::px(120), design::px(120), design::px(3495), design::px(315));

// Enter and Escape close the window whatever Shift, Ctrl or Alt are doing.
bool isClosingKey(const QKeyEvent& event) {
    const int key = event.key();
    return key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

// Its own loop for every display, and the operation that ended it, if any.
struct FrmResult::Display {
    QEventLoop loop;
    std::optional<tactora::QuickOp> chained;
};

FrmResult::FrmResult(QWidget& owner, double& currentValue)
    : GradientSurface(&owner), m_currentValue(currentValue) {
    setObjectName(QStringLiteral("FrmResult"));
    setAccessibleName(QStringLiteral("Quick calculation result"));
    // A tool window: thin caption with only a close button, kept out of the task bar.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowModality(Qt::ApplicationModal);
    // No icon of its own; an empty one keeps Qt from handing down the main window's.
    setWindowIcon(QIcon());
    setWindowTitle(designCaption());
    setFixedSize(InnerArea);

    // Until the gradient is painted, and should it ever be refused, the window shows its back colour.
    QPalette backdrop = palette();
    backdrop.setColor(backgroundRole(), palette::toQColor(palette::CalculatorBack));
    setPalette(backdrop);

    // Transparent so that the gradient shows through; a flat single line in the window-frame
    // colour instead of a sunken frame.
    m_txtResult = new FlatLineEdit(
        {palette::toQColor(palette::White), Qt::transparent, palette::toQColor(palette::Black)}, this);
    m_txtResult->setObjectName(QStringLiteral("TxtResult"));
    m_txtResult->setAccessibleName(QStringLiteral("Result"));
    m_txtResult->setGeometry(ResultBoxGeometry);
    m_txtResult->setReadOnly(true);
    m_txtResult->setFont(designFont());
    m_txtResult->installEventFilter(this);
}

FrmResult::~FrmResult() {
    // Should the owner go while a display is in progress, that display must not wait for
    // a window that no longer exists.
    if (m_display != nullptr) {
        m_display->loop.quit();
    }
}

QString FrmResult::designCaption() {
    return QStringLiteral("Quick Calculation Result");
}

void FrmResult::setCaption(const QString& caption) {
    loadIfUnloaded();
    setWindowTitle(caption);
}

std::optional<tactora::QuickOp> FrmResult::showModal() {
    loadIfUnloaded();
    centreOnScreen();
    m_txtResult->setFocus();
    show();
    activateWindow();

    Display display;
    m_display = &display;
    const QPointer<FrmResult> alive(this);
    display.loop.exec(QEventLoop::DialogExec);
    // The application ending all its loops at once stops a display without an unload.
    if (alive && m_display == &display) {
        m_display = nullptr;
    }
    return display.chained;
}

void FrmResult::unload() {
    // Hand the activation back to the owner, as the closing of a modal window should: some
    // platforms would otherwise keep it on the hidden window and never activate it again
    // when it is next shown, and its box would not get the focus.
    if (isActiveWindow() && parentWidget() != nullptr) {
        parentWidget()->activateWindow();
    }
    hide();
    if (m_display != nullptr) {
        m_display->loop.quit();
        m_display = nullptr;
    }
    if (m_loaded) {
        m_loaded = false;
        // The next load starts again with the window's own caption and an empty box.
        setWindowTitle(designCaption());
        m_txtResult->clear();
    }
}

bool FrmResult::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_txtResult) {
        switch (event->type()) {
        case QEvent::KeyPress: {
            // The window sees every key before its box does.
            const auto& key = static_cast<const QKeyEvent&>(*event);
            if (Form_KeyDown(key)) {
                return true;
            }
            TxtResult_KeyPress(key);
            // Not used up: the box still gets the key, and being read-only it keeps its text.
            break;
        }
        case QEvent::FocusIn:
            TxtResult_GotFocus();
            break;
        default:
            break;
        }
    }
    return GradientSurface::eventFilter(watched, event);
}

// Keys reach the window itself only when its box does not have the focus or passed them on.
void FrmResult::keyPressEvent(QKeyEvent* event) {
    if (Form_KeyDown(*event)) {
        event->accept();
        return;
    }
    GradientSurface::keyPressEvent(event);
}

void FrmResult::closeEvent(QCloseEvent* event) {
    unload();
    event->accept();
}

void FrmResult::loadIfUnloaded() {
    if (!m_loaded) {
        Form_Load();
    }
}

void FrmResult::Form_Load() {
    paintGradient(palette::CalculatorBack, palette::CalculatorFill, paint::GRADIENT_FILL_RECT_H);
    m_loaded = true;
}

bool FrmResult::Form_KeyDown(const QKeyEvent& event) {
    if (!isClosingKey(event)) {
        return false;
    }
    unload();
    return true;
}

// The register takes the number as displayed, so that a chained operation works on what the
// user sees (at most 15 significant digits), not on the unrounded answer.
void FrmResult::TxtResult_GotFocus() {
    if (const std::optional<double> shown = fromUserText(m_txtResult->text())) {
        m_currentValue = *shown;
    }
}

// An operator key ends the display with its operation, which the calculator then runs: a chain
// goes on in the calculator's loop instead of nesting a display inside this key handling.
void FrmResult::TxtResult_KeyPress(const QKeyEvent& event) {
    const std::optional<char32_t> typed = typedCharacter(event);
    const std::optional<tactora::QuickOp> op = typed ? tactora::quickOpForKey(*typed) : std::nullopt;
    if (!op) {
        return;
    }
    if (m_display != nullptr) {
        m_display->chained = op;
    }
    unload();
}

// It is the whole window, frame included, that is centred; the frame's size is known once the
// native window exists, even before it is first shown.
void FrmResult::centreOnScreen() {
    create();
    const QScreen* screen = parentWidget() != nullptr ? parentWidget()->screen() : this->screen();
    QRect frame = QRect(QPoint(), size()).marginsAdded(windowHandle()->frameMargins());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}
