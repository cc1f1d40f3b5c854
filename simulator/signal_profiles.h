#pragma once
// The simulated signal of every measuring input: a sum of sines, vibrations, ramps, offsets and
// noise, evaluated at a point of acquisition time.

#include "acquisition/tabela.h"

#include <cstdint>
#include <random>
#include <vector>

namespace korvanta::simulator {

struct SignalComponent {
    enum class Kind { Sine, Vibration, Dc, Ramp, Noise };
    Kind kind = Kind::Dc;
    int input = 1;        // 1..32
    double amplitude = 0; // peak value; DC value; ramp slope per second; noise sigma
    double frequency = 0; // Hz
    double phaseDeg = 0;
};

class SignalProfiles {
public:
    SignalProfiles(std::vector<SignalComponent> components, std::uint32_t seed);

    // Sets every input of `values` to the sum of its components at `seconds` of acquisition
    // time; inputs without a component read 0.
    void fill(double seconds, float (&values)[acquisition::Tabela::kInputCount]);

private:
    double valueOf(const SignalComponent& component, double seconds);

    std::vector<SignalComponent> m_components;
    std::mt19937 m_random;
    std::normal_distribution<double> m_gauss{0.0, 1.0};
};

} // namespace korvanta::simulator
