#include "analysis/inverse_transform.h"

#include "analysis/analysis_texts.h"

#include <algorithm>

namespace korvanta::analysis {

common::Result<InverseSignal> inverseTransform(FFTRQ& fft, std::span<const SpectrumPoint> band,
                                               std::size_t signalLength) {
    std::size_t length = signalLength;
    for (const SpectrumPoint& p : band) {
        length = std::max<std::size_t>(length, p.bin);
    }
    if (length == 0) {
        return common::Result<InverseSignal>::failure(noDataText());
    }
    std::vector<double> re(length, 0.0);
    std::vector<double> im(length, 0.0);
    for (const SpectrumPoint& p : band) {
        if (p.bin >= 1) {
            re[p.bin - 1] = p.real;
            im[p.bin - 1] = p.imaginary;
        }
    }
    fft.Reset();
    for (std::size_t i = 0; i < length; ++i) {
        fft.AddSample(re[i], im[i]);
    }
    fft.Prepare();
    fft.setDirection(+1);
    fft.Compute(FFTRQ::Inverse);
    fft.ComputeMagnitudes();

    InverseSignal signal;
    for (std::uint32_t i = 1; i <= fft.SampleCount(); ++i) {
        signal.real.push_back(fft.Re(i));
        signal.imaginary.push_back(fft.Im(i));
        signal.magnitude.push_back(fft.Magnitude(i));
    }
    return signal;
}

} // namespace korvanta::analysis
