#include "monitor/vibration_lanes.h"

#include "acquisition/tabela.h"
#include "common/day_time.h"
#include "monitor/backward_walk.h"
#include "monitor/vector_lanes.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace korvanta::monitor {

// The lane helpers of this file pass vectors by value, always inlined into functions compiled
// for their lanes; see vector_lanes.h.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace {

using acquisition::Tabela;
using acquisition::TickView;
using Integral = VibrationLanes::Integral;
using Lane = VibrationLanes::Lane;
using Segment = VibrationLanes::Segment;
using Group = VibrationLanes::Group;

constexpr std::int64_t kPeakMargin = 200;   // visits kept out of the peak at each end
constexpr std::size_t kIntegralVectors = 2; // integrals a group takes its computations from
constexpr std::size_t kLaneVectors = 4;     // vectors of computations walked together

template <typename V> constexpr std::size_t kSegmentWidth = std::min<std::size_t>(4, kLaneWidth<V>);
template <typename V> constexpr std::size_t kSegmentsPerVector = kLaneWidth<V> / kSegmentWidth<V>;

std::size_t segmentWidth(int width) {
    return std::min<std::size_t>(4, static_cast<std::size_t>(width));
}

// The integrals leaving the rings of one vector's segments, one row of each: eight lanes from
// the rows of two segments of four.
template <typename V>
[[gnu::always_inline]] inline V loadRows(const std::array<double*, kSegmentsPerVector<V>>& rows) {
    if constexpr (kSegmentsPerVector<V> == 1) {
        V v;
        std::memcpy(&v, rows[0], sizeof v);
        return v;
    } else {
        Lanes4 low;
        Lanes4 high;
        std::memcpy(&low, rows[0], sizeof low);
        std::memcpy(&high, rows[1], sizeof high);
        return __builtin_shufflevector(low, high, 0, 1, 2, 3, 4, 5, 6, 7);
    }
}

template <typename V>
[[gnu::always_inline]] inline void
storeRows(V v, const std::array<double*, kSegmentsPerVector<V>>& rows) {
    if constexpr (kSegmentsPerVector<V> == 1) {
        std::memcpy(rows[0], &v, sizeof v);
    } else {
        const Lanes4 low = __builtin_shufflevector(v, v, 0, 1, 2, 3);
        const Lanes4 high = __builtin_shufflevector(v, v, 4, 5, 6, 7);
        std::memcpy(rows[0], &low, sizeof low);
        std::memcpy(rows[1], &high, sizeof high);
    }
}

// One field of consecutive lanes as vectors, and back.
template <typename V, std::size_t kVectors, typename Item>
[[gnu::always_inline]] inline std::array<V, kVectors> loadField(std::span<Item> items,
                                                                double Item::*field) {
    std::array<double, kVectors * kLaneWidth<V>> values;
    for (std::size_t l = 0; l < values.size(); ++l) {
        values[l] = items[l].*field;
    }
    std::array<V, kVectors> vectors;
    static_assert(sizeof vectors == sizeof values);
    std::memcpy(vectors.data(), values.data(), sizeof vectors);
    return vectors;
}

template <typename V, std::size_t kVectors, typename Item>
[[gnu::always_inline]] inline void saveField(const std::array<V, kVectors>& vectors,
                                             std::span<Item> items, double Item::*field) {
    std::array<double, kVectors * kLaneWidth<V>> values;
    std::memcpy(values.data(), vectors.data(), sizeof vectors);
    for (std::size_t l = 0; l < values.size(); ++l) {
        items[l].*field = values[l];
    }
}

