#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <QWidget>

#include <vector>

class LabelStackWindow;

// What one member of the label array looked like while the window was open.
struct SeenLabel {
    QString caption;   // the text model, line breaks as CR LF
    QString shownText; // what the label displays
    QRect geometry;    // within the inner area
    Qt::Alignment alignment;
    bool visible = false;
    int oneLineHeight = 0; // of the label's font
};

// Everything a test looks at while an information window is open. The window is modal, so
// it is read from a timer inside the modal loop and closed there; the checks run after
// showModal() has returned, so that a failing check can never leave the window open.
struct OpenedWindow {
    bool wasVisible = false;
    bool wasActiveModal = false;
    bool stayedOpenAfterEscape = false;
    QString title;
    QSize size;
    QSize minimumSize;
    QSize maximumSize;
    Qt::WindowFlags flags;
    QRect geometry;                                // on the screen
    int infoLabelCount = 0;                        // every label of the array that exists, however named
    std::vector<SeenLabel> labels;                 // Lbl(0), Lbl(1), ... as found by name
    std::vector<QRect> geometriesAfterResizeEvent; // the same labels after one more resize event
    QImage picture;                                // the window as drawn
};

// Opens the window with showModal(), records it and closes it with its close button's
// event; returns once showModal() has returned.
OpenedWindow openAndClose(LabelStackWindow& window);

// The members of the label array that exist right now, by name "Lbl(i)".
std::vector<QWidget*> existingLabels(const QWidget& window);
