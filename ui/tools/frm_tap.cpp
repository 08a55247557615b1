#include "ui/tools/frm_tap.h"

#include "ui/tools/out_of_range.h"
#include "ui/tools/tap_clock.h"

#include "core/checked_math.h"
#include "core/decimal_round.h"
#include "ui/paint/gradient_painter.h"
#include "ui/paint/palette.h"
#include "ui/shared/number_text.h"
#include "ui/shared/tool_window.h"
#include "ui/shared/window_placement.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {

// Taps are timed to a few milliseconds at best: digits beyond the second decimal of the
// tempo would be noise.
constexpr int tempoPlaces = 2;

} // namespace

FrmTap::FrmTap(QWidget& owner, const TapClock& clock) : GradientSurface(&owner), m_clock(clock) {
    setObjectName(QStringLiteral("FrmTap"));
    setUpToolWindow(*this, QStringLiteral("Tap tempo"));

    auto* lblHint = new QLabel(QStringLiteral("Tap Space, Enter or the button in time with the beat."), this);
    lblHint->setObjectName(QStringLiteral("lblHint"));
    lblHint->setAccessibleName(lblHint->text());
    palette::setColour(*lblHint, QPalette::WindowText, palette::white);

    m_cmdTap = new QPushButton(QStringLiteral("Tap"), this);
    m_cmdTap->setObjectName(QStringLiteral("cmdTap"));
    m_cmdTap->setAccessibleName(QStringLiteral("Tap"));
    m_cmdTap->setMinimumSize(240, 90);
    // A tap counts when it lands, not when the button is let go.
    connect(m_cmdTap, &QPushButton::pressed, this, &FrmTap::tap);

    m_lblTempo = new QLabel(this);
    m_lblTempo->setObjectName(QStringLiteral("lblTempo"));
    palette::setColour(*m_lblTempo, QPalette::WindowText, palette::white);
    QFont large = font();
    large.setPointSizeF(14);
    large.setBold(true);
    m_lblTempo->setFont(large);
    m_lblTempo->setAlignment(Qt::AlignCenter);

    m_lblTaps = new QLabel(this);
    m_lblTaps->setObjectName(QStringLiteral("lblTaps"));
    palette::setColour(*m_lblTaps, QPalette::WindowText, palette::white);
    m_lblTaps->setAlignment(Qt::AlignCenter);

    m_cmdUse = new QPushButton(QStringLiteral("Use"), this);
    m_cmdUse->setObjectName(QStringLiteral("cmdUse"));
    m_cmdUse->setAccessibleName(QStringLiteral("Use"));
    connect(m_cmdUse, &QPushButton::clicked, this, &FrmTap::use);

    m_cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdCancel->setAccessibleName(QStringLiteral("Cancel"));
    connect(m_cmdCancel, &QPushButton::clicked, this, &QWidget::close);

    auto* grid = new QGridLayout(this);
    grid->addWidget(lblHint, 0, 0, 1, 2);
    grid->addWidget(m_cmdTap, 1, 0, 1, 2);
    grid->addWidget(m_lblTempo, 2, 0, 1, 2);
    grid->addWidget(m_lblTaps, 3, 0, 1, 2);
    grid->addWidget(m_cmdUse, 4, 0);
    grid->addWidget(m_cmdCancel, 4, 1);
    setTabOrder(m_cmdTap, m_cmdUse);
    setTabOrder(m_cmdUse, m_cmdCancel);

    showEstimate();
    m_lblTempo->setMinimumHeight(m_lblTempo->sizeHint().height());
    setFixedSize(sizeHint());
    paintGradient(palette::calculatorBack, palette::calculatorFill, paint::GRADIENT_FILL_RECT_H);
}

void FrmTap::open() {
    m_taps.clear();
    showEstimate();
    if (!isVisible()) {
        create();
        centreOverOwner(*this);
    }
    show();
    raise();
    activateWindow();
    m_cmdTap->setFocus();
}

void FrmTap::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Buttons outside a dialog do not take Enter: on "Use" or "Cancel" it chooses
        // that button, anywhere else it is a tap.
        if (focusWidget() == m_cmdUse || focusWidget() == m_cmdCancel) {
            static_cast<QPushButton*>(focusWidget())->click();
        } else if (!event->isAutoRepeat()) {
            tap();
        }
        return;
    default:
        GradientSurface::keyPressEvent(event);
    }
}

void FrmTap::closeEvent(QCloseEvent* event) {
    m_taps.clear();
    returnActivation(*this);
    event->accept();
}

void FrmTap::tap() {
    m_taps.tap(m_clock.now());
    showEstimate();
}

void FrmTap::use() {
    if (!m_shownTempo) {
        return;
    }
    const double tempo = *m_shownTempo;
    // Gone before the main window checks the tempo, so that its message, if any, is not
    // hidden behind this window.
    close();
    emit tempoChosen(tempo);
}

void FrmTap::showEstimate() {
    m_shownTempo.reset();
    const std::optional<tactora::Checked> bpm = m_taps.beatsPerMinute();
    if (bpm && bpm->ok()) {
        m_shownTempo = tactora::roundToPlaces(bpm->value, tempoPlaces);
    }

    if (m_shownTempo) {
        const tactora::Checked hz = tactora::checkedDiv(*m_shownTempo, 60.0);
        m_lblTempo->setText(
            QStringLiteral("%1 BPM = %2 Hz")
                .arg(toDisplayText(*m_shownTempo), hz.ok() ? toDisplayText(hz.value) : outOfRangeMark()));
    } else {
        m_lblTempo->setText(bpm ? outOfRangeMark() : QStringLiteral("No tempo yet"));
    }
    m_lblTaps->setText(m_taps.tapCount() < 2
                           ? QStringLiteral("Tap at least twice; after two seconds without a tap "
                                            "the count starts over.")
                           : QStringLiteral("%1 taps, the last eight count.").arg(m_taps.tapCount()));
    m_lblTempo->setAccessibleName(m_lblTempo->text());
    m_lblTaps->setAccessibleName(m_lblTaps->text());
    m_cmdUse->setEnabled(m_shownTempo.has_value());
}
