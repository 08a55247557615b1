#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTest>
#include <QtEndian>

// The icon files the build makes from the XPM source: the PNG that the Qt program shows
// (also built into the program's resources) and the Windows icon file for the resource script.
class IconFilesTest : public QObject {
    Q_OBJECT

private slots:
    void convertedFileKeepsTheSourcePixels_data();
    void convertedFileKeepsTheSourcePixels();
    void iconFileHoldsOne16ColourImage();
};

void IconFilesTest::convertedFileKeepsTheSourcePixels_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("format");

    QTest::newRow("png") << QStringLiteral(TACTORA_ICON_PNG) << QByteArray("png");
    QTest::newRow("ico") << QStringLiteral(TACTORA_ICON_ICO) << QByteArray("ico");
    QTest::newRow("png in the program's resources")
        << QStringLiteral(":/icons/tactora04.png") << QByteArray("png");
}

void IconFilesTest::convertedFileKeepsTheSourcePixels() {
    QFETCH(QString, path);
    QFETCH(QByteArray, format);
    if (!QImageReader::supportedImageFormats().contains(format)) {
        QSKIP("This Qt cannot read the format; the icon file's structure is checked separately.");
    }

    const QImage source(QStringLiteral(TACTORA_ICON_XPM));
    QCOMPARE(source.size(), QSize(16, 16));
    QImageReader reader(path, format);
    const QImage converted = reader.read();
    QVERIFY2(!converted.isNull(), qPrintable(reader.errorString()));

    QCOMPARE(converted.size(), QSize(16, 16));
    QCOMPARE(converted.convertToFormat(QImage::Format_ARGB32), source.convertToFormat(QImage::Format_ARGB32));
}

void IconFilesTest::iconFileHoldsOne16ColourImage() {
    QFile file(QStringLiteral(TACTORA_ICON_ICO));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.size() >= 6 + 16 + 40);
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    const auto u16 = [data](int offset) { return qFromLittleEndian<quint16>(data + offset); };
    const auto u32 = [data](int offset) { return qFromLittleEndian<quint32>(data + offset); };

    // The directory: an icon (type 1) with one image.
    QCOMPARE(u16(0), 0);
    QCOMPARE(u16(2), 1);
    QCOMPARE(u16(4), 1);
    // Its entry: 16 x 16, 16 colours, 4 bits a pixel, and its bytes run to the end of the file.
    QCOMPARE(int{data[6]}, 16);
    QCOMPARE(int{data[7]}, 16);
    QCOMPARE(int{data[8]}, 16);
    QCOMPARE(u16(12), 4);
    const quint32 size = u32(14);
    const quint32 offset = u32(18);
    QCOMPARE(qint64{offset} + size, qint64{bytes.size()});
    // The image's header: the height counts colour bitmap and mask together.
    QCOMPARE(u32(offset), 40u);
    QCOMPARE(u32(offset + 4), 16u);
    QCOMPARE(u32(offset + 8), 32u);
    QCOMPARE(u16(offset + 14), 4);
}

QTEST_MAIN(IconFilesTest)
#include "icon_files_test.moc"
