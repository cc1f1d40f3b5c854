#pragma once
// The power analyses of a tick side by side, one in each lane of a vector, fed by one forward
// walk over the table: the sums of squares advance at every step, the crossing registers only at
// the steps where some lane's voltage or current rises through zero. Each lane ends exactly as
// PowerAnalysis stepped over the same records does.

#include "acquisition/tick_view.h"
#include "monitor/power_sums.h"

#include <cstddef>
#include <span>
#include <vector>

namespace korvanta::monitor {

class PowerLanes {
public:
    // Voltage input inputIndex and current inputIndex + 1, each less its mean.
    struct Analysis {
        int inputIndex = 0;
        double meanU = 0;
        double meanI = 0;
    };

    explicit PowerLanes(std::span<const Analysis> analyses);

    // The walk from the current record R forward over the N records of a walkable tick.
    void walk(const acquisition::TickView& tick);

    const PowerSums& sums(std::size_t analysis) const { return m_sums[analysis]; }

private:
    std::vector<Analysis> m_analyses;
    std::vector<PowerSums> m_sums;
};

} // namespace korvanta::monitor
