// What the About and Help windows share: a fixed tool window over its parent, a label stack
// over a vertical gradient, loaded afresh at each opening and unloaded at closing.

#include "tests/ui/info/opened_window.h"

#include "ui/info/frm_about.h"
#include "ui/info/frm_help.h"
#include "ui/info/info_label.h"

#include <QtTest>

#include <cstdlib>
#include <functional>
#include <memory>

namespace {

using WindowFactory = std::function<LabelStackWindow*(QWidget* parent)>;

struct Rgb {
    int red;
    int green;
    int blue;
};

Rgb rgbAt(const QImage& image, int x, int y) {
    const QRgb pixel = image.pixel(x, y);
    return {qRed(pixel), qGreen(pixel), qBlue(pixel)};
}

bool within(const Rgb& seen, const Rgb& expected, int tolerance) {
    return std::abs(seen.red - expected.red) <= tolerance &&
           std::abs(seen.green - expected.green) <= tolerance &&
           std::abs(seen.blue - expected.blue) <= tolerance;
}

QByteArray describe(const Rgb& colour) {
    return QByteArray("(") + QByteArray::number(colour.red) + ", " + QByteArray::number(colour.green) + ", " +
           QByteArray::number(colour.blue) + ")";
}

} // namespace

Q_DECLARE_METATYPE(WindowFactory)

class InfoWindowsTest : public QObject {
    Q_OBJECT

private:
    void addWindowRows();

    std::unique_ptr<QWidget> m_parent;

private slots:
    void init();
    void cleanup();

    void opensAsFixedModalToolWindow_data() { addWindowRows(); }
    void opensAsFixedModalToolWindow();
    void opensCentredOverItsParent_data() { addWindowRows(); }
    void opensCentredOverItsParent();
    void labelsStackOneUnderAnother_data() { addWindowRows(); }
    void labelsStackOneUnderAnother();
    void laterResizeEventMovesNothing_data() { addWindowRows(); }
    void laterResizeEventMovesNothing();
    void reopeningShowsTheSameAndKeepsNoOldMembers_data() { addWindowRows(); }
    void reopeningShowsTheSameAndKeepsNoOldMembers();
    void backgroundShadesFromLightGreyToTealTopToBottom_data() { addWindowRows(); }
    void backgroundShadesFromLightGreyToTealTopToBottom();
};

void InfoWindowsTest::addWindowRows() {
    QTest::addColumn<WindowFactory>("makeWindow");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("innerSize");
    QTest::addColumn<int>("memberCount");

    QTest::newRow("About") << WindowFactory([](QWidget* parent) { return new FrmAbout(parent); })
                           << QStringLiteral("About") << QSize(417, 230) << 7;
    QTest::newRow("Help") << WindowFactory([](QWidget* parent) { return new FrmHelp(parent); })
                          << QStringLiteral("Help") << QSize(417, 204) << 14;
}

void InfoWindowsTest::init() {
    // Stands in for the main window that owns the information windows.
    m_parent = std::make_unique<QWidget>();
    m_parent->setGeometry(200, 150, 251, 368);
    m_parent->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_parent.get()));
}

void InfoWindowsTest::cleanup() {
    m_parent.reset();
}

