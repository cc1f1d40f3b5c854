#include "monitor/deviation_walk.h"

#include "acquisition/tabela.h"
#include "monitor/backward_walk.h"
#include "monitor/vector_lanes.h"

#include <algorithm>
#include <array>
#include <span>

namespace korvanta::monitor {
// The lane helpers of this file pass vectors by value, always inlined into functions compiled
// for their lanes; see vector_lanes.h.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace {

using acquisition::Tabela;
using acquisition::TickView;
using Job = DeviationWalk::Job;

// Vectors of jobs walked side by side; on eight lanes one permute picks the inputs of both.
constexpr std::size_t kGroupVectors = 2;

// The jobs of one group in registers over a stretch. The jobs of a group end at different visits:
// each lane's sums are stored when the walk reaches its end, and the lane runs on idle after it.
template <typename V, std::size_t kVectors> class DeviationGroup {
public:
    static constexpr std::size_t kLanes = kVectors * kLaneWidth<V>;

    // jobs: at most kLanes, longest first; spare lanes repeat the last job.
    [[gnu::always_inline]] DeviationGroup(std::span<Job* const> jobs)
        : m_inputs(inputsOf(jobs)), m_count(jobs.size()) {
        for (std::size_t l = 0; l < kLanes; ++l) {
            m_jobs[l] = jobs[std::min(l, jobs.size() - 1)];
            m_mean[l / w][l % w] = m_jobs[l]->mean;
            m_largest[l / w][l % w] = m_jobs[l]->sums.largest;
            m_sumOfSquares[l / w][l % w] = m_jobs[l]->sums.sumOfSquares;
        }
    }

    // The visits from..to-1 of the group's jobs.
    [[gnu::always_inline]] void walk(const TickView& tick, std::int64_t from, std::int64_t to) {
        const std::int64_t end = std::min(to, m_jobs[0]->visits);
        for (std::int64_t visit = from; visit < end;) {
            const std::int64_t next = nextEnd(visit, end);
            BackwardRuns runs(tick, visit, next);
            int first = 0;
            int length = 0;
            while (runs.next(first, length)) {
                over(&tick.table.record(first), length);
            }
            visit = next;
            storeReaching(visit);
        }
    }

private:
    static constexpr std::size_t w = kLaneWidth<V>;

    static InputLanes<V, kVectors> inputsOf(std::span<Job* const> jobs) {
        std::array<int, kLanes> inputs{};
        for (std::size_t l = 0; l < kLanes; ++l) {
            inputs[l] = jobs[std::min(l, jobs.size() - 1)]->input;
        }
        return InputLanes<V, kVectors>(inputs);
    }

    // The first visit after `visit` where a job ends, or `end`.
    std::int64_t nextEnd(std::int64_t visit, std::int64_t end) const {
        std::int64_t next = end;
        for (std::size_t l = 0; l < m_count; ++l) {
            if (m_jobs[l]->visits > visit) {
                next = std::min(next, m_jobs[l]->visits);
            }
        }
        return next;
    }

    // The records record, record - 1, ..., record - length + 1.
    [[gnu::always_inline]] void over(const Tabela* record, int length) {
        for (int v = 0; v < length; ++v, --record) {
            std::array<V, kVectors> x;
            m_inputs.pick(*record, x);
            for (std::size_t h = 0; h < kVectors; ++h) {
                const V d = x[h] - m_mean[h];
                m_largest[h] = LaneOps<V>::larger(m_largest[h], d);
                m_sumOfSquares[h] = m_sumOfSquares[h] + d * d;
            }
        }
    }

    // The sums of the jobs that have not ended before `visit`.
    void storeReaching(std::int64_t visit) {
        for (std::size_t l = 0; l < m_count; ++l) {
            if (m_jobs[l]->visits >= visit) {
                m_jobs[l]->sums = {m_largest[l / w][l % w], m_sumOfSquares[l / w][l % w]};
            }
        }
    }

    InputLanes<V, kVectors> m_inputs;
    std::size_t m_count;
    std::array<Job*, kLanes> m_jobs{};
    std::array<V, kVectors> m_mean{};
    std::array<V, kVectors> m_largest{};
    std::array<V, kVectors> m_sumOfSquares{};
};

template <typename V>
[[gnu::always_inline]] inline void walkWith(const TickView& tick, std::span<Job* const> lanes,
                                            std::int64_t from, std::int64_t to) {
    constexpr std::size_t kGroup = kGroupVectors * kLaneWidth<V>;
    for (std::size_t first = 0; first < lanes.size(); first += kGroup) {
        const std::span<Job* const> jobs =
            lanes.subspan(first, std::min(kGroup, lanes.size() - first));
        if (jobs.size() > kLaneWidth<V>) {
            DeviationGroup<V, 2>(jobs).walk(tick, from, to);
        } else {
            DeviationGroup<V, 1>(jobs).walk(tick, from, to);
        }
    }
}

#ifdef KORVANTA_LANES_X86
KORVANTA_LANES8_TARGET void walkLanes8(const TickView& tick, std::span<Job* const> lanes,
                                       std::int64_t from, std::int64_t to) {
    walkWith<Lanes8>(tick, lanes, from, to);
}

KORVANTA_LANES4_TARGET void walkLanes4(const TickView& tick, std::span<Job* const> lanes,
                                       std::int64_t from, std::int64_t to) {
    walkWith<Lanes4>(tick, lanes, from, to);
}
#endif

} // namespace

std::size_t DeviationWalk::addDeviations(int input, std::int64_t visits, double mean) {
    for (std::size_t j = 0; j < m_jobs.size(); ++j) {
        const Job& job = m_jobs[j];
        if (job.input == input && job.visits == visits && job.mean == mean) {
            return j;
        }
    }
    m_jobs.push_back({input, visits, mean, {}});
    m_lanes.clear();
    return m_jobs.size() - 1;
}

std::int64_t DeviationWalk::longest() const {
    std::int64_t longest = 0;
    for (const Job& job : m_jobs) {
        longest = std::max(longest, job.visits);
    }
    return longest;
}

void DeviationWalk::walk(const TickView& tick, std::int64_t from, std::int64_t to) {
    if (m_lanes.empty()) {
        for (std::size_t j = 0; j < m_jobs.size(); ++j) {
            m_lanes.push_back(j);
        }
        std::stable_sort(m_lanes.begin(), m_lanes.end(), [&](std::size_t a, std::size_t b) {
            return m_jobs[a].visits > m_jobs[b].visits;
        });
    }
    std::vector<Job*> lanes;
    for (const std::size_t j : m_lanes) {
        if (m_jobs[j].visits > from) {
            lanes.push_back(&m_jobs[j]);
        }
    }
    if (lanes.empty() || !walkable(tick)) {
        return;
    }
#ifdef KORVANTA_LANES_X86
    switch (laneWidth()) {
    case 8:
        walkLanes8(tick, lanes, from, to);
        return;
    case 4:
        walkLanes4(tick, lanes, from, to);
        return;
    }
#endif
    walkWith<Lanes2>(tick, lanes, from, to);
}

} // namespace korvanta::monitor
