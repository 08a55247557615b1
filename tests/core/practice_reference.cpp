#include "tests/core/practice_reference.h"

#include <algorithm>

namespace tactora::reference {
namespace {

__extension__ typedef unsigned __int128 Whole; // NOLINT: GCC's, also with MinGW

struct Fraction {
    Whole numerator = 0;
    Whole denominator = 1;
};

Whole gcdOf(Whole a, Whole b) {
    return b == 0 ? a : gcdOf(b, a % b);
}

Fraction plus(Fraction a, Fraction b) {
    const Whole numerator = a.numerator * b.denominator + b.numerator * a.denominator;
    const Whole denominator = a.denominator * b.denominator;
    const Whole common = gcdOf(numerator, denominator);
    return {numerator / common, denominator / common};
}

std::int64_t rounded(Fraction a) {
    return static_cast<std::int64_t>((2 * a.numerator + a.denominator) / (2 * a.denominator));
}

// Frames of numerator / denominator beats at a tempo in quarters: beats × 60 × rate × 4 / quarters.
Fraction framesOf(const Playing& setup, std::int64_t numerator, std::int64_t denominator,
                  std::int64_t quarters) {
    return {static_cast<Whole>(numerator) * 240 * static_cast<Whole>(setup.sampleRate),
            static_cast<Whole>(denominator) * static_cast<Whole>(quarters)};
}

// The tempo of music bar k, in quarters.
std::int64_t tempoQuarters(const Playing& setup, std::int64_t bar) {
    const TempoTrainer& trainer = setup.plan.trainer;
    const std::int64_t start = setup.startQuarters;
    const auto target = static_cast<std::int64_t>(trainer.targetBeatsPerMinute * 4);
    if (trainer.kind == TempoTrainer::Kind::Steps) {
        const std::int64_t moved =
            static_cast<std::int64_t>(trainer.stepBeatsPerMinute * 4) * (bar / trainer.bars);
        return target >= start ? std::min(target, start + moved) : std::max(target, start - moved);
    }
    if (trainer.kind == TempoTrainer::Kind::Ramp) {
        return start + (target - start) * std::min<std::int64_t>(bar, trainer.bars) / trainer.bars;
    }
    return start;
}

} // namespace

std::vector<Click> clicks(const Playing& setup, std::int64_t frames) {
    const PracticePlan& plan = setup.plan;
    std::vector<Click> found;
    Fraction barStart;
    for (std::int64_t bar = -plan.countInBars; rounded(barStart) < frames; ++bar) {
        const std::int64_t quarters = tempoQuarters(setup, std::max<std::int64_t>(bar, 0));
        const bool muted = bar >= 0 && bar % (plan.playedBars + plan.mutedBars) >= plan.playedBars;
        const int parts = bar < 0 ? 1 : plan.subdivisions;
        // Click n lies n / parts beats into the bar; only those before the bar's end play.
        for (std::int64_t n = 0; n * setup.barDenominator < setup.barNumerator * parts; ++n) {
            const auto beat = static_cast<std::int32_t>(n / parts);
            const BeatLevel level = beat < PracticePlan::maxPatternBeats
                                        ? plan.pattern[static_cast<std::size_t>(beat)]
                                        : BeatLevel::Normal;
            const std::int64_t frame = rounded(plus(barStart, framesOf(setup, n, parts, quarters)));
            Click click{
                {frame, bar, beat, static_cast<double>(quarters) / 4, muted}, n % parts == 0, plan.beatSound};
            if (bar < 0) {
                click.sound = plan.countInSound;
                click.accentPitch = beat == 0;
                click.level = beat == 0 ? 1.0F : 0.5F;
            } else if (!muted && level != BeatLevel::Silent) {
                if (!click.beat) {
                    click.sound = plan.subdivisionSound;
                    click.level = static_cast<float>(plan.subdivisionLevel);
                } else if (level == BeatLevel::Accent) {
                    click.sound = plan.accentSound;
                    click.accentPitch = true;
                    click.level = 1.0F;
                } else {
                    click.level = level == BeatLevel::Normal ? 0.5F : 0.25F;
                }
            }
            if (frame < frames) {
                found.push_back(click);
            }
        }
        barStart = plus(barStart, framesOf(setup, setup.barNumerator, setup.barDenominator, quarters));
    }
    return found;
}

} // namespace tactora::reference
