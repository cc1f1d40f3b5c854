#pragma once
// The forward spectrum of the analysis page: the visible part of the analysed signal through
// FFTRQ, the spectrum points with their frequencies and labels, and the peak readout
// ("Amplituda:", "dla F(Hz):") with its report lines.

#include "analysis/fftrq.h"
#include "common/result.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace korvanta::analysis {

struct SpectrumParameters {
    double samplingRate = 0;      // fs in Hz; must be above 0
    bool showFrequencies = false; // "Pokaż częstotliwości [Hz]": only the points from..to
    std::optional<double> from;   // "od" in Hz; no lower bound when empty
    std::optional<double> to;     // "do" in Hz; no upper bound when empty
    bool zeroPadding = false;     // "Rozszerzenie zakresu"
    int paddingSize = 0;          // its typed size
};

// One point of the spectrum chart: magnitude ("XY"), imaginary ("Imag") and real ("Real") part.
struct SpectrumPoint {
    std::uint32_t bin = 0; // FFTRQ array index, frequency (bin - 1)·df
    double frequency = 0;
    double magnitude = 0;
    double imaginary = 0;
    double real = 0;
    QString label; // the frequency, "  ##0.00"
};

struct SpectrumPeak {
    bool found = false;    // false when no magnitude exceeds 0
    double amplitude = 0;  // 0 when none
    double frequency = 0;  // of the peak's bin, 0 when none
    QString amplitudeText; // "Amplituda:", "##0.0###"
    QString frequencyText; // "dla F(Hz):", "##0.0#"
};

struct Spectrum {
    std::vector<SpectrumPoint> points;
    double df = 0; // Hz per bin: fs / N
    std::uint32_t transformSize = 0;
    std::uint32_t paddedSize = 0; // the typed padding size rounded to a power of two; 0 unused
    SpectrumPeak peak;
    QStringList reportLines; // appended to the report panel
    double axisMaximum = 0;  // of both value axes: 1.1 times the peak
};

// The label of a spectrum point at frequency f.
QString frequencyLabel(double f);

// True when the sampling-rate text compares greater than "0" character by character, the test
// the page makes before it takes a spectrum: "0", an empty text or one starting with "-" or a
// blank fail it.
bool rateTextAboveZero(const QString& text);

// The peak readout of a computed FFTRQ: MaxMagnitude over bins 1..halfSize and the frequency of
// its bin at df Hz per bin.
SpectrumPeak spectrumPeak(FFTRQ& fft, double df);

// The forward transform (direction -1, mode Spectrum) of the visible values with imaginary part
// 0. The transform is zero-padded to the typed size rounded up to a power of two when padding is
// on and that size exceeds the number of values. Points are bins 1..halfSize at (bin - 1)·df;
// with showFrequencies, points below "od" are left out and the loop stops after the first point
// above "do" (which is still added). No values: noDataText(); fs not above 0:
// setSamplingRateText().
common::Result<Spectrum> forwardSpectrum(FFTRQ& fft, std::span<const double> visible,
                                         const SpectrumParameters& parameters);

} // namespace korvanta::analysis
