// Processor time the metronome's audio costs: one second at 192 kHz read from the stream the
// sink pulls, in the 10 ms chunks an audio callback typically asks for, as 16-bit stereo (a
// device that takes no mono) and as float mono.
#include "audio/click_stream.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

void BM_clickStreamSecond(benchmark::State& state) {
    QAudioFormat format;
    format.setSampleRate(192000);
    format.setChannelCount(static_cast<int>(state.range(0)));
    format.setSampleFormat(state.range(1) != 0 ? QAudioFormat::Float : QAudioFormat::Int16);
    ClickSettings settings;
    settings.beatsPerMinute = 450.0;
    settings.beatsPerBar = 3.5;
    ClickStream stream(format, settings);
    stream.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    std::vector<char> chunk(static_cast<std::size_t>(format.bytesForDuration(10000)));
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i) {
            benchmark::DoNotOptimize(stream.read(chunk.data(), static_cast<qint64>(chunk.size())));
        }
    }
}
BENCHMARK(BM_clickStreamSecond)->Args({2, 0})->Args({1, 1})->Unit(benchmark::kMicrosecond);

} // namespace
