#include "monitor/power_lanes.h"

#include "monitor/backward_walk.h"
#include "monitor/input_range.h"
#include "monitor/power_analysis.h"
#include "monitor/vector_lanes.h"

#include <algorithm>
#include <array>

namespace korvanta::monitor {
// The lane helpers of this file pass vectors by value, always inlined into functions compiled
// for their lanes; see vector_lanes.h.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace {

using acquisition::Tabela;
using acquisition::TickView;

constexpr int kDirectionSpan = 5; // inputs m .. m + 4

// The registers of PowerAnalysis, one analysis in each lane. The counts are doubles, exact as long
// as they are below 2^53.
template <typename V> struct PowerState {
    using Bits = LaneBits<V>;

    V meanU{};
    V meanI{};
    V prevU{};
    V prevI{};
    V tI{};
    V tU{};
    V tUprev{};
    V periodSum{};
    V periodCount{};
    V meanPeriod{};
    V delaySum{};
    V delayCount{};
    V sumU2{};
    V sumI2{};
    V direction{};
    Bits withDirection{};
    Bits directionSeen{};
};

// PowerAnalysis::risesThroughZero in every lane.
template <typename V>
[[gnu::always_inline]] inline LaneBits<V> risesThroughZero(V previous, V next) {
    using Ops = LaneOps<V>;
    const V zero{};
    return (Ops::less(previous, zero) & Ops::lessEqual(zero, next)) |
           (Ops::lessEqual(previous, zero) & Ops::less(zero, next));
}

// PowerAnalysis::directionOf in every lane.
template <typename V> [[gnu::always_inline]] inline V directionOf(V x2, V x4) {
    using Ops = LaneOps<V>;
    const V sign = Ops::select(Ops::less(x4, x2), splat<V>(1), splat<V>(-1));
    return Ops::select(Ops::lessEqual(V{}, x2 * x4), V{}, sign);
}

// The inputs one group of analyses reads: voltage and current, and the direction inputs.
template <typename V> struct PowerInputs {
    InputLanes<V, 2> voltageAndCurrent;
    InputLanes<V, 2> directionPair;
};

// What a step with a crossing in some lane does to the registers, in PowerAnalysis::step's order:
// the current crossing, the voltage crossing with the direction, then the pairing.
template <typename V>
[[gnu::always_inline]] inline void crossings(PowerState<V>& s, const PowerInputs<V>& inputs,
                                             double tPrev, const Tabela& next, V newU, V newI,
                                             LaneBits<V> riseU, LaneBits<V> riseI, V T) {
    using Ops = LaneOps<V>;
    using Bits = LaneBits<V>;
    const V t = splat<V>(tPrev);
    s.tI = Ops::select(riseI, t + T * s.prevI / (s.prevI - newI), s.tI);
    if (Ops::any(riseU)) {
        const V tCross = t + T * s.prevU / (s.prevU - newU);
        const Bits counted = riseU & Ops::lessEqual(V{}, s.tU);
        s.periodSum = Ops::select(counted, s.periodSum + (tCross - s.tU), s.periodSum);
        s.periodCount = Ops::select(counted, s.periodCount + splat<V>(1), s.periodCount);
        s.meanPeriod = Ops::select(counted, s.periodSum / s.periodCount, s.meanPeriod);
        s.tUprev = Ops::select(riseU, s.tU, s.tUprev);
        s.tU = Ops::select(riseU, tCross, s.tU);
        const Bits directed = riseU & s.withDirection;
        if (Ops::any(directed)) {
            std::array<V, 2> x;
            inputs.directionPair.pick(next, x);
            s.direction = Ops::select(directed, directionOf(x[0], x[1]), s.direction);
            s.directionSeen |= directed;
        }
    }
    const V tenMs = splat<V>(PowerAnalysis::kTenMs);
    const Bits paired =
        Ops::less(V{}, s.tI) & Ops::less(V{}, s.tUprev) & Ops::less(tenMs, s.meanPeriod);
    if (Ops::any(paired)) {
        const V delta = s.tI - s.tU;
        const V distance = absolute(delta);
        // A current crossing far from the voltage one belongs to the previous period.
        const V delay = Ops::select(Ops::less(tenMs, distance), s.meanPeriod - distance, delta);
        s.delaySum = Ops::select(paired, s.delaySum + delay, s.delaySum);
        s.delayCount = Ops::select(paired, s.delayCount + splat<V>(1), s.delayCount);
        s.tI = Ops::select(paired, splat<V>(-1), s.tI);
        s.tUprev = Ops::select(paired, splat<V>(-1), s.tUprev);
    }
}

// `count` steps onto the consecutive records next[0..count-1], the first from record `previous`.
template <typename V>
[[gnu::always_inline]] inline void steps(PowerState<V>& s, const PowerInputs<V>& inputs,
                                         const Tabela& previous, const Tabela* next, int count,
                                         V T) {
    double tPrev = previous.timeStamp;
    for (int i = 0; i < count; ++i) {
        std::array<V, 2> x;
        inputs.voltageAndCurrent.pick(next[i], x);
        const V newU = x[0] - s.meanU;
        const V newI = x[1] - s.meanI;
        const LaneBits<V> riseU = risesThroughZero(s.prevU, newU);
        const LaneBits<V> riseI = risesThroughZero(s.prevI, newI);
        if (LaneOps<V>::any(riseU | riseI)) {
            crossings(s, inputs, tPrev, next[i], newU, newI, riseU, riseI, T);
        }
        s.prevU = newU;
        s.prevI = newI;
        s.sumU2 = s.sumU2 + newU * newU;
        s.sumI2 = s.sumI2 + newI * newI;
        tPrev = next[i].timeStamp;
    }
}

// The lanes of group g: analysis g * width + l, the last analysis again where they run out.
template <typename V>
const PowerLanes::Analysis& analysisIn(std::span<const PowerLanes::Analysis> analyses,
                                       std::size_t g, std::size_t l) {
    return analyses[std::min(g * kLaneWidth<V> + l, analyses.size() - 1)];
}

template <typename V>
[[gnu::always_inline]] inline PowerInputs<V>
inputsOf(std::span<const PowerLanes::Analysis> analyses, std::size_t g) {
    constexpr std::size_t w = kLaneWidth<V>;
    std::array<int, 2 * w> voltageAndCurrent{};
    std::array<int, 2 * w> directionPair{};
    for (std::size_t l = 0; l < w; ++l) {
        const int m = analysisIn<V>(analyses, g, l).inputIndex;
        const bool directed = hasInputs(m, kDirectionSpan);
        voltageAndCurrent[l] = m;
        voltageAndCurrent[w + l] = m + 1;
        directionPair[l] = directed ? m + 2 : m;
        directionPair[w + l] = directed ? m + 4 : m;
    }
    return {InputLanes<V, 2>(voltageAndCurrent), InputLanes<V, 2>(directionPair)};
}

// The state of group g at the walk's first record.
template <typename V>
[[gnu::always_inline]] inline PowerState<V> startOf(std::span<const PowerLanes::Analysis> analyses,
                                                    std::size_t g, const PowerInputs<V>& inputs,
                                                    const Tabela& first) {
    PowerState<V> s;
    s.tI = s.tU = s.tUprev = splat<V>(-1);
    for (std::size_t l = 0; l < kLaneWidth<V>; ++l) {
        const PowerLanes::Analysis& a = analysisIn<V>(analyses, g, l);
        s.meanU[l] = a.meanU;
        s.meanI[l] = a.meanI;
        s.withDirection[l] = hasInputs(a.inputIndex, kDirectionSpan) ? -1 : 0;
    }
    std::array<V, 2> x;
    inputs.voltageAndCurrent.pick(first, x);
    s.prevU = x[0] - s.meanU;
    s.prevI = x[1] - s.meanI;
    return s;
}

template <typename V>
[[gnu::always_inline]] inline void storeSums(const PowerState<V>& s, std::size_t g,
                                             std::span<PowerSums> sums) {
    for (std::size_t l = 0; l < kLaneWidth<V> && g * kLaneWidth<V> + l < sums.size(); ++l) {
        PowerSums& out = sums[g * kLaneWidth<V> + l];
        out.tI = s.tI[l];
        out.tU = s.tU[l];
        out.tUprev = s.tUprev[l];
        out.meanPeriod = s.meanPeriod[l];
        out.periodCount = static_cast<int>(s.periodCount[l]);
        out.delaySum = s.delaySum[l];
        out.delayCount = static_cast<int>(s.delayCount[l]);
        out.sumU2 = s.sumU2[l];
        out.sumI2 = s.sumI2[l];
        out.directionSeen = s.directionSeen[l] != 0;
        out.direction = static_cast<float>(s.direction[l]);
    }
}

// Group by group, each over the whole walk: the states stay on this function's stack, where
// the vectors are aligned for the lanes' instructions.
template <typename V>
[[gnu::always_inline]] inline void walkWith(const TickView& tick,
                                            std::span<const PowerLanes::Analysis> analyses,
                                            std::span<PowerSums> sums) {
    const std::size_t groups = (analyses.size() + kLaneWidth<V> - 1) / kLaneWidth<V>;
    const int n = tick.recordCount();
    const V T = splat<V>(tick.samplePeriod);
    for (std::size_t g = 0; g < groups; ++g) {
        const PowerInputs<V> inputs = inputsOf<V>(analyses, g);
        PowerState<V> state = startOf<V>(analyses, g, inputs, tick.table.record(tick.currentIndex));
        // From the current record itself, the oldest of the ring, forward to the newest, in
        // runs that do not wrap.
        int before = tick.currentIndex;
        for (int done = 0; done < n - 1;) {
            const int first = tick.table.nextIndex(before);
            const int count = std::min(n - 1 - done, n - first);
            steps(state, inputs, tick.table.record(before), &tick.table.record(first), count, T);
            before = first + count - 1;
            done += count;
        }
        storeSums(state, g, sums);
    }
}

#ifdef KORVANTA_LANES_X86
KORVANTA_LANES8_TARGET void walkLanes8(const TickView& tick,
                                       std::span<const PowerLanes::Analysis> analyses,
                                       std::span<PowerSums> sums) {
    walkWith<Lanes8>(tick, analyses, sums);
}

KORVANTA_LANES4_TARGET void walkLanes4(const TickView& tick,
                                       std::span<const PowerLanes::Analysis> analyses,
                                       std::span<PowerSums> sums) {
    walkWith<Lanes4>(tick, analyses, sums);
}
#endif

} // namespace

PowerLanes::PowerLanes(std::span<const Analysis> analyses)
    : m_analyses(analyses.begin(), analyses.end()), m_sums(analyses.size()) {}

void PowerLanes::walk(const TickView& tick) {
    if (m_analyses.empty() || !walkable(tick)) {
        return;
    }
#ifdef KORVANTA_LANES_X86
    switch (laneWidth()) {
    case 8:
        walkLanes8(tick, m_analyses, m_sums);
        return;
    case 4:
        walkLanes4(tick, m_analyses, m_sums);
        return;
    }
#endif
    walkWith<Lanes2>(tick, m_analyses, m_sums);
}

} // namespace korvanta::monitor
