// Checks a recording of the metronome (raw 16-bit mono): finds each click's onset, the first
// sample after a silence, and groups them into playings by the silences between them. In
// every playing, beat k must lie within one sample of round(k × 60 × rate / tempo) from its
// first, with the accent on every bar's first beat; the last playing must hold exactly the
// clicks its bars make, every other at least MIN_EARLIER_CLICKS. Every interval must be
// 60 × rate / tempo within one sample.
//
//   click_onsets_check RECORDING RATE BPM BEATS_PER_BAR LAST_PLAYING_CLICKS MIN_EARLIER_CLICKS

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Onset {
    std::int64_t frame;
    int level;
};

// The click fades from its first sample to nothing within 15 ms; the quietest beat at the
// test's volume starts above 10,000.
constexpr int onsetLevel = 2000;
constexpr int silentLevel = 4;
constexpr std::int64_t silentFrames = 1000;

std::vector<Onset> onsets(const std::vector<std::int16_t>& audio) {
    std::vector<Onset> found;
    std::int64_t quietFor = silentFrames;
    for (std::size_t i = 0; i < audio.size(); ++i) {
        const int level = std::abs(static_cast<int>(audio[i]));
        if (level >= onsetLevel && quietFor >= silentFrames) {
            found.push_back({static_cast<std::int64_t>(i), level});
        }
        quietFor = level <= silentLevel ? quietFor + 1 : 0;
    }
    return found;
}

int failures = 0;

void fail(const std::string& what) {
    std::fprintf(stderr, "FAIL: %s\n", what.c_str());
    ++failures;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 7) {
        std::fprintf(stderr, "usage: %s RECORDING RATE BPM BEATS_PER_BAR LAST_CLICKS MIN_EARLIER_CLICKS\n",
                     argv[0]);
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<std::int16_t> audio(bytes.size() / 2);
    for (std::size_t i = 0; i < audio.size(); ++i) {
        audio[i] = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                             (static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8U));
    }
    const double framesPerBeat = 60.0 * std::atof(argv[2]) / std::atof(argv[3]);
    const int beatsPerBar = std::atoi(argv[4]);
    const std::size_t lastClicks = std::strtoul(argv[5], nullptr, 10);
    const std::size_t minEarlierClicks = std::strtoul(argv[6], nullptr, 10);

    const std::vector<Onset> found = onsets(audio);
    std::vector<std::vector<Onset>> playings;
    for (const Onset& onset : found) {
        if (playings.empty() || onset.frame - playings.back().back().frame > 3 * framesPerBeat) {
            playings.emplace_back();
        }
        playings.back().push_back(onset);
    }
    std::printf("%zu samples, %zu clicks in %zu playings, %.4f samples a beat\n", audio.size(), found.size(),
                playings.size(), framesPerBeat);
    if (playings.size() < 2) {
        fail("expected a playing stopped by hand and one stopped after its bars");
    }
    for (std::size_t p = 0; p < playings.size(); ++p) {
        const std::vector<Onset>& beats = playings[p];
        if (p + 1 < playings.size() && beats.size() < minEarlierClicks) {
            fail("playing " + std::to_string(p) + " has only " + std::to_string(beats.size()) + " clicks");
        }
        int loudest = 0;
        for (const Onset& beat : beats) {
            loudest = std::max(loudest, beat.level);
        }
        for (std::size_t k = 0; k < beats.size(); ++k) {
            const std::int64_t from = beats[k].frame - beats[0].frame;
            const auto exact = static_cast<double>(k) * framesPerBeat;
            const bool accent = beats[k].level > loudest * 3 / 4;
            std::printf("playing %zu beat %zu: frame %lld (+%lld)%s\n", p, k,
                        static_cast<long long>(beats[k].frame), static_cast<long long>(from),
                        accent ? " accent" : "");
            if (std::abs(static_cast<double>(from) - std::round(exact)) > 1.0) {
                fail("playing " + std::to_string(p) + " beat " + std::to_string(k) + " is " +
                     std::to_string(from) + " samples from the first, not " + std::to_string(exact));
            }
            if (k > 0 &&
                std::abs(static_cast<double>(beats[k].frame - beats[k - 1].frame) - framesPerBeat) > 1.0) {
                fail("playing " + std::to_string(p) + " beat " + std::to_string(k) + " is off its interval");
            }
            if (accent != (k % static_cast<std::size_t>(beatsPerBar) == 0)) {
                fail("playing " + std::to_string(p) + " beat " + std::to_string(k) + " has the wrong accent");
            }
        }
    }
    if (!playings.empty() && playings.back().size() != lastClicks) {
        fail("the last playing has " + std::to_string(playings.back().size()) + " clicks, not " +
             std::to_string(lastClicks));
    }
    return failures == 0 ? 0 : 1;
}
