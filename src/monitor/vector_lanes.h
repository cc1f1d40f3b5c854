#pragma once
// Vectors of doubles for loops that advance several sums side by side: two lanes on every
// processor, four where the processor has AVX2. AVX2 has no fused multiply-add, so each lane
// rounds every operation exactly as the scalar code does.

#include <cstddef>
#include <cstdint>

#if defined(__GNUC__) && defined(__x86_64__)
#define KORVANTA_WIDE_LANES 1
#define KORVANTA_WIDE_TARGET __attribute__((target("avx2")))
#endif

namespace korvanta::monitor {

using NarrowLanes = double __attribute__((vector_size(2 * sizeof(double))));
using WideLanes = double __attribute__((vector_size(4 * sizeof(double))));

template <typename V> constexpr std::size_t kLaneWidth = sizeof(V) / sizeof(double);

// The same lanes as integers (for the sign bit) and as the floats of a record.
template <typename V> struct LaneCompanions;
template <> struct LaneCompanions<NarrowLanes> {
    using Bits = std::int64_t __attribute__((vector_size(sizeof(NarrowLanes))));
    using Floats = float __attribute__((vector_size(2 * sizeof(float))));
};
template <> struct LaneCompanions<WideLanes> {
    using Bits = std::int64_t __attribute__((vector_size(sizeof(WideLanes))));
    using Floats = float __attribute__((vector_size(4 * sizeof(float))));
};

// Set by a test to run the two-lane code on a processor that has the wide lanes too, so that
// both are checked against the scalar walks.
inline bool& narrowLanesForced() {
    static bool forced = false;
    return forced;
}

// True when the wide lanes can run here.
inline bool wideLanesAvailable() {
#ifdef KORVANTA_WIDE_LANES
    static const bool available = __builtin_cpu_supports("avx2");
    return available && !narrowLanesForced();
#else
    return false;
#endif
}

} // namespace korvanta::monitor
