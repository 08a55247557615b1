#include "ui/paint/gradient_painter.h"

#include <QImage>
#include <QTest>

#include <array>
#include <cstdlib>

using namespace paint;

namespace {

constexpr QRgb untouched = 0xFF123456;

QImage blankImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(untouched);
    return image;
}

bool withinOneStep(QRgb actual, QRgb expected) {
    return std::abs(qRed(actual) - qRed(expected)) <= 1 && std::abs(qGreen(actual) - qGreen(expected)) <= 1 &&
           std::abs(qBlue(actual) - qBlue(expected)) <= 1;
}

// No channel of `current` is further from `target` than the same channel of `previous`.
bool nearerOrEqual(QRgb current, QRgb previous, QRgb target) {
    const auto distance = [target](QRgb colour) {
        return std::array{std::abs(qRed(target) - qRed(colour)), std::abs(qGreen(target) - qGreen(colour)),
                          std::abs(qBlue(target) - qBlue(colour))};
    };
    const auto now = distance(current);
    const auto before = distance(previous);
    return now[0] <= before[0] && now[1] <= before[1] && now[2] <= before[2];
}

// The colour (r, g, b) as the program's windows report it.
constexpr std::uint32_t windowsColour(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return red | (green << 8) | (blue << 16);
}

} // namespace

class GradientPainterTest : public QObject {
    Q_OBJECT

private slots:
    void makeVertexWidensEachChannel_data();
    void makeVertexWidensEachChannel();
    void paintGradientSpansExactlyTheGivenArea();
    void gradientFillBlendsAlongOneAxisOnly_data();
    void gradientFillBlendsAlongOneAxisOnly();
    void gradientFillClipsToTheImage();
    void gradientFillRefusesBadArguments_data();
    void gradientFillRefusesBadArguments();
};

void GradientPainterTest::makeVertexWidensEachChannel_data() {
    QTest::addColumn<std::uint32_t>("colour");
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");

    QTest::newRow("white") << std::uint32_t{0x00FFFFFF} << 65535 << 65535 << 65535;
    QTest::newRow("grey") << std::uint32_t{0x00808080} << 32896 << 32896 << 32896;
    QTest::newRow("dark grey") << std::uint32_t{0x00404040} << 16448 << 16448 << 16448;
    QTest::newRow("light grey") << std::uint32_t{0x00C0C0C0} << 49344 << 49344 << 49344;
    QTest::newRow("black") << std::uint32_t{0x00000000} << 0 << 0 << 0;
    QTest::newRow("teal: byte 0 is red") << std::uint32_t{0x00808000} << 0 << 32896 << 32896;
    QTest::newRow("byte order") << std::uint32_t{0x00C08040} << 16448 << 32896 << 49344;
    QTest::newRow("byte 3 ignored") << std::uint32_t{0xFF000080} << 32896 << 0 << 0;
}

void GradientPainterTest::makeVertexWidensEachChannel() {
    QFETCH(std::uint32_t, colour);
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);

    const TRIVERTEX vertex = MakeVertex(-7, 123, colour);

    QCOMPARE(vertex.x, -7);
    QCOMPARE(vertex.y, 123);
    QCOMPARE(int{vertex.Red}, red);
    QCOMPARE(int{vertex.Green}, green);
    QCOMPARE(int{vertex.Blue}, blue);
    QCOMPARE(int{vertex.Alpha}, 0);
}

void GradientPainterTest::paintGradientSpansExactlyTheGivenArea() {
    // Black to white over 4 columns: the second vertex sits at column 4, just past the
    // last painted column, so that column stops one step short of white.
    QImage image = blankImage(6, 3);
    PaintGradient(image, 0x00000000, 0x00FFFFFF, 4, 2, GRADIENT_FILL_RECT_H);

    const std::array<int, 4> expected{0, 63, 127, 191};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) {
            QCOMPARE(image.pixel(x, y), qRgb(expected[x], expected[x], expected[x]));
        }
        QCOMPARE(image.pixel(4, y), untouched);
        QCOMPARE(image.pixel(5, y), untouched);
    }
    for (int x = 0; x < 6; ++x) {
        QCOMPARE(image.pixel(x, 2), untouched);
    }
}

void GradientPainterTest::gradientFillBlendsAlongOneAxisOnly_data() {
    QTest::addColumn<std::uint32_t>("mode");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<std::uint32_t>("first");
    QTest::addColumn<std::uint32_t>("second");

    QTest::newRow("main window: dark grey to grey, left to right")
        << GRADIENT_FILL_RECT_H << QSize(400, 300) << windowsColour(64, 64, 64)
        << windowsColour(128, 128, 128);
    QTest::newRow("information windows: light grey to teal, top to bottom")
        << GRADIENT_FILL_RECT_V << QSize(300, 200) << windowsColour(192, 192, 192)
        << windowsColour(0, 128, 128);
    QTest::newRow("falling and rising channels, left to right")
        << GRADIENT_FILL_RECT_H << QSize(256, 3) << windowsColour(255, 0, 128) << windowsColour(0, 255, 128);
    QTest::newRow("falling and rising channels, top to bottom")
        << GRADIENT_FILL_RECT_V << QSize(3, 256) << windowsColour(255, 0, 128) << windowsColour(0, 255, 128);
}

