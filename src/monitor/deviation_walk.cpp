#include "monitor/deviation_walk.h"

#include "acquisition/tabela.h"
#include "common/day_time.h"
#include "monitor/backward_walk.h"

#include <algorithm>
#include <array>
#include <span>

namespace korvanta::monitor {
namespace {

using acquisition::Tabela;

constexpr std::size_t kSlots = 4; // jobs side by side in one loop

// The state of up to kSlots jobs in locals, so that it stays in registers over a run; a short
// group repeats its last job in the spare slots and drops their state.
template <std::size_t kCount, typename Job> struct Slots {
    std::array<int, kCount> input{};
    std::array<double, kCount> mean{};
    std::array<double, kCount> largest{};
    std::array<double, kCount> sumOfSquares{};
    std::array<double, kCount> running{};
    std::array<double*, kCount> integral{};

    Slots(std::span<Job* const> jobs) {
        for (std::size_t l = 0; l < kCount; ++l) {
            const Job& job = *jobs[std::min(l, jobs.size() - 1)];
            input[l] = job.input;
            mean[l] = job.mean;
            largest[l] = job.sums.largest;
            sumOfSquares[l] = job.sums.sumOfSquares;
            running[l] = job.running;
            integral[l] = job.integral;
        }
    }

    void storeInto(std::span<Job* const> jobs) const {
        for (std::size_t l = 0; l < std::min(kCount, jobs.size()); ++l) {
            jobs[l]->sums = {largest[l], sumOfSquares[l]};
            jobs[l]->running = running[l];
        }
    }

    void deviationsOver(const Tabela* record, int length) {
        for (int v = 0; v < length; ++v, --record) {
            for (std::size_t l = 0; l < kCount; ++l) {
                const double d = record->values[input[l]] - mean[l];
                largest[l] = std::max(largest[l], d);
                sumOfSquares[l] += d * d;
            }
        }
    }

    void integralsOver(const Tabela* record, int length, std::int64_t visit, double T) {
        for (int v = 0; v < length; ++v, --record) {
            for (std::size_t l = 0; l < kCount; ++l) {
                const double d = record->values[input[l]] - mean[l];
                largest[l] = std::max(largest[l], d);
                sumOfSquares[l] += d * d;
                running[l] += d * T * common::kSecondsPerDay;
                integral[l][visit + v] = running[l];
            }
        }
    }
};

template <std::size_t kCount, typename Job>
void walkSlots(const acquisition::TickView& tick, std::span<Job* const> jobs, std::int64_t from,
               std::int64_t to) {
    Slots<kCount, Job> state(jobs);
    const bool integrals = jobs.front()->integral != nullptr;
    std::int64_t visit = from;
    walkBackRuns(tick, from, to, [&](int first, int length) {
        const Tabela* record = &tick.table.record(first);
        if (integrals) {
            state.integralsOver(record, length, visit, tick.samplePeriod);
        } else {
            state.deviationsOver(record, length);
        }
        visit += length;
    });
    state.storeInto(jobs);
}

} // namespace

std::size_t DeviationWalk::addDeviations(int input, std::int64_t visits, double mean) {
    for (std::size_t j = 0; j < m_jobs.size(); ++j) {
        const Job& job = m_jobs[j];
        if (job.integral == nullptr && job.input == input && job.visits == visits &&
            job.mean == mean) {
            return j;
        }
    }
    m_jobs.push_back({input, visits, mean, nullptr, {}, 0});
    m_groups.clear();
    return m_jobs.size() - 1;
}

std::size_t DeviationWalk::addIntegral(int input, std::int64_t visits, double mean,
                                       double* integral) {
    m_jobs.push_back({input, visits, mean, integral, {}, 0});
    m_groups.clear();
    return m_jobs.size() - 1;
}

std::int64_t DeviationWalk::longest() const {
    std::int64_t longest = 0;
    for (const Job& job : m_jobs) {
        longest = std::max(longest, job.visits);
    }
    return longest;
}

void DeviationWalk::formGroups() {
    std::vector<std::size_t> order(m_jobs.size());
    for (std::size_t j = 0; j < order.size(); ++j) {
        order[j] = j;
    }
    const auto key = [&](std::size_t j) {
        return std::pair(m_jobs[j].integral != nullptr, m_jobs[j].visits);
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
    for (const std::size_t j : order) {
        if (m_groups.empty() || m_groups.back().size() == kSlots ||
            key(m_groups.back().front()) != key(j)) {
            m_groups.emplace_back();
        }
        m_groups.back().push_back(j);
    }
}

void DeviationWalk::walk(const acquisition::TickView& tick, std::int64_t from, std::int64_t to) {
    if (m_groups.empty()) {
        formGroups();
    }
    for (const std::vector<std::size_t>& group : m_groups) {
        const std::int64_t end = std::min(to, m_jobs[group.front()].visits);
        if (from >= end) {
            continue;
        }
        std::array<Job*, kSlots> jobs{};
        for (std::size_t l = 0; l < group.size(); ++l) {
            jobs[l] = &m_jobs[group[l]];
        }
        const std::span<Job* const> members(jobs.data(), group.size());
        if (group.size() == 1) {
            walkSlots<1>(tick, members, from, end);
        } else if (group.size() == 2) {
            walkSlots<2>(tick, members, from, end);
        } else {
            walkSlots<kSlots>(tick, members, from, end);
        }
    }
}

} // namespace korvanta::monitor
