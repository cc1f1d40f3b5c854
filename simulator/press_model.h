#pragma once
// The motor-driven pusher of the bench: moves on the motion commands of the control block and
// presses on the frame once it has crossed the gap.

#include <QString>

namespace korvanta::simulator {

struct PressSettings {
    int forceInput = 0;            // 1..32; 0 = no press
    int displacementInput = 0;     // 1..32
    double stiffnessKnPerMm = 2.0; // frame stiffness
    double gapMm = 5.0;            // travel before the pusher touches the frame
    double speedMmPerS = 2.0;      // pusher speed while a move command is in force
};

class PressModel {
public:
    static constexpr const char* kDownCommand = "#1 x250;250 y0;0 &";
    static constexpr const char* kUpCommand = "#1 x0;0 y250;250 &";

    explicit PressModel(const PressSettings& settings) : m_settings(settings) {}

    bool enabled() const { return m_settings.forceInput > 0; }
    const PressSettings& settings() const { return m_settings; }

    // The command text of the control block: the down and up commands move, anything else stops.
    void applyCommand(const QString& commandText);
    // Moves the pusher for `seconds` of acquisition time at the commanded speed.
    void advance(double seconds);

    // Millimetres below the start position; the pusher never rises above it, so never negative.
    double displacementMm() const { return m_positionMm; }
    // Kilonewtons on the frame: 0 up to the gap, then stiffness × (position − gap).
    double forceKn() const;

private:
    PressSettings m_settings;
    int m_direction = 0; // +1 down, -1 up, 0 stopped
    double m_positionMm = 0;
};

} // namespace korvanta::simulator
