#include "monitor/vibration_lanes.h"

#include "monitor/backward_walk.h"

#include <algorithm>
#include <array>
#include <cstdint>

// The sweeps run with vectors of four doubles where the processor has them. That instruction set
// has no fused multiply-add, so every lane still rounds each operation exactly as the scalar walk.
#if defined(__GNUC__) && defined(__x86_64__)
#define KORVANTA_WIDE_LANES 1
#endif

namespace korvanta::monitor {
namespace {

using Narrow = double __attribute__((vector_size(2 * sizeof(double))));
using Wide = double __attribute__((vector_size(4 * sizeof(double))));

// The same lanes as integers, for the sign bit.
template <typename V> struct BitsOf;
template <> struct BitsOf<Narrow> {
    using Type = std::int64_t __attribute__((vector_size(sizeof(Narrow))));
};
template <> struct BitsOf<Wide> {
    using Type = std::int64_t __attribute__((vector_size(sizeof(Wide))));
};

constexpr std::int64_t kPeakMargin = 200; // visits kept out of the peak at each end
constexpr std::size_t kVectors = 2;       // vectors of computations side by side

template <typename V> constexpr std::size_t kWidth = sizeof(V) / sizeof(double);

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
[[gnu::always_inline]] inline void lastAveragesWith(std::span<const VibrationLane> lanes,
                                                    int visits, std::span<double> averages) {
    constexpr std::size_t w = kWidth<V>;
    forEachGroup<V>(lanes, [&](const Group<V>& g, std::size_t first, std::size_t count) {
        const auto now = g.now;
        const auto back = g.back;
        std::array<V, kVectors> ringSum{};
        for (std::int64_t k = 0; k < visits; ++k) {
            for (std::size_t h = 0; h < kVectors; ++h) {
                V change;
                for (std::size_t l = 0; l < w; ++l) {
                    change[l] = now[h * w + l][k] - back[h * w + l][k];
                }
                ringSum[h] = ringSum[h] + change;
            }
        }
        // The ring holds every integral walked until it is full.
        std::array<V, kVectors> average{};
        for (std::size_t h = 0; h < kVectors; ++h) {
            const V walked = V{} + static_cast<double>(visits);
            average[h] = ringSum[h] / (walked < g.window[h] ? walked : g.window[h]);
        }
        g.store(average, first, count, [&](std::size_t c, double value) { averages[c] = value; });
    });
}

template <typename V>
[[gnu::always_inline]] inline void integralDeviationsWith(std::span<const VibrationLane> lanes,
                                                          const acquisition::TickView& tick,
                                                          std::span<VibrationSums> sums) {
    using Bits = typename BitsOf<V>::Type;
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
__attribute__((target("avx2"))) void lastAveragesWide(std::span<const VibrationLane> lanes,
                                                      int visits, std::span<double> averages) {
    lastAveragesWith<Wide>(lanes, visits, averages);
}

__attribute__((target("avx2"))) void integralDeviationsWide(std::span<const VibrationLane> lanes,
                                                            const acquisition::TickView& tick,
                                                            std::span<VibrationSums> sums) {
    integralDeviationsWith<Wide>(lanes, tick, sums);
}

bool wideLanes() {
    static const bool available = __builtin_cpu_supports("avx2");
    return available;
}
#endif

} // namespace

void lastAverages(std::span<const VibrationLane> lanes, int visits, std::span<double> averages) {
#ifdef KORVANTA_WIDE_LANES
    if (wideLanes()) {
        lastAveragesWide(lanes, visits, averages);
        return;
    }
#endif
    lastAveragesWith<Narrow>(lanes, visits, averages);
}

void integralDeviations(std::span<const VibrationLane> lanes, const acquisition::TickView& tick,
                        std::span<VibrationSums> sums) {
    if (!walkable(tick)) {
        return;
    }
#ifdef KORVANTA_WIDE_LANES
    if (wideLanes()) {
        integralDeviationsWide(lanes, tick, sums);
        return;
    }
#endif
    integralDeviationsWith<Narrow>(lanes, tick, sums);
}

} // namespace korvanta::monitor
