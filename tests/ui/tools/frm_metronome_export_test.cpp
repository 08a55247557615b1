#include "tests/ui/tools/metronome_driver.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

using Keys = QList<QKeyCombination>;

namespace {

const QStringList fourFour = {QStringLiteral("120"), QStringLiteral("2"), QStringLiteral("4")};

QKeyCombination alt(Qt::Key key) {
    return Qt::ALT | key;
}

// Presses Export…, answering its dialog with these keys and the save box with this path.
void exportWith(MainWindowSession& session, FrmMetronome& metronome, const Keys& keys, const QString& path) {
    session.dialogs().queueSavePaths({path});
    metronome_driver::answerExportDialog(keys);
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

// "Export…" asks what and where, writes off the window's thread, and says how it went.
class FrmMetronomeExportTest : public QObject {
    Q_OBJECT

private slots:
    void writesTheTrackAsChosen_data();
    void writesTheTrackAsChosen();
    void aFailureNamesTheFileAndWhy();
    void cancellingLeavesNothing_data();
    void cancellingLeavesNothing();
};

void FrmMetronomeExportTest::writesTheTrackAsChosen_data() {
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<QString>("typed");  // the file name given to the save box
    QTest::addColumn<QString>("suffix"); // of the name the save box offers, and of the file written
    QTest::addColumn<QByteArray>("magic");
    QTest::addColumn<int>("sampleRate"); // as a WAV file's header holds it; 0 for FLAC
    // Mono samples of the bars at 120 beats per minute, 4 a bar; 0 for FLAC. The dialog
    // offers the main window's 2 bars.
    QTest::addColumn<int>("dataBytes");
    QTest::newRow("as offered, 2 bars in WAV 24-bit at 48 kHz")
        << Keys{} << QStringLiteral("track.wav") << QStringLiteral(".wav") << QByteArray("RIFF") << 48000
        << 4 * 48000 * 3;
    QTest::newRow("WAV 32-bit float at 96 kHz, 3 bars")
        << Keys{alt(Qt::Key_B), Qt::CTRL | Qt::Key_A, Qt::Key_3,      alt(Qt::Key_R),
                Qt::Key_Down,   Qt::Key_Down,         alt(Qt::Key_F), Qt::Key_Down}
        << QStringLiteral("track.wav") << QStringLiteral(".wav") << QByteArray("RIFF") << 96000
        << 6 * 96000 * 4;
    QTest::newRow("WAV 16-bit at 44.1 kHz")
        << Keys{alt(Qt::Key_R), Qt::Key_Home, alt(Qt::Key_F), Qt::Key_Home} << QStringLiteral("track.wav")
        << QStringLiteral(".wav") << QByteArray("RIFF") << 44100 << 4 * 44100 * 2;
    QTest::newRow("FLAC 16-bit") << Keys{alt(Qt::Key_F), Qt::Key_Down, Qt::Key_Down}
                                 << QStringLiteral("track.flac") << QStringLiteral(".flac")
                                 << QByteArray("fLaC") << 0 << 0;
    QTest::newRow("FLAC 24-bit, named without its ending")
        << Keys{alt(Qt::Key_F), Qt::Key_End} << QStringLiteral("track") << QStringLiteral(".flac")
        << QByteArray("fLaC") << 0 << 0;
}

void FrmMetronomeExportTest::writesTheTrackAsChosen() {
    QFETCH(Keys, keys);
    QFETCH(QString, typed);
    QFETCH(QString, suffix);
    QFETCH(QByteArray, magic);
    QFETCH(int, sampleRate);
    QFETCH(int, dataBytes);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("track") + suffix);
    MainWindowSession session;
    FrmMetronome& metronome = metronome_driver::open(session, fourFour);
    exportWith(session, metronome, keys, folder.filePath(typed));
    QCOMPARE(session.dialogs().suggestedSavePaths.size(), 1);
    QVERIFY(session.dialogs().suggestedSavePaths[0].endsWith(QStringLiteral("click") + suffix));
    QTRY_COMPARE_WITH_TIMEOUT(
        exported(metronome),
        QStringLiteral("Wrote the click track to %1.").arg(QDir::toNativeSeparators(path)), 20000);
    const QByteArray content = contentOf(path);
    QCOMPARE(content.left(4), magic);
    if (sampleRate > 0) {
        QCOMPARE(qFromLittleEndian<quint32>(content.constData() + 24), quint32(sampleRate));
        const auto data = content.indexOf("data");
        QVERIFY(data > 0);
        QCOMPARE(qFromLittleEndian<quint32>(content.constData() + data + 4), quint32(dataBytes));
    }
    QVERIFY(session.dialogs().messages.isEmpty());
}

void FrmMetronomeExportTest::aFailureNamesTheFileAndWhy() {
    QTemporaryDir folder;
    // A folder that is a file: nothing can be written inside it, whoever runs the test.
    const QString notAFolder = folder.filePath(QStringLiteral("notes.txt"));
    QFile file(notAFolder);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QString path = notAFolder + QStringLiteral("/click.wav");
    MainWindowSession session;
    FrmMetronome& metronome = metronome_driver::open(session, fourFour);
    exportWith(session, metronome, {}, path);
    QTRY_COMPARE_WITH_TIMEOUT(session.dialogs().messages.size(), 1, 20000);
    const ScriptedDialogs::Message& message = session.dialogs().messages[0];
    const QString start =
        QStringLiteral("The click track could not be written to %1: ").arg(QDir::toNativeSeparators(path));
    QVERIFY2(message.text.startsWith(start), qPrintable(message.text));
    QVERIFY(message.text.size() > start.size());
    QCOMPARE(message.icon, MessageIcon::Warning);
    QVERIFY(!QFile::exists(path));
    QCOMPARE(exported(metronome), QString());
}

void FrmMetronomeExportTest::cancellingLeavesNothing_data() {
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<bool>("savePathGiven");
    QTest::addColumn<bool>("progressCancelled");
    QTest::newRow("the export dialog cancelled") << Keys{Qt::Key_Escape} << false << false;
    QTest::newRow("the save box cancelled") << Keys{} << false << false;
    // 1000 bars at 192 kHz in floats would be 1.5 GB: cancelled long before it is written.
    QTest::newRow("the export cancelled as it runs")
        << Keys{alt(Qt::Key_B), Qt::CTRL | Qt::Key_A, Qt::Key_1,   Qt::Key_0,      Qt::Key_0,
                Qt::Key_0,      alt(Qt::Key_R),       Qt::Key_End, alt(Qt::Key_F), Qt::Key_Down}
        << true << true;
}

void FrmMetronomeExportTest::cancellingLeavesNothing() {
    QFETCH(Keys, keys);
    QFETCH(bool, savePathGiven);
    QFETCH(bool, progressCancelled);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("click.wav"));
    // A file already there stays as it was.
    QFile existing(path);
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.write("kept");
    existing.close();
    MainWindowSession session;
    FrmMetronome& metronome = metronome_driver::open(session, fourFour);
    exportWith(session, metronome, keys, savePathGiven ? path : QString());
    if (progressCancelled) {
        QProgressDialog* progress = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT(
            (progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget())) != nullptr, 5000);
        QCOMPARE(progress->objectName(), QStringLiteral("dlgExportProgress"));
        auto* cancel = progress->findChild<QPushButton*>();
        QTest::mouseClick(progress->windowHandle(), Qt::LeftButton, {},
                          cancel->mapTo(progress, cancel->rect().center()));
        QTRY_COMPARE_WITH_TIMEOUT(exported(metronome),
                                  QStringLiteral("The export was cancelled: nothing was written."), 20000);
    } else {
        // Nothing was started: no progress to show, nothing said.
        QCOMPARE(metronome.findChild<QProgressDialog*>(), nullptr);
        QCOMPARE(exported(metronome), QString());
    }
    QCOMPARE(session.dialogs().suggestedSavePaths.size(),
             keys.contains(QKeyCombination(Qt::Key_Escape)) ? 0 : 1);
    QCOMPARE(contentOf(path), QByteArray("kept"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("click.wav")});
    QVERIFY(session.dialogs().messages.isEmpty());
}

QTEST_MAIN(FrmMetronomeExportTest)
#include "frm_metronome_export_test.moc"
