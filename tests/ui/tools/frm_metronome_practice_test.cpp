#include "tests/ui/tools/metronome_driver.h"
#include "ui/tools/beat_lamps.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QScreen>
#include <QWindow>
#include <QtTest>

using tactora::BeatLevel;
using Keys = QList<QKeyCombination>;

namespace {

const QStringList fourFour = {QStringLiteral("120"), QStringLiteral("2"), QStringLiteral("4")};

// The practice settings a test changes and reads back from the plan the window would play.
enum class Field {
    Subdivisions,
    SubdivisionSound,
    SubdivisionLevel,
    CountInBars,
    CountInSound,
    PlayedBars,
    MutedBars,
    TrainerKind,
    TrainerTarget,
    TrainerStep,
    TrainerBars,
    AccentSound,
    BeatSound
};

double valueOf(const tactora::PracticePlan& plan, Field field) {
    switch (field) {
    case Field::Subdivisions:
        return plan.subdivisions;
    case Field::SubdivisionSound:
        return static_cast<int>(plan.subdivisionSound);
    case Field::SubdivisionLevel:
        return plan.subdivisionLevel;
    case Field::CountInBars:
        return plan.countInBars;
    case Field::CountInSound:
        return static_cast<int>(plan.countInSound);
    case Field::PlayedBars:
        return plan.playedBars;
    case Field::MutedBars:
        return plan.mutedBars;
    case Field::TrainerKind:
        return static_cast<int>(plan.trainer.kind);
    case Field::TrainerTarget:
        return plan.trainer.targetBeatsPerMinute;
    case Field::TrainerStep:
        return plan.trainer.stepBeatsPerMinute;
    case Field::TrainerBars:
        return plan.trainer.bars;
    case Field::AccentSound:
        return static_cast<int>(plan.accentSound);
    case Field::BeatSound:
        break;
    }
    return static_cast<int>(plan.beatSound);
}

QKeyCombination alt(Qt::Key key) {
    return Qt::ALT | key;
}

BeatLamps& lampsOf(FrmMetronome& metronome) {
    return *metronome.findChild<BeatLamps*>(QStringLiteral("beatLamps"));
}

QList<BeatLevel> defaultPattern() {
    return {BeatLevel::Accent, BeatLevel::Normal, BeatLevel::Normal, BeatLevel::Normal};
}

QList<BeatLevel> patternSent(const FrmMetronome& metronome, int beats) {
    const auto& pattern = metronome.settings().plan.pattern;
    return {pattern.begin(), pattern.begin() + beats};
}

} // namespace

Q_DECLARE_METATYPE(Field)
Q_DECLARE_METATYPE(BeatLevel)

// The metronome's practice settings as a person sets them, and what reaches the plan the
// window plays; and the window on a small screen (this test runs on a 1024 × 768 one).
class FrmMetronomePracticeTest : public QObject {
    Q_OBJECT

private slots:
    void patternStartsWithTheAccent();
    void clicksCycleALamp_data();
    void clicksCycleALamp();
    void keysChooseAndCycleLamps_data();
    void keysChooseAndCycleLamps();
    void lampsFollowTheBar_data();
    void lampsFollowTheBar();
    void settingsReachThePlan_data();
    void settingsReachThePlan();
    void mnemonicsAreUniqueAndControlsNamed();
    void tabGoesThroughEverySetting_data();
    void tabGoesThroughEverySetting();
    void fitsTheScreenBesideTheMainWindow_data();
    void fitsTheScreenBesideTheMainWindow();
};

void FrmMetronomePracticeTest::patternStartsWithTheAccent() {
    MainWindowSession session;
    FrmMetronome& metronome = metronome_driver::open(session, fourFour);
    QCOMPARE(lampsOf(metronome).lampCount(), 4);
    // The beats past the bar's too: a longer bar later plays them as normal beats.
    QCOMPARE(patternSent(metronome, 5), defaultPattern() << BeatLevel::Normal);
    QCOMPARE(lampsOf(metronome).accessibleName(), QStringLiteral("Beat pattern"));
}

