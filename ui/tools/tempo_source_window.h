#pragma once

#include "ui/tools/tool_window_base.h"

#include <optional>

class QPushButton;

// A tool window that finds a tempo and hands it to the main window with its "Use" button:
// the button is enabled only while there is a tempo to hand on.
class TempoSourceWindow : public ToolWindow {
    Q_OBJECT

signals:
    // The tempo in beats per minute, as shown, when the user chose "Use".
    void tempoChosen(double beatsPerMinute);

protected:
    TempoSourceWindow(QWidget& owner, const QString& objectName, const QString& caption);

    // Makes the "Use" button in the given parent, once, where the window lays it out.
    QPushButton& addUseButton(QWidget& parent);
    // The tempo "Use" hands on, as the window shows it; none disables the button.
    void offerTempo(std::optional<double> beatsPerMinute);

private:
    void use();

    std::optional<double> m_offered;
    QPushButton* m_cmdUse = nullptr;
};
