#include "signal_profiles.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace korvanta::simulator {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

double sineAt(double amplitude, double frequency, double phaseDeg, double seconds) {
    return amplitude * std::sin(kTwoPi * frequency * seconds + phaseDeg * std::numbers::pi / 180.0);
}

// A machine-like vibration: the fundamental, a non-harmonic component at 3.1 × f and a slow
// ±40 % amplitude beat at f / 20, so crest and vibration ratios differ from a plain sine's.
double vibrationAt(double amplitude, double frequency, double seconds) {
    const double carrier = 0.7 * std::sin(kTwoPi * frequency * seconds) +
                           0.3 * std::sin(kTwoPi * 3.1 * frequency * seconds);
    const double beat = 1.0 + 0.4 * std::sin(kTwoPi * frequency / 20.0 * seconds);
    return amplitude * carrier * beat;
}

} // namespace

SignalProfiles::SignalProfiles(std::vector<SignalComponent> components, std::uint32_t seed)
    : m_components(std::move(components)), m_random(seed) {}

double SignalProfiles::valueOf(const SignalComponent& c, double seconds) {
    switch (c.kind) {
    case SignalComponent::Kind::Sine:
        return sineAt(c.amplitude, c.frequency, c.phaseDeg, seconds);
    case SignalComponent::Kind::Vibration:
        return vibrationAt(c.amplitude, c.frequency, seconds);
    case SignalComponent::Kind::Dc:
        return c.amplitude;
    case SignalComponent::Kind::Ramp:
        return c.amplitude * seconds;
    case SignalComponent::Kind::Noise:
        return c.amplitude * m_gauss(m_random);
    }
    return 0.0;
}

void SignalProfiles::fill(double seconds, float (&values)[acquisition::Tabela::kInputCount]) {
    double sums[acquisition::Tabela::kInputCount] = {};
    for (const SignalComponent& c : m_components) {
        if (c.input >= 1 && c.input <= acquisition::Tabela::kInputCount) {
            sums[c.input - 1] += valueOf(c, seconds);
        }
    }
    for (int i = 0; i < acquisition::Tabela::kInputCount; ++i) {
        values[i] = static_cast<float>(sums[i]);
    }
}

} // namespace korvanta::simulator
