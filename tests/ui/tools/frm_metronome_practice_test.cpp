#include "tests/ui/tools/metronome_driver.h"
#include "ui/tools/beat_lamps.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTabBar>
#include <QWindow>
#include <QtTest>

using metronome_driver::alt;
using tactora::BeatLevel;
using tactora::ClickSound;
using Keys = QList<QKeyCombination>;

namespace {

BeatLamps& lampsOf(FrmMetronome& metronome) {
    return *metronome.findChild<BeatLamps*>(QStringLiteral("beatLamps"));
}

// The pattern the window plays, with a beat past the bar's four: a longer bar plays it normal.
QList<BeatLevel> patternWith(int lamp, BeatLevel level) {
    QList<BeatLevel> pattern = {BeatLevel::Accent, BeatLevel::Normal, BeatLevel::Normal, BeatLevel::Normal,
                                BeatLevel::Normal};
    pattern[lamp] = level;
    return pattern;
}

QList<BeatLevel> patternSent(const FrmMetronome& metronome) {
    const auto& pattern = metronome.settings().plan.pattern;
    return {pattern.begin(), pattern.begin() + 5};
}

} // namespace

Q_DECLARE_METATYPE(BeatLevel)

// The metronome's practice settings as a person sets them, and what reaches the plan the
// window plays; and the window on a small screen (this test runs on a 1024 × 768 one).
class FrmMetronomePracticeTest : public QObject {
    Q_OBJECT

private slots:
    void keysChooseAndCycleLamps_data();
    void keysChooseAndCycleLamps();
    void lampsFollowTheBarAndTakeClicks_data();
    void lampsFollowTheBarAndTakeClicks();
    void everySettingReachesThePlan();
    void saysWhyItsTrainerCannotPlay();
    void mnemonicsAreUniqueAndControlsNamed();
    void tabGoesThroughEverySetting_data();
    void tabGoesThroughEverySetting();
    void fitsTheScreenBesideTheMainWindow_data();
    void fitsTheScreenBesideTheMainWindow();
};

void FrmMetronomePracticeTest::keysChooseAndCycleLamps_data() {
    QTest::addColumn<Keys>("keys"); // after Alt+P has put the focus on the lamps
    QTest::addColumn<int>("lamp");
    QTest::addColumn<BeatLevel>("level");
    QTest::addColumn<QString>("said"); // the lamps' accessible description afterwards
    QTest::newRow("Left stops at the first lamp, Down makes the accent normal")
        << Keys{Qt::Key_Left, Qt::Key_Down} << 0 << BeatLevel::Normal
        << QStringLiteral("Beat 1 of 4: normal");
    QTest::newRow("Home chooses the first lamp, Up on the accent goes round to silent")
        << Keys{Qt::Key_Right, Qt::Key_Home, Qt::Key_Up} << 0 << BeatLevel::Silent
        << QStringLiteral("Beat 1 of 4: silent");
    QTest::newRow("End then Left choose the third lamp, Enter cycles as Down does")
        << Keys{Qt::Key_End, Qt::Key_Left, Qt::Key_Return} << 2 << BeatLevel::Soft
        << QStringLiteral("Beat 3 of 4: soft");
    QTest::newRow("Right stops at the last lamp, Up makes it an accent, choosing alone is said")
        << Keys{Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Up, Qt::Key_Left} << 3
        << BeatLevel::Accent << QStringLiteral("Beat 3 of 4: normal");
}

void FrmMetronomePracticeTest::keysChooseAndCycleLamps() {
    QFETCH(Keys, keys);
    QFETCH(int, lamp);
    QFETCH(BeatLevel, level);
    QFETCH(QString, said);
    MainWindowSession session;
    FrmMetronome& metronome = metronome_driver::open(session);
    metronome_driver::press(metronome, Keys{alt(Qt::Key_P)} + keys);
    QCOMPARE(patternSent(metronome), patternWith(lamp, level));
    QCOMPARE(lampsOf(metronome).accessibleDescription(), said);
    // Space still belongs to Start: it changes no lamp, and the lamps keep the focus.
    metronome_driver::press(metronome, {Qt::Key_Space});
    QCOMPARE(patternSent(metronome), patternWith(lamp, level));
    QVERIFY(lampsOf(metronome).hasFocus());
}

