#pragma once

#include "audio/click_player.h"

#include <QDialog>

class QComboBox;
class QSpinBox;

// Asks what click track to write: how many bars, at which sample rate, in which format. The
// rest of the track is what the metronome would play now.
class ClickExportDialog final : public QDialog {
    Q_OBJECT

public:
    // Offers this many bars, kept within the range it takes.
    ClickExportDialog(QWidget& owner, int bars);

    // Fills in the bars, rate and format chosen.
    void fillRequest(ClickExport& request) const;

private:
    QSpinBox* m_spnBars = nullptr;
    QComboBox* m_cmbSampleRate = nullptr;
    QComboBox* m_cmbFormat = nullptr;
};

// The file name's ending for the format, with its dot, and the save box's filter for it.
QString clickFileSuffix(ClickFileFormat format);
QString clickFileFilter(ClickFileFormat format);
