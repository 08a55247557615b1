#include "audio/output_click_player.h"

#include <QtTest>

#include <vector>

namespace {

constexpr int rate = 48000;

// An output the test drives: it plays the test's buffers, loses its device when told, and
// reports as an output's thread would.
class FakeOutput final : public AudioOutput {
public:
    explicit FakeOutput(std::function<void()> changed) : report(std::move(changed)) {
        m_renderer.openTimeline(rate);
    }

    ClickRenderer& renderer() override { return m_renderer; }
    ClickOutput output() const override { return state; }
    std::string deviceName() const override { return "Test device"; }
    int sampleRate() const override { return rate; }
    std::optional<double> heardFrame() override { return heard; }
    std::uint64_t losses() const override { return lossCount; }
    ClickPlayerEnd lastLoss() const override { return ClickPlayerEnd::DeviceLost; }

    // Three half-second buffers on the audio thread's behalf.
    void play() {
        std::vector<float> buffer(rate / 2);
        for (int i = 0; i < 3; ++i, next += rate / 2) {
            m_renderer.render(next, buffer);
        }
    }

    std::function<void()> report;
    ClickOutput state = ClickOutput::Ready;
    std::optional<double> heard;
    std::uint64_t lossCount = 0;
    std::int64_t next = 0;

private:
    ClickRenderer m_renderer;
};

// What happens in turn: the window's requests, the audio thread's buffers, the output's news.
enum class Step { Start, StartOneBar, Stop, Play, LoseDevice, NoDevice, Report };

ClickSettings at(double beatsPerMinute, double stopAfterBars) {
    ClickSettings settings;
    settings.beatsPerMinute = beatsPerMinute;
    settings.stopAfterBars = stopAfterBars;
    return settings;
}

} // namespace

Q_DECLARE_METATYPE(Step)
Q_DECLARE_METATYPE(std::vector<Step>)
Q_DECLARE_METATYPE(std::vector<ClickPlayerEnd>)

class OutputClickPlayerTest : public QObject {
    Q_OBJECT

private slots:
    void endsAsTheOutputReports_data();
    void endsAsTheOutputReports();
    void countsTheFramesAndBeatsHeard();
};

void OutputClickPlayerTest::endsAsTheOutputReports_data() {
    QTest::addColumn<std::vector<Step>>("steps");
    QTest::addColumn<std::vector<ClickPlayerEnd>>("ends");
    QTest::addColumn<bool>("playing");

    // One bar of four at 240 beats per minute is over within the three buffers.
    QTest::newRow("the last bar rendered ends it as finished")
        << std::vector{Step::StartOneBar, Step::Play, Step::Report} << std::vector{ClickPlayerEnd::Finished}
        << false;
    QTest::newRow("a lost device ends it as lost")
        << std::vector{Step::Start, Step::Play, Step::LoseDevice, Step::Report}
        << std::vector{ClickPlayerEnd::DeviceLost} << false;
    QTest::newRow("a loss before the start ends nothing")
        << std::vector{Step::LoseDevice, Step::Start, Step::Play, Step::Report}
        << std::vector<ClickPlayerEnd>{} << true;
    QTest::newRow("news while it plays on end nothing")
        << std::vector{Step::Start, Step::Play, Step::Report} << std::vector<ClickPlayerEnd>{} << true;
    QTest::newRow("a stop is no end") << std::vector{Step::StartOneBar, Step::Play, Step::Stop, Step::Report}
                                      << std::vector<ClickPlayerEnd>{} << false;
    QTest::newRow("without a device a start is refused")
        << std::vector{Step::NoDevice, Step::Start, Step::Report} << std::vector<ClickPlayerEnd>{} << false;
}

namespace {

// A player whose output, once opened, is a fake the test plays and reports through `output`.
std::unique_ptr<OutputClickPlayer> playerOn(FakeOutput*& output) {
    return std::make_unique<OutputClickPlayer>(
        [&output](std::function<void()> changed) {
            auto made = std::make_unique<FakeOutput>(std::move(changed));
            output = made.get();
            return made;
        },
        20);
}

} // namespace

void OutputClickPlayerTest::endsAsTheOutputReports() {
    QFETCH(std::vector<Step>, steps);
    QFETCH(std::vector<ClickPlayerEnd>, ends);
    QFETCH(bool, playing);

    FakeOutput* output = nullptr;
    const std::unique_ptr<OutputClickPlayer> owned = playerOn(output);
    OutputClickPlayer& player = *owned;
    std::vector<ClickPlayerEnd> heard;
    player.setEndHandler([&heard](ClickPlayerEnd end) { heard.push_back(end); });
    int news = 0;
    player.setOutputHandler([&news] { ++news; });
    player.openOutput();
    QVERIFY(output != nullptr);
    int reports = 0;
    for (const Step step : steps) {
        switch (step) {
        case Step::Start:
            player.start(at(120, 0));
            break;
        case Step::StartOneBar:
            QVERIFY(player.start(at(240, 1)));
            break;
        case Step::Stop:
            player.stop();
            break;
        case Step::Play:
            output->play();
            break;
        case Step::LoseDevice:
            ++output->lossCount;
            break;
        case Step::NoDevice:
            output->state = ClickOutput::Searching;
            break;
        case Step::Report:
            output->report();
            ++reports;
            break;
        }
    }
    // The news comes queued, as from another thread.
    QTRY_COMPARE(news, reports);
    QCOMPARE(heard, ends);
    QCOMPARE(player.isPlaying(), playing);
    // The audio thread's next buffers take what the player asked.
    output->play();
    QCOMPARE(output->renderer().isRendering(), playing);
}

void OutputClickPlayerTest::countsTheFramesAndBeatsHeard() {
    FakeOutput* output = nullptr;
    const std::unique_ptr<OutputClickPlayer> owned = playerOn(output);
    OutputClickPlayer& player = *owned;
    player.openOutput();
    output->next = 96000; // the stream has run for two seconds
    QVERIFY(player.start(at(120, 0)));
    // The three buffers render beats at 0, 24000 and 48000; the latest whose onset was heard.
    const auto beatHeard = [&player] { return player.beatHeard().value_or(tactora::BeatStart{-1}); };
    const tactora::BeatStart none{-1};
    QCOMPARE(beatHeard(), none); // nothing rendered yet
    output->play();
    QCOMPARE(player.framesPlayed(), 0); // nothing heard yet
    QCOMPARE(beatHeard(), none);
    output->heard = 96000.0;
    QCOMPARE(beatHeard(), (tactora::BeatStart{0, 0, 0, 120.0}));
    output->heard = 96000.0 + 12345.4;
    QCOMPARE(player.framesPlayed(), 12345);
    output->heard = 96000.0 + 47999.4;
    QCOMPARE(beatHeard(), (tactora::BeatStart{24000, 0, 1, 120.0}));
    output->heard = 96000.0 + 100000.0;
    QCOMPARE(beatHeard(), (tactora::BeatStart{48000, 0, 2, 120.0}));
    output->heard = 90000.0; // still in the silence before the first beat
    QCOMPARE(player.framesPlayed(), 0);
    QCOMPARE(beatHeard(), none);
    player.stop();
    output->heard = 96000.0 + 20000.0;
    QCOMPARE(player.framesPlayed(), 0);
    QCOMPARE(beatHeard(), none);
}

QTEST_GUILESS_MAIN(OutputClickPlayerTest)
#include "output_click_player_test.moc"
