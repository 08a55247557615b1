#include "tests/ui/support/main_window_session.h"
#include "ui/tools/frm_metronome.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWindow>
#include <QtTest>

// Run by ctest with no sound server, and by the sound server test with one of its own
// (TACTORA_SOUND_SERVER_TEST set), which records what the metronome plays.
class FrmMetronomeTest : public QObject {
    Q_OBJECT

private slots:
    void saysSoWithoutAnAudioDevice();
    void startsAndStopsWithTheButton();
    void spaceStartsAndItStopsAfterTheBars();

private:
    static bool withSoundServer() { return qEnvironmentVariableIsSet("TACTORA_SOUND_SERVER_TEST"); }
    // Sets the main window's figures and opens the metronome from the result box's menu.
    static FrmMetronome& openMetronome(MainWindowSession& session, const QStringList& figures);
    static QPushButton& startButton(FrmMetronome& metronome) {
        return *metronome.findChild<QPushButton*>(QStringLiteral("cmdStart"));
    }
    static QString status(FrmMetronome& metronome) {
        return metronome.findChild<QLabel*>(QStringLiteral("lblStatus"))->text();
    }
};

FrmMetronome& FrmMetronomeTest::openMetronome(MainWindowSession& session, const QStringList& figures) {
    for (int i = 0; i < figures.size(); ++i) {
        session.typeInto(i, figures[i]);
    }
    const QStringList items = MainWindowSession::chooseFromContextMenu(
        session.result(1), MainWindowSession::MenuKey::RightClick, QStringLiteral("Metronome…"));
    auto* metronome = session.calc().findChild<FrmMetronome*>(QStringLiteral("FrmMetronome"));
    if (metronome == nullptr || !QTest::qWaitForWindowActive(metronome)) {
        qFatal("The metronome did not open; the menu held %s", qPrintable(items.join(", ")));
    }
    return *metronome;
}

void FrmMetronomeTest::saysSoWithoutAnAudioDevice() {
    if (withSoundServer()) {
        QSKIP("Run without a sound server");
    }
    MainWindowSession session;
    FrmMetronome& metronome = openMetronome(session, {"97.3", "2", "3.5"});
    QCOMPARE(metronome.findChild<QLabel*>(QStringLiteral("lblPlays"))->text(),
             QStringLiteral("97.3 beats per minute, 3.5 beats per bar"));
    const QString noDevice =
        QStringLiteral("No audio output device was found: the metronome sounds as soon as there is one.");
    QCOMPARE(status(metronome), noDevice);
    // Space and the button look for a device again, find none and leave everything else be.
    const QStringList results = session.results();
    MainWindowSession::key(metronome, Qt::Key_Space);
    MainWindowSession::click(startButton(metronome));
    QCOMPARE(startButton(metronome).text(), QStringLiteral("Start"));
    QCOMPARE(status(metronome), noDevice);
    QCOMPARE(session.results(), results);

    // It follows the main window's recalculations, and names a bar it cannot play.
    session.typeInto(2, QStringLiteral("0.5"));
    QCOMPARE(metronome.findChild<QLabel*>(QStringLiteral("lblPlays"))->text(),
             QStringLiteral("97.3 beats per minute, 0.5 beats per bar"));
    QCOMPARE(status(metronome), QStringLiteral("A bar of fewer than one beat cannot be played."));
    QVERIFY(!startButton(metronome).isEnabled());
}

void FrmMetronomeTest::startsAndStopsWithTheButton() {
    if (!withSoundServer()) {
        QSKIP("Needs the sound server test's server");
    }
    MainWindowSession session;
    FrmMetronome& metronome = openMetronome(session, {"333.33", "4", "4"});
    // The window opens its output as it opens; Start plays once the server has answered.
    QTRY_VERIFY_WITH_TIMEOUT(metronome.player()->output() == ClickOutput::Ready, 10000);
    MainWindowSession::click(startButton(metronome));
    QCOMPARE(startButton(metronome).text(), QStringLiteral("Stop"));
    QVERIFY2(status(metronome).startsWith(QStringLiteral("Playing through ")), qPrintable(status(metronome)));
    // Stopped once the device has played two bars' worth of frames: the first 8 clicks have
    // sounded by then (the silence before the first is shorter than a beat), and the sound
    // test finds at least those in its recording.
    const ClickPlayer* player = metronome.player();
    QVERIFY(player != nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(player->framesPlayed() >= 8 * 60.0 * player->sampleRate() / 333.33, 10000);
    MainWindowSession::click(startButton(metronome));
    QCOMPARE(startButton(metronome).text(), QStringLiteral("Start"));
    QCOMPARE(player->framesPlayed(), 0);
}

void FrmMetronomeTest::spaceStartsAndItStopsAfterTheBars() {
    if (!withSoundServer()) {
        QSKIP("Needs the sound server test's server");
    }
    MainWindowSession session;
    FrmMetronome& metronome = openMetronome(session, {"333.33", "4", "4"});
    // The window opens its output as it opens; Start plays once the server has answered.
    QTRY_VERIFY_WITH_TIMEOUT(metronome.player()->output() == ClickOutput::Ready, 10000);
    auto* stopAfterBars = metronome.findChild<QCheckBox*>(QStringLiteral("chkStopAfterBars"));
    QCOMPARE(stopAfterBars->text(), QStringLiteral("Stop &after 4 bars"));
    // On its box: the check box spans the window, its text only part of it.
    QTest::mouseClick(metronome.windowHandle(), Qt::LeftButton, {},
                      stopAfterBars->mapTo(&metronome, QPoint(8, stopAfterBars->height() / 2)));
    QVERIFY(stopAfterBars->isChecked());
    // Space starts wherever the focus is, the check box included; held down, it is one press
    // however often the keyboard repeats it.
    QWindow* window = metronome.windowHandle();
    const QString space = QStringLiteral(" ");
    qt_handleKeyEvent(window, QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, space);
    for (int repeat = 0; repeat < 9; ++repeat) {
        qt_handleKeyEvent(window, QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, space, true);
        qt_handleKeyEvent(window, QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, space, true);
    }
    qt_handleKeyEvent(window, QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, space);
    QCoreApplication::processEvents();
    QVERIFY(stopAfterBars->isChecked());
    QCOMPARE(startButton(metronome).text(), QStringLiteral("Stop"));
    // 16 beats of 180 ms, and the silence after them.
    QTRY_COMPARE_WITH_TIMEOUT(startButton(metronome).text(), QStringLiteral("Start"), 10000);
    QCOMPARE(status(metronome), QStringLiteral("Played 4 bars."));
}

QTEST_MAIN(FrmMetronomeTest)
#include "frm_metronome_test.moc"
