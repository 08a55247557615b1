#include "core/click_track.h"

#include "core/binary_double.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tactora {
namespace {

constexpr double maxFramesPerBeat = 1099511627776.0; // 2^40
constexpr double maxBeatsPerBar = 1e6;
constexpr std::int64_t maxBarDenominator = 1000;

// An unsigned number of 128 bits: the exact distances need up to about 2^120 before the
// one division that rounds them, more than any built-in type holds on every compiler.
struct Wide {
    std::uint64_t high = 0;
    std::uint64_t low = 0;
};

Wide multiply(std::uint64_t a, std::uint64_t b) {
    const std::uint64_t mask = 0xFFFFFFFFU;
    const std::uint64_t aLow = a & mask;
    const std::uint64_t aHigh = a >> 32U;
    const std::uint64_t bLow = b & mask;
    const std::uint64_t bHigh = b >> 32U;
    const std::uint64_t lowLow = aLow * bLow;
    const std::uint64_t middle1 = aHigh * bLow + (lowLow >> 32U);
    const std::uint64_t middle2 = aLow * bHigh + (middle1 & mask);
    return {aHigh * bHigh + (middle1 >> 32U) + (middle2 >> 32U), (middle2 << 32U) | (lowLow & mask)};
}

// a times the wide b; the product is below 2^128 for every distance a track reaches.
Wide multiply(std::uint64_t a, Wide b) {
    Wide product = multiply(a, b.low);
    product.high += a * b.high;
    return product;
}

Wide add(Wide a, std::uint64_t b) {
    const std::uint64_t low = a.low + b;
    return {a.high + (low < a.low ? 1U : 0U), low};
}

Wide shiftLeft(Wide a, int bits) {
    for (int i = 0; i < bits; ++i) {
        a = {(a.high << 1U) | (a.low >> 63U), a.low << 1U};
    }
    return a;
}

// The whole quotient, which must be below 2^64 (so a.high < divisor).
std::uint64_t divide(Wide a, std::uint64_t divisor) {
    std::uint64_t remainder = a.high;
    std::uint64_t quotient = 0;
    for (int bit = 63; bit >= 0; --bit) {
        const bool carry = (remainder >> 63U) != 0;
        remainder = (remainder << 1U) | ((a.low >> static_cast<unsigned>(bit)) & 1U);
        quotient <<= 1U;
        if (carry || remainder >= divisor) {
            remainder -= divisor;
            quotient |= 1U;
        }
    }
    return quotient;
}

struct BarLength {
    std::int64_t numerator;
    std::int64_t denominator;
};

// The nearest fraction with a small denominator, the smallest denominator among equals, so
// that a bar length typed in decimals or as a third is met exactly.
BarLength nearestFraction(double beats) {
    BarLength best{static_cast<std::int64_t>(std::llround(beats)), 1};
    double bestError = std::abs(beats - static_cast<double>(best.numerator));
    for (std::int64_t denominator = 2; denominator <= maxBarDenominator && bestError > 0.0; ++denominator) {
        const double scaled = beats * static_cast<double>(denominator);
        const auto numerator = static_cast<std::int64_t>(std::llround(scaled));
        const double error =
            std::abs(scaled - static_cast<double>(numerator)) / static_cast<double>(denominator);
        if (error < bestError) {
            best = {numerator, denominator};
            bestError = error;
        }
    }
    return best;
}

// The click: a cosine, so that its first sample is its loudest, fading exponentially and
// then linearly to nothing at its end, so that it stops without a crack.
std::vector<float> synthesizeClick(int sampleRate, double hertz, float level) {
    const auto length = static_cast<std::size_t>(std::lround(ClickTrack::clickSeconds * sampleRate));
    const double decaySeconds = ClickTrack::clickSeconds / 5.0;
    std::vector<float> click(std::max<std::size_t>(length, 1));
    for (std::size_t i = 0; i < click.size(); ++i) {
        const double seconds = static_cast<double>(i) / sampleRate;
        const double fade = 1.0 - static_cast<double>(i) / static_cast<double>(click.size());
        const double envelope = std::exp(-seconds / decaySeconds) * fade;
        click[i] = static_cast<float>(level * envelope * std::cos(2.0 * std::numbers::pi * hertz * seconds));
    }
    return click;
}

struct FloatOutput {
    float* out;
    void silence(std::int64_t at, std::int64_t frames) const { std::fill_n(out + at, frames, 0.0F); }
    void click(std::int64_t at, const float* source, std::int64_t frames, float volume) const {
        for (std::int64_t i = 0; i < frames; ++i) {
            out[at + i] = source[i] * volume;
        }
    }
};

struct Int16Output {
    std::int16_t* out;
    void silence(std::int64_t at, std::int64_t frames) const { std::fill_n(out + at, frames, 0); }
    void click(std::int64_t at, const float* source, std::int64_t frames, float volume) const {
        for (std::int64_t i = 0; i < frames; ++i) {
            out[at + i] = static_cast<std::int16_t>(std::lround(source[i] * volume * 32767.0F));
        }
    }
};

struct NoOutput {
    void silence(std::int64_t /*at*/, std::int64_t /*frames*/) const {}
    void click(std::int64_t /*at*/, const float* /*source*/, std::int64_t /*frames*/,
               float /*volume*/) const {}
};

} // namespace