// One group in registers over a stretch of the walk: kIntegrals vectors of integrals and kLanes
// vectors of computations.
template <typename V, std::size_t kIntegrals, std::size_t kLanes> class VibrationGroup {
public:
    static constexpr std::size_t w = kLaneWidth<V>;
    static constexpr std::size_t sw = kSegmentWidth<V>;
    static constexpr std::size_t spv = kSegmentsPerVector<V>;
    static constexpr std::size_t kSegments = kLanes * spv;
    using Bits = LaneBits<V>;
    using Ops = LaneOps<V>;

    [[gnu::always_inline]] VibrationGroup(std::span<Integral> integrals, std::span<Lane> lanes,
                                          std::span<Segment> segments, double* rings,
                                          double samplePeriod)
        : m_integrals(integrals), m_lanes(lanes), m_segments(segments),
          m_inputs(inputsOf(integrals)), m_T(splat<V>(samplePeriod)),
          m_mean(loadField<V, kIntegrals>(integrals, &Integral::mean)),
          m_running(loadField<V, kIntegrals>(integrals, &Integral::running)),
          m_largest(loadField<V, kIntegrals>(integrals, &Integral::largest)),
          m_sumOfSquares(loadField<V, kIntegrals>(integrals, &Integral::sumOfSquares)),
          m_window(loadField<V, kLanes>(lanes, &Lane::window)),
          m_start(loadField<V, kLanes>(lanes, &Lane::start)),
          m_ringSum(loadField<V, kLanes>(lanes, &Lane::ringSum)),
          m_sumE2(loadField<V, kLanes>(lanes, &Lane::sumE2)),
          m_peak(loadField<V, kLanes>(lanes, &Lane::peak)) {
        for (std::size_t l = 0; l < kLanes * w; ++l) {
            m_source[l / w][l % w] = lanes[l].source;
        }
        for (std::size_t s = 0; s < kSegments; ++s) {
            const Segment& segment = segments[s];
            m_begin[s] = rings + segment.offset;
            m_end[s] = m_begin[s] + static_cast<std::size_t>(segment.window) * sw;
            row(s) = m_begin[s] + static_cast<std::size_t>(segment.row) * sw;
        }
    }

    // The first walk over the records record, record - 1, ..., record - length + 1.
    [[gnu::always_inline]] void sumRings(const Tabela* record, int length) {
        for (int v = 0; v < length; ++v, --record) {
            const std::array<V, kIntegrals> d = integrate(*record);
            for (std::size_t h = 0; h < kIntegrals; ++h) {
                m_largest[h] = Ops::larger(m_largest[h], d[h]);
                m_sumOfSquares[h] = m_sumOfSquares[h] + d[h] * d[h];
            }
            advanceRings();
        }
    }

    // The second walk over the same records from visit number `visit`; kPeak in the middle of
    // the buffer.
    template <bool kPeak>
    [[gnu::always_inline]] void sweep(const Tabela* record, int length, std::int64_t visit) {
        if (length > 0 && visit == 0) {
            sweepStep<kPeak, true>(*record, 0);
            ++visit;
            --length;
            --record;
        }
        for (int v = 0; v < length; ++v, --record) {
            sweepStep<kPeak, false>(*record, visit + v);
        }
    }

    [[gnu::always_inline]] void store() const {
        saveField<V, kIntegrals>(m_running, m_integrals, &Integral::running);
        saveField<V, kIntegrals>(m_largest, m_integrals, &Integral::largest);
        saveField<V, kIntegrals>(m_sumOfSquares, m_integrals, &Integral::sumOfSquares);
        saveField<V, kLanes>(m_ringSum, m_lanes, &Lane::ringSum);
        saveField<V, kLanes>(m_sumE2, m_lanes, &Lane::sumE2);
        saveField<V, kLanes>(m_peak, m_lanes, &Lane::peak);
        for (std::size_t s = 0; s < kSegments; ++s) {
            m_segments[s].row = static_cast<int>((m_rows[s / spv][s % spv] - m_begin[s]) / sw);
        }
    }

private:
    static InputLanes<V, kIntegrals> inputsOf(std::span<const Integral> integrals) {
        std::array<int, kIntegrals * w> inputs{};
        for (std::size_t l = 0; l < inputs.size(); ++l) {
            inputs[l] = integrals[l].input;
        }
        return InputLanes<V, kIntegrals>(inputs);
    }

    double*& row(std::size_t segment) { return m_rows[segment / spv][segment % spv]; }

    // The deviations of the record's inputs from their means, added to the running integrals
    // (deviation × T in seconds).
    [[gnu::always_inline]] std::array<V, kIntegrals> integrate(const Tabela& record) {
        std::array<V, kIntegrals> x;
        m_inputs.pick(record, x);
        std::array<V, kIntegrals> d;
        for (std::size_t h = 0; h < kIntegrals; ++h) {
            d[h] = x[h] - m_mean[h];
            m_running[h] = m_running[h] + d[h] * m_T * splat<V>(common::kSecondsPerDay);
        }
        return d;
    }

    // The integral of each computation's input.
    [[gnu::always_inline]] V integralOf(std::size_t h) const {
        return Ops::permute(m_running[0], m_running[kIntegrals - 1], m_source[h]);
    }

    // Each ring takes the new integral in place of the one `window` visits back, and the ring
    // sums follow. Before a ring fills, the integrals it drops are its initial zeros.
    [[gnu::always_inline]] std::array<V, kLanes> advanceRings() {
        std::array<V, kLanes> now;
        for (std::size_t h = 0; h < kLanes; ++h) {
            now[h] = integralOf(h);
            const V dropped = loadRows<V>(m_rows[h]);
            storeRows<V>(now[h], m_rows[h]);
            m_ringSum[h] = m_ringSum[h] + (now[h] - dropped);
        }
        for (std::size_t s = 0; s < kSegments; ++s) {
            row(s) += sw;
            if (row(s) == m_end[s]) {
                row(s) = m_begin[s];
            }
        }
        return now;
    }

    template <bool kPeak, bool kFirst>
    [[gnu::always_inline]] void sweepStep(const Tabela& record, std::int64_t visit) {
        integrate(record);
        const std::array<V, kLanes> now = advanceRings();
        // The ring holds visit + 1 integrals until it is full.
        const V filled = splat<V>(static_cast<double>(visit + 1));
        for (std::size_t h = 0; h < kLanes; ++h) {
            const V average =
                kFirst ? m_start[h] : m_ringSum[h] / Ops::smaller(filled, m_window[h]);
            const V e = now[h] - average;
            m_sumE2[h] = m_sumE2[h] + e * e;
            if constexpr (kPeak) {
                m_peak[h] = Ops::larger(m_peak[h], absolute(e));
            }
        }
    }

    std::span<Integral> m_integrals;
    std::span<Lane> m_lanes;
    std::span<Segment> m_segments;
    InputLanes<V, kIntegrals> m_inputs;
    V m_T;
    std::array<V, kIntegrals> m_mean;
    std::array<V, kIntegrals> m_running;
    std::array<V, kIntegrals> m_largest;
    std::array<V, kIntegrals> m_sumOfSquares;
    std::array<V, kLanes> m_window;
    std::array<V, kLanes> m_start;
    std::array<V, kLanes> m_ringSum;
    std::array<V, kLanes> m_sumE2;
    std::array<V, kLanes> m_peak;
    std::array<Bits, kLanes> m_source{};
    std::array<std::array<double*, spv>, kLanes> m_rows{};
    std::array<double*, kSegments> m_begin{};
    std::array<double*, kSegments> m_end{};
};

