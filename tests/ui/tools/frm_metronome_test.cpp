#include "tests/ui/tools/metronome_driver.h"
#include "ui/tools/beat_flash.h"
#include "ui/tools/beat_lamps.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QWindow>
#include <QtTest>

#include <cmath>

namespace {

// What the sound tests play, and the device their server offers: its null sink.
const QStringList figures = {QStringLiteral("333.33"), QStringLiteral("4"), QStringLiteral("4")};
constexpr double beatsPerMinute = 333.33;
const QString sinkName = QStringLiteral("Null Output");
const QString noDevice =
    QStringLiteral("No audio output device was found: Start plays as soon as there is one.");

} // namespace

// Run by ctest with no sound server, and by the sound server test with one of its own
// (TACTORA_SOUND_SERVER_TEST set), which records what the metronome plays. The fault
// scenarios also need the sound test's control script (TACTORA_SOUND_SERVER_CONTROL), which
// stops, starts and changes that server while they run.
class FrmMetronomeTest : public QObject {
    Q_OBJECT

private slots:
    void saysSoWithoutAnAudioDevice();
    void startsAndStopsWithTheButton();
    void spaceStartsAndItStopsAfterTheBars();
    void keepsTheGridThroughStalls();
    void keepsTheGridUnderLoad();
    void playsAgainOnceItsOutputIsBack_data();
    void playsAgainOnceItsOutputIsBack();
    void playsOnceAServerStarts();
    void saysSoWhileItsSinkIsSuspended();
    void lampsShowTheBeatPlayedNotTheBeatRendered();

private:
    static bool withSoundServer() { return qEnvironmentVariableIsSet("TACTORA_SOUND_SERVER_TEST"); }
    static QString controlScript() { return qEnvironmentVariable("TACTORA_SOUND_SERVER_CONTROL"); }
    // Runs the control script with these arguments to its end: true when it did its part.
    static bool control(const QStringList& arguments) {
        return QProcess::execute(controlScript(), arguments) == 0;
    }
    static FrmMetronome& openMetronome(MainWindowSession& session, const QStringList& figures) {
        return metronome_driver::open(session, figures);
    }
    static QPushButton& startButton(FrmMetronome& metronome) {
        return *metronome.findChild<QPushButton*>(QStringLiteral("cmdStart"));
    }
    static QString status(FrmMetronome& metronome) {
        return metronome.findChild<QLabel*>(QStringLiteral("lblStatus"))->text();
    }
    static void setStopAfterBars(FrmMetronome& metronome, bool checked);
    // Starts as soon as the output is ready: true when it plays.
    static bool startWhenReady(FrmMetronome& metronome);
    // With "Stop after 4 bars" checked, starts: true once the window says it played them.
    static bool playsFourBars(FrmMetronome& metronome);
    // Waits until the device has played this many more beats of the playing under way: false
    // when the playing ended first.
    static bool playsBeats(const ClickPlayer& player, int beats);
    // Starts as soon as the output is ready and plays that many beats: true when it did.
    static bool startsAndPlays(FrmMetronome& metronome, int beats) {
        return startWhenReady(metronome) && playsBeats(*metronome.player(), beats);
    }
    // Plays on for that many beats, saying where, then stops with the button: true when it did.
    static bool playsOnAndStops(FrmMetronome& metronome, int beats);
    // Whether nothing claims to play: the button offers Start, the player plays nothing.
    static bool showsStopped(FrmMetronome& metronome) {
        return startButton(metronome).text() == QStringLiteral("Start") && !metronome.player()->isPlaying() &&
               metronome.player()->framesPlayed() == 0;
    }
};

void FrmMetronomeTest::setStopAfterBars(FrmMetronome& metronome, bool checked) {
    auto* stopAfterBars = metronome.findChild<QCheckBox*>(QStringLiteral("chkStopAfterBars"));
    if (stopAfterBars->isChecked() != checked) {
        // On its box: the check box spans the window, its text only part of it.
        QTest::mouseClick(metronome.windowHandle(), Qt::LeftButton, {},
                          stopAfterBars->mapTo(&metronome, QPoint(8, stopAfterBars->height() / 2)));
    }
}

bool FrmMetronomeTest::startWhenReady(FrmMetronome& metronome) {
    if (!QTest::qWaitFor([&] { return metronome.player()->output() == ClickOutput::Ready; }, 10000)) {
        return false;
    }
    MainWindowSession::click(startButton(metronome));
    return metronome.player()->isPlaying();
}

