#include "ui/paint/gradient_painter.h"
#include "ui/paint/gradient_surface.h"

#include <QLabel>
#include <QTest>

// Run once at the screen's own pixel ratio and again under QT_SCALE_FACTOR, so that the
// kept background is also checked where device pixels and widget pixels differ.
class GradientSurfaceTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void gradientCoversEveryDevicePixel_data();
    void gradientCoversEveryDevicePixel();
    void shownWindowShowsTheGradient();
    void transparentChildShowsTheGradientThrough();

private:
    // The kept row repeated over an area of the shown image (null if the area leaves it).
    QImage keptRowOver(const QImage& shown, const QRect& area) const;

    GradientSurface* m_surface = nullptr;
};

QImage GradientSurfaceTest::keptRowOver(const QImage& shown, const QRect& area) const {
    const QImage row = m_surface->background().convertToFormat(QImage::Format_RGB32);
    QImage expected(area.size(), QImage::Format_RGB32);
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x) {
            expected.setPixel(x, y, row.pixel(area.left() + x, 0));
        }
    }
    expected.setDevicePixelRatio(shown.devicePixelRatio());
    return expected.size() == shown.copy(area).size() ? expected : QImage();
}

void GradientSurfaceTest::init() {
    m_surface = new GradientSurface;
    m_surface->setObjectName(QStringLiteral("surface"));
    m_surface->setAccessibleName(QStringLiteral("Gradient surface"));
    m_surface->setFixedSize(301, 201);
    auto* label = new QLabel(QStringLiteral("Tempo"), m_surface);
    label->setObjectName(QStringLiteral("transparentLabel"));
    label->setAccessibleName(QStringLiteral("Transparent label"));
    label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    label->setGeometry(40, 40, 120, 60);
    m_surface->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_surface));
    m_surface->paintGradient(0x00404040, 0x00808080, paint::GRADIENT_FILL_RECT_H);
}

void GradientSurfaceTest::cleanup() {
    delete m_surface;
    m_surface = nullptr;
}

void GradientSurfaceTest::gradientCoversEveryDevicePixel_data() {
    QTest::addColumn<QSize>("size");

    // At a ratio of 1.5 the width of one and the height of the other land on a half device
    // pixel (376.5 and 58.5), which the platform rounds up.
    QTest::newRow("main window's client area") << QSize(251, 368);
    QTest::newRow("result window") << QSize(249, 39);
}

void GradientSurfaceTest::gradientCoversEveryDevicePixel() {
    QFETCH(QSize, size);

    GradientSurface surface;
    surface.setFixedSize(size);
    surface.paintGradient(0x00404040, 0x00808080, paint::GRADIENT_FILL_RECT_H);

    const qreal ratio = surface.devicePixelRatioF();
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
        QCOMPARE(ratio, qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
    }
    // The grab has one pixel per device pixel of the window, sized as the platform sizes it;
    // a pixel the gradient leaves out shows the plain window colour there.
    const QImage shown = surface.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const int right = shown.width() - 1;
    const int bottom = shown.height() - 1;
    for (int y = 0; y <= bottom; ++y) {
        const QRgb pixel = shown.pixel(right, y);
        QVERIFY2(
            qAlpha(pixel) == 255 && qAbs(qGray(pixel) - 128) <= 1,
            qPrintable(QStringLiteral("right edge, row %1: #%2").arg(y).arg(pixel, 8, 16, QLatin1Char('0'))));
    }
    for (int x = 0; x <= right; ++x) {
        QCOMPARE(shown.pixel(x, bottom), shown.pixel(x, 0));
    }
}

void GradientSurfaceTest::shownWindowShowsTheGradient() {
    const QImage shown = m_surface->grab().toImage().convertToFormat(QImage::Format_RGB32);

    QCOMPARE(m_surface->background().size(), QSize(shown.width(), 1));
    const int right = shown.width() - 1;
    const int bottom = shown.height() - 1;
    QCOMPARE(shown.pixel(0, 0), qRgb(64, 64, 64));
    QCOMPARE(shown.pixel(0, bottom), qRgb(64, 64, 64));
    QVERIFY(qAbs(qGray(shown.pixel(right, bottom)) - 128) <= 1);
    // Away from the label, every row of the window shows the kept row pixel for pixel.
    const QRect lowerHalf(0, shown.height() / 2, shown.width(), shown.height() - shown.height() / 2);
    QCOMPARE(shown.copy(lowerHalf), keptRowOver(shown, lowerHalf));
}

void GradientSurfaceTest::transparentChildShowsTheGradientThrough() {
    auto* label = m_surface->findChild<QLabel*>(QStringLiteral("transparentLabel"));
    QVERIFY(label != nullptr);
    const QImage shown = m_surface->grab().toImage().convertToFormat(QImage::Format_RGB32);

    // The text sits at the label's bottom, so its top band holds no glyph: there the
    // window must show the gradient, not a label background.
    const qreal ratio = m_surface->devicePixelRatioF();
    const QRect band(QPoint(label->x(), label->y()) * ratio, QSize(label->width(), 10) * ratio);
    QCOMPARE(shown.copy(band), keptRowOver(shown, band));
    // And the label is really there: its text changes some pixels further down.
    const QRect textArea(label->geometry().topLeft() * ratio, label->size() * ratio);
    QVERIFY(shown.copy(textArea) != keptRowOver(shown, textArea));
}

QTEST_MAIN(GradientSurfaceTest)
#include "gradient_surface_test.moc"
