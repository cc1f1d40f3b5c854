#include "monitor/vibration_lanes.h"

#include "monitor/backward_walk.h"
#include "monitor/vector_lanes.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace korvanta::monitor {
namespace {

template <typename V> constexpr std::size_t kWidth = kLaneWidth<V>;

constexpr std::int64_t kPeakMargin = 200; // visits kept out of the peak at each end
constexpr std::size_t kVectors = 2;       // vectors of computations side by side

// The computations of one group, kVectors vectors of them; a short last group repeats its last
// computation.
template <typename V> struct Group {
    static constexpr std::size_t kLanes = kVectors * kWidth<V>;

    std::array<const double*, kLanes> now{};  // integral[k]
    std::array<const double*, kLanes> back{}; // integral[k - window], zeros before the start
    std::array<V, kVectors> window{};
    std::array<V, kVectors> carry{};

    Group(std::span<const VibrationLane> lanes, std::size_t first) {
        for (std::size_t l = 0; l < kLanes; ++l) {
            const VibrationLane& lane = lanes[std::min(first + l, lanes.size() - 1)];
            now[l] = lane.integral;
            back[l] = lane.integral - lane.window;
            window[l / kWidth<V>][l % kWidth<V>] = lane.window;
            carry[l / kWidth<V>][l % kWidth<V>] = lane.carry;
        }
    }

    // Lane l of each vector: the value of computation `first + l` and so on.
    template <typename Take>
    void store(const std::array<V, kVectors>& values, std::size_t first, std::size_t count,
               Take&& take) const {
        for (std::size_t l = 0; l < count; ++l) {
            take(first + l, values[l / kWidth<V>][l % kWidth<V>]);
        }
    }
};

template <typename V, typename Each>
[[gnu::always_inline]] inline void forEachGroup(std::span<const VibrationLane> lanes, Each&& each) {
    for (std::size_t first = 0; first < lanes.size(); first += Group<V>::kLanes) {
        each(Group<V>(lanes, first), first, std::min(Group<V>::kLanes, lanes.size() - first));
    }
}

template <typename V>
[[gnu::always_inline]] inline void advanceRingSumsWith(std::span<const VibrationLane> lanes,
                                                       std::int64_t from, std::int64_t to,
                                                       std::span<double> ringSums) {
    constexpr std::size_t w = kWidth<V>;
    forEachGroup<V>(lanes, [&](const Group<V>& g, std::size_t first, std::size_t count) {
        const auto now = g.now;
        const auto back = g.back;
        std::array<V, kVectors> ringSum{};
        for (std::size_t l = 0; l < Group<V>::kLanes; ++l) {
            ringSum[l / w][l % w] = ringSums[std::min(first + l, lanes.size() - 1)];
        }
        for (std::int64_t k = from; k < to; ++k) {
            for (std::size_t h = 0; h < kVectors; ++h) {
                V change;
                for (std::size_t l = 0; l < w; ++l) {
                    change[l] = now[h * w + l][k] - back[h * w + l][k];
                }
                ringSum[h] = ringSum[h] + change;
            }
        }
        g.store(ringSum, first, count, [&](std::size_t c, double value) { ringSums[c] = value; });
    });
}

template <typename V>
[[gnu::always_inline]] inline void integralDeviationsWith(std::span<const VibrationLane> lanes,
                                                          const acquisition::TickView& tick,
                                                          std::span<VibrationSums> sums) {
    using Bits = typename LaneCompanions<V>::Bits;
    constexpr std::size_t w = kWidth<V>;
    const int n = tick.recordCount();
    const int last = n - 1;
    forEachGroup<V>(lanes, [&](const Group<V>& g, std::size_t first, std::size_t count) {
        const auto now = g.now;
        const auto back = g.back;
        std::array<V, kVectors> ringSum{};
        std::array<V, kVectors> sumE2{};
        std::array<V, kVectors> peak{};
        std::array<V, kVectors> average = g.carry; // the average at the first visit
        int i = tick.newestIndex();
        for (std::int64_t k = 0; k < n; ++k) {
            // Only the middle of the buffer, away from its ends and the wrap, counts for the peak.
            const bool middle = k > kPeakMargin && k < n - kPeakMargin && i > 1 && i < last;
            // The ring holds k + 1 integrals until it is full.
            const V filled = V{} + static_cast<double>(k + 1);
            for (std::size_t h = 0; h < kVectors; ++h) {
                V integral;
                V dropped;
                for (std::size_t l = 0; l < w; ++l) {
                    integral[l] = now[h * w + l][k];
                    dropped[l] = back[h * w + l][k];
                }
                ringSum[h] = ringSum[h] + (integral - dropped);
                if (k > 0) {
                    average[h] = ringSum[h] / (filled < g.window[h] ? filled : g.window[h]);
                }
                const V e = integral - average[h];
                sumE2[h] = sumE2[h] + e * e;
                if (middle) {
                    const V a =
                        reinterpret_cast<V>(reinterpret_cast<Bits>(e) & (Bits{} + INT64_MAX));
                    peak[h] = peak[h] < a ? a : peak[h];
                }
            }
            if (--i <= 0) {
                i = last;
            }
        }
        g.store(sumE2, first, count, [&](std::size_t c, double value) { sums[c].sumE2 = value; });
        g.store(peak, first, count, [&](std::size_t c, double value) { sums[c].peak = value; });
    });
}

#ifdef KORVANTA_WIDE_LANES
KORVANTA_WIDE_TARGET void advanceRingSumsWide(std::span<const VibrationLane> lanes,
                                              std::int64_t from, std::int64_t to,
                                              std::span<double> ringSums) {
    advanceRingSumsWith<WideLanes>(lanes, from, to, ringSums);
}

KORVANTA_WIDE_TARGET void integralDeviationsWide(std::span<const VibrationLane> lanes,
                                                 const acquisition::TickView& tick,
                                                 std::span<VibrationSums> sums) {
    integralDeviationsWith<WideLanes>(lanes, tick, sums);
}

#endif

} // namespace

void advanceRingSums(std::span<const VibrationLane> lanes, std::int64_t from, std::int64_t to,
                     std::span<double> ringSums) {
#ifdef KORVANTA_WIDE_LANES
    if (wideLanesAvailable()) {
        advanceRingSumsWide(lanes, from, to, ringSums);
        return;
    }
#endif
    advanceRingSumsWith<NarrowLanes>(lanes, from, to, ringSums);
}

void integralDeviations(std::span<const VibrationLane> lanes, const acquisition::TickView& tick,
                        std::span<VibrationSums> sums) {
    if (!walkable(tick)) {
        return;
    }
#ifdef KORVANTA_WIDE_LANES
    if (wideLanesAvailable()) {
        integralDeviationsWide(lanes, tick, sums);
        return;
    }
#endif
    integralDeviationsWith<NarrowLanes>(lanes, tick, sums);
}

} // namespace korvanta::monitor
