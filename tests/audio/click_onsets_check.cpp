// Checks a recording of the metronome (raw 16-bit mono): finds each click's onset, the first
// sample after a silence, and groups them into playings by the silences between them. In
// every playing each click must lie within one sample of round(k × 60 × rate / tempo) from
// the playing's first, for a whole number of beats k, and the interval between two clicks
// within one sample of their beats' distance; the accent on every bar's first beat.
//
// CLICKS gives each playing's clicks in order, one playing each: "16" exactly 16, "8+" at
// least 8. Without --may-drop no beat may be missing, and a silence of more than three beats
// separates two playings.
//
// With --may-drop the sound went through stalls: a beat may be missing (dropped), and a
// beat heard after a drop may be cut, its onset lost and its tail heard where it belongs,
// within a click's length after its grid frame (a drop may also end inside a click and drop
// no whole beat). Nothing else may be off the grid.
// Playings are then separated by more than two seconds of silence, each playing's CLICKS
// count the whole beats after its last drop, and --must-drop=N asks for at least N beats
// dropped or cut in all (so that a stall that dropped nothing is noticed).
//
//   click_onsets_check [--may-drop | --must-drop=N] RECORDING RATE BPM BEATS_PER_BAR CLICKS...

#include "tests/audio/recorded_onsets.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using recorded::Onset;

// The click fades from its first sample to nothing within 15 ms; the quietest beat at the
// test's volume starts above 10,000.
constexpr int onsetLevel = 2000;
constexpr double clickSeconds = 0.015;
constexpr double dropSecondsAtMost = 2.0;

int failures = 0;

void fail(const std::string& what) {
    std::fprintf(stderr, "FAIL: %s\n", what.c_str());
    ++failures;
}

// How many clicks a playing must have: exactly, or at least.
struct ClickCount {
    std::size_t clicks = 0;
    bool atLeast = false;
};

ClickCount clickCount(const std::string& text) {
    return {std::strtoul(text.c_str(), nullptr, 10), !text.empty() && text.back() == '+'};
}

struct Grid {
    double framesPerBeat;
    int beatsPerBar;
    std::int64_t clickFrames;
    bool mayDrop;
};

// What one playing went through: its beats dropped, its beats cut and the whole beats after
// the last drop.
struct PlayingResult {
    std::int64_t dropped = 0;
    std::int64_t cut = 0;
    std::int64_t drops = 0;
    std::size_t wholeAfterLastDrop = 0;
};

PlayingResult checkPlaying(std::size_t p, const std::vector<Onset>& clicks, const Grid& grid) {
    const std::string name = "playing " + std::to_string(p);
    int loudest = 0;
    for (const Onset& click : clicks) {
        loudest = std::max(loudest, click.level);
    }
    PlayingResult result;
    std::int64_t lastBeat = -1;
    std::int64_t lastWholeBeat = -1; // the intervals are measured between whole clicks
    std::int64_t lastWholeFrame = 0;
    bool lastOffGrid = false;
    for (const Onset& click : clicks) {
        const std::int64_t from = click.frame - clicks.front().frame;
        const std::int64_t beat = std::llround(static_cast<double>(from) / grid.framesPerBeat);
        const auto exact = static_cast<double>(beat) * grid.framesPerBeat;
        const auto off = static_cast<std::int64_t>(static_cast<double>(from) - std::round(exact));
        const std::string what = name + " beat " + std::to_string(beat);
        const bool onGrid = std::abs(off) <= 1;
        const bool afterDrop = beat > lastBeat + 1 && lastBeat >= 0;
        // A drop shorter than a beat can end inside a click and drop no whole beat; a click
        // off the grid right after another is a moved grid, not a second drop.
        const bool cut = !onGrid && grid.mayDrop && off > 1 && off < grid.clickFrames && !lastOffGrid;
        const bool accent = click.level > loudest * 3 / 4;
        const std::string note = cut ? " cut, " + std::to_string(off) + " samples late" : "";
        std::printf("%s: frame %lld (+%lld)%s%s\n", what.c_str(), static_cast<long long>(click.frame),
                    static_cast<long long>(from), accent ? " accent" : "", note.c_str());
        if (beat <= lastBeat) {
            fail(what + " sounds twice");
            continue;
        }
        if (afterDrop) {
            const std::int64_t missing = beat - lastBeat - 1;
            if (!grid.mayDrop) {
                fail(name + " misses " + std::to_string(missing) + " beat(s) before beat " +
                     std::to_string(beat));
            }
            result.dropped += missing;
            ++result.drops;
            result.wholeAfterLastDrop = 0;
        }
        if (cut) {
            ++result.cut;
            if (!afterDrop) {
                ++result.drops;
            }
            result.wholeAfterLastDrop = 0;
        } else if (!onGrid) {
            fail(what + " is " + std::to_string(from) + " samples from the first, not " +
                 std::to_string(exact));
        } else {
            ++result.wholeAfterLastDrop;
            if (lastWholeBeat >= 0 &&
                std::abs(static_cast<double>(click.frame - lastWholeFrame) -
                         static_cast<double>(beat - lastWholeBeat) * grid.framesPerBeat) > 1.0) {
                fail(what + " is off its interval");
            }
            if (accent != (beat % grid.beatsPerBar == 0)) {
                fail(what + " has the wrong accent");
            }
            lastWholeBeat = beat;
            lastWholeFrame = click.frame;
        }
        lastBeat = beat;
        lastOffGrid = !onGrid;
    }
    std::printf("%s: %zu clicks over %lld beats, %lld dropped in %lld drops, %lld cut, the last %zu whole\n",
                name.c_str(), clicks.size(), static_cast<long long>(lastBeat + 1),
                static_cast<long long>(result.dropped), static_cast<long long>(result.drops),
                static_cast<long long>(result.cut), result.wholeAfterLastDrop);
    return result;
}

} // namespace

