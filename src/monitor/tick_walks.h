#pragma once
// Every table computation a tick asks for, done in a few walks over the table instead of one or
// more per channel: one backward walk for all the means, one for the deviations from them and
// the integrals of the vibration statistics, one forward walk for the power analyses, and the
// moving averages of the vibration statistics over the integrals.

#include "acquisition/tick_view.h"
#include "monitor/deviation_sums.h"
#include "monitor/planned_walk.h"
#include "monitor/power_analysis.h"
#include "monitor/vibration_lanes.h"

#include <cstddef>
#include <span>
#include <vector>

namespace korvanta::monitor {

class TickWalks {
public:
    // `walks` in the order the channels ask for them; carry is the moving average carried into
    // the first vibration computation of the tick.
    TickWalks(const acquisition::TickView& tick, std::span<const PlannedWalk> walks, double carry);

    // The records the walks cover: N, or 0 for a tick without data.
    int recordCount() const { return m_n; }
    // The result of walk j: the mean of MeanOfBuffer and MeanOfWindow, the deviations of
    // RmsOfWindow and CrestOfBuffer, the sums of VibrationStats, the analysis of the power kinds.
    double mean(std::size_t j) const { return m_results[j].mean; }
    const Deviations& deviations(std::size_t j) const { return m_results[j].deviations; }
    const VibrationSums& vibration(std::size_t j) const { return m_results[j].vibration; }
    const PowerAnalysis& power(std::size_t j) const { return m_analyses[m_results[j].analysis]; }

private:
    struct Result {
        double mean = 0;
        Deviations deviations;
        VibrationSums vibration;
        std::size_t analysis = 0;
    };

    template <typename Make>
    std::size_t analysisFor(std::span<const PlannedWalk> walks, std::size_t j, Make&& make);
    void takeMeans(const acquisition::TickView& tick, std::span<const PlannedWalk> walks);
    void walkDeviations(const acquisition::TickView& tick, std::span<const PlannedWalk> walks,
                        double carry);
    void finishVibrations(const acquisition::TickView& tick, std::span<const PlannedWalk> walks,
                          std::span<VibrationLane> lanes, std::span<const double> ringSums,
                          double carry);
    void walkPower(const acquisition::TickView& tick);

    int m_n = 0;
    std::vector<Result> m_results;
    std::vector<PowerAnalysis> m_analyses;
};

} // namespace korvanta::monitor
