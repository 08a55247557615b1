#include "ui/tools/frm_tap.h"

#include "ui/tools/form_rows.h"
#include "ui/tools/out_of_range.h"

#include "core/checked_math.h"
#include "core/decimal_round.h"
#include "ui/shared/number_text.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <utility>

namespace {

// Taps are timed to a few milliseconds at best: two decimals of the tempo are the most
// worth showing, and fewer once the uncertainty is large enough that they would be noise:
// the tempo stops at the second significant digit of its uncertainty.
int tempoPlaces(std::optional<double> uncertainty) {
    if (!uncertainty || *uncertainty < 1.0) {
        return 2;
    }
    return *uncertainty < 10.0 ? 1 : 0;
}

QString countText(std::size_t count, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

// Halving and doubling stop well before a tempo could leave the range of a double.
constexpr int maxDoublings = 16;

} // namespace

FrmTap::FrmTap(QWidget& owner)
    : TempoSourceWindow(owner, QStringLiteral("FrmTap"), QStringLiteral("Tap tempo")) {

    auto* lblHint =
        whiteLabel(QStringLiteral("Tap Space, Enter or the button in time with the beat."), *this);
    lblHint->setObjectName(QStringLiteral("lblHint"));

    m_cmdTap = new QPushButton(QStringLiteral("Tap"), this);
    m_cmdTap->setObjectName(QStringLiteral("cmdTap"));
    m_cmdTap->setAccessibleName(QStringLiteral("Tap"));
    m_cmdTap->setMinimumSize(240, 90);
    // A tap counts when it lands, not when the button is let go, and at the moment the
    // press happened, not when it is handled: a busy moment between the two would show as
    // an uneven beat.
    m_cmdTap->installEventFilter(this);
    connect(m_cmdTap, &QPushButton::pressed, this, &FrmTap::tapButtonPressed);

    m_lblTempo = whiteLabel(QString(), *this);
    m_lblTempo->setObjectName(QStringLiteral("lblTempo"));
    QFont large = font();
    large.setPointSizeF(14);
    large.setBold(true);
    m_lblTempo->setFont(large);
    m_lblTempo->setAlignment(Qt::AlignCenter);
    // Sized once for the widest usual text, so that the window keeps its size as taps come.
    m_lblTempo->setMinimumSize(QFontMetrics(large).horizontalAdvance(QStringLiteral("8888.88 BPM ± 888.88")),
                               2 * QFontMetrics(large).lineSpacing());

    m_lblTaps = whiteLabel(QString(), *this);
    m_lblTaps->setObjectName(QStringLiteral("lblTaps"));
    m_lblTaps->setAlignment(Qt::AlignCenter);

    m_cmdHalve = new QPushButton(QStringLiteral("Halve"), this);
    m_cmdHalve->setObjectName(QStringLiteral("cmdHalve"));
    m_cmdHalve->setAccessibleName(QStringLiteral("Halve"));
    // Clicked, they leave the focus on the tap button, so that Space still taps.
    m_cmdHalve->setFocusPolicy(Qt::TabFocus);
    connect(m_cmdHalve, &QPushButton::clicked, this, [this] { scale(-1); });

    m_cmdDouble = new QPushButton(QStringLiteral("Double"), this);
    m_cmdDouble->setObjectName(QStringLiteral("cmdDouble"));
    m_cmdDouble->setAccessibleName(QStringLiteral("Double"));
    m_cmdDouble->setFocusPolicy(Qt::TabFocus);
    connect(m_cmdDouble, &QPushButton::clicked, this, [this] { scale(1); });

    QPushButton& cmdUse = addUseButton(*this);

    m_cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdCancel->setAccessibleName(QStringLiteral("Cancel"));
    connect(m_cmdCancel, &QPushButton::clicked, this, &QWidget::close);

    auto* grid = new QGridLayout(this);
    grid->addWidget(lblHint, 0, 0, 1, 2);
    grid->addWidget(m_cmdTap, 1, 0, 1, 2);
    grid->addWidget(m_lblTempo, 2, 0, 1, 2);
    grid->addWidget(m_lblTaps, 3, 0, 1, 2);
    grid->addWidget(m_cmdHalve, 4, 0);
    grid->addWidget(m_cmdDouble, 4, 1);
    grid->addWidget(&cmdUse, 5, 0);
    grid->addWidget(m_cmdCancel, 5, 1);
    setTabOrder(m_cmdTap, m_cmdHalve);
    setTabOrder(m_cmdHalve, m_cmdDouble);
    setTabOrder(m_cmdDouble, &cmdUse);
    setTabOrder(&cmdUse, m_cmdCancel);

    showEstimate();
    fixSizeAndPaint();
}

void FrmTap::open() {
    clearTaps();
    showEstimate();
    // Placed anew at every opening: taps start afresh, and so does the window.
    present(true);
    m_cmdTap->setFocus();
}

bool FrmTap::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_cmdTap) {
        // Only the presses the button acts on: it emits pressed() right after this. The
        // second of two quick clicks comes as a double-click instead of a press, and is a
        // tap all the same: a mouse tapping faster than the double-click interval.
        const bool press =
            event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
        if (press && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            m_pressMilliseconds = static_cast<QInputEvent*>(event)->timestamp();
        } else if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Space && !key->isAutoRepeat()) {
                m_pressMilliseconds = key->timestamp();
            }
        }
    }
    return ToolWindow::eventFilter(watched, event);
}

