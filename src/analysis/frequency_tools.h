#pragma once
// Tools on the drawn spectrum points: integration, the band cut of "filter", its band marker and
// the peak of the visible points ("Amplitude:").

#include "analysis/frequency_analysis.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <span>

namespace korvanta::analysis {

// Integration: magnitude, imaginary and real part of every point divided by 6.28·f at the
// point's own frequency (so also when the spectrum starts above 0 Hz); a point at 0 Hz becomes
// 0. Double integration is this applied twice. The constant is 6.28, as the page has always
// used, not 2π.
void integrate(std::span<SpectrumPoint> points);

// "filter", OK: points p with f1 <= p < f2 (chart point indices; f2 itself stays) get magnitude,
// imaginary and real part 0. Returns the cut index range [first, end) so the band marker can be
// cleared over the same points; it is cut to the points there are.
std::pair<std::size_t, std::size_t> cutBand(std::span<SpectrumPoint> points, double f1, double f2);

// The height of the band marker strip: 1.1 times the largest magnitude (0 for no points).
double bandMarkerHeight(std::span<const SpectrumPoint> points);

struct RangePeak {
    double amplitude = 0;             // largest visible magnitude, 0 when none exceeds 0
    std::optional<std::size_t> index; // of the first such point within the visible points
    QString amplitudeText;            // "Amplituda:", "#0.0000"
    QString frequencyText;            // "dla F(Hz):", the point's label; "--" when none
    QStringList reportLines;          // appended to the report panel
};

// "Amplitude:": the largest magnitude among the visible points, the first of equal maxima.
RangePeak peakInRange(std::span<const SpectrumPoint> visible);

} // namespace korvanta::analysis
