#include "tests/ui/tools/metronome_driver.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>
#include <QtTest>

using metronome_driver::alt;
using Keys = QList<QKeyCombination>;

namespace {

// Presses Export…, answering its dialog with these keys and then Return (an Escape among them
// cancels it instead), and the save box with this path. The dialog is answered from its loop.
void exportWith(MainWindowSession& session, FrmMetronome& metronome, const Keys& keys, const QString& path) {
    session.dialogs().queueSavePaths({path});
    auto* answer = new QTimer(&metronome);
    QObject::connect(answer, &QTimer::timeout, answer, [answer, keys] {
        auto* dialog = QApplication::activeModalWidget();
        if (dialog != nullptr && dialog->objectName() == QLatin1String("FrmClickExport")) {
            answer->deleteLater();
            answer->stop();
            metronome_driver::press(
                *dialog, keys.contains(QKeyCombination(Qt::Key_Escape)) ? keys : keys + Keys{Qt::Key_Return});
        }
    });
    answer->start(10);
    MainWindowSession::click(*metronome.findChild<QPushButton*>(QStringLiteral("cmdExport")));
}

QString exported(FrmMetronome& metronome) {
    return metronome.findChild<QLabel*>(QStringLiteral("lblExported"))->text();
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// "Export…" asks what and where, writes off the window's thread, and says how it went. What
// the file holds, and each way writing it fails, is the export's own test's.
class FrmMetronomeExportTest : public QObject {
    Q_OBJECT

private slots:
    void writesTheTrackAsChosen_data();
    void writesTheTrackAsChosen();
    void cancellingOrFailingLeavesNothing_data();
    void cancellingOrFailingLeavesNothing();
};

void FrmMetronomeExportTest::writesTheTrackAsChosen_data() {
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<QString>("typed");  // the file name given to the save box
    QTest::addColumn<QString>("suffix"); // of the name the save box offers, and of the file written
    QTest::addColumn<int>("sampleRate"); // in a WAV file's header; 0 for FLAC
    QTest::addColumn<int>("dataBytes");  // mono samples of the bars at 120 beats per minute, 4 a bar
    QTest::newRow("as offered, the main window's 2 bars in WAV 24-bit at 48 kHz")
        << Keys{} << QStringLiteral("track.wav") << QStringLiteral(".wav") << 48000 << 4 * 48000 * 3;
    QTest::newRow("WAV 32-bit float at 96 kHz, 3 bars")
        << Keys{alt(Qt::Key_B), Qt::CTRL | Qt::Key_A, Qt::Key_3,      alt(Qt::Key_R),
                Qt::Key_Down,   Qt::Key_Down,         alt(Qt::Key_F), Qt::Key_Down}
        << QStringLiteral("track.wav") << QStringLiteral(".wav") << 96000 << 6 * 96000 * 4;
    QTest::newRow("WAV 16-bit at 44.1 kHz")
        << Keys{alt(Qt::Key_R), Qt::Key_Home, alt(Qt::Key_F), Qt::Key_Home} << QStringLiteral("track.wav")
        << QStringLiteral(".wav") << 44100 << 4 * 44100 * 2;
    QTest::newRow("FLAC 24-bit, named without its ending")
        << Keys{alt(Qt::Key_F), Qt::Key_End} << QStringLiteral("track") << QStringLiteral(".flac") << 0 << 0;
}

void FrmMetronomeExportTest::writesTheTrackAsChosen() {
    QFETCH(Keys, keys);
    QFETCH(QString, typed);
    QFETCH(QString, suffix);
    QFETCH(int, sampleRate);
    QFETCH(int, dataBytes);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("track") + suffix);
    MainWindowSession session;
    FrmMetronome& metronome = metronome_driver::open(session);
    exportWith(session, metronome, keys, folder.filePath(typed));
    QCOMPARE(session.dialogs().suggestedSavePaths.size(), 1);
    QVERIFY(session.dialogs().suggestedSavePaths[0].endsWith(QStringLiteral("click") + suffix));
    QTRY_COMPARE_WITH_TIMEOUT(
        exported(metronome),
        QStringLiteral("Wrote the click track to %1.").arg(QDir::toNativeSeparators(path)), 20000);
    const QByteArray content = contentOf(path);
    QCOMPARE(content.left(4), QByteArray(sampleRate > 0 ? "RIFF" : "fLaC"));
    if (sampleRate > 0) {
        QCOMPARE(qFromLittleEndian<quint32>(content.constData() + 24), quint32(sampleRate));
        const auto data = content.indexOf("data");
        QVERIFY(data > 0);
        QCOMPARE(qFromLittleEndian<quint32>(content.constData() + data + 4), quint32(dataBytes));
    }
    QVERIFY(session.dialogs().messages.isEmpty());
}

void FrmMetronomeExportTest::cancellingOrFailingLeavesNothing_data() {
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<QString>("typed"); // into the save box, in a folder holding click.wav; "" cancels it
    QTest::addColumn<QString>("said");
    QTest::addColumn<bool>("warned"); // with a message naming the file and why
    QTest::newRow("the export dialog cancelled") << Keys{Qt::Key_Escape} << QString() << QString() << false;
    QTest::newRow("the save box cancelled") << Keys{} << QString() << QString() << false;
    // 1000 bars at 192 kHz in floats would be 1.5 GB: cancelled long before it is written.
    QTest::newRow("the export cancelled as it runs")
        << Keys{alt(Qt::Key_B), Qt::CTRL | Qt::Key_A, Qt::Key_1,   Qt::Key_0,      Qt::Key_0,
                Qt::Key_0,      alt(Qt::Key_R),       Qt::Key_End, alt(Qt::Key_F), Qt::Key_Down}
        << QStringLiteral("click.wav") << QStringLiteral("The export was cancelled: nothing was written.")
        << false;
    // Inside a file: nothing can be written there, whoever runs the test.
    QTest::newRow("a failure") << Keys{} << QStringLiteral("click.wav/click.wav") << QString() << true;
}

void FrmMetronomeExportTest::cancellingOrFailingLeavesNothing() {
    QFETCH(Keys, keys);
    QFETCH(QString, typed);
    QFETCH(QString, said);
    QFETCH(bool, warned);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("click.wav"));
    QFile existing(path); // stays as it was
    QVERIFY(existing.open(QIODevice::WriteOnly) && existing.write("kept") == 4);
    existing.close();
    MainWindowSession session;
    FrmMetronome& metronome = metronome_driver::open(session);
    exportWith(session, metronome, keys, typed.isEmpty() ? QString() : folder.filePath(typed));
    if (!said.isEmpty()) {
        QProgressDialog* progress = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT(
            (progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget())) != nullptr, 5000);
        QCOMPARE(progress->objectName(), QStringLiteral("dlgExportProgress"));
        auto* cancel = progress->findChild<QPushButton*>();
        QTest::mouseClick(progress->windowHandle(), Qt::LeftButton, {},
                          cancel->mapTo(progress, cancel->rect().center()));
    } else if (typed.isEmpty()) { // nothing was started
        QCOMPARE(metronome.findChild<QProgressDialog*>(), nullptr);
    }
    QTRY_COMPARE_WITH_TIMEOUT(exported(metronome), said, 20000);
    QTRY_COMPARE_WITH_TIMEOUT(session.dialogs().messages.size(), warned ? 1 : 0, 20000);
    if (warned) {
        const ScriptedDialogs::Message& message = session.dialogs().messages[0];
        const QString start = QStringLiteral("The click track could not be written to %1: ")
                                  .arg(QDir::toNativeSeparators(folder.filePath(typed)));
        QVERIFY2(message.text.startsWith(start) && message.text.size() > start.size(),
                 qPrintable(message.text));
        QCOMPARE(message.icon, MessageIcon::Warning);
    }
    QCOMPARE(session.dialogs().suggestedSavePaths.size(),
             keys.contains(QKeyCombination(Qt::Key_Escape)) ? 0 : 1);
    QCOMPARE(contentOf(path), QByteArray("kept"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("click.wav")});
}

QTEST_MAIN(FrmMetronomeExportTest)
#include "frm_metronome_export_test.moc"