bool isPlayableTempo(int sampleRate, double beatsPerMinute) {
    if (sampleRate <= 0 || !std::isfinite(beatsPerMinute) || beatsPerMinute <= 0.0) {
        return false;
    }
    const double framesPerBeat = 60.0 * sampleRate / beatsPerMinute;
    return framesPerBeat >= 1.0 && framesPerBeat <= maxFramesPerBeat;
}

bool isPlayableBarLength(double beatsPerBar) {
    return beatsPerBar >= 1.0 && beatsPerBar <= maxBeatsPerBar;
}

BeatGrid::BeatGrid(int sampleRate, double beatsPerMinute, double beatsPerBar, std::int64_t startFrame,
                   std::int64_t firstBeatInBar)
    : m_firstBeatInBar(firstBeatInBar), m_startFrame(startFrame) {
    const BarLength bar = nearestFraction(beatsPerBar);
    m_barNumerator = bar.numerator;
    m_barDenominator = bar.denominator;
    m_beatsInBar = (bar.numerator + bar.denominator - 1) / bar.denominator;

    // Frames per beat are 60 × rate / (mantissa × 2^exponent), taken to one fraction. With a
    // beat of at most 2^40 frames the numerator stays below 2^94 and the denominator, times
    // the bar's, below 2^63.
    const BinaryDouble tempo = binaryOf(beatsPerMinute, true);
    const auto twiceFramesPerMinute =
        static_cast<std::uint64_t>(120) * static_cast<std::uint64_t>(sampleRate);
    Wide twiceNumerator{0, twiceFramesPerMinute};
    std::uint64_t denominator = tempo.mantissa;
    if (tempo.exponent < 0) {
        twiceNumerator = shiftLeft(twiceNumerator, -tempo.exponent);
    } else {
        denominator <<= static_cast<unsigned>(tempo.exponent);
    }
    m_twiceNumeratorHigh = twiceNumerator.high;
    m_twiceNumeratorLow = twiceNumerator.low;
    m_denominator = denominator * static_cast<std::uint64_t>(bar.denominator);
}

std::int64_t BeatGrid::beatInBar(std::int64_t beat) const {
    return (m_firstBeatInBar + beat) % m_beatsInBar;
}

ClickOnset BeatGrid::onset(std::int64_t beat) const {
    const std::int64_t counted = m_firstBeatInBar + beat;
    const std::int64_t bar = counted / m_beatsInBar;
    const std::int64_t inBar = counted % m_beatsInBar;
    // The distance from the first beat in 1/m_barDenominator beats; never negative, since the
    // first beat's place in its bar is less than the bar's length.
    const auto distance =
        static_cast<std::uint64_t>(bar * m_barNumerator + (inBar - m_firstBeatInBar) * m_barDenominator);
    // round(distance × frames per beat) = floor((2 × distance × numerator + denominator) / (2 × denominator))
    const Wide twice = multiply(distance, Wide{m_twiceNumeratorHigh, m_twiceNumeratorLow});
    const std::uint64_t frames = divide(add(twice, m_denominator), 2 * m_denominator);
    return {m_startFrame + static_cast<std::int64_t>(frames), inBar == 0};
}

ClickTrack::ClickTrack(int sampleRate)
    : m_sampleRate(sampleRate), m_accentClick(synthesizeClick(sampleRate, accentHertz, 1.0F)),
      m_beatClick(synthesizeClick(sampleRate, beatHertz, beatLevel)),
      m_grid(sampleRate, m_beatsPerMinute, m_beatsPerBar), m_next(m_grid.onset(0)) {}

bool ClickTrack::setTempo(double beatsPerMinute) {
    if (!isPlayableTempo(m_sampleRate, beatsPerMinute)) {
        return false;
    }
    startSegment(beatsPerMinute, m_beatsPerBar);
    return true;
}