void InfoWindowsTest::opensAsFixedModalToolWindow() {
    QFETCH(WindowFactory, makeWindow);
    QFETCH(QString, caption);
    QFETCH(QSize, innerSize);
    LabelStackWindow* window = makeWindow(m_parent.get());

    const OpenedWindow seen = openAndClose(*window);

    QVERIFY(seen.wasVisible);
    QVERIFY(seen.wasActiveModal);
    // Only the caption bar's close button closes it.
    QVERIFY(seen.stayedOpenAfterEscape);
    QVERIFY(!window->isVisible());
    QCOMPARE(seen.title, caption);
    QCOMPARE(seen.size, innerSize);
    QCOMPARE(seen.minimumSize, innerSize);
    QCOMPARE(seen.maximumSize, innerSize);
    // A tool window has a small caption bar and no task bar button.
    QCOMPARE(seen.flags & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(seen.flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!seen.flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!seen.flags.testFlag(Qt::WindowMaximizeButtonHint));
}

void InfoWindowsTest::opensCentredOverItsParent() {
    QFETCH(WindowFactory, makeWindow);
    LabelStackWindow* window = makeWindow(m_parent.get());

    for (int opening = 1; opening <= 2; ++opening) {
        const OpenedWindow seen = openAndClose(*window);
        const QPoint offset = seen.geometry.center() - m_parent->geometry().center();
        QVERIFY2(std::abs(offset.x()) <= 1 && std::abs(offset.y()) <= 1,
                 qPrintable(QStringLiteral("opening %1 is off centre by (%2, %3)")
                                .arg(opening)
                                .arg(offset.x())
                                .arg(offset.y())));
        // Wherever the user leaves it, the next opening starts centred again.
        window->move(0, 0);
    }
}

void InfoWindowsTest::labelsStackOneUnderAnother() {
    QFETCH(WindowFactory, makeWindow);
    QFETCH(int, memberCount);
    LabelStackWindow* window = makeWindow(m_parent.get());

    const OpenedWindow seen = openAndClose(*window);

    QCOMPARE(seen.infoLabelCount, memberCount);
    QCOMPARE(static_cast<int>(seen.labels.size()), memberCount);
    QCOMPARE(seen.labels.front().geometry.topLeft(), QPoint(8, 8));
    for (int i = 0; i < memberCount; ++i) {
        const SeenLabel& label = seen.labels[static_cast<std::size_t>(i)];
        const QByteArray name = "Lbl(" + QByteArray::number(i) + ")";
        QVERIFY2(label.visible, name);
        QCOMPARE(label.geometry.left(), 8);
        QCOMPARE(label.geometry.width(), 401);
        QVERIFY2(label.geometry.height() >= label.oneLineHeight, name);
        if (i > 0) {
            const QRect& above = seen.labels[static_cast<std::size_t>(i - 1)].geometry;
            QVERIFY2(label.geometry.top() == above.top() + above.height(), name);
        }
    }
}

void InfoWindowsTest::laterResizeEventMovesNothing() {
    QFETCH(WindowFactory, makeWindow);
    LabelStackWindow* window = makeWindow(m_parent.get());

    const OpenedWindow seen = openAndClose(*window);

    QCOMPARE(seen.geometriesAfterResizeEvent.size(), seen.labels.size());
    for (std::size_t i = 0; i < seen.labels.size(); ++i) {
        QCOMPARE(seen.geometriesAfterResizeEvent[i], seen.labels[i].geometry);
    }
}

void InfoWindowsTest::reopeningShowsTheSameAndKeepsNoOldMembers() {
    QFETCH(WindowFactory, makeWindow);
    QFETCH(int, memberCount);
    LabelStackWindow* window = makeWindow(m_parent.get());
    const InfoLabel* lbl0 = window->Lbl(0);
    const Qt::Alignment designedAlignment = lbl0->alignment();

    const OpenedWindow first = openAndClose(*window);

    // Closing destroys the created members and returns Lbl(0) to its first place, alignment and text.
    QCOMPARE(window->findChildren<InfoLabel*>().size(), 1);
    QCOMPARE(window->Lbl(0), lbl0);
    QCOMPARE(window->LblUBound(), 0);
    QCOMPARE(lbl0->caption(), QString());
    QCOMPARE(lbl0->geometry(), QRect(8, 8, 401, 13));
    QCOMPARE(lbl0->alignment(), designedAlignment);

    const OpenedWindow second = openAndClose(*window);

    QCOMPARE(second.infoLabelCount, memberCount);
    QCOMPARE(second.labels.size(), first.labels.size());
    for (std::size_t i = 0; i < first.labels.size(); ++i) {
        QCOMPARE(second.labels[i].caption, first.labels[i].caption);
        QCOMPARE(second.labels[i].geometry, first.labels[i].geometry);
        QCOMPARE(second.labels[i].alignment, first.labels[i].alignment);
    }
    QCOMPARE(second.picture, first.picture);
}

void InfoWindowsTest::backgroundShadesFromLightGreyToTealTopToBottom() {
    QFETCH(WindowFactory, makeWindow);
    QFETCH(QSize, innerSize);
    LabelStackWindow* window = makeWindow(m_parent.get());
    QCOMPARE(window->BackColor(), 0x00C0C0C0u);
    QCOMPARE(window->FillColor(), 0x00808000u);

    const OpenedWindow seen = openAndClose(*window);
    const QImage& picture = seen.picture;
    QCOMPARE(picture.size(), innerSize);

    const Rgb lightGrey{192, 192, 192};
    const Rgb teal{0, 128, 128};
    // The largest change from one row to the next: red falls from 192 to 0.
    const int oneStep = (192 + innerSize.height() - 2) / (innerSize.height() - 1);
    const int bottom = picture.height() - 1;
    for (int x = 0; x < picture.width(); ++x) {
        QVERIFY2(within(rgbAt(picture, x, 0), lightGrey, 0), describe(rgbAt(picture, x, 0)));
        QVERIFY2(within(rgbAt(picture, x, bottom), teal, oneStep), describe(rgbAt(picture, x, bottom)));
    }
    // The margins either side hold no text: the colour changes from top to bottom only.
    int previousRed = 255;
    for (int y = 0; y < picture.height(); ++y) {
        const Rgb left = rgbAt(picture, 0, y);
        const Rgb right = rgbAt(picture, picture.width() - 1, y);
        QVERIFY2(within(left, right, 0), "row " + QByteArray::number(y));
        QVERIFY2(left.red <= previousRed, "row " + QByteArray::number(y));
        previousRed = left.red;
    }
}

QTEST_MAIN(InfoWindowsTest)
#include "info_windows_test.moc"
