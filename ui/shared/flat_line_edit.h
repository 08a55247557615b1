#pragma once

#include <QColor>
#include <QLineEdit>

// A single-line text box with a flat one-pixel border in a colour of its own, on an opaque
// or a transparent background (through which the window's gradient shows).
class FlatLineEdit : public QLineEdit {
    Q_OBJECT

public:
    struct Look {
        QColor text;
        QColor background;
        QColor border;
        QColor focusBorder; // while the box has the focus; the border's colour if left invalid
    };

    FlatLineEdit(const Look& look, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_border;
    QColor m_focusBorder;
};