int main(int argc, char* argv[]) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    bool mayDrop = false;
    std::int64_t mustDrop = 0;
    if (!arguments.empty() && arguments.front().starts_with("--")) {
        const std::string option = arguments.front();
        arguments.erase(arguments.begin());
        mayDrop = true;
        if (option.starts_with("--must-drop=")) {
            mustDrop = std::strtoll(option.c_str() + std::string("--must-drop=").size(), nullptr, 10);
        } else if (option != "--may-drop") {
            arguments.clear();
        }
    }
    if (arguments.size() < 5) {
        std::fprintf(stderr,
                     "usage: %s [--may-drop | --must-drop=N] RECORDING RATE BPM BEATS_PER_BAR CLICKS...\n",
                     argv[0]);
        return 2;
    }
    const std::vector<std::int16_t> audio = recorded::read(arguments[0].c_str());
    const double rate = std::atof(arguments[1].c_str());
    const Grid grid{60.0 * rate / std::atof(arguments[2].c_str()), std::atoi(arguments[3].c_str()),
                    std::llround(clickSeconds * rate), mayDrop};
    const std::vector<std::string> expected(arguments.begin() + 4, arguments.end());

    const double playingsApart = mayDrop ? dropSecondsAtMost * rate : 3 * grid.framesPerBeat;
    const std::vector<Onset> found = recorded::onsets(audio, onsetLevel);
    std::vector<std::vector<Onset>> playings;
    for (const Onset& onset : found) {
        if (playings.empty() ||
            static_cast<double>(onset.frame - playings.back().back().frame) > playingsApart) {
            playings.emplace_back();
        }
        playings.back().push_back(onset);
    }
    std::printf("%zu samples, %zu clicks in %zu playings, %.4f samples a beat\n", audio.size(), found.size(),
                playings.size(), grid.framesPerBeat);
    if (playings.size() != expected.size()) {
        fail(std::to_string(playings.size()) + " playings, not " + std::to_string(expected.size()));
    }
    std::int64_t droppedOrCut = 0;
    for (std::size_t p = 0; p < playings.size(); ++p) {
        const PlayingResult result = checkPlaying(p, playings[p], grid);
        droppedOrCut += result.dropped + result.cut;
        if (p >= expected.size()) {
            continue;
        }
        const ClickCount want = clickCount(expected[p]);
        const std::size_t whole = result.wholeAfterLastDrop;
        if (want.atLeast ? whole < want.clicks : whole != want.clicks) {
            fail("playing " + std::to_string(p) + " has " + std::to_string(whole) +
                 (mayDrop ? " whole clicks after its last drop" : " clicks") + ", not " + expected[p]);
        }
    }
    if (mayDrop) {
        std::printf("%lld beats dropped or cut in all\n", static_cast<long long>(droppedOrCut));
    }
    if (droppedOrCut < mustDrop) {
        fail(std::to_string(droppedOrCut) + " beats dropped or cut, fewer than " + std::to_string(mustDrop));
    }
    return failures == 0 ? 0 : 1;
}
