#pragma once
// The bench-test parameters as one run uses them, read from the settings record, with the checks
// that START and PRZYGOTUJ make before anything moves the press.

#include "acquisition/settings_record.h"
#include "common/result.h"

#include <QString>
#include <array>

namespace korvanta::bench {

enum class TestType { Deformation = 0, Load = 1 };

// Indexes of the motion commands in the record's order.
enum MotionCommand {
    EmergencyUp = 0,
    Stop = 1,
    EmergencyDown = 2,
    Phase1Up = 3,
    Phase1Down = 4,
    Phase2Down = 5,
    Phase2Up = 6,
    Phase3Up = 7,
    Phase3Down = 8,
};

struct BenchParameters {
    static constexpr int kPhaseCount = 4;

    TestType type = TestType::Load;
    double upperLoad = 0;                           // Fmax [kN]
    double forceStep = 0;                           // [kN]
    double upperDisplacement = 0;                   // Dmax [mm]
    double hysteresis = 0;                          // [kN]
    int timeTo = 0;                                 // [min]
    int timeTpo = 0;                                // [min]
    std::array<int, kPhaseCount> cadences{};        // seconds per plotted point
    std::array<QString, kPhaseCount> periodTexts{}; // "hh:mm:ss.zzz"
    std::array<double, kPhaseCount> periods{};      // seconds
    int forceChannel = 0;                           // 1..64
    int displacementChannel = 0;                    // 1..64
    float maxForce = 0;
    float maxDisplacement = 0;
    std::array<QString, acquisition::SettingsRecord::kMotionCommandCount> commands{};
    double preparationForce = 0; // [kN]
    int retractionTime = 0;      // [s]
    int preparationBufferLength = 0;

    const QString& command(MotionCommand c) const { return commands[static_cast<std::size_t>(c)]; }
};

BenchParameters readBenchParameters(const acquisition::SettingsRecord& settings);

// Refuses a test whose numbers would not make a test: a force step or Fmax of 0 or less, a phase
// period of the test type that is not "hh:mm:ss.zzz" or converts to less than 1 ms, and force or
// displacement channels that are not active channels 1..64. The reason names the field.
common::Result<> checkTestParameters(const BenchParameters& parameters,
                                     const acquisition::SettingsRecord& settings);
// The same for the preparation: its force channel, buffer length and retraction time.
common::Result<> checkPreparationParameters(const BenchParameters& parameters,
                                            const acquisition::SettingsRecord& settings);

// A phase period as the step timer's interval: seconds × 1000 in extended precision, truncated
// (0.3 s gives 299 ms); at most the largest int.
int phaseInterval(double seconds);
// trunc(seconds / period) in extended precision: the hold and cadence countdowns; at most the
// largest int, 0 for a period that is not positive.
int phaseSteps(long double seconds, double period);

} // namespace korvanta::bench