void FrmMetronomePracticeTest::clicksCycleALamp_data() {
    QTest::addColumn<int>("lamp");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<BeatLevel>("level");
    QTest::newRow("the accent clicked once turns normal") << 0 << 1 << BeatLevel::Normal;
    QTest::newRow("a normal beat clicked once turns soft") << 1 << 1 << BeatLevel::Soft;
    QTest::newRow("a normal beat clicked twice turns silent") << 2 << 2 << BeatLevel::Silent;
    QTest::newRow("the last beat clicked three times is accented") << 3 << 3 << BeatLevel::Accent;
    QTest::newRow("four clicks come round to where it was") << 1 << 4 << BeatLevel::Normal;
}

void FrmMetronomePracticeTest::clicksCycleALamp() {
    QFETCH(int, lamp);
    QFETCH(int, clicks);
    QFETCH(BeatLevel, level);
    MainWindowSession session;
    FrmMetronome& metronome = metronome_driver::open(session, fourFour);
    BeatLamps& lamps = lampsOf(metronome);
    const QPoint at = lamps.mapTo(&metronome, lamps.lampRect(lamp).center());
    for (int i = 0; i < clicks; ++i) {
        QTest::mouseClick(metronome.windowHandle(), Qt::LeftButton, {}, at);
    }
    QList<BeatLevel> expected = defaultPattern();
    expected[lamp] = level;
    QCOMPARE(patternSent(metronome, 4), expected);
}

void FrmMetronomePracticeTest::keysChooseAndCycleLamps_data() {
    QTest::addColumn<Keys>("keys"); // after Alt+P has put the focus on the lamps
    QTest::addColumn<int>("lamp");
    QTest::addColumn<BeatLevel>("level");
    QTest::addColumn<QString>("said"); // the lamps' accessible description afterwards
    QTest::newRow("Down makes the accent normal")
        << Keys{Qt::Key_Down} << 0 << BeatLevel::Normal << QStringLiteral("Beat 1 of 4: normal");
    QTest::newRow("Right then Down makes beat 2 soft")
        << Keys{Qt::Key_Right, Qt::Key_Down} << 1 << BeatLevel::Soft << QStringLiteral("Beat 2 of 4: soft");
    QTest::newRow("Up makes a normal beat an accent")
        << Keys{Qt::Key_Right, Qt::Key_Right, Qt::Key_Up} << 2 << BeatLevel::Accent
        << QStringLiteral("Beat 3 of 4: accent");
    QTest::newRow("Up on the accent goes round to silent")
        << Keys{Qt::Key_Up} << 0 << BeatLevel::Silent << QStringLiteral("Beat 1 of 4: silent");
    QTest::newRow("Enter cycles as Down does") << Keys{Qt::Key_Right, Qt::Key_Return, Qt::Key_Return} << 1
                                               << BeatLevel::Silent << QStringLiteral("Beat 2 of 4: silent");
    QTest::newRow("Right stops at the last lamp")
        << Keys{Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Down} << 3
        << BeatLevel::Soft << QStringLiteral("Beat 4 of 4: soft");
    QTest::newRow("End chooses the last lamp")
        << Keys{Qt::Key_End, Qt::Key_Down} << 3 << BeatLevel::Soft << QStringLiteral("Beat 4 of 4: soft");
    QTest::newRow("Home chooses the first lamp")
        << Keys{Qt::Key_Right, Qt::Key_Right, Qt::Key_Home, Qt::Key_Down} << 0 << BeatLevel::Normal
        << QStringLiteral("Beat 1 of 4: normal");
    QTest::newRow("Left stops at the first lamp")
        << Keys{Qt::Key_Left, Qt::Key_Down} << 0 << BeatLevel::Normal
        << QStringLiteral("Beat 1 of 4: normal");
    QTest::newRow("choosing alone changes nothing but what is said")
        << Keys{Qt::Key_Right} << 1 << BeatLevel::Normal << QStringLiteral("Beat 2 of 4: normal");
}

