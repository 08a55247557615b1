#include "audio/click_stream.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr int rate = 48000;
constexpr std::int64_t leadIn = rate / 20; // the 50 ms of silence before the first beat

QAudioFormat formatOf(int channels, QAudioFormat::SampleFormat sampleFormat) {
    QAudioFormat format;
    format.setSampleRate(rate);
    format.setChannelCount(channels);
    format.setSampleFormat(sampleFormat);
    return format;
}

// One channel's samples, as floats, read in chunks of the given size until the end or until
// maxFrames.
std::vector<float> channel(ClickStream& stream, const QAudioFormat& format, int which, qint64 chunkFrames,
                           std::int64_t maxFrames) {
    std::vector<float> samples;
    QByteArray chunk(static_cast<int>(chunkFrames * format.bytesPerFrame()), Qt::Uninitialized);
    while (static_cast<std::int64_t>(samples.size()) < maxFrames && !stream.atEnd()) {
        const qint64 frames =
            std::min<qint64>(chunkFrames, maxFrames - static_cast<std::int64_t>(samples.size()));
        const qint64 read = stream.read(chunk.data(), frames * format.bytesPerFrame());
        for (qint64 at = which * format.bytesPerSample(); at < read; at += format.bytesPerFrame()) {
            if (format.sampleFormat() == QAudioFormat::Float) {
                float value = 0;
                std::memcpy(&value, chunk.constData() + at, sizeof value);
                samples.push_back(value);
            } else {
                std::int16_t value = 0;
                std::memcpy(&value, chunk.constData() + at, sizeof value);
                samples.push_back(static_cast<float>(value) / 32767.0F);
            }
        }
    }
    return samples;
}

std::vector<float> expected(const ClickSettings& settings, std::int64_t frames) {
    tactora::ClickTrack track(rate);
    track.setTempo(settings.beatsPerMinute);
    track.setBeatsPerBar(settings.beatsPerBar);
    track.setVolume(settings.volume);
    std::vector<float> samples(static_cast<std::size_t>(frames));
    track.render(std::span(samples).subspan(static_cast<std::size_t>(leadIn)));
    return samples;
}

} // namespace

class ClickStreamTest : public QObject {
    Q_OBJECT

private slots:
    void everyChannelCarriesTheTrackAfterTheLeadIn_data();
    void everyChannelCarriesTheTrackAfterTheLeadIn();
    void settingsChangedAroundTheTempoKeepTheBeatsOnTheirFrames();
    void endsAfterTheBarsAndTheSilenceAfterThem();
};

void ClickStreamTest::everyChannelCarriesTheTrackAfterTheLeadIn_data() {
    QTest::addColumn<int>("channels");
    QTest::addColumn<QAudioFormat::SampleFormat>("sampleFormat");
    QTest::newRow("mono, 16 bits") << 1 << QAudioFormat::Int16;
    QTest::newRow("stereo, 16 bits") << 2 << QAudioFormat::Int16;
    QTest::newRow("stereo, float") << 2 << QAudioFormat::Float;
}

void ClickStreamTest::everyChannelCarriesTheTrackAfterTheLeadIn() {
    QFETCH(int, channels);
    QFETCH(QAudioFormat::SampleFormat, sampleFormat);
    const QAudioFormat format = formatOf(channels, sampleFormat);
    const ClickSettings settings{97.3, 3.5, 0.0, 0.7};
    const std::vector<float> wanted = expected(settings, 3 * rate);
    for (int which = 0; which < channels; ++which) {
        ClickStream stream(format, settings);
        stream.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        const std::vector<float> heard = channel(stream, format, which, 1000, 3 * rate);
        QCOMPARE(heard.size(), wanted.size());
        for (std::size_t i = 0; i < heard.size(); ++i) {
            if (std::abs(heard[i] - wanted[i]) > 1.0F / 32767.0F) {
                QFAIL(qPrintable(QStringLiteral("channel %1, frame %2: %3, not %4")
                                     .arg(which)
                                     .arg(i)
                                     .arg(heard[i])
                                     .arg(wanted[i])));
            }
        }
    }
}

// The window sends its settings on every recalculation and every move of the volume; a tempo
// set again unchanged must not count anew from the rounded frame of the beat due.
void ClickStreamTest::settingsChangedAroundTheTempoKeepTheBeatsOnTheirFrames() {
    const QAudioFormat format = formatOf(1, QAudioFormat::Float);
    ClickSettings settings{97.3, 4.0, 0.0, 1.0};
    const std::vector<float> wanted = expected(settings, 20 * rate);
    ClickStream stream(format, settings);
    stream.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    std::vector<float> heard;
    for (int second = 0; second < 20; ++second) {
        const std::vector<float> part = channel(stream, format, 0, 4410, rate);
        heard.insert(heard.end(), part.begin(), part.end());
        settings.stopAfterBars = second % 2 == 0 ? 100.0 : 0.0;
        stream.change(settings);
    }
    QCOMPARE(heard, wanted);
}

void ClickStreamTest::endsAfterTheBarsAndTheSilenceAfterThem() {
    const QAudioFormat format = formatOf(1, QAudioFormat::Int16);
    // 2 bars of 4 at 120 beats per minute: 4 s, then the rest of the chunk that found the end
    // and the half second of silence.
    constexpr std::int64_t chunk = 777;
    ClickStream stream(format, ClickSettings{120.0, 4.0, 2.0, 1.0});
    stream.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    const std::vector<float> heard = channel(stream, format, 0, chunk, 10 * rate);
    QVERIFY(stream.atEnd());
    const auto frames = static_cast<std::int64_t>(heard.size());
    QVERIFY2(frames >= leadIn + 4 * rate + rate / 2 && frames < leadIn + 4 * rate + rate / 2 + chunk,
             qPrintable(QString::number(frames)));
    // The last beat, the 8th, and nothing after it.
    QCOMPARE(heard[static_cast<std::size_t>(leadIn + 7 * rate / 2)], std::round(0.5F * 32767.0F) / 32767.0F);
    QVERIFY(std::all_of(heard.begin() + leadIn + 7 * rate / 2 + rate / 10, heard.end(),
                        [](float s) { return s == 0.0F; }));
    char byte = 0;
    QCOMPARE(stream.read(&byte, 1), qint64(0));
}

QTEST_GUILESS_MAIN(ClickStreamTest)
#include "click_stream_test.moc"