void FrmMetronomePracticeTest::lampsFollowTheBarAndTakeClicks_data() {
    QTest::addColumn<QString>("beatsPerBar");
    QTest::addColumn<int>("lamps");
    QTest::addColumn<bool>("lastNarrower");
    QTest::addColumn<bool>("saysBeatsPastPlayNormal");
    QTest::newRow("3.5 beats end with a narrower lamp") << QStringLiteral("3.5") << 4 << true << false;
    QTest::newRow("64 beats, all lamps") << QStringLiteral("64") << 64 << false << false;
    QTest::newRow("70 beats: 64 lamps and the rest said to play normal")
        << QStringLiteral("70") << 64 << false << true;
}

void FrmMetronomePracticeTest::lampsFollowTheBarAndTakeClicks() {
    QFETCH(QString, beatsPerBar);
    QFETCH(int, lamps);
    QFETCH(bool, lastNarrower);
    QFETCH(bool, saysBeatsPastPlayNormal);
    MainWindowSession session;
    FrmMetronome& metronome = metronome_driver::open(session);
    session.typeInto(2, beatsPerBar); // the window follows the main window's recalculation
    const BeatLamps& row = lampsOf(metronome);
    QCOMPARE(row.lampCount(), lamps);
    QCOMPARE(row.lampRect(lamps - 1).width() < row.lampRect(0).width(), lastNarrower);
    QVERIFY(row.rect().contains(row.lampRect(lamps - 1)));
    const QString note = metronome.findChild<QLabel*>(QStringLiteral("lblPattern"))->text();
    QCOMPARE(note.contains(QStringLiteral("play as normal beats")), saysBeatsPastPlayNormal);
    const QPoint at = row.mapTo(&metronome, row.lampRect(lamps - 1).center());
    for (int i = 0; i < 3; ++i) { // a click cycles the lamp: soft, silent, and round to the accent
        QTest::mouseClick(metronome.windowHandle(), Qt::LeftButton, {}, at);
    }
    QCOMPARE(metronome.settings().plan.pattern[lamps - 1], BeatLevel::Accent);
    QCOMPARE(row.accessibleDescription(), QStringLiteral("Beat %1 of %1: accent").arg(lamps));
}

// Each setting changed by its mnemonic to a value no other setting holds, the ranges' ends
// among them; the settings that depend on another take keys once it is set.
void FrmMetronomePracticeTest::everySettingReachesThePlan() {
    MainWindowSession session;
    FrmMetronome& metronome = metronome_driver::open(session);
    // Alt+S, Alt+I and Alt+T bring in the pages of beats, count-in and trainer.
    metronome_driver::press(metronome,
                            {alt(Qt::Key_U), Qt::Key_End,    alt(Qt::Key_D), Qt::Key_Up,     alt(Qt::Key_L),
                             Qt::Key_PageUp, alt(Qt::Key_N), Qt::Key_Down,   Qt::Key_Down,   alt(Qt::Key_B),
                             Qt::Key_End,    alt(Qt::Key_I), alt(Qt::Key_C), Qt::Key_PageUp, Qt::Key_Up,
                             alt(Qt::Key_O), Qt::Key_Home,   alt(Qt::Key_M), Qt::Key_Up,     Qt::Key_Up,
                             alt(Qt::Key_Y), Qt::Key_Up,     alt(Qt::Key_T), alt(Qt::Key_H), Qt::Key_Down,
                             alt(Qt::Key_G), Qt::Key_Up,     alt(Qt::Key_E), Qt::Key_Up,     alt(Qt::Key_R),
                             Qt::Key_Down});
    const tactora::PracticePlan plan = metronome.settings().plan;
    QCOMPARE(plan.subdivisions, 8);
    QCOMPARE(plan.subdivisionSound, ClickSound::WoodBlock);
    QCOMPARE(plan.subdivisionLevel, 0.6);
    QCOMPARE(plan.countInBars, 4);
    QCOMPARE(plan.countInSound, ClickSound::Beep);
    QCOMPARE(plan.mutedBars, 2);
    QCOMPARE(plan.playedBars, 5);
    QCOMPARE(plan.trainer.kind, tactora::TempoTrainer::Kind::Steps);
    QCOMPARE(plan.trainer.targetBeatsPerMinute, 161.0);
    QCOMPARE(plan.trainer.stepBeatsPerMinute, 6.0);
    QCOMPARE(plan.trainer.bars, 3);
    QCOMPARE(plan.accentSound, ClickSound::SoftTick);
    QCOMPARE(plan.beatSound, ClickSound::Cowbell);
    // A ramp's bars, under a label of its own, keep their key.
    metronome_driver::press(metronome, {alt(Qt::Key_H), Qt::Key_Down, alt(Qt::Key_R), Qt::Key_Down});
    QCOMPARE(metronome.settings().plan.trainer.kind, tactora::TempoTrainer::Kind::Ramp);
    QCOMPARE(metronome.settings().plan.trainer.bars, 2);
}

