#include "monitor/tick_walks.h"

#include "common/day_time.h"
#include "monitor/backward_walk.h"
#include "monitor/vibration_lanes.h"
#include "monitor/walk_sums.h"

#include <algorithm>
#include <cstdint>

namespace korvanta::monitor {
namespace {

using acquisition::Tabela;
using acquisition::TickView;

// Visits walked by every computation before the next ones start, so that the records of a stretch
// are still in the cache when the next computation reads them.
constexpr std::int64_t kStretch = 2048;

// The integrals of the vibration inputs are kept between ticks, so that a tick does not fault in
// fresh pages for them.
std::vector<double>& integralScratch() {
    thread_local std::vector<double> scratch;
    return scratch;
}

int windowOf(const PlannedWalk& walk) {
    return walk.length > 0 ? static_cast<int>(walk.length) : 50;
}

// Deviations of one input from a mean over the first `visits` visits.
struct DeviationJob {
    int input = 0;
    std::int64_t visits = 0;
    double mean = 0;
    Deviations sums;

    void walkRun(const TickView& tick, int first, int length) {
        const Tabela* record = &tick.table.record(first);
        Deviations s = sums;
        for (int v = 0; v < length; ++v, --record) {
            const double d = record->values[input] - mean;
            s.largest = std::max(s.largest, d);
            s.sumOfSquares += d * d;
        }
        sums = s;
    }
};

// The deviations of one input from its whole-buffer mean and their running integral.
struct IntegralJob {
    int input = 0;
    double mean = 0;
    double* integral = nullptr; // one value per visit
    Deviations sums;
    double running = 0;

