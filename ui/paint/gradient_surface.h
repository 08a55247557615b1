#pragma once

#include <QImage>
#include <QWidget>

#include <cstdint>

// A widget whose background is a gradient painted once, when its window loads, and kept:
// paint events only copy the kept image, so nothing is computed per paint. A horizontal
// gradient is the same in every row and a vertical one in every column, so only one row or
// one column is kept, and stretched over the area when painted.
class GradientSurface : public QWidget {
    Q_OBJECT

public:
    explicit GradientSurface(QWidget* parent = nullptr);

    // Paints the whole inner area at the screen's pixel ratio, from the first colour
    // (0x00BBGGRR) to the second, in GRADIENT_FILL_RECT_H or GRADIENT_FILL_RECT_V.
    void paintGradient(std::uint32_t firstColour, std::uint32_t secondColour, std::uint32_t mode);

    // The kept row or column, in device pixels; null until painted.
    const QImage& background() const { return m_background; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_background;
    // The painted area, in device pixels, and their ratio to the widget's.
    QSize m_area;
    qreal m_ratio = 1.0;
};