void FrmMetronomePracticeTest::keysChooseAndCycleLamps() {
    QFETCH(Keys, keys);
    QFETCH(int, lamp);
    QFETCH(BeatLevel, level);
    QFETCH(QString, said);
    MainWindowSession session;
    FrmMetronome& metronome = metronome_driver::open(session, fourFour);
    metronome_driver::press(metronome, {alt(Qt::Key_P)});
    QVERIFY(lampsOf(metronome).hasFocus());
    metronome_driver::press(metronome, keys);
    QList<BeatLevel> expected = defaultPattern();
    expected[lamp] = level;
    QCOMPARE(patternSent(metronome, 4), expected);
    QCOMPARE(lampsOf(metronome).accessibleDescription(), said);
    // Space still belongs to Start: it changes no lamp, and the lamps keep the focus.
    metronome_driver::press(metronome, {Qt::Key_Space});
    QCOMPARE(patternSent(metronome, 4), expected);
    QVERIFY(lampsOf(metronome).hasFocus());
}

void FrmMetronomePracticeTest::lampsFollowTheBar_data() {
    QTest::addColumn<QString>("beatsPerBar");
    QTest::addColumn<int>("lamps");
    QTest::addColumn<bool>("lastNarrower");
    QTest::addColumn<bool>("saysBeatsPastPlayNormal");
    QTest::newRow("3 beats, 3 lamps") << QStringLiteral("3") << 3 << false << false;
    QTest::newRow("3.5 beats end with a narrower lamp") << QStringLiteral("3.5") << 4 << true << false;
    QTest::newRow("64 beats, all lamps") << QStringLiteral("64") << 64 << false << false;
    QTest::newRow("70 beats: 64 lamps and the rest said to play normal")
        << QStringLiteral("70") << 64 << false << true;
}

void FrmMetronomePracticeTest::lampsFollowTheBar() {
    QFETCH(QString, beatsPerBar);
    QFETCH(int, lamps);
    QFETCH(bool, lastNarrower);
    QFETCH(bool, saysBeatsPastPlayNormal);
    MainWindowSession session;
    FrmMetronome& metronome = metronome_driver::open(session, fourFour);
    // The window follows the main window's recalculation.
    session.typeInto(2, beatsPerBar);
    const BeatLamps& row = lampsOf(metronome);
    QCOMPARE(row.lampCount(), lamps);
    QCOMPARE(row.lampRect(lamps - 1).width() < row.lampRect(0).width(), lastNarrower);
    QVERIFY(row.rect().contains(row.lampRect(lamps - 1)));
    const QString note = metronome.findChild<QLabel*>(QStringLiteral("lblPattern"))->text();
    QCOMPARE(note.contains(QStringLiteral("play as normal beats")), saysBeatsPastPlayNormal);
}

