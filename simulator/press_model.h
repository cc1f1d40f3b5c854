#pragma once
// The motor-driven pusher of the bench: moves on the motion commands of the control block and
// presses on the frame once it has crossed the gap; past the yield force the frame bends for good.

#include <QString>
#include <cstdint>
#include <optional>
#include <random>

namespace korvanta::simulator {

struct PressSettings {
    int forceInput = 0;            // 1..32; 0 = no press
    int displacementInput = 0;     // 1..32
    double stiffnessKnPerMm = 2.0; // frame stiffness
    double gapMm = 5.0;            // travel before the pusher touches the frame
    double speedMmPerS = 2.0;      // pusher speed while a move command is in force
    std::optional<double> yieldKn; // force past which the frame deforms for good; none = elastic
    double noiseKn = 0;            // sigma of the Gaussian noise on the force reading
};

class PressModel {
public:
    static constexpr const char* kDownCommand = "#1 x250;250 y0;0 &";
    static constexpr const char* kUpCommand = "#1 x0;0 y250;250 &";
    // Past the yield force the force rises at this fraction of the stiffness.
    static constexpr double kHardeningRatio = 0.1;

    // `seed` makes the force noise repeat from run to run.
    PressModel(const PressSettings& settings, std::uint32_t seed);

    bool enabled() const { return m_settings.forceInput > 0; }
    const PressSettings& settings() const { return m_settings; }

    // The command text of the control block: the down and up commands move, anything else stops.
    void applyCommand(const QString& commandText);
    // Moves the pusher for `seconds` of acquisition time at the commanded speed.
    void advance(double seconds);

    // Millimetres below the start position; the pusher never rises above it, so never negative.
    double displacementMm() const { return m_positionMm; }
    // Millimetres the frame has given way for good; the contact point lies that much lower.
    double permanentSetMm() const { return m_setMm; }
    // Kilonewtons on the frame: 0 above the contact point (gap + permanent set), else
    // stiffness × (position − contact point), never above the yield line.
    double forceKn() const;
    // What the force input shows: the force plus one draw of the noise.
    double forceReadingKn();

private:
    // The most the frame bears at `deflectionMm` past the gap: stiffness × deflection up to the
    // yield force, then the yield force plus the hardening slope × the deflection past yield.
    double yieldLineKn(double deflectionMm) const;
    // Moves the contact point down so the force stays on the yield line.
    void yieldIfOverloaded();

    PressSettings m_settings;
    int m_direction = 0; // +1 down, -1 up, 0 stopped
    double m_positionMm = 0;
    double m_setMm = 0;
    std::mt19937 m_random;
    std::normal_distribution<double> m_gauss{0.0, 1.0};
};

} // namespace korvanta::simulator
