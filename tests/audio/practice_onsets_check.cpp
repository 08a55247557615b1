// Checks a recording of the practice sound test (raw 16-bit mono) against what the metronome
// renders for the same settings offline: the same clicks, each at the same distance from the
// first to the sample and at the same level within 2 %. The offline rendering is checked
// against the exact grid by the core's tests; this one shows the device plays it unmoved.
//
//   practice_onsets_check RECORDING RATE
#include "core/click_track.h"
#include "tests/audio/practice_scenario.h"
#include "tests/audio/recorded_onsets.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <vector>

namespace {

// The softest click of the scenario (a soft beat or a subdivision) starts far above this.
constexpr int onsetLevel = 1500;

// The scenario as the audio thread sets it up for a start, rendered to its end.
std::vector<std::int16_t> rendered(int rate) {
    const ClickSettings settings = practiceScenario();
    tactora::ClickTrack track(rate);
    const bool accepted = track.setTempo(settings.beatsPerMinute) &&
                          track.setBeatsPerBar(settings.beatsPerBar) && track.setPlan(settings.plan);
    if (!accepted) {
        std::fprintf(stderr, "FAIL: the track refuses the scenario's settings\n");
        std::exit(1);
    }
    track.setStopAfterBars(settings.stopAfterBars);
    track.setVolume(settings.volume);
    track.restart();
    std::vector<std::int16_t> audio;
    std::vector<std::int16_t> chunk(static_cast<std::size_t>(rate) / 10);
    while (!track.finished()) {
        track.render(chunk);
        audio.insert(audio.end(), chunk.begin(), chunk.end());
    }
    return audio;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s RECORDING RATE\n", argv[0]);
        return 2;
    }
    const std::vector<recorded::Onset> heard = recorded::onsets(recorded::read(argv[1]), onsetLevel);
    const std::vector<recorded::Onset> expected = recorded::onsets(rendered(std::atoi(argv[2])), onsetLevel);
    int failures = 0;
    const auto fail = [&failures](const char* what, std::size_t click) {
        std::fprintf(stderr, "FAIL: click %zu %s\n", click, what);
        ++failures;
    };
    std::set<int> levels;
    for (const recorded::Onset& click : expected) {
        levels.insert(click.level / 1000);
    }
    // The pattern, the subdivisions and the count-in give clicks of at least three levels.
    if (expected.size() < 20 || levels.size() < 3) {
        std::fprintf(stderr, "FAIL: the offline rendering has %zu clicks of %zu levels\n", expected.size(),
                     levels.size());
        return 1;
    }
    for (std::size_t i = 0; i < std::max(heard.size(), expected.size()); ++i) {
        if (i >= heard.size() || i >= expected.size()) {
            fail(i >= heard.size() ? "is missing" : "is one too many", i);
            continue;
        }
        const std::int64_t from = heard[i].frame - heard.front().frame;
        const std::int64_t want = expected[i].frame - expected.front().frame;
        std::printf("click %zu: +%lld (rendered +%lld), level %d (rendered %d)\n", i,
                    static_cast<long long>(from), static_cast<long long>(want), heard[i].level,
                    expected[i].level);
        if (from != want) {
            fail("is off its sample", i);
        }
        if (std::abs(heard[i].level - expected[i].level) > expected[i].level / 50) {
            fail("has the wrong level", i);
        }
    }
    std::printf("%zu clicks heard, %zu rendered\n", heard.size(), expected.size());
    return failures == 0 ? 0 : 1;
}