void FrmMetronomePracticeTest::settingsReachThePlan_data() {
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<Field>("field");
    QTest::addColumn<double>("value");
    const QKeyCombination trainerOn = alt(Qt::Key_T);
    QTest::newRow("three subdivisions, two down from one")
        << Keys{alt(Qt::Key_U), Qt::Key_Down, Qt::Key_Down} << Field::Subdivisions << 3.0;
    QTest::newRow("eight subdivisions, the last")
        << Keys{alt(Qt::Key_U), Qt::Key_End} << Field::Subdivisions << 8.0;
    // The subdivisions' sound and level, the count-in's sound and the bars played between muted
    // ones take keys once there are subdivisions, a count-in or muted bars.
    const QKeyCombination subdivide = alt(Qt::Key_U);
    QTest::newRow("subdivisions as cowbell")
        << Keys{subdivide, Qt::Key_Down, alt(Qt::Key_D), Qt::Key_Down} << Field::SubdivisionSound << 3.0;
    QTest::newRow("subdivisions a page louder")
        << Keys{subdivide, Qt::Key_Down, alt(Qt::Key_L), Qt::Key_PageUp} << Field::SubdivisionLevel << 0.6;
    QTest::newRow("two bars of count-in")
        << Keys{alt(Qt::Key_C), Qt::Key_Up, Qt::Key_Up} << Field::CountInBars << 2.0;
    QTest::newRow("count-in no more than four bars")
        << Keys{alt(Qt::Key_C), Qt::Key_PageUp, Qt::Key_Up} << Field::CountInBars << 4.0;
    QTest::newRow("count-in as beeps")
        << Keys{alt(Qt::Key_C), Qt::Key_Up, alt(Qt::Key_O), Qt::Key_Up} << Field::CountInSound << 0.0;
    QTest::newRow("five bars played")
        << Keys{alt(Qt::Key_M), Qt::Key_Up, alt(Qt::Key_Y), Qt::Key_Up} << Field::PlayedBars << 5.0;
    QTest::newRow("two bars muted") << Keys{alt(Qt::Key_M), Qt::Key_Up, Qt::Key_Up} << Field::MutedBars
                                    << 2.0;
    QTest::newRow("the trainer in steps") << Keys{trainerOn, Qt::Key_Down} << Field::TrainerKind << 1.0;
    QTest::newRow("the trainer as a ramp")
        << Keys{trainerOn, Qt::Key_Down, Qt::Key_Down} << Field::TrainerKind << 2.0;
    QTest::newRow("a target one up") << Keys{trainerOn, Qt::Key_Down, alt(Qt::Key_G), Qt::Key_Up}
                                     << Field::TrainerTarget << 161.0;
    QTest::newRow("steps of one more")
        << Keys{trainerOn, Qt::Key_Down, alt(Qt::Key_E), Qt::Key_Up} << Field::TrainerStep << 6.0;
    QTest::newRow("steps every five bars")
        << Keys{trainerOn, Qt::Key_Down, alt(Qt::Key_R), Qt::Key_Up} << Field::TrainerBars << 5.0;
    QTest::newRow("a ramp over three bars")
        << Keys{trainerOn, Qt::Key_Down, Qt::Key_Down, alt(Qt::Key_R), Qt::Key_Down} << Field::TrainerBars
        << 3.0;
    QTest::newRow("accents on the wood block")
        << Keys{alt(Qt::Key_N), Qt::Key_Down} << Field::AccentSound << 1.0;
    QTest::newRow("beats on the cowbell") << Keys{alt(Qt::Key_B), Qt::Key_End} << Field::BeatSound << 3.0;
}

void FrmMetronomePracticeTest::settingsReachThePlan() {
    QFETCH(Keys, keys);
    QFETCH(Field, field);
    QFETCH(double, value);
    MainWindowSession session;
    FrmMetronome& metronome = metronome_driver::open(session, fourFour);
    const tactora::PracticePlan before = metronome.settings().plan;
    metronome_driver::press(metronome, keys);
    const tactora::PracticePlan after = metronome.settings().plan;
    QCOMPARE(valueOf(after, field), value);
    QVERIFY(valueOf(before, field) != value);
}

// Every letter after an ampersand leads to one control only, and every control the keyboard
// reaches has a name for assistive tools.
void FrmMetronomePracticeTest::mnemonicsAreUniqueAndControlsNamed() {
    MainWindowSession session;
    FrmMetronome& metronome = metronome_driver::open(session, fourFour);
    QStringList letters;
    const auto mnemonicOf = [](const QString& text) {
        const auto at = text.indexOf(QLatin1Char('&'));
        return at >= 0 ? text.mid(at + 1, 1).toLower() : QString();
    };
    for (const QLabel* label : metronome.findChildren<QLabel*>()) {
        if (label->buddy() != nullptr) {
            letters << mnemonicOf(label->text());
        }
    }
    for (const QAbstractButton* button : metronome.findChildren<QAbstractButton*>()) {
        letters << mnemonicOf(button->text());
    }
    letters.removeAll(QString());
    QStringList unique = letters;
    unique.removeDuplicates();
    QCOMPARE(letters.size(), unique.size());
    QVERIFY(letters.size() >= 17);
    for (const QWidget* control : metronome.findChildren<QWidget*>()) {
        // Qt's own parts of a spin box or a selector are named through their control.
        if (control->focusPolicy() & Qt::TabFocus && control->isVisibleTo(&metronome) &&
            !control->objectName().startsWith(QStringLiteral("qt_"))) {
            QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
        }
    }
}

