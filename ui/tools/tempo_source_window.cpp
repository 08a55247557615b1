#include "ui/tools/tempo_source_window.h"

#include <QPushButton>

TempoSourceWindow::TempoSourceWindow(QWidget& owner, const QString& objectName, const QString& caption)
    : ToolWindow(owner, objectName, caption) {}

QPushButton& TempoSourceWindow::addUseButton(QWidget& parent) {
    m_cmdUse = new QPushButton(QStringLiteral("Use"), &parent);
    m_cmdUse->setObjectName(QStringLiteral("cmdUse"));
    m_cmdUse->setAccessibleName(QStringLiteral("Use"));
    m_cmdUse->setEnabled(m_offered.has_value());
    connect(m_cmdUse, &QPushButton::clicked, this, &TempoSourceWindow::use);
    return *m_cmdUse;
}

void TempoSourceWindow::offerTempo(std::optional<double> beatsPerMinute) {
    m_offered = beatsPerMinute;
    if (m_cmdUse != nullptr) {
        m_cmdUse->setEnabled(m_offered.has_value());
    }
}

void TempoSourceWindow::use() {
    if (!m_offered) {
        return;
    }
    const double tempo = *m_offered;
    // Gone before the main window checks the tempo, so that its message, if any, is not
    // hidden behind this window.
    close();
    emit tempoChosen(tempo);
}
