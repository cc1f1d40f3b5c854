#include "analysis/analysis_scaling.h"

#include <algorithm>

namespace korvanta::analysis {

std::optional<AxisRange> analysisScaling(std::span<const std::span<const double>> series) {
    double hi = -999999999.0;
    double lo = 99999999.0;
    bool any = false;
    for (const std::span<const double> values : series) {
        for (const double v : values) {
            any = true;
            hi = std::max(hi, v);
            lo = std::min(lo, v);
        }
    }
    if (!any) {
        return std::nullopt;
    }
    const double margin = 0.02 * (hi - lo);
    return AxisRange{lo - margin, hi + margin};
}

} // namespace korvanta::analysis
