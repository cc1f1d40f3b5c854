#include "analysis/frequency_analysis.h"

#include "analysis/analysis_texts.h"
#include "common/number_format.h"

#include <cmath>

namespace korvanta::analysis {

namespace {

// Padding is used only when its size exceeds the number of samples.
bool usesPadding(const SpectrumParameters& parameters, std::size_t sampleCount) {
    return parameters.zeroPadding && parameters.paddingSize > 0 &&
           static_cast<std::size_t>(parameters.paddingSize) > sampleCount;
}

// The integer part of a bound, compared with the frequencies as a number.
std::optional<double> wholeHertz(const std::optional<double>& bound) {
    return bound ? std::optional<double>(std::trunc(*bound)) : std::nullopt;
}

QStringList peakReport(const SpectrumPeak& peak) {
    return {QStringLiteral("      "), QStringLiteral("  FFT  "),
            QStringLiteral("Max amplitude:  ") + peak.amplitudeText,
            QStringLiteral(" for f=") + peak.frequencyText + QStringLiteral("Hz")};
}

} // namespace

QString frequencyLabel(double f) {
    return common::formatFloat(QStringLiteral("  ##0.00"), f);
}

bool rateTextAboveZero(const QString& text) {
    return text > QStringLiteral("0");
}

SpectrumPeak spectrumPeak(FFTRQ& fft, double df) {
    SpectrumPeak peak;
    peak.amplitude = fft.MaxMagnitude();
    peak.found = peak.amplitude > 0;
    peak.frequency = peak.found ? (fft.PeakIndex() - 1) * df : 0.0;
    peak.amplitudeText = common::formatFloat(QStringLiteral("##0.0###"), peak.amplitude);
    peak.frequencyText = common::formatFloat(QStringLiteral("##0.0#"), peak.frequency);
    return peak;
}

common::Result<Spectrum> forwardSpectrum(FFTRQ& fft, std::span<const double> visible,
                                         const SpectrumParameters& parameters) {
    if (visible.empty()) {
        return common::Result<Spectrum>::failure(noDataText());
    }
    if (!(parameters.samplingRate > 0) || !std::isfinite(parameters.samplingRate)) {
        return common::Result<Spectrum>::failure(setSamplingRateText());
    }
    Spectrum s;
    fft.Reset();
    for (const double v : visible) {
        fft.AddSample(v, 0.0);
    }
    if (usesPadding(parameters, visible.size())) {
        fft.setRequestedSize(parameters.paddingSize);
        fft.setFixedSize(true);
        s.paddedSize = FFTRQ::paddedSize(parameters.paddingSize);
    }
    fft.Prepare();
    s.transformSize = fft.SampleCount();
    s.df = parameters.samplingRate / s.transformSize;
    fft.setDirection(-1);
    fft.Compute(FFTRQ::Spectrum);
    fft.ComputeMagnitudes();

    const std::optional<double> from = wholeHertz(parameters.from);
    const std::optional<double> to = wholeHertz(parameters.to);
    for (std::uint32_t i = 1; i <= fft.halfSize(); ++i) {
        const double f = (i - 1) * s.df;
        if (parameters.showFrequencies && from && *from > f) {
            continue;
        }
        s.points.push_back({i, f, fft.Magnitude(i), fft.Im(i), fft.Re(i), frequencyLabel(f)});
        if (parameters.showFrequencies && to && *to < f) {
            break;
        }
    }
    s.peak = spectrumPeak(fft, s.df);
    s.reportLines = peakReport(s.peak);
    s.axisMaximum = 1.1 * s.peak.amplitude;
    return s;
}

} // namespace korvanta::analysis
