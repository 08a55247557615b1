#pragma once

#include <QGroupBox>

#include <optional>

struct CalcOutcome;
class FormRows;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The tempo that fits a number of bars into a length typed in seconds, milliseconds or
// samples, with the beats per second and one beat's length.
class LengthTempoPanel final : public QGroupBox {
    Q_OBJECT

public:
    explicit LengthTempoPanel(QWidget& parent);
    ~LengthTempoPanel() override;

    // Bars and beats per bar from the main window's outcome, where the user has not typed here.
    void fill(const CalcOutcome& outcome);
    void focusLength();
    // A button under the figures, at the right.
    void addButton(QPushButton& button);

signals:
    // The tempo shown in beats per minute; none while the inputs give none.
    void tempoShown(std::optional<double> beatsPerMinute);

private:
    void showTempo();

    std::unique_ptr<FormRows> m_rows;
    QLineEdit* m_txtLength;
    QComboBox* m_cmbUnit;
    QComboBox* m_cmbSampleRate;
    QLineEdit* m_txtBars;
    QLineEdit* m_txtBeatsPerBar;
    QLabel* m_lblBpm;
    QLabel* m_lblHz;
    QLabel* m_lblBeat;
    QLabel* m_lblLengthMessage;
};
