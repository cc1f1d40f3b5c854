#pragma once
// The tables of one FFT size and direction and the passes of FFTRQ's transform that use them.
//
// Every value comes out bit-identical to the stage loops written out as the transform is
// described: each butterfly gets the same operands in the same order, and each stage's twiddles
// are the ones its recurrence u = u·w produces, only made once into a table. What changes is
// the order in which independent butterflies run (a block that fits in the cache finishes all
// its stages before the next block starts), a table instead of the bit-reversal counter, and
// separate contiguous real and imaginary arrays. Nothing here may be contracted into fused
// multiply-adds the stage loops do not have: this file is built with -ffp-contract=off.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvanta::analysis {

class FftPlan {
public:
    // Makes the tables of N = 2^stages in direction `direction` (-1 or +1) unless they are the
    // ones already made.
    void prepare(int stages, int direction);
    std::size_t size() const { return m_size; }

    // Every butterfly stage, in place on re[0..N-1] and im[0..N-1]; the bins come out in
    // bit-reversed order.
    void butterflies(double* re, double* im) const;

    enum class Scaling { None, Divide, Multiply };
    // The bins in natural order: out[i] = in[reversed(i)], then each part divided by or
    // multiplied by `value`, or left as it is.
    void reorder(const double* re, const double* im, double* outRe, double* outIm, Scaling scaling,
                 double value) const;

    // mag[k] = sqrt(re[k]^2 + im[k]^2) for k = 0..count-1.
    static void magnitudes(const double* re, const double* im, double* mag, std::size_t count);

private:
    void block(double* re, double* im, std::size_t length) const;
    void stages(double* re, double* im, std::size_t length) const;

    int m_stages = -1;
    std::size_t m_size = 0;
    int m_direction = 0;
    // The twiddles u_0..u_(h-1) of the stage of half length h at [h, 2h).
    std::vector<double> m_twiddleRe;
    std::vector<double> m_twiddleIm;
    // An index i is read as a·2^(s-q) + b·2^q + c with q = m_tileBits; its bit reversal is
    // rev(c)·2^(s-q) + rev(b)·2^q + rev(a). The reordering goes tile by tile (a and c) for each
    // b, so that it reads and writes whole cache lines instead of one value per line.
    int m_tileBits = 0;
    std::vector<std::uint32_t> m_tileReversed;   // rev of q bits
    std::vector<std::uint32_t> m_middleReversed; // rev of s - 2q bits
};

} // namespace korvanta::analysis