bool FrmMetronomeTest::playsFourBars(FrmMetronome& metronome) {
    setStopAfterBars(metronome, true);
    // 16 beats of 180 ms, and the silence after them.
    return startWhenReady(metronome) &&
           QTest::qWaitFor([&] { return status(metronome) == QStringLiteral("Played 4 bars."); }, 10000);
}

bool FrmMetronomeTest::playsBeats(const ClickPlayer& player, int beats) {
    const std::int64_t until =
        player.framesPlayed() + std::llround(beats * 60.0 * player.sampleRate() / beatsPerMinute);
    return QTest::qWaitFor([&] { return player.framesPlayed() >= until || !player.isPlaying(); },
                           10000 + beats * 180) &&
           player.isPlaying();
}

bool FrmMetronomeTest::playsOnAndStops(FrmMetronome& metronome, int beats) {
    if (!playsBeats(*metronome.player(), beats) ||
        !status(metronome).startsWith(QStringLiteral("Playing through %1 ").arg(sinkName))) {
        return false;
    }
    MainWindowSession::click(startButton(metronome));
    return showsStopped(metronome);
}

void FrmMetronomeTest::saysSoWithoutAnAudioDevice() {
    if (withSoundServer()) {
        QSKIP("Run without a sound server");
    }
    MainWindowSession session;
    FrmMetronome& metronome = openMetronome(session, {"97.3", "2", "3.5"});
    QCOMPARE(metronome.findChild<QLabel*>(QStringLiteral("lblPlays"))->text(),
             QStringLiteral("97.3 beats per minute, 3.5 beats per bar"));
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
    FrmMetronome& metronome = openMetronome(session, figures);
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
    QTRY_VERIFY_WITH_TIMEOUT(player->framesPlayed() >= 8 * 60.0 * player->sampleRate() / beatsPerMinute,
                             10000);
    MainWindowSession::click(startButton(metronome));
    QCOMPARE(startButton(metronome).text(), QStringLiteral("Start"));
    QCOMPARE(player->framesPlayed(), 0);
}