    void walkRun(const TickView& tick, std::int64_t visit, int first, int length) {
        const Tabela* record = &tick.table.record(first);
        double* out = integral + visit;
        // Kept in locals: the stores through `out` could otherwise be taken to change them.
        Deviations s = sums;
        double r = running;
        const double T = tick.samplePeriod;
        for (int v = 0; v < length; ++v, --record) {
            const double d = record->values[input] - mean;
            s.largest = std::max(s.largest, d);
            s.sumOfSquares += d * d;
            r += d * T * common::kSecondsPerDay;
            out[v] = r;
        }
        sums = s;
        running = r;
    }
};

} // namespace

TickWalks::TickWalks(const TickView& tick, std::span<const PlannedWalk> walks, double carry)
    : m_n(walkable(tick) ? tick.recordCount() : 0), m_results(walks.size()) {
    takeMeans(tick, walks);
    walkDeviations(tick, walks);
    finishVibrations(tick, walks, carry);
    walkPower(tick);
}

// Walks of the same kind on the same input share one analysis.
template <typename Make>
std::size_t TickWalks::analysisFor(std::span<const PlannedWalk> walks, std::size_t j, Make&& make) {
    for (std::size_t before = 0; before < j; ++before) {
        if (walks[before].kind == walks[j].kind &&
            walks[before].inputIndex == walks[j].inputIndex) {
            return m_results[before].analysis;
        }
    }
    m_analyses.push_back(make(walks[j].inputIndex));
    return m_analyses.size() - 1;
}

void TickWalks::takeMeans(const TickView& tick, std::span<const PlannedWalk> walks) {
    std::vector<std::int64_t> counts;
    for (const PlannedWalk& walk : walks) {
        switch (walk.kind) {
        case WalkKind::MeanOfWindow:
        case WalkKind::RmsOfWindow:
            counts.push_back(walk.length);
            break;
        case WalkKind::CrestOfBuffer:
            counts.push_back(m_n - 1);
            break;
        default:
            counts.push_back(m_n);
        }
    }
    const WalkSums sums(tick, counts);
    const auto meanOfBuffer = [&](int input) {
        return m_n > 0 ? sums.at(m_n)[static_cast<std::size_t>(input)] / m_n : 0.0;
    };
    for (std::size_t j = 0; j < walks.size(); ++j) {
        const PlannedWalk& walk = walks[j];
        const auto input = static_cast<std::size_t>(walk.inputIndex);
        double& mean = m_results[j].mean;
        switch (walk.kind) {
        case WalkKind::MeanOfWindow:
        case WalkKind::RmsOfWindow:
            mean = m_n > 0 && walk.length > 0
                       ? sums.at(walk.length)[input] / static_cast<double>(walk.length)
                       : 0.0;
            break;
        case WalkKind::CrestOfBuffer:
            mean = m_n > 0 ? sums.at(m_n - 1)[input] / m_n : 0.0;
            break;
        case WalkKind::Power:
        case WalkKind::PowerZeroMean:
            m_results[j].analysis = analysisFor(walks, j, [&](int input) {
                const bool zero = walk.kind == WalkKind::PowerZeroMean;
                return PowerAnalysis(input, tick.samplePeriod, zero ? meanOfBuffer(input) : 0.0,
                                     zero ? meanOfBuffer(input + 1) : 0.0);
            });
            break;
        default:
            mean = meanOfBuffer(walk.inputIndex);
        }
    }
}

void TickWalks::walkDeviations(const TickView& tick, std::span<const PlannedWalk> walks) {
    std::vector<DeviationJob> deviationJobs;
    std::vector<std::size_t> jobOf(walks.size());
    std::vector<IntegralJob> integralJobs;
    std::vector<int> integralOf(Tabela::kInputCount, -1); // per input, its job
    int pad = 1;
    for (std::size_t j = 0; j < walks.size(); ++j) {
        const PlannedWalk& walk = walks[j];
        if (walk.kind == WalkKind::RmsOfWindow || walk.kind == WalkKind::CrestOfBuffer) {
            const std::int64_t visits = walk.kind == WalkKind::RmsOfWindow ? walk.length : m_n - 1;
            const DeviationJob job{walk.inputIndex, visits, m_results[j].mean, {}};
            const auto same = std::find_if(
                deviationJobs.begin(), deviationJobs.end(), [&](const DeviationJob& other) {
                    return other.input == job.input && other.visits == job.visits &&
                           other.mean == job.mean;
                });
            jobOf[j] = static_cast<std::size_t>(same - deviationJobs.begin());
            if (same == deviationJobs.end()) {
                deviationJobs.push_back(job);
            }
        } else if (walk.kind == WalkKind::VibrationStats) {
            pad = std::max(pad, windowOf(walk));
            int& place = integralOf[static_cast<std::size_t>(walk.inputIndex)];
            if (place < 0) {
                place = static_cast<int>(integralJobs.size());
                integralJobs.push_back({walk.inputIndex, m_results[j].mean, nullptr, {}, 0});
            }
        }
    }
    // Each integral has `pad` zeros before it, the ring's contents before it fills.
    const std::size_t stride = static_cast<std::size_t>(pad + m_n);
    std::vector<double>& scratch = integralScratch();
    scratch.resize(std::max(scratch.size(), stride * integralJobs.size()));
    for (std::size_t place = 0; place < integralJobs.size(); ++place) {
        double* start = scratch.data() + place * stride;
        std::fill(start, start + pad, 0.0);
        integralJobs[place].integral = start + pad;
    }

    std::int64_t longest = integralJobs.empty() ? 0 : m_n;
    for (const DeviationJob& job : deviationJobs) {
        longest = std::max(longest, job.visits);
    }
    for (std::int64_t from = 0; from < longest; from += kStretch) {
        const std::int64_t to = std::min(longest, from + kStretch);
        for (DeviationJob& job : deviationJobs) {
            walkBackRuns(tick, from, std::min(to, job.visits),
                         [&](int first, int length) { job.walkRun(tick, first, length); });
        }
        for (IntegralJob& job : integralJobs) {
            std::int64_t visit = from;
            walkBackRuns(tick, from, std::min<std::int64_t>(to, m_n), [&](int first, int length) {
                job.walkRun(tick, visit, first, length);
                visit += length;
            });
        }
    }
    for (std::size_t j = 0; j < walks.size(); ++j) {
        if (walks[j].kind == WalkKind::RmsOfWindow || walks[j].kind == WalkKind::CrestOfBuffer) {
            m_results[j].deviations = deviationJobs[jobOf[j]].sums;
        } else if (walks[j].kind == WalkKind::VibrationStats) {
            const int place = integralOf[static_cast<std::size_t>(walks[j].inputIndex)];
            const IntegralJob& job = integralJobs[static_cast<std::size_t>(place)];
            m_results[j].vibration.deviations = job.sums;
            m_results[j].integral = job.integral;
        }
    }
}

void TickWalks::finishVibrations(const TickView& tick, std::span<const PlannedWalk> walks,
                                 double carry) {
    std::vector<VibrationLane> lanes;
    std::vector<std::size_t> walkOf;
    for (std::size_t j = 0; j < walks.size(); ++j) {
        if (walks[j].kind == WalkKind::VibrationStats) {
            lanes.push_back({m_results[j].integral, windowOf(walks[j]), 0.0});
            walkOf.push_back(j);
        }
    }
    if (lanes.empty()) {
        return;
    }
    // Each computation starts from the average the one before it ended with, which does not
    // depend on where that one started once it has walked two records or more.
    std::vector<double> last(lanes.size(), 0.0);
    if (m_n >= 2) {
        lastAverages(lanes, m_n, last);
    }
    for (std::size_t c = 0; c < lanes.size(); ++c) {
        lanes[c].carry = carry;
        carry = m_n >= 2 ? last[c] : carry;
        m_results[walkOf[c]].vibration.average = carry;
    }
    std::vector<VibrationSums> sums(lanes.size());
    integralDeviations(lanes, tick, sums);
    for (std::size_t c = 0; c < lanes.size(); ++c) {
        m_results[walkOf[c]].vibration.sumE2 = sums[c].sumE2;
        m_results[walkOf[c]].vibration.peak = sums[c].peak;
    }
}

void TickWalks::walkPower(const TickView& tick) {
    if (m_n <= 0 || m_analyses.empty()) {
        return;
    }
    // From the current record itself, the oldest of the ring, forward to the newest.
    for (PowerAnalysis& analysis : m_analyses) {
        analysis.begin(tick.table.record(tick.currentIndex));
    }
    int before = tick.currentIndex; // the record before the stretch
    for (std::int64_t from = 1; from < m_n; from += kStretch) {
        const int steps = static_cast<int>(std::min<std::int64_t>(kStretch, m_n - from));
        for (PowerAnalysis& analysis : m_analyses) {
            int b = before;
            for (int s = 0; s < steps; ++s) {
                const double tPrev = tick.table.record(b).timeStamp;
                b = tick.table.nextIndex(b);
                analysis.step(tPrev, tick.table.record(b));
            }
        }
        before = static_cast<int>((before + steps) % m_n);
    }
}

} // namespace korvanta::monitor
