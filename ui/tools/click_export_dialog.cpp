#include "ui/tools/click_export_dialog.h"

#include "ui/tools/tool_window_base.h"

#include "ui/shared/tool_window.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

#include <algorithm>
#include <array>
#include <utility>

namespace {

// The longest track offered: a rehearsal's worth, well inside any file format's limits.
constexpr int maxExportBars = 9999;

const std::array<std::pair<ClickFileFormat, const char*>, 5> formats = {{
    {ClickFileFormat::Wav16, "WAV 16-bit"},
    {ClickFileFormat::Wav24, "WAV 24-bit"},
    {ClickFileFormat::WavFloat32, "WAV 32-bit float"},
    {ClickFileFormat::Flac16, "FLAC 16-bit"},
    {ClickFileFormat::Flac24, "FLAC 24-bit"},
}};

void addLabelled(QFormLayout& form, const QString& label, QWidget& control) {
    auto* caption = new QLabel(label, form.parentWidget());
    caption->setBuddy(&control);
    control.setAccessibleName(QString(label).remove(QLatin1Char('&')));
    form.addRow(caption, &control);
}

} // namespace

ClickExportDialog::ClickExportDialog(QWidget& owner, int bars) : QDialog(&owner) {
    setObjectName(QStringLiteral("FrmClickExport"));
    setUpToolWindow(*this, QStringLiteral("Export the click track"));
    setModal(true);
    const ClickExport defaults;
    auto* form = new QFormLayout(this);

    m_spnBars = new QSpinBox(this);
    m_spnBars->setObjectName(QStringLiteral("spnExportBars"));
    m_spnBars->setRange(1, maxExportBars);
    m_spnBars->setValue(bars);
    addLabelled(*form, QStringLiteral("&Bars"), *m_spnBars);

    m_cmbSampleRate = new QComboBox(this);
    m_cmbSampleRate->setObjectName(QStringLiteral("cmbExportSampleRate"));
    addSampleRates(*m_cmbSampleRate);
    addLabelled(*form, QStringLiteral("Sample &rate"), *m_cmbSampleRate);

    m_cmbFormat = new QComboBox(this);
    m_cmbFormat->setObjectName(QStringLiteral("cmbExportFormat"));
    for (const auto& [format, name] : formats) {
        m_cmbFormat->addItem(QString::fromLatin1(name), static_cast<int>(format));
    }
    m_cmbFormat->setCurrentIndex(m_cmbFormat->findData(static_cast<int>(defaults.format)));
    addLabelled(*form, QStringLiteral("&Format"), *m_cmbFormat);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("exportButtons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    // Wide enough for the window manager to show the whole caption, which it often draws in
    // bold, beside its icon and buttons, which take about ten lines' height of room.
    QFont captionFont = font();
    captionFont.setBold(true);
    const QFontMetrics caption(captionFont);
    const int captionRoom = caption.horizontalAdvance(windowTitle()) + 10 * caption.height();
    setFixedSize(std::max(sizeHint().width(), captionRoom), sizeHint().height());
}

void ClickExportDialog::fillRequest(ClickExport& request) const {
    request.bars = m_spnBars->value();
    request.sampleRate = m_cmbSampleRate->currentData().toInt();
    request.format = static_cast<ClickFileFormat>(m_cmbFormat->currentData().toInt());
}

QString clickFileSuffix(ClickFileFormat format) {
    const bool flac = format == ClickFileFormat::Flac16 || format == ClickFileFormat::Flac24;
    return flac ? QStringLiteral(".flac") : QStringLiteral(".wav");
}

QString clickFileFilter(ClickFileFormat format) {
    return clickFileSuffix(format) == QStringLiteral(".flac") ? QStringLiteral("FLAC files (*.flac)")
                                                              : QStringLiteral("WAV files (*.wav)");
}
