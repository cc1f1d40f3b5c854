#include "monitor/tick_walks.h"

#include "monitor/backward_walk.h"
#include "monitor/deviation_walk.h"
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

// The `count` records after record `last`, forwards round the ring.
void prefetchAhead(const TickView& tick, int last, int count) {
    const int n = tick.recordCount();
    const int tail = std::min(count, n - 1 - last);
    if (tail > 0) {
        prefetchRecords(tick, last + tail, tail);
    }
    if (count > tail) {
        prefetchRecords(tick, count - tail - 1, count - tail);
    }
}

int windowOf(const PlannedWalk& walk) {
    return walk.length > 0 ? static_cast<int>(walk.length) : 50;
}

} // namespace

TickWalks::TickWalks(const TickView& tick, std::span<const PlannedWalk> walks, double carry)
    : m_n(walkable(tick) ? tick.recordCount() : 0), m_results(walks.size()) {
    takeMeans(tick, walks);
    walkDeviations(tick, walks, carry);
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

void TickWalks::walkDeviations(const TickView& tick, std::span<const PlannedWalk> walks,
                               double carry) {
    // One integral per vibration input, each with `pad` zeros before it: the ring's contents
    // before it fills.
    std::vector<bool> integrated(Tabela::kInputCount, false);
    std::size_t integrals = 0;
    int pad = 1;
    for (const PlannedWalk& walk : walks) {
        if (walk.kind == WalkKind::VibrationStats) {
            pad = std::max(pad, windowOf(walk));
            if (!integrated[static_cast<std::size_t>(walk.inputIndex)]) {
                integrated[static_cast<std::size_t>(walk.inputIndex)] = true;
                ++integrals;
            }
        }
    }
    const std::size_t stride = static_cast<std::size_t>(pad + m_n);
    std::vector<double>& scratch = integralScratch();
    scratch.resize(std::max(scratch.size(), stride * integrals));

    struct Integral {
        double* values = nullptr;
        std::size_t job = 0;
    };
    std::vector<Integral> integralOf(Tabela::kInputCount);
    std::size_t places = 0;
    DeviationWalk walker;
    std::vector<std::size_t> jobOf(walks.size());
    std::vector<VibrationLane> lanes;
    for (std::size_t j = 0; j < walks.size(); ++j) {
        const PlannedWalk& walk = walks[j];
        const double mean = m_results[j].mean;
        if (walk.kind == WalkKind::RmsOfWindow) {
            jobOf[j] = walker.addDeviations(walk.inputIndex, walk.length, mean);
        } else if (walk.kind == WalkKind::CrestOfBuffer) {
            jobOf[j] = walker.addDeviations(walk.inputIndex, m_n - 1, mean);
        } else if (walk.kind == WalkKind::VibrationStats) {
            Integral& integral = integralOf[static_cast<std::size_t>(walk.inputIndex)];
            if (integral.values == nullptr) {
                double* start = scratch.data() + places++ * stride;
                std::fill(start, start + pad, 0.0);
                integral.values = start + pad;
                integral.job = walker.addIntegral(walk.inputIndex, m_n, mean, integral.values);
            }
            jobOf[j] = integral.job;
            lanes.push_back({integral.values, windowOf(walk), 0.0});
        }
    }
    std::vector<double> ringSums(lanes.size(), 0.0);
    const std::int64_t longest = walker.longest();
    for (std::int64_t from = 0; from < longest; from += kStretch) {
        const std::int64_t to = std::min(longest, from + kStretch);
        prefetchVisits(tick, to, std::min(longest, to + kStretch));
        walker.walk(tick, from, to);
        if (!lanes.empty() && from < m_n) {
            advanceRingSums(lanes, from, std::min<std::int64_t>(to, m_n), ringSums);
        }
    }
    for (std::size_t j = 0; j < walks.size(); ++j) {
        const WalkKind kind = walks[j].kind;
        if (kind == WalkKind::RmsOfWindow || kind == WalkKind::CrestOfBuffer) {
            m_results[j].deviations = walker.deviations(jobOf[j]);
        } else if (kind == WalkKind::VibrationStats) {
            m_results[j].vibration.deviations = walker.deviations(jobOf[j]);
        }
    }
    finishVibrations(tick, walks, lanes, ringSums, carry);
}

void TickWalks::finishVibrations(const TickView& tick, std::span<const PlannedWalk> walks,
                                 std::span<VibrationLane> lanes, std::span<const double> ringSums,
                                 double carry) {
    if (lanes.empty()) {
        return;
    }
    // Each computation starts from the average the one before it ended with, which does not
    // depend on where that one started once it has walked two records or more.
    const double walked = m_n;
    std::vector<std::size_t> walkOf;
    for (std::size_t j = 0; j < walks.size(); ++j) {
        if (walks[j].kind == WalkKind::VibrationStats) {
            walkOf.push_back(j);
        }
    }
    for (std::size_t c = 0; c < lanes.size(); ++c) {
        lanes[c].carry = carry;
        if (m_n >= 2) {
            const double window = lanes[c].window;
            carry = ringSums[c] / (walked < window ? walked : window);
        }
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
        prefetchAhead(tick, (before + steps) % m_n,
                      static_cast<int>(std::min<std::int64_t>(kStretch, m_n - from - steps)));
        for (PowerAnalysis& analysis : m_analyses) {
            // A local copy stays in registers; the table's doubles could otherwise alias it.
            PowerAnalysis local = analysis;
            int b = before;
            for (int s = 0; s < steps; ++s) {
                const double tPrev = tick.table.record(b).timeStamp;
                b = tick.table.nextIndex(b);
                local.step(tPrev, tick.table.record(b));
            }
            analysis = local;
        }
        before = static_cast<int>((before + steps) % m_n);
    }
}

} // namespace korvanta::monitor