bool ClickTrack::setBeatsPerBar(double beatsPerBar) {
    if (!isPlayableBarLength(beatsPerBar)) {
        return false;
    }
    startSegment(m_beatsPerMinute, beatsPerBar);
    return true;
}

void ClickTrack::startSegment(double beatsPerMinute, double beatsPerBar) {
    const std::int64_t dueInBar = m_grid.beatInBar(m_beat);
    m_beatsPerMinute = beatsPerMinute;
    m_beatsPerBar = beatsPerBar;
    m_grid = BeatGrid(m_sampleRate, beatsPerMinute, beatsPerBar, m_next.frame, 0);
    if (dueInBar < m_grid.beatsInBar()) {
        m_grid = BeatGrid(m_sampleRate, beatsPerMinute, beatsPerBar, m_next.frame, dueInBar);
    }
    m_beat = 0;
    m_next = m_grid.onset(0);
}

void ClickTrack::setVolume(double volume) {
    // NaN falls silent rather than through the comparisons.
    m_volume = volume > 0.0 ? static_cast<float>(std::min(volume, 1.0)) : 0.0F;
}

void ClickTrack::setStopAfterBars(double bars) {
    m_stopAfterBars = bars > 0.0 && std::isfinite(bars) ? bars : 0.0;
}

bool ClickTrack::pastTheLastBar() const {
    if (m_stopAfterBars <= 0.0) {
        return false;
    }
    if (m_next.accent) {
        return static_cast<double>(m_barsStarted) >= std::ceil(m_stopAfterBars);
    }
    // A beat inside the bar in progress: only the last bar, when fractional, ends early.
    const double wholeBars = std::floor(m_stopAfterBars);
    return static_cast<double>(m_barsStarted) > wholeBars &&
           static_cast<double>(m_grid.beatInBar(m_beat)) >= (m_stopAfterBars - wholeBars) * m_beatsPerBar;
}

void ClickTrack::restart() {
    m_grid = BeatGrid(m_sampleRate, m_beatsPerMinute, m_beatsPerBar);
    m_beat = 0;
    m_next = m_grid.onset(0);
    m_position = 0;
    m_barsStarted = 0;
    m_finished = false;
    m_click = nullptr;
}

void ClickTrack::render(std::span<float> out) {
    FloatOutput output{out.data()};
    run(static_cast<std::int64_t>(out.size()), output);
}

void ClickTrack::render(std::span<std::int16_t> out) {
    Int16Output output{out.data()};
    run(static_cast<std::int64_t>(out.size()), output);
}

void ClickTrack::skip(std::int64_t frames) {
    NoOutput output;
    run(std::max<std::int64_t>(frames, 0), output);
}

// Beats closer than a frame (the end of a bar a hair longer than its last beat) start at
// the same frame; the later one is heard.
void ClickTrack::startDueBeats() {
    while (!m_finished && m_next.frame <= m_position) {
        if (pastTheLastBar()) {
            m_finished = true;
            return;
        }
        if (m_next.accent) {
            ++m_barsStarted;
        }
        m_click = m_next.accent ? &m_accentClick : &m_beatClick;
        m_clickPlayed = 0;
        ++m_beat;
        m_next = m_grid.onset(m_beat);
    }
}

template <typename Output> void ClickTrack::run(std::int64_t frames, Output& output) {
    std::int64_t done = 0;
    while (done < frames) {
        startDueBeats();
        std::int64_t stretch = frames - done;
        if (!m_finished) {
            stretch = std::min(stretch, m_next.frame - m_position);
        }
        std::int64_t sounding = 0;
        if (m_click != nullptr) {
            sounding = std::min(stretch, static_cast<std::int64_t>(m_click->size() - m_clickPlayed));
            output.click(done, m_click->data() + m_clickPlayed, sounding, m_volume);
            m_clickPlayed += static_cast<std::size_t>(sounding);
            if (m_clickPlayed == m_click->size()) {
                m_click = nullptr;
            }
        }
        output.silence(done + sounding, stretch - sounding);
        done += stretch;
        m_position += stretch;
    }
}

// STUBS, replaced by the practice engine
bool ClickTrack::setPlan(const PracticePlan& /*plan*/) {
    return false;
}
std::int64_t ClickTrack::barFrame(std::int64_t /*bar*/) const {
    return 0;
}
std::span<const BeatStart> ClickTrack::beatsStarted() const {
    return {};
}
bool isValidPlan(const PracticePlan& /*plan*/, int /*sampleRate*/) {
    return false;
}

} // namespace tactora
