#include "core/click_sounds.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tactora {
namespace {

struct Partial {
    double ratio; // of the sound's pitch
    double level;
};

struct Recipe {
    double beatHertz;
    double accentHertz;
    std::array<Partial, 2> partials;
    double decaySeconds; // the exponential fall's time constant
    double seconds;
};

// The beep is the metronome's first sound, E6 for the beat and A6 for the accent; the wood block
// has a wooden overtone at 2.76 times its pitch; the cowbell the two detuned tones of a drum
// machine's; the soft tick is high and over in a few milliseconds.
constexpr std::array<Recipe, clickSoundCount> recipes{{
    {1320.0, 1760.0, {{{1.0, 1.0}, {0.0, 0.0}}}, 0.003, 0.015},
    {880.0, 1320.0, {{{1.0, 1.0}, {2.76, 0.5}}}, 0.004, 0.020},
    {2500.0, 3300.0, {{{1.0, 1.0}, {0.0, 0.0}}}, 0.001, 0.006},
    {540.0, 720.0, {{{1.0, 1.0}, {1.48, 0.6}}}, 0.010, 0.030},
}};

// Fading exponentially and then linearly to nothing at its end, so that it stops without a
// crack.
std::vector<float> synthesize(int sampleRate, const Recipe& recipe, double hertz) {
    const auto length = static_cast<std::size_t>(std::lround(recipe.seconds * sampleRate));
    double total = 0.0;
    for (const Partial& partial : recipe.partials) {
        total += partial.level;
    }
    std::vector<float> click(std::max<std::size_t>(length, 1));
    for (std::size_t i = 0; i < click.size(); ++i) {
        const double seconds = static_cast<double>(i) / sampleRate;
        const double fade = 1.0 - static_cast<double>(i) / static_cast<double>(click.size());
        const double envelope = std::exp(-seconds / recipe.decaySeconds) * fade;
        double tone = 0.0;
        for (const Partial& partial : recipe.partials) {
            tone += partial.level * std::cos(2.0 * std::numbers::pi * hertz * partial.ratio * seconds);
        }
        click[i] = static_cast<float>(envelope * (tone / total));
    }
    return click;
}

std::size_t indexOf(ClickSound sound, bool accentPitch) {
    return 2 * static_cast<std::size_t>(sound) + (accentPitch ? 1 : 0);
}

} // namespace

ClickSounds::ClickSounds(int sampleRate) {
    for (int sound = 0; sound < clickSoundCount; ++sound) {
        const Recipe& recipe = recipes[static_cast<std::size_t>(sound)];
        const auto which = static_cast<ClickSound>(sound);
        m_sounds[indexOf(which, false)] = synthesize(sampleRate, recipe, recipe.beatHertz);
        m_sounds[indexOf(which, true)] = synthesize(sampleRate, recipe, recipe.accentHertz);
    }
}

std::span<const float> ClickSounds::sound(ClickSound sound, bool accentPitch) const {
    return m_sounds[indexOf(sound, accentPitch)];
}

} // namespace tactora
