#pragma once
// The deviations of inputs from their means over walks of various lengths (the RMS of a window,
// the crest of the buffer), all walked backwards together stretch by stretch, one computation in
// each lane of a vector: each record is read once for all of them.

#include "acquisition/tick_view.h"
#include "monitor/deviation_sums.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvanta::monitor {

class DeviationWalk {
public:
    // Deviations of input `input` from `mean` over the first `visits` visits; the same request
    // twice gives the same job.
    std::size_t addDeviations(int input, std::int64_t visits, double mean);

    // The visits from..to-1 of every job that walks them; the stretches of a walk come in order.
    void walk(const acquisition::TickView& tick, std::int64_t from, std::int64_t to);

    std::int64_t longest() const;
    const Deviations& deviations(std::size_t job) const { return m_jobs[job].sums; }

    struct Job {
        int input = 0;
        std::int64_t visits = 0;
        double mean = 0;
        Deviations sums;
    };

private:
    std::vector<Job> m_jobs;
    std::vector<std::size_t> m_lanes; // the jobs, longest first: lane l walks job m_lanes[l]
};

} // namespace korvanta::monitor