// The visits of the run first, first - 1, ... from visit `visit` that count for the peak: away
// from the buffer's ends and from the records 0, 1 and N - 1, where the walk wraps.
std::pair<std::int64_t, std::int64_t> middleOfRun(int n, int first, std::int64_t visit,
                                                  int length) {
    const std::int64_t end = visit + length;
    const std::int64_t low = std::clamp<std::int64_t>(
        std::max<std::int64_t>(kPeakMargin + 1, visit + first - (n - 2)), visit, end);
    const std::int64_t high = std::clamp<std::int64_t>(
        std::min<std::int64_t>(n - kPeakMargin, visit + first - 1), low, end);
    return {low, high};
}

enum class Walk { RingSums, Sweep };

// What a walk works on: every group's integrals, computations and rings.
struct Layout {
    std::span<Integral> integrals;
    std::span<Lane> lanes;
    std::span<Segment> segments;
    double* rings;
};

template <typename V, std::size_t kIntegrals, std::size_t kLanes, Walk kWalk>
[[gnu::always_inline]] inline void walkGroup(const TickView& tick, const Layout& layout,
                                             const Group& g, std::int64_t from, std::int64_t to) {
    constexpr std::size_t w = kLaneWidth<V>;
    VibrationGroup<V, kIntegrals, kLanes> group(
        layout.integrals.subspan(g.firstIntegral, kIntegrals * w),
        layout.lanes.subspan(g.firstLane, kLanes * w),
        layout.segments.subspan(g.firstSegment, kLanes * kSegmentsPerVector<V>), layout.rings,
        tick.samplePeriod);
    BackwardRuns runs(tick, from, to);
    int first = 0;
    int length = 0;
    std::int64_t visit = from;
    while (runs.next(first, length)) {
        const Tabela* top = &tick.table.record(first);
        if constexpr (kWalk == Walk::RingSums) {
            group.sumRings(top, length);
        } else {
            const auto [low, high] = middleOfRun(tick.recordCount(), first, visit, length);
            group.template sweep<false>(top, static_cast<int>(low - visit), visit);
            group.template sweep<true>(top - (low - visit), static_cast<int>(high - low), low);
            group.template sweep<false>(top - (high - visit),
                                        static_cast<int>(visit + length - high), high);
        }
        visit += length;
    }
    group.store();
}

