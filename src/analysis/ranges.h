#pragma once
// The ranges the analysis functions take and give: visible point indices of a chart series and
// the limits of a chart axis.

#include <cstddef>

namespace korvanta::analysis {

// Point indices first..last of a series as its chart shows them, both included; last < first
// when nothing is visible.
struct VisibleRange {
    std::size_t first = 0;
    std::size_t last = 0;

    bool empty() const { return last < first; }
    std::size_t count() const { return empty() ? 0 : last - first + 1; }
};

struct AxisRange {
    double minimum = 0;
    double maximum = 0;
};

} // namespace korvanta::analysis
