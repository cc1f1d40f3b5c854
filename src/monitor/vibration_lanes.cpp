#include "monitor/vibration_lanes.h"

#include "monitor/backward_walk.h"

#include <algorithm>
#include <array>
#include <cstdint>

// The helpers below pass vectors by value only inside this file, where the calling convention of
// a wider vector on a target without it does not matter.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace korvanta::monitor {
namespace {

// Four computations at a time; each lane does exactly the scalar operations of its own walk.
constexpr std::size_t kLanes = 4;
using Lanes = double __attribute__((vector_size(kLanes * sizeof(double))));
using LaneBits = std::int64_t __attribute__((vector_size(kLanes * sizeof(double))));

constexpr std::int64_t kPeakMargin = 200; // visits kept out of the peak at each end

// The computations of one vector; a short last group repeats its last lane.
struct Group {
    std::array<const double*, kLanes> now{};  // integral[k]
    std::array<const double*, kLanes> back{}; // integral[k - window], zeros before the start
    Lanes window{};
    Lanes carry{};

    Group(std::span<const VibrationLane> lanes, std::size_t first) {
        for (std::size_t l = 0; l < kLanes; ++l) {
            const VibrationLane& lane = lanes[std::min(first + l, lanes.size() - 1)];
            now[l] = lane.integral;
            back[l] = lane.integral - lane.window;
            window[l] = lane.window;
            carry[l] = lane.carry;
        }
    }

    Lanes integralAt(std::int64_t k) const {
        return Lanes{now[0][k], now[1][k], now[2][k], now[3][k]};
    }
    Lanes droppedAt(std::int64_t k) const {
        return Lanes{back[0][k], back[1][k], back[2][k], back[3][k]};
    }
    // The ring holds k + 1 integrals until it is full.
    Lanes divisorAt(std::int64_t k) const {
        const double filled = static_cast<double>(k + 1);
        const Lanes f = {filled, filled, filled, filled};
        return f < window ? f : window;
    }
};

template <typename Each> void forEachGroup(std::span<const VibrationLane> lanes, Each&& each) {
    for (std::size_t first = 0; first < lanes.size(); first += kLanes) {
        each(Group(lanes, first), first, std::min(kLanes, lanes.size() - first));
    }
}

Lanes absolute(Lanes x) {
    const LaneBits noSign = {INT64_MAX, INT64_MAX, INT64_MAX, INT64_MAX};
    return reinterpret_cast<Lanes>(reinterpret_cast<LaneBits>(x) & noSign);
}

} // namespace

void lastAverages(std::span<const VibrationLane> lanes, int visits, std::span<double> averages) {
    forEachGroup(lanes, [&](const Group& g, std::size_t first, std::size_t count) {
        Lanes ringSum{};
        for (std::int64_t k = 0; k < visits; ++k) {
            ringSum = ringSum + (g.integralAt(k) - g.droppedAt(k));
        }
        const Lanes average = ringSum / g.divisorAt(visits - 1);
        for (std::size_t l = 0; l < count; ++l) {
            averages[first + l] = average[l];
        }
    });
}

void integralDeviations(std::span<const VibrationLane> lanes, const acquisition::TickView& tick,
                        std::span<VibrationSums> sums) {
    if (!walkable(tick)) {
        return;
    }
    const int n = tick.recordCount();
    const int last = n - 1;
    forEachGroup(lanes, [&](const Group& g, std::size_t first, std::size_t count) {
        Lanes ringSum{};
        Lanes sumE2{};
        Lanes peak{};
        Lanes average = g.carry; // the average at the first visit
        int i = tick.newestIndex();
        for (std::int64_t k = 0; k < n; ++k) {
            const Lanes integral = g.integralAt(k);
            ringSum = ringSum + (integral - g.droppedAt(k));
            if (k > 0) {
                average = ringSum / g.divisorAt(k);
            }
            const Lanes e = integral - average;
            sumE2 = sumE2 + e * e;
            // Only the middle of the buffer, away from its ends and the wrap, counts for the peak.
            if (k > kPeakMargin && k < n - kPeakMargin && i > 1 && i < last) {
                const Lanes a = absolute(e);
                peak = peak < a ? a : peak;
            }
            if (--i <= 0) {
                i = last;
            }
        }
        for (std::size_t l = 0; l < count; ++l) {
            sums[first + l].sumE2 = sumE2[l];
            sums[first + l].peak = peak[l];
        }
    });
}

} // namespace korvanta::monitor
