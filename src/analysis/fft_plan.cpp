#include "analysis/fft_plan.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>

// The hot loops get an AVX2 version beside the baseline one, chosen when the program starts.
// AVX2 alone brings no fused multiply-add (that is the separate FMA extension), so both versions
// round every product and sum as the stage loops do.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define KORVANTA_WIDE_VECTORS __attribute__((target_clones("avx2", "default")))
#else
#define KORVANTA_WIDE_VECTORS
#endif

namespace korvanta::analysis {

namespace {

// A block of at most this many points (64 KiB of values) runs all its remaining stages before
// the next block starts, so those stages find their data in the cache.
constexpr std::size_t kCacheBlock = std::size_t{1} << 12;

// Tiles of the reordering: 2^kTileBits by 2^kTileBits values.
constexpr int kTileBits = 4;
constexpr std::size_t kTileSize = std::size_t{1} << kTileBits;

// The two halves of a block, or the four quarters of a block of two stages.
struct Part {
    double* __restrict re;
    double* __restrict im;
};

// One block of the stage of half length h: butterfly j pairs point j of the first half with
// point j of the second and takes twiddle u_j.
inline void stageBlock(Part p0, Part p1, std::size_t h, const double* __restrict wr,
                       const double* __restrict wi) {
    for (std::size_t j = 0; j < h; ++j) {
        const double ar = p0.re[j];
        const double ai = p0.im[j];
        const double br = p1.re[j];
        const double bi = p1.im[j];
        p0.re[j] = ar + br;
        p0.im[j] = ai + bi;
        const double tr = ar - br;
        const double ti = ai - bi;
        p1.re[j] = tr * wr[j] - ti * wi[j];
        p1.im[j] = ti * wr[j] + tr * wi[j];
    }
}

// The stage of half length h over `length` points, blocks of 2h one after the other.
KORVANTA_WIDE_VECTORS void stage(double* re, double* im, std::size_t length, std::size_t h,
                                 const double* wr, const double* wi) {
    for (std::size_t b = 0; b < length; b += 2 * h) {
        stageBlock({re + b, im + b}, {re + b + h, im + b + h}, h, wr, wi);
    }
}

// One block of the stages of half length 2h and h together: butterfly j pairs points j, j + 2h
// and j + h, j + 3h with twiddles W_j and W_(j+h) of the first stage, then the results j, j + h
// and j + 2h, j + 3h with twiddle V_j of the second.
inline void twoStagesBlock(Part p0, Part p1, Part p2, Part p3, std::size_t h,
                           const double* __restrict wr, const double* __restrict wi,
                           const double* __restrict vr, const double* __restrict vi) {
    for (std::size_t j = 0; j < h; ++j) {
        const double t0r = p0.re[j] - p2.re[j];
        const double t0i = p0.im[j] - p2.im[j];
        const double y0r = p0.re[j] + p2.re[j];
        const double y0i = p0.im[j] + p2.im[j];
        const double y2r = t0r * wr[j] - t0i * wi[j];
        const double y2i = t0i * wr[j] + t0r * wi[j];
        const double t1r = p1.re[j] - p3.re[j];
        const double t1i = p1.im[j] - p3.im[j];
        const double y1r = p1.re[j] + p3.re[j];
        const double y1i = p1.im[j] + p3.im[j];
        const double y3r = t1r * wr[j + h] - t1i * wi[j + h];
        const double y3i = t1i * wr[j + h] + t1r * wi[j + h];
        p0.re[j] = y0r + y1r;
        p0.im[j] = y0i + y1i;
        const double s0r = y0r - y1r;
        const double s0i = y0i - y1i;
        p1.re[j] = s0r * vr[j] - s0i * vi[j];
        p1.im[j] = s0i * vr[j] + s0r * vi[j];
        p2.re[j] = y2r + y3r;
        p2.im[j] = y2i + y3i;
        const double s1r = y2r - y3r;
        const double s1i = y2i - y3i;
        p3.re[j] = s1r * vr[j] - s1i * vi[j];
        p3.im[j] = s1i * vr[j] + s1r * vi[j];
    }
}

KORVANTA_WIDE_VECTORS void twoStages(double* re, double* im, std::size_t length, std::size_t h,
                                     const double* wr, const double* wi, const double* vr,
                                     const double* vi) {
    for (std::size_t b = 0; b < length; b += 4 * h) {
        twoStagesBlock({re + b, im + b}, {re + b + h, im + b + h}, {re + b + 2 * h, im + b + 2 * h},
                       {re + b + 3 * h, im + b + 3 * h}, h, wr, wi, vr, vi);
    }
}

// The stages of half length 2 and 1 together, four points at a time: u0, u1 the twiddles of
// the first, v the one of the second.
KORVANTA_WIDE_VECTORS void lastTwoStages(double* re, double* im, std::size_t length,
                                         const double* wr, const double* wi) {
    const double u0r = wr[2];
    const double u0i = wi[2];
    const double u1r = wr[3];
    const double u1i = wi[3];
    const double vr = wr[1];
    const double vi = wi[1];
    for (std::size_t b = 0; b < length; b += 4) {
        double* r = re + b;
        double* i = im + b;
        const double y0r = r[0] + r[2];
        const double y0i = i[0] + i[2];
        const double t0r = r[0] - r[2];
        const double t0i = i[0] - i[2];
        const double y2r = t0r * u0r - t0i * u0i;
        const double y2i = t0i * u0r + t0r * u0i;
        const double y1r = r[1] + r[3];
        const double y1i = i[1] + i[3];
        const double t1r = r[1] - r[3];
        const double t1i = i[1] - i[3];
        const double y3r = t1r * u1r - t1i * u1i;
        const double y3i = t1i * u1r + t1r * u1i;
        r[0] = y0r + y1r;
        i[0] = y0i + y1i;
        const double s0r = y0r - y1r;
        const double s0i = y0i - y1i;
        r[1] = s0r * vr - s0i * vi;
        i[1] = s0i * vr + s0r * vi;
        r[2] = y2r + y3r;
        i[2] = y2i + y3i;
        const double s1r = y2r - y3r;
        const double s1i = y2i - y3i;
        r[3] = s1r * vr - s1i * vi;
        i[3] = s1i * vr + s1r * vi;
    }
}

KORVANTA_WIDE_VECTORS void divide(double* __restrict re, double* __restrict im, std::size_t count,
                                  double divisor) {
    for (std::size_t c = 0; c < count; ++c) {
        re[c] = re[c] / divisor;
        im[c] = im[c] / divisor;
    }
}

KORVANTA_WIDE_VECTORS void multiply(double* __restrict re, double* __restrict im, std::size_t count,
                                    double factor) {
    for (std::size_t c = 0; c < count; ++c) {
        re[c] = re[c] * factor;
        im[c] = im[c] * factor;
    }
}

KORVANTA_WIDE_VECTORS void magnitudesOf(const double* __restrict re, const double* __restrict im,
                                        double* __restrict mag, std::size_t count) {
    for (std::size_t k = 0; k < count; ++k) {
        mag[k] = std::sqrt(re[k] * re[k] + im[k] * im[k]);
    }
}

// The bit reversals of all indices of `bits` bits.
std::vector<std::uint32_t> reversedIndices(int bits) {
    std::vector<std::uint32_t> reversed(std::size_t{1} << bits, 0);
    for (std::size_t i = 1; i < reversed.size(); ++i) {
        reversed[i] = static_cast<std::uint32_t>((reversed[i >> 1] >> 1) | ((i & 1) << (bits - 1)));
    }
    return reversed;
}

} // namespace

void FftPlan::prepare(int stages, int direction) {
    if (stages == m_stages && direction == m_direction) {
        return;
    }
    m_stages = stages;
    m_direction = direction;
    m_size = std::size_t{1} << stages;
    m_twiddleRe.assign(m_size, 0.0);
    m_twiddleIm.assign(m_size, 0.0);
    for (std::size_t h = 1; h < m_size; h *= 2) {
        const double wr = std::cos(std::numbers::pi / static_cast<double>(h));
        const double wi = direction * std::sin(std::numbers::pi / static_cast<double>(h));
        double ur = 1.0;
        double ui = 0.0;
        for (std::size_t j = 0; j < h; ++j) {
            m_twiddleRe[h + j] = ur;
            m_twiddleIm[h + j] = ui;
            const double vr = ur * wr - ui * wi;
            ui = ur * wi + ui * wr;
            ur = vr;
        }
    }
    m_tileBits = std::min(kTileBits, stages / 2);
    m_tileReversed = reversedIndices(m_tileBits);
    m_middleReversed = reversedIndices(stages - 2 * m_tileBits);
}

void FftPlan::butterflies(double* re, double* im) const {
    if (m_size >= 2) {
        block(re, im, m_size);
    }
}

void FftPlan::block(double* re, double* im, std::size_t length) const {
    if (length <= kCacheBlock) {
        stages(re, im, length);
        return;
    }
    const std::size_t q = length / 4;
    twoStages(re, im, length, q, &m_twiddleRe[2 * q], &m_twiddleIm[2 * q], &m_twiddleRe[q],
              &m_twiddleIm[q]);
    for (std::size_t part = 0; part < 4; ++part) {
        block(re + part * q, im + part * q, q);
    }
}

void FftPlan::stages(double* re, double* im, std::size_t length) const {
    std::size_t h = length / 2;
    if (std::countr_zero(length) % 2 == 1 && h >= 4) {
        stage(re, im, length, h, &m_twiddleRe[h], &m_twiddleIm[h]);
        h /= 2;
    }
    for (; h >= 8; h /= 4) {
        twoStages(re, im, length, h / 2, &m_twiddleRe[h], &m_twiddleIm[h], &m_twiddleRe[h / 2],
                  &m_twiddleIm[h / 2]);
    }
    if (length >= 4) {
        lastTwoStages(re, im, length, m_twiddleRe.data(), m_twiddleIm.data());
    } else {
        stage(re, im, length, 1, &m_twiddleRe[1], &m_twiddleIm[1]);
    }
}

void FftPlan::reorder(const double* re, const double* im, double* outRe, double* outIm,
                      Scaling scaling, double value) const {
    const std::size_t tile = m_tileReversed.size();
    const std::size_t rowStride = m_size >> m_tileBits;
    double tileRe[kTileSize * kTileSize];
    double tileIm[kTileSize * kTileSize];
    for (std::size_t b = 0; b < m_middleReversed.size(); ++b) {
        // Input rows first, each read whole, so that rows a power of two apart, which share
        // cache sets, do not evict each other halfway.
        const std::size_t from = std::size_t{m_middleReversed[b]} << m_tileBits;
        for (std::size_t r = 0; r < tile; ++r) {
            std::copy_n(re + r * rowStride + from, tile, tileRe + r * tile);
            std::copy_n(im + r * rowStride + from, tile, tileIm + r * tile);
        }
        const std::size_t to = b << m_tileBits;
        for (std::size_t a = 0; a < tile; ++a) {
            double* rowRe = outRe + a * rowStride + to;
            double* rowIm = outIm + a * rowStride + to;
            for (std::size_t c = 0; c < tile; ++c) {
                const std::size_t k = m_tileReversed[c] * tile + m_tileReversed[a];
                rowRe[c] = tileRe[k];
                rowIm[c] = tileIm[k];
            }
            if (scaling == Scaling::Divide) {
                divide(rowRe, rowIm, tile, value);
            } else if (scaling == Scaling::Multiply) {
                multiply(rowRe, rowIm, tile, value);
            }
        }
    }
}

void FftPlan::magnitudes(const double* re, const double* im, double* mag, std::size_t count) {
    magnitudesOf(re, im, mag, count);
}

} // namespace korvanta::analysis
