#include "audio/click_export.h"
#include "core/click_track.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Every part of the practice plan in play: a count-in, subdivisions, a pattern with silent and
// soft beats, a muted bar in every three and a trainer stepping the tempo up every two bars.
ClickExport practice(ClickFileFormat format, int sampleRate, const QString& path) {
    ClickExport request{{150.0, 4.0, 0.0, 0.8, {}}, 7, sampleRate, format, path};
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

// Puts "kept" in the file (WriteOnly), or finds it still there (ReadOnly).
bool kept(const QString& path, QIODevice::OpenMode mode) {
    QFile file(path);
    return file.open(mode) &&
           (mode == QIODevice::WriteOnly ? file.write("kept") == 4 : file.readAll() == "kept");
}

QStringList contents(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

} // namespace

Q_DECLARE_METATYPE(ClickFileFormat)
Q_DECLARE_METATYPE(ClickExport)

class ClickExportTest : public QObject {
    Q_OBJECT

private slots:
    void readsBackAsRendered_data();
    void readsBackAsRendered();
    void leavesAFileOnlyWhenWritten_data();
    void leavesAFileOnlyWhenWritten();
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

// Floats as they are; whole numbers as round(sample × (2^(bits−1) − 1)), halves away from 0,
// which libsndfile reads back over 2^(bits−1), exactly.
void ClickExportTest::readsBackAsRendered() {
    QFETCH(ClickFileFormat, format);
    QFETCH(int, bits);
    QFETCH(int, sampleRate);
    const QTemporaryDir folder;
    const ClickExport request = practice(format, sampleRate, folder.filePath(QStringLiteral("track")));
    QCOMPARE(exportClickTrack(request, {}).result, ClickExportOutcome::Result::Written);
    // Set up as a start of the metronome sets it, and pulled at once, not in the export's chunks.
    tactora::ClickTrack track(sampleRate);
    track.setTempo(request.settings.beatsPerMinute);
    track.setBeatsPerBar(request.settings.beatsPerBar);
    track.setPlan(request.settings.plan);
    track.setVolume(request.settings.volume);
    track.restart();
    std::vector<float> expected(static_cast<std::size_t>(track.barFrame(1 + request.bars)));
    track.render(expected);
    // Clicks, not silence, are compared.
    QVERIFY(std::count(expected.begin(), expected.end(), 0.0F) < std::ssize(expected) * 99 / 100);
    const double full = std::ldexp(1.0, bits - 1);
    for (float& sample : expected) {
        const auto whole = static_cast<double>(std::lround(sample * (full - 1)));
        sample = bits == 0 ? sample : static_cast<float>(whole / full);
    }
    SF_INFO info{};
    SNDFILE* sound = sf_open(QFile::encodeName(request.path).constData(), SFM_READ, &info);
    std::vector<float> read(static_cast<std::size_t>(info.frames));
    sf_readf_float(sound, read.data(), info.frames);
    sf_close(sound);
    QCOMPARE(info.samplerate, sampleRate);
    QCOMPARE(read.size(), expected.size());
    const auto differ = std::mismatch(read.begin(), read.end(), expected.begin());
    QVERIFY2(differ.first == read.end(), qPrintable(QString::number(differ.first - read.begin())));
}

// Settings the metronome cannot play.
ClickExport refused(double beatsPerMinute, double beatsPerBar, int subdivisions, int sampleRate, int bars) {
    ClickExport request{
        {beatsPerMinute, beatsPerBar, 0.0, 1.0, {}}, bars, sampleRate, ClickFileFormat::WavFloat32, {}};
    request.settings.plan.subdivisions = subdivisions;
    return request;
}

// Where the export goes, and what is in the way there.
enum class Room { Free, MissingFolder, Locked, Folder, FullDisk }; // Folder: the path is one
Q_DECLARE_METATYPE(Room)

// Written when progress never answers false and nothing says a problem; else cancelled when
// nothing says one; else failed.
void ClickExportTest::leavesAFileOnlyWhenWritten_data() {
    QTest::addColumn<ClickExport>("request"); // its path set by the test
    QTest::addColumn<Room>("room");
    QTest::addColumn<double>("cancelFrom"); // the first fraction progress answers false to
    QTest::addColumn<bool>("existing");     // a file at the path already
    QTest::addColumn<QString>("says");
    const ClickExport wav = practice(ClickFileFormat::Wav24, 48000, {});
    QTest::newRow("written to the end") << wav << Room::Free << 2.0 << false << "";
    QTest::newRow("written over the file there") << wav << Room::Free << 2.0 << true << "";
    QTest::newRow("cancelled at once") << wav << Room::Free << 0.0 << false << "";
    QTest::newRow("cancelled midway keeps the file there") << wav << Room::Free << 0.5 << true << "";
    QTest::newRow("cancelled at the last word") << wav << Room::Free << 1.0 << false << "";
    QTest::newRow("a missing folder") << wav << Room::MissingFolder << 2.0 << false << "not exist";
    QTest::newRow("a folder it may not write in") << wav << Room::Locked << 2.0 << false << "permission";
    QTest::newRow("a file it may not replace stays") << wav << Room::Locked << 2.0 << true << "permission";
    QTest::newRow("a path that is a folder") << wav << Room::Folder << 2.0 << false << "A folder";
    QTest::newRow("a full disk") << wav << Room::FullDisk << 2.0 << false << "no room";
    QTest::newRow("a full disk keeps the file there") << wav << Room::FullDisk << 2.0 << true << "no room";
    const std::vector<std::tuple<const char*, ClickExport, const char*>> refusals{
        {"a tempo of 0", refused(0.0, 4.0, 1, 48000, 4), "tempo"},
        {"a bar of no beats", refused(120.0, 0.0, 1, 48000, 4), "bar length"},
        {"nine subdivisions", refused(120.0, 4.0, 9, 48000, 4), "practice settings"},
        {"a rate of 1000 Hz", refused(120.0, 4.0, 1, 1000, 4), "sample rate"},
        {"no bars", refused(120.0, 4.0, 1, 48000, 0), "at least one bar"},
        {"past the 4 GiB a WAV file holds", refused(120.0, 4.0, 1, 192000, 3000), "too long"}};
    for (const auto& [name, request, says] : refusals) {
        QTest::newRow(name) << request << Room::Free << 2.0 << true << says;
    }
}

// A full disk and a folder root may not write in are real only in tests/audio/export_room.sh.
void ClickExportTest::leavesAFileOnlyWhenWritten() {
    QFETCH(ClickExport, request);
    QFETCH(Room, room);
    QFETCH(double, cancelFrom);
    QFETCH(bool, existing);
    QFETCH(QString, says);
    using enum ClickExportOutcome::Result;
    const auto result = !says.isEmpty() ? Failed : (cancelFrom <= 1.0 ? Cancelled : Written);
    const QTemporaryDir scratch;
    const QString folder =
        room == Room::FullDisk ? qEnvironmentVariable("TACTORA_SMALL_DISK") : scratch.path();
    if (folder.isEmpty() || (room == Room::Locked && QSysInfo::productType() == QLatin1String("windows"))) {
        QSKIP("Needs a small disk of its own, or a folder this system can lock");
    }
    const QString path = request.path = folder + (room == Room::MissingFolder ? "/missing/t.wav" : "/t.wav");
    QVERIFY(!existing || kept(path, QIODevice::WriteOnly));
    QVERIFY(room != Room::Folder || QDir(path).mkpath(QStringLiteral("inside")));
    const QStringList before = contents(folder);
    const QFile::Permissions opened = QFile::permissions(folder);
    QVERIFY(room != Room::Locked || QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    std::vector<double> said;
    const ClickExportOutcome outcome = exportClickTrack(request, [&said, cancelFrom](double done) {
        said.push_back(done);
        return done < cancelFrom;
    });
    QFile::setPermissions(folder, opened);
    QCOMPARE(outcome.result, result);
    QCOMPARE(outcome.problem.isEmpty(), says.isEmpty());
    QVERIFY2(outcome.problem.contains(says), qPrintable(outcome.problem));
    QVERIFY(std::is_sorted(said.begin(), said.end()) && (said.empty() || said.front() == 0.0));
    if (result == Written) {
        QCOMPARE(said.back(), 1.0);
        QVERIFY(QFileInfo(path).size() > 100000);
    } else {
        QCOMPARE(contents(folder), before);
        QVERIFY(!existing || kept(path, QIODevice::ReadOnly));
    }
    QVERIFY(room != Room::FullDisk || !existing || QFile::remove(path));
}

QTEST_GUILESS_MAIN(ClickExportTest)
#include "click_export_test.moc"
