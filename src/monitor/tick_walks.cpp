#include "monitor/tick_walks.h"

#include "monitor/backward_walk.h"
#include "monitor/deviation_walk.h"
#include "monitor/vibration_lanes.h"
#include "monitor/walk_sums.h"

#include <algorithm>
#include <cstdint>

namespace korvanta::monitor {
namespace {

using acquisition::TickView;

// Visits walked by every computation before the next ones start, so that the records of a stretch
// are still in the cache when the next computation reads them.
constexpr std::int64_t kStretch = 2048;

int windowOf(const PlannedWalk& walk) {
    return walk.length > 0 ? static_cast<int>(walk.length) : 50;
}

} // namespace

TickWalks::TickWalks(const TickView& tick, std::span<const PlannedWalk> walks, double carry)
    : m_n(walkable(tick) ? tick.recordCount() : 0), m_results(walks.size()) {
    takeMeans(tick, walks);
    walkPower(tick);
    walkDeviations(tick, walks, carry);
}

// Walks of the same kind on the same input share one analysis.
std::size_t TickWalks::analysisFor(std::span<const PlannedWalk> walks, std::size_t j,
                                   const PowerLanes::Analysis& analysis) {
    for (std::size_t before = 0; before < j; ++before) {
        if (walks[before].kind == walks[j].kind &&
            walks[before].inputIndex == walks[j].inputIndex) {
            return m_results[before].analysis;
        }
    }
    m_analyses.push_back(analysis);
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
            m_results[j].analysis = analysisFor(walks, j, {walk.inputIndex, 0.0, 0.0});
            break;
        case WalkKind::PowerZeroMean:
            m_results[j].analysis = analysisFor(walks, j,
                                                {walk.inputIndex, meanOfBuffer(walk.inputIndex),
                                                 meanOfBuffer(walk.inputIndex + 1)});
            break;
        default:
            mean = meanOfBuffer(walk.inputIndex);
        }
    }
}

void TickWalks::walkPower(const TickView& tick) {
    PowerLanes lanes(m_analyses);
    lanes.walk(tick);
    for (std::size_t a = 0; a < m_analyses.size(); ++a) {
        m_power.push_back(lanes.sums(a));
    }
}

void TickWalks::walkDeviations(const TickView& tick, std::span<const PlannedWalk> walks,
                               double carry) {
    DeviationWalk deviations;
    std::vector<VibrationLanes::Computation> computations;
    std::vector<std::size_t> jobOf(walks.size());
    for (std::size_t j = 0; j < walks.size(); ++j) {
        const PlannedWalk& walk = walks[j];
        const double mean = m_results[j].mean;
        if (walk.kind == WalkKind::RmsOfWindow) {
            jobOf[j] = deviations.addDeviations(walk.inputIndex, walk.length, mean);
        } else if (walk.kind == WalkKind::CrestOfBuffer) {
            jobOf[j] = deviations.addDeviations(walk.inputIndex, m_n - 1, mean);
        } else if (walk.kind == WalkKind::VibrationStats) {
            jobOf[j] = computations.size();
            computations.push_back({walk.inputIndex, mean, windowOf(walk)});
        }
    }
    VibrationLanes vibrations(computations);
    const std::int64_t vibrationVisits = computations.empty() ? 0 : m_n;
    const std::int64_t longest = std::max(deviations.longest(), vibrationVisits);
    for (std::int64_t from = 0; from < longest; from += kStretch) {
        const std::int64_t to = std::min(longest, from + kStretch);
        prefetchVisits(tick, to, std::min(longest, to + kStretch));
        deviations.walk(tick, from, to);
        if (from < vibrationVisits) {
            vibrations.sumRings(tick, from, std::min(to, vibrationVisits));
        }
    }
    vibrations.chainAverages(carry, m_n);
    for (std::int64_t from = 0; from < vibrationVisits; from += kStretch) {
        const std::int64_t to = std::min(vibrationVisits, from + kStretch);
        prefetchVisits(tick, to, std::min(vibrationVisits, to + kStretch));
        vibrations.sweep(tick, from, to);
    }
    for (std::size_t j = 0; j < walks.size(); ++j) {
        const WalkKind kind = walks[j].kind;
        if (kind == WalkKind::RmsOfWindow || kind == WalkKind::CrestOfBuffer) {
            m_results[j].deviations = deviations.deviations(jobOf[j]);
        } else if (kind == WalkKind::VibrationStats) {
            m_results[j].vibration = vibrations.sums(jobOf[j]);
        }
    }
}

} // namespace korvanta::monitor
