#include "audio/click_export.h"
#include "core/click_track.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <sndfile.h>

#include <cmath>
#include <vector>

namespace {

// Every part of the practice plan in play: a count-in, subdivisions, a pattern with silent and
// soft beats, a muted bar in every three and a trainer stepping the tempo up every two bars.
ClickExport practice(ClickFileFormat format, int sampleRate, const QString& path) {
    ClickExport request{{}, 7, sampleRate, format, path};
    request.settings.beatsPerMinute = 150.0;
    request.settings.volume = 0.8;
    tactora::PracticePlan& plan = request.settings.plan;
    plan.countInBars = 1;
    plan.subdivisions = 3;
    plan.pattern[1] = tactora::BeatLevel::Soft;
    plan.pattern[2] = tactora::BeatLevel::Silent;
    plan.playedBars = 2;
    plan.mutedBars = 1;
    plan.trainer = {tactora::TempoTrainer::Kind::Steps, 170.0, 10.0, 2};
    return request;
}

// The track as a start of the metronome sets it up.
tactora::ClickTrack setUpLike(const ClickExport& request) {
    tactora::ClickTrack track(request.sampleRate);
    track.setTempo(request.settings.beatsPerMinute);
    track.setBeatsPerBar(request.settings.beatsPerBar);
    track.setPlan(request.settings.plan);
    track.setVolume(request.settings.volume);
    track.restart();
    return track;
}

struct SoundFile {
    SF_INFO info{};
    std::vector<float> floats;
    std::vector<int> whole; // left-justified in 32 bits
};

SoundFile readBack(const QString& path) {
    SoundFile file;
    SNDFILE* sound = sf_open(QFile::encodeName(path).constData(), SFM_READ, &file.info);
    if (sound != nullptr) {
        file.floats.resize(static_cast<std::size_t>(file.info.frames));
        file.whole.resize(static_cast<std::size_t>(file.info.frames));
        sf_readf_float(sound, file.floats.data(), file.info.frames);
        sf_seek(sound, 0, SEEK_SET);
        sf_readf_int(sound, file.whole.data(), file.info.frames);
        sf_close(sound);
    }
    return file;
}

QStringList contents(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

} // namespace

Q_DECLARE_METATYPE(ClickFileFormat)
Q_DECLARE_METATYPE(ClickExportOutcome::Result)

class ClickExportTest : public QObject {
    Q_OBJECT

private slots:
    void readsBackAsRendered_data();
    void readsBackAsRendered();
    void failsLeavingNothing_data();
    void failsLeavingNothing();
    void endsAsProgressSays_data();
    void endsAsProgressSays();
    void refusesWhatCannotPlay_data();
    void refusesWhatCannotPlay();
};

void ClickExportTest::readsBackAsRendered_data() {
    QTest::addColumn<ClickFileFormat>("format");
    QTest::addColumn<int>("bits"); // 0 for floats
    QTest::addColumn<int>("sampleRate");
    const std::vector<std::tuple<const char*, ClickFileFormat, int>> formats{
        {"WAV 16-bit", ClickFileFormat::Wav16, 16},
        {"WAV 24-bit", ClickFileFormat::Wav24, 24},
        {"WAV 32-bit float", ClickFileFormat::WavFloat32, 0},
        {"FLAC 16-bit", ClickFileFormat::Flac16, 16},
        {"FLAC 24-bit", ClickFileFormat::Flac24, 24}};
    for (const auto& [name, format, bits] : formats) {
        for (const int rate : {44100, 48000, 192000}) {
            QTest::addRow("%s at %d Hz", name, rate) << format << bits << rate;
        }
    }
}

// Floats as they are; whole numbers as round(sample × (2^(bits−1) − 1)), halves away from 0.
void ClickExportTest::readsBackAsRendered() {
    QFETCH(ClickFileFormat, format);
    QFETCH(int, bits);
    QFETCH(int, sampleRate);
    const QTemporaryDir folder;
    const ClickExport request = practice(format, sampleRate, folder.filePath(QStringLiteral("track")));
    QCOMPARE(exportClickTrack(request, {}).result, ClickExportOutcome::Result::Written);
    // Pulled at once, not in the export's chunks.
    tactora::ClickTrack track = setUpLike(request);
    std::vector<float> audio(static_cast<std::size_t>(track.barFrame(1 + request.bars)));
    track.render(audio);
    const SoundFile file = readBack(request.path);
    QCOMPARE(file.info.samplerate, sampleRate);
    QCOMPARE(file.info.channels, 1);
    QCOMPARE(file.info.frames, static_cast<sf_count_t>(audio.size()));
    QVERIFY(std::count(audio.begin(), audio.end(), 0.0F) <
            static_cast<std::ptrdiff_t>(audio.size()) * 9 / 10);
    for (std::size_t i = 0; i < audio.size(); ++i) {
        if (bits == 0) {
            QCOMPARE(file.floats[i], audio[i]);
        } else {
            const long expected = std::lround(static_cast<double>(audio[i]) * ((1L << (bits - 1)) - 1));
            QCOMPARE(file.whole[i], static_cast<int>(expected * (1L << (32 - bits))));
        }
    }
}

enum class Room { MissingFolder, Locked, PathIsAFolder, FullDisk };
Q_DECLARE_METATYPE(Room)

void ClickExportTest::failsLeavingNothing_data() {
    QTest::addColumn<Room>("room");
    QTest::addColumn<bool>("existing");
    QTest::addColumn<QString>("says");
    QTest::newRow("a missing folder") << Room::MissingFolder << false << "does not exist";
    QTest::newRow("a folder it may not write in") << Room::Locked << false << "no permission";
    QTest::newRow("a file it may not replace stays") << Room::Locked << true << "no permission";
    QTest::newRow("a path that is a folder") << Room::PathIsAFolder << false << "A folder has that name";
    QTest::newRow("a full disk") << Room::FullDisk << false << "no room left";
    QTest::newRow("a full disk keeps the file there") << Room::FullDisk << true << "no room left";
}

// A full disk and a folder root may not write in are real only in tests/audio/export_room.sh.
void ClickExportTest::failsLeavingNothing() {
    QFETCH(Room, room);
    QFETCH(bool, existing);
    QFETCH(QString, says);
    const QTemporaryDir scratch;
    const QString folder =
        room == Room::FullDisk ? qEnvironmentVariable("TACTORA_SMALL_DISK") : scratch.path();
    if (folder.isEmpty() || (room == Room::Locked && QSysInfo::productType() == QLatin1String("windows"))) {
        QSKIP("Needs a small disk of its own, or a folder this system can lock");
    }
    const QString path = folder + (room == Room::MissingFolder ? "/missing/track.wav" : "/track.wav");
    QFile old(path);
    QVERIFY(!existing || (old.open(QIODevice::WriteOnly) && old.write("kept") == 4 && old.flush()));
    QVERIFY(room != Room::PathIsAFolder || QDir(path).mkpath(QStringLiteral("inside")));
    const QStringList before = contents(folder);
    const QFile::Permissions opened = QFile::permissions(folder);
    QVERIFY(room != Room::Locked || QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    const ClickExportOutcome outcome = exportClickTrack(practice(ClickFileFormat::Wav24, 48000, path), {});
    QFile::setPermissions(folder, opened);
    QCOMPARE(outcome.result, ClickExportOutcome::Result::Failed);
    QVERIFY2(outcome.problem.contains(says), qPrintable(outcome.problem));
    QCOMPARE(contents(folder), before);
    QVERIFY(!existing || (old.open(QIODevice::ReadOnly) && old.readAll() == "kept" && old.remove()));
}

void ClickExportTest::endsAsProgressSays_data() {
    QTest::addColumn<double>("cancelFrom"); // the first fraction answered false
    QTest::addColumn<bool>("existing");
    QTest::addColumn<ClickExportOutcome::Result>("result");
    QTest::newRow("written to the end") << 2.0 << false << ClickExportOutcome::Result::Written;
    QTest::newRow("written over the file there") << 2.0 << true << ClickExportOutcome::Result::Written;
    QTest::newRow("cancelled at once") << 0.0 << false << ClickExportOutcome::Result::Cancelled;
    QTest::newRow("cancelled midway keeps the file there")
        << 0.5 << true << ClickExportOutcome::Result::Cancelled;
    QTest::newRow("cancelled at the last word") << 1.0 << false << ClickExportOutcome::Result::Cancelled;
}

void ClickExportTest::endsAsProgressSays() {
    QFETCH(double, cancelFrom);
    QFETCH(bool, existing);
    QFETCH(ClickExportOutcome::Result, result);
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("track.flac"));
    QFile old(path);
    QVERIFY(!existing || (old.open(QIODevice::WriteOnly) && old.write("kept") == 4 && old.flush()));
    const QStringList before = contents(folder.path());
    std::vector<double> said;
    const auto progress = [&said, cancelFrom](double done) {
        said.push_back(done);
        return done < cancelFrom;
    };
    QCOMPARE(exportClickTrack(practice(ClickFileFormat::Flac24, 48000, path), progress).result, result);
    QVERIFY(said.size() > 2 || cancelFrom < 0.5);
    QVERIFY(std::is_sorted(said.begin(), said.end()) && said.front() == 0.0 && said.back() <= 1.0);
    if (result == ClickExportOutcome::Result::Written) {
        QCOMPARE(said.back(), 1.0);
        QVERIFY(readBack(path).info.frames > 0);
    } else {
        QCOMPARE(contents(folder.path()), before);
        QVERIFY(!existing || (old.open(QIODevice::ReadOnly) && old.readAll() == "kept"));
    }
}

ClickExport refused(double beatsPerMinute, double beatsPerBar, int subdivisions, int sampleRate, int bars) {
    ClickExport request{{}, bars, sampleRate, ClickFileFormat::WavFloat32, {}};
    request.settings.beatsPerMinute = beatsPerMinute;
    request.settings.beatsPerBar = beatsPerBar;
    request.settings.plan.subdivisions = subdivisions;
    return request;
}
Q_DECLARE_METATYPE(ClickExport)

void ClickExportTest::refusesWhatCannotPlay_data() {
    QTest::addColumn<ClickExport>("request");
    QTest::addColumn<QString>("says");
    QTest::newRow("a tempo of 0") << refused(0.0, 4.0, 1, 48000, 4) << "tempo";
    QTest::newRow("a bar of no beats") << refused(120.0, 0.0, 1, 48000, 4) << "bar length";
    QTest::newRow("nine subdivisions") << refused(120.0, 4.0, 9, 48000, 4) << "practice settings";
    QTest::newRow("a rate of 1000 Hz") << refused(120.0, 4.0, 1, 1000, 4) << "sample rate";
    QTest::newRow("no bars") << refused(120.0, 4.0, 1, 48000, 0) << "at least one bar";
    QTest::newRow("past the 4 GiB a WAV file holds") << refused(120.0, 4.0, 1, 192000, 3000) << "too long";
}

void ClickExportTest::refusesWhatCannotPlay() {
    QFETCH(ClickExport, request);
    QFETCH(QString, says);
    const QTemporaryDir folder;
    request.path = folder.filePath(QStringLiteral("track.wav"));
    const ClickExportOutcome outcome = exportClickTrack(request, {});
    QCOMPARE(outcome.result, ClickExportOutcome::Result::Failed);
    QVERIFY2(outcome.problem.contains(says), qPrintable(outcome.problem));
    QVERIFY(contents(folder.path()).isEmpty());
}

QTEST_GUILESS_MAIN(ClickExportTest)
#include "click_export_test.moc"
