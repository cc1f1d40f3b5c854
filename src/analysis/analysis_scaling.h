#pragma once
// "Scaling" of the analysis charts: both value axes fitted to the switched-on series.

#include "analysis/ranges.h"

#include <optional>
#include <span>

namespace korvanta::analysis {

// hi = the largest and lo = the smallest value of all the series, starting from
// hi = -999999999 and lo = 99999999, widened by 2 % of hi - lo on both sides. The caller sets
// the right axis's minimum to -999999999 first, then this range, and the left axis the same.
// Without any value there is nothing to fit: no range, the axes stay.
std::optional<AxisRange> analysisScaling(std::span<const std::span<const double>> series);

} // namespace korvanta::analysis