void FrmMetronomeTest::spaceStartsAndItStopsAfterTheBars() {
    if (!withSoundServer()) {
        QSKIP("Needs the sound server test's server");
    }
    MainWindowSession session;
    FrmMetronome& metronome = openMetronome(session, figures);
    // The window opens its output as it opens; Start plays once the server has answered.
    QTRY_VERIFY_WITH_TIMEOUT(metronome.player()->output() == ClickOutput::Ready, 10000);
    auto* stopAfterBars = metronome.findChild<QCheckBox*>(QStringLiteral("chkStopAfterBars"));
    QCOMPARE(stopAfterBars->text(), QStringLiteral("Stop &after 4 bars"));
    setStopAfterBars(metronome, true);
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

// The output thread stalls twice, with the whole process stopped: what it could not write in
// time is dropped, and every later click stays on the grid the sound test checks.
void FrmMetronomeTest::keepsTheGridThroughStalls() {
    if (controlScript().isEmpty()) {
        QSKIP("Needs the sound server test's server and its control script");
    }
    MainWindowSession session;
    FrmMetronome& metronome = openMetronome(session, figures);
    QVERIFY(startsAndPlays(metronome, 8));
    const ClickPlayer& player = *metronome.player();
    // Each stall lasts 300 ms, the scenario itself, longer than a beat and than the 20 ms the
    // output holds.
    const QString self = QString::number(QCoreApplication::applicationPid());
    QVERIFY(control({QStringLiteral("freeze"), self, QStringLiteral("0.3")}));
    QVERIFY(playsBeats(player, 8));
    QVERIFY(control({QStringLiteral("freeze"), self, QStringLiteral("0.3")}));
    // A stall ends nothing: it plays on, and 16 beats or more after the last are whole.
    QVERIFY(playsOnAndStops(metronome, 24));
}

void FrmMetronomeTest::keepsTheGridUnderLoad() {
    if (controlScript().isEmpty()) {
        QSKIP("Needs the sound server test's server and its control script");
    }
    MainWindowSession session;
    FrmMetronome& metronome = openMetronome(session, figures);
    QVERIFY(startsAndPlays(metronome, 4));
    // Every core busy above the normal priority for 20 s, the scenario's length, while this
    // window goes on handling its events.
    QProcess load;
    load.setProcessChannelMode(QProcess::ForwardedChannels);
    load.start(controlScript(), {QStringLiteral("load"), QStringLiteral("20")});
    QVERIFY(load.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(load.state(), QProcess::NotRunning, 60000);
    QCOMPARE(load.exitCode(), 0);
    // Whatever the load dropped, the 16 beats after it are whole.
    QVERIFY(playsOnAndStops(metronome, 24));
}

void FrmMetronomeTest::playsAgainOnceItsOutputIsBack_data() {
    QTest::addColumn<QString>("lose");    // what the control script does to end the playing
    QTest::addColumn<QString>("loss");    // what the window says of it
    QTest::addColumn<int>("outage");      // milliseconds until the output is brought back
    QTest::addColumn<QString>("restore"); // and how
    // The server stays away for 5 s, the outage itself, while the window looks for it.
    QTest::newRow("the server killed and back 5 s later")
        << QStringLiteral("kill-server") << QStringLiteral("The sound server went away.") << 5000
        << QStringLiteral("start-server");
    // The server stays; a new sink, its default as its only one, takes the lost one's place.
    QTest::newRow("the sink unloaded and loaded again")
        << QStringLiteral("unload-sink") << QStringLiteral("The audio device went away.") << 0
        << QStringLiteral("load-sink");
}

void FrmMetronomeTest::playsAgainOnceItsOutputIsBack() {
    if (controlScript().isEmpty()) {
        QSKIP("Needs the sound server test's server and its control script");
    }
    QFETCH(QString, lose);
    QFETCH(QString, loss);
    QFETCH(int, outage);
    QFETCH(QString, restore);
    MainWindowSession session;
    FrmMetronome& metronome = openMetronome(session, figures);
    QVERIFY(startsAndPlays(metronome, 16));
    QVERIFY(control({lose}));
    QTRY_VERIFY_WITH_TIMEOUT(status(metronome).contains(QStringLiteral("went away")), 1000);
    // Nothing claims to play, and it looks for an output.
    QCOMPARE(status(metronome), loss + QLatin1Char(' ') + noDevice);
    QVERIFY(showsStopped(metronome));

    // Start pressed during the outage plays nothing and leaves the loss said.
    MainWindowSession::click(startButton(metronome));
    QVERIFY(showsStopped(metronome));
    QTest::qWait(outage);
    QCOMPARE(status(metronome), loss + QLatin1Char(' ') + noDevice);
    QVERIFY(control({restore}));
    QTRY_COMPARE_WITH_TIMEOUT(status(metronome),
                              loss + QStringLiteral(" %1 is there now: Start plays again.").arg(sinkName),
                              10000);
    QCOMPARE(metronome.player()->output(), ClickOutput::Ready);
    QVERIFY(playsFourBars(metronome));
}

void FrmMetronomeTest::playsOnceAServerStarts() {
    if (controlScript().isEmpty()) {
        QSKIP("Needs the sound server test's server and its control script");
    }
    MainWindowSession session;
    FrmMetronome& metronome = openMetronome(session, figures);
    QCOMPARE(status(metronome), noDevice);
    // Start looks again, finds nothing and plays nothing.
    MainWindowSession::click(startButton(metronome));
    QCOMPARE(startButton(metronome).text(), QStringLiteral("Start"));
    QCOMPARE(status(metronome), noDevice);
    QVERIFY(!metronome.player()->isPlaying());

    QVERIFY(control({QStringLiteral("start-server")}));
    // Nothing more to say until it plays.
    QTRY_COMPARE_WITH_TIMEOUT(status(metronome), QString(), 10000);
    QCOMPARE(metronome.player()->output(), ClickOutput::Ready);
    QVERIFY(playsFourBars(metronome));
}

// Suspended while it waits, then while it plays: the window says so, and once the device runs
// again it plays on.
void FrmMetronomeTest::saysSoWhileItsSinkIsSuspended() {
    if (controlScript().isEmpty()) {
        QSKIP("Needs the sound server test's server and its control script");
    }
    MainWindowSession session;
    FrmMetronome& metronome = openMetronome(session, figures);
    QTRY_COMPARE_WITH_TIMEOUT(metronome.player()->output(), ClickOutput::Ready, 10000);
    const QString suspended =
        QStringLiteral("The sound server has suspended %1: nothing is heard.").arg(sinkName);
    QVERIFY(control({QStringLiteral("suspend-sink"), QStringLiteral("1")}));
    QTRY_COMPARE_WITH_TIMEOUT(status(metronome), suspended, 5000);
    // Start waits for the device.
    MainWindowSession::click(startButton(metronome));
    QCOMPARE(startButton(metronome).text(), QStringLiteral("Start"));
    QVERIFY(control({QStringLiteral("suspend-sink"), QStringLiteral("0")}));
    QTRY_COMPARE_WITH_TIMEOUT(status(metronome), QString(), 5000);
    QVERIFY(playsFourBars(metronome));
    // The sound test checks the recording up to here: a suspension while playing stops the
    // device's clock, so the clicks after it keep their distances but not the earlier grid.
    QVERIFY(control({QStringLiteral("finish-recording")}));

    setStopAfterBars(metronome, false);
    QVERIFY(startsAndPlays(metronome, 8));
    QVERIFY(control({QStringLiteral("suspend-sink"), QStringLiteral("1")}));
    QTRY_COMPARE_WITH_TIMEOUT(status(metronome), suspended, 5000);
    QCOMPARE(startButton(metronome).text(), QStringLiteral("Stop"));
    QVERIFY(control({QStringLiteral("suspend-sink"), QStringLiteral("0")}));
    QTRY_VERIFY_WITH_TIMEOUT(
        status(metronome).startsWith(QStringLiteral("Playing through %1 ").arg(sinkName)), 5000);
    QVERIFY(playsOnAndStops(metronome, 8));
}

// The renderer runs ahead of the device by the output's latency; at a beat of half that, it is
// always a beat or more ahead. The lamps must show what the device has played: never a beat
// whose onset framesPlayed() has not reached, and each on its place in the bar. A bar of
// count-in comes first, in its own colour and named above the lamps. Space starts it from the
// count-in's number box and stops it from the large flash's check box; stopped, lamps and
// flash go dark.
void FrmMetronomeTest::lampsShowTheBeatPlayedNotTheBeatRendered() {
    if (!withSoundServer()) {
        QSKIP("Needs the sound server test's server");
    }
    MainWindowSession session;
    FrmMetronome& metronome = openMetronome(session, figures);
    QTRY_VERIFY_WITH_TIMEOUT(metronome.player()->output() == ClickOutput::Ready, 10000);
    const ClickPlayer& player = *metronome.player();
    session.typeInto(0, QString::number(60000.0 / (player.latencyMilliseconds() / 2.0), 'f', 2));
    metronome_driver::press(metronome, {Qt::ALT | Qt::Key_I, Qt::ALT | Qt::Key_C, Qt::Key_Up});
    const double tempo = metronome.settings().beatsPerMinute;
    QCOMPARE(metronome.settings().plan.countInBars, 1);
    const BeatLamps& lamps = *metronome.findChild<BeatLamps*>(QStringLiteral("beatLamps"));
    const QLabel& now = *metronome.findChild<QLabel*>(QStringLiteral("lblNow"));
    metronome_driver::press(metronome, {Qt::Key_Space});
    QVERIFY(player.isPlaying());

    QSet<std::int64_t> shownFrames;
    QStringList faults;
    bool countInShown = false;
    const bool played = QTest::qWaitFor(
        [&] {
            const std::optional<tactora::BeatStart> shown = lamps.shownBeat();
            const std::int64_t heard = player.framesPlayed();
            if (!shown) {
                return !player.isPlaying();
            }
            const std::int64_t beat = std::llround(shown->frame * tempo / (60.0 * player.sampleRate()));
            if (shown->frame > heard) {
                faults << QStringLiteral("beat %1 shown when %2 frames were heard").arg(beat).arg(heard);
            }
            if (shown->beatInBar != beat % 4) {
                faults << QStringLiteral("beat %1 shown on lamp %2").arg(beat).arg(shown->beatInBar);
            }
            if (shown->bar < 0) {
                countInShown = countInShown || now.text().startsWith(QStringLiteral("Count-in"));
            } else if (!now.text().startsWith(QStringLiteral("Bar "))) {
                faults << QStringLiteral("beat %1 named \"%2\"").arg(beat).arg(now.text());
            }
            shownFrames.insert(shown->frame);
            return shownFrames.size() >= 40 || !player.isPlaying();
        },
        20000);
    QVERIFY(played && player.isPlaying());
    metronome_driver::press(metronome, {Qt::ALT | Qt::Key_F});
    const auto& flash = *metronome.findChild<BeatFlash*>(QStringLiteral("beatFlash"));
    QTRY_VERIFY_WITH_TIMEOUT(flash.brightness() > 0.0, 5000);
    metronome_driver::press(metronome, {Qt::Key_Space});
    QVERIFY(!player.isPlaying());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
    QVERIFY(countInShown);
    QVERIFY(!lamps.shownBeat().has_value());
    QCOMPARE(flash.brightness(), 0.0);
    QCOMPARE(now.text(), QString());
}

QTEST_MAIN(FrmMetronomeTest)
#include "frm_metronome_test.moc"