void FrmTap::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Buttons outside a dialog do not take Enter: on a button other than the tap button it
        // chooses that button, anywhere else it is a tap. A held key repeats; that is no tap.
        if (focusWidget() != m_cmdTap && qobject_cast<QPushButton*>(focusWidget()) != nullptr) {
            static_cast<QPushButton*>(focusWidget())->click();
        } else if (!event->isAutoRepeat()) {
            tap(event->timestamp());
        }
        return;
    default:
        ToolWindow::keyPressEvent(event);
    }
}

void FrmTap::closeEvent(QCloseEvent* event) {
    clearTaps();
    ToolWindow::closeEvent(event);
}

void FrmTap::tapButtonPressed() {
    tap(std::exchange(m_pressMilliseconds, 0));
}

void FrmTap::tap(quint64 eventMilliseconds) {
    const bool timedByEvent = eventMilliseconds != 0;
    if (timedByEvent != m_timedByEvents) {
        m_taps.clear();
        m_timedByEvents = timedByEvent;
    }
    m_taps.tap(timedByEvent ? std::chrono::milliseconds(eventMilliseconds)
                            : std::chrono::steady_clock::now().time_since_epoch());
    showEstimate();
}

void FrmTap::scale(int doublings) {
    m_doublings = std::clamp(m_doublings + doublings, -maxDoublings, maxDoublings);
    showEstimate();
}

void FrmTap::clearTaps() {
    m_taps.clear();
    m_doublings = 0;
}

void FrmTap::showEstimate() {
    // The tempo shown, rounded as shown; none until two taps can be timed.
    std::optional<double> shownTempo;
    const std::optional<tactora::Checked> bpm = m_taps.beatsPerMinute();
    const double factor = std::ldexp(1.0, m_doublings);
    std::optional<double> uncertainty = m_taps.uncertaintyBpm();
    if (uncertainty) {
        *uncertainty *= factor;
    }
    const int places = tempoPlaces(uncertainty);
    if (bpm && bpm->ok()) {
        shownTempo = tactora::roundToPlaces(bpm->value * factor, places);
    }

    if (shownTempo) {
        QString tempo = QStringLiteral("%1 BPM").arg(toFixedText(*shownTempo, places));
        if (uncertainty) {
            tempo += QStringLiteral(" ± %1").arg(toFixedText(*uncertainty, places));
        }
        const tactora::Checked hz = tactora::checkedDiv(*shownTempo, 60.0);
        QString rate = QStringLiteral("= %1 Hz").arg(hz.ok() ? toDisplayText(hz.value) : outOfRangeMark());
        if (m_doublings != 0) {
            const QString times = toDisplayText(m_doublings > 0 ? factor : 1.0 / factor);
            rate += m_doublings > 0 ? QStringLiteral(", taps × %1").arg(times)
                                    : QStringLiteral(", taps ÷ %1").arg(times);
        }
        m_lblTempo->setText(tempo + QLatin1Char('\n') + rate);
    } else {
        m_lblTempo->setText(bpm ? outOfRangeMark() : QStringLiteral("No tempo yet"));
    }

    // Every tap shows in the count: a double tap is said to be ignored, never left unsaid.
    QString taps =
        QStringLiteral("Tap at least twice; after two seconds without a tap the count starts over.");
    if (m_taps.tapCount() >= 2) {
        taps = countText(m_taps.tapCount(), "tap", "taps");
        if (m_taps.ignoredDoubleTaps() > 0) {
            taps += QStringLiteral(", %1 ignored")
                        .arg(countText(m_taps.ignoredDoubleTaps(), "double tap", "double taps"));
        }
    }
    m_lblTaps->setText(taps);
    m_lblTempo->setAccessibleName(m_lblTempo->text());
    m_lblTaps->setAccessibleName(m_lblTaps->text());
    m_cmdHalve->setEnabled(shownTempo.has_value() && m_doublings > -maxDoublings);
    m_cmdDouble->setEnabled(shownTempo.has_value() && m_doublings < maxDoublings);
    offerTempo(shownTempo);
}
