#include "tests/core/practice_reference.h"

#include <algorithm>

namespace tactora::reference {
namespace {

Whole gcdOf(Whole a, Whole b) {
    while (b != 0) {
        const Whole rest = a % b;
        a = b;
        b = rest;
    }
    return a;
}

Fraction reduced(Whole numerator, Whole denominator) {
    const Whole common = gcdOf(numerator, denominator);
    return {numerator / common, denominator / common};
}

Fraction plus(Fraction a, Fraction b) {
    const Whole common = gcdOf(a.denominator, b.denominator);
    return reduced(a.numerator * (b.denominator / common) + b.numerator * (a.denominator / common),
                   a.denominator / common * b.denominator);
}

// round(a), halves up.
std::int64_t rounded(Fraction a) {
    return static_cast<std::int64_t>((2 * a.numerator + a.denominator) / (2 * a.denominator));
}

bool isTie(Fraction a) {
    return (2 * a.numerator) % (2 * a.denominator) == a.denominator;
}

// Frames of `beats` beats (a fraction) at a tempo in quarters: beats × 60 × rate × 4 / quarters.
Fraction framesOf(const Playing& setup, Whole beatsNumerator, Whole beatsDenominator, std::int64_t quarters) {
    return reduced(beatsNumerator * 240 * static_cast<Whole>(setup.sampleRate),
                   beatsDenominator * static_cast<Whole>(quarters));
}

} // namespace

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

std::vector<Click> clicks(const Playing& setup, std::int64_t frames) {
    const PracticePlan& plan = setup.plan;
    const std::int64_t beatsInBar = (setup.barNumerator + setup.barDenominator - 1) / setup.barDenominator;
    std::vector<Click> found;
    Fraction barStart;
    for (std::int64_t bar = -plan.countInBars; rounded(barStart) < frames; ++bar) {
        const std::int64_t quarters = tempoQuarters(setup, std::max<std::int64_t>(bar, 0));
        const bool muted = bar >= 0 && bar % (plan.playedBars + plan.mutedBars) >= plan.playedBars;
        const int parts = bar < 0 ? 1 : plan.subdivisions;
        for (std::int64_t beat = 0; beat < beatsInBar; ++beat) {
            const BeatLevel level = beat < PracticePlan::maxPatternBeats
                                        ? plan.pattern[static_cast<std::size_t>(beat)]
                                        : BeatLevel::Normal;
            for (int sub = 0; sub < parts; ++sub) {
                // Only what starts before the bar's end: (beat + sub / parts) < bar length.
                if ((beat * parts + sub) * setup.barDenominator >= setup.barNumerator * parts) {
                    break;
                }
                const Fraction exact =
                    plus(barStart, framesOf(setup, static_cast<Whole>(beat * parts + sub), parts, quarters));
                Click click{rounded(exact),
                            plan.beatSound,
                            false,
                            0.0F,
                            sub == 0,
                            bar,
                            static_cast<std::int32_t>(beat),
                            static_cast<double>(quarters) / 4,
                            muted,
                            isTie(exact)};
                if (bar < 0) {
                    click.sound = plan.countInSound;
                    click.accentPitch = beat == 0;
                    click.level = beat == 0 ? 1.0F : 0.5F;
                } else if (!muted && level != BeatLevel::Silent) {
                    if (sub > 0) {
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
                if (click.frame < frames) {
                    found.push_back(click);
                }
            }
        }
        barStart = plus(barStart, framesOf(setup, static_cast<Whole>(setup.barNumerator),
                                           static_cast<Whole>(setup.barDenominator), quarters));
    }
    return found;
}

std::int64_t barStart(const Playing& setup, std::int64_t bar) {
    Fraction start;
    for (std::int64_t i = 0; i < bar; ++i) {
        const std::int64_t quarters =
            tempoQuarters(setup, std::max<std::int64_t>(i - setup.plan.countInBars, 0));
        start = plus(start, framesOf(setup, static_cast<Whole>(setup.barNumerator),
                                     static_cast<Whole>(setup.barDenominator), quarters));
    }
    return rounded(start);
}

} // namespace tactora::reference
