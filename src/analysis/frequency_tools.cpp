#include "analysis/frequency_tools.h"

#include "common/number_format.h"

#include <algorithm>
#include <cmath>

namespace korvanta::analysis {

void integrate(std::span<SpectrumPoint> points) {
    for (SpectrumPoint& p : points) {
        if (p.frequency == 0) {
            p.magnitude = 0;
            p.imaginary = 0;
            p.real = 0;
            continue;
        }
        const double divisor = 6.28 * p.frequency;
        p.magnitude = p.magnitude / divisor;
        p.imaginary = p.imaginary / divisor;
        p.real = p.real / divisor;
    }
}

std::pair<std::size_t, std::size_t> cutBand(std::span<SpectrumPoint> points, double f1, double f2) {
    const double size = static_cast<double>(points.size());
    const auto first = static_cast<std::size_t>(std::clamp(std::ceil(f1), 0.0, size));
    const auto end = static_cast<std::size_t>(std::clamp(std::ceil(f2), 0.0, size));
    for (std::size_t p = first; p < end; ++p) {
        points[p].magnitude = 0;
        points[p].imaginary = 0;
        points[p].real = 0;
    }
    return {first, std::max(first, end)};
}

double bandMarkerHeight(std::span<const SpectrumPoint> points) {
    double largest = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        largest = i == 0 ? points[i].magnitude : std::max(largest, points[i].magnitude);
    }
    return 1.1 * largest;
}

RangePeak peakInRange(std::span<const SpectrumPoint> visible) {
    RangePeak peak;
    for (std::size_t i = 0; i < visible.size(); ++i) {
        if (visible[i].magnitude > peak.amplitude) {
            peak.amplitude = visible[i].magnitude;
            peak.index = i;
        }
    }
    peak.amplitudeText = common::formatFloat(QStringLiteral("#0.0000"), peak.amplitude);
    peak.frequencyText = peak.index ? visible[*peak.index].label : QStringLiteral("--");
    peak.reportLines = {QStringLiteral("  "),
                        QStringLiteral("Max amplitude: ") + peak.amplitudeText,
                        QStringLiteral(" for f=") + peak.frequencyText + QStringLiteral("Hz")};
    if (!visible.empty()) {
        peak.reportLines << QStringLiteral(" in range of frequency from ") + visible.front().label +
                                QStringLiteral("Hz") + QStringLiteral(" to ") +
                                visible.back().label + QStringLiteral("Hz");
    }
    return peak;
}

} // namespace korvanta::analysis
