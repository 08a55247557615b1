// The icon files the build makes from the XPM source: the PNGs of the desktop theme and the
// Windows icon file.

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTest>
#include <QtEndian>

class IconFilesTest : public QObject {
    Q_OBJECT

private slots:
    void fileShowsTheSourceScaledByAWholeFactor_data();
    void fileShowsTheSourceScaledByAWholeFactor();
    void iconFileHoldsOne16ColourImageAt4Bits();
};

void IconFilesTest::fileShowsTheSourceScaledByAWholeFactor_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<int>("size");

    for (const int size : {16, 32, 48, 64}) {
        QTest::addRow("png %d", size)
            << QStringLiteral(TACTORA_ICON_PNG_PATTERN).arg(size) << QByteArray("png") << size;
    }
    QTest::newRow("ico") << QStringLiteral(TACTORA_ICON_ICO) << QByteArray("ico") << 16;
}

void IconFilesTest::fileShowsTheSourceScaledByAWholeFactor() {
    QFETCH(QString, path);
    QFETCH(QByteArray, format);
    QFETCH(int, size);

    const QImage source = QImage(QStringLiteral(TACTORA_ICON_XPM)).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(source.size(), QSize(16, 16));
    QImageReader reader(path, format);
    const QImage made = reader.read().convertToFormat(QImage::Format_ARGB32);
    QVERIFY2(!made.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(made.size(), QSize(size, size));
    // Every pixel repeats its source pixel, unblended.
    const int factor = size / 16;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            QCOMPARE(made.pixel(x, y), source.pixel(x / factor, y / factor));
        }
    }
}

void IconFilesTest::iconFileHoldsOne16ColourImageAt4Bits() {
    QFile file(QStringLiteral(TACTORA_ICON_ICO));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    // Directory and entry, bitmap header, 16 palette entries, 4-bit pixels and a 1-bit mask.
    QCOMPARE(bytes.size(), 6 + 16 + 40 + 16 * 4 + 16 * 16 / 2 + 16 * 4);
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    const auto u16 = [data](int offset) { return qFromLittleEndian<quint16>(data + offset); };
    const auto u32 = [data](int offset) { return qFromLittleEndian<quint32>(data + offset); };

    QCOMPARE(u16(4), 1); // one image
    // Its entry: 16 x 16, 16 colours, 4 bits a pixel.
    QCOMPARE(QByteArray(bytes.constData() + 6, 3), QByteArray("\x10\x10\x10"));
    QCOMPARE(u16(12), 4);
    // Its header: the height counts colour bitmap and mask together.
    QCOMPARE(u32(22 + 8), 32u);
    QCOMPARE(u16(22 + 14), 4);
}

QTEST_MAIN(IconFilesTest)
#include "icon_files_test.moc"
