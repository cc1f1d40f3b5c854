#pragma once
// Vectors of doubles for loops that advance several computations side by side, one in each lane:
// two lanes on every processor, four with AVX2, eight with AVX-512. Each lane rounds every
// operation exactly as the scalar code does. The functions that use the wider lanes are compiled
// with contraction off: AVX-512 brings fused multiply-add along, which would round a product and
// a sum once where the scalar code rounds twice.

#include "acquisition/tabela.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#define KORVANTA_LANES_X86 1
#define KORVANTA_LANES4_TARGET __attribute__((target("avx2"), optimize("fp-contract=off")))
#define KORVANTA_LANES8_TARGET                                                                     \
    __attribute__((target("avx512f,avx512dq,avx512bw,avx512vl"), optimize("fp-contract=off")))
#endif

namespace korvanta::monitor {

#define KORVANTA_LANES(type, count) type __attribute__((vector_size(count * sizeof(type))))

// The compiler aligns a vector type only as far as the instruction set of the code at hand
// allows: code without AVX allocates the eight-lane vectors 16-byte aligned, while the AVX-512
// code expects them 64-byte aligned. So the vectors live on the stack of the functions compiled
// for their lanes, and what stays in memory between walks is kept as plain doubles.
using Lanes2 = KORVANTA_LANES(double, 2);
using Lanes4 = KORVANTA_LANES(double, 4);
using Lanes8 = KORVANTA_LANES(double, 8);

template <typename V> constexpr std::size_t kLaneWidth = sizeof(V) / sizeof(double);

// The same lanes as integers (the results of comparisons, the sign bit) and as floats.
template <typename V> struct LaneCompanions;
template <> struct LaneCompanions<Lanes2> {
    using Bits = KORVANTA_LANES(std::int64_t, 2);
    using Floats = KORVANTA_LANES(float, 2);
};
template <> struct LaneCompanions<Lanes4> {
    using Bits = KORVANTA_LANES(std::int64_t, 4);
    using Floats = KORVANTA_LANES(float, 4);
};
template <> struct LaneCompanions<Lanes8> {
    using Bits = KORVANTA_LANES(std::int64_t, 8);
    using Floats = KORVANTA_LANES(float, 8);
};
template <typename V> using LaneBits = typename LaneCompanions<V>::Bits;

// The widest lanes the walks may use; a test lowers it to check the narrower code on a processor
// that has the wider lanes too.
inline int& laneWidthLimit() {
    static int limit = 8;
    return limit;
}

// The widest lanes this processor runs, no wider than laneWidthLimit(): 8, 4 or 2.
inline int laneWidth() {
#ifdef KORVANTA_LANES_X86
    static const bool eight =
        __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq") &&
        __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vl");
    static const bool four = __builtin_cpu_supports("avx2");
    if (eight && laneWidthLimit() >= 8) {
        return 8;
    }
    if (four && laneWidthLimit() >= 4) {
        return 4;
    }
#endif
    return 2;
}

// The helpers below take and return vectors by value. Code compiled without AVX passes the wider
// vectors differently from code compiled with it, so every such helper is either always inlined
// into the function compiled for its lanes or compiled for those lanes itself: no vector crosses
// a call between the two, and the warning about the difference does not apply.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"

template <typename V> [[gnu::always_inline]] inline V splat(double x) {
    return V{} + x;
}

// |x| of every lane.
template <typename V> [[gnu::always_inline]] inline V absolute(V x) {
    using Bits = LaneBits<V>;
    return reinterpret_cast<V>(reinterpret_cast<Bits>(x) & (Bits{} + INT64_MAX));
}

// Comparisons and choices lane by lane, a comparison giving all ones in a lane where it holds.
// larger(a, b) is std::max(a, b): b where a < b, else a.
template <typename V> struct LaneOps {
    using Bits = LaneBits<V>;

    [[gnu::always_inline]] static Bits less(V a, V b) { return a < b; }
    [[gnu::always_inline]] static Bits lessEqual(V a, V b) { return a <= b; }
    [[gnu::always_inline]] static V select(Bits where, V a, V b) { return where ? a : b; }
    [[gnu::always_inline]] static V larger(V a, V b) { return a < b ? b : a; }
    [[gnu::always_inline]] static V smaller(V a, V b) { return b < a ? b : a; }
    // Lane l: lane index[l] of a, or lane index[l] - width of b.
    [[gnu::always_inline]] static V permute(V a, V b, Bits index) {
        V out{};
        for (std::size_t l = 0; l < kLaneWidth<V>; ++l) {
            const auto i = static_cast<std::size_t>(index[l]);
            out[l] = i < kLaneWidth<V> ? a[i] : b[i - kLaneWidth<V>];
        }
        return out;
    }
    [[gnu::always_inline]] static bool any(Bits set) {
        std::int64_t any = 0;
        for (std::size_t l = 0; l < kLaneWidth<V>; ++l) {
            any |= set[l];
        }
        return any != 0;
    }
};

#ifdef KORVANTA_LANES_X86
// The eight-lane ones compiled for AVX-512 here: written in code compiled without it, a
// comparison comes out as integers that the AVX-512 code then takes apart lane by lane.
template <> struct LaneOps<Lanes8> {
    using Bits = LaneBits<Lanes8>;

    KORVANTA_LANES8_TARGET static Bits less(Lanes8 a, Lanes8 b) { return a < b; }
    KORVANTA_LANES8_TARGET static Bits lessEqual(Lanes8 a, Lanes8 b) { return a <= b; }
    KORVANTA_LANES8_TARGET static Lanes8 select(Bits where, Lanes8 a, Lanes8 b) {
        return where ? a : b;
    }
    KORVANTA_LANES8_TARGET static Lanes8 larger(Lanes8 a, Lanes8 b) { return a < b ? b : a; }
    KORVANTA_LANES8_TARGET static Lanes8 smaller(Lanes8 a, Lanes8 b) { return b < a ? b : a; }
    KORVANTA_LANES8_TARGET static Lanes8 permute(Lanes8 a, Lanes8 b, Bits index) {
        return reinterpret_cast<Lanes8>(_mm512_permutex2var_pd(reinterpret_cast<__m512d>(a),
                                                               reinterpret_cast<__m512i>(index),
                                                               reinterpret_cast<__m512d>(b)));
    }
    KORVANTA_LANES8_TARGET static bool any(Bits set) {
        return _mm512_test_epi64_mask(reinterpret_cast<__m512i>(set),
                                      reinterpret_cast<__m512i>(set)) != 0;
    }
};
#endif

// The inputs of a record picked into the lanes of kVectors vectors: lane l of vector h takes the
// input whose 0-based index is inputs[h * width + l].
template <typename V, std::size_t kVectors> class InputLanes {
public:
    static constexpr std::size_t kLanes = kVectors * kLaneWidth<V>;

    explicit InputLanes(std::span<const int, kLanes> inputs) {
        std::copy(inputs.begin(), inputs.end(), m_inputs.begin());
    }

    [[gnu::always_inline]] void pick(const acquisition::Tabela& record,
                                     std::array<V, kVectors>& out) const {
        for (std::size_t h = 0; h < kVectors; ++h) {
            for (std::size_t l = 0; l < kLaneWidth<V>; ++l) {
                out[h][l] = record.values[m_inputs[h * kLaneWidth<V> + l]];
            }
        }
    }

private:
    std::array<int, kLanes> m_inputs{};
};

#ifdef KORVANTA_LANES_X86
// Eight lanes take the inputs of two vectors at a time with one permute of the record's 32 floats,
// instead of sixteen loads one by one.
template <std::size_t kVectors> class InputLanes<Lanes8, kVectors> {
public:
    static constexpr std::size_t kLanes = kVectors * 8;

    explicit InputLanes(std::span<const int, kLanes> inputs) {
        for (std::size_t l = 0; l < kLanes; ++l) {
            m_permutes[l / 16][l % 16] = inputs[l];
        }
    }

    KORVANTA_LANES8_TARGET void pick(const acquisition::Tabela& record,
                                     std::array<Lanes8, kVectors>& out) const {
        const __m512 low = _mm512_loadu_ps(record.values);
        const __m512 high = _mm512_loadu_ps(record.values + 16);
        for (std::size_t p = 0; p < kPairs; ++p) {
            const __m512 picked =
                _mm512_permutex2var_ps(low, reinterpret_cast<__m512i>(m_permutes[p]), high);
            out[2 * p] = reinterpret_cast<Lanes8>(
                _mm512_maskz_cvtps_pd(0xFF, _mm512_maskz_extractf32x8_ps(0xFF, picked, 0)));
            if (2 * p + 1 < kVectors) {
                out[2 * p + 1] = reinterpret_cast<Lanes8>(
                    _mm512_maskz_cvtps_pd(0xFF, _mm512_maskz_extractf32x8_ps(0xFF, picked, 1)));
            }
        }
    }

private:
    using Indexes = KORVANTA_LANES(std::int32_t, 16);
    static constexpr std::size_t kPairs = (kVectors + 1) / 2;

    std::array<Indexes, kPairs> m_permutes{};
};
#endif

// Eight, four or two consecutive floats widened to doubles.
template <typename V> [[gnu::always_inline]] inline V widen(const float* p) {
    typename LaneCompanions<V>::Floats f;
    std::memcpy(&f, p, sizeof f);
    return __builtin_convertvector(f, V);
}

#ifdef KORVANTA_LANES_X86
template <> KORVANTA_LANES8_TARGET inline Lanes8 widen<Lanes8>(const float* p) {
    return reinterpret_cast<Lanes8>(_mm512_maskz_cvtps_pd(0xFF, _mm256_loadu_ps(p)));
}
#endif

#pragma GCC diagnostic pop

} // namespace korvanta::monitor
