#pragma once
// The inverse transform of the analysis page: a band of the spectrum back to a signal.

#include "analysis/fftrq.h"
#include "analysis/frequency_analysis.h"
#include "common/result.h"

#include <span>
#include <vector>

namespace korvanta::analysis {

struct InverseSignal {
    std::vector<double> real;      // "Real part (IFFT)": the band-limited signal
    std::vector<double> imaginary; // "Imag part (IFFT)": its quadrature component
    std::vector<double> magnitude; // its envelope
};

// Transforms the band (the visible spectrum points with their current real and imaginary parts)
// back, direction +1 and mode Inverse. Each point is placed at its own bin, every other sample
// is 0; the length is the analysed signal's `signalLength`, or the highest bin of the band when
// that is longer, so no band point is dropped. A band taken from the first half of a spectrum of
// the signal gives back the signal, its zero-frequency part doubled. Nothing to transform (no
// signal and no band): noDataText().
common::Result<InverseSignal> inverseTransform(FFTRQ& fft, std::span<const SpectrumPoint> band,
                                               std::size_t signalLength);

} // namespace korvanta::analysis
