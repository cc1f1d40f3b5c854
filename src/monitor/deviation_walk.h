#pragma once
// The deviations of inputs from their means and the running integrals of the vibration inputs,
// all walked backwards together stretch by stretch: computations over the same number of visits
// advance side by side in one loop, so that each record is read once for all of them.

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
    // Deviations from `mean` over `visits` visits and their running integral (deviation × T in
    // seconds), written to integral[0..visits-1].
    std::size_t addIntegral(int input, std::int64_t visits, double mean, double* integral);

    // The visits from..to-1 of every job that walks them.
    void walk(const acquisition::TickView& tick, std::int64_t from, std::int64_t to);

    std::int64_t longest() const;
    const Deviations& deviations(std::size_t job) const { return m_jobs[job].sums; }

private:
    struct Job {
        int input = 0;
        std::int64_t visits = 0;
        double mean = 0;
        double* integral = nullptr; // none for plain deviations
        Deviations sums;
        double running = 0;
    };

    void formGroups();

    std::vector<Job> m_jobs;
    std::vector<std::vector<std::size_t>> m_groups; // jobs of one kind and length, a few each
};

} // namespace korvanta::monitor
