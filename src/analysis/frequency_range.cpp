#include "analysis/frequency_range.h"

#include "analysis/analysis_texts.h"

#include <cmath>

namespace korvanta::analysis {

common::Result<AxisRange> frequencyRangeAxis(std::optional<double> from, std::optional<double> to,
                                             double samplingRate, std::uint32_t halfSize,
                                             std::uint32_t firstBin) {
    if (!(samplingRate > 0) || !std::isfinite(samplingRate)) {
        return common::Result<AxisRange>::failure(setSamplingRateText());
    }
    const double offset = firstBin > 0 ? firstBin - 1.0 : 0.0;
    const auto toPoints = [&](double f) {
        return halfSize * f / (samplingRate * 0.5) - offset;
    };
    return AxisRange{toPoints(from.value_or(0.0)), toPoints(to.value_or(samplingRate * 0.5))};
}

} // namespace korvanta::analysis
