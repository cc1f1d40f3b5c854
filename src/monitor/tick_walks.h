#pragma once
// Every table computation a tick asks for, done in a few walks over the table instead of one or
// more per channel: one backward walk for all the means, one forward walk for the power
// analyses, one backward walk for the deviations from the means and the moving-average rings of
// the vibration statistics, and one more for the vibration statistics themselves.

#include "acquisition/tick_view.h"
#include "monitor/deviation_sums.h"
#include "monitor/planned_walk.h"
#include "monitor/power_lanes.h"
#include "monitor/power_sums.h"

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
    const PowerSums& power(std::size_t j) const { return m_power[m_results[j].analysis]; }

private:
    struct Result {
        double mean = 0;
        Deviations deviations;
        VibrationSums vibration;
        std::size_t analysis = 0;
    };

    std::size_t analysisFor(std::span<const PlannedWalk> walks, std::size_t j,
                            const PowerLanes::Analysis& analysis);
    void takeMeans(const acquisition::TickView& tick, std::span<const PlannedWalk> walks);
    void walkPower(const acquisition::TickView& tick);
    void walkDeviations(const acquisition::TickView& tick, std::span<const PlannedWalk> walks,
                        double carry);

    int m_n = 0;
    std::vector<Result> m_results;
    std::vector<PowerLanes::Analysis> m_analyses;
    std::vector<PowerSums> m_power;
};

} // namespace korvanta::monitor
