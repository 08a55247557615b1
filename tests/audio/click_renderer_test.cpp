#include "audio/click_renderer.h"

#include <QtTest>

#include <vector>

namespace {

constexpr int rate = 48000;

// Where the clicks start in a rendering: the first sound after silence.
std::vector<std::int64_t> onsets(const std::vector<float>& audio, std::int64_t first) {
    std::vector<std::int64_t> found;
    bool silent = true;
    for (std::size_t i = 0; i < audio.size(); ++i) {
        if (silent && audio[i] != 0.0F) {
            found.push_back(first + static_cast<std::int64_t>(i));
        }
        silent = audio[i] == 0.0F;
    }
    return found;
}

// What happens between two buffers: what the window asks, or the device playing a quarter of a
// second without us (an underrun).
enum class Ask { Nothing, Start, StartInThrees, StartOneBar, Stop, Change, NewOutput, DeviceGap };

ClickSettings at(double beatsPerMinute, double stopAfterBars = 0.0, int subdivisions = 1) {
    ClickSettings settings;
    settings.beatsPerMinute = beatsPerMinute;
    settings.stopAfterBars = stopAfterBars;
    settings.plan.subdivisions = subdivisions;
    return settings;
}

} // namespace

Q_DECLARE_METATYPE(Ask)
Q_DECLARE_METATYPE(std::vector<Ask>)
Q_DECLARE_METATYPE(std::vector<std::int64_t>)

class ClickRendererTest : public QObject {
    Q_OBJECT

private slots:
    void rendersWhatTheWindowAskedOnTheTimeline_data();
    void rendersWhatTheWindowAskedOnTheTimeline();
};

// Buffers of half a second, each preceded by what the window asked; the clicks are timeline
// frames: the timeline counts every frame the output took, silent or not.
void ClickRendererTest::rendersWhatTheWindowAskedOnTheTimeline_data() {
    QTest::addColumn<std::vector<Ask>>("asks");
    QTest::addColumn<std::vector<std::int64_t>>("clicks");

    // At 120 beats per minute a beat is one buffer long, at 240 half of one.
    QTest::newRow("the first beat at the first frame after the start")
        << std::vector{Ask::Nothing, Ask::Start, Ask::Nothing} << std::vector<std::int64_t>{24000, 48000};
    QTest::newRow("silence from the buffer after a stop")
        << std::vector{Ask::Start, Ask::Stop, Ask::Nothing} << std::vector<std::int64_t>{0};
    QTest::newRow("a change counts from the beat due")
        << std::vector{Ask::Start, Ask::Change} << std::vector<std::int64_t>{0, 24000, 36000};
    // One bar of four at 240 ends at the first beat past it, in the third buffer; a change
    // after that does not bring it back.
    QTest::newRow("a finished playing stays finished")
        << std::vector{Ask::StartOneBar, Ask::Nothing, Ask::Nothing, Ask::Change}
        << std::vector<std::int64_t>{0, 12000, 24000, 36000};
    QTest::newRow("a new output ends the playing")
        << std::vector{Ask::Start, Ask::NewOutput, Ask::Change} << std::vector<std::int64_t>{0};
    QTest::newRow("frames the device played without us are passed over")
        << std::vector{Ask::Start, Ask::DeviceGap, Ask::Nothing}
        << std::vector<std::int64_t>{0, 48000, 72000};
    QTest::newRow("a start after the end plays again from its buffer")
        << std::vector{Ask::StartOneBar, Ask::Nothing, Ask::Nothing, Ask::Start}
        << std::vector<std::int64_t>{0, 12000, 24000, 36000, 72000};
    QTest::newRow("a new plan from the next beat") << std::vector{Ask::StartInThrees, Ask::Change}
                                                   << std::vector<std::int64_t>{0, 8000, 16000, 24000, 36000};
}

void ClickRendererTest::rendersWhatTheWindowAskedOnTheTimeline() {
    QFETCH(std::vector<Ask>, asks);
    QFETCH(std::vector<std::int64_t>, clicks);

    ClickRenderer renderer;
    renderer.openTimeline(rate);
    std::vector<std::int64_t> heard;
    std::vector<float> buffer(rate / 2);
    std::int64_t frame = 0;
    for (const Ask ask : asks) {
        switch (ask) {
        case Ask::Start:
            renderer.requestStart(at(120));
            break;
        case Ask::StartOneBar:
            renderer.requestStart(at(240, 1));
            break;
        case Ask::StartInThrees:
            renderer.requestStart(at(120, 0, 3));
            break;
        case Ask::Stop:
            renderer.requestStop();
            break;
        case Ask::Change:
            renderer.requestChange(at(240));
            break;
        case Ask::NewOutput:
            renderer.openTimeline(rate);
            break;
        case Ask::DeviceGap:
            frame += rate / 4;
            break;
        case Ask::Nothing:
            break;
        }
        renderer.render(frame, buffer);
        const std::vector<std::int64_t> found = onsets(buffer, frame);
        heard.insert(heard.end(), found.begin(), found.end());
        frame += static_cast<std::int64_t>(buffer.size());
    }
    QCOMPARE(heard, clicks);
}

QTEST_GUILESS_MAIN(ClickRendererTest)
#include "click_renderer_test.moc"
