// Makes the program's icon files from its one 16 x 16 picture:
//   make_icons SOURCE ICO PNG_PATTERN SIZE...
// writes the Windows icon file ICO and, for each SIZE, a PNG at the path PNG_PATTERN with
// every "%1" replaced by the size.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QtEndian>

#include <cstdio>

namespace {

constexpr int side = 16;
constexpr int colours = 16;

template <typename Number> void append(QByteArray& out, Number value) {
    char bytes[sizeof(Number)];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof(Number));
}

// The Windows resource keeps a 16-colour image, so the one picture is stored at 4 bits a pixel.
QByteArray iconFile(const QImage& picture) {
    constexpr int pixelBytes = side * side / 2;
    constexpr int maskBytes = side * 4; // one bit a pixel, rows padded to 32 bits
    constexpr int imageBytes = 40 + colours * 4 + pixelBytes + maskBytes;
    QByteArray out;
    // The directory (an icon, one image) and its one entry.
    for (const quint16 value : {0, 1, 1}) {
        append(out, value);
    }
    out.append(char{side}).append(char{side}).append(char{colours}).append('\0');
    append<quint16>(out, 1); // planes
    append<quint16>(out, 4); // bits a pixel
    append<quint32>(out, imageBytes);
    append<quint32>(out, 6 + 16);
    // The bitmap header: its height counts the colour bitmap and the mask together.
    for (const quint32 value : {40, side, 2 * side}) {
        append(out, value);
    }
    append<quint16>(out, 1);
    append<quint16>(out, 4);
    for (const quint32 value : {0, pixelBytes + maskBytes, 0, 0, colours, 0}) {
        append(out, value);
    }
    for (int i = 0; i < colours; ++i) {
        const QRgb colour = i < picture.colorCount() ? picture.color(i) : 0;
        out.append(char(qBlue(colour))).append(char(qGreen(colour))).append(char(qRed(colour))).append('\0');
    }
    // Rows from the bottom up; the mask shows the background where the picture is transparent.
    for (int y = side - 1; y >= 0; --y) {
        for (int x = 0; x < side; x += 2) {
            out.append(char(picture.pixelIndex(x, y) << 4 | picture.pixelIndex(x + 1, y)));
        }
    }
    for (int y = side - 1; y >= 0; --y) {
        quint16 row = 0;
        for (int x = 0; x < side; ++x) {
            row |= qAlpha(picture.pixel(x, y)) == 0 ? 0x8000u >> x : 0;
        }
        out.append(char(row >> 8)).append(char(row & 0xFF)).append(2, '\0');
    }
    return out;
}

bool write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
           file.write(bytes) == bytes.size();
}

int fail(const QString& message) {
    std::fprintf(stderr, "make_icons: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 5) {
        return fail(QStringLiteral("usage: make_icons SOURCE ICO PNG_PATTERN SIZE..."));
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QImage picture = QImage(source).convertToFormat(QImage::Format_Indexed8);
    if (picture.size() != QSize(side, side) || picture.colorCount() > colours) {
        return fail(source + QStringLiteral(" is not a 16 x 16 picture of at most 16 colours"));
    }
    if (!write(QString::fromLocal8Bit(argv[2]), iconFile(picture))) {
        return fail(QStringLiteral("cannot write ") + QString::fromLocal8Bit(argv[2]));
    }
    for (int i = 4; i < argc; ++i) {
        // Whole factors without smoothing keep the pixel art sharp.
        const int size = QByteArray(argv[i]).toInt();
        const QString path = QString::fromLocal8Bit(argv[3]).arg(size);
        if (size <= 0 || size % side != 0) {
            return fail(QStringLiteral("%1 is not a whole multiple of 16").arg(argv[i]));
        }
        const QImage scaled = picture.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        if (!QDir().mkpath(QFileInfo(path).path()) || !scaled.save(path, "PNG")) {
            return fail(QStringLiteral("cannot write ") + path);
        }
    }
    return 0;
}