void FrmMetronomePracticeTest::tabGoesThroughEverySetting_data() {
    QTest::addColumn<Keys>("keys"); // what is set first
    QTest::addColumn<QStringList>("order");
    const QStringList left = {"cmdStart",         "beatLamps",     "sldVolume",
                              "chkStopAfterBars", "chkLargeFlash", "cmdExport"};
    const QStringList sounds = {"cmbAccentSound", "cmbBeatSound"};
    const QStringList asOpened = {"cmbSubdivisions", "spnCountIn", "spnMutedBars", "cmbTrainer"};
    QTest::newRow("down the left column, then the settings that apply as it opens")
        << Keys{} << left + asOpened + sounds;
    QTest::newRow("subdivisions, a count-in and muted bars bring in their sound, level and bars played")
        << Keys{alt(Qt::Key_U), Qt::Key_Down, alt(Qt::Key_C), Qt::Key_Up, alt(Qt::Key_M), Qt::Key_Up}
        << left + QStringList{"cmbSubdivisions", "cmbSubdivisionSound", "sldSubdivisionLevel", "spnCountIn",
                              "cmbCountInSound", "spnPlayedBars",       "spnMutedBars",        "cmbTrainer"} +
               sounds;
    QTest::newRow("the trainer in steps adds its target, step and bars")
        << Keys{alt(Qt::Key_T), Qt::Key_Down}
        << left + asOpened + QStringList{"spnTargetTempo", "spnTempoStep", "spnTrainerBars"} + sounds;
    QTest::newRow("a ramp has no step")
        << Keys{alt(Qt::Key_T), Qt::Key_Down, Qt::Key_Down}
        << left + asOpened + QStringList{"spnTargetTempo", "spnTrainerBars"} + sounds;
}

// From Start, Tab visits every control once and comes back to Start.
void FrmMetronomePracticeTest::tabGoesThroughEverySetting() {
    QFETCH(Keys, keys);
    QFETCH(QStringList, order);
    MainWindowSession session;
    FrmMetronome& metronome = metronome_driver::open(session, fourFour);
    metronome_driver::press(metronome, keys + Keys{alt(Qt::Key_P), Qt::SHIFT | Qt::Key_Tab});
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdStart"));
    QStringList visited;
    do {
        visited << QApplication::focusWidget()->objectName();
        metronome_driver::press(metronome, {Qt::Key_Tab});
    } while (QApplication::focusWidget()->objectName() != QLatin1String("cmdStart") && visited.size() < 40);
    QCOMPARE(visited, order);
}

void FrmMetronomePracticeTest::fitsTheScreenBesideTheMainWindow_data() {
    QTest::addColumn<bool>("mainAtTheEdge"); // else where it opens, in the screen's middle
    QTest::addColumn<bool>("largeFlash");
    QTest::newRow("beside the main window at the screen's edge") << true << false;
    QTest::newRow("beside it with the large flash") << true << true;
    QTest::newRow("on the screen over a main window in the middle") << false << false;
    QTest::newRow("on the screen with the large flash") << false << true;
}

void FrmMetronomePracticeTest::fitsTheScreenBesideTheMainWindow() {
    QFETCH(bool, mainAtTheEdge);
    QFETCH(bool, largeFlash);
    MainWindowSession session;
    const QRect screen = session.calc().screen()->availableGeometry();
    QCOMPARE(screen.size(), QSize(1024, 768));
    if (mainAtTheEdge) {
        session.calc().move(screen.topLeft());
    }
    FrmMetronome& metronome = metronome_driver::open(session, fourFour);
    if (largeFlash) {
        metronome_driver::press(metronome, {alt(Qt::Key_F)});
        // A mnemonic clicks its check box as a click would, a moment later.
        QTRY_VERIFY(metronome.findChild<QWidget*>(QStringLiteral("beatFlash"))->isVisible());
    }
    const QRect frame = metronome.frameGeometry();
    QVERIFY2(screen.contains(frame), qPrintable(QStringLiteral("%1,%2 %3 × %4")
                                                    .arg(frame.x())
                                                    .arg(frame.y())
                                                    .arg(frame.width())
                                                    .arg(frame.height())));
    if (mainAtTheEdge) {
        QVERIFY(!frame.intersects(session.calc().frameGeometry()));
    }
}

QTEST_MAIN(FrmMetronomePracticeTest)
#include "frm_metronome_practice_test.moc"