template <typename V, std::size_t kIntegrals, Walk kWalk>
[[gnu::always_inline]] inline void walkGroupOf(const TickView& tick, const Layout& layout,
                                               const Group& g, std::int64_t from, std::int64_t to) {
    switch (g.laneVectors) {
    case 1:
        walkGroup<V, kIntegrals, 1, kWalk>(tick, layout, g, from, to);
        break;
    case 2:
        walkGroup<V, kIntegrals, 2, kWalk>(tick, layout, g, from, to);
        break;
    case 3:
        walkGroup<V, kIntegrals, 3, kWalk>(tick, layout, g, from, to);
        break;
    default:
        walkGroup<V, kIntegrals, kLaneVectors, kWalk>(tick, layout, g, from, to);
    }
}

template <typename V, Walk kWalk>
[[gnu::always_inline]] inline void walkWith(const TickView& tick, const Layout& layout,
                                            std::span<const Group> groups, std::int64_t from,
                                            std::int64_t to) {
    for (const Group& g : groups) {
        if (g.integralVectors == 1) {
            walkGroupOf<V, 1, kWalk>(tick, layout, g, from, to);
        } else {
            walkGroupOf<V, kIntegralVectors, kWalk>(tick, layout, g, from, to);
        }
    }
}

#ifdef KORVANTA_LANES_X86
template <Walk kWalk>
KORVANTA_LANES8_TARGET void walkLanes8(const TickView& tick, const Layout& layout,
                                       std::span<const Group> groups, std::int64_t from,
                                       std::int64_t to) {
    walkWith<Lanes8, kWalk>(tick, layout, groups, from, to);
}

template <Walk kWalk>
KORVANTA_LANES4_TARGET void walkLanes4(const TickView& tick, const Layout& layout,
                                       std::span<const Group> groups, std::int64_t from,
                                       std::int64_t to) {
    walkWith<Lanes4, kWalk>(tick, layout, groups, from, to);
}
#endif

template <Walk kWalk>
void walkLanes(int width, const TickView& tick, const Layout& layout, std::span<const Group> groups,
               std::int64_t from, std::int64_t to) {
    if (groups.empty() || !walkable(tick)) {
        return;
    }
#ifdef KORVANTA_LANES_X86
    switch (width) {
    case 8:
        walkLanes8<kWalk>(tick, layout, groups, from, to);
        return;
    case 4:
        walkLanes4<kWalk>(tick, layout, groups, from, to);
        return;
    }
#endif
    walkWith<Lanes2, kWalk>(tick, layout, groups, from, to);
}

} // namespace

VibrationLanes::VibrationLanes(std::span<const Computation> computations)
    : m_width(laneWidth()), m_laneOf(computations.size()), m_integralOf(computations.size()),
      m_endAverage(computations.size()) {
    // The integrals in the order they first come, so many at a time as a group's integrals hold.
    std::vector<Integral> integrals;
    const auto sameIntegral = [](const Integral& a, const Computation& b) {
        return a.input == b.input && a.mean == b.mean;
    };
    for (const Computation& c : computations) {
        if (std::none_of(integrals.begin(), integrals.end(),
                         [&](const Integral& i) { return sameIntegral(i, c); })) {
            integrals.push_back({c.input, c.mean});
        }
    }
    const std::size_t perGroup = kIntegralVectors * static_cast<std::size_t>(m_width);
    for (std::size_t first = 0; first < integrals.size(); first += perGroup) {
        const std::span<const Integral> chunk = std::span<const Integral>(integrals).subspan(
            first, std::min(perGroup, integrals.size() - first));
        std::vector<std::size_t> chosen;
        for (std::size_t c = 0; c < computations.size(); ++c) {
            if (std::any_of(chunk.begin(), chunk.end(),
                            [&](const Integral& i) { return sameIntegral(i, computations[c]); })) {
                chosen.push_back(c);
            }
        }
        addGroups(computations, chosen, chunk);
    }
}

