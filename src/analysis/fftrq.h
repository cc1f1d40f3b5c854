#pragma once
// The FFT of the analysis page: complex samples zero-padded to a power of two, an in-place
// radix-2 decimation-in-frequency transform in either direction, three normalisations, real and
// imaginary parts, magnitudes and the peak.
//
// Calling order: Reset, AddSample once per sample, optionally setFixedSize(true), Prepare,
// setDirection(-1 or +1), Compute(mode), ComputeMagnitudes, then the accessors and MaxMagnitude.
// The arrays are 1-based: element 0 is 0 and never used, element k holds bin k - 1 (time sample
// k - 1 before the transform).
//
// Misuse never throws: the operation shows one of the texts of errorText() through the Messages
// seam (when one is given), remembers its code in lastError(), and an accessor returns 0.0.
//
// The tables of the transform (FftPlan) are made by the first Compute of a size and direction
// and kept for the next ones, so a periodic spectrum of the same length does not make them again.

#include "analysis/fft_plan.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace korvanta::platform {
class Messages;
}

namespace korvanta::analysis {

class FFTRQ {
public:
    enum Error {
        NoError = 0,
        EarlyAccess = 1,  // Im or Magnitude before Compute
        InvalidIndex = 2, // an index beyond the arrays
        EarlyCall = 3,    // ComputeMagnitudes before Compute
    };

    // The normalisations of Compute.
    enum Mode {
        Spectrum = 0, // divide by L * 0.5: a sine of amplitude A peaks at A
        Inverse = 1,  // divide by N / L: undoes Spectrum on a band of the positive half
        TwoOverN = 2, // multiply by 2 / N
    };

    explicit FFTRQ(platform::Messages* messages = nullptr);

    // The message shown for an error code.
    static QString errorText(int code);
    // The transform size used for a typed zero-padding size: the next power of two not below it
    // (1 for sizes below 1), so a typed 1500 pads to 2048.
    static std::uint32_t paddedSize(int requested);

    void AddSample(double re, double im);
    // Builds the zero-padded arrays. N is the smallest power of two not below the sample count;
    // with fixedSize it is paddedSize(requestedSize) instead, but never smaller than that natural
    // size, so no sample is ever dropped.
    void Prepare();
    // Transforms in the current direction, then normalises by mode (any other mode: none). With
    // no sample added the arrays are all zero and are left unnormalised. Does nothing before
    // Prepare.
    void Compute(int mode);
    // mag[k] = sqrt(re[k]^2 + im[k]^2) for k = 1..N; error 3 before Compute.
    void ComputeMagnitudes();
    // The largest magnitude of bins 1..halfSize (zero frequency included, the mirrored half
    // left out), the first of equal maxima; sets PeakIndex. When no magnitude exceeds 0 it
    // returns 0.0 and PeakIndex keeps its previous value.
    double MaxMagnitude();
    std::uint32_t PeakIndex() const { return m_peakIndex; }
    // The unpadded length once computed; before that the count: N after Prepare, the number of
    // added samples before it.
    std::uint32_t SampleCount() const { return m_computed ? m_sampleCount : m_count; }
    // re[index]; error 2 past count. Needs no Compute.
    double Re(std::uint32_t index);
    // im[index]; error 1 before Compute, else error 2 past count.
    double Im(std::uint32_t index);
    // mag[index]; the checks of Im.
    double Magnitude(std::uint32_t index);
    // A new empty sample list; count 0, fixedSize and computed false. The arrays, sampleCount,
    // requestedSize, direction and halfSize stay.
    void Reset();

    // -1 forward, +1 inverse; set before every Compute.
    void setDirection(int direction) { m_direction = direction; }
    int direction() const { return m_direction; }
    void setFixedSize(bool fixed) { m_fixedSize = fixed; }
    bool fixedSize() const { return m_fixedSize; }
    // The zero-padding size typed on the page.
    void setRequestedSize(int size) { m_requestedSize = size; }
    int requestedSize() const { return m_requestedSize; }
    // N / 2 after Prepare (0 for N = 1), 1 before the first Prepare: the number of spectrum
    // points shown.
    std::uint32_t halfSize() const { return m_halfSize; }
    // The smallest power of two not below the sample count of the last Prepare.
    std::uint32_t naturalSize() const { return m_naturalSize; }
    bool computed() const { return m_computed; }
    // The code of the last misuse, NoError when none happened since construction.
    int lastError() const { return m_lastError; }

private:
    void fail(Error code);
    void reorderAndNormalise(const FftPlan& plan, int mode);

    platform::Messages* m_messages;
    std::vector<double> m_sampleRe;
    std::vector<double> m_sampleIm;
    std::uint32_t m_count = 0;
    std::uint32_t m_sampleCount = 0;
    int m_stages = 0;
    std::vector<double> m_im;
    std::vector<double> m_mag;
    std::uint32_t m_peakIndex = 0;
    bool m_computed = false;
    bool m_prepared = false;
    std::vector<double> m_re;
    int m_direction = 0;
    bool m_fixedSize = false;
    std::uint32_t m_naturalSize = 0;
    int m_requestedSize = 0;
    std::uint32_t m_halfSize = 1;
    int m_lastError = NoError;
    // The tables of the forward and of the inverse transform, each kept while its size stays.
    FftPlan m_forwardPlan;
    FftPlan m_inversePlan;
    // Where the bins are put in natural order; swapped with re and im afterwards.
    std::vector<double> m_spareRe;
    std::vector<double> m_spareIm;
};

} // namespace korvanta::analysis