// A trainer from 120 to 10000 beats per minute by a hundredth a step would take too long to
// reach its target: Start waits, and the window says why, until the steps are larger.
void FrmMetronomePracticeTest::saysWhyItsTrainerCannotPlay() {
    MainWindowSession session;
    FrmMetronome& metronome = metronome_driver::open(session);
    metronome_driver::press(metronome, {alt(Qt::Key_T), alt(Qt::Key_H), Qt::Key_Down, alt(Qt::Key_G),
                                        Qt::CTRL | Qt::Key_A, Qt::Key_1, Qt::Key_0, Qt::Key_0, Qt::Key_0,
                                        Qt::Key_0, alt(Qt::Key_E), Qt::CTRL | Qt::Key_A, Qt::Key_0,
                                        Qt::Key_Period, Qt::Key_0, Qt::Key_1});
    const auto& start = *metronome.findChild<QAbstractButton*>(QStringLiteral("cmdStart"));
    const auto& status = *metronome.findChild<QLabel*>(QStringLiteral("lblStatus"));
    QCOMPARE(status.text(),
             QStringLiteral("The tempo trainer would take more than 100,000 steps to reach its "
                            "target: take larger steps."));
    QVERIFY(!start.isEnabled());
    metronome_driver::press(metronome, {Qt::CTRL | Qt::Key_A, Qt::Key_1});
    QVERIFY(start.isEnabled());
    QVERIFY(!status.text().startsWith(QStringLiteral("The tempo trainer")));
}

// Every letter after an ampersand leads to one control or page only, and every control the
// keyboard reaches, on every page, has a name for assistive tools.
void FrmMetronomePracticeTest::mnemonicsAreUniqueAndControlsNamed() {
    MainWindowSession session;
    FrmMetronome& metronome = metronome_driver::open(session);
    QStringList letters;
    const auto addMnemonic = [&letters](const QString& text) {
        if (const auto at = text.indexOf(QLatin1Char('&')); at >= 0) {
            letters << text.mid(at + 1, 1).toLower();
        }
    };
    for (const QLabel* label : metronome.findChildren<QLabel*>()) {
        if (label->buddy() != nullptr) {
            addMnemonic(label->text());
        }
    }
    for (const QAbstractButton* button : metronome.findChildren<QAbstractButton*>()) {
        addMnemonic(button->text());
    }
    const QTabBar& pages = *metronome.findChild<QTabBar*>(QStringLiteral("tabPractice"));
    for (int i = 0; i < pages.count(); ++i) {
        addMnemonic(pages.tabText(i));
    }
    QStringList unique = letters;
    unique.removeDuplicates();
    QCOMPARE(letters.size(), unique.size());
    QVERIFY(letters.size() >= 17);
    for (const QWidget* control : metronome.findChildren<QWidget*>()) {
        // Qt's own parts of a spin box or a selector are named through their control.
        if (control->focusPolicy() & Qt::TabFocus &&
            !control->objectName().startsWith(QStringLiteral("qt_"))) {
            QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
        }
    }
}

