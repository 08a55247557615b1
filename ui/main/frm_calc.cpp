#include "ui/main/frm_calc.h"

#include "core/entry_rules.h"
#include "resources/identity.h"
#include "ui/info/frm_about.h"
#include "ui/info/frm_help.h"
#include "ui/paint/gradient_painter.h"
#include "ui/paint/gradient_surface.h"
#include "ui/paint/palette.h"
#include "ui/quick/quick_calc.h"
#include "ui/quick/typed_character.h"
#include "ui/shared/app_icon.h"
#include "ui/shared/context_menus.h"
#include "ui/shared/dialogs.h"
#include "ui/shared/focus_validation.h"
#include "ui/shared/number_box.h"
#include "ui/shared/number_text.h"
#include "ui/shared/resource_text.h"
#include "ui/shared/selector_box.h"
#include "ui/shared/window_placement.h"

#include <QAction>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>

#include <algorithm>

namespace {

const QString invalidEntryText =
    QStringLiteral("Invalid data entry, this value will reset to the previous value.");
const QString calculationErrorTitle = QStringLiteral("Calculation error");

QString faultText(tactora::ArithFault fault) {
    switch (fault) {
    case tactora::ArithFault::Overflow:
        return QStringLiteral("an overflow");
    case tactora::ArithFault::DivisionByZero:
        return QStringLiteral("a division by zero");
    case tactora::ArithFault::InvalidOperation:
    case tactora::ArithFault::None:
        break;
    }
    return QStringLiteral("an invalid operation");
}

QString entryName(tactora::Entry entry) {
    switch (entry) {
    case tactora::Entry::Tempo:
        return QStringLiteral("The tempo");
    case tactora::Entry::Bars:
        return QStringLiteral("The number of bars");
    case tactora::Entry::BeatsPerBar:
        break;
    }
    return QStringLiteral("The number of beats per bar");
}

} // namespace

