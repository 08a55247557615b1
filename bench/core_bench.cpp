// The costs of the steps that run on every recalculation and every result shown, and of the
// click that an audio callback pulls.
#include "core/click_track.h"
#include "core/decimal_round.h"
#include "core/number_format.h"
#include "core/number_parse.h"
#include "core/tempo.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string_view>
#include <vector>

namespace {

using namespace tactora;

// A mix of what the result fields show: plain, long fractions, tiny and huge values.
constexpr std::array<double, 6> shownValues{2.0,     1.6666666666666667, 0.296296296296296,
                                            5.3e-14, 18764998447377.1,   1234567890123456.0};

constexpr std::array<std::string_view, 6> typedTexts{"120", "1.5",      "  4294967296 ",
                                                     "-2",  "2.4E+302", "1e-400"};

void BM_formatNumber(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(formatNumber(shownValues[i++ % shownValues.size()]));
    }
}
BENCHMARK(BM_formatNumber);

void BM_parseNumber(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(parseNumber(typedTexts[i++ % typedTexts.size()]));
    }
}
BENCHMARK(BM_parseNumber);

void BM_round15(benchmark::State& state) {
    // 1.6666666666666667 has digits beyond the 15th place; the tiny value has the longest
    // exact expansion of the set.
    constexpr std::array<double, 3> values{1.6666666666666667, 0.0000152587890625, 5.3e-14};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(round15(values[i++ % values.size()]));
    }
}
BENCHMARK(BM_round15);

void BM_CalcFromBpm(benchmark::State& state) {
    double tempo = 100.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tempo);
        benchmark::DoNotOptimize(CalcFromBpm(tempo, 3.0, 7.0, 1000.0));
    }
}
BENCHMARK(BM_CalcFromBpm);

// One second at 192 kHz and 450 beats per minute, the fastest tempo the tests play, pulled in
// the 10 ms chunks an audio callback typically asks for.
void BM_renderClickSecond(benchmark::State& state) {
    constexpr int rate = 192000;
    ClickTrack track(rate);
    track.setTempo(450.0);
    track.setBeatsPerBar(3.5);
    std::vector<float> chunk(rate / 100);
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i) {
            track.render(chunk);
            benchmark::DoNotOptimize(chunk.data());
        }
    }
}
BENCHMARK(BM_renderClickSecond)->Unit(benchmark::kMicrosecond);

// The same second with everything the practice plan adds at its most: eight clicks per beat,
// each a sound of its own role, and the trainer ramping through its bars, whose sums it takes
// at every click. The processor time per iteration is the cost of one second of audio.
void BM_renderPracticeSecond(benchmark::State& state) {
    constexpr int rate = 192000;
    ClickTrack track(rate);
    track.setTempo(120.0);
    track.setBeatsPerBar(3.5);
    PracticePlan plan;
    plan.subdivisions = PracticePlan::maxSubdivisions;
    plan.subdivisionSound = ClickSound::Cowbell;
    plan.trainer = {TempoTrainer::Kind::Ramp, 240.0, 0.0, 100000};
    track.setPlan(plan);
    std::vector<float> chunk(rate / 100);
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i) {
            track.render(chunk);
            benchmark::DoNotOptimize(chunk.data());
        }
    }
}
BENCHMARK(BM_renderPracticeSecond)->Unit(benchmark::kMicrosecond);

} // namespace