void FrmMetronomePracticeTest::tabGoesThroughEverySetting_data() {
    QTest::addColumn<Keys>("keys"); // what is set first
    QTest::addColumn<QStringList>("order");
    const QStringList left = {"cmdStart",      "beatLamps", "sldVolume",  "chkStopAfterBars",
                              "chkLargeFlash", "cmdExport", "tabPractice"};
    const QStringList sounds = {"cmbAccentSound", "cmbBeatSound"};
    const Keys countIn = {alt(Qt::Key_I)};
    const Keys trainer = {alt(Qt::Key_T), alt(Qt::Key_H)};
    // Each page as it opens passes by the settings that change nothing, then brings them in.
    QTest::newRow("the beats") << Keys{} << left + QStringList{"cmbSubdivisions"} + sounds;
    QTest::newRow("subdivisions bring in their sound and level")
        << Keys{alt(Qt::Key_U), Qt::Key_Down}
        << left + QStringList{"cmbSubdivisions", "cmbSubdivisionSound", "sldSubdivisionLevel"} + sounds;
    QTest::newRow("the count-in") << countIn << left + QStringList{"spnCountIn", "spnMutedBars"};
    QTest::newRow("a count-in and muted bars bring in its sound and the bars played")
        << countIn + Keys{alt(Qt::Key_C), Qt::Key_Up, alt(Qt::Key_M), Qt::Key_Up}
        << left + QStringList{"spnCountIn", "cmbCountInSound", "spnPlayedBars", "spnMutedBars"};
    QTest::newRow("the trainer off") << trainer << left + QStringList{"cmbTrainer"};
    QTest::newRow("the trainer in steps adds its target, step and bars")
        << trainer + Keys{Qt::Key_Down}
        << left + QStringList{"cmbTrainer", "spnTargetTempo", "spnTempoStep", "spnTrainerBars"};
    QTest::newRow("a ramp has no step")
        << trainer + Keys{Qt::Key_Down, Qt::Key_Down}
        << left + QStringList{"cmbTrainer", "spnTargetTempo", "spnTrainerBars"};
}

// From Start, Tab visits every control once and comes back to Start.
void FrmMetronomePracticeTest::tabGoesThroughEverySetting() {
    QFETCH(Keys, keys);
    QFETCH(QStringList, order);
    MainWindowSession session;
    FrmMetronome& metronome = metronome_driver::open(session);
    metronome_driver::press(metronome, keys + Keys{alt(Qt::Key_P), Qt::SHIFT | Qt::Key_Tab});
    QStringList visited;
    do {
        visited << QApplication::focusWidget()->objectName();
        metronome_driver::press(metronome, {Qt::Key_Tab});
    } while (QApplication::focusWidget()->objectName() != QLatin1String("cmdStart") && visited.size() < 40);
    QCOMPARE(visited, order);
}

// The window has one size; shown, the large flash takes the settings' place. It is narrow
// enough to stand beside the main window wherever that is.
void FrmMetronomePracticeTest::fitsTheScreenBesideTheMainWindow_data() {
    QTest::addColumn<bool>("mainAtTheEdge"); // else where it opens, in the screen's middle
    QTest::newRow("beside the main window at the screen's edge") << true;
    QTest::newRow("beside the main window in the middle") << false;
}

void FrmMetronomePracticeTest::fitsTheScreenBesideTheMainWindow() {
    QFETCH(bool, mainAtTheEdge);
    MainWindowSession session;
    const QRect screen = session.calc().screen()->availableGeometry();
    QCOMPARE(screen.size(), QSize(1024, 768));
    if (mainAtTheEdge) {
        session.calc().move(screen.topLeft());
    }
    FrmMetronome& metronome = metronome_driver::open(session);
    metronome_driver::press(metronome, {alt(Qt::Key_F)});
    // A mnemonic clicks its check box as a click would, a moment later.
    QTRY_VERIFY(metronome.findChild<QWidget*>(QStringLiteral("beatFlash"))->isVisible());
    const QRect frame = metronome.frameGeometry();
    QCOMPARE(screen.intersected(frame), frame);
    QVERIFY(!frame.intersects(session.calc().frameGeometry()));
}

QTEST_MAIN(FrmMetronomePracticeTest)
#include "frm_metronome_practice_test.moc"
