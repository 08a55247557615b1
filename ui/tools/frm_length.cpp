#include "ui/tools/frm_length.h"

#include "ui/tools/length_tempo_panel.h"
#include "ui/tools/stretch_panel.h"

#include "ui/shared/calc_outcome.h"

#include <QVBoxLayout>

FrmLength::FrmLength(QWidget& owner)
    : TempoSourceWindow(owner, QStringLiteral("FrmLength"), QStringLiteral("Tempo from length")),
      m_lengthPanel(new LengthTempoPanel(*this)) {
    // The tempo counts the main window's bar as a whole note whatever its beats per bar, so
    // with other than four to the bar its bars length for this tempo differs from the length
    // typed here.
    connect(m_lengthPanel, &LengthTempoPanel::tempoShown, this, &FrmLength::offerTempo);
    m_lengthPanel->addButton(addUseButton(*m_lengthPanel));
    m_stretchPanel = new StretchPanel(*this);

    // One above the other, the window is narrow enough to stand beside the main window.
    auto* column = new QVBoxLayout(this);
    column->addWidget(m_lengthPanel);
    column->addWidget(m_stretchPanel);
    fixSizeAndPaint();
}

void FrmLength::open(const CalcOutcome& outcome) {
    if (outcome.kind == CalcOutcome::Kind::Results) {
        m_lengthPanel->fill(outcome);
        m_stretchPanel->fill(outcome);
    }
    present();
    m_lengthPanel->focusLength();
}
