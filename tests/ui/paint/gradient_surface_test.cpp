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
    GradientSurface* m_surface = nullptr;
};

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
    const QImage& background = m_surface->background();

    QCOMPARE(shown.size(), background.size());
    const int right = shown.width() - 1;
    const int bottom = shown.height() - 1;
    QCOMPARE(shown.pixel(0, 0), qRgb(64, 64, 64));
    QCOMPARE(shown.pixel(0, bottom), qRgb(64, 64, 64));
    QVERIFY(qAbs(qGray(shown.pixel(right, bottom)) - 128) <= 1);
    // Away from the label, the window shows the kept background pixel for pixel.
    QCOMPARE(shown.copy(0, shown.height() / 2, shown.width(), shown.height() / 2),
             background.copy(0, background.height() / 2, background.width(), background.height() / 2));
}

void GradientSurfaceTest::transparentChildShowsTheGradientThrough() {
    auto* label = m_surface->findChild<QLabel*>(QStringLiteral("transparentLabel"));
    QVERIFY(label != nullptr);
    const QImage shown = m_surface->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage& background = m_surface->background();

    // The text sits at the label's bottom, so its top band holds no glyph: there the
    // window must show the gradient, not a label background.
    const qreal ratio = m_surface->devicePixelRatioF();
    const QRect band(QPoint(label->x(), label->y()) * ratio, QSize(label->width(), 10) * ratio);
    QCOMPARE(shown.copy(band), background.copy(band));
    // And the label is really there: its text changes some pixels further down.
    const QRect textArea(label->geometry().topLeft() * ratio, label->size() * ratio);
    QVERIFY(shown.copy(textArea) != background.copy(textArea));
}

QTEST_MAIN(GradientSurfaceTest)
#include "gradient_surface_test.moc"