void GradientPainterTest::gradientFillBlendsAlongOneAxisOnly() {
    QFETCH(std::uint32_t, mode);
    QFETCH(QSize, size);
    QFETCH(std::uint32_t, first);
    QFETCH(std::uint32_t, second);

    QImage image = blankImage(size.width(), size.height());
    const std::array<TRIVERTEX, 2> vertices{MakeVertex(0, 0, first),
                                            MakeVertex(size.width(), size.height(), second)};
    const GRADIENT_RECT rect{0, 1};
    QVERIFY(GradientFill(image, vertices.data(), 2, &rect, 1, mode));

    // Read the image along the blend: columns for left to right, rows for top to bottom.
    const bool horizontal = mode == GRADIENT_FILL_RECT_H;
    const int length = horizontal ? size.width() : size.height();
    const int across = horizontal ? size.height() : size.width();
    const auto at = [&](int along, int other) {
        return horizontal ? image.pixel(along, other) : image.pixel(other, along);
    };
    const QRgb firstColour = qRgb(first & 0xFF, (first >> 8) & 0xFF, (first >> 16) & 0xFF);
    const QRgb secondColour = qRgb(second & 0xFF, (second >> 8) & 0xFF, (second >> 16) & 0xFF);

    QCOMPARE(at(0, 0), firstColour);
    QVERIFY2(withinOneStep(at(length - 1, 0), secondColour), "the far edge does not reach the second colour");
    for (int along = 0; along < length; ++along) {
        for (int other = 1; other < across; ++other) {
            QCOMPARE(at(along, other), at(along, 0));
        }
        // Each channel moves steadily towards the second colour, never back.
        QVERIFY(along == 0 || nearerOrEqual(at(along, 0), at(along - 1, 0), secondColour));
    }
}

void GradientPainterTest::gradientFillClipsToTheImage() {
    // A rectangle from (2, 1) to (12, 9) on a 6 x 4 image: only its part inside the image is
    // painted, with the colours it has on an image large enough to hold all of it.
    const std::array<TRIVERTEX, 2> vertices{MakeVertex(2, 1, 0x00000000), MakeVertex(12, 9, 0x00FFFFFF)};
    const GRADIENT_RECT rect{0, 1};
    QImage whole = blankImage(12, 9);
    QVERIFY(GradientFill(whole, vertices.data(), 2, &rect, 1, GRADIENT_FILL_RECT_H));

    QImage clipped = blankImage(6, 4);
    QVERIFY(GradientFill(clipped, vertices.data(), 2, &rect, 1, GRADIENT_FILL_RECT_H));

    QCOMPARE(clipped, whole.copy(0, 0, 6, 4));
    QCOMPARE(clipped.pixel(1, 1), untouched);
    QCOMPARE(clipped.pixel(2, 0), untouched);
    QVERIFY(clipped.pixel(5, 3) != untouched);
}

void GradientPainterTest::gradientFillRefusesBadArguments_data() {
    QTest::addColumn<std::uint32_t>("upperLeft");
    QTest::addColumn<std::uint32_t>("lowerRight");
    QTest::addColumn<QPoint>("secondCorner");
    QTest::addColumn<std::uint32_t>("mode");

    QTest::newRow("upper-left index past the vertices") << 2u << 1u << QPoint(8, 8) << GRADIENT_FILL_RECT_H;
    QTest::newRow("lower-right index past the vertices") << 0u << 2u << QPoint(8, 8) << GRADIENT_FILL_RECT_V;
    QTest::newRow("no width") << 0u << 1u << QPoint(0, 8) << GRADIENT_FILL_RECT_H;
    QTest::newRow("no height") << 0u << 1u << QPoint(8, 0) << GRADIENT_FILL_RECT_V;
    QTest::newRow("triangle mode") << 0u << 1u << QPoint(8, 8) << 2u;
}

void GradientPainterTest::gradientFillRefusesBadArguments() {
    QFETCH(std::uint32_t, upperLeft);
    QFETCH(std::uint32_t, lowerRight);
    QFETCH(QPoint, secondCorner);
    QFETCH(std::uint32_t, mode);

    QImage image = blankImage(8, 8);
    const std::array<TRIVERTEX, 2> vertices{MakeVertex(0, 0, 0x00FFFFFF),
                                            MakeVertex(secondCorner.x(), secondCorner.y(), 0x00000000)};
    const GRADIENT_RECT rect{upperLeft, lowerRight};

    QVERIFY(!GradientFill(image, vertices.data(), 2, &rect, 1, mode));
    QCOMPARE(image, blankImage(8, 8));
}

QTEST_MAIN(GradientPainterTest)
#include "gradient_painter_test.moc"
