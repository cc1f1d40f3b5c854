#pragma once
// The moving-average part of the vibration statistics over integrals already summed, several
// computations side by side in the lanes of a vector.

#include "acquisition/tick_view.h"
#include "monitor/deviation_sums.h"

#include <span>

namespace korvanta::monitor {

// One vibration computation: its input's integral at each visit of the walk (integral[k], with
// at least `window` zeros stored before integral[0]), its window and the average carried into it.
struct VibrationLane {
    const double* integral = nullptr;
    int window = 0;
    double carry = 0;
};

// Advances the ring sum of each computation (ringSums, one per lane) over the visits
// from..to-1; once the walk is done, the last moving average is the ring sum divided by the
// number of integrals in the ring.
void advanceRingSums(std::span<const VibrationLane> lanes, std::int64_t from, std::int64_t to,
                     std::span<double> ringSums);

// sumE2 and peak of each computation over a walk of the whole buffer of the tick; the average
// and the deviations are left as they are.
void integralDeviations(std::span<const VibrationLane> lanes, const acquisition::TickView& tick,
                        std::span<VibrationSums> sums);

} // namespace korvanta::monitor
