#include "ui/quick/frm_result.h"

#include "ui/quick/typed_character.h"

#include "ui/paint/gradient_painter.h"
#include "ui/paint/gradient_surface.h"
#include "ui/paint/palette.h"
#include "ui/shared/context_menus.h"
#include "ui/shared/design_font.h"
#include "ui/shared/flat_line_edit.h"
#include "ui/shared/number_box.h"
#include "ui/shared/number_text.h"
#include "ui/shared/tool_window.h"
#include "ui/shared/twips.h"
#include "ui/shared/window_placement.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {

// The fixed layout: the inner area and the box on it.
constexpr QSize innerArea(design::px(3735), design::px(585));
constexpr QRect resultBoxGeometry(design::px(120), design::px(120), design::px(3495), design::px(315));

// The dialog's outcome when an operator key ended it: this plus the operation's code. Below it
// lie the dialog's own Rejected and Accepted.
constexpr int firstChainedOutcome = QDialog::Accepted + 1;

// Enter and Escape close the window whatever Shift, Ctrl or Alt are doing.
bool isClosingKey(const QKeyEvent& event) {
    const int key = event.key();
    return key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

FrmResult::FrmResult(QWidget& owner) : QDialog(&owner) {
    setObjectName(QStringLiteral("FrmResult"));
    setUpToolWindow(*this, designCaption());
    setAccessibleName(QStringLiteral("Quick calculation result"));
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(innerArea);

    // Until the gradient is painted, and should it ever be refused, the window shows its back colour.
    palette::setColour(*this, backgroundRole(), palette::calculatorBack);
    m_client = new GradientSurface(this);
    m_client->setObjectName(QStringLiteral("client"));
    m_client->setGeometry(QRect(QPoint(0, 0), innerArea));

    // Transparent so that the gradient shows through; a flat single line in the window-frame
    // colour instead of a sunken frame.
    m_txtResult = new FlatLineEdit(
        {palette::toQColor(palette::white), Qt::transparent, palette::toQColor(palette::black), QColor()},
        m_client);
    m_txtResult->setObjectName(QStringLiteral("TxtResult"));
    m_txtResult->setAccessibleName(QStringLiteral("Result"));
    m_txtResult->setGeometry(resultBoxGeometry);
    m_txtResult->setReadOnly(true);
    m_txtResult->setFont(designFont());
    m_txtResult->installEventFilter(this);
    makeNumberBox(*m_txtResult);
    extendContextMenu(*m_txtResult);
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
    create();
    centreOnScreen(*this);
    m_txtResult->setFocus();
    const int outcome = exec();
    if (outcome < firstChainedOutcome) {
        return std::nullopt;
    }
    return tactora::quickOpForCode(outcome - firstChainedOutcome);
}

void FrmResult::unload() {
    if (isVisible()) {
        done(QDialog::Rejected);
    }
    Form_Unload();
}

void FrmResult::done(int outcome) {
    returnActivation(*this);
    QDialog::done(outcome);
    Form_Unload();
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
    return QDialog::eventFilter(watched, event);
}

// Keys reach the window itself only when its box does not have the focus or passed them on.
void FrmResult::keyPressEvent(QKeyEvent* event) {
    if (Form_KeyDown(*event)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FrmResult::setVisible(bool visible) {
    QDialog::setVisible(visible);
    if (visible) {
        activateWindow();
    }
}

void FrmResult::loadIfUnloaded() {
    if (!m_loaded) {
        Form_Load();
    }
}

void FrmResult::Form_Load() {
    m_client->paintGradient(palette::calculatorBack, palette::calculatorFill, paint::GRADIENT_FILL_RECT_H);
    m_loaded = true;
}

// The next load starts again with the window's own caption and an empty box.
void FrmResult::Form_Unload() {
    if (!m_loaded) {
        return;
    }
    m_loaded = false;
    setWindowTitle(designCaption());
    m_txtResult->clear();
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
        emit shownNumberFocused(*shown);
    }
}

// An operator key ends the display with its operation, which the calculator then runs: a chain
// goes on in the calculator's loop instead of nesting a display inside this key handling.
void FrmResult::TxtResult_KeyPress(const QKeyEvent& event) {
    const std::optional<char32_t> typed = typedCharacter(event);
    const std::optional<tactora::QuickOp> op = typed ? tactora::quickOpForKey(*typed) : std::nullopt;
    if (op) {
        done(firstChainedOutcome + static_cast<int>(*op));
    }
}