// The groups of the computations `chosen`, whose integrals are `integrals`.
void VibrationLanes::addGroups(std::span<const Computation> computations,
                               std::span<const std::size_t> chosen,
                               std::span<const Integral> integrals) {
    const auto w = static_cast<std::size_t>(m_width);
    const std::size_t sw = segmentWidth(m_width);
    const auto sourceOf = [&](std::size_t c) {
        const auto i = std::find_if(integrals.begin(), integrals.end(), [&](const Integral& i) {
            return i.input == computations[c].input && i.mean == computations[c].mean;
        });
        return static_cast<int>(i - integrals.begin());
    };
    // The computations by window, in segments of one window filled up with copies of their
    // last computation, and the last vector filled up with copies of its last segment.
    std::vector<std::size_t> byWindow(chosen.begin(), chosen.end());
    std::stable_sort(byWindow.begin(), byWindow.end(), [&](std::size_t a, std::size_t b) {
        return computations[a].window < computations[b].window;
    });
    std::vector<Lane> lanes;
    std::vector<int> windows; // of the segments
    std::vector<std::size_t> slotOf(computations.size());
    for (std::size_t i = 0; i < byWindow.size();) {
        const int window = computations[byWindow[i]].window;
        windows.push_back(window);
        for (std::size_t l = 0; l < sw; ++l) {
            if (i < byWindow.size() && computations[byWindow[i]].window == window) {
                slotOf[byWindow[i]] = lanes.size();
                ++i;
            }
            const std::size_t c = byWindow[i - 1];
            lanes.push_back({sourceOf(c), static_cast<double>(window)});
        }
    }
    while (lanes.size() % w != 0) {
        windows.push_back(windows.back());
        for (std::size_t l = 0; l < sw; ++l) {
            lanes.push_back(lanes[lanes.size() - sw]);
        }
    }
    // Groups of up to kLaneVectors vectors of computations, each with its own copy of the
    // integrals.
    const std::size_t integralVectors = (integrals.size() + w - 1) / w;
    const std::size_t vectors = lanes.size() / w;
    for (std::size_t v = 0; v < vectors; v += kLaneVectors) {
        const std::size_t count = std::min(kLaneVectors, vectors - v);
        const Group group{m_integrals.size(), integralVectors, m_lanes.size(), count,
                          m_segments.size()};
        for (std::size_t l = 0; l < integralVectors * w; ++l) {
            m_integrals.push_back(integrals[std::min(l, integrals.size() - 1)]);
        }
        for (std::size_t s = v * w / sw; s < (v + count) * w / sw; ++s) {
            m_segments.push_back({m_rings.size(), windows[s], 0});
            m_rings.resize(m_rings.size() + static_cast<std::size_t>(windows[s]) * sw);
        }
        m_lanes.insert(m_lanes.end(), lanes.begin() + static_cast<std::ptrdiff_t>(v * w),
                       lanes.begin() + static_cast<std::ptrdiff_t>((v + count) * w));
        for (const std::size_t c : chosen) {
            if (slotOf[c] / w >= v && slotOf[c] / w < v + count) {
                m_laneOf[c] = group.firstLane + slotOf[c] - v * w;
                m_integralOf[c] = group.firstIntegral + static_cast<std::size_t>(sourceOf(c));
            }
        }
        m_groups.push_back(group);
    }
}

void VibrationLanes::restart() {
    for (Integral& integral : m_integrals) {
        integral.running = 0;
    }
    for (Lane& lane : m_lanes) {
        lane.ringSum = 0;
    }
    for (Segment& segment : m_segments) {
        segment.row = 0;
    }
    std::fill(m_rings.begin(), m_rings.end(), 0.0);
}

void VibrationLanes::sumRings(const TickView& tick, std::int64_t from, std::int64_t to) {
    if (from == 0) {
        restart();
    }
    walkLanes<Walk::RingSums>(m_width, tick, {m_integrals, m_lanes, m_segments, m_rings.data()},
                              m_groups, from, to);
}

void VibrationLanes::chainAverages(double carry, int n) {
    for (std::size_t c = 0; c < m_laneOf.size(); ++c) {
        Lane& lane = m_lanes[m_laneOf[c]];
        lane.start = carry;
        if (n >= 2) {
            const double walked = n;
            carry = lane.ringSum / (walked < lane.window ? walked : lane.window);
        }
        m_endAverage[c] = carry;
    }
}

void VibrationLanes::sweep(const TickView& tick, std::int64_t from, std::int64_t to) {
    if (from == 0) {
        restart();
    }
    walkLanes<Walk::Sweep>(m_width, tick, {m_integrals, m_lanes, m_segments, m_rings.data()},
                           m_groups, from, to);
}

VibrationSums VibrationLanes::sums(std::size_t computation) const {
    const Integral& integral = m_integrals[m_integralOf[computation]];
    const Lane& lane = m_lanes[m_laneOf[computation]];
    return {{integral.largest, integral.sumOfSquares},
            lane.sumE2,
            lane.peak,
            m_endAverage[computation]};
}

} // namespace korvanta::monitor