FrmCalc::FrmCalc(Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), m_dialogs(dialogs), m_quick(std::make_unique<QuickCalculator>(*this, dialogs)) {
    setObjectName(QStringLiteral("FrmCalc"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(appIcon());
    buildControls();
    buildMenus();
    connectControls();
    Form_Load();
}

FrmCalc::~FrmCalc() = default;

// The controls and menus are built in frm_calc_layout.cpp; here they are tied to their handlers.
void FrmCalc::connectControls() {
    m_client->installEventFilter(this);
    CmbValType->installEventFilter(this);
    CmbResType->installEventFilter(this);
    for (QLineEdit* box : TxtValue) {
        box->installEventFilter(this);
    }
    for (QLineEdit* box : TxtResult) {
        box->installEventFilter(this);
    }

    connect(CmbResType, &SelectorBox::changed, this, &FrmCalc::CmbResType_Change);
    connect(CmbValType, &SelectorBox::changed, this, &FrmCalc::CmbValType_Change);
    for (int i = 0; i < 3; ++i) {
        connect(TxtValue[i], &QLineEdit::returnPressed, this, [this, i] { TxtValue_KeyEnter(i); });
    }

    // Only the entries are validated when left, and only for another entry: moving to a
    // selector or a result box checks nothing.
    m_validation = new FocusValidation(*this);
    for (int i = 0; i < 3; ++i) {
        m_validation->setValidator(*TxtValue[i], [this, i](bool& cancel) { ValidateEntry(i, cancel); });
        m_validation->setRequestsValidation(*TxtValue[i]);
    }

    connect(MnuAbout, &QAction::triggered, this, &FrmCalc::MnuAbout_Click);
    for (int i = 0; i < 8; ++i) {
        connect(MnuCalculation[i], &QAction::triggered, this, [this, i] { m_quick->QuickCalc(i); });
    }
    connect(MnuHelp, &QAction::triggered, this, &FrmCalc::MnuHelp_Click);

    for (QLineEdit* box : TxtValue) {
        makeNumberBox(*box);
        extendContextMenu(*box);
    }
    for (QLineEdit* box : TxtResult) {
        makeNumberBox(*box);
        extendContextMenu(*box);
        box->setAccessibleDescription(
            QStringLiteral("Type *, /, \\, +, -, # or . to calculate with this result. F6 and Shift+F6 "
                           "move between the entries and the results."));
    }

    // The result boxes take no Tab, so that Tab keeps its designed round; F6 and Shift+F6
    // reach them from the keyboard.
    new QShortcut(Qt::Key_F6, this, [this] { moveAmongResults(true); });
    new QShortcut(Qt::SHIFT | Qt::Key_F6, this, [this] { moveAmongResults(false); });
}

// From the entries and selectors F6 goes to the first result box and Shift+F6 to the last;
// among the result boxes they go on, and past either end back to the control they came from.
void FrmCalc::moveAmongResults(bool forward) {
    const auto current = std::find(TxtResult.begin(), TxtResult.end(), focusWidget());
    if (current == TxtResult.end()) {
        m_leftForResults = focusWidget();
        (forward ? TxtResult.front() : TxtResult.back())->setFocus(Qt::ShortcutFocusReason);
        return;
    }
    const bool pastTheEnd = forward ? current + 1 == TxtResult.end() : current == TxtResult.begin();
    if (!pastTheEnd) {
        (*(forward ? current + 1 : current - 1))->setFocus(Qt::ShortcutFocusReason);
        return;
    }
    QWidget* back = m_leftForResults ? m_leftForResults.data() : TxtValue[0];
    back->setFocus(Qt::ShortcutFocusReason);
}

void FrmCalc::addEntryActions(tactora::Entry entry, const QList<QAction*>& actions) {
    TxtValue[static_cast<std::size_t>(entry)]->addActions(actions);
}

void FrmCalc::addResultActions(int index, const QList<QAction*>& actions) {
    TxtResult[static_cast<std::size_t>(index)]->addActions(actions);
}

void FrmCalc::MnuAbout_Click() {
    if (!m_about) {
        m_about = new FrmAbout(this);
    }
    m_about->showModal();
}

void FrmCalc::MnuHelp_Click() {
    if (!m_help) {
        m_help = new FrmHelp(this);
    }
    m_help->showModal();
}

void FrmCalc::Form_Load() {
    setWindowTitle(QString::fromUtf8(tactora::identity::title));
    m_client->paintGradient(palette::calculatorBack, palette::calculatorFill, paint::GRADIENT_FILL_RECT_H);
    LoadResultTypes();
    LoadValueTypes();

    adjustSize();
    create();
    centreOnScreen(*this);
    CmbValType->setFocus();
}

void FrmCalc::Form_Resize() {
    for (QFrame* rule : separator) {
        rule->resize(m_client->width(), rule->height());
    }
}

// Filling an empty list selects its first item by itself; the selection must come only
// from the explicit choice below, whose change handler computes the first results.
static void fillWithoutSelecting(SelectorBox& box, const QStringList& items) {
    const QSignalBlocker blocker(box);
    box.addItems(items);
    box.setCurrentIndex(-1);
    box.setEditText(QString());
}

void FrmCalc::LoadResultTypes() {
    fillWithoutSelecting(*CmbResType, {LoadResString(21), LoadResString(22)});
    CmbResType->setCurrentIndex(0);
}

void FrmCalc::LoadValueTypes() {
    fillWithoutSelecting(*CmbValType, {LoadResString(11), LoadResString(12)});
    CmbValType->setCurrentIndex(0);
}

void FrmCalc::CmbResType_Change() {
    switch (CmbResType->selectedIndex()) {
    case 0:
        m_unitFactor = 1.0;
        break;
    case 1:
        m_unitFactor = 1000.0;
        break;
    default:
        break;
    }
    bool cancel = false;
    ValidateEntry(0, cancel);
}

void FrmCalc::CmbValType_Change() {
    switch (tempoKind()) {
    case tactora::TempoKind::BeatsPerMinute:
        setRateCaption(LoadResString(12));
        TxtValue[0]->setText(toDisplayText(100));
        break;
    case tactora::TempoKind::CyclesPerSecond:
        setRateCaption(LoadResString(11));
        TxtValue[0]->setText(toDisplayText(1));
        break;
    case tactora::TempoKind::None:
        break;
    }
    bool cancel = false;
    ValidateEntry(0, cancel);
}

// The third result is the converse of the tempo entry: a rate for a tempo, a tempo for a rate.
void FrmCalc::setRateCaption(const QString& caption) {
    lblret[2]->setText(caption);
    lblret[2]->setAccessibleName(caption);
    lblret[2]->adjustSize();
}

void FrmCalc::TxtValue_GotFocus(int index) {
    m_valueTags[index] = TxtValue[index]->text();
}

tactora::TempoKind FrmCalc::tempoKind() const {
    return static_cast<tactora::TempoKind>(CmbValType->selectedIndex());
}

void FrmCalc::enterTempo(const QString& text) {
    // A refused tempo gives back what the entry showed before it came, even when the entry
    // has not had the focus since a selector or a tool window last changed its text.
    m_valueTags[0] = TxtValue[0]->text();
    TxtValue[0]->setText(text);
    TxtValue_KeyEnter(0);
}

void FrmCalc::TxtValue_KeyEnter(int index) {
    bool cancel = false;
    ValidateEntry(index, cancel);
}

// The three entries are read once for the check and the calculation that follows it.
void FrmCalc::ValidateEntry(int index, bool& cancel) {
    const tactora::EntryValues entries = readEntries();
    const auto entry = static_cast<std::size_t>(index);
    if (!entries.numeric[entry] ||
        !tactora::valueAccepted(static_cast<tactora::Entry>(index), entries.values[entry], tempoKind())) {
        cancel = true;
    }

    if (cancel) {
        m_dialogs.showMessage(invalidEntryText, calculationErrorTitle, MessageIcon::Information);
        TxtValue[entry]->setText(m_valueTags[entry]);
        return;
    }
    recalculate(entries);
}

tactora::EntryValues FrmCalc::readEntries() const {
    const std::string texts[3] = {TxtValue[0]->text().toStdString(), TxtValue[1]->text().toStdString(),
                                  TxtValue[2]->text().toStdString()};
    return tactora::readEntries({texts[0], texts[1], texts[2]}, decimalSeparator());
}

void FrmCalc::recalculate(const tactora::EntryValues& entries) {
    const tactora::TempoKind kind = tempoKind();
    if (kind == tactora::TempoKind::None) {
        noteFailure(QStringLiteral("the tempo entry holds neither beats per minute nor cycles per second."));
        return;
    }
    // An entry left for a selector or a result box is not checked, so it may hold no
    // number at all; say which one rather than compute from it.
    if (entries.notANumber) {
        m_dialogs.showMessage(QStringLiteral("%1 is not a number. The results have not been recalculated.")
                                  .arg(entryName(*entries.notANumber)),
                              calculationErrorTitle, MessageIcon::Warning);
        noteFailure(QStringLiteral("%1 is not a number.").arg(entryName(*entries.notANumber).toLower()));
        return;
    }
    const auto& [tempo, bars, beatsPerBar] = entries.values;
    const tactora::TempoOutcome outcome = kind == tactora::TempoKind::BeatsPerMinute
                                              ? tactora::CalcFromBpm(tempo, bars, beatsPerBar, m_unitFactor)
                                              : tactora::CalcFromHz(tempo, bars, beatsPerBar, m_unitFactor);
    if (!showResults(outcome)) {
        return;
    }
    m_lastOutcome = {CalcOutcome::Kind::Results,
                     true,
                     kind,
                     tempo,
                     bars,
                     beatsPerBar,
                     m_unitFactor,
                     outcome.results,
                     QString()};
    emit outcomeChanged(m_lastOutcome);
}

bool FrmCalc::showResults(const tactora::TempoOutcome& outcome) {
    // A calculation that fails part way shows none of its results, so the three boxes
    // always belong together.
    if (!outcome.ok()) {
        m_dialogs.showMessage(QStringLiteral("These values cannot be calculated: they lead to %1. "
                                             "The results have not been changed.")
                                  .arg(faultText(outcome.fault)),
                              calculationErrorTitle, MessageIcon::Warning);
        noteFailure(QStringLiteral("these values lead to %1.").arg(faultText(outcome.fault)));
        return false;
    }
    TxtResult[0]->setText(toDisplayText(outcome.results.barsLength));
    TxtResult[1]->setText(toDisplayText(outcome.results.beatLength));
    TxtResult[2]->setText(toDisplayText(outcome.results.converseRate));
    return true;
}

void FrmCalc::noteFailure(const QString& reason) {
    m_lastOutcome.kind = CalcOutcome::Kind::Failure;
    m_lastOutcome.reason = reason;
    emit outcomeChanged(m_lastOutcome);
}

void FrmCalc::TxtResult_GotFocus(const QLineEdit& result) {
    if (const std::optional<double> shown = fromUserText(result.text())) {
        m_quick->loadCurrentValue(*shown);
    }
}

// Only a typed character can be an operator: Ctrl and Alt chords are commands.
void FrmCalc::TxtResult_KeyPress(const QKeyEvent& event) {
    if (const auto typed = typedCharacter(event)) {
        m_quick->QuickCalcKey(*typed);
    }
}

bool FrmCalc::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client && event->type() == QEvent::Resize) {
        Form_Resize();
        return false;
    }
    if (event->type() == QEvent::FocusIn) {
        // Focus that comes back from another window or a pop-up returns to the control
        // that had it: only another control has been entered. A click into another entry
        // of an inactive window enters it too, although its focus event names only the
        // window's activation.
        const bool entered = watched != m_activeControl;
        m_activeControl = watched;
        for (int i = 0; i < 3; ++i) {
            if (entered && watched == TxtValue[i]) {
                TxtValue_GotFocus(i);
            }
        }
    }
    for (QLineEdit* result : TxtResult) {
        if (watched != result) {
            continue;
        }
        // Also on coming back from another window: the register then holds what this box
        // shows, so an operator typed next works on the number the user sees.
        if (event->type() == QEvent::FocusIn &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            TxtResult_GotFocus(*result);
        } else if (event->type() == QEvent::KeyPress) {
            TxtResult_KeyPress(*static_cast<QKeyEvent*>(event));
        }
    }
    for (SelectorBox* selector : {CmbValType, CmbResType}) {
        if (watched != selector) {
            continue;
        }
        if (event->type() == QEvent::FocusIn) {
            selector->setLocked(false);
        } else if (event->type() == QEvent::FocusOut &&
                   static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            selector->setLocked(true);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
